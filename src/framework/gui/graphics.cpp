#include "framework/gui/graphics.h"

#include <cstring>

namespace stilvane {

COLORREF ColorToRGB(TColor color, COLORREF fallback) {
    if (color & 0x80000000u)
        return ::GetSysColor(static_cast<int>(color & 0xFF));
    if (color > 0x00FFFFFFu) // clNone, clDefault and other non-colours
        return fallback;
    return static_cast<COLORREF>(color);
}

UniqueFont CreateFontFrom(const FontSpec& spec) {
    LOGFONTA logFont{};
    logFont.lfHeight = spec.height;
    logFont.lfWeight = spec.style.bold ? FW_BOLD : FW_NORMAL;
    logFont.lfItalic = spec.style.italic;
    logFont.lfUnderline = spec.style.underline;
    logFont.lfCharSet = spec.charset;
    logFont.lfQuality = DEFAULT_QUALITY;
    std::strncpy(logFont.lfFaceName, spec.name.c_str(), LF_FACESIZE - 1);
    return UniqueFont(::CreateFontIndirectA(&logFont));
}

FontSpec FontSpecOf(HFONT font) {
    FontSpec spec;
    LOGFONTA logFont{};
    if (font && ::GetObjectA(font, sizeof logFont, &logFont) == sizeof logFont) {
        spec.name = logFont.lfFaceName;
        spec.height = logFont.lfHeight;
        spec.style = {logFont.lfWeight >= FW_BOLD, logFont.lfItalic != 0, logFont.lfUnderline != 0};
        spec.charset = logFont.lfCharSet;
    }
    return spec;
}

HFONT FontOf(HWND control) {
    return reinterpret_cast<HFONT>(::SendMessageW(control, WM_GETFONT, 0, 0));
}

void TCanvas::SelectFont() {
    if (selected_ && selectedSpec_ == font)
        return;
    UniqueFont created = CreateFontFrom(font);
    if (original_)
        ::SelectObject(dc_, created.Get());
    else
        original_.emplace(dc_, created.Get());
    selected_ = std::move(created); // the old one is no longer selected
    selectedSpec_ = font;
}

SIZE TCanvas::TextExtent(std::string_view text) {
    SelectFont();
    SIZE size{0, 0};
    ::GetTextExtentPoint32A(dc_, text.data(), static_cast<int>(text.size()), &size);
    return size;
}

void TCanvas::TextOut(int x, int y, std::string_view text) {
    SelectFont();
    const COLORREF windowText = ::GetSysColor(COLOR_WINDOWTEXT);
    ::SetTextColor(dc_, ColorToRGB(font.color, windowText));
    if (brushClear) {
        ::SetBkMode(dc_, TRANSPARENT);
    } else {
        ::SetBkMode(dc_, OPAQUE);
        ::SetBkColor(dc_, ColorToRGB(brushColor, ::GetSysColor(COLOR_BTNFACE)));
    }
    ::ExtTextOutA(dc_, x, y, 0, nullptr, text.data(), static_cast<UINT>(text.size()), nullptr);
}

void TCanvas::FillRect(const RECT& rect) {
    if (brushClear)
        return;
    HBRUSH brush = ::CreateSolidBrush(ColorToRGB(brushColor, ::GetSysColor(COLOR_BTNFACE)));
    ::FillRect(dc_, &rect, brush);
    ::DeleteObject(brush);
}

} // namespace stilvane
