#include "ui/editor/editor_list_tools.h"

#include "framework/gui/clipboard.h"
#include "framework/loop/application.h"
#include "framework/portable/errors.h"
#include "framework/portable/text.h"
#include "framework/portable/text_encoding.h"
#include "framework/system/file_io.h"
#include "framework/system/system_error.h"
#include "ui/editor/exception_entries.h"
#include "ui/editor/exceptions_file.h"
#include "ui/editor/exceptions_store.h"

#include <algorithm>

namespace stilvane {

namespace {

std::vector<AnsiLine> ClipboardLines(HWND owner) {
    const auto text = ReadClipboardText(owner);
    return text ? TextLinesToAnsi(*text, "\r\n") : std::vector<AnsiLine>{};
}

} // namespace

ExceptionListTools::ExceptionListTools(TComponent* owner, HWND window, ListBox& list, Edit& field,
                                       const LanguageTexts& texts,
                                       std::function<void(const std::string&)> showNote,
                                       TNotifyEvent remove)
    : TComponent(owner), window_(window), list_(list), field_(field), texts_(texts),
      showNote_(std::move(showNote)) {
    field.OnPaste = [this](TComponent*) { return PasteIntoField(); };
    list.OnCopy = [this](TComponent* s) { List_CopyClick(s); };
    list.OnPaste = [this](TComponent* s) { List_PasteClick(s); };

    PopupMenu_List = std::make_unique<TPopupMenu>(this);
    List_Remove = &PopupMenu_List->Add({}, std::move(remove));
    List_SelectAll = &PopupMenu_List->Add({}, [this](TComponent*) { list_.SelectAll(); });
    List_Copy = &PopupMenu_List->Add({}, [this](TComponent* s) { List_CopyClick(s); });
    List_Paste = &PopupMenu_List->Add({}, [this](TComponent* s) { List_PasteClick(s); });
    PopupMenu_List->Add("-");
    List_Import = &PopupMenu_List->Add({}, [this](TComponent* s) { List_ImportClick(s); });
    List_Export = &PopupMenu_List->Add({}, [this](TComponent* s) { List_ExportClick(s); });
    PopupMenu_List->OnPopup = [this](TComponent*) {
        const bool selection = list_.SelectedCount() > 0;
        List_Remove->Enabled = selection && !readOnly_;
        List_Copy->Enabled = selection;
        List_Paste->Enabled = !readOnly_;
        List_Import->Enabled = !readOnly_;
    };
    list.PopupMenu = PopupMenu_List.get();
    ApplyTexts();
}

void ExceptionListTools::ApplyTexts() {
    for (const auto& [item, caption] : {std::pair{List_Remove, &texts_[TextKey::ListRemove]},
                                        std::pair{List_SelectAll, &texts_[TextKey::ListSelectAll]},
                                        std::pair{List_Copy, &texts_[TextKey::ListCopy]},
                                        std::pair{List_Paste, &texts_[TextKey::ListPaste]},
                                        std::pair{List_Import, &texts_[TextKey::ListImport]},
                                        std::pair{List_Export, &texts_[TextKey::ListExport]}})
        item->Caption = *caption;
}

void ExceptionListTools::RefuseTooLong(std::size_t count) const {
    Application().Ask(Counted(texts_.language, texts_[CountedKey::RefusedTooLong], count,
                              std::to_string(kLongestNewEntry)),
                      MB_OK | MB_ICONWARNING);
}

NewEntries ExceptionListTools::Plan(const std::vector<AnsiLine>& lines) const {
    std::vector<std::string> listed;
    listed.reserve(static_cast<std::size_t>(list_.Count()));
    for (ListItem& item : list_.ItemsInAnyOrder())
        listed.push_back(EntryKey(
            {std::move(item.text), (item.tag & kLossyEntry) != 0, std::move(item.original)}));
    std::vector<CandidateEntry> candidates;
    candidates.reserve(lines.size());
    for (const AnsiLine& line : lines)
        candidates.push_back({line.text, line.lossy, line.original});
    return PlanNewEntries(listed, candidates, &IsLeadByte);
}

void ExceptionListTools::AddLines(const std::vector<AnsiLine>& lines) {
    if (readOnly_)
        return;
    NewEntries planned = Plan(lines);
    std::vector<ListItem> items;
    items.reserve(planned.added.size());
    for (CandidateEntry& entry : planned.added)
        items.push_back(
            {std::move(entry.text), entry.lossy ? kLossyEntry : 0, std::move(entry.original)});
    list_.AddMany(std::move(items));
    showNote_(FillIn(texts_[TextKey::NoteAdded], std::to_string(planned.added.size()),
                     std::to_string(planned.alreadyListed)));
    if (planned.tooLong > 0)
        RefuseTooLong(planned.tooLong);
}

bool ExceptionListTools::PasteIntoField() {
    const auto text = ReadClipboardText(window_);
    if (!text)
        return false;
    const std::vector<AnsiLine> lines = TextLinesToAnsi(*text, "\r\n");
    const auto filled = std::count_if(lines.begin(), lines.end(), [](const AnsiLine& line) {
        return !TrimEntry(line.text).empty();
    });
    if (filled >= 2) {
        AddLines(lines);
        return true;
    }
    // The field stops at the longest entry: a paste that would go past it is
    // refused whole rather than cut short without a word.
    DWORD start = 0, end = 0;
    ::SendMessageW(field_.Handle(), EM_GETSEL, reinterpret_cast<WPARAM>(&start),
                   reinterpret_cast<LPARAM>(&end));
    const std::size_t kept = static_cast<std::size_t>(::GetWindowTextLengthW(field_.Handle())) -
                             (std::max(start, end) - std::min(start, end));
    const std::size_t pasted = std::min(text->find_first_of(L"\r\n"), text->size());
    if (kept + pasted <= kLongestNewEntry)
        return false;
    RefuseTooLong(1);
    return true;
}

void ExceptionListTools::List_PasteClick(TComponent*) {
    AddLines(ClipboardLines(window_));
}

void ExceptionListTools::List_CopyClick(TComponent*) {
    CopyEntries(list_.SelectedItems());
}

void ExceptionListTools::CopyEntries(const std::vector<ListItem>& entries) const {
    std::wstring lines;
    for (const ListItem& entry : entries) {
        if (!lines.empty())
            lines += L"\r\n";
        lines += (entry.tag & kLossyEntry) ? entry.original : AnsiToWide(entry.text);
    }
    if (!lines.empty())
        WriteClipboardText(window_, lines);
}

std::vector<FileFilter> ExceptionListTools::FileFilters() const {
    return {{texts_[TextKey::FilterText], "*.txt;*.ini"}, {texts_[TextKey::FilterAll], "*.*"}};
}

void ExceptionListTools::List_ImportClick(TComponent*) {
    if (readOnly_)
        return;
    if (const auto path = ChooseFileToOpen(window_, FileFilters()))
        ImportFrom(*path);
}

void ExceptionListTools::List_ExportClick(TComponent*) {
    if (const auto path = ChooseFileToSave(window_, FileFilters(), kExceptionsFileName))
        ExportTo(*path);
}

void ExceptionListTools::ImportFrom(const std::wstring& path) {
    const std::string shown = WideToAnsi(path);
    std::string bytes;
    try {
        bytes = ReadWholeFile(path);
    } catch (const EFOpenError& error) {
        throw EOperationError(FailureText(texts_[TextKey::ErrorImport], shown, error));
    }
    if (!LooksLikeText(bytes) && Application().Ask(FillIn(texts_[TextKey::AskNotText], shown),
                                                   MB_YESNO | MB_ICONWARNING) != IDYES)
        return;
    AddLines(FileLinesToAnsi(bytes, kExceptionLineBreaks));
}

void ExceptionListTools::ExportTo(const std::wstring& path) const {
    try {
        SaveExceptions(path, list_.Items());
    } catch (const Exception& error) {
        throw EOperationError(FailureText(texts_[TextKey::ErrorExport], WideToAnsi(path), error));
    }
}

} // namespace stilvane
