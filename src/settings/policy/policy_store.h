// The administrators' policies as the registry holds them, under
// HKEY_LOCAL_MACHINE and HKEY_CURRENT_USER.
#pragma once

#include "settings/policy/policies.h"

#include <string>

namespace stilvane {

class PolicyStore {
public:
    // The policy key's path under both roots; tests pass one of their own.
    explicit PolicyStore(std::string path = kPolicyKeyPath) : path_(std::move(path)) {}
    const std::string& Path() const { return path_; }

    // Every policy as it stands now. Never raises: a value that is missing,
    // cannot be read or is of the wrong kind, size or range is not
    // configured, and the user decides.
    Policies Read() const;

private:
    std::string path_;
};

} // namespace stilvane
