// Colours as 32-bit values in the $00BBGGRR layout; with the top bit set,
// the low byte names a system colour (a GetSysColor index). Two values name
// no colour at all. Kept free of Windows headers for the label's markup.
#pragma once

#include <cstdint>

namespace stilvane {

using TColor = std::uint32_t;

constexpr TColor kSystemColorFlag = 0x80000000u;
constexpr TColor clWindowText = kSystemColorFlag | 8;
constexpr TColor clBtnFace = kSystemColorFlag | 15;
constexpr TColor clNone = 0x1FFFFFFF;
constexpr TColor clDefault = 0x20000000;

} // namespace stilvane
