// Child-window controls of a form: push buttons, a single-line edit field, a
// sorted list box with extended selection, and an etched line.
#pragma once

#include "framework/component.h"
#include "framework/unique_handle.h"

#include <string>
#include <vector>

namespace stilvane {

struct Bounds {
    int left, top, width, height;
};

class Control : public TComponent {
public:
    HWND Handle() const { return window_.Get(); }
    int Id() const { return id_; }
    std::string Text() const;
    void SetText(const std::string& text) const;
    void SetFocus() const { ::SetFocus(window_.Get()); }
    // Called by the parent window for WM_COMMAND notifications of this control.
    virtual void Command(WORD /*notification*/) {}
    // The control object of a child window, or null.
    static Control* FromHandle(HWND window);

    ~Control() override;

protected:
    // Creates the control as a child of `parent`, with the parent's font.
    Control(TComponent* owner, HWND parent, int id, const char* windowClass, DWORD style,
            DWORD exStyle, Bounds bounds, const std::string& text);

private:
    UniqueWindow window_;
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
};

// Keeps its items in its own sort order; several may be selected at once.
class ListBox : public Control {
public:
    ListBox(TComponent* owner, HWND parent, int id, Bounds bounds, int itemHeight);
    void Clear() const;
    void Add(const std::string& item) const;
    // Replaces every item at once; fast for any number of items.
    void Assign(std::vector<std::string> items) const;
    // Removes every selected item; fast for any number of items.
    void DeleteSelected() const;
    int Count() const;
    std::string Item(int index) const;
    std::vector<std::string> Items() const;
    // Index of an item byte for byte equal to `text`, or -1. Letter case
    // counts: the blocker may compare paths case-sensitively.
    int FindExact(const std::string& text) const;
    bool Selected(int index) const;
    void Select(int index, bool selected) const;
    void Delete(int index) const;

private:
    // Replaces every item with `items`, which are in the list's order already.
    void ReplaceInOrder(const std::vector<std::string>& items) const;
};

class Bevel : public Control {
public:
    Bevel(TComponent* owner, HWND parent, Bounds bounds);
};

} // namespace stilvane
