// The standard library's failures as the program links them: its own
// exception, caught by the guards as any std::exception, with the library's
// message and its numbers filled in.
#include "framework/portable/errors.h"

#include <gtest/gtest.h>

#include <functional>
#include <string>
#include <vector>

namespace stilvane {
namespace {

TEST(LibraryErrors, AreTheProgramsOwnWithTheLibrarysMessage) {
    const std::string text = "abc";
    const std::vector<int> empty;
    const struct {
        std::function<void()> failing;
        const char* message;
    } cases[] = {
        {[&] { (void)text.substr(5); },
         "basic_string::substr: __pos (which is 5) > this->size() (which is 3)"},
        {[&] { (void)empty.at(2); },
         "vector::_M_range_check: __n (which is 2) >= this->size() (which is 0)"},
        {[&] { std::string().reserve(std::string().max_size() + 1); }, "basic_string::_M_create"},
    };
    for (const auto& c : cases) {
        try {
            c.failing();
            ADD_FAILURE() << "no error for " << c.message;
        } catch (const std::exception& error) {
            EXPECT_NE(dynamic_cast<const ELibraryError*>(&error), nullptr) << error.what();
            EXPECT_STREQ(error.what(), c.message);
        }
    }
}

} // namespace
} // namespace stilvane
