#include "components/MarkupLabel.h"

#include "components/markup.h"
#include "framework/portable/text.h"

#include <windows.h>

#include <uxtheme.h>

#include <algorithm>

namespace stilvane {

namespace {

constexpr char kWindowClass[] = "StilvaneMarkupLabel";

// Puts back the canvas font's style and colour when a row is done, also when
// an error ends it.
class SavedFontLook {
public:
    explicit SavedFontLook(TCanvas& canvas)
        : canvas_(canvas), style_(canvas.font.style), color_(canvas.font.color) {}
    ~SavedFontLook() {
        canvas_.font.style = style_;
        canvas_.font.color = color_;
    }
    SavedFontLook(const SavedFontLook&) = delete;
    SavedFontLook& operator=(const SavedFontLook&) = delete;
    TColor Color() const { return color_; }

private:
    TCanvas& canvas_;
    FontStyles style_;
    TColor color_;
};

} // namespace

int RenderMarkupLine(TCanvas& canvas, int left, int top, std::string_view row, bool measureOnly) {
    const SavedFontLook saved(canvas);
    markup::Style style{canvas.font.style.bold, canvas.font.style.italic,
                        canvas.font.style.underline};
    TColor color = canvas.font.color;
    int x = left + 2;
    for (const markup::Piece& piece : markup::ScanRow(row)) {
        if (piece.isTag) {
            markup::ApplyTag(piece, style, color);
            canvas.font.style = {style.bold, style.italic, style.underline};
            // The special values draw in the label's own colour.
            canvas.font.color = (color == clNone || color == clDefault) ? saved.Color() : color;
            continue;
        }
        const std::string_view run = row.substr(piece.begin, piece.end - piece.begin);
        if (!measureOnly)
            canvas.TextOut(x, top, run);
        x += canvas.TextExtent(run).cx;
    }
    return x - left + 2;
}

void DrawMarkupLine(TCanvas& canvas, int left, int top, std::string_view row) {
    RenderMarkupLine(canvas, left, top, row, false);
}

int MeasureMarkupLine(TCanvas& canvas, std::string_view row) {
    return RenderMarkupLine(canvas, 0, 0, row, true);
}

TMarkupLabel::TMarkupLabel(TComponent* owner, HWND parent) : TComponent(owner) {
    if (parent)
        font_ = FontSpecOf(reinterpret_cast<HFONT>(::SendMessageA(parent, WM_GETFONT, 0, 0)));
    // Without a parent (as in tests) the window stays hidden.
    const DWORD style = parent ? WS_CHILD | WS_VISIBLE : WS_POPUP;
    CreateHandle({kWindowClass, ::LoadCursorA(nullptr, IDC_ARROW)},
                 {0, style, left_, top_, width_, height_, parent});
}

void TMarkupLabel::SetBounds(int left, int top, int width, int height) {
    left_ = left;
    top_ = top;
    width_ = width;
    height_ = height;
    ::MoveWindow(Handle(), left, top, width, height, TRUE);
}

void TMarkupLabel::SetCaption(std::string caption) {
    caption_ = std::move(caption);
    // Screen readers read the window's text: the words, not the tags.
    ::SetWindowTextA(Handle(), markup::PlainText(caption_).c_str());
    AdjustSize();
    Invalidate();
}

void TMarkupLabel::SetFont(FontSpec font) {
    font_ = std::move(font);
    AdjustSize();
    Invalidate();
}

void TMarkupLabel::SetColor(TColor color) {
    color_ = color;
    Invalidate();
}

void TMarkupLabel::SetTransparent(bool value) {
    transparent_ = value;
    Invalidate();
}

void TMarkupLabel::SetAlignment(TAlignment value) {
    alignment_ = value;
    Invalidate();
}

void TMarkupLabel::SetLayout(TTextLayout value) {
    layout_ = value;
    Invalidate();
}

void TMarkupLabel::SetAutoSize(bool value) {
    if (autoSize_ == value)
        return;
    autoSize_ = value;
    AdjustSize();
}

void TMarkupLabel::Loaded() {
    AdjustSize();
}

int TMarkupLabel::RowHeight(TCanvas& canvas) const {
    return canvas.TextExtent("W").cy;
}

void TMarkupLabel::Paint(TCanvas& canvas) const {
    canvas.font = font_;
    canvas.brushColor = color_;
    canvas.brushClear = transparent_;
    RECT client{0, 0, width_, height_};
    canvas.FillRect(client);
    const int rowHeight = RowHeight(canvas);
    const auto rows = SplitLines(caption_);
    const int count = static_cast<int>(rows.size());
    for (int i = 0; i < count; ++i) {
        int top = i * rowHeight;
        if (layout_ == TTextLayout::tlCenter)
            top = (height_ - count * rowHeight) / 2 + i * rowHeight;
        else if (layout_ == TTextLayout::tlBottom)
            top = height_ - (count - i) * rowHeight;
        int left = 0;
        if (alignment_ != TAlignment::taLeftJustify) {
            const int width = MeasureMarkupLine(canvas, rows[i]);
            left = alignment_ == TAlignment::taRightJustify ? width_ - width : (width_ - width) / 2;
        }
        DrawMarkupLine(canvas, left, top, rows[i]);
    }
}

void TMarkupLabel::AdjustSize() {
    if (!autoSize_ || Loading())
        return;
    int newWidth = 0, newHeight = 0;
    {
        const WindowDC screen(nullptr);
        TCanvas canvas(screen.Get());
        canvas.font = font_;
        const auto rows = SplitLines(caption_);
        newHeight = RowHeight(canvas) * static_cast<int>(rows.size());
        for (const auto& row : rows)
            newWidth = std::max(newWidth, MeasureMarkupLine(canvas, row));
    }
    int newLeft = left_;
    if (alignment_ == TAlignment::taRightJustify)
        newLeft = left_ + width_ - newWidth;
    SetBounds(newLeft, top_, newWidth, newHeight);
}

void TMarkupLabel::Invalidate() const {
    ::InvalidateRect(Handle(), nullptr, TRUE);
}

LRESULT TMarkupLabel::WindowProc(UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
    case WM_ERASEBKGND:
        return 1; // painted together with the text
    case WM_PAINT: {
        PAINTSTRUCT paint;
        HDC dc = ::BeginPaint(Handle(), &paint);
        if (transparent_ && ::GetParent(Handle())) {
            // The parent's face, as its theme or class brush paints it.
            RECT client{0, 0, width_, height_};
            ::DrawThemeParentBackground(Handle(), dc, &client);
        }
        {
            TCanvas canvas(dc);
            Paint(canvas);
        }
        ::EndPaint(Handle(), &paint);
        return 0;
    }
    case WM_NCHITTEST:
        return HTTRANSPARENT;
    case WM_THEMECHANGED:
    case WM_SYSCOLORCHANGE:
        // The colours are looked up at paint time; paint again.
        Invalidate();
        break;
    }
    return Window::WindowProc(message, wParam, lParam);
}

} // namespace stilvane
