// The policies an administrator sets for the controller (Group Policy,
// Intune, or the registry directly): one table that the program reads them
// by and that the administrative templates in package/policy/ are checked
// against.
#pragma once

#include <array>

namespace stilvane {

// Where administrators' policies live, under HKEY_LOCAL_MACHINE (wins) and HKEY_CURRENT_USER.
constexpr char kPolicyKeyPath[] = "Software\\Policies\\Quillane\\PopUpBlocker";
// Switch: REG_DWORD 0 or 1; List: a subkey of REG_SZ values named 1, 2, 3, ...
enum class PolicyKind { Switch, List };
enum class PolicyId {
    Blocking,
    Sound,
    AllowPause,
    AllowQuit,
    ExceptionsEditable,
    RecordBlockedSites,
    ManagedExceptions
};
// name: the value's (Switch) or the subkey's (List) name
struct PolicyDefinition {
    PolicyId id;
    const char* name;
    PolicyKind kind;
};
const std::array<PolicyDefinition, 7>& PolicyDefinitions();

} // namespace stilvane
