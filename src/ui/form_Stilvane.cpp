#include "ui/form_Stilvane.h"

#include "framework/ansi_text.h"
#include "framework/application.h"
#include "framework/clipboard.h"
#include "framework/display_scale.h"
#include "framework/dpi.h"
#include "framework/errors.h"
#include "framework/file_io.h"
#include "framework/path.h"
#include "framework/registry.h"
#include "framework/system_error.h"
#include "framework/text.h"
#include "framework/text_encoding.h"
#include "settings/marl_INI.h"
#include "ui/block_display.h"
#include "ui/exception_entries.h"
#include "ui/exceptions_file.h"
#include "ui/exceptions_merge.h"
#include "ui/exceptions_store.h"
#include "ui/tray_tip.h"

#include <algorithm>
#include <exception>
#include <map>

namespace stilvane {

namespace {

constexpr char kWindowClass[] = "TForm_Stilvane";
constexpr char kCaption[] = "PopUp Blocker";
constexpr DWORD kStyle = WS_POPUP | WS_CAPTION | WS_SYSMENU | WS_CLIPCHILDREN;
constexpr DWORD kExStyle = WS_EX_DLGMODALFRAME | WS_EX_TOPMOST | WS_EX_CONTROLPARENT;

enum ControlId { idListBox = 100, idButtonDelete, idEdit, idButtonAdd, idButtonOk };
constexpr UINT_PTR kTitleNoteTimer = 1;
constexpr UINT kTitleNoteMilliseconds = 4000;
// The list's mark of an entry that lost characters on its way in: saving it
// changes it.
constexpr std::uint32_t kLossyEntry = 1;

// The editor at 96 dpi, as the window's stored settings lay it out.
constexpr int kFontHeight = -11;
constexpr int kItemHeight = 13;
constexpr Bounds kLabel1{8, 8, 385, 54}, kListBox1{8, 68, 289, 209}, kButtonDelete{304, 68, 88, 29},
    kEdit1{8, 284, 289, 21}, kButtonAdd{304, 280, 88, 29}, kBevel1{4, 316, 392, 2},
    kButtonOk{304, 324, 88, 29}, kLabelExceptions{8, 68, 0, 0}, kLabelNewException{8, 284, 0, 0};

Bounds Scaled(Bounds bounds, int dpi) {
    return {ScaleToDpi(bounds.left, dpi), ScaleToDpi(bounds.top, dpi),
            ScaleToDpi(bounds.width, dpi), ScaleToDpi(bounds.height, dpi)};
}

// The window's outer size for a client laid out at `dpi`, with the frame
// the system draws at `frameDpi` (the display's scale).
SIZE FrameSize(int dpi, int frameDpi) {
    return FrameSizeForDpi({ScaleToDpi(TForm_Stilvane::kClientWidth, dpi),
                            ScaleToDpi(TForm_Stilvane::kClientHeight, dpi)},
                           kStyle, kExStyle, frameDpi);
}

// The display's scale, or a smaller one where the whole window would not fit
// into the display's work area: no button may end up off the screen.
int FittingDpi(HWND window, int dpi) {
    const RECT area = WorkAreaOf(window);
    return LargestFittingDpi(dpi, {area.right - area.left, area.bottom - area.top}, [dpi](int d) {
        const SIZE frame = FrameSize(d, dpi);
        return PixelSize{frame.cx, frame.cy};
    });
}

// Sizes the window so that its client area is the editor's at `dpi`, by the
// frame it has now.
void SizeClientFor(HWND window, int dpi) {
    RECT frame, client;
    ::GetWindowRect(window, &frame);
    ::GetClientRect(window, &client);
    const int width =
        frame.right - frame.left - client.right + ScaleToDpi(TForm_Stilvane::kClientWidth, dpi);
    const int height =
        frame.bottom - frame.top - client.bottom + ScaleToDpi(TForm_Stilvane::kClientHeight, dpi);
    ::SetWindowPos(window, nullptr, 0, 0, width, height,
                   SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
}

// Moves the window into its display's work area, as far as it fits.
void KeepInWorkArea(HWND window) {
    const RECT area = WorkAreaOf(window);
    RECT frame;
    ::GetWindowRect(window, &frame);
    const int width = frame.right - frame.left, height = frame.bottom - frame.top;
    const LONG left = std::max<LONG>(area.left, std::min<LONG>(frame.left, area.right - width));
    const LONG top = std::max<LONG>(area.top, std::min<LONG>(frame.top, area.bottom - height));
    if (left != frame.left || top != frame.top)
        ::SetWindowPos(window, nullptr, left, top, 0, 0,
                       SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
}

} // namespace

TForm_Stilvane::TForm_Stilvane(SharedSettings settings, std::string programDirectory,
                               TickSource ticks, TrayShell trayShell, WallClock clock)
    : TComponent(nullptr), settings_(std::move(settings)),
      state_(settings_.Root(), settings_.Path() + "\\" + kOwnKeyName),
      programDirectory_(std::move(programDirectory)), ticks_(std::move(ticks)),
      clock_(std::move(clock)), texts_(BuiltInTexts()) {
    const SIZE frame = FrameSize(kBaseDpi, kBaseDpi);
    // Owned by the application window, which carries the taskbar button.
    CreateHandle({kWindowClass, ::LoadCursorA(nullptr, IDC_ARROW),
                  reinterpret_cast<HBRUSH>(COLOR_BTNFACE + 1)},
                 {kExStyle, kStyle, 0, 0, frame.cx, frame.cy, Application().Handle(), kCaption});
    // Sized for the display it is on, which may have another scale.
    const int dpi = FittingDpi(Handle(), DpiOfWindow(Handle()));
    SizeClientFor(Handle(), dpi);

    BeginLoading();
    CreateComponents(std::move(trayShell));
    Layout(dpi);
    EndLoading();
    LoadTrayPictures();
    // Only a window with all its parts goes to the application: an error
    // above leaves it none.
    Application().SetMainWindow(Handle());
    Application().SetDialogWindow(Handle());
    Application().SetOnEndSession([this] {
        ThreadTimer1->SetActive(false);
        TrayIcon1->SetActive(false);
    });
    // An update ends the program without a question, but never leaves a
    // pause behind.
    Application().SetOnCloseForUpdate([this] {
        Hide();
        if (pause_)
            EndPause();
    });
    Application().RunHandler([this] { FormCreate(); });
}

TForm_Stilvane::~TForm_Stilvane() {
    // The timer and the tray icon go first: no tick or click may reach a
    // half-destroyed window.
    Application().SetOnEndSession(nullptr);
    Application().SetOnCloseForUpdate(nullptr);
    ThreadTimer1.reset();
    TrayIcon1.reset();
    Application().SetDialogWindow(nullptr);
    Application().SetMainWindow(nullptr);
    // The controls go before the window: each child window is destroyed once,
    // by its control, never a second time with its parent.
    Button_Ok.reset();
    Bevel1.reset();
    Button_Add.reset();
    Edit1.reset();
    Button_Delete.reset();
    ListBox1.reset();
    Label1.reset();
}

void TForm_Stilvane::CreateComponents(TrayShell trayShell) {
    const HWND parent = Handle();
    Label1 = std::make_unique<TMarkupLabel>(this, parent);
    Label1->SetAutoSize(false);
    // Drawn on the window's own face, whatever the theme paints there.
    Label1->SetTransparent(true);
    Label1->SetCaption(BuiltInTexts().label1);
    const LanguageTexts& texts = BuiltInTexts();
    // Layout gives every control its place and font. The name labels are
    // for screen readers; the layout has no room to show them.
    Label_Exceptions =
        std::make_unique<Label>(this, parent, kLabelExceptions, texts.labelExceptions);
    ListBox1 = std::make_unique<ListBox>(this, parent, idListBox, kListBox1, kItemHeight);
    Button_Delete = std::make_unique<Button>(this, parent, idButtonDelete, kButtonDelete,
                                             BuiltInTexts().buttonDelete);
    Label_NewException =
        std::make_unique<Label>(this, parent, kLabelNewException, texts.labelNewException);
    Edit1 = std::make_unique<Edit>(this, parent, idEdit, kEdit1);
    Edit1->SetCueBanner(texts.cueNewException);
    Button_Add =
        std::make_unique<Button>(this, parent, idButtonAdd, kButtonAdd, BuiltInTexts().buttonAdd);
    Bevel1 = std::make_unique<Bevel>(this, parent, kBevel1);
    Button_Ok = std::make_unique<Button>(this, parent, idButtonOk, kButtonOk, "&Ok");
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
    Button_Delete->OnClick = [this](TComponent* s) { Button_DeleteClick(s); };
    Button_Add->OnClick = [this](TComponent* s) { Button_AddClick(s); };
    Button_Ok->OnClick = [this](TComponent* s) { Button_OkClick(s); };
    Edit1->OnEnter = [this](TComponent* s) { Button_AddClick(s); };
    Edit1->OnPaste = [this](TComponent*) { return PasteLinesIntoField(); };
    ListBox1->OnDeleteKey = [this](TComponent* s) { Button_DeleteClick(s); };
    ListBox1->OnCopy = [this](TComponent* s) { List_CopyClick(s); };
    ListBox1->OnPaste = [this](TComponent* s) { List_PasteClick(s); };

    PopupMenu_List = std::make_unique<TPopupMenu>(this);
    List_Remove =
        &PopupMenu_List->Add(texts.listRemove, [this](TComponent* s) { Button_DeleteClick(s); });
    List_SelectAll =
        &PopupMenu_List->Add(texts.listSelectAll, [this](TComponent*) { ListBox1->SelectAll(); });
    List_Copy = &PopupMenu_List->Add(texts.listCopy, [this](TComponent* s) { List_CopyClick(s); });
    List_Paste =
        &PopupMenu_List->Add(texts.listPaste, [this](TComponent* s) { List_PasteClick(s); });
    PopupMenu_List->Add("-");
    List_Import =
        &PopupMenu_List->Add(texts.listImport, [this](TComponent* s) { List_ImportClick(s); });
    List_Export =
        &PopupMenu_List->Add(texts.listExport, [this](TComponent* s) { List_ExportClick(s); });
    PopupMenu_List->OnPopup = [this](TComponent*) {
        const bool selection = ListBox1->SelectedCount() > 0;
        List_Remove->Enabled = selection;
        List_Copy->Enabled = selection;
    };
    ListBox1->PopupMenu = PopupMenu_List.get();

    PopupMenu1 = std::make_unique<TPopupMenu>(this);
    PopupMenu1->OnPopup = [this](TComponent*) { RefreshBlocking(); };
    Count = &PopupMenu1->Add({});
    Count->Enabled = false;
    N3 = &PopupMenu1->Add("-");
    Block = &PopupMenu1->Add(texts.active, [this](TComponent* s) { BlockClick(s); });
    Block->Default = true;
    Pause = &PopupMenu1->Add(texts.pause);
    const TNotifyEvent pauseClick = [this](TComponent* s) { PauseClick(s); };
    Pause5 = &Pause->Add(texts.pause5, pauseClick);
    Pause15 = &Pause->Add(texts.pause15, pauseClick);
    Pause60 = &Pause->Add(texts.pause60, pauseClick);
    PauseSignIn = &Pause->Add(texts.pauseSignIn, pauseClick);
    Exceptions = &PopupMenu1->Add(texts.exceptions, [this](TComponent* s) { ExceptionsClick(s); });
    N2 = &PopupMenu1->Add("-");
    Sound = &PopupMenu1->Add(texts.sound, [this](TComponent* s) { SoundClick(s); });
    N1 = &PopupMenu1->Add("-");
    Beenden1 = &PopupMenu1->Add(texts.quit, [this](TComponent* s) { Beenden1Click(s); });

    TrayIcon1 = std::make_unique<TTrayIcon>(this, std::move(trayShell));
    // The tip goes to the shell with the icon itself: hovering tells what it is.
    TrayIcon1->SetHint(Application().Title());
    TrayIcon1->SetActive(true);
    TrayIcon1->SetPopupMenu(PopupMenu1.get());
    TrayIcon1->SetVisibility(tvAutoHide);
    TrayIcon1->OnClick = [this](TComponent* s, TMouseButton b, TShiftState sh, int x, int y) {
        TrayIcon1Click(s, b, sh, x, y);
    };
    TrayIcon1->OnTaskbarCreated = [this](TComponent*) { LoadTrayPictures(); };

    ThreadTimer1 = std::make_unique<TThreadTimer>(this);
    ThreadTimer1->SetDelay(333);
    ThreadTimer1->SetOnTimer([this](TComponent* s) { ThreadTimer1Timer(s); });
}

void TForm_Stilvane::Layout(int dpi) {
    dpi_ = ClampDpi(dpi);
    FontSpec fontSpec; // "MS Sans Serif"
    fontSpec.height = ScaleToDpi(kFontHeight, dpi_);
    UniqueFont font = CreateFontFrom(fontSpec);
    const std::pair<const Control*, Bounds> placements[] = {
        {ListBox1.get(), kListBox1},
        {Button_Delete.get(), kButtonDelete},
        {Edit1.get(), kEdit1},
        {Button_Add.get(), kButtonAdd},
        {Bevel1.get(), kBevel1},
        {Button_Ok.get(), kButtonOk},
        {Label_Exceptions.get(), kLabelExceptions},
        {Label_NewException.get(), kLabelNewException}};
    for (const auto& [control, bounds] : placements) {
        control->SetBounds(Scaled(bounds, dpi_));
        control->SetFont(font.Get());
    }
    ListBox1->SetItemHeight(ScaleToDpi(kItemHeight, dpi_));
    const Bounds label = Scaled(kLabel1, dpi_);
    Label1->SetBounds(label.left, label.top, label.width, label.height);
    Label1->SetFont(fontSpec);
    // The old font goes once no control uses it any more.
    font_ = std::move(font);
}

void TForm_Stilvane::LoadTrayPictures() {
    const int size = TrayIcon1->PictureSize();
    if (size == pictureSize_)
        return;
    pictureSize_ = size;
    Image_ON.Adopt(TIcon::LoadResource("IMAGE_ON", size, size));
    Image_OFF.Adopt(TIcon::LoadResource("IMAGE_OFF", size, size));
    Image_BLOCKED.Adopt(TIcon::LoadResource("IMAGE_BLOCKED", size, size));
    Image_PAUSED.Adopt(TIcon::LoadResource("IMAGE_PAUSED", size, size));
    if (shownPicture_)
        ShowPicture(*shownPicture_);
}

std::string TForm_Stilvane::ExceptionsFile() const {
    return FileInDirectory(programDirectory_, kExceptionsFileName);
}

void TForm_Stilvane::FormCreate() {
    BlockShownAt = 0;
    // Whatever becomes of the texts, the blocker must find the folder, the
    // icon must tell the stored state and polling must run: a controller
    // that looks alive but never polls is worse than one in German.
    Application().RunHandler([this] {
        if (const auto language = SelectLanguage(programDirectory_))
            ApplyLanguageTexts(*language);
    });
    std::exception_ptr firstError;
    const auto step = [&firstError](const std::function<void()>& action) {
        try {
            action();
        } catch (const std::exception&) {
            if (!firstError)
                firstError = std::current_exception();
        }
    };
    step([this] { settings_.PublishProgramDirectory(programDirectory_); });
    Block->Checked = false;
    step([this] { Block->Checked = settings_.ReadBlocking(); });
    UpdateTrayIcon();
    Sound->Checked = true;
    step([this] { Sound->Checked = settings_.ReadSound(); });
    step([this] { settings_.WriteSound(Sound->Checked); });
    step([this] { count_ = state_.ReadCount(); });
    step([this] { TakePauseRecordAtStart(); });
    UpdateTrayIcon();
    ThreadTimer1->SetActive(true);
    if (firstError)
        std::rethrow_exception(firstError);
}

// A pause still running when the program starts again goes on; anything
// else recorded ends now, so that no pause outlives its end, a sign-in or a
// record nobody can read.
void TForm_Stilvane::TakePauseRecordAtStart() {
    const auto record = state_.ReadPauseRecord();
    if (!record)
        return;
    if (const auto kept = PauseKeptAtStart(*record, clock_()); kept && !Block->Checked) {
        pause_ = kept;
        return;
    }
    pause_ = PauseEnd{}; // over long ago: the tick tries again if this fails
    TickWrite(pauseFailureShown_, [this] { EndPause(); });
}

void TForm_Stilvane::ApplyLanguageTexts(LanguageId id) {
    texts_ = ReadLanguageTexts(programDirectory_, id);
    const LanguageTexts& texts = texts_;
    Block->Caption = texts.active;
    Exceptions->Caption = texts.exceptions;
    Sound->Caption = texts.sound;
    Beenden1->Caption = texts.quit;
    Button_Delete->SetText(texts.buttonDelete);
    Button_Add->SetText(texts.buttonAdd);
    Label1->SetCaption(texts.label1);
    Label_Exceptions->SetText(texts.labelExceptions);
    Label_NewException->SetText(texts.labelNewException);
    Edit1->SetCueBanner(texts.cueNewException);
    for (const auto& [item, caption] :
         {std::pair{List_Remove, &texts.listRemove},
          std::pair{List_SelectAll, &texts.listSelectAll}, std::pair{List_Copy, &texts.listCopy},
          std::pair{List_Paste, &texts.listPaste}, std::pair{List_Import, &texts.listImport},
          std::pair{List_Export, &texts.listExport}})
        item->Caption = *caption;
    Pause->Caption = texts.pause;
    Pause5->Caption = texts.pause5;
    Pause15->Caption = texts.pause15;
    Pause60->Caption = texts.pause60;
    PauseSignIn->Caption = texts.pauseSignIn;
}

void TForm_Stilvane::UpdateTrayIcon() {
    ShowPicture(pause_ ? TrayPicture::Paused : StatePicture(Block->Checked));
    UpdateStateTexts();
}

void TForm_Stilvane::UpdateStateTexts() {
    const UtcSeconds now = clock_();
    if (now / 60 != todayLookedUp_) {
        todayLookedUp_ = now / 60;
        today_ = LocalDay(now);
    }
    const std::string counted =
        stilvane::Counted(texts_.language, texts_.blockedCount, BlockedOn(count_, today_),
                          std::to_string(count_.total));
    // The end's local time is looked up once per pause, not at every tick.
    if (pause_ && !pause_->atSignIn && pauseTimeOf_ != pause_->at) {
        pauseTimeOf_ = pause_->at;
        pauseTime_ = LocalTimeText(pause_->at);
    }
    std::string state = Application().Title();
    if (pause_)
        state = pause_->atSignIn ? texts_.pausedSignIn : FillIn(texts_.pausedUntil, pauseTime_);
    // Only a new tip goes to the tray icon, which looks for the taskbar then.
    if (std::string tip = TrayTip(state, counted); tip != TrayIcon1->Hint())
        TrayIcon1->SetHint(std::move(tip));
    Count->Caption = counted;
    Pause->Enabled = Block->Checked || pause_.has_value();
}

void TForm_Stilvane::ShowPicture(TrayPicture picture) {
    shownPicture_ = picture;
    switch (picture) {
    case TrayPicture::On:
        TrayIcon1->SetIcon(Image_ON);
        break;
    case TrayPicture::Off:
        TrayIcon1->SetIcon(Image_OFF);
        break;
    case TrayPicture::Blocked:
        TrayIcon1->SetIcon(Image_BLOCKED);
        break;
    case TrayPicture::Paused:
        TrayIcon1->SetIcon(Image_PAUSED);
        break;
    }
}

void TForm_Stilvane::RaiseStateError(const std::string& pattern, bool ownKey,
                                     const std::exception& cause) const {
    const std::string& path = ownKey ? state_.Path() : settings_.Path();
    throw EOperationError(FillIn(pattern, KeyName(settings_.Root(), path), SystemReason(cause)));
}

void TForm_Stilvane::RefreshBlocking() {
    const bool stored = settings_.ReadBlocking();
    // Switched on by someone else: the pause is over.
    if (stored && pause_) {
        pause_.reset();
        state_.RemovePauseRecord();
    }
    if (stored == Block->Checked)
        return;
    Block->Checked = stored;
    // The blocked picture keeps its two seconds; the state's picture follows.
    if (BlockShownAt == 0)
        UpdateTrayIcon();
}

void TForm_Stilvane::WriteShared(const std::function<void()>& write, bool soundOn) {
    const bool republish = !settings_.ProgramDirectoryPublished();
    write();
    if (republish) {
        settings_.PublishProgramDirectory(programDirectory_);
        settings_.WriteSound(soundOn);
    }
}

// The check marks change only once the blocker can see the new value: a
// failed write leaves the menu and the icon telling what is stored. The
// toggle starts from the stored value, which another program may have
// changed since the menu was drawn.
void TForm_Stilvane::BlockClick(TComponent*) {
    if (pause_) {
        EndPause(true);
        return;
    }
    RefreshBlocking();
    const bool on = !Block->Checked;
    WriteBlocking(on);
    Block->Checked = on;
    UpdateTrayIcon();
}

void TForm_Stilvane::WriteBlocking(bool on) {
    WriteShared([&] { settings_.WriteBlocking(on); }, Sound->Checked);
}

// The end is recorded before blocking goes off: whatever happens to the
// program then, the next start finds when the pause ends.
void TForm_Stilvane::PauseClick(TComponent* sender) {
    const PauseLength length = sender == Pause5    ? PauseLength::Minutes5
                               : sender == Pause15 ? PauseLength::Minutes15
                               : sender == Pause60 ? PauseLength::Hour1
                                                   : PauseLength::UntilSignIn;
    const PauseEnd end = PauseEndFor(length, clock_());
    try {
        state_.WritePauseRecord(FormatPauseRecord(end));
    } catch (const ERegistryException& error) {
        RaiseStateError(texts_.errorPauseStart, true, error);
    }
    try {
        WriteBlocking(false);
    } catch (const ERegistryException& error) {
        if (!pause_)
            state_.RemovePauseRecord();
        RaiseStateError(texts_.errorPauseStart, false, error);
    }
    pause_ = end;
    Block->Checked = false;
    UpdateTrayIcon();
}

void TForm_Stilvane::EndPause(bool byUser) {
    // Another program may have set blocking since the pause began; its
    // choice stays.
    bool on = true;
    try {
        if (byUser || settings_.BlockingStoredAsOff())
            WriteBlocking(true);
        else
            on = settings_.ReadBlocking();
    } catch (const ERegistryException& error) {
        RaiseStateError(texts_.errorPauseEnd, false, error);
    }
    state_.RemovePauseRecord();
    pause_.reset();
    Block->Checked = on;
    UpdateTrayIcon();
}

void TForm_Stilvane::TickWrite(bool& failureShown, const std::function<void()>& write) {
    try {
        write();
        failureShown = false;
    } catch (const std::exception& error) {
        if (failureShown)
            return;
        failureShown = true;
        // Shown after the tick: polling never waits on a person.
        Application().ShowExceptionLater(error);
    }
}

// The count goes up only once it is stored: a failed write skips this block.
void TForm_Stilvane::CountBlock() {
    const BlockCount counted = stilvane::CountBlock(count_, LocalDay(clock_()));
    try {
        state_.WriteCount(counted);
    } catch (const ERegistryException& error) {
        RaiseStateError(texts_.errorCount, true, error);
    }
    count_ = counted;
}

void TForm_Stilvane::SoundClick(TComponent*) {
    const bool on = !Sound->Checked;
    WriteShared([&] { settings_.WriteSound(on); }, on);
    Sound->Checked = on;
}

void TForm_Stilvane::ExceptionsClick(TComponent*) {
    // An editor already open keeps its unsaved edits: it only comes forward.
    if (::IsWindowVisible(Handle())) {
        Show();
        return;
    }
    // Read whole before anything changes: on an error the list and the
    // window stay as they were. A missing file is an empty list, which Ok
    // then creates.
    StoredExceptions stored = LoadExceptions(ExceptionsFile());
    loaded_ = stored.Entries();
    loadedBytes_ = std::move(stored.bytes);
    std::vector<ListItem> items;
    items.reserve(stored.lines.size());
    for (AnsiLine& line : stored.lines)
        items.push_back({std::move(line.text), line.lossy ? kLossyEntry : 0});
    ListBox1->Assign(std::move(items));
    Show();
}

void TForm_Stilvane::Beenden1Click(TComponent*) {
    Close();
}

void TForm_Stilvane::Button_AddClick(TComponent*) {
    const AnsiLine typed = LineToAnsi(Edit1->WideText());
    const std::string text = TrimEntry(typed.text);
    if (text.empty() || ListBox1->FindExact(text) >= 0)
        return;
    if (text.size() > kLongestNewEntry) {
        RefuseTooLong(1);
        return;
    }
    ListBox1->Add({text, typed.lossy ? kLossyEntry : 0});
    // The text stays for a similar entry; typing replaces it.
    Edit1->SelectAll();
}

void TForm_Stilvane::RefuseTooLong(std::size_t count) const {
    Application().Ask(stilvane::Counted(texts_.language, texts_.refusedTooLong, count,
                                        std::to_string(kLongestNewEntry)),
                      MB_OK | MB_ICONWARNING);
}

void TForm_Stilvane::AddLines(const std::vector<AnsiLine>& lines) {
    std::vector<CandidateEntry> candidates;
    candidates.reserve(lines.size());
    for (const AnsiLine& line : lines)
        candidates.push_back({line.text, line.lossy});
    NewEntries planned = PlanNewEntries(ListBox1->Items(), candidates);
    std::vector<ListItem> items;
    items.reserve(planned.added.size());
    for (CandidateEntry& entry : planned.added)
        items.push_back({std::move(entry.text), entry.lossy ? kLossyEntry : 0});
    ListBox1->AddMany(std::move(items));
    ShowTitleNote(FillIn(texts_.noteAdded, std::to_string(planned.added.size()),
                         std::to_string(planned.alreadyListed)));
    if (planned.tooLong > 0)
        RefuseTooLong(planned.tooLong);
}

namespace {

std::vector<AnsiLine> ClipboardLines(HWND owner) {
    const auto text = ReadClipboardText(owner);
    return text ? TextLinesToAnsi(*text, "\r\n") : std::vector<AnsiLine>{};
}

} // namespace

bool TForm_Stilvane::PasteLinesIntoField() {
    const std::vector<AnsiLine> lines = ClipboardLines(Handle());
    const auto filled = std::count_if(lines.begin(), lines.end(), [](const AnsiLine& line) {
        return !TrimEntry(line.text).empty();
    });
    if (filled < 2)
        return false;
    AddLines(lines);
    return true;
}

void TForm_Stilvane::List_PasteClick(TComponent*) {
    AddLines(ClipboardLines(Handle()));
}

void TForm_Stilvane::List_CopyClick(TComponent*) {
    std::string lines;
    for (const std::string& item : ListBox1->SelectedItems())
        lines += (lines.empty() ? "" : "\r\n") + item;
    if (!lines.empty())
        WriteClipboardText(Handle(), lines);
}

std::vector<FileFilter> TForm_Stilvane::ListFileFilters() const {
    return {{texts_.filterText, "*.txt;*.ini"}, {texts_.filterAll, "*.*"}};
}

void TForm_Stilvane::List_ImportClick(TComponent*) {
    if (const auto path = ChooseFileToOpen(Handle(), ListFileFilters()))
        ImportFrom(*path);
}

void TForm_Stilvane::List_ExportClick(TComponent*) {
    if (const auto path = ChooseFileToSave(Handle(), ListFileFilters(), kExceptionsFileName))
        ExportTo(*path);
}

void TForm_Stilvane::ImportFrom(const std::wstring& path) {
    const std::string shown = WideToAnsi(path);
    std::string bytes;
    try {
        bytes = ReadWholeFile(path);
    } catch (const EFOpenError& error) {
        throw EOperationError(FillIn(texts_.errorImport, shown, SystemReason(error)));
    }
    if (!LooksLikeText(bytes) &&
        Application().Ask(FillIn(texts_.askNotText, shown), MB_YESNO | MB_ICONWARNING) != IDYES)
        return;
    AddLines(FileLinesToAnsi(bytes, kExceptionLineBreaks));
}

void TForm_Stilvane::ExportTo(const std::wstring& path) {
    try {
        SaveExceptions(path, ListBox1->Items());
    } catch (const Exception& error) {
        throw EOperationError(FillIn(texts_.errorExport, WideToAnsi(path), SystemReason(error)));
    }
}

void TForm_Stilvane::Button_DeleteClick(TComponent*) {
    ListBox1->DeleteSelected();
}

void TForm_Stilvane::Button_OkClick(TComponent*) {
    switch (SaveList()) {
    case SaveResult::Saved:
        Hide();
        break;
    case SaveResult::Merged:
        // Stays open: the user sees what the list has become.
        ShowTitleNote(texts_.noteMerged);
        break;
    case SaveResult::Declined:
        break;
    }
}

TForm_Stilvane::SaveResult TForm_Stilvane::SaveList() {
    // Someone may have changed the file since it was loaded: a text editor,
    // a sync tool. Their changes and the editor's both count.
    StoredExceptions now;
    try {
        now = LoadExceptions(ExceptionsFile());
    } catch (const EFOpenError& error) {
        throw EOperationError(FillIn(texts_.errorMergeRead, ExceptionsFile(), SystemReason(error)));
    }
    const std::vector<ListItem> items = ListBox1->AllItems();
    std::vector<std::string> list;
    list.reserve(items.size());
    for (const ListItem& item : items)
        list.push_back(item.text);
    const std::vector<std::string> outside = now.Entries();
    const bool merged = now.exists && !SameEntries(outside, loaded_);
    if (merged)
        list = MergeExceptions(loaded_, list, outside);

    // Entries the save would change: those that lost characters on their way
    // into the list, or (when merging) into the file meanwhile.
    std::map<std::string, std::size_t> lossy, kept;
    for (const ListItem& item : items)
        lossy[item.text] += (item.tag & kLossyEntry) ? 1 : 0;
    if (merged) {
        std::map<std::string, std::size_t> lossyOutside;
        for (const AnsiLine& line : now.lines)
            lossyOutside[line.text] += line.lossy ? 1 : 0;
        for (const auto& [text, count] : lossyOutside)
            lossy[text] = std::max(lossy[text], count);
    }
    for (const std::string& entry : list)
        ++kept[entry];
    std::size_t unstorable = 0;
    for (const auto& [text, count] : kept)
        unstorable += std::min(count, lossy[text]);
    if (unstorable > 0) {
        const std::string question =
            stilvane::Counted(texts_.language, texts_.askUnstorable, unstorable);
        if (Application().Ask(question, MB_YESNO | MB_ICONWARNING) != IDYES)
            return SaveResult::Declined;
        // The characters the blocker's file cannot hold survive beside it.
        const std::string backup = ExceptionsFile() + ".bak";
        try {
            ReplaceFileContent(backup, now.exists ? now.bytes : loadedBytes_);
        } catch (const Exception& error) {
            throw EOperationError(FillIn(texts_.errorBackup, backup, SystemReason(error)));
        }
    }
    if (merged) {
        std::vector<ListItem> mergedItems;
        mergedItems.reserve(list.size());
        for (const std::string& entry : list)
            mergedItems.push_back({entry, 0});
        ListBox1->Assign(std::move(mergedItems));
        list = ListBox1->Items();
    }
    SaveExceptions(ExceptionsFile(), list);
    ListBox1->ClearTag(kLossyEntry);
    loaded_ = std::move(list);
    return merged ? SaveResult::Merged : SaveResult::Saved;
}

bool TForm_Stilvane::HasUnsavedEdits() const {
    return ::IsWindowVisible(Handle()) && !SameEntries(ListBox1->Items(), loaded_);
}

bool TForm_Stilvane::FormCloseQuery() {
    if (!HasUnsavedEdits())
        return true;
    Show();
    switch (Application().Ask(texts_.askSaveChanges, MB_YESNOCANCEL | MB_ICONQUESTION)) {
    case IDYES:
        try {
            return SaveList() != SaveResult::Declined;
        } catch (const std::exception& error) {
            Application().ShowException(error);
            return false;
        }
    case IDNO:
        return true;
    default:
        return false;
    }
}

void TForm_Stilvane::ShowTitleNote(const std::string& note) {
    ::SetWindowTextA(Handle(), note.c_str());
    ::SetTimer(Handle(), kTitleNoteTimer, kTitleNoteMilliseconds, nullptr);
}

void TForm_Stilvane::TrayIcon1Click(TComponent*, TMouseButton, TShiftState, int, int) {}

void TForm_Stilvane::ThreadTimer1Timer(TComponent*) {
    // After the two seconds, back to the picture of the current state, as a
    // toggle would show it.
    if (PictureAtTick(ticks_(), BlockShownAt, Block->Checked))
        UpdateTrayIcon();
    // The system clock, not the tick count: time asleep counts.
    const UtcSeconds now = clock_();
    if (pause_) {
        // Blocking switched on by another program ends the pause; a value
        // that cannot be read now is looked at again at the next tick.
        try {
            RefreshBlocking();
        } catch (const Exception&) {
        }
        if (pause_ && PauseOver(*pause_, now))
            TickWrite(pauseFailureShown_, [this] { EndPause(); });
    }
    // The tip and the count row change with a block or a new day; an idle
    // tick builds no texts.
    bool textsDue = now / 60 != todayLookedUp_;
    if (settings_.TakeBlockSignal()) {
        ShowPicture(PictureAtSignal(ticks_(), BlockShownAt));
        TickWrite(countFailureShown_, [this] { CountBlock(); });
        textsDue = true;
    }
    if (textsDue)
        UpdateStateTexts();
}

void TForm_Stilvane::Show() {
    if (!shownBefore_) {
        // Centred on the screen the first time, later where the user left it.
        const RECT area = WorkAreaOf(Handle());
        RECT frame;
        ::GetWindowRect(Handle(), &frame);
        const int width = frame.right - frame.left, height = frame.bottom - frame.top;
        ::SetWindowPos(Handle(), HWND_TOPMOST, area.left + (area.right - area.left - width) / 2,
                       area.top + (area.bottom - area.top - height) / 2, 0, 0,
                       SWP_NOSIZE | SWP_NOACTIVATE);
        shownBefore_ = true;
    } else {
        // Its display may have gone or shrunk meanwhile.
        KeepInWorkArea(Handle());
    }
    Application().ShowApplicationWindow();
    ::ShowWindow(Handle(), SW_SHOW);
    ::SetForegroundWindow(Handle());
    ::BringWindowToTop(Handle());
    if (!::GetFocus() || ::GetParent(::GetFocus()) != Handle())
        Button_Ok->SetFocus();
}

void TForm_Stilvane::Hide() {
    ::ShowWindow(Handle(), SW_HIDE);
    Application().HideApplicationWindow();
}

void TForm_Stilvane::Close() {
    if (!FormCloseQuery())
        return;
    // Nothing else would end a pause: blocking goes back on before the end.
    // Should that fail, the record still ends the pause at the next start.
    if (pause_) {
        try {
            EndPause();
        } catch (const std::exception& error) {
            Application().ShowException(error);
        }
    }
    Hide();
    Application().Terminate();
}

LRESULT TForm_Stilvane::WindowProc(UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
    case WM_GETFONT:
        return reinterpret_cast<LRESULT>(font_.Get());
    case WM_CLOSE:
        Close();
        return 0;
    case WM_TIMER:
        if (wParam == kTitleNoteTimer) {
            ::KillTimer(Handle(), kTitleNoteTimer);
            ::SetWindowTextA(Handle(), kCaption);
            return 0;
        }
        break;
    case WM_DPICHANGED: {
        // Moved to a display of another scale, or the scale changed: take
        // the size the system suggests and lay out anew.
        const RECT& suggested = *reinterpret_cast<const RECT*>(lParam);
        ::SetWindowPos(Handle(), nullptr, suggested.left, suggested.top,
                       suggested.right - suggested.left, suggested.bottom - suggested.top,
                       SWP_NOZORDER | SWP_NOACTIVATE);
        const int dpi = FittingDpi(Handle(), LOWORD(wParam));
        if (dpi != ClampDpi(LOWORD(wParam)))
            SizeClientFor(Handle(), dpi);
        KeepInWorkArea(Handle());
        Layout(dpi);
        LoadTrayPictures();
        return 0;
    }
    case WM_DISPLAYCHANGE:
    case WM_SETTINGCHANGE:
        LoadTrayPictures();
        break;
    case WM_SYSCOLORCHANGE:
        // Only top-level windows hear of it: pass it on to the controls,
        // which take their colours anew.
        for (HWND child = ::GetWindow(Handle(), GW_CHILD); child;
             child = ::GetWindow(child, GW_HWNDNEXT))
            ::SendMessageA(child, WM_SYSCOLORCHANGE, wParam, lParam);
        ::RedrawWindow(Handle(), nullptr, nullptr,
                       RDW_INVALIDATE | RDW_ERASE | RDW_FRAME | RDW_ALLCHILDREN);
        break;
    }
    return Window::WindowProc(message, wParam, lParam);
}

} // namespace stilvane
