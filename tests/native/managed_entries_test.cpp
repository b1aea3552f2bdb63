// Which managed entries go into popup-exp.ini and which come out again, and
// which list values make an entry.
#include "settings/policy/policies.h"
#include "ui/editor/exceptions_merge.h"
#include "ui/editor/managed_entries.h"

#include <gtest/gtest.h>

#include <algorithm>

namespace stilvane {
namespace {

using List = std::vector<std::string>;

TEST(ManagedEntries, OnlyWhatThePolicyPutInComesOutAgain) {
    struct Case {
        List file, managed, record, entries, recordAfter, held = {};
    };
    const Case cases[] = {
        {{"own"}, {"corp"}, {}, {"own", "corp"}, {"corp"}},
        {{"own", "corp"}, {}, {"corp"}, {"own"}, {}},
        {{"own", "shared"}, {"shared"}, {}, {"own", "shared"}, {}}, // the user's own
        {{"own", "shared"}, {}, {}, {"own", "shared"}, {}},
        {{"own"}, {"corp"}, {"corp"}, {"own", "corp"}, {"corp"}}, // removed outside: back
        // ... and still the policy's where the open editor lists it.
        {{"own"}, {"corp"}, {"corp"}, {"own", "corp"}, {"corp"}, {"own", "corp"}},
        {{"x", "x"}, {}, {"x", "x"}, {"x"}, {}}, // one of two goes
        {{}, {"a", "b"}, {"b", "gone"}, {"a", "b"}, {"a", "b"}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(::testing::PrintToString(c.file) + ::testing::PrintToString(c.managed));
        const ManagedChange change = PlanManagedEntries(c.file, c.managed, c.record, c.held);
        EXPECT_EQ(change.entries, c.entries);
        EXPECT_EQ(change.record, c.recordAfter);
        EXPECT_EQ(change.Changed(), change.entries != c.file);
    }
}

TEST(ManagedEntries, AnEntryIsThePolicysOnlyWhenItPutItInWhileTheUserHadItNowhere) {
    // One address and every order of four events: the user adds it in an
    // open editor (U), the policy adds it (P) and drops it (D), the user
    // saves (S). The editor takes in what the policy changes at once.
    const std::string e = "m2.example";
    std::string order = "DPSU";
    do {
        SCOPED_TRACE(order);
        List file{"own"}, record, loaded = file, listed = file;
        const auto policy = [&](const List& managed) {
            const ManagedChange change = PlanManagedEntries(file, managed, record, listed);
            file = change.entries, record = change.record;
            loaded.insert(loaded.end(), change.added.begin(), change.added.end());
            for (const std::string& gone : change.removed)
                for (List* list : {&loaded, &listed})
                    list->erase(std::find(list->begin(), list->end(), gone));
            for (const std::string& entry : managed)
                if (std::find(listed.begin(), listed.end(), entry) == listed.end())
                    listed.push_back(entry);
        };
        for (const char event : order) {
            if (event == 'U' && std::find(listed.begin(), listed.end(), e) == listed.end())
                listed.push_back(e);
            if (event == 'P' || event == 'D')
                policy(event == 'P' ? List{e} : List{});
            if (event == 'S')
                file = loaded = listed = MergeExceptions(loaded, listed, file);
        }
        const auto at = [&](char event) { return order.find(event); };
        const bool userFirst = at('U')<at('P'), managedAtEnd = at('P')> at('D');
        const bool savedAfterDrop = at('D') < at('U') && at('U') < at('S');
        EXPECT_EQ(std::count(file.begin(), file.end(), e),
                  managedAtEnd || userFirst || savedAfterDrop ? 1 : 0);
        EXPECT_EQ(record, managedAtEnd && !userFirst ? List{e} : List{});
        EXPECT_EQ(std::count(file.begin(), file.end(), "own"), 1);
    } while (std::next_permutation(order.begin(), order.end()));
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
