#include "settings/records/controller_state.h"

#include "framework/portable/civil_time.h"
#include "framework/portable/errors.h"
#include "framework/system/registry.h"
#include "settings/marl_REG.h"
#include "settings/registry_number.h"

namespace stilvane {

namespace {

// Longer strings than any good record are not read whole.
constexpr DWORD kLongestString = 64;

std::optional<RegValue> Query(const RegistryKey& key, const char* name) {
    try {
        return key.Query(name, kLongestString);
    } catch (const ERegistryException&) {
        return RegValue{}; // there, but unreadable
    }
}

// The text of a REG_SZ value (or of an expandable one, when `expandable`
// counts) stored with its terminating NUL; empty text for anything else.
std::string StringOf(const RegValue& value, bool expandable = false) {
    if ((value.type != REG_SZ && !(expandable && value.type == REG_EXPAND_SZ)) ||
        value.data.empty() || value.data.back() != '\0')
        return {};
    return std::string(value.data.begin(), value.data.end() - 1);
}

std::uint32_t CountOf(const std::optional<RegValue>& value) {
    return value ? ReadRegNumber(value->type, value->size, value->data).Count() : 0;
}

} // namespace

std::optional<std::string> ControllerState::ReadPauseRecord() const {
    const auto key = RegistryKey::Open(root_, path_, kKeyReadRights);
    if (!key)
        return std::nullopt;
    const auto value = Query(key, kValuePauseEnds);
    if (!value)
        return std::nullopt;
    return StringOf(*value);
}

void ControllerState::WritePauseRecord(const std::string& text) const {
    WriteRegString(root_, path_, kValuePauseEnds, text);
}

void ControllerState::RemovePauseRecord() const {
    DeleteRegValue(root_, path_, kValuePauseEnds);
}

BlockCount ControllerState::ReadCount() const {
    BlockCount count;
    const auto key = RegistryKey::Open(root_, path_, kKeyReadRights);
    if (!key)
        return count;
    count.today = CountOf(Query(key, kValueBlockedToday));
    count.total = CountOf(Query(key, kValueBlockedTotal));
    if (const auto day = Query(key, kValueBlockedDay)) {
        count.day = StringOf(*day);
        if (!IsDayText(count.day))
            count.day.clear();
    }
    // Today's count means nothing without its day.
    if (count.day.empty())
        count.today = 0;
    return count;
}

void ControllerState::WriteCount(const BlockCount& count) const {
    const auto key = RegistryKey::Create(root_, path_, KEY_SET_VALUE);
    const auto check = [](LONG status, const char* name) {
        if (status != ERROR_SUCCESS)
            throw ERegistryException(MessageKind::RegWrite, name,
                                     static_cast<unsigned long>(status));
    };
    check(key.Status(), kValueBlockedToday);
    const DWORD today = count.today, total = count.total;
    check(key.SetBytes(kValueBlockedToday, REG_DWORD, &today, sizeof today), kValueBlockedToday);
    check(key.SetBytes(kValueBlockedTotal, REG_DWORD, &total, sizeof total), kValueBlockedTotal);
    check(key.SetString(kValueBlockedDay, count.day), kValueBlockedDay);
}

std::optional<BlockHistory> ControllerState::ReadHistory() const {
    const auto key = RegistryKey::Open(root_, path_, kKeyReadRights);
    if (!key)
        return std::nullopt;
    // A record is some 340 characters; a longer value is no record of ours.
    std::optional<RegValue> value;
    try {
        value = key.Query(kValueBlockedHistory, 1024);
    } catch (const ERegistryException&) {
    }
    return value ? ParseHistory(StringOf(*value)) : std::nullopt;
}

void ControllerState::WriteHistory(const BlockHistory& history) const {
    WriteRegString(root_, path_, kValueBlockedHistory, FormatHistory(history));
}

void ControllerState::ResetCount() const {
    DeleteValues({kValueBlockedTotal, kValueBlockedToday, kValueBlockedDay, kValueBlockedHistory,
                  kValueBlockedSites, kValueBlockedSiteCounts});
}

void ControllerState::ForgetSites() const {
    DeleteValues({kValueBlockedSites, kValueBlockedSiteCounts});
}

void ControllerState::DeleteValues(std::initializer_list<const char*> names) const {
    const auto key = RegistryKey::Open(root_, path_, KEY_SET_VALUE);
    if (!key && key.Status() == ERROR_FILE_NOT_FOUND)
        return; // nothing kept yet
    if (!key)
        throw ERegistryException(MessageKind::RegWrite, *names.begin(),
                                 static_cast<unsigned long>(key.Status()));
    for (const char* name : names) {
        const LONG status = key.DeleteValue(name);
        if (status != ERROR_SUCCESS && status != ERROR_FILE_NOT_FOUND)
            throw ERegistryException(MessageKind::RegWrite, name,
                                     static_cast<unsigned long>(status));
    }
}

bool ControllerState::ReadSwitch(const char* name) const {
    const auto key = RegistryKey::Open(root_, path_, kKeyReadRights);
    if (!key)
        return false;
    try {
        const auto value = key.Query(name, sizeof(DWORD));
        return value && ReadRegNumber(value->type, value->size, value->data).Dword() == 1u;
    } catch (const ERegistryException&) {
        return false;
    }
}

void ControllerState::WriteSwitch(const char* name, bool on) const {
    const DWORD value = on ? 1 : 0;
    const LONG status = RegistryKey::Create(root_, path_, KEY_SET_VALUE)
                            .SetBytes(name, REG_DWORD, &value, sizeof value);
    if (status != ERROR_SUCCESS)
        throw ERegistryException(MessageKind::RegWrite, name, static_cast<unsigned long>(status));
}

} // namespace stilvane
