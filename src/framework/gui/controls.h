// Child-window controls of a form: push buttons, a single-line edit field,
// an etched line, labels and drawn areas (the list box: list_box.h).
#pragma once

#include "framework/gui/menu.h"
#include "framework/gui/window.h"
#include "framework/portable/component.h"
#include "framework/system/unique_handle.h"

#include <cstddef>
#include <functional>
#include <optional>
#include <string>

namespace stilvane {

struct Bounds {
    int left, top, width, height;
};

class Control : public TComponent, public Window {
public:
    int Id() const { return id_; }
    // The text in the ANSI code page; characters it lacks become "?".
    std::string Text() const;
    std::wstring WideText() const;
    void SetText(const std::string& text) const;
    void SetFocus() const { ::SetFocus(Handle()); }
    void SetBounds(Bounds bounds) const;
    // The caller keeps `font` alive while the control uses it.
    void SetFont(HFONT font) const;
    // Called by the parent window for WM_COMMAND notifications of this control.
    virtual void Command(WORD /*notification*/) {}
    bool TakeCommand(WORD notification) final {
        Command(notification);
        return true;
    }
    // The control object of a child window, or null.
    static Control* FromHandle(HWND window);

protected:
    // Creates the control as a child of `parent`, with the parent's font.
    Control(TComponent* owner, HWND parent, int id, const wchar_t* windowClass, DWORD style,
            DWORD exStyle, Bounds bounds, const std::string& text);

private:
    int id_;
};

class Button : public Control {
public:
    Button(TComponent* owner, HWND parent, int id, Bounds bounds, const std::string& caption);
    TNotifyEvent OnClick;
    void Click() {
        if (OnClick)
            OnClick(this);
    }
    void Command(WORD notification) override;
};

class Edit : public Control {
public:
    Edit(TComponent* owner, HWND parent, int id, Bounds bounds);
    // Grey hint shown while the field is empty.
    void SetCueBanner(const std::string& text);
    // The hint's colour; nullopt for the system's grey, which is too faint
    // on a dark field.
    void SetCueColor(std::optional<COLORREF> color);
    // Selects the whole text, so that typing replaces it.
    void SelectAll() const;
    // Typing and pasting stop at `characters`.
    void SetMaxLength(std::size_t characters) const;
    // Enter in the field; unset, Enter goes to the dialog as usual.
    TNotifyEvent OnEnter;
    // A paste (Ctrl+V, Shift+Insert, the field's menu): true when the handler
    // took it, false to let the field paste as usual.
    std::function<bool(TComponent* sender)> OnPaste;

protected:
    LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override;

private:
    // The empty field with its hint in the hint's own colour.
    void PaintCue() const;

    std::wstring cue_;
    std::optional<COLORREF> cueColor_;
};

class Bevel : public Control {
public:
    Bevel(TComponent* owner, HWND parent, Bounds bounds);
};

// A text label; in front of a control in the tab order it gives that
// control its name for screen readers, even where it has no room to show.
class Label : public Control {
public:
    Label(TComponent* owner, HWND parent, Bounds bounds, const std::string& text);
};

// An area its parent draws (WM_DRAWITEM); its text is its name for screen
// readers.
class DrawnArea : public Control {
public:
    DrawnArea(TComponent* owner, HWND parent, int id, Bounds bounds, const std::string& name);
};

} // namespace stilvane
