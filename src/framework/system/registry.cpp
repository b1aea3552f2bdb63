#include "framework/system/registry.h"

#include "framework/portable/errors.h"

namespace stilvane {

RegistryKey RegistryKey::Open(HKEY root, const std::string& path, REGSAM rights) {
    HKEY key = nullptr;
    const LONG status = ::RegOpenKeyExA(root, path.c_str(), 0, rights, &key);
    return RegistryKey(status == ERROR_SUCCESS ? key : nullptr, status);
}

RegistryKey RegistryKey::Create(HKEY root, const std::string& path, REGSAM rights) {
    HKEY key = nullptr;
    const LONG status = ::RegCreateKeyExA(root, path.c_str(), 0, nullptr, REG_OPTION_NON_VOLATILE,
                                          rights, nullptr, &key, nullptr);
    return RegistryKey(status == ERROR_SUCCESS ? key : nullptr, status);
}

std::optional<RegValue> RegistryKey::Query(const std::string& name, DWORD maxData) const {
    RegValue value;
    std::vector<unsigned char> buffer(64);
    // A value may grow between two calls when the blocker rewrites it, so
    // retry with the size the registry reports until the data fits.
    LONG rc = ERROR_MORE_DATA;
    for (int attempt = 0; attempt < 16; ++attempt) {
        DWORD type = REG_NONE;
        DWORD size = static_cast<DWORD>(buffer.size());
        rc = ::RegQueryValueExA(key_.Get(), name.c_str(), nullptr, &type, buffer.data(), &size);
        if (rc == ERROR_FILE_NOT_FOUND)
            return std::nullopt;
        if (rc == ERROR_MORE_DATA) {
            if (size > maxData) {
                value.type = type;
                value.size = size;
                return value;
            }
            buffer.resize(size);
            continue;
        }
        if (rc != ERROR_SUCCESS)
            break;
        value.type = type;
        value.size = size;
        if (size <= maxData)
            value.data.assign(buffer.begin(), buffer.begin() + size);
        return value;
    }
    throw ERegistryException(MessageKind::RegRead, name, static_cast<unsigned long>(rc));
}

LONG RegistryKey::SetString(const std::string& name, const std::string& text) const {
    // Stored with its terminating NUL.
    return SetBytes(name, REG_SZ, text.c_str(), static_cast<DWORD>(text.size() + 1));
}

LONG RegistryKey::SetBytes(const std::string& name, DWORD type, const void* data,
                           DWORD size) const {
    return ::RegSetValueExA(key_.Get(), name.c_str(), 0, type, static_cast<const BYTE*>(data),
                            size);
}

LONG RegistryKey::DeleteValue(const std::string& name) const {
    return ::RegDeleteValueA(key_.Get(), name.c_str());
}

std::string KeyName(HKEY root, const std::string& path) {
    const char* name = root == HKEY_LOCAL_MACHINE  ? "HKEY_LOCAL_MACHINE"
                       : root == HKEY_CURRENT_USER ? "HKEY_CURRENT_USER"
                                                   : "HKEY_USERS";
    return std::string(name) + "\\" + path;
}

} // namespace stilvane
