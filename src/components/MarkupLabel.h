// A static text label whose caption may carry markup (see markup.h): rows
// split at line breaks, laid out by Layout and Alignment, each drawn as runs
// of text in the font the tags select. No word wrap, no access keys.
#pragma once

#include "framework/gui/graphics.h"
#include "framework/gui/window.h"
#include "framework/portable/component.h"

#include <string>
#include <string_view>

namespace stilvane {

enum class TAlignment { taLeftJustify, taRightJustify, taCenter };
enum class TTextLayout { tlTop, tlCenter, tlBottom };

// Draws one row of markup at (left, top) unless `measureOnly`, and returns its
// width: the widths of its runs plus 4. The canvas font is the row's starting
// font and is as it was when this returns, also after an error.
int RenderMarkupLine(TCanvas& canvas, int left, int top, std::string_view row, bool measureOnly);
void DrawMarkupLine(TCanvas& canvas, int left, int top, std::string_view row);
int MeasureMarkupLine(TCanvas& canvas, std::string_view row);

class TMarkupLabel : public TComponent, public Window {
public:
    // A child window of `parent`, taking its font and, as colour, the
    // button face of a dialog. Starts 65 x 17 pixels with AutoSize on.
    TMarkupLabel(TComponent* owner, HWND parent);

    int Left() const { return left_; }
    int Top() const { return top_; }
    int Width() const { return width_; }
    int Height() const { return height_; }
    void SetBounds(int left, int top, int width, int height);

    const std::string& Caption() const { return caption_; }
    void SetCaption(std::string caption);
    const FontSpec& Font() const { return font_; }
    void SetFont(FontSpec font);
    TColor Color() const { return color_; }
    void SetColor(TColor color);
    bool Transparent() const { return transparent_; }
    void SetTransparent(bool value);
    TAlignment Alignment() const { return alignment_; }
    void SetAlignment(TAlignment value);
    TTextLayout Layout() const { return layout_; }
    void SetLayout(TTextLayout value);
    bool AutoSize() const { return autoSize_; }
    void SetAutoSize(bool value);
    // A disabled label is drawn like an enabled one.
    bool Enabled() const { return enabled_; }
    void SetEnabled(bool value) { enabled_ = value; }

    // Height of "W" in the label's font on `canvas`.
    int RowHeight(TCanvas& canvas) const;
    // Draws the whole label on `canvas`, client area at (0, 0).
    void Paint(TCanvas& canvas) const;

protected:
    void Loaded() override;
    LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override;

private:
    void AdjustSize();
    void Invalidate() const;

    int left_ = 0, top_ = 0, width_ = 65, height_ = 17;
    std::string caption_;
    FontSpec font_;
    TColor color_ = clBtnFace;
    bool transparent_ = false;
    TAlignment alignment_ = TAlignment::taLeftJustify;
    TTextLayout layout_ = TTextLayout::tlTop;
    bool autoSize_ = true;
    bool enabled_ = true;
};

} // namespace stilvane
