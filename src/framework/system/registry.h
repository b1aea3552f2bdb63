// Thin wrapper over the Win32 registry: keys opened or created on demand,
// values read whole with their type.
#pragma once

#include "framework/system/unique_handle.h"

#include <optional>
#include <string>
#include <vector>

namespace stilvane {

// Rights used to read values: standard read, query values, enumerate subkeys.
constexpr REGSAM kKeyReadRights = 0x20009;

struct RegValue {
    DWORD type = REG_NONE;
    DWORD size = 0;                  // stored size in bytes
    std::vector<unsigned char> data; // the bytes; left empty when size was over the limit
};

class RegistryKey {
public:
    // Opens an existing key; an empty key when it is missing or not accessible.
    static RegistryKey Open(HKEY root, const std::string& path, REGSAM rights);
    // Opens the key, creating it and missing parents. Empty on failure.
    static RegistryKey Create(HKEY root, const std::string& path, REGSAM rights);

    explicit operator bool() const { return static_cast<bool>(key_); }
    HKEY Get() const { return key_.Get(); }
    // The system's answer to the opening: ERROR_SUCCESS, or why it failed.
    LONG Status() const { return status_; }

    // Type, size and (up to maxData bytes) data of a value, read consistently
    // even while another process rewrites it; nullopt when the value does not
    // exist. Other failures raise ERegistryException "Fehler beim Holen der Daten".
    std::optional<RegValue> Query(const std::string& name, DWORD maxData = 0xFFFFFFFF) const;

    // Each returns ERROR_SUCCESS or the system's error code.
    LONG SetString(const std::string& name, const std::string& text) const;
    LONG SetBytes(const std::string& name, DWORD type, const void* data, DWORD size) const;
    LONG DeleteValue(const std::string& name) const;

private:
    RegistryKey(HKEY key, LONG status) : key_(key), status_(status) {}
    UniqueRegKey key_;
    LONG status_;
};

// "HKEY_CURRENT_USER\path", as messages name a key.
std::string KeyName(HKEY root, const std::string& path);

} // namespace stilvane
