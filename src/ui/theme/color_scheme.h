// Which colours the exceptions editor takes: the system's, or the program's
// dark ones when Windows runs apps dark. High contrast always gets the
// system's: its user chose those colours to read at all. Platform-free.
#pragma once

#include "framework/portable/color.h"

namespace stilvane {

enum class ColorScheme { System, Dark };

constexpr ColorScheme ChooseColorScheme(bool highContrast, bool appsUseLightTheme) {
    return highContrast || appsUseLightTheme ? ColorScheme::System : ColorScheme::Dark;
}

// The dark colours, in the $00BBGGRR layout: text at least 4.5 times as
// bright as what it stands on, outlines 3 times. Selections keep the
// system's highlight colours, which stand out on light and dark alike.
namespace dark {
constexpr TColor kFace = 0x202020;          // the window, the label
constexpr TColor kText = 0xFFFFFF;          // text on the face, in the fields, on buttons
constexpr TColor kField = 0x2B2B2B;         // the list and the field
constexpr TColor kCue = 0xA8A8A8;           // the hint in the empty field
constexpr TColor kButton = 0x383838;        // a button at rest
constexpr TColor kButtonHot = 0x4A4A4A;     // under the pointer
constexpr TColor kButtonPressed = 0x2A2A2A; // held down
constexpr TColor kButtonBorder = 0x8C8C8C;  // a button's outline; white while it has the focus
constexpr TColor kDisabledText = 0xAAAAAA;
constexpr TColor kBevelShadow = 0x0E0E0E; // the separator's upper and lower line
constexpr TColor kBevelLight = 0x707070;
} // namespace dark

} // namespace stilvane
