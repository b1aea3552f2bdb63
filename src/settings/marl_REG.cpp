#include "settings/marl_REG.h"

#include "framework/portable/errors.h"
#include "framework/portable/int_text.h"
#include "framework/system/registry.h"
#include "settings/registry_number.h"

#include <algorithm>
#include <cstring>

namespace stilvane {

namespace {

// Binary values of this size or more read as empty text.
constexpr DWORD kBinaryTextLimit = 2048;

std::string StringData(const RegValue& value) {
    const auto* begin = reinterpret_cast<const char*>(value.data.data());
    const auto* end = begin + value.data.size();
    return std::string(begin, std::find(begin, end, '\0'));
}

std::int32_t DwordData(const RegValue& value, const std::string& name) {
    // A REG_DWORD holding more than four bytes cannot be read as one.
    const auto number = ReadRegNumber(value.type, value.size, value.data).Narrow();
    if (!number)
        throw ERegistryException(MessageKind::RegRead, name, ERROR_INVALID_DATA);
    return static_cast<std::int32_t>(*number);
}

bool IsStringType(DWORD type) {
    return type == REG_SZ || type == REG_EXPAND_SZ;
}

// Reads a value for text or number use: strings whole, other kinds only when
// small enough to matter, so a huge binary value is never copied.
std::optional<RegValue> QueryValue(const RegistryKey& key, const std::string& name) {
    auto value = key.Query(name, kBinaryTextLimit - 1);
    if (value && IsStringType(value->type) && value->size >= kBinaryTextLimit)
        value = key.Query(name);
    return value;
}

} // namespace

std::string ReadRegString(HKEY root, const std::string& path, const std::string& name) {
    const auto key = RegistryKey::Open(root, path, kKeyReadRights);
    if (!key)
        return {};
    const auto value = QueryValue(key, name);
    if (!value)
        return {};
    switch (value->type) {
    case REG_BINARY:
        if (value->size >= kBinaryTextLimit)
            return {};
        return std::string(value->data.begin(), value->data.end());
    case REG_DWORD:
        return std::to_string(DwordData(*value, name));
    case REG_SZ:
    case REG_EXPAND_SZ:
        return StringData(*value);
    default:
        return {};
    }
}

void WriteRegString(HKEY root, const std::string& path, const std::string& name,
                    const std::string& text) {
    const auto key = RegistryKey::Create(root, path, KEY_SET_VALUE);
    const LONG status = key ? key.SetString(name, text) : key.Status();
    if (status != ERROR_SUCCESS)
        throw ERegistryException(MessageKind::RegWrite, name, static_cast<unsigned long>(status));
}

std::int32_t ReadRegInteger(HKEY root, const std::string& path, const std::string& name) {
    const auto key = RegistryKey::Open(root, path, kKeyReadRights);
    if (!key)
        return 0;
    const auto value = QueryValue(key, name);
    if (!value)
        return 0;
    const RegNumber number = ReadRegNumber(value->type, value->size, value->data);
    switch (value->type) {
    case REG_DWORD:
        return DwordData(*value, name);
    case REG_SZ:
    case REG_EXPAND_SZ:
        return StrToInt(number.text.value_or(std::string{}));
    case REG_BINARY:
        if (!number.Narrow())
            throw ERegistryException(messages::InvalidRegDataType(name));
        return static_cast<std::int32_t>(*number.Narrow());
    default:
        return 0;
    }
}

void DeleteRegValue(HKEY root, const std::string& path, const std::string& name) {
    const auto key = RegistryKey::Open(root, path, KEY_SET_VALUE);
    if (key)
        key.DeleteValue(name);
}

} // namespace stilvane
