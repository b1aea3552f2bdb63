#include "settings/shared_settings.h"

#include "framework/ansi_text.h"
#include "framework/errors.h"
#include "framework/registry.h"
#include "settings/blocked_site.h"
#include "settings/marl_REG.h"

#include <climits>
#include <iterator>

namespace stilvane {

namespace {

// The characters of text in the ANSI code page; nullopt when some bytes
// are none of it.
std::optional<std::wstring> ReadAnsi(std::string_view bytes) {
    if (bytes.empty() || bytes.size() > INT_MAX / 2)
        return std::nullopt;
    const int count = static_cast<int>(bytes.size());
    const int size =
        ::MultiByteToWideChar(CP_ACP, MB_ERR_INVALID_CHARS, bytes.data(), count, nullptr, 0);
    if (size <= 0)
        return std::nullopt;
    std::wstring wide(static_cast<std::size_t>(size), L'\0');
    ::MultiByteToWideChar(CP_ACP, MB_ERR_INVALID_CHARS, bytes.data(), count, wide.data(), size);
    return wide;
}

// The site of the stored address, empty when it names none; nullopt when
// there is no address. Read as Unicode, so that a character the code page
// lacks is noticed rather than read as a "?" that would end the host.
std::optional<std::string> StoredSite(const RegistryKey& key) {
    const std::wstring name(std::begin(kValueBlockAddress), std::end(kValueBlockAddress) - 1);
    // Room for the longest address, its NUL and one more: a longer one fails.
    std::wstring data(kLongestAddress + 2, L'\0');
    DWORD type = REG_NONE, size = static_cast<DWORD>(data.size() * sizeof(wchar_t));
    const LONG status = ::RegQueryValueExW(key.Get(), name.c_str(), nullptr, &type,
                                           reinterpret_cast<BYTE*>(data.data()), &size);
    if (status == ERROR_FILE_NOT_FOUND)
        return std::nullopt;
    if (status != ERROR_SUCCESS || type != REG_SZ)
        return std::string();
    data.resize(size / sizeof(wchar_t));
    if (!data.empty() && data.back() == L'\0')
        data.pop_back();
    if (data.find(L'\0') != std::wstring::npos)
        return std::string();
    return SiteOfAddress(WideToAnsi(data, Unmappable::Refuse), ReadAnsi);
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

BlockSignal SharedSettings::TakeBlock() const {
    bool signalled;
    try {
        signalled = ReadRegInteger(root_, path_, kValueBlockTime) != 0;
    } catch (const EConvertError&) {
        signalled = true;
    } catch (const ERegistryException&) {
        signalled = true;
    }
    if (!signalled)
        return {};
    // The blocker writes the address first: it is there with the signal.
    const auto key = RegistryKey::Open(root_, path_, KEY_QUERY_VALUE);
    const std::optional<std::string> site = key ? StoredSite(key) : std::nullopt;
    DeleteRegValue(root_, path_, kValueBlockTime);
    if (site)
        DeleteRegValue(root_, path_, kValueBlockAddress);
    return {true, site.value_or("")};
}

} // namespace stilvane
