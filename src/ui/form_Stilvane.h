// The main window: the controller of the tray icon with its pictures, tip
// and menu, of blocking, the block sound, the timed pause and the count of
// blocked popups, looking for the blocker's signal when its key changes; and
// the window the
// exceptions editor lives in, the only time it is shown.
#pragma once

#include "components/ThreadTimer.h"
#include "components/TrayIcon.h"
#include "framework/gui/menu.h"
#include "framework/gui/window.h"
#include "framework/loop/failure_report.h"
#include "framework/loop/registry_watch.h"
#include "framework/loop/wall_clock.h"
#include "framework/portable/civil_time.h"
#include "framework/portable/made_on_first_use.h"
#include "settings/language/language_choice.h"
#include "settings/language/language_texts.h"
#include "settings/policy/policy_store.h"
#include "settings/records/block_count.h"
#include "settings/records/controller_state.h"
#include "settings/shared_settings.h"
#include "ui/editor/exceptions_editor.h"
#include "ui/pause/timed_pause.h"
#include "ui/policy/policy_locks.h"
#include "ui/sites/blocked_sites_controller.h"
#include "ui/statistics/block_display.h"
#include "ui/statistics/block_statistics.h"
#include "ui/statistics/statistics_window.h"
#include "ui/tray/second_start.h"
#include "ui/tray/tray_pictures.h"

#include <cstdint>
#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <vector>

