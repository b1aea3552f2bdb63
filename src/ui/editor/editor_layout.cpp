#include "ui/editor/editor_layout.h"

#include "framework/portable/dpi.h"

namespace stilvane::editor_layout {

void Place(const Controls& controls, ScaledControls& scaled, int dpi) {
    scaled.Place({{&controls.listBox1, kListBox1},
                  {&controls.buttonDelete, kButtonDelete},
                  {&controls.edit1, kEdit1},
                  {&controls.buttonAdd, kButtonAdd},
                  {&controls.bevel1, kBevel1},
                  {&controls.buttonOk, kButtonOk},
                  {&controls.labelExceptions, kLabelExceptions},
                  {&controls.labelNewException, kLabelNewException}},
                 dpi);
    controls.listBox1.SetItemHeight(ScaleToDpi(kItemHeight, dpi));
    const Bounds label = ScaledBounds(kLabel1, dpi);
    controls.label1.SetBounds(label.left, label.top, label.width, label.height);
    controls.label1.SetFont(FontForDpi(dpi));
}

} // namespace stilvane::editor_layout
