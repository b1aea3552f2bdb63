// Which entries of popup-exp.ini the organization's policy put in, kept in
// the controller's own key: only those go again when the policy drops them.
#pragma once

#include <windows.h>

#include <string>
#include <vector>

namespace stilvane {

constexpr char kValuePolicyAdded[] = "PolicyAdded";

class ManagedRecord {
public:
    ManagedRecord(HKEY root, std::string path) : root_(root), path_(std::move(path)) {}

    // The entries as stored: a REG_SZ of lines, each ended by CR LF (no
    // entry holds a line break); none when the value is missing.
    std::vector<std::string> Read() const;
    // No entries delete the value. Raises ERegistryException.
    void Write(const std::vector<std::string>& entries) const;

private:
    HKEY root_;
    std::string path_;
};

} // namespace stilvane
