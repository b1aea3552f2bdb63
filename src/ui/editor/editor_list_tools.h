// The exceptions list's tools: lines pasted into the list or the field, the
// selected entries copied as lines, the lines of a file imported and the list
// exported, and the list's context menu that offers them beside removal and
// selection. New lines follow the rules of a typed entry.
#pragma once

#include "framework/gui/controls.h"
#include "framework/gui/file_dialogs.h"
#include "framework/gui/list_box.h"
#include "framework/gui/menu.h"
#include "framework/portable/component.h"
#include "framework/system/ansi_text.h"
#include "settings/language/language_texts.h"
#include "ui/editor/exception_entries.h"

#include <cstddef>
#include <functional>
#include <memory>
#include <string>
#include <vector>

namespace stilvane {

class ExceptionListTools : public TComponent {
public:
    // `window` owns the dialogs and the clipboard; `showNote` puts a note in
    // its title; `remove` removes the selected entries. The texts must
    // outlive the tools.
    ExceptionListTools(TComponent* owner, HWND window, ListBox& list, Edit& field,
                       const LanguageTexts& texts, std::function<void(const std::string&)> showNote,
                       TNotifyEvent remove);

    // Takes the menu's captions from the texts anew.
    void ApplyTexts();

    // Multi-line clipboard text in the field, added entry by entry, and one
    // line too long for an entry refused; false for anything else, which the
    // field pastes as it always does.
    bool PasteIntoField();
    void List_PasteClick(TComponent* sender);
    void List_CopyClick(TComponent* sender);
    void List_ImportClick(TComponent* sender);
    void List_ExportClick(TComponent* sender);
    // The lines of a file, as the exceptions file is read, added to the list
    // (asking first when the file does not look like text); and the list
    // written to a file as the exceptions file is.
    void ImportFrom(const std::wstring& path);
    void ExportTo(const std::wstring& path) const;
    // Read-only: nothing is pasted, imported or removed; copy and export stay.
    void SetReadOnly(bool readOnly) { readOnly_ = readOnly; }
    // Tells that `count` entries were too long to be added.
    void RefuseTooLong(std::size_t count) const;
    // What `lines` would add to the list (PlanNewEntries).
    NewEntries Plan(const std::vector<AnsiLine>& lines) const;
    // Entries on the clipboard as lines, each as it was before it lost
    // characters.
    void CopyEntries(const std::vector<ListItem>& entries) const;

    std::unique_ptr<TPopupMenu> PopupMenu_List;
    MenuItem* List_Remove = nullptr;
    MenuItem* List_SelectAll = nullptr;
    MenuItem* List_Copy = nullptr;
    MenuItem* List_Paste = nullptr;
    MenuItem* List_Import = nullptr;
    MenuItem* List_Export = nullptr;

private:
    // Adds what is new among `lines` and says how many were.
    void AddLines(const std::vector<AnsiLine>& lines);
    std::vector<FileFilter> FileFilters() const;

    HWND window_;
    ListBox& list_;
    Edit& field_;
    const LanguageTexts& texts_;
    std::function<void(const std::string&)> showNote_;
    bool readOnly_ = false;
};

} // namespace stilvane
