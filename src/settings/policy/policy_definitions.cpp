#include "settings/policy/policy_definitions.h"

namespace stilvane {

const std::array<PolicyDefinition, 7>& PolicyDefinitions() {
    static constexpr std::array<PolicyDefinition, 7> definitions{{
        {PolicyId::Blocking, "Blocking", PolicyKind::Switch},
        {PolicyId::Sound, "Sound", PolicyKind::Switch},
        {PolicyId::AllowPause, "AllowPause", PolicyKind::Switch},
        {PolicyId::AllowQuit, "AllowQuit", PolicyKind::Switch},
        {PolicyId::ExceptionsEditable, "ExceptionsEditable", PolicyKind::Switch},
        {PolicyId::RecordBlockedSites, "RecordBlockedSites", PolicyKind::Switch},
        {PolicyId::ManagedExceptions, "ManagedExceptions", PolicyKind::List},
    }};
    return definitions;
}

} // namespace stilvane
