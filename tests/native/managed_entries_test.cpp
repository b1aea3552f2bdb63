// Which managed entries go into popup-exp.ini and which come out again, and
// which list values make an entry.
#include "settings/policies.h"
#include "ui/managed_entries.h"

#include <gtest/gtest.h>

namespace stilvane {
namespace {

using List = std::vector<std::string>;

TEST(ManagedEntries, OnlyWhatThePolicyPutInComesOutAgain) {
    struct Case {
        List file, managed, record, entries, recordAfter;
    };
    const Case cases[] = {
        {{"own"}, {"corp"}, {}, {"own", "corp"}, {"corp"}},
        {{"own", "corp"}, {}, {"corp"}, {"own"}, {}},
        {{"own", "shared"}, {"shared"}, {}, {"own", "shared"}, {}}, // the user's own
        {{"own", "shared"}, {}, {}, {"own", "shared"}, {}},
        {{"own"}, {"corp"}, {"corp"}, {"own", "corp"}, {"corp"}}, // removed outside: back
        {{"x", "x"}, {}, {"x", "x"}, {"x"}, {}},                  // one of two goes
        {{}, {"a", "b"}, {"b", "gone"}, {"a", "b"}, {"a", "b"}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(::testing::PrintToString(c.file) + ::testing::PrintToString(c.managed));
        const ManagedChange change = PlanManagedEntries(c.file, c.managed, c.record);
        EXPECT_EQ(change.entries, c.entries);
        EXPECT_EQ(change.record, c.recordAfter);
        EXPECT_EQ(change.Changed(), change.entries != c.file);
    }
}

TEST(ManagedEntries, AListValueIsOneLineNamedByANumber) {
    EXPECT_EQ(ManagedEntryOf(" \tcorp.example/path \t"), "corp.example/path");
    EXPECT_EQ(ManagedEntryOf(std::string(2083, 'x')), std::string(2083, 'x'));
    for (const std::string& bad : {std::string(), std::string(" \t"), std::string(2084, 'x'),
                                   std::string("a\r\nb"), std::string("a\nb")})
        EXPECT_EQ(ManagedEntryOf(bad), "") << bad.size();
    EXPECT_EQ(ManagedEntryNumber("1"), 1u);
    EXPECT_EQ(ManagedEntryNumber("999999999"), 999999999u);
    for (const char* bad : {"", "0", "01", "1a", "-1", " 1", "1234567890"})
        EXPECT_EQ(ManagedEntryNumber(bad), 0u) << bad;
}

} // namespace
} // namespace stilvane
