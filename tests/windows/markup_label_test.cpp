// The markup label drawn into memory bitmaps and measured with real fonts.
#include "components/MarkupLabel.h"
#include "framework/portable/errors.h"
#include "settings/language/language_texts.h"

#include <gtest/gtest.h>
#include <windows.h>

#include <cstdio>
#include <memory>
#include <vector>

namespace stilvane {
namespace {

constexpr COLORREF kWhite = RGB(255, 255, 255);

// A white 32-bit bitmap selected into a memory device context.
class Bitmap {
public:
    Bitmap(int width, int height) : width_(width), height_(height) {
        BITMAPINFO info{};
        info.bmiHeader.biSize = sizeof info.bmiHeader;
        info.bmiHeader.biWidth = width;
        info.bmiHeader.biHeight = -height; // top-down
        info.bmiHeader.biPlanes = 1;
        info.bmiHeader.biBitCount = 32;
        dc_ = ::CreateCompatibleDC(nullptr);
        bitmap_ = ::CreateDIBSection(dc_, &info, DIB_RGB_COLORS, &bits_, nullptr, 0);
        old_ = ::SelectObject(dc_, bitmap_);
        std::fill_n(static_cast<std::uint32_t*>(bits_), width * height, 0x00FFFFFFu);
    }
    ~Bitmap() {
        ::SelectObject(dc_, old_);
        ::DeleteObject(bitmap_);
        ::DeleteDC(dc_);
    }
    HDC Dc() const { return dc_; }
    COLORREF Pixel(int x, int y) const {
        ::GdiFlush();
        const std::uint32_t bgr = static_cast<std::uint32_t*>(bits_)[y * width_ + x];
        return RGB((bgr >> 16) & 0xFF, (bgr >> 8) & 0xFF, bgr & 0xFF);
    }
    bool Ink(int x, int y) const { return Pixel(x, y) != kWhite; }
    // Columns and rows that hold any non-white pixel: {first, last}, or -1.
    std::pair<int, int> InkColumns() const {
        int first = -1, last = -1;
        for (int x = 0; x < width_; ++x)
            for (int y = 0; y < height_; ++y)
                if (Ink(x, y)) {
                    if (first < 0)
                        first = x;
                    last = x;
                    break;
                }
        return {first, last};
    }
    int FirstInkRow() const {
        for (int y = 0; y < height_; ++y)
            for (int x = 0; x < width_; ++x)
                if (Ink(x, y))
                    return y;
        return -1;
    }
    int Count(COLORREF color) const {
        return CountIf([color](COLORREF c) { return c == color; });
    }
    template <typename Predicate> int CountIf(Predicate predicate) const {
        int n = 0;
        for (int y = 0; y < height_; ++y)
            for (int x = 0; x < width_; ++x)
                n += predicate(Pixel(x, y));
        return n;
    }
    // One row of pixels; empty outside the bitmap.
    std::vector<COLORREF> Row(int y) const {
        std::vector<COLORREF> row;
        if (y >= 0 && y < height_)
            for (int x = 0; x < width_; ++x)
                row.push_back(Pixel(x, y));
        return row;
    }
    bool SameAs(const Bitmap& other) const {
        ::GdiFlush();
        return std::equal(static_cast<std::uint32_t*>(bits_),
                          static_cast<std::uint32_t*>(bits_) + width_ * height_,
                          static_cast<std::uint32_t*>(other.bits_));
    }

private:
    int width_, height_;
    HDC dc_;
    HBITMAP bitmap_;
    HGDIOBJ old_;
    void* bits_ = nullptr;
};

FontSpec WindowFont() {
    FontSpec font; // "MS Sans Serif", height -11, as the main window has it
    font.color = 0x000000;
    return font;
}

// Draws one row on a white bitmap with a clear brush.
std::unique_ptr<Bitmap> DrawRow(std::string_view row, int left = 0, FontSpec font = WindowFont()) {
    auto bitmap = std::make_unique<Bitmap>(300, 30);
    TCanvas canvas(bitmap->Dc());
    canvas.font = font;
    canvas.brushClear = true;
    DrawMarkupLine(canvas, left, 0, row);
    return bitmap;
}

int Measure(std::string_view row, FontSpec font = WindowFont()) {
    Bitmap bitmap(1, 1);
    TCanvas canvas(bitmap.Dc());
    canvas.font = font;
    return MeasureMarkupLine(canvas, row);
}

TEST(MarkupLine, WidthIsTheRunsPlusFourAndBoldIsWider) {
    const int regular = Measure("Wide text");
    const int bold = Measure("<b>Wide text</b>");
    EXPECT_GT(bold, regular);
    EXPECT_EQ(Measure(""), 4);
    EXPECT_EQ(Measure("<b></b><c:red>"), 4);
    // Runs are measured one by one, each in its own style.
    EXPECT_EQ(Measure("<b>ab</b>cd"), (Measure("<b>ab") - 4) + (Measure("cd") - 4) + 4);
}

TEST(MarkupLine, NextRunStartsRightAfterABoldRun) {
    const auto whole = DrawRow("<b>ab</b>cd");
    const int boldWidth = Measure("<b>ab") - 4;
    Bitmap pieces(300, 30);
    {
        TCanvas canvas(pieces.Dc());
        canvas.font = WindowFont();
        canvas.brushClear = true;
        DrawMarkupLine(canvas, 0, 0, "<b>ab");
        DrawMarkupLine(canvas, boldWidth, 0, "cd");
    }
    EXPECT_TRUE(whole->SameAs(pieces));
    EXPECT_EQ(whole->InkColumns().first >= 2, true) << "text starts 2 pixels in";
}

// Text may be smoothed, so pixels are classed by hue rather than matched.
bool Reddish(COLORREF c) {
    return GetRValue(c) > GetGValue(c) + 80 && GetRValue(c) > GetBValue(c) + 80;
}
bool Bluish(COLORREF c) {
    return GetBValue(c) > GetGValue(c) + 80 && GetBValue(c) > GetRValue(c) + 80;
}
bool Dark(COLORREF c) {
    return GetRValue(c) < 100 && GetGValue(c) < 100 && GetBValue(c) < 100;
}

TEST(MarkupLine, ColourTags) {
    EXPECT_GT(DrawRow("<c:red>XXXX")->CountIf(Reddish), 10);
    EXPECT_EQ(DrawRow("<c:red>XXXX")->CountIf(Dark), 0);
    EXPECT_GT(DrawRow("<c:$FF0000>XXXX")->CountIf(Bluish), 10);
    for (const char* row : {"<c:255>XXXX", "<c:Rot>XXXX", "<c:>XXXX", "<c:none>XXXX"}) {
        const auto drawn = DrawRow(row);
        EXPECT_EQ(drawn->CountIf(Reddish), 0) << row;
        EXPECT_GT(drawn->CountIf(Dark), 10) << row << ": drawn in the label colour";
    }
    // Tag text is never drawn: same pixels as the bare text.
    EXPECT_TRUE(DrawRow("<c:255>XXXX")->SameAs(*DrawRow("XXXX")));
    EXPECT_TRUE(DrawRow("XXXX<c:Red")->SameAs(*DrawRow("XXXX")));
}

TEST(MarkupLine, CanvasFontIsPutBack) {
    Bitmap bitmap(10, 10);
    TCanvas canvas(bitmap.Dc());
    canvas.font = WindowFont();
    MeasureMarkupLine(canvas, "<b><i><u><c:red>x");
    EXPECT_EQ(canvas.font, WindowFont());
}

TEST(ScopedSelection, PutsBackWhatWasSelectedEvenWhenSelectionsNest) {
    Bitmap bitmap(1, 1);
    const HGDIOBJ before = ::GetCurrentObject(bitmap.Dc(), OBJ_FONT);
    const UniqueFont outer = CreateFontFrom(WindowFont()), inner = CreateFontFrom(FontSpec{});
    {
        const ScopedSelection first(bitmap.Dc(), outer.Get());
        {
            const ScopedSelection second(bitmap.Dc(), inner.Get());
            EXPECT_EQ(::GetCurrentObject(bitmap.Dc(), OBJ_FONT), inner.Get());
        }
        EXPECT_EQ(::GetCurrentObject(bitmap.Dc(), OBJ_FONT), outer.Get());
    }
    EXPECT_EQ(::GetCurrentObject(bitmap.Dc(), OBJ_FONT), before);
}

class Label : public ::testing::Test {
protected:
    // Paints the label into a bitmap of its size.
    std::unique_ptr<Bitmap> Painted() {
        auto bitmap = std::make_unique<Bitmap>(label.Width(), label.Height());
        TCanvas canvas(bitmap->Dc());
        label.Paint(canvas);
        return bitmap;
    }
    // A fixed-size white label in the window's font, for pixel checks.
    void PlainLabel(int width, int height) {
        label.SetAutoSize(false);
        label.SetFont(WindowFont());
        label.SetColor(0xFFFFFF);
        label.SetBounds(0, 0, width, height);
    }
    int RowHeight() {
        Bitmap bitmap(1, 1);
        TCanvas canvas(bitmap.Dc());
        canvas.font = label.Font();
        return label.RowHeight(canvas);
    }

