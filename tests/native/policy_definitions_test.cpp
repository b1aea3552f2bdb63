// The administrative template offers exactly the policies the program reads:
// the same keys, value names and lists as PolicyDefinitions().
#include "settings/policy_definitions.h"

#include <gtest/gtest.h>

#include <fstream>
#include <regex>
#include <set>
#include <sstream>
#include <string>
#include <utility>

namespace stilvane {
namespace {

std::string Attribute(const std::string& tag, const std::string& name) {
    std::smatch match;
    return std::regex_search(tag, match, std::regex("\\s" + name + "=\"([^\"]*)\""))
               ? match[1].str()
               : "";
}

TEST(PolicyDefinitions, AreExactlyThoseOfTheAdministrativeTemplate) {
    std::ifstream file(STILVANE_ADMX_PATH);
    ASSERT_TRUE(file) << STILVANE_ADMX_PATH;
    std::stringstream text;
    text << file.rdbuf();
    const std::string admx = text.str();

    // (key, value name) of each switch, (key, "") of each list.
    std::set<std::pair<std::string, std::string>> inTemplate;
    const std::regex element("<(policy|list)\\s[^>]*>");
    for (auto it = std::sregex_iterator(admx.begin(), admx.end(), element);
         it != std::sregex_iterator(); ++it) {
        const std::string tag = it->str();
        // A list's policy names no value; its list element says where the list goes.
        if ((*it)[1] == "policy" && Attribute(tag, "valueName").empty())
            continue;
        inTemplate.insert({Attribute(tag, "key"), Attribute(tag, "valueName")});
    }
    std::set<std::pair<std::string, std::string>> inProgram;
    for (const PolicyDefinition& policy : PolicyDefinitions()) {
        if (policy.kind == PolicyKind::Switch)
            inProgram.insert({kPolicyKeyPath, policy.name});
        else
            inProgram.insert({std::string(kPolicyKeyPath) + "\\" + policy.name, ""});
    }
    EXPECT_EQ(inTemplate, inProgram);
}

} // namespace
} // namespace stilvane
