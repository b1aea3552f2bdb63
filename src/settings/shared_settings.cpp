#include "settings/shared_settings.h"

#include "framework/portable/errors.h"
#include "framework/portable/int_text.h"
#include "framework/system/registry.h"
#include "settings/marl_REG.h"
#include "settings/registry_number.h"
#include "settings/site_rule/blocked_site.h"

#include <algorithm>
#include <iterator>

namespace stilvane {

namespace {

// The stored address as Unicode up to its first NUL, as every string value
// is read; nullopt when there is none, an empty text when it is of another
// kind or longer than an address may be.
std::optional<std::wstring> StoredAddress(const RegistryKey& key) {
    const std::wstring name(std::begin(kValueBlockAddress), std::end(kValueBlockAddress) - 1);
    // Room for the longest address, its NUL and one more: a longer one fails.
    std::wstring data(kLongestAddress + 2, L'\0');
    DWORD type = REG_NONE, size = static_cast<DWORD>(data.size() * sizeof(wchar_t));
    const LONG status = ::RegQueryValueExW(key.Get(), name.c_str(), nullptr, &type,
                                           reinterpret_cast<BYTE*>(data.data()), &size);
    if (status == ERROR_FILE_NOT_FOUND)
        return std::nullopt;
    if (status != ERROR_SUCCESS || type != REG_SZ)
        return std::wstring();
    data.resize(size / sizeof(wchar_t));
    return data.substr(0, data.find(L'\0'));
}

// Signals longer than this are compared by their first bytes and size.
constexpr DWORD kSignalBytes = 2048;

// Whether a stored signal is a number 0, which tells of no block: the
// kinds and sizes a number takes, read as the integer readers read them.
bool IsNumberZero(const RegValue& value) {
    const RegNumber number = ReadRegNumber(value.type, value.size, value.data);
    switch (value.type) {
    case REG_DWORD:
    case REG_BINARY:
        return number.Narrow() == 0u;
    case REG_QWORD:
        return value.size == 8 && number.bits == 0u;
    case REG_DWORD_BIG_ENDIAN:
        return value.size == 4 && value.data.size() == 4 &&
               std::all_of(value.data.begin(), value.data.end(), [](auto b) { return b == 0; });
    case REG_SZ:
    case REG_EXPAND_SZ:
        return number.text && TryStrToInt(*number.text) == 0;
    default:
        return false;
    }
}

} // namespace

std::string SharedSettings::Read(const char* name) const {
    return ReadRegString(root_, path_, name);
}

void SharedSettings::Write(const char* name, bool on) const {
    WriteRegString(root_, path_, name, on ? "1" : "0");
}

void SharedSettings::PublishProgramDirectory(const std::string& directory) const {
    WriteRegString(root_, path_, kValueDirectory, directory);
}

bool SharedSettings::ReadBlocking() const {
    return Read(kValueBlocking) == "1";
}

bool SharedSettings::BlockingStoredAsOff() const {
    return Read(kValueBlocking) == "0";
}

void SharedSettings::WriteBlocking(bool on) const {
    Write(kValueBlocking, on);
}

bool SharedSettings::ReadSound() const {
    return Read(kValueSound) != "0";
}

bool SharedSettings::NormaliseSound() const {
    const bool on = ReadSound();
    Write(kValueSound, on);
    return on;
}

bool SharedSettings::SoundStoredAs(bool on) const {
    return Read(kValueSound) == (on ? "1" : "0");
}

bool SharedSettings::ProgramDirectoryPublished() const {
    return !Read(kValueDirectory).empty();
}

void SharedSettings::WriteSound(bool on) const {
    Write(kValueSound, on);
}

bool SharedSettings::KeyExists() const {
    return static_cast<bool>(RegistryKey::Open(root_, path_, KEY_QUERY_VALUE));
}

BlockSignal SharedSettings::TakeBlock(std::uint32_t milliseconds) {
    const auto key = RegistryKey::Open(root_, path_, KEY_QUERY_VALUE);
    if (!key)
        return {};
    BlockSignal signal;
    bool signalled = true;
    try {
        const std::optional<RegValue> value = key.Query(kValueBlockTime, kSignalBytes);
        signalled = value && !IsNumberZero(*value);
        if (signalled)
            signal.stored = std::to_string(value->type) + ' ' + std::to_string(value->size) + ' ' +
                            std::string(value->data.begin(), value->data.end());
    } catch (const ERegistryException&) {
        // Unreadable: a signal all the same.
    }
    // The blocker writes the address first: it is there with the signal.
    const std::optional<std::wstring> address = StoredAddress(key);
    if (!signalled) {
        if (address != waitingAddress_)
            waitingSince_ = milliseconds;
        waitingAddress_ = address;
        return {};
    }
    // An address that waited too long belongs to a block that never
    // signalled, not to this one.
    const bool stale = address && address == waitingAddress_ &&
                       milliseconds - waitingSince_ > kAddressWaitMilliseconds;
    waitingAddress_.reset();
    signal.blocked = true;
    const auto writable = RegistryKey::Open(root_, path_, KEY_SET_VALUE);
    const LONG deleted = writable ? writable.DeleteValue(kValueBlockTime) : writable.Status();
    if (deleted != ERROR_SUCCESS && deleted != ERROR_FILE_NOT_FOUND)
        signal.undeleted = static_cast<unsigned long>(deleted);
    if (address) {
        DeleteRegValue(root_, path_, kValueBlockAddress);
        if (!stale)
            signal.site = SiteOfAddress(CodePointsOf(*address));
    }
    return signal;
}

} // namespace stilvane
