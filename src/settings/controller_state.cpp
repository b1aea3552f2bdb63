#include "settings/controller_state.h"

#include "framework/errors.h"
#include "framework/registry.h"
#include "settings/marl_REG.h"

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

std::string StringOf(const RegValue& value) {
    if (value.type != REG_SZ || value.data.empty() || value.data.back() != '\0')
        return {};
    return std::string(value.data.begin(), value.data.end() - 1);
}

std::uint32_t DwordOf(const std::optional<RegValue>& value) {
    if (!value || value->type != REG_DWORD || value->data.size() != 4)
        return 0;
    const auto& b = value->data;
    return b[0] | b[1] << 8 | b[2] << 16 | static_cast<std::uint32_t>(b[3]) << 24;
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
    count.today = DwordOf(Query(key, kValueBlockedToday));
    count.total = DwordOf(Query(key, kValueBlockedTotal));
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
    const auto failed = [](const char* name) {
        return ERegistryException(messages::RegSetDataFailed(name));
    };
    if (!key)
        throw failed(kValueBlockedToday);
    const DWORD today = count.today, total = count.total;
    if (!key.SetBytes(kValueBlockedToday, REG_DWORD, &today, sizeof today))
        throw failed(kValueBlockedToday);
    if (!key.SetBytes(kValueBlockedTotal, REG_DWORD, &total, sizeof total))
        throw failed(kValueBlockedTotal);
    if (!key.SetString(kValueBlockedDay, count.day))
        throw failed(kValueBlockedDay);
}

} // namespace stilvane
