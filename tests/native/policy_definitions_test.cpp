// The administrative template offers exactly the policies the program reads, PolicyDefinitions().
#include "settings/policy/policy_definitions.h"

#include <gtest/gtest.h>

#include <fstream>
#include <iterator>
#include <regex>
#include <set>
#include <string>
#include <utility>

namespace stilvane {
namespace {

TEST(PolicyDefinitions, AreExactlyThoseOfTheAdministrativeTemplate) {
    std::ifstream file(STILVANE_ADMX_PATH);
    const std::string admx{std::istreambuf_iterator<char>(file), {}};
    ASSERT_FALSE(admx.empty()) << STILVANE_ADMX_PATH;
    // (key, value name) of each switch, (key, "") of each list: a list's policy names no value.
    using Place = std::pair<std::string, std::string>;
    std::set<Place> inTemplate, inProgram;
    const std::regex element(
        "<(policy|list)\\s[^>]*?key=\"([^\"]*)\"(\\s+valueName=\"([^\"]*)\")?");
    for (std::sregex_iterator it(admx.begin(), admx.end(), element), end; it != end; ++it)
        if ((*it)[1] == "list" || (*it)[3].matched)
            inTemplate.insert({(*it)[2], (*it)[4]});
    for (const PolicyDefinition& policy : PolicyDefinitions())
        inProgram.insert(policy.kind == PolicyKind::Switch
                             ? Place{kPolicyKeyPath, policy.name}
                             : Place{std::string(kPolicyKeyPath) + "\\" + policy.name, ""});
    EXPECT_EQ(inTemplate, inProgram);
}

} // namespace
} // namespace stilvane
