// The controller: tray pictures, blocking, sound, start-up and its errors.
#include "form_fixture.h"
#include "ui/tray/second_start.h"

namespace stilvane {
namespace {

using namespace testing;

TEST_F(FormTest, ABlockShowsTheBlockedIconForTwoSecondsThenTheState) {
    // Blocking off: the icon comes back to off, not to on. The second run
    // has the two seconds cross the wrap of the tick count.
    for (const std::uint32_t start : {1000u, 0xFFFFFC00u}) {
        SCOPED_TRACE(start);
        TForm_Stilvane& f = Build();
        now = start;
        Signal();
        f.ThreadTimer1Timer(nullptr);
        EXPECT_EQ(LastIcon(), "blocked");
        EXPECT_FALSE(key.Exists("PopupBlocker_BlockTime"));
        now = start + 1999;
        shownIcons.clear();
        f.ThreadTimer1Timer(nullptr);
        EXPECT_TRUE(shownIcons.empty());
        now = start + 2000;
        f.ThreadTimer1Timer(nullptr);
        EXPECT_EQ(LastIcon(), "off");
        EXPECT_EQ(f.BlockShownAt, 0u);
    }
}

TEST_F(FormTest, TheIconTellsWhatItIsOnHover) {
    TForm_Stilvane& f = Build();
    EXPECT_EQ(addedTip, Application().Title());
    EXPECT_FALSE(addedTip.empty());
    EXPECT_EQ(f.TrayIcon1->Hint(), Application().Title() + "\r\n0 popups blocked today, 0 in all");
}

TEST_F(FormTest, TogglingWhileBlockedShowsTheNewStateAndTheEndKeepsIt) {
    key.SetString("PopupBlocker", "1");
    TForm_Stilvane& f = Build();
    Signal();
    f.ThreadTimer1Timer(nullptr);
    f.BlockClick(nullptr);
    EXPECT_EQ(LastIcon(), "off");
    now += 2500;
    f.ThreadTimer1Timer(nullptr);
    EXPECT_EQ(LastIcon(), "off");
    f.BlockClick(nullptr);
    EXPECT_EQ(LastIcon(), "on");
}

TEST_F(FormTest, AFailedWriteLeavesCheckMarksAndIconAsStored) {
    // A key name longer than the registry allows: reads find nothing, every
    // write fails, the first one already while the window is created.
    testing::MessageBoxAnswerer answerer;
    TForm_Stilvane& f = Build(key.Path() + "\\" + std::string(300, 'k'));
    EXPECT_TRUE(PumpUntil([&] { return !answerer.Texts().empty(); }, 3000));
    ASSERT_FALSE(f.Block->Checked);
    EXPECT_THROW(f.BlockClick(nullptr), ERegistryException);
    EXPECT_FALSE(f.Block->Checked);
    EXPECT_TRUE(shownIcons.empty());
    const bool sound = f.Sound->Checked;
    EXPECT_THROW(f.SoundClick(nullptr), ERegistryException);
    EXPECT_EQ(f.Sound->Checked, sound);
}

TEST_F(FormTest, ALanguageErrorIsShownAndStartUpGoesOn) {
    struct Case {
        const char* what;
        const char* dialects; // null: popup.ini missing
        const char* message;
    } cases[] = {
        {"popup.ini missing", nullptr, "Error : popup.ini missing!"},
        {"a word in DIALECTS.INI", "[dialects]\r\n1033=english\r\n",
         "'english' ist kein g\xFCltiger Integerwert."},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        if (c.dialects)
            folder.Write("DIALECTS.INI", c.dialects);
        else
            ASSERT_TRUE(::DeleteFileA(folder.File("popup.ini").c_str()));
        ScratchKey fresh;
        fresh.SetString("PopupBlocker", "1");
        fresh.SetString("PopupBlocker_Sound", "nein");
        testing::MessageBoxAnswerer answerer;
        TForm_Stilvane& f = Build(fresh.Path());
        // After the start: the folder published, the state shown, the key watched.
        EXPECT_TRUE(answerer.Texts().empty());
        EXPECT_TRUE(f.SignalWatched());
        PumpUntil([&] { return !answerer.Texts().empty(); }, 3000);
        EXPECT_EQ(answerer.Texts(), std::vector<std::string>{c.message});
        EXPECT_EQ(ReadRegString(HKEY_CURRENT_USER, fresh.Path(), "PopupBlocker_Dir"),
                  folder.Path());
        EXPECT_EQ(ReadRegString(HKEY_CURRENT_USER, fresh.Path(), "PopupBlocker_Sound"), "1");
        EXPECT_TRUE(f.Block->Checked);
        EXPECT_TRUE(timerStarted);
        EXPECT_EQ(f.Block->Caption, BuiltInTexts()[TextKey::Active]);
        fresh.SetString("PopupBlocker_BlockTime", "1");
        f.ThreadTimer1Timer(nullptr);
        EXPECT_EQ(LastIcon(), "blocked");
        folder.Write("popup.ini", ReadWholeFile(STILVANE_PACKAGE_DIR "\\popup.ini"));
        ::DeleteFileA(folder.File("DIALECTS.INI").c_str());
    }
}

TEST_F(FormTest, AFailedSaveOrRegistryWriteIsToldInTheUsersLanguageWithTheSystemsReason) {
    folder.Write("popup-exp.ini", "alt\r\n");
    const std::string file = folder.File("popup-exp.ini");
    ASSERT_TRUE(::SetFileAttributesA(file.c_str(), FILE_ATTRIBUTE_READONLY));
    const std::string denied = " (" + SystemReason(Exception("", ERROR_ACCESS_DENIED)) + ").";
    const std::vector<std::string> cases[] = {
        {"1033", "The file " + file + " cannot be created" + denied,
         "The registry value 'PopupBlocker' cannot be written" + denied},
        {"1031", "Datei " + file + " kann nicht erstellt werden.",
         "Fehler beim Setzen der Daten f\xFCr 'PopupBlocker'"},
    };
    for (const auto& c : cases) {
        folder.Write("DIALECTS.INI", "[dialects]\r\n1033=" + c[0] + "\r\n");
        TForm_Stilvane& f = Build();
        testing::MessageBoxAnswerer answerer;
        f.ExceptionsClick(nullptr);
        Application().RunHandler([&f] { f.Editor->Button_OkClick(nullptr); });
        SetAccess(key.Path(), false);
        Application().RunHandler([&f] { f.BlockClick(nullptr); });
        SetAccess(key.Path(), true);
        // Shown once the handlers have returned, one after the other.
        testing::PumpUntil([&] { return answerer.Texts().size() >= 2; }, 5000);
        EXPECT_EQ(answerer.Texts(), std::vector<std::string>(c.begin() + 1, c.end()));
    }
}

TEST_F(FormTest, WhatAnotherProgramStoredIsWhatTheMenuAndTheToggleStartFrom) {
    TForm_Stilvane& f = Build();
    ASSERT_FALSE(f.Block->Checked);
    key.SetString("PopupBlocker", "1");
    f.PopupMenu1->OnPopup(nullptr);
    EXPECT_TRUE(f.Block->Checked);
    EXPECT_EQ(LastIcon(), "on");
    key.SetString("PopupBlocker", "0");
    f.BlockClick(nullptr); // toggles what is stored now, not the stale mark
    EXPECT_EQ(ReadRegString(HKEY_CURRENT_USER, key.Path(), "PopupBlocker"), "1");
    EXPECT_TRUE(f.Block->Checked);
}

TEST_F(FormTest, AWriteAfterTheKeyWasDeletedPutsFolderAndSoundBack) {
    for (const auto click : {&TForm_Stilvane::BlockClick, &TForm_Stilvane::SoundClick}) {
        TForm_Stilvane& f = Build();
        testing::DeleteTree(HKEY_CURRENT_USER, key.Path());
        (f.*click)(nullptr);
        EXPECT_EQ(ReadRegString(HKEY_CURRENT_USER, key.Path(), "PopupBlocker_Dir"), folder.Path());
        EXPECT_EQ(ReadRegString(HKEY_CURRENT_USER, key.Path(), "PopupBlocker_Sound"),
                  f.Sound->Checked ? "1" : "0");
    }
}

// A window that fails while it paints.
class FailingPaint : public Window {
public:
    FailingPaint() { CreateHandle({"StilvanePaint"}, {0, WS_POPUP | WS_VISIBLE, 0, 0, 9, 9}); }

protected:
    LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override {
        if (message == WM_PAINT && ::ValidateRect(Handle(), nullptr))
            throw EOSError("Malen misslungen");
        return Window::WindowProc(message, wParam, lParam);
    }
};

TEST_F(FormTest, AnErrorInAPaintIsShownOnceThePaintIsOver) {
    MessageBoxAnswerer answerer;
    FailingPaint window;
    ::RedrawWindow(window.Handle(), nullptr, nullptr, RDW_INVALIDATE | RDW_UPDATENOW);
    EXPECT_TRUE(answerer.Texts().empty()) << "a box inside the paint";
    EXPECT_TRUE(PumpUntil([&] { return !answerer.Texts().empty(); }, 3000));
    EXPECT_EQ(answerer.Texts(), std::vector<std::string>{"Malen misslungen."});
}

TEST_F(FormTest, WhileTheCloseQuestionWaitsASecondStartAndQuitBringItForward) {
    TForm_Stilvane& f = Build();
    f.ExceptionsClick(nullptr);
    f.Editor->Edit1->SetText("new.example");
    f.Editor->Button_AddClick(nullptr);
    char inFront[16] = {};
    MessageBoxAnswerer answerer(IDCANCEL, [&] {
        AskRunningControllerToOpen(2000); // then "Close window" on the taskbar, as Quit
        ::SendMessageTimeoutA(Application().Handle(), WM_CLOSE, 0, 0, SMTO_NORMAL, 2000, nullptr);
        ::GetClassNameA(::GetForegroundWindow(), inFront, sizeof inFront);
    });
    ::SendMessageA(f.Handle(), WM_CLOSE, 0, 0); // "Save the changes?"
    EXPECT_EQ(answerer.Texts().size(), 1u);
    EXPECT_STREQ(inFront, "#32770");
    EXPECT_TRUE(f.Editor->HasUnsavedEdits());
}

TEST_F(FormTest, TheEditorMinimisedOnItsOwnComesBackWithEditExceptionsAndASecondStart) {
    TForm_Stilvane& f = Build();
    for (const bool secondStart : {false, true}) {
        f.ExceptionsClick(nullptr);
        ::SendMessageA(f.Handle(), WM_SYSCOMMAND, SC_MINIMIZE, 0);
        ASSERT_TRUE(::IsIconic(f.Handle()));
        secondStart ? (void)AskRunningControllerToOpen(1000) : f.ExceptionsClick(nullptr);
        EXPECT_TRUE(!::IsIconic(f.Handle()) && ::IsWindowVisible(f.Handle())) << secondStart;
    }
}

} // namespace
} // namespace stilvane
