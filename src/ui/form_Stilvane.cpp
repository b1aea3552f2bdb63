#include "ui/form_Stilvane.h"

#include "framework/gui/display_scale.h"
#include "framework/loop/application.h"
#include "framework/loop/wall_clock.h"
#include "framework/portable/dpi.h"
#include "framework/portable/errors.h"
#include "framework/portable/path.h"
#include "framework/system/ansi_text.h"
#include "framework/system/system_error.h"
#include "settings/marl_INI.h"
#include "ui/editor/editor_layout.h"
#include "ui/editor/exceptions_file.h"
#include "ui/tray/tray_menu.h"
#include "ui/tray/tray_tip.h"
#include "ui/tray/welcome_balloon.h"

#include <exception>

namespace stilvane {

namespace {

constexpr char kWindowClass[] = "TForm_Stilvane";

} // namespace

TForm_Stilvane::TForm_Stilvane(SharedSettings settings, std::string programDirectory,
                               TickSource ticks, TrayShell trayShell, WallClock clock,
                               PolicyStore policies, RegistryWatch::Arming arming)
    : TComponent(nullptr), Editor([this] { return MakeEditor(); }), settings_(std::move(settings)),
      state_(settings_.Root(), settings_.Path() + "\\" + kOwnKeyName),
      programDirectory_(std::move(programDirectory)), ticks_(std::move(ticks)),
      clock_(std::move(clock)), texts_(BuiltInTexts()), pause_(state_, texts_),
      statistics_(state_, texts_),
      policy_(std::make_unique<PolicyLocks>(*this, settings_, state_, texts_, programDirectory_,
                                            std::move(policies))),
      sites_(std::make_unique<BlockedSitesController>(
          *this, state_, texts_, clock_, FileInDirectory(programDirectory_, kExceptionsFileName))),
      arming_(arming) {
    using namespace editor_layout;
    const SIZE frame = kFrame.SizeAt(kBaseDpi, kBaseDpi);
    // Owned by the application window, which carries the taskbar button.
    CreateHandle(
        {kWindowClass, ::LoadCursorA(nullptr, IDC_ARROW),
         reinterpret_cast<HBRUSH>(COLOR_BTNFACE + 1)},
        {kExStyle, kStyle, 0, 0, frame.cx, frame.cy, Application().Handle(), kEditorCaption});
    kFrame.FitToDisplay(Handle());

    BeginLoading();
    CreateMenu();
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
    TrayIcon1->OnBalloonClick = [this](TComponent*) { sites_->BalloonClick(); };
    Statistics = std::make_unique<StatisticsWindow>(this, texts_, [this] {
        statistics_.Reset();
        sites_->Reload();
        UpdateStateTexts();
        Statistics->Update(Figures());
    });
    Statistics->OnAllowSite = [this](const std::string& site) { sites_->Allow(site); };
    ThreadTimer1 = std::make_unique<TThreadTimer>(this);
    EndLoading();
    LoadTrayPictures();
    // Only a window with all its parts goes to the application: an error
    // above leaves it none.
    Application().SetMainWindow(Handle());
    Application().AddDialogWindow(Handle());
    Application().SetOnEndSession([this] {
        ThreadTimer1->SetActive(false);
        TrayIcon1->SetActive(false);
    });
    // An update ends the program without a question, but never leaves a
    // pause behind.
    Application().SetOnCloseForUpdate([this] {
        Hide();
        if (pause_.Running())
            EndPause();
    });
    // Errors are told in the language of the texts in force when shown.
    Application().SetMessageText(
        [this](const std::exception& error) { return MessageIn(texts_, error, &SystemReason); });
    Application().RunHandler([this] { FormCreate(); });
    TrayIcon1->OnBalloonShow = WelcomeShown{&state_};
    WelcomeOnFirstStart(*TrayIcon1, state_, Application().Title(), texts_[TextKey::BalloonWelcome]);
    // A second start opens the editor, as the menu does.
    secondStarts_ = std::make_unique<SecondStartListener>([this] { ExceptionsClick(nullptr); });
}

TForm_Stilvane::~TForm_Stilvane() {
    // The listener, the timer and the tray icon go first: no second start,
    // tick or click may reach a half-destroyed window.
    secondStarts_.reset();
    signalWatch_.reset();
    Application().SetOnEndSession(nullptr);
    Application().SetOnCloseForUpdate(nullptr);
    Application().SetMessageText(nullptr);
    policy_.reset();
    ThreadTimer1.reset();
    TrayIcon1.reset();
    Application().RemoveDialogWindow(Handle());
    Application().SetMainWindow(nullptr);
    Editor.Reset();
}

std::unique_ptr<ExceptionsEditor> TForm_Stilvane::MakeEditor() {
    auto editor = std::make_unique<ExceptionsEditor>(
        this, *this, FileInDirectory(programDirectory_, kExceptionsFileName), texts_,
        editor_layout::kFrame.FitToDisplay(Handle()));
    editor->SetPolicy(exceptionsReadOnly_, managedExceptions_);
    return editor;
}

void TForm_Stilvane::CreateMenu() {
    PopupMenu1 = std::make_unique<TPopupMenu>(this);
    PopupMenu1->OnPopup = [this](TComponent*) {
        sites_->UpdateMenu();
        RefreshBlocking();
    };
    AddTrayMenuItems(*this);
    Block->Default = true;
    ApplyTexts();
}

void TForm_Stilvane::LoadTrayPictures() {
    if (pictures_.LoadAt(TrayIcon1->PictureSize()) && shownPicture_)
        ShowPicture(*shownPicture_);
}

void TForm_Stilvane::FormCreate() {
    BlockShownAt = 0;
    // Whatever becomes of the texts, the blocker must find the folder, the
    // icon must tell the stored state and polling must run: a controller
    // that looks alive but never polls is worse than one in German. A box
    // about them comes after the start, whose steps it would hold up.
    Application().RunHandler([this] {
        if (const auto language = ChooseLanguage(programDirectory_, ::GetSystemDefaultLangID()))
            ApplyLanguageTexts(*language);
        else
            Application().ShowPlainMessageLater(kMissingLanguageFile);
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
    step([this] { Sound->Checked = settings_.NormaliseSound(); });
    step([this] { statistics_.Read(); });
    // Started on a later day: the days since go into the history.
    step([this] { statistics_.TakeInDaysBefore(LocalDay(clock_())); });
    step([this] { pause_.TakeRecordAtStart(clock_(), Block->Checked); });
    // A record that has ended switches blocking back on; should that fail,
    // the tick tries again.
    if (pause_.Over(clock_()))
        pauseFailure_.Run([this] { EndPause(); });
    step([this] { sites_->Start(); });
    policy_->Start();
    UpdateTrayIcon();
    StartLooks();
    if (firstError)
        std::rethrow_exception(firstError);
}

void TForm_Stilvane::ApplyLanguageTexts(LanguageId id) {
    texts_ = ReadLanguageTexts(programDirectory_, id);
    ApplyTexts();
}

void TForm_Stilvane::ApplyTexts() {
    CaptionTrayMenu(*this, texts_);
    policy_->MarkLockedItems(*Block, *Pause, *Sound, *Beenden1);
    if (ExceptionsEditor* editor = Editor.IfMade())
        editor->ApplyTexts();
    else
        ::SetWindowTextA(
            Handle(),
            EditorCaption(texts_, exceptionsReadOnly_, !managedExceptions_.empty()).c_str());
}

void TForm_Stilvane::UpdateTrayIcon() {
    ShowPicture(pause_.Running() ? TrayPicture::Paused : StatePicture(Block->Checked));
    UpdateStateTexts();
}

void TForm_Stilvane::UpdateStateTexts() {
    const UtcSeconds now = clock_();
    if (now / 60 != todayLookedUp_) {
        todayLookedUp_ = now / 60;
        const std::string day = LocalDay(now);
        // A day has ended: it goes into the history, at most once a day.
        if (day != today_)
            countFailure_.Run([this, &day] { statistics_.TakeInDaysBefore(day); });
        today_ = day;
    }
    const BlockCount& count = statistics_.Count();
    const std::string counted =
        stilvane::Counted(texts_.language, texts_[CountedKey::BlockedCount],
                          BlockedOn(count, today_), std::to_string(count.total));
    const std::string state =
        policy_->TipRow(pause_.Running() ? pause_.TipRow() : Application().Title());
    // Only a new tip goes to the tray icon, which hands it to the shell.
    if (std::string tip = TrayTip(state, counted, &IsLeadByte); tip != TrayIcon1->Hint())
        TrayIcon1->SetHint(std::move(tip));
    Count->Caption = counted;
    Pause->Enabled = (Block->Checked || pause_.Running()) && policy_->PauseOffered();
}

void TForm_Stilvane::ShowPicture(TrayPicture picture) {
    shownPicture_ = picture;
    TrayIcon1->SetIcon(pictures_[picture]);
}

BlockFigures TForm_Stilvane::Figures() const {
    return {statistics_.LastDays(today_),
            statistics_.Count().total,
            today_,
            {sites_->Recording(), PoliciesInForce().Allows(PolicyId::ExceptionsEditable),
             sites_->TopSites(today_)}};
}

// While a box waits for its answer, the box comes forward: a window opened
// now would cover it, or act behind it.
void TForm_Stilvane::ExceptionsClick(TComponent*) {
    if (!Application().BringBoxForward())
        Editor->Open();
}

void TForm_Stilvane::CountClick(TComponent*) {
    if (Application().BringBoxForward())
        return;
    UpdateStateTexts();
    Statistics->Open(Figures());
}

void TForm_Stilvane::NotifyClick(TComponent*) {
    sites_->NotifyClick();
}

void TForm_Stilvane::Beenden1Click(TComponent*) {
    Close();
}

bool TForm_Stilvane::FormCloseQuery() {
    ExceptionsEditor* editor = Editor.IfMade();
    return !editor || editor->CloseQuery();
}

void TForm_Stilvane::TrayIcon1Click(TComponent*, TMouseButton, TShiftState, int, int) {}

void TForm_Stilvane::ThreadTimer1Timer(TComponent*) {
    // After the two seconds, back to the picture of the current state, as a
    // toggle would show it.
    if (PictureAtTick(ticks_(), BlockShownAt, Block->Checked))
        UpdateTrayIcon();
    // The system clock, not the tick count: time asleep counts.
    const UtcSeconds now = clock_();
    if (pause_.Running()) {
        // Blocking switched on by another program ends the pause; a value
        // that cannot be read now is looked at again at the next tick.
        try {
            RefreshBlocking();
        } catch (const Exception&) {
        }
        if (pause_.Over(now))
            pauseFailure_.Run([this] { EndPause(); });
    }
    // The tip and the count row change with a block or a new day; an idle
    // tick builds no texts.
    bool textsDue = now / 60 != todayLookedUp_;
    TakeSignal(textsDue);
    if (textsDue) {
        UpdateStateTexts();
        Statistics->Update(Figures());
    }
}

void TForm_Stilvane::TakeSignal(bool& textsDue) {
    // A value that stays is looked at about once a second, not at every tick.
    if (stuckSignal_ && ticks_() - stuckLookedAt_ < 1000)
        return;
    const BlockSignal block = settings_.TakeBlock(ticks_());
    if (!block.blocked) {
        stuckSignal_.reset();
        return;
    }
    // The picture at every look that finds a signal; the count once for a
    // value that stays until it goes or changes, and its failure told once.
    ShowPicture(PictureAtSignal(ticks_(), BlockShownAt));
    const bool counted = stuckSignal_ != block.stored;
    stuckSignal_.reset();
    if (block.undeleted) {
        stuckSignal_ = block.stored;
        stuckLookedAt_ = ticks_();
    }
    signalFailure_.Run([&block] {
        if (block.undeleted)
            throw ERegistryException(MessageKind::RegWrite, kValueBlockTime, block.undeleted);
    });
    if (!counted)
        return;
    // The count goes up only once it is stored: a failed write skips this
    // block.
    countFailure_.Run([this] { statistics_.CountBlock(LocalDay(clock_())); });
    sites_->Blocked(block.site);
    textsDue = true;
}

void TForm_Stilvane::Show() {
    // Centred on the screen the first time, later where the user left it;
    // its display may have gone or shrunk meanwhile.
    PlaceInWorkArea(Handle(), !shownBefore_);
    shownBefore_ = true;
    Application().ShowApplicationWindow();
    // Restored: minimised on its own (Windows+Down, a tool), it would stay
    // off-screen.
    ::ShowWindow(Handle(), SW_RESTORE);
    ::SetForegroundWindow(Handle());
    ::BringWindowToTop(Handle());
}

void TForm_Stilvane::Hide() {
    ::ShowWindow(Handle(), SW_HIDE);
    Application().HideApplicationWindow();
}

void TForm_Stilvane::Close() {
    // Entered once: asked again while its question or any other box waits
    // for an answer (the tray's Quit, the taskbar), the box comes forward.
    if (Application().BringBoxForward() || !FormCloseQuery())
        return;
    // The organization may keep the program running: closing hides the editor.
    if (!PoliciesInForce().Allows(PolicyId::AllowQuit))
        return Hide();
    // Nothing else would end a pause: blocking goes back on before the end.
    // Should that fail, the record still ends the pause at the next start.
    if (pause_.Running()) {
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
    if (ExceptionsEditor* editor = Editor.IfMade())
        if (const auto handled = editor->HandleMessage(message, wParam, lParam))
            return *handled;
    if (HandleLookMessage(message, wParam))
        return message == WM_POWERBROADCAST ? TRUE : 0;
    switch (message) {
    case WM_CLOSE:
        Close();
        return 0;
    case WM_DPICHANGED:
        LoadTrayPictures();
        return 0;
    case WM_SETTINGCHANGE:
        policy_->SettingChanged(lParam);
        [[fallthrough]];
    case WM_DISPLAYCHANGE:
        LoadTrayPictures();
        break;
    }
    return Window::WindowProc(message, wParam, lParam);
}

} // namespace stilvane
