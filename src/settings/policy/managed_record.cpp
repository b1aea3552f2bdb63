#include "settings/policy/managed_record.h"

#include "framework/portable/text.h"
#include "settings/marl_REG.h"

namespace stilvane {

std::vector<std::string> ManagedRecord::Read() const {
    return SplitLines(ReadRegString(root_, path_, kValuePolicyAdded));
}

void ManagedRecord::Write(const std::vector<std::string>& entries) const {
    if (entries.empty())
        return DeleteRegValue(root_, path_, kValuePolicyAdded);
    std::string lines;
    for (const std::string& entry : entries) {
        lines += entry;
        lines += "\r\n";
    }
    WriteRegString(root_, path_, kValuePolicyAdded, lines);
}

} // namespace stilvane
