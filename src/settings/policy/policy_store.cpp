#include "settings/policy/policy_store.h"

#include "framework/portable/errors.h"
#include "framework/system/ansi_text.h"
#include "framework/system/registry.h"
#include "settings/registry_number.h"

#include <windows.h>

#include <algorithm>
#include <string_view>
#include <utility>

namespace stilvane {

namespace {

// Room for more than any good entry: a longer value is not read whole.
constexpr DWORD kDataRoom = 16384;

// A value's name as ASCII text, or empty: the code page would turn digits
// of other scripts (full-width ones, say) into ASCII digits.
std::string AsciiName(std::wstring_view name) {
    std::string ascii;
    for (const wchar_t c : name) {
        if (c >= 0x80)
            return {};
        ascii += static_cast<char>(c);
    }
    return ascii;
}

// The entries of a list key, by their numbers; values of another kind or
// name, too long or of several lines are left out. Strings are read in
// Unicode, so that a character the code page lacks is noticed.
std::vector<std::string> ListIn(HKEY root, const std::string& path) {
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
        std::string entry;
        if (type == REG_SZ) {
            const std::wstring_view text(data.data(), size / sizeof(wchar_t));
            if (AnsiLine line = LineToAnsi(text.substr(0, text.find(L'\0'))); !line.lossy)
                entry = ManagedEntryOf(line.text);
        }
        const std::uint32_t number = ManagedEntryNumber(AsciiName({name.data(), nameLength}));
        if (number != 0 && !entry.empty())
            numbered.emplace_back(number, std::move(entry));
    }
    // By their numbers, which all differ (no name has a leading zero); an
    // entry listed twice is taken once, at its first place. Lists are short,
    // and this costs less code than a sort.
    std::vector<std::string> list;
    for (std::uint32_t last = 0;;) {
        std::size_t next = numbered.size();
        for (std::size_t i = 0; i < numbered.size(); ++i)
            if (numbered[i].first > last &&
                (next == numbered.size() || numbered[i].first < numbered[next].first))
                next = i;
        if (next == numbered.size())
            return list;
        last = numbered[next].first;
        if (std::find(list.begin(), list.end(), numbered[next].second) == list.end())
            list.push_back(std::move(numbered[next].second));
    }
}

std::optional<std::uint32_t> SwitchIn(const RegistryKey& key, const char* name) {
    try {
        const auto value = key.Query(name, sizeof(DWORD));
        return value ? ReadRegNumber(value->type, value->size, value->data).Dword() : std::nullopt;
    } catch (const ERegistryException&) {
        return std::nullopt;
    }
}

} // namespace

Policies PolicyStore::Read() const {
    Policies policies;
    // The machine's values first: they win.
    for (const HKEY root : {HKEY_LOCAL_MACHINE, HKEY_CURRENT_USER}) {
        const auto key = RegistryKey::Open(root, path_, KEY_QUERY_VALUE);
        for (const PolicyDefinition& definition : PolicyDefinitions()) {
            if (definition.kind == PolicyKind::List) {
                std::vector<std::string> list = ListIn(root, path_ + "\\" + definition.name);
                if (policies.managedExceptions.empty())
                    policies.managedExceptions = std::move(list);
                continue;
            }
            // Missing, unreadable, not a four-byte DWORD or another number:
            // not configured here.
            const auto data = key ? SwitchIn(key, definition.name) : std::nullopt;
            auto& setting = policies.switches[static_cast<int>(definition.id)];
            if (data && *data <= 1)
                setting = setting.value_or(*data == 1);
        }
    }
    return policies;
}

} // namespace stilvane
