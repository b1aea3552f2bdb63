#include "ui/editor/exceptions_editor.h"

#include "framework/loop/application.h"
#include "framework/portable/dpi.h"
#include "framework/portable/errors.h"
#include "framework/portable/text.h"
#include "framework/system/system_error.h"
#include "ui/editor/editor_layout.h"
#include "ui/editor/exception_entries.h"
#include "ui/editor/exceptions_merge.h"
#include "ui/editor/exceptions_save.h"
#include "ui/editor/exceptions_store.h"
#include "ui/editor/managed_entries.h"

#include <algorithm>
#include <map>

namespace stilvane {

namespace {

enum ControlId { idListBox = 100, idButtonDelete, idEdit, idButtonAdd, idButtonOk };
constexpr UINT_PTR kTitleNoteTimer = 1;
constexpr UINT kTitleNoteMilliseconds = 4000;
// Posted to the window: the user is told of dropped edits after the policy's
// handler has returned, which never waits on a person.
constexpr UINT kEditsDroppedMessage = WM_APP + 20;

} // namespace

using namespace editor_layout;

ExceptionsEditor::ExceptionsEditor(TComponent* owner, EditorWindow& window,
                                   std::string exceptionsFile, const LanguageTexts& texts, int dpi)
    : TComponent(owner), window_(window), file_(std::move(exceptionsFile)), texts_(texts) {
    const HWND parent = window.Handle();
    scaled_.Make(Label1, this, parent);
    Label1->SetAutoSize(false);
    // Drawn on the window's own face, whatever the theme paints there.
    Label1->SetTransparent(true);
    scaled_.Make(Label_Exceptions, this, parent, kLabelExceptions, "");
    scaled_.Make(ListBox1, this, parent, idListBox, kListBox1, kItemHeight);
    scaled_.Make(Button_Delete, this, parent, idButtonDelete, kButtonDelete, "");
    scaled_.Make(Label_NewException, this, parent, kLabelNewException, "");
    scaled_.Make(Edit1, this, parent, idEdit, kEdit1);
    Edit1->SetMaxLength(kLongestNewEntry);
    scaled_.Make(Button_Add, this, parent, idButtonAdd, kButtonAdd, "");
    scaled_.Make(Bevel1, this, parent, kBevel1);
    scaled_.Make(Button_Ok, this, parent, idButtonOk, kButtonOk, "&Ok");
    // Tab order: Button_Ok, Button_Delete, ListBox1, Edit1, Button_Add; each
    // name label just before its control.
    HWND previous = HWND_TOP;
    for (const Control* control :
         {static_cast<Control*>(Button_Ok.get()), static_cast<Control*>(Button_Delete.get()),
          static_cast<Control*>(Label_Exceptions.get()), static_cast<Control*>(ListBox1.get()),
          static_cast<Control*>(Label_NewException.get()), static_cast<Control*>(Edit1.get()),
          static_cast<Control*>(Button_Add.get())}) {
        ::SetWindowPos(control->Handle(), previous, 0, 0, 0, 0,
                       SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
        previous = control->Handle();
    }
    const TNotifyEvent remove = [this](TComponent* s) { Button_DeleteClick(s); };
    Button_Delete->OnClick = remove;
    Button_Add->OnClick = [this](TComponent* s) { Button_AddClick(s); };
    Button_Ok->OnClick = [this](TComponent* s) { Button_OkClick(s); };
    Edit1->OnEnter = [this](TComponent* s) { Button_AddClick(s); };
    ListBox1->OnDeleteKey = remove;
    scaled_.Make(
        ListTools, this, parent, *ListBox1, *Edit1, texts_,
        [this](const std::string& note) { ShowTitleNote(note); }, remove);
    scaled_.Make(Theme, parent, *Label1, *ListBox1, *Edit1, *Bevel1);
    ApplyTexts();
    Layout(dpi);
}

void ExceptionsEditor::ApplyTexts() {
    Button_Delete->SetText(texts_[TextKey::ButtonDelete]);
    Button_Add->SetText(texts_[TextKey::ButtonAdd]);
    Label1->SetCaption(texts_[TextKey::Label1]);
    Label_Exceptions->SetText(texts_[TextKey::LabelExceptions]);
    Label_NewException->SetText(texts_[TextKey::LabelNewException]);
    Edit1->SetCueBanner(texts_[TextKey::CueNewException]);
    ListTools->ApplyTexts();
    ListBox1->SetTagSuffix(kManagedEntry, " " + texts_[TextKey::PolicyMarker]);
    ::SetWindowTextA(window_.Handle(), Caption().c_str());
}

std::string EditorCaption(const LanguageTexts& texts, bool readOnly, bool managed) {
    std::string caption = kEditorCaption;
    if (!readOnly && !managed)
        return caption;
    caption += ": ";
    if (readOnly)
        caption += texts[TextKey::PolicyReadOnly];
    if (readOnly && managed)
        caption += ", ";
    if (managed)
        caption += texts[TextKey::PolicyManaged];
    caption += ' ';
    return caption += texts[TextKey::PolicyLocked];
}

std::string ExceptionsEditor::Caption() const {
    return EditorCaption(texts_, readOnly_, !managed_.empty());
}

void ExceptionsEditor::SetPolicy(bool readOnly, std::vector<std::string> managed,
                                 const ManagedChange& fileChange) {
    if (readOnly && HasUnsavedEdits())
        TellEditsDropped(AddedItems());
    readOnly_ = readOnly;
    managed_ = std::move(managed);
    managedLookup_ = {managed_.begin(), managed_.end()};
    for (const Control* control :
         {static_cast<Control*>(Edit1.get()), static_cast<Control*>(Button_Add.get()),
          static_cast<Control*>(Button_Delete.get())})
        ::EnableWindow(control->Handle(), !readOnly);
    ListTools->SetReadOnly(readOnly);
    if (sessionOpen_ && readOnly) {
        try {
            ShowFile();
        } catch (const std::exception& error) {
            // The list stays, with nothing to save.
            loaded_ = HeldEntries();
            Application().ShowExceptionLater(error);
        }
    } else {
        TakeIn(fileChange);
    }
    ::SetWindowTextA(window_.Handle(), Caption().c_str());
}

void ExceptionsEditor::TakeIn(const ManagedChange& change) {
    // The list sorts them anew.
    std::vector<ListItem> items = ListBox1->ItemsInAnyOrder();
    bool changed = false;
    if (sessionOpen_) {
        loaded_.insert(loaded_.end(), change.added.begin(), change.added.end());
        for (const std::string& entry : change.removed) {
            if (const auto at = std::find(loaded_.begin(), loaded_.end(), entry);
                at != loaded_.end())
                loaded_.erase(at);
            const auto item = std::find_if(items.begin(), items.end(), [&](const ListItem& i) {
                return i.text == entry && !(i.tag & kLossyEntry);
            });
            if (item != items.end()) {
                items.erase(item);
                changed = true;
            }
        }
        // The views point into `items`, which grows no further than reserved,
        // and `managed_`.
        items.reserve(items.size() + managed_.size());
        std::unordered_set<std::string_view> listed;
        for (const ListItem& item : items)
            if (!(item.tag & kLossyEntry))
                listed.insert(item.text);
        for (const std::string& entry : managed_)
            if (listed.insert(entry).second) {
                items.push_back({entry});
                changed = true;
            }
    }
    for (ListItem& item : items) {
        const std::uint32_t tag = (item.tag & ~kManagedEntry) | ManagedTag(item.text);
        changed = changed || tag != item.tag;
        item.tag = tag;
    }
    if (changed)
        ListBox1->Assign(std::move(items));
}

std::vector<std::string> ExceptionsEditor::HeldEntries() const {
    std::vector<std::string> entries;
    if (sessionOpen_)
        for (ListItem& item : ListBox1->ItemsInAnyOrder())
            entries.push_back(std::move(item.text));
    return entries;
}

std::vector<ListItem> ExceptionsEditor::AddedItems() const {
    std::map<std::string, std::size_t> loaded;
    for (const std::string& entry : loaded_)
        ++loaded[entry];
    std::vector<ListItem> added;
    for (ListItem& item : ListBox1->ItemsInAnyOrder())
        if (std::size_t& count = loaded[item.text]; count > 0)
            --count;
        else
            added.push_back(std::move(item));
    return added;
}

void ExceptionsEditor::TellEditsDropped(std::vector<ListItem> added) {
    if (dropped_) {
        dropped_->insert(dropped_->end(), added.begin(), added.end());
        return;
    }
    dropped_ = std::move(added);
    ::PostMessageA(window_.Handle(), kEditsDroppedMessage, 0, 0);
}

void ExceptionsEditor::AskAboutDroppedEdits() {
    if (!dropped_)
        return;
    const std::vector<ListItem> added = std::move(*dropped_);
    dropped_.reset();
    if (sessionOpen_)
        window_.Show();
    if (added.empty()) {
        Application().Ask(texts_[TextKey::NoteManagedNow], MB_OK | MB_ICONINFORMATION);
        return;
    }
    const std::string question =
        texts_[TextKey::NoteManagedNow] + "\r\n\r\n" +
        Counted(texts_.language, texts_[CountedKey::AskCopyAdded], added.size());
    if (Application().Ask(question, MB_YESNO | MB_ICONQUESTION) == IDYES)
        ListTools->CopyEntries(added);
}

std::uint32_t ExceptionsEditor::ManagedTag(const std::string& entry) const {
    return managedLookup_.contains(entry) ? kManagedEntry : 0;
}

void ExceptionsEditor::Layout(int dpi) {
    Place({*Label1, *Label_Exceptions, *ListBox1, *Button_Delete, *Label_NewException, *Edit1,
           *Button_Add, *Bevel1, *Button_Ok},
          scaled_, ClampDpi(dpi));
    Theme->ColorLabel();
}

void ExceptionsEditor::Open() {
    if (!sessionOpen_ || readOnly_) {
        ShowFile();
        sessionOpen_ = true;
    }
    window_.Show();
    if (!::GetFocus() || ::GetParent(::GetFocus()) != window_.Handle())
        Button_Ok->SetFocus();
    Edit1->SelectAll();
}

void ExceptionsEditor::ShowFile() {
    // Read whole before anything changes: on an error the list and the
    // window stay as they were. A missing file is an empty list, which Ok
    // then creates.
    StoredExceptions stored = LoadExceptions(file_);
    loaded_ = stored.Entries();
    loadedBytes_ = std::move(stored.bytes);
    std::vector<ListItem> items;
    items.reserve(stored.lines.size());
    for (AnsiLine& line : stored.lines) {
        const std::uint32_t tag = (line.lossy ? kLossyEntry : 0) | ManagedTag(line.text);
        items.push_back({std::move(line.text), tag, std::move(line.original)});
    }
    ListBox1->Assign(std::move(items));
}

void ExceptionsEditor::Button_AddClick(TComponent*) {
    if (readOnly_)
        return;
    NewEntries planned = ListTools->Plan({LineToAnsi(Edit1->WideText())});
    if (planned.tooLong > 0)
        ListTools->RefuseTooLong(1);
    if (planned.added.empty())
        return;
    CandidateEntry& entry = planned.added.front();
    ListBox1->Add(
        {std::move(entry.text), entry.lossy ? kLossyEntry : 0, std::move(entry.original)});
    // The text stays for a similar entry; typing replaces it.
    Edit1->SelectAll();
}

void ExceptionsEditor::Button_DeleteClick(TComponent*) {
    if (readOnly_)
        return;
    // Managed entries stay, whatever else goes.
    for (int i = 0; i < ListBox1->Count(); ++i)
        if (ListBox1->At(i).tag & kManagedEntry)
            ListBox1->Select(i, false);
    ListBox1->DeleteSelected();
}

void ExceptionsEditor::Button_OkClick(TComponent*) {
    // Read-only, there is nothing to save: Ok only closes.
    switch (readOnly_ ? SaveResult::Saved : SaveList()) {
    case SaveResult::Saved:
        sessionOpen_ = false;
        window_.Hide();
        break;
    case SaveResult::Merged:
        // Stays open: the user sees what the list has become.
        ShowTitleNote(texts_[TextKey::NoteMerged]);
        break;
    case SaveResult::Declined:
        break;
    }
}

ExceptionsEditor::SaveResult ExceptionsEditor::SaveList() {
    StoredExceptions now;
    try {
        now = LoadExceptions(file_);
    } catch (const EFOpenError& error) {
        throw EOperationError(FailureText(texts_[TextKey::ErrorMergeRead], file_, error));
    }
    const SavePlan plan = PlanSave(now, loaded_, loadedBytes_, ListBox1->AllItems(), managed_);
    const std::string backup = file_ + ".bak";
    if (plan.guessed && Application().Ask(FillIn(texts_[TextKey::AskGuessed], file_, backup),
                                          MB_YESNO | MB_ICONWARNING) != IDYES)
        return SaveResult::Declined;
    if (plan.unstorable > 0 &&
        Application().Ask(
            Counted(texts_.language, texts_[CountedKey::AskUnstorable], plan.unstorable),
            MB_YESNO | MB_ICONWARNING) != IDYES)
        return SaveResult::Declined;
    // The organization may have locked the list while a question waited.
    if (readOnly_)
        return SaveResult::Declined;
    if (plan.Asks()) {
        // What the blocker's file cannot hold, or what was read by guess,
        // survives beside it.
        try {
            ReplaceFileContent(backup, plan.backup);
        } catch (const Exception& error) {
            throw EOperationError(FailureText(texts_[TextKey::ErrorBackup], backup, error));
        }
    }
    std::vector<std::string> list = plan.entries;
    if (plan.merged || plan.completed) {
        std::vector<ListItem> mergedItems;
        mergedItems.reserve(list.size());
        for (std::string& entry : list)
            mergedItems.push_back({entry, ManagedTag(entry)});
        ListBox1->Assign(std::move(mergedItems));
        list = ListBox1->Items();
    }
    SaveExceptions(file_, list);
    ListBox1->ClearTag(kLossyEntry);
    loaded_ = std::move(list);
    return plan.merged ? SaveResult::Merged : SaveResult::Saved;
}

bool ExceptionsEditor::HasUnsavedEdits() const {
    return sessionOpen_ && !readOnly_ && !SameEntries(HeldEntries(), loaded_);
}

bool ExceptionsEditor::CloseQuery() {
    if (HasUnsavedEdits()) {
        window_.Show();
        switch (
            Application().Ask(texts_[TextKey::AskSaveChanges], MB_YESNOCANCEL | MB_ICONQUESTION)) {
        case IDYES:
            try {
                // Locked while the question waited: nothing may be saved.
                if (!readOnly_ && SaveList() == SaveResult::Declined)
                    return false;
            } catch (const std::exception& error) {
                Application().ShowException(error);
                return false;
            }
            break;
        case IDNO:
            break;
        default:
            return false;
        }
    }
    sessionOpen_ = false;
    return true;
}

void ExceptionsEditor::ShowTitleNote(const std::string& note) {
    ::SetWindowTextA(window_.Handle(), note.c_str());
    ::SetTimer(window_.Handle(), kTitleNoteTimer, kTitleNoteMilliseconds, nullptr);
}

std::optional<LRESULT> ExceptionsEditor::HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) {
    if (const auto handled = Theme->HandleMessage(message, wParam, lParam))
        return handled;
    const HWND window = window_.Handle();
    switch (message) {
    case WM_GETFONT:
        return reinterpret_cast<LRESULT>(scaled_.Font());
    case kEditsDroppedMessage:
        AskAboutDroppedEdits();
        return 0;
    case WM_TIMER:
        if (wParam != kTitleNoteTimer)
            break;
        ::KillTimer(window, kTitleNoteTimer);
        ::SetWindowTextA(window, Caption().c_str());
        return 0;
    case WM_DPICHANGED:
        Layout(kFrame.TakeDpiChange(window, wParam, lParam));
        break; // the window has more to do
    case WM_SYSCOLORCHANGE:
        // Only top-level windows hear of it: pass it on to the controls,
        // which take their colours anew.
        for (HWND child = ::GetWindow(window, GW_CHILD); child;
             child = ::GetWindow(child, GW_HWNDNEXT))
            ::SendMessageA(child, WM_SYSCOLORCHANGE, wParam, lParam);
        ::RedrawWindow(window, nullptr, nullptr,
                       RDW_INVALIDATE | RDW_ERASE | RDW_FRAME | RDW_ALLCHILDREN);
        break;
    }
    return std::nullopt;
}

} // namespace stilvane