    TMarkupLabel label{nullptr, nullptr};
};

TEST_F(Label, StartsAt65x17WithAutoSizeOn) {
    EXPECT_TRUE(label.AutoSize());
    EXPECT_EQ(label.Width(), 65);
    EXPECT_EQ(label.Height(), 17);
}

TEST_F(Label, RowTopsByLayout) {
    PlainLabel(100, 80);
    label.SetCaption("X\r\nX");
    const int rowHeight = RowHeight();
    label.SetLayout(TTextLayout::tlTop);
    const int top = Painted()->FirstInkRow();
    ASSERT_GE(top, 0);
    label.SetLayout(TTextLayout::tlCenter);
    EXPECT_EQ(Painted()->FirstInkRow(), top + (80 - 2 * rowHeight) / 2);
    label.SetLayout(TTextLayout::tlBottom);
    EXPECT_EQ(Painted()->FirstInkRow(), top + 80 - 2 * rowHeight);
}

TEST_F(Label, CenterLayoutOverflowsBothEdgesWhenRowsDoNotFit) {
    PlainLabel(60, 10);
    label.SetCaption("A\r\nB\r\nC");
    const int rowHeight = RowHeight();
    label.SetBounds(0, 0, 60, 3 * rowHeight);
    const auto full = Painted();
    label.SetBounds(0, 0, 60, 10);
    label.SetLayout(TTextLayout::tlCenter);
    const auto clipped = Painted();
    const int shift = (10 - 3 * rowHeight) / 2; // negative, truncated toward zero
    ASSERT_LT(shift, 0);
    for (int y = 0; y < 10; ++y)
        EXPECT_EQ(clipped->Row(y), full->Row(y - shift)) << "row " << y;
}

TEST_F(Label, AlignmentPlacesRowsByTheirMeasuredWidth) {
    PlainLabel(200, 20);
    label.SetCaption("<b>Ab</b>c");
    const int width = Measure("<b>Ab</b>c");
    label.SetAlignment(TAlignment::taLeftJustify);
    const auto left = Painted()->InkColumns();
    label.SetAlignment(TAlignment::taRightJustify);
    const auto right = Painted()->InkColumns();
    label.SetAlignment(TAlignment::taCenter);
    const auto center = Painted()->InkColumns();
    EXPECT_EQ(right.first - left.first, 200 - width);
    EXPECT_LE(right.second, 200 - 3) << "ends 2 pixels before the right edge";
    EXPECT_EQ(center.first - left.first, (200 - width) / 2);
}

TEST_F(Label, DisabledLooksLikeEnabled) {
    label.SetAutoSize(false);
    label.SetBounds(0, 0, 120, 20);
    label.SetCaption("<u>Text</u>");
    const auto enabled = Painted();
    label.SetEnabled(false);
    EXPECT_TRUE(Painted()->SameAs(*enabled));
}

TEST_F(Label, OpaqueFillsTransparentDoesNot) {
    label.SetAutoSize(false);
    label.SetBounds(0, 0, 50, 20);
    label.SetCaption("");
    label.SetColor(0x0000FF); // red
    EXPECT_EQ(Painted()->Count(RGB(255, 0, 0)), 50 * 20);
    label.SetTransparent(true);
    EXPECT_EQ(Painted()->Count(RGB(255, 0, 0)), 0);
}

TEST_F(Label, AutoSizeFitsTheRows) {
    label.SetFont(WindowFont());
    label.SetBounds(10, 10, 65, 17);
    label.SetCaption("");
    EXPECT_EQ(label.Width(), 0);
    EXPECT_EQ(label.Height(), 0);
    label.SetCaption("eins\r\n<b>zwei zwei</b>\r\n");
    EXPECT_EQ(label.Height(), 2 * RowHeight());
    EXPECT_EQ(label.Width(), Measure("<b>zwei zwei</b>"));
    EXPECT_EQ(label.Left(), 10);
}

TEST_F(Label, AutoSizeKeepsTheRightEdgeOfARightJustifiedLabel) {
    label.SetFont(WindowFont());
    label.SetAlignment(TAlignment::taRightJustify);
    label.SetCaption("kurz");
    label.SetBounds(100, 5, label.Width(), label.Height());
    const int right = label.Left() + label.Width();
    label.SetCaption("ein viel l\xE4ngerer Text");
    EXPECT_GT(label.Width(), Measure("kurz"));
    EXPECT_EQ(label.Left() + label.Width(), right);
}

TEST_F(Label, NoSizeAdjustmentWhileLoading) {
    label.BeginLoading();
    label.SetCaption("");
    EXPECT_EQ(label.Width(), 65);
    label.EndLoading();
    EXPECT_EQ(label.Width(), 0);
}

TEST(LabelWindow, TheEndOfItsOwnersLoadingSizesTheLabel) {
    TComponent owner(nullptr);
    owner.BeginLoading();
    TMarkupLabel label(&owner, nullptr);
    label.SetCaption("<b>zwei zwei</b>");
    EXPECT_EQ(label.Width(), 65) << "no sizing while the owner loads";
    owner.EndLoading();
    EXPECT_EQ(label.Width(), Measure("<b>zwei zwei</b>"));
}

TEST(LabelWindow, AWindowTheSystemWillNotMakeRaisesTheSystemsError) {
    // A child of a window that does not exist.
    try {
        TMarkupLabel label(nullptr, reinterpret_cast<HWND>(0x7FFFFFF0));
        FAIL() << "created";
    } catch (const EOSError& error) {
        EXPECT_EQ(std::string(error.what()).rfind("Systemfehler. Code: 1400.", 0), 0u)
            << error.what();
    }
}

TEST_F(Label, TheMainWindowsFourRowsFitIts54Pixels) {
    label.SetAutoSize(false);
    label.SetFont(WindowFont());
    label.SetBounds(8, 8, 385, 54);
    label.SetCaption(BuiltInTexts()[TextKey::Label1]);
    const int rowHeight = RowHeight();
    EXPECT_LE(4 * rowHeight, 54) << "row height " << rowHeight;
    label.SetColor(0xFFFFFF);
    const auto painted = Painted();
    // Ink in all four rows, and the widest row is not cut at the right.
    for (int row = 0; row < 4; ++row) {
        bool ink = false;
        for (int y = row * rowHeight; y < (row + 1) * rowHeight && !ink; ++y)
            for (int x = 0; x < 385 && !ink; ++x)
                ink = painted->Ink(x, y);
        EXPECT_TRUE(ink) << "row " << row;
    }
    // The width depends on the font the system puts in for "MS Sans Serif".
    std::printf("widest built-in row: %d pixels of 385\n", painted->InkColumns().second + 1);
}

} // namespace
} // namespace stilvane
