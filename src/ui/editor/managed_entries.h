// The exceptions an organization manages, kept in popup-exp.ini beside the
// user's own: put in while the policy lists them, and taken out again once
// it drops them, but only those it had put in itself.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

namespace stilvane {

// The list's mark of an entry the organization manages: shown marked and
// never removed by the editor.
constexpr std::uint32_t kManagedEntry = 2;

struct ManagedChange {
    std::vector<std::string> entries; // the file's list afterwards
    std::vector<std::string> added;   // put in for the policy
    std::vector<std::string> removed; // dropped by the policy, which had put them in
    // What the policy has put in and still manages: all that may ever be
    // taken out again.
    std::vector<std::string> record;
    bool Changed() const { return !added.empty() || !removed.empty(); }
};

// `file`: the list as it is; `managed`: the entries the policy manages now;
// `record`: those the policy had put in; `held`: the list of an open editor,
// saved or not. An entry is the policy's only when it put it into the file
// while the user had it in neither; any other stays when the policy drops it.
ManagedChange PlanManagedEntries(std::vector<std::string> file,
                                 const std::vector<std::string>& managed,
                                 const std::vector<std::string>& record,
                                 const std::vector<std::string>& held = {});

} // namespace stilvane
