#include "settings/shared_settings.h"

#include "framework/errors.h"
#include "framework/registry.h"
#include "settings/blocked_site.h"
#include "settings/marl_REG.h"

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

BlockSignal SharedSettings::TakeBlock(std::uint32_t milliseconds) {
    bool signalled;
    try {
        signalled = ReadRegInteger(root_, path_, kValueBlockTime) != 0;
    } catch (const EConvertError&) {
        signalled = true;
    } catch (const ERegistryException&) {
        signalled = true;
    }
    // The blocker writes the address first: it is there with the signal.
    const auto key = RegistryKey::Open(root_, path_, KEY_QUERY_VALUE);
    const std::optional<std::wstring> address = key ? StoredAddress(key) : std::nullopt;
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
    DeleteRegValue(root_, path_, kValueBlockTime);
    if (!address)
        return {true, ""};
    DeleteRegValue(root_, path_, kValueBlockAddress);
    return {true, stale ? "" : SiteOfAddress(CodePointsOf(*address))};
}

} // namespace stilvane
