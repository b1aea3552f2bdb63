// Colours, font descriptions and a drawing surface over a device context.
#pragma once

#include "framework/portable/color.h"
#include "framework/system/unique_handle.h"

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

namespace stilvane {

// The RGB value to draw with; `fallback` stands in for the special values
// that name no colour (clNone, clDefault).
COLORREF ColorToRGB(TColor color, COLORREF fallback);

struct FontStyles {
    bool bold = false;
    bool italic = false;
    bool underline = false;
    bool operator==(const FontStyles&) const = default;
};

struct FontSpec {
    std::string name = "MS Sans Serif";
    int height = -11; // pixels, negative: character height as in LOGFONT
    FontStyles style;
    TColor color = clWindowText;
    BYTE charset = DEFAULT_CHARSET;
    bool operator==(const FontSpec&) const = default;
};

UniqueFont CreateFontFrom(const FontSpec& spec);
// The description of a font the system made (e.g. a parent window's).
FontSpec FontSpecOf(HFONT font);

// A window's device context for the scope that measures or draws with it.
class WindowDC {
public:
    explicit WindowDC(HWND window) : window_(window), dc_(::GetDC(window)) {}
    ~WindowDC() { ::ReleaseDC(window_, dc_); }
    WindowDC(const WindowDC&) = delete;
    WindowDC& operator=(const WindowDC&) = delete;

    HDC Get() const { return dc_; }

private:
    HWND window_;
    HDC dc_;
};

// A font, pen or brush selected into a device context for a scope; what was
// selected before comes back when the scope ends, so that the context is
// handed back as it was found.
class ScopedSelection {
public:
    ScopedSelection(HDC dc, HGDIOBJ object) : dc_(dc), previous_(::SelectObject(dc, object)) {}
    ~ScopedSelection() {
        if (previous_)
            ::SelectObject(dc_, previous_);
    }
    ScopedSelection(const ScopedSelection&) = delete;
    ScopedSelection& operator=(const ScopedSelection&) = delete;

private:
    HDC dc_;
    HGDIOBJ previous_;
};

// The font a control draws with (WM_GETFONT); null for the system font.
HFONT FontOf(HWND control);

// A device context with a current font and brush, as the label draws on it.
// The caller owns the device context; the canvas puts back the font it found.
class TCanvas {
public:
    explicit TCanvas(HDC dc) : dc_(dc) {}

    HDC Handle() const { return dc_; }

    FontSpec font;
    TColor brushColor = clBtnFace;
    bool brushClear = false;

    // Size of `text` in the current font.
    SIZE TextExtent(std::string_view text);
    // Draws `text` with its top-left corner at (x, y) in the current font:
    // on the brush colour, or on nothing when the brush is clear.
    void TextOut(int x, int y, std::string_view text);
    void FillRect(const RECT& rect);

private:
    void SelectFont();

    HDC dc_;
    UniqueFont selected_;
    FontSpec selectedSpec_;
    // After the font: the one found goes back before the canvas's own is deleted.
    std::optional<ScopedSelection> original_;
};

} // namespace stilvane
