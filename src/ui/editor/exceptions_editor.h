// The exceptions editor: popup-exp.ini's list in the main window, with the
// field and buttons to change it and the list's tools, from Edit exceptions
// until Ok saves the list or the close question is answered: the edit
// session. While it is open the list keeps its edits, whether the window is
// shown or hidden (as Windows hides it with its minimised owner).
#pragma once

#include "components/MarkupLabel.h"
#include "framework/gui/controls.h"
#include "framework/gui/list_box.h"
#include "framework/gui/scaled_window.h"
#include "framework/portable/component.h"
#include "framework/system/unique_handle.h"
#include "settings/language/language_texts.h"
#include "ui/editor/editor_list_tools.h"
#include "ui/editor/editor_theme.h"
#include "ui/editor/managed_entries.h"

#include <windows.h>

#include <cstdint>
#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <unordered_set>
#include <vector>

namespace stilvane {

// What the editor needs of the window it lives in.
class EditorWindow {
public:
    virtual HWND Handle() const = 0;
    // Shows the window in front of the others, with the keyboard in it.
    virtual void Show() = 0;
    virtual void Hide() = 0;

protected:
    ~EditorWindow() = default;
};

// The window's caption, which title notes stand in for a few seconds.
constexpr char kEditorCaption[] = "PopUp Blocker";
// The caption with what the organization manages: the list read-only, or
// some of its entries.
std::string EditorCaption(const LanguageTexts& texts, bool readOnly, bool managed);

class ExceptionsEditor : public TComponent {
public:
    // The controls go into `window`, which lays them out for `dpi`; the list
    // is that of `exceptionsFile`. The texts must outlive the editor.
    ExceptionsEditor(TComponent* owner, EditorWindow& window, std::string exceptionsFile,
                     const LanguageTexts& texts, int dpi);

    // Takes the captions from the texts anew.
    void ApplyTexts();

    // What the organization's policies decide: whether the list is read-only,
    // and the entries it manages, which the list shows marked and keeps; and
    // what applying them changed in the file, which an open session takes in
    // at once. Read-only, the list shows the file as it is: unsaved edits are
    // dropped, which the user is told once, after this returns, with their
    // additions offered to the clipboard.
    void SetPolicy(bool readOnly, std::vector<std::string> managed,
                   const ManagedChange& fileChange = {});
    // The entries of an open session, saved or not; none without one.
    std::vector<std::string> HeldEntries() const;
    // The window's caption: which parts the organization manages.
    std::string Caption() const;

    // Edit exceptions: the list read from the file (before anything
    // changes), unless a session is open, which keeps its edits (a read-only
    // list has none: the file is read anew); then the window in front, with
    // the field's text selected, so that typing replaces it.
    void Open();
    bool SessionOpen() const { return sessionOpen_; }
    // Whether the open session's list differs from what was last loaded or
    // saved; never while read-only.
    bool HasUnsavedEdits() const;
    // Whether the window may close: with unsaved edits the user is asked
    // whether to save them first (Yes, No, Cancel). Ends the session when it
    // may.
    bool CloseQuery();

    // The controls at `dpi`, for a window of that client size.
    void Layout(int dpi);
    int Dpi() const { return scaled_.Dpi(); }

    // A message of the window that is the editor's: the title notes' timer,
    // the font the controls take, a change of scale, of system colours or of
    // the app mode, and the painting in dark colours.
    std::optional<LRESULT> HandleMessage(UINT message, WPARAM wParam, LPARAM lParam);

    void Button_AddClick(TComponent* sender);
    void Button_DeleteClick(TComponent* sender);
    void Button_OkClick(TComponent* sender);

    // Controls, in the order they are created.
    std::unique_ptr<TMarkupLabel> Label1;
    std::unique_ptr<Label> Label_Exceptions;
    std::unique_ptr<ListBox> ListBox1;
    std::unique_ptr<Button> Button_Delete;
    std::unique_ptr<Label> Label_NewException;
    std::unique_ptr<Edit> Edit1;
    std::unique_ptr<Button> Button_Add;
    std::unique_ptr<Bevel> Bevel1;
    std::unique_ptr<Button> Button_Ok;
    std::unique_ptr<ExceptionListTools> ListTools;
    // The colours, as Windows is set.
    std::unique_ptr<EditorTheme> Theme;

private:
    enum class SaveResult { Saved, Merged, Declined };

    // Saves the list, merged with what changed in the file meanwhile.
    SaveResult SaveList();
    // The list and what counts as loaded read from the file. Raises
    // EFOpenError, leaving both as they were.
    void ShowFile();
    // An editable session's list after the policy changed the file: what it
    // put in counts as loaded and is listed, what it took out goes from both,
    // and every managed entry is listed and marked.
    void TakeIn(const ManagedChange& change);
    // The entries of the list that were not loaded: the session's additions.
    std::vector<ListItem> AddedItems() const;
    // Tells, once the caller has returned, that the list turned read-only
    // under unsaved edits, and offers `added` to the clipboard.
    void TellEditsDropped(std::vector<ListItem> added);
    void AskAboutDroppedEdits();
    // kManagedEntry for an entry the organization manages, else 0.
    std::uint32_t ManagedTag(const std::string& entry) const;
    // Shows `note` in the title bar for a few seconds.
    void ShowTitleNote(const std::string& note);

    EditorWindow& window_;
    std::string file_;
    const LanguageTexts& texts_;
    bool sessionOpen_ = false;
    bool readOnly_ = false;
    std::vector<std::string> managed_;
    std::unordered_set<std::string_view> managedLookup_; // into managed_
    // The additions of edits dropped by a lock, until the user is told.
    std::optional<std::vector<ListItem>> dropped_;
    // The list as last loaded or saved, and the file's bytes when loaded.
    std::vector<std::string> loaded_;
    std::string loadedBytes_;
    // Last: the controls go first, before anything they may call back into.
    ScaledControls scaled_;
};

} // namespace stilvane
