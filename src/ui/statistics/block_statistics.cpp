#include "ui/statistics/block_statistics.h"

#include "framework/portable/errors.h"
#include "framework/system/registry.h"
#include "framework/system/system_error.h"

#include <algorithm>

namespace stilvane {

void BlockStatistics::Read() {
    count_ = state_.ReadCount();
    const auto stored = state_.ReadHistory();
    history_ = stored.value_or(BlockHistory{});
    historyStored_ = stored.has_value();
}

void BlockStatistics::RaiseWriteError(const std::exception& cause) const {
    throw EOperationError(
        FailureText(texts_[TextKey::ErrorCount], KeyName(state_.Root(), state_.Path()), cause));
}

void BlockStatistics::CountBlock(const std::string& today) {
    const BlockCount counted = stilvane::CountBlock(count_, today);
    try {
        state_.WriteCount(counted);
    } catch (const ERegistryException& error) {
        RaiseWriteError(error);
    }
    count_ = counted;
}

void BlockStatistics::TakeInDaysBefore(const std::string& today) {
    const BlockHistory current = HistoryAsOf(history_, count_, today);
    // Nothing to keep is no reason to write: a first start writes nothing.
    const bool nothing = std::all_of(current.counts.begin(), current.counts.end(),
                                     [](std::uint32_t n) { return n == 0; });
    if (historyStored_ ? current == history_ : nothing) {
        history_ = current;
        return;
    }
    try {
        state_.WriteHistory(current);
    } catch (const ERegistryException& error) {
        RaiseWriteError(error);
    }
    history_ = current;
    historyStored_ = true;
}

void BlockStatistics::Reset() {
    try {
        state_.ResetCount();
    } catch (const ERegistryException& error) {
        RaiseWriteError(error);
    }
    count_ = {};
    history_ = {};
    historyStored_ = false;
}

} // namespace stilvane