namespace stilvane {

class TForm_Stilvane : public TComponent,
                       public Window,
                       public EditorWindow,
                       public PolicyWindow,
                       public SitesWindow {
public:
    // Milliseconds since boot, wrapping every 2^32 ms.
    using TickSource = std::function<std::uint32_t()>;
    // The system clock in UTC seconds, which goes on while the machine sleeps.
    using WallClock = std::function<UtcSeconds()>;

    // Creates the window hidden with all its components, then runs FormCreate.
    // The program's files are looked up in `programDirectory`; tests pass
    // their own settings key, clocks, notification area and policy key, and
    // may make the watch of the settings key fail. The controller's own
    // state lives in the key's subkey "Stilvane".
    TForm_Stilvane(SharedSettings settings, std::string programDirectory,
                   TickSource ticks = &::GetTickCount, TrayShell trayShell = CurrentTrayShell(),
                   WallClock clock = &UtcNow, PolicyStore policies = PolicyStore(),
                   RegistryWatch::Arming arming = &::RegNotifyChangeKeyValue);
    ~TForm_Stilvane() override;

    HWND Handle() const override { return Window::Handle(); }
    void Show() override;
    void Hide() override;
    // Asks FormCloseQuery, then hides the window and ends the program.
    void Close();

    // Components, in the order they are created. The editor's controls are
    // made when it is first used, not at the start: the tray needs none.
    MadeOnFirstUse<ExceptionsEditor> Editor;
    std::unique_ptr<TPopupMenu> PopupMenu1;
    MenuItem* Count = nullptr;  // the count of blocked popups: opens the statistics
    MenuItem* Recent = nullptr; // submenu of the sites blocked last
    MenuItem* N3 = nullptr;
    MenuItem* Block = nullptr;
    MenuItem* Pause = nullptr; // submenu, enabled while blocking is on or paused
    MenuItem* Pause5 = nullptr;
    MenuItem* Pause15 = nullptr;
    MenuItem* Pause60 = nullptr;
    MenuItem* PauseSignIn = nullptr;
    MenuItem* Exceptions = nullptr;
    MenuItem* N2 = nullptr;
    MenuItem* Sound = nullptr;
    MenuItem* Notify = nullptr; // tell of each blocked popup
    MenuItem* N1 = nullptr;
    MenuItem* Beenden1 = nullptr;
    std::unique_ptr<StatisticsWindow> Statistics;
    std::unique_ptr<TTrayIcon> TrayIcon1;
    std::unique_ptr<TThreadTimer> ThreadTimer1;

    // Event handlers.
    void FormCreate();
    void BlockClick(TComponent* sender);
    void PauseClick(TComponent* sender);
    void SoundClick(TComponent* sender);
    void NotifyClick(TComponent* sender);
    void ExceptionsClick(TComponent* sender);
    void CountClick(TComponent* sender);
    void Beenden1Click(TComponent* sender);
    bool FormCloseQuery();
    void TrayIcon1Click(TComponent* sender, TMouseButton button, TShiftState shift, int x, int y);
    void ThreadTimer1Timer(TComponent* sender);

    // Tick count at which the blocked icon was last shown; 0: not showing.
    std::uint32_t BlockShownAt = 0;

    const Policies& PoliciesInForce() const override { return policy_->Current(); }
    // The end of the running pause; nullopt: not paused.
    const std::optional<PauseEnd>& PauseEnds() const { return pause_.End(); }
    const BlockCount& Counted() const { return statistics_.Count(); }
    BlockedSitesController& Sites() const { return *sites_; }
    // Whether the system tells of changes of the settings key; else the
    // timer polls.
    bool SignalWatched() const { return signalWatch_ && signalWatch_->Armed(); }

protected:
    LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override;

private:
    // For the policies' locks and the blocked sites (form_hosting.cpp).
    void RefreshMenu() override;
    void RefreshTray() override;
    HeldBlocking HoldBlocking() override;
    void GiveBlockingBack(const HeldBlocking& held) override;
    void KeepBlocking(bool on) override;
    void KeepSound(bool on) override;
    void EndRunningPause() override;
    std::vector<std::string> HeldExceptions() const override;
    void SetExceptionsPolicy(bool readOnly, const std::vector<std::string>& managed,
                             const ManagedChange& fileChange) override;
    ExceptionsEditor& ListEditor() override { return *Editor; }
    MenuItem& RecentSitesMenu() override { return *Recent; }
    MenuItem& NotifyItem() override { return *Notify; }
    void ShowNotification(const std::string& text) override;
    void RefreshStatistics() override;
    // Writes blocking for the blocker unless it is stored so already.
    void StoreBlocking(bool on);

    // The editor with its controls, for the window's size at the scale of
    // its display, with the policies' decisions so far.
    std::unique_ptr<ExceptionsEditor> MakeEditor();
    void CreateMenu();
    // Loads the tray pictures at the size the taskbar shows now, unless
    // they have that size already, and shows the current one again.
    void LoadTrayPictures();
    void ApplyLanguageTexts(LanguageId id);
    // The menu's and the editor's captions from the texts.
    void ApplyTexts();
    // Blocking as stored now: another program may have changed it, and
    // switching it on ends a pause.
    void RefreshBlocking();
    // A write of a shared value; puts back the folder and the sound value
    // `soundOn` when the key was deleted behind the program's back.
    void WriteShared(const std::function<void()>& write, bool soundOn);
    void WriteBlocking(bool on);
    void WriteSound(bool on);
    void UpdateTrayIcon();
    void ShowPicture(TrayPicture picture);
    // The tip's rows, the count item and the pause submenu, for the state.
    void UpdateStateTexts();
    // Ends the pause. Blocking goes back on when the user asks for it, or
    // else when the stored value is still the pause's own "0".
    void EndPause(bool byUser = false);
    // Pauses blocking until `end`.
    void BeginPause(PauseEnd end);
    // What the statistics window shows now.
    BlockFigures Figures() const;
    // The full name of the blocker's key, for messages.
    std::string SharedKeyName() const;

    // When the tick runs (form_looks.cpp): at once on a change of the
    // settings key, every 333 ms only while something is due within seconds,
    // at the next local day or a pause's end, and in a safety look at least
    // once a minute.
    void StartLooks();
    // The watch's message: what others stored, then a look.
    void KeyChanged();
    // The tick now, under its own guard, and the next looks planned.
    void Look();
    // The timer on while a look failed, the key is not watched, or the
    // blocked picture waits for its time; else off.
    void ScheduleLooks(bool lookFailed);
    // The watches made anew where their keys went unnoticed, then a look.
    void SafetyLook();
    // The one-shot wait for the next local day, a pause's end or the
    // safety look.
    void SetLookTimer();
    // Blocking and the sound as others stored them, shown at once; a key
    // made anew gets the folder and the sound as at the start.
    void TakeOutsideChanges();
    // The blocker's signal, counted once while it cannot be deleted.
    void TakeSignal(bool& textsDue);
    // WM_TIMER of the look, a wake-up from sleep, a clock change; true
    // when handled.
    bool HandleLookMessage(UINT message, WPARAM wParam);

    SharedSettings settings_;
    ControllerState state_;
    std::string programDirectory_;
    TickSource ticks_;
    WallClock clock_;
    LanguageTexts texts_;
    TimedPause pause_;
    BlockStatistics statistics_;
    std::string today_;             // local date, looked up once a minute
    UtcSeconds todayLookedUp_ = -1; // the minute of that look-up
    // The tick's writes: a failure is shown once (until a write succeeds
    // again), after the tick, and never ends the polling.
    FailureReport pauseFailure_;
    FailureReport countFailure_;
    bool shownBefore_ = false;
    // What the policies decided of the exceptions list, for the editor.
    bool exceptionsReadOnly_ = false;
    std::vector<std::string> managedExceptions_;
    TrayPictures pictures_;
    std::optional<TrayPicture> shownPicture_;
    std::unique_ptr<SecondStartListener> secondStarts_;
    std::unique_ptr<PolicyLocks> policy_;
    std::unique_ptr<BlockedSitesController> sites_;
    RegistryWatch::Arming arming_;
    std::unique_ptr<RegistryWatch> signalWatch_;
    FailureReport lookFailure_; // looks outside the timer's ticks
    bool lookTimerSet_ = false;
    // A signal whose deletion was refused: what it holds, counted once, and
    // the tick count it was last looked at.
    std::optional<std::string> stuckSignal_;
    std::uint32_t stuckLookedAt_ = 0;
    FailureReport signalFailure_;
};

} // namespace stilvane
