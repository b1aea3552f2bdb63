// The count of blocked popups and its history of the last days, as the
// controller keeps them: read at start-up, one more at each block (one write,
// as always), the history brought up to date once a day, and both reset on
// the user's word.
#pragma once

#include "settings/language/language_texts.h"
#include "settings/records/block_count.h"
#include "settings/records/block_history.h"
#include "settings/records/controller_state.h"

#include <array>
#include <cstdint>
#include <string>

namespace stilvane {

class BlockStatistics {
public:
    // The texts must outlive the statistics.
    BlockStatistics(ControllerState state, const LanguageTexts& texts)
        : state_(std::move(state)), texts_(texts) {}

    // The count and its history as stored.
    void Read();
    // One more block on `today`, counted once it is stored; raises
    // EOperationError in the user's language when it cannot be.
    void CountBlock(const std::string& today);
    // Brings the history up to `today`: a day that has ended goes into it,
    // in one write, and only when that changes the stored history. Raises
    // EOperationError when it cannot be written.
    void TakeInDaysBefore(const std::string& today);
    // Everything counted goes; raises EOperationError when it cannot.
    void Reset();

    const BlockCount& Count() const { return count_; }
    // The last days, oldest first, today last.
    std::array<std::uint32_t, kHistoryDays> LastDays(const std::string& today) const {
        return stilvane::LastDays(history_, count_, today);
    }

private:
    [[noreturn]] void RaiseWriteError(const std::exception& cause) const;

    ControllerState state_;
    const LanguageTexts& texts_;
    BlockCount count_;
    BlockHistory history_;
    bool historyStored_ = false; // the stored history is history_
};

} // namespace stilvane
