// Thin wrapper over the Win32 registry: keys opened or created on demand,
// values read whole with their type.
#pragma once

#include "framework/unique_handle.h"

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

    // Type, size and (up to maxData bytes) data of a value, read consistently
    // even while another process rewrites it; nullopt when the value does not
    // exist. Other failures raise ERegistryException "Fehler beim Holen der Daten".
    std::optional<RegValue> Query(const std::string& name, DWORD maxData = 0xFFFFFFFF) const;

    bool SetString(const std::string& name, const std::string& text) const;
    bool SetBytes(const std::string& name, DWORD type, const void* data, DWORD size) const;
    bool DeleteValue(const std::string& name) const;

private:
    explicit RegistryKey(HKEY key) : key_(key) {}
    UniqueRegKey key_;
};

} // namespace stilvane
