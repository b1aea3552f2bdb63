// The tray icon's two-row tip: what the state is (the title, or until when
// blocking is paused) over the count of blocked popups.
#pragma once

#include <cstddef>
#include <string>

#include "framework/portable/text.h"

namespace stilvane {

// The shell shows at most this many characters of a tip (its buffer holds
// one more, the terminating NUL).
constexpr std::size_t kTipChars = 127;

// The rows joined by a line break, cut so that the whole fits the shell's
// buffer; the first row gives way to the second only beyond half the room.
// No row is cut within a character.
std::string TrayTip(const std::string& first, const std::string& second,
                    LeadByteTest isLead = nullptr);

} // namespace stilvane
