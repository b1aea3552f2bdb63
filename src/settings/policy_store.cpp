#include "settings/policy_store.h"

#include "framework/ansi_text.h"
#include "framework/registry.h"

#include <windows.h>

#include <algorithm>
#include <set>
#include <string_view>
#include <utility>

namespace stilvane {

namespace {

// Room for more than any good entry: a longer value is not read whole.
constexpr DWORD kDataRoom = 16384;

// The entries of a list key, by their numbers; `shown` names the key in
// `ignored`. Strings are read in Unicode, so that a character the code
// page lacks is noticed.
std::vector<std::string> ListIn(HKEY root, const std::string& path, const std::string& shown,
                                std::vector<std::string>& ignored) {
    std::vector<std::pair<std::uint32_t, std::string>> numbered;
    const auto key = RegistryKey::Open(root, path, KEY_QUERY_VALUE);
    std::wstring name(16384, L'\0'), data(kDataRoom / sizeof(wchar_t), L'\0');
    for (DWORD index = 0; key; ++index) {
        DWORD nameLength = static_cast<DWORD>(name.size()), size = kDataRoom, type = 0;
        LONG status = ::RegEnumValueW(key.Get(), index, name.data(), &nameLength, nullptr, &type,
                                      reinterpret_cast<BYTE*>(data.data()), &size);
        if (status == ERROR_MORE_DATA) {
            nameLength = static_cast<DWORD>(name.size());
            status = ::RegEnumValueW(key.Get(), index, name.data(), &nameLength, nullptr, nullptr,
                                     nullptr, nullptr);
            type = REG_NONE;
        }
        if (status != ERROR_SUCCESS)
            break;
        const std::wstring_view text(data.data(), size / sizeof(wchar_t));
        const AnsiLine line = LineToAnsi(text.substr(0, text.find(L'\0')));
        const std::string valueName = WideToAnsi({name.data(), nameLength});
        const std::uint32_t number = ManagedEntryNumber(valueName);
        std::string entry = type == REG_SZ && !line.lossy ? ManagedEntryOf(line.text) : "";
        if (number == 0 || entry.empty()) {
            ignored.push_back(shown + valueName);
            continue;
        }
        numbered.emplace_back(number, std::move(entry));
    }
    // By their numbers, which all differ (no name has a leading zero); an
    // entry listed twice is taken once, at its first place.
    std::sort(numbered.begin(), numbered.end());
    std::vector<std::string> list;
    std::set<std::string_view> taken;
    for (const auto& numberedEntry : numbered)
        if (taken.insert(numberedEntry.second).second)
            list.push_back(numberedEntry.second);
    return list;
}

} // namespace

PolicyReading PolicyStore::Read() const {
    PolicyReading reading;
    Policies& policies = reading.policies;
    // The machine's values first: they win.
    for (const HKEY root : {HKEY_LOCAL_MACHINE, HKEY_CURRENT_USER}) {
        const std::string shown = KeyName(root, path_) + "\\";
        const auto key = RegistryKey::Open(root, path_, KEY_QUERY_VALUE);
        for (const PolicyDefinition& definition : PolicyDefinitions()) {
            if (definition.kind == PolicyKind::List) {
                std::vector<std::string> list =
                    ListIn(root, path_ + "\\" + definition.name, shown + definition.name + "\\",
                           reading.ignored);
                if (policies.managedExceptions.empty())
                    policies.managedExceptions = std::move(list);
                continue;
            }
            DWORD type = REG_NONE, data = 0, size = sizeof data;
            const LONG status = key ? ::RegQueryValueExA(key.Get(), definition.name, nullptr, &type,
                                                         reinterpret_cast<BYTE*>(&data), &size)
                                    : ERROR_FILE_NOT_FOUND;
            if (status == ERROR_FILE_NOT_FOUND)
                continue;
            auto& setting = policies.switches[static_cast<int>(definition.id)];
            if (status == ERROR_SUCCESS && type == REG_DWORD && size == sizeof data && data <= 1)
                setting = setting.value_or(data == 1);
            else
                reading.ignored.push_back(shown + definition.name);
        }
    }
    return reading;
}

} // namespace stilvane
