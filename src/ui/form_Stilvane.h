// The main window: owner of the tray icon with its menu, the polling timer
// and the tray pictures, and at the same time the exceptions editor, which
// is the only time it is shown.
#pragma once

#include "app/global.h"
#include "components/MarkupLabel.h"
#include "components/ThreadTimer.h"
#include "components/TrayIcon.h"
#include "framework/ansi_text.h"
#include "framework/controls.h"
#include "framework/file_dialogs.h"
#include "framework/graphics.h"
#include "framework/icon.h"
#include "framework/menu.h"
#include "framework/wall_clock.h"
#include "framework/window.h"
#include "settings/controller_state.h"
#include "settings/language_choice.h"
#include "settings/language_texts.h"
#include "settings/shared_settings.h"
#include "ui/block_count.h"
#include "ui/block_display.h"
#include "ui/pause_clock.h"

#include <cstdint>
#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <vector>

namespace stilvane {

class TForm_Stilvane : public TComponent, public Window {
public:
    // The client area at 96 dpi; it scales with the window's display.
    static constexpr int kClientWidth = 400;
    static constexpr int kClientHeight = 360;

    // Milliseconds since boot, wrapping every 2^32 ms.
    using TickSource = std::function<std::uint32_t()>;
    // The system clock in UTC seconds, which goes on while the machine sleeps.
    using WallClock = std::function<UtcSeconds()>;

    // Creates the window hidden with all its components, then runs FormCreate.
    // The program's files are looked up in `programDirectory`; tests pass
    // their own settings key, folder, clocks and notification area. The
    // controller's own state lives in the key's subkey "Stilvane".
    explicit TForm_Stilvane(SharedSettings settings = SharedSettings(),
                            std::string programDirectory = ProgramDirectory(),
                            TickSource ticks = &::GetTickCount,
                            TrayShell trayShell = CurrentTrayShell(), WallClock clock = &UtcNow);
    ~TForm_Stilvane() override;

    void Show();
    void Hide();
    // Asks FormCloseQuery, then hides the window and ends the program.
    void Close();
    // Whether the editor's list differs from what was last loaded or saved.
    bool HasUnsavedEdits() const;
    // The lines of a file, as the exceptions file is read, added to the list
    // (asking first when the file does not look like text); and the list
    // written to a file as the exceptions file is.
    void ImportFrom(const std::wstring& path);
    void ExportTo(const std::wstring& path);

private:
    // Before the controls that use it: destroyed only after them.
    UniqueFont font_;

public:
    // Components, in the order the window's stored settings create them.
    std::unique_ptr<TMarkupLabel> Label1;
    std::unique_ptr<Label> Label_Exceptions;
    std::unique_ptr<ListBox> ListBox1;
    std::unique_ptr<Button> Button_Delete;
    std::unique_ptr<Label> Label_NewException;
    std::unique_ptr<Edit> Edit1;
    std::unique_ptr<Button> Button_Add;
    std::unique_ptr<Bevel> Bevel1;
    std::unique_ptr<Button> Button_Ok;
    TIcon Image_ON;
    TIcon Image_OFF;
    TIcon Image_BLOCKED;
    TIcon Image_PAUSED;
    std::unique_ptr<TPopupMenu> PopupMenu1;
    MenuItem* Count = nullptr; // greyed: the count of blocked popups
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
    MenuItem* N1 = nullptr;
    MenuItem* Beenden1 = nullptr;
    // The exceptions list's context menu.
    std::unique_ptr<TPopupMenu> PopupMenu_List;
    MenuItem* List_Remove = nullptr;
    MenuItem* List_SelectAll = nullptr;
    MenuItem* List_Copy = nullptr;
    MenuItem* List_Paste = nullptr;
    MenuItem* List_Import = nullptr;
    MenuItem* List_Export = nullptr;
    std::unique_ptr<TTrayIcon> TrayIcon1;
    std::unique_ptr<TThreadTimer> ThreadTimer1;

