// The one reading of numbers from registry values, over a table of kinds and
// sizes; each column is what one kind of reader takes from the same bytes.
#include "settings/registry_number.h"

#include <gtest/gtest.h>

#include <string_view>

namespace stilvane {
namespace {

using namespace reg_kind;
constexpr std::uint32_t kMultiString = 7;
constexpr auto kNo = std::nullopt;

TEST(RegistryNumber, EachKindAndSizeReadsOneWay) {
    struct Case {
        std::uint32_t kind;
        std::string_view bytes;
        std::optional<std::uint32_t> dword, narrow;
        std::uint32_t count;
    } cases[] = {
        {kDword, {"\x07\0\0\0", 4}, 7, 7, 7},
        {kDword, {"\xFF\xFF\xFF\xFF", 4}, 0xFFFFFFFF, 0xFFFFFFFF, 0xFFFFFFFF},
        {kDword, {"\x05\x01", 2}, kNo, 0x105, 0x105},
        {kDword, {"\1\0\0\0\1\0\0\0", 8}, kNo, kNo, 0xFFFFFFFF},
        {kDword, {"\1\0\0\0\0\0\0\0\0", 9}, kNo, kNo, 0},
        {kQword, {"\x05\0\0\0\0\0\0\0", 8}, kNo, kNo, 5},
        {kBinary, {"\x34\x12", 2}, kNo, 0x1234, 0x1234},
        {kBinary, {}, kNo, 0, 0},
        {kString, {"12\0", 3}, kNo, kNo, 12},
        {kExpandString, {"4294967296\0", 11}, kNo, kNo, 0xFFFFFFFF},
        {kString, {"12", 2}, kNo, kNo, 0},
        {kString, {"1\0002\0", 4}, kNo, kNo, 0},
        {kString, {" 1\0", 3}, kNo, kNo, 0},
        {kMultiString, {"5\0\0", 3}, kNo, kNo, 0},
    };
    for (const Case& c : cases) {
        const std::span bytes(reinterpret_cast<const unsigned char*>(c.bytes.data()),
                              c.bytes.size());
        const RegNumber number = ReadRegNumber(c.kind, bytes.size(), bytes);
        SCOPED_TRACE(testing::Message() << c.kind << " " << c.bytes.size());
        EXPECT_EQ(number.Dword(), c.dword);
        EXPECT_EQ(number.Narrow(), c.narrow);
        EXPECT_EQ(number.Count(), c.count);
        // Read in part (the rest over a reader's limit), a value holds no number.
        const RegNumber part = ReadRegNumber(c.kind, bytes.size() + 1, bytes);
        EXPECT_EQ(part.Count(), 0u);
        EXPECT_FALSE(part.Narrow());
    }
}

} // namespace
} // namespace stilvane