    // Event handlers.
    void FormCreate();
    void BlockClick(TComponent* sender);
    void PauseClick(TComponent* sender);
    void SoundClick(TComponent* sender);
    void ExceptionsClick(TComponent* sender);
    void Beenden1Click(TComponent* sender);
    void Button_AddClick(TComponent* sender);
    void Button_DeleteClick(TComponent* sender);
    void Button_OkClick(TComponent* sender);
    void List_CopyClick(TComponent* sender);
    void List_PasteClick(TComponent* sender);
    void List_ImportClick(TComponent* sender);
    void List_ExportClick(TComponent* sender);
    bool FormCloseQuery();
    void TrayIcon1Click(TComponent* sender, TMouseButton button, TShiftState shift, int x, int y);
    void ThreadTimer1Timer(TComponent* sender);

    // Tick count at which the blocked icon was last shown; 0: not showing.
    std::uint32_t BlockShownAt = 0;

    // The end of the running pause; nullopt: not paused.
    const std::optional<PauseEnd>& PauseEnds() const { return pause_; }
    const BlockCount& Counted() const { return count_; }
    // Pixels per inch the editor is laid out for.
    int Dpi() const { return dpi_; }

protected:
    LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override;

private:
    enum class SaveResult { Saved, Merged, Declined };

    void CreateComponents(TrayShell trayShell);
    // Places, sizes and gives fonts to the controls for `dpi`, from the
    // layout at 96 dpi.
    void Layout(int dpi);
    // Loads the tray pictures at the size the taskbar shows now, unless
    // they have that size already, and shows the current one again.
    void LoadTrayPictures();
    void ApplyLanguageTexts(LanguageId id);
    // Blocking as stored now: another program may have changed it.
    void RefreshBlocking();
    // A write of a shared value; puts back the folder and the sound value
    // `soundOn` when the key was deleted behind the program's back.
    void WriteShared(const std::function<void()>& write, bool soundOn);
    void WriteBlocking(bool on);
    // Saves the list, merged with what changed in the file meanwhile.
    SaveResult SaveList();
    // Shows `note` in the title bar for a few seconds.
    void ShowTitleNote(const std::string& note);
    // Adds what is new among `lines` and says how many were.
    void AddLines(const std::vector<AnsiLine>& lines);
    // Tells that `count` entries were too long to be added.
    void RefuseTooLong(std::size_t count) const;
    // Multi-line clipboard text, added entry by entry; false for anything
    // else, which the field pastes as it always does.
    bool PasteLinesIntoField();
    std::vector<FileFilter> ListFileFilters() const;
    void UpdateTrayIcon();
    void ShowPicture(TrayPicture picture);
    // The tip's rows, the count item and the pause submenu, for the state.
    void UpdateStateTexts();
    void TakePauseRecordAtStart();
    // Ends the pause. Blocking goes back on when the user asks for it, or
    // else when the stored value is still the pause's own "0".
    void EndPause(bool byUser = false);
    // An error of the program's own key or the blocker's, told in the user's
    // language with the system's reason.
    [[noreturn]] void RaiseStateError(const std::string& pattern, bool ownKey,
                                      const std::exception& cause) const;
    // Runs a write of the tick; a failure is shown once (until a write
    // succeeds again) and never ends the polling.
    void TickWrite(bool& failureShown, const std::function<void()>& write);
    void CountBlock();
    std::string ExceptionsFile() const;

    SharedSettings settings_;
    ControllerState state_;
    std::string programDirectory_;
    TickSource ticks_;
    WallClock clock_;
    LanguageTexts texts_;
    std::optional<PauseEnd> pause_;
    BlockCount count_;
    std::string today_;             // local date, looked up once a minute
    UtcSeconds todayLookedUp_ = -1; // the minute of that look-up
    std::string pauseTime_;         // local time of the pause's end
    UtcSeconds pauseTimeOf_ = -1;   // the end it is the time of
    bool pauseFailureShown_ = false;
    bool countFailureShown_ = false;
    bool shownBefore_ = false;
    // The list as last loaded or saved, and the file's bytes when loaded.
    std::vector<std::string> loaded_;
    std::string loadedBytes_;
    int dpi_ = 0;
    int pictureSize_ = 0;
    std::optional<TrayPicture> shownPicture_;
};

} // namespace stilvane
