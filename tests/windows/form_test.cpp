// The main window built in the test process on a scratch registry key and a
// scratch program folder, with the shell's tray calls recorded and the clock
// in the test's hand; its handlers are driven directly.
#include "framework/ansi_text.h"
#include "framework/application.h"
#include "framework/dpi.h"
#include "framework/errors.h"
#include "framework/file_io.h"
#include "framework/registry.h"
#include "framework/system_error.h"
#include "framework/wall_clock.h"
#include "message_pump.h"
#include "settings/marl_REG.h"
#include "test_support.h"
#include "ui/exceptions_file.h"
#include "ui/exceptions_merge.h"
#include "ui/form_Stilvane.h"

#include <gtest/gtest.h>
#include <oleacc.h>
#include <sddl.h>
#include <shellapi.h>
#include <uxtheme.h>

#include <cstring>
#include <set>
#include <string>
#include <vector>

namespace stilvane {
namespace {

using testing::ScratchDirectory;
using testing::ScratchKey;

// What an icon shows, by the colour most of its pixels have: the program's
// pictures are a green (on), grey (off) or red (blocked) shield.
std::string IconKind(HICON icon) {
    ICONINFO info{};
    if (!icon || !::GetIconInfo(icon, &info))
        return "none";
    BITMAPINFO format{};
    format.bmiHeader = {sizeof(BITMAPINFOHEADER), 16, -16, 1, 32, BI_RGB, 0, 0, 0, 0, 0};
    std::vector<DWORD> pixels(16 * 16);
    HDC screen = ::GetDC(nullptr);
    ::GetDIBits(screen, info.hbmColor, 0, 16, pixels.data(), &format, DIB_RGB_COLORS);
    ::ReleaseDC(nullptr, screen);
    ::DeleteObject(info.hbmColor);
    ::DeleteObject(info.hbmMask);
    int green = 0, red = 0, grey = 0, amber = 0;
    for (const DWORD pixel : pixels) {
        const int r = (pixel >> 16) & 0xFF, g = (pixel >> 8) & 0xFF, b = pixel & 0xFF;
        green += g > r + 60 && g > b + 40;
        red += r > g + 80 && r > b + 80;
        grey += r > 60 && r < 235 && std::abs(r - g) < 14 && std::abs(r - b) < 14;
        amber += r > 150 && r >= g && g > b + 60;
    }
    if (green > 15 && green > red && green > grey)
        return "on";
    if (red > 15 && red > grey)
        return "blocked";
    if (amber > 15 && amber > grey)
        return "paused";
    return grey > 15 ? "off" : "other";
}

// Width of an icon's picture in pixels, as GetIconInfo reports it.
int IconWidth(HICON icon) {
    ICONINFO info{};
    BITMAP bitmap{};
    if (icon && ::GetIconInfo(icon, &info))
        ::GetObjectA(info.hbmColor, sizeof bitmap, &bitmap);
    ::DeleteObject(info.hbmColor);
    ::DeleteObject(info.hbmMask);
    return bitmap.bmWidth;
}

// A child window's rectangle in its parent's client coordinates.
RECT PlaceOf(HWND window) {
    RECT rect{};
    ::GetWindowRect(window, &rect);
    ::MapWindowPoints(nullptr, ::GetParent(window), reinterpret_cast<POINT*>(&rect), 2);
    return rect;
}

class FormTest : public ::testing::Test {
protected:
    void SetUp() override {
        shell.notify = [this](DWORD message, NOTIFYICONDATAA& data) {
            if (message == NIM_MODIFY && (data.uFlags & NIF_ICON)) {
                shownIcons.push_back(IconKind(data.hIcon));
                shownWidth = IconWidth(data.hIcon);
            }
            if (message == NIM_ADD)
                addedTip = data.szTip;
            if (data.uFlags & NIF_TIP)
                shellTip = data.szTip;
            return TRUE;
        };
        shell.findTaskbar = [] { return static_cast<HWND>(nullptr); };
        shell.taskbarDpi = [this] { return taskbarDpi; };
        folder.Write("popup.ini", ReadWholeFile(STILVANE_PACKAGE_DIR "\\popup.ini"));
    }
    void TearDown() override { form.reset(); }

    TForm_Stilvane& Build(const std::string& settingsPath) {
        form.reset();
        form = std::make_unique<TForm_Stilvane>(
            SharedSettings(HKEY_CURRENT_USER, settingsPath), folder.Path(), [this] { return now; },
            shell, [this] { return wall; });
        // Ticks come only when the test calls the handler.
        timerStarted = form->ThreadTimer1->Active();
        form->ThreadTimer1->SetActive(false);
        shownIcons.clear();
        return *form;
    }
    TForm_Stilvane& Build() { return Build(key.Path()); }

    void Signal() const { key.SetString("PopupBlocker_BlockTime", "1"); }
    std::string LastIcon() const { return shownIcons.empty() ? "none" : shownIcons.back(); }

    ScratchKey key;
    ScratchDirectory folder;
    std::uint32_t now = 1000;
    UtcSeconds wall = 1772323200; // 2026-03-01T00:00:00Z
    std::vector<std::string> shownIcons;
    std::string addedTip;
    std::string shellTip; // the last tip the shell was given
    bool timerStarted = false;
    int taskbarDpi = 96;
    int shownWidth = 0;
    std::unique_ptr<TForm_Stilvane> form;
    TrayShell shell;
};

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
    ASSERT_FALSE(f.Block->Checked);
    EXPECT_THROW(f.BlockClick(nullptr), ERegistryException);
    EXPECT_FALSE(f.Block->Checked);
    EXPECT_TRUE(shownIcons.empty());
    const bool sound = f.Sound->Checked;
    EXPECT_THROW(f.SoundClick(nullptr), ERegistryException);
    EXPECT_EQ(f.Sound->Checked, sound);
}

TEST_F(FormTest, AMissingExceptionsFileOpensAnEmptyEditorAndOkCreatesIt) {
    TForm_Stilvane& f = Build();
    f.ExceptionsClick(nullptr);
    EXPECT_TRUE(::IsWindowVisible(f.Handle()));
    EXPECT_EQ(f.Editor->ListBox1->Count(), 0);
    f.Editor->Edit1->SetText("neu.example");
    f.Editor->Button_AddClick(nullptr);
    f.Editor->Button_OkClick(nullptr);
    EXPECT_EQ(ReadWholeFile(folder.File("popup-exp.ini")), "neu.example\r\n");
}

TEST_F(FormTest, AFileThatCannotBeReadLeavesTheEditorAsItWas) {
    folder.Write("popup-exp.ini", "b.example\r\na.example\r\n");
    TForm_Stilvane& f = Build();
    f.ExceptionsClick(nullptr);
    f.Editor->Edit1->SetText("c.example");
    f.Editor->Button_AddClick(nullptr);
    const std::vector<std::string> edited{"a.example", "b.example", "c.example"};
    ASSERT_EQ(f.Editor->ListBox1->Items(), edited);
    f.Editor->Button_OkClick(nullptr); // an open editor is never reloaded: close it first

    // Held open by another program with no sharing; then a directory.
    HANDLE held = ::CreateFileA(folder.File("popup-exp.ini").c_str(), GENERIC_READ, 0, nullptr,
                                OPEN_EXISTING, 0, nullptr);
    ASSERT_NE(held, INVALID_HANDLE_VALUE);
    EXPECT_THROW(f.ExceptionsClick(nullptr), EFOpenError);
    ::CloseHandle(held);
    EXPECT_EQ(f.Editor->ListBox1->Items(), edited);

    ASSERT_TRUE(::DeleteFileA(folder.File("popup-exp.ini").c_str()));
    ASSERT_TRUE(::CreateDirectoryA(folder.File("popup-exp.ini").c_str(), nullptr));
    EXPECT_THROW(f.ExceptionsClick(nullptr), EFOpenError);
    EXPECT_EQ(f.Editor->ListBox1->Items(), edited);
    ::RemoveDirectoryA(folder.File("popup-exp.ini").c_str());
}

TEST_F(FormTest, TheKeyboardComesBackToTheEditorAfterAnErrorBox) {
    folder.Write("popup-exp.ini", "alt\r\n");
    ASSERT_TRUE(
        ::SetFileAttributesA(folder.File("popup-exp.ini").c_str(), FILE_ATTRIBUTE_READONLY));
    TForm_Stilvane& f = Build();
    f.ExceptionsClick(nullptr);
    f.Editor->Edit1->SetFocus();
    ASSERT_EQ(::GetFocus(), f.Editor->Edit1->Handle());
    {
        testing::MessageBoxAnswerer answerer;
        Application().RunHandler([&f] { f.Editor->Button_OkClick(nullptr); });
        ASSERT_EQ(answerer.Texts().size(), 1u);
    }
    EXPECT_EQ(::GetActiveWindow(), f.Handle());
    EXPECT_EQ(::GetFocus(), f.Editor->Edit1->Handle());
    ::SetFileAttributesA(folder.File("popup-exp.ini").c_str(), FILE_ATTRIBUTE_NORMAL);
}

TEST_F(FormTest, AUnicodeFileIsReadAndSavedAsAnsi) {
    // "über.example" and "b.example" in each of the three marked forms.
    const char le[] = "\xFF\xFE\xFC\0b\0e\0r\0.\0e\0x\0\r\0\n\0b\0.\0e\0x\0";
    const char be[] = "\xFE\xFF\0\xFC\0b\0e\0r\0.\0e\0x\0\r\0\n\0b\0.\0e\0x";
    const std::string utf16le(le, sizeof le - 1), utf16be(be, sizeof be - 1);
    const std::string utf8("\xEF\xBB\xBF\xC3\xBC"
                           "ber.ex\r\nb.ex");
    for (const std::string& content : {utf16le, utf16be, utf8}) {
        SCOPED_TRACE(::testing::PrintToString(content));
        folder.Write("popup-exp.ini", content);
        TForm_Stilvane& f = Build();
        f.ExceptionsClick(nullptr);
        EXPECT_EQ(f.Editor->ListBox1->Items(), (std::vector<std::string>{"b.ex", "\xFC"
                                                                                 "ber.ex"}));
        f.Editor->Button_OkClick(nullptr);
        EXPECT_EQ(ReadWholeFile(folder.File("popup-exp.ini")), "b.ex\r\n\xFC"
                                                               "ber.ex\r\n");
    }
}

TEST_F(FormTest, RemovingManySelectedEntriesKeepsExactlyTheOthers) {
    // More entries selected than are removed one by one, and a few.
    for (const int step : {2, 50}) {
        SCOPED_TRACE(step);
        std::string content;
        std::vector<std::string> kept;
        for (int i = 0; i < 300; ++i) {
            char entry[16];
            std::snprintf(entry, sizeof entry, "e%03d.example", i);
            content += std::string(entry) + "\r\n";
            if (i % step != 0)
                kept.push_back(entry);
        }
        folder.Write("popup-exp.ini", content);
        TForm_Stilvane& f = Build();
        f.ExceptionsClick(nullptr);
        ASSERT_EQ(f.Editor->ListBox1->Count(), 300);
        for (int i = 0; i < 300; i += step)
            f.Editor->ListBox1->Select(i, true);
        f.Editor->Button_DeleteClick(nullptr);
        EXPECT_EQ(f.Editor->ListBox1->Items(), kept);
    }
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
        EXPECT_EQ(answerer.Texts(), std::vector<std::string>{c.message});
        EXPECT_EQ(ReadRegString(HKEY_CURRENT_USER, fresh.Path(), "PopupBlocker_Dir"),
                  folder.Path());
        EXPECT_EQ(ReadRegString(HKEY_CURRENT_USER, fresh.Path(), "PopupBlocker_Sound"), "1");
        EXPECT_TRUE(f.Block->Checked);
        EXPECT_TRUE(timerStarted);
        EXPECT_EQ(f.Block->Caption, BuiltInTexts().active);
        fresh.SetString("PopupBlocker_BlockTime", "1");
        f.ThreadTimer1Timer(nullptr);
        EXPECT_EQ(LastIcon(), "blocked");
        folder.Write("popup.ini", ReadWholeFile(STILVANE_PACKAGE_DIR "\\popup.ini"));
        ::DeleteFileA(folder.File("DIALECTS.INI").c_str());
    }
}

TEST_F(FormTest, TheOpenEditorKeepsItsEditsWhenChosenAgain) {
    folder.Write("popup-exp.ini", "Example.COM/Path\r\n");
    TForm_Stilvane& f = Build();
    f.ExceptionsClick(nullptr);
    // Only byte-identical entries are duplicates.
    for (const char* text : {"example.com/path", "Example.COM/Path", "example.com/path"}) {
        f.Editor->Edit1->SetText(text);
        f.Editor->Button_AddClick(nullptr);
    }
    const std::vector<std::string> edited{"example.com/path", "Example.COM/Path"};
    ASSERT_TRUE(SameEntries(f.Editor->ListBox1->Items(), edited));
    f.ExceptionsClick(nullptr);
    EXPECT_TRUE(SameEntries(f.Editor->ListBox1->Items(), edited));
    EXPECT_TRUE(f.Editor->HasUnsavedEdits());
}

TEST_F(FormTest, AMinimisedEditorKeepsItsEditsAndQuitStillAsks) {
    folder.Write("popup-exp.ini", "a.example\r\n");
    TForm_Stilvane& f = Build();
    f.ExceptionsClick(nullptr);
    f.Editor->Edit1->SetText("b.example");
    f.Editor->Button_AddClick(nullptr);
    const auto minimise = [&f] {
        ::SendMessageA(Application().Handle(), WM_SYSCOMMAND, SC_MINIMIZE, 0);
        // Windows hides the owned windows of a minimised owner; Wine without
        // a window manager leaves them shown.
        ::ShowWindow(f.Handle(), SW_HIDE);
    };
    minimise();
    f.ExceptionsClick(nullptr); // shows it again as it was
    EXPECT_TRUE(::IsWindowVisible(f.Handle()));
    EXPECT_EQ(f.Editor->ListBox1->Items(), (std::vector<std::string>{"a.example", "b.example"}));
    minimise();
    testing::MessageBoxAnswerer answerer(IDCANCEL);
    f.Beenden1Click(nullptr);
    EXPECT_EQ(answerer.Texts(),
              std::vector<std::string>{"Save the changes to the exception list?"});
    MSG quit;
    EXPECT_FALSE(::PeekMessageA(&quit, nullptr, WM_QUIT, WM_QUIT, PM_REMOVE));
}

TEST_F(FormTest, ClosingWithUnsavedEditsAsksFirst) {
    struct Case {
        int answer;
        bool closes;
        const char* saved;
    } cases[] = {
        {IDYES, true, "a.example\r\nb.example\r\n"},
        {IDNO, true, "a.example\r\n"},
        {IDCANCEL, false, "a.example\r\n"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.answer);
        folder.Write("popup-exp.ini", "a.example\r\n");
        TForm_Stilvane& f = Build();
        f.ExceptionsClick(nullptr);
        EXPECT_TRUE(f.FormCloseQuery()); // nothing changed: nothing asked
        f.ExceptionsClick(nullptr);
        f.Editor->Edit1->SetText("b.example");
        f.Editor->Button_AddClick(nullptr);
        testing::MessageBoxAnswerer answerer(c.answer);
        EXPECT_EQ(f.FormCloseQuery(), c.closes);
        EXPECT_EQ(answerer.Texts(),
                  std::vector<std::string>{"Save the changes to the exception list?"});
        EXPECT_EQ(ReadWholeFile(folder.File("popup-exp.ini")), c.saved);
    }
}

TEST_F(FormTest, OkMergesWhatChangedInTheFileMeanwhile) {
    folder.Write("popup-exp.ini", "a.example\r\nb.example\r\n");
    TForm_Stilvane& f = Build();
    f.ExceptionsClick(nullptr);
    f.Editor->Edit1->SetText("mine.example");
    f.Editor->Button_AddClick(nullptr);
    f.Editor->ListBox1->Select(0, true); // a.example
    f.Editor->Button_DeleteClick(nullptr);
    folder.Write("popup-exp.ini", "a.example\r\ntheirs.example\r\n");
    f.Editor->Button_OkClick(nullptr);
    EXPECT_EQ(ReadWholeFile(folder.File("popup-exp.ini")), "mine.example\r\ntheirs.example\r\n");
    EXPECT_EQ(f.Editor->ListBox1->Items(),
              (std::vector<std::string>{"mine.example", "theirs.example"}));
    EXPECT_FALSE(f.Editor->HasUnsavedEdits());
    char title[128] = {};
    ::GetWindowTextA(f.Handle(), title, sizeof title);
    EXPECT_STREQ(title, "Merged with changes made outside the editor");
    ::SendMessageA(f.Handle(), WM_TIMER, 1, 0);
    ::GetWindowTextA(f.Handle(), title, sizeof title);
    EXPECT_STREQ(title, "PopUp Blocker");
}

TEST_F(FormTest, EntriesThatWouldLoseCharactersAreSavedOnlyWhenTheUserAgrees) {
    // "пример.рф" in UTF-8, and an entry that fits.
    const std::string original = "\xEF\xBB\xBF\xD0\xBF\xD1\x80\xD0\xB8\xD0\xBC\xD0\xB5\xD1\x80."
                                 "\xD1\x80\xD1\x84\r\nok.example\r\n";
    folder.Write("popup-exp.ini", original);
    TForm_Stilvane& f = Build();
    f.ExceptionsClick(nullptr);
    {
        testing::MessageBoxAnswerer answerer(IDNO);
        f.Editor->Button_OkClick(nullptr);
        ASSERT_EQ(answerer.Texts().size(), 1u);
        EXPECT_EQ(answerer.Texts()[0].substr(0, 8), "1 entry ");
    }
    EXPECT_EQ(ReadWholeFile(folder.File("popup-exp.ini")), original);
    EXPECT_TRUE(::IsWindowVisible(f.Handle()));
    {
        testing::MessageBoxAnswerer answerer(IDYES);
        f.Editor->Button_OkClick(nullptr);
    }
    EXPECT_EQ(ReadWholeFile(folder.File("popup-exp.ini.bak")), original);
    EXPECT_EQ(ReadWholeFile(folder.File("popup-exp.ini")), "??????.??\r\nok.example\r\n");
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

// Keys pressed while a message is handled, as GetKeyState reports them.
void HoldKeys(std::initializer_list<int> keys) {
    BYTE state[256] = {};
    for (const int key : keys)
        state[key] = 0x80;
    ::SetKeyboardState(state);
}

void PutOnClipboard(const std::wstring& text) {
    ASSERT_TRUE(::OpenClipboard(nullptr));
    ::EmptyClipboard();
    HGLOBAL memory = ::GlobalAlloc(GMEM_MOVEABLE, (text.size() + 1) * sizeof(wchar_t));
    std::memcpy(::GlobalLock(memory), text.c_str(), (text.size() + 1) * sizeof(wchar_t));
    ::GlobalUnlock(memory);
    ::SetClipboardData(CF_UNICODETEXT, memory);
    ::CloseClipboard();
}

std::string Title(HWND window) {
    char title[128] = {};
    ::GetWindowTextA(window, title, sizeof title);
    return title;
}

TEST_F(FormTest, TheEditorByKeyboard) {
    folder.Write("popup-exp.ini", "a.example\r\nb.example\r\nc.example\r\n");
    TForm_Stilvane& f = Build();
    f.ExceptionsClick(nullptr);
    f.Editor->Edit1->SetText(" \tneu.example ");
    ::SendMessageA(f.Editor->Edit1->Handle(), WM_KEYDOWN, VK_RETURN, 0);
    EXPECT_EQ(f.Editor->ListBox1->FindExact("neu.example"), 3);
    EXPECT_TRUE(::IsWindowVisible(f.Handle())); // Enter adds; it neither saves nor closes
    HoldKeys({VK_CONTROL});
    ::SendMessageA(f.Editor->ListBox1->Handle(), WM_KEYDOWN, 'A', 0);
    HoldKeys({});
    EXPECT_EQ(f.Editor->ListBox1->SelectedCount(), 4);
    f.Editor->ListBox1->Select(1, false);
    ::SendMessageA(f.Editor->ListBox1->Handle(), WM_KEYDOWN, VK_DELETE, 0);
    EXPECT_EQ(f.Editor->ListBox1->Items(), std::vector<std::string>{"b.example"});
}

TEST_F(FormTest, PastingLinesAddsWhatIsNew) {
    folder.Write("popup-exp.ini", "listed.example\r\n");
    TForm_Stilvane& f = Build();
    f.ExceptionsClick(nullptr);
    // One line into the field is ordinary typing.
    PutOnClipboard(L"  one.example");
    ::SendMessageW(f.Editor->Edit1->Handle(), WM_PASTE, 0, 0);
    EXPECT_EQ(f.Editor->Edit1->Text(), "  one.example");
    EXPECT_EQ(f.Editor->ListBox1->Count(), 1);
    // Lines into the field or the list are entries; "\x444" cannot be stored.
    PutOnClipboard(L"a.example\r\n  b.example\t\r\n\r\n \na.example\rlisted.example\n\x444.ru");
    ::SendMessageW(f.Editor->Edit1->Handle(), WM_PASTE, 0, 0);
    EXPECT_TRUE(SameEntries(f.Editor->ListBox1->Items(),
                            {"listed.example", "a.example", "b.example", "?.ru"}));
    EXPECT_EQ(Title(f.Handle()), "3 added, 2 already listed");
    ::SendMessageW(f.Editor->ListBox1->Handle(), WM_PASTE, 0, 0);
    EXPECT_EQ(Title(f.Handle()), "0 added, 5 already listed");
    // Copy gives the selected entries as lines.
    f.Editor->ListBox1->Select(0, true);
    f.Editor->ListBox1->Select(1, true);
    ::SendMessageW(f.Editor->ListBox1->Handle(), WM_COPY, 0, 0);
    ASSERT_TRUE(::OpenClipboard(nullptr));
    const HANDLE copied = ::GetClipboardData(CF_TEXT);
    EXPECT_STREQ(static_cast<const char*>(::GlobalLock(copied)),
                 (f.Editor->ListBox1->Item(0) + "\r\n" + f.Editor->ListBox1->Item(1)).c_str());
    ::GlobalUnlock(copied);
    ::CloseClipboard();
    testing::MessageBoxAnswerer answerer(IDNO);
    f.Editor->Button_OkClick(nullptr); // the lost character is asked about
    EXPECT_EQ(answerer.Texts().size(), 1u);
}

// The message of an operation's error.
template <typename Call> std::string ErrorOf(Call call) {
    try {
        call();
    } catch (const EOperationError& error) {
        return error.Message();
    }
    return "(none)";
}

TEST_F(FormTest, ImportAndExportTakeAnyFileNameAndAskBeforeABinaryFile) {
    TForm_Stilvane& f = Build();
    f.ExceptionsClick(nullptr);
    const char utf16[] = "\xFF\xFEx\0.\0e\0x\0\r\0\n\0y\0\n\0z\0";
    folder.Write("import.txt", std::string(utf16, sizeof utf16 - 1));
    f.Editor->ListTools->ImportFrom(AnsiToWide(folder.File("import.txt")));
    EXPECT_EQ(f.Editor->ListBox1->Items(), (std::vector<std::string>{"x.ex", "y", "z"}));
    // "выгрузка.txt": a name outside the ANSI code page, written and read back.
    const std::wstring unicodeName =
        AnsiToWide(folder.Path()) + L"\\\x432\x44B\x433\x440\x443\x437\x43A\x430.txt";
    f.Editor->ListTools->ExportTo(unicodeName);
    EXPECT_EQ(ReadWholeFile(unicodeName), "x.ex\r\ny\r\nz\r\n");
    f.Editor->ListBox1->SelectAll();
    f.Editor->Button_DeleteClick(nullptr);
    f.Editor->ListTools->ImportFrom(unicodeName);
    EXPECT_EQ(f.Editor->ListBox1->Count(), 3);
    // Random bytes: asked first, added only when the user says so.
    std::string binary(2000, '\0');
    for (std::size_t i = 0; i < binary.size(); ++i)
        binary[i] = static_cast<char>((i * 2654435761u) >> 13);
    folder.Write("random.bin", binary);
    for (const int answer : {IDNO, IDYES}) {
        testing::MessageBoxAnswerer answerer(answer);
        f.Editor->ListTools->ImportFrom(AnsiToWide(folder.File("random.bin")));
        EXPECT_EQ(answerer.Texts(),
                  std::vector<std::string>{"The file " + folder.File("random.bin") +
                                           " does not look like a list of web addresses. Import "
                                           "it anyway?"});
        EXPECT_EQ(f.Editor->ListBox1->Count() > 3, answer == IDYES);
    }
    // Failures say what failed, where and why, in the user's language.
    const auto reason = [](DWORD code) {
        std::string text = SystemErrorText(code);
        return text.substr(0, text.find_last_not_of(". ") + 1);
    };
    EXPECT_EQ(
        ErrorOf([&] { f.Editor->ListTools->ImportFrom(AnsiToWide(folder.File("missing.txt"))); }),
        "The file " + folder.File("missing.txt") + " could not be imported: it cannot be read (" +
            reason(ERROR_FILE_NOT_FOUND) + ").");
    EXPECT_EQ(ErrorOf([&] { f.Editor->ListTools->ExportTo(AnsiToWide(folder.Path())); }),
              "The list could not be exported: the file " + folder.Path() + " cannot be written (" +
                  reason(ERROR_ACCESS_DENIED) + ").");
}

TEST_F(FormTest, LongEntriesAreKeptAndNewOnesOverTheLimitRefused) {
    // Loaded, shown, merged and saved whatever their length; typed and pasted
    // ones up to the length of the longest web address browsers open.
    const std::string e600(600, 'a'), e2100(2100, 'b'), e100k(100000, 'c');
    folder.Write("popup-exp.ini", e600 + "\r\n" + e2100 + "\r\n" + e100k + "\r\n");
    TForm_Stilvane& f = Build();
    f.ExceptionsClick(nullptr);
    EXPECT_EQ(f.Editor->ListBox1->Items(), (std::vector<std::string>{e600, e2100, e100k}));
    f.Editor->Edit1->SetText(std::string(600, 'd'));
    f.Editor->Button_AddClick(nullptr);
    EXPECT_EQ(f.Editor->ListBox1->Count(), 4);
    DWORD start = 1, end = 0;
    ::SendMessageW(f.Editor->Edit1->Handle(), EM_GETSEL, reinterpret_cast<WPARAM>(&start),
                   reinterpret_cast<LPARAM>(&end));
    EXPECT_EQ(start, 0u); // the text stays, selected: typing replaces it
    EXPECT_EQ(end, 600u);
    {
        testing::MessageBoxAnswerer answerer;
        f.Editor->Edit1->SetText(std::string(2100, 'e'));
        f.Editor->Button_AddClick(nullptr);
        PutOnClipboard(std::wstring(2100, L'f') + L"\r\n" + std::wstring(100000, L'g') + L"\r\nh");
        ::SendMessageW(f.Editor->ListBox1->Handle(), WM_PASTE, 0, 0);
        EXPECT_EQ(answerer.Texts(),
                  (std::vector<std::string>{
                      "1 entry is longer than 2083 characters and was not added: most browsers "
                      "open no web address that long.",
                      "2 entries are longer than 2083 characters and were not added: most "
                      "browsers open no web address that long."}));
    }
    EXPECT_EQ(f.Editor->ListBox1->Count(), 5);
    PutOnClipboard(L"i\r\nj"); // a later paste, as before
    ::SendMessageW(f.Editor->ListBox1->Handle(), WM_PASTE, 0, 0);
    EXPECT_EQ(f.Editor->ListBox1->Count(), 7);
    folder.Write("popup-exp.ini", e600 + "\r\n" + e2100 + "\r\n" + e100k + "\r\nk\r\n");
    testing::MessageBoxAnswerer answerer(IDYES);
    EXPECT_TRUE(f.FormCloseQuery()); // saved, merged with the line added meanwhile
    EXPECT_EQ(ReadWholeFile(folder.File("popup-exp.ini")),
              FormatExceptions({e600, e2100, e100k, std::string(600, 'd'), "h", "i", "j", "k"}));
}

TEST_F(FormTest, OkAsksOnlyAboutEntriesItsSaveWouldChange) {
    folder.Write("popup-exp.ini", "?.example\r\n");
    TForm_Stilvane& f = Build();
    f.ExceptionsClick(nullptr);
    // "ж.example" becomes the "?.example" listed already: nothing changes.
    PutOnClipboard(L"\x436.example\r\nb.example");
    ::SendMessageW(f.Editor->ListBox1->Handle(), WM_PASTE, 0, 0);
    {
        testing::MessageBoxAnswerer answerer;
        f.Editor->Button_OkClick(nullptr);
        EXPECT_TRUE(answerer.Texts().empty());
    }
    EXPECT_EQ(::GetFileAttributesA(folder.File("popup-exp.ini.bak").c_str()),
              INVALID_FILE_ATTRIBUTES);
    // Typed, the same character is asked about.
    f.ExceptionsClick(nullptr);
    ::SetWindowTextW(f.Editor->Edit1->Handle(), L"\x436\x436.example");
    f.Editor->Button_AddClick(nullptr);
    testing::MessageBoxAnswerer answerer(IDNO);
    f.Editor->Button_OkClick(nullptr);
    ASSERT_EQ(answerer.Texts().size(), 1u);
    EXPECT_EQ(answerer.Texts()[0].substr(0, 26), "1 entry contains character");
}

TEST_F(FormTest, ScreenReadersFindNamesForTheControls) {
    TForm_Stilvane& f = Build();
    const auto name = [](HWND window) {
        IAccessible* accessible = nullptr;
        if (FAILED(::AccessibleObjectFromWindow(window, OBJID_CLIENT, IID_IAccessible,
                                                reinterpret_cast<void**>(&accessible))))
            return std::string("(none)");
        VARIANT self;
        self.vt = VT_I4;
        self.lVal = CHILDID_SELF;
        BSTR text = nullptr;
        std::string result = "(no name)";
        if (accessible->get_accName(self, &text) == S_OK && text) {
            result = std::string(text, text + ::SysStringLen(text));
            ::SysFreeString(text);
        }
        accessible->Release();
        return result;
    };
    EXPECT_EQ(name(f.Editor->Edit1->Handle()), "New exception");
    EXPECT_EQ(name(f.Editor->Button_Add->Handle()), "Add");
    wchar_t cue[64] = {};
    ::SendMessageW(f.Editor->Edit1->Handle(), EM_GETCUEBANNER, reinterpret_cast<WPARAM>(cue), 64);
    EXPECT_STREQ(cue, L"Web address or part of one");
    char text[512] = {};
    ::GetWindowTextA(f.Editor->Label1->Handle(), text, sizeof text);
    EXPECT_EQ(std::string(text).substr(0, 47), "Normally the Popup Blocker blocks every popup.\r");
}

// --- pause and count -----------------------------------------------------------

// Lets everyone read (and, with `write`, write to) a key.
void SetAccess(const std::string& path, bool write) {
    HKEY key = nullptr;
    PSECURITY_DESCRIPTOR sd = nullptr;
    ::RegCreateKeyExA(HKEY_CURRENT_USER, path.c_str(), 0, 0, 0, WRITE_DAC, 0, &key, 0);
    ::ConvertStringSecurityDescriptorToSecurityDescriptorA(
        write ? "D:(A;;KA;;;WD)" : "D:(A;;KR;;;WD)", SDDL_REVISION_1, &sd, nullptr);
    EXPECT_EQ(::RegSetKeySecurity(key, DACL_SECURITY_INFORMATION, sd), ERROR_SUCCESS);
    ::LocalFree(sd);
    ::RegCloseKey(key);
}

class PauseTest : public FormTest {
protected:
    std::string Own() const { return key.Path() + "\\Stilvane"; }
    void SetOwn(const char* name, DWORD type, const void* data, std::size_t size) const {
        RegistryKey::Create(HKEY_CURRENT_USER, Own(), KEY_SET_VALUE)
            .SetBytes(name, type, data, size);
    }
    std::string On() const { return ReadRegString(HKEY_CURRENT_USER, key.Path(), "PopupBlocker"); }
    std::string Own(const char* name) const {
        return ReadRegString(HKEY_CURRENT_USER, Own(), name);
    }
    std::string Row(int row) const {
        const std::string& tip = form->TrayIcon1->Hint();
        return row == 0 ? tip.substr(0, tip.find('\r')) : tip.substr(tip.find('\n') + 1);
    }
    static void ExpectQuit() {
        MSG q;
        EXPECT_TRUE(::PeekMessageA(&q, 0, WM_QUIT, WM_QUIT, PM_REMOVE));
    }
};

TEST_F(PauseTest, APauseIsRecordedFirstAndEndsAtATickPastItsTimeOnceItCanBeWritten) {
    key.SetString("PopupBlocker", "1");
    TForm_Stilvane& f = Build();
    f.Pause15->Click();
    // Chosen again through the menu's own ids: the new end replaces the old.
    HMENU menu = f.PopupMenu1->Build();
    f.PopupMenu1->FindCommand(::GetMenuItemID(::GetSubMenu(menu, 3), 0))->Click();
    ::DestroyMenu(menu);
    EXPECT_EQ(Own("PauseEnds"), "2026-03-01T00:05:00Z");
    EXPECT_EQ(On(), "0");
    EXPECT_EQ(LastIcon(), "paused");
    EXPECT_EQ(Row(0), "Paused until " + LocalTimeText(wall + 300));
    wall += 299;
    f.ThreadTimer1Timer(nullptr);
    EXPECT_EQ(On(), "0");
    wall += 3600; // asleep past the end
    Signal();     // taken at every tick, as it cannot be deleted, but not counted
    SetAccess(key.Path(), false), SetAccess(Own(), false);
    testing::MessageBoxAnswerer answerer;
    for (int tick = 0; tick < 3; ++tick)
        f.ThreadTimer1Timer(nullptr);
    // One box for the pause, one for the count, however many ticks: shown
    // once the ticks are over.
    testing::PumpFor(1500);
    EXPECT_EQ(answerer.Texts().size(), 2u);
    EXPECT_EQ(On(), "0");
    EXPECT_EQ(Row(0), "Paused until " + LocalTimeText(wall - 3599));
    EXPECT_EQ(f.Counted().total, 0u);
    SetAccess(key.Path(), true), SetAccess(Own(), true);
    f.ThreadTimer1Timer(nullptr);
    EXPECT_EQ(On(), "1");
    EXPECT_EQ(Own("PauseEnds"), "");
    now += 2500;
    f.ThreadTimer1Timer(nullptr);
    EXPECT_EQ(LastIcon(), "on");
    EXPECT_EQ(Row(0), Application().Title());
    // A record that cannot be written switches nothing off, and says so.
    SetAccess(Own(), false);
    Application().RunHandler([&f] { f.Pause60->Click(); });
    ASSERT_EQ(answerer.Texts().size(), 3u);
    const std::string failed = "The pause could not start: the registry key HKEY_CURRENT_USER\\" +
                               Own() + " cannot be written (";
    EXPECT_EQ(answerer.Texts()[2].substr(0, failed.size()), failed);
    EXPECT_EQ(On(), "1");
    SetAccess(Own(), true);
}

TEST_F(PauseTest, ATicksErrorIsShownAfterItAndPollingGoesOnWhileTheBoxIsOpen) {
    key.SetString("PopupBlocker", "1");
    TForm_Stilvane& f = Build();
    f.Pause5->Click();
    SetAccess(Own(), false); // the count cannot be written
    Signal();
    testing::MessageBoxAnswerer answerer(IDOK, [this] {
        // While the box is open: the pause's end passes, two blocks come.
        SetAccess(Own(), true);
        wall += 600;
        for (int i = 0; i < 2; ++i) {
            Signal();
            for (int wait = 0; wait < 40 && key.Exists("PopupBlocker_BlockTime"); ++wait)
                ::Sleep(50);
        }
        ::Sleep(400);
    });
    f.ThreadTimer1Timer(nullptr);
    EXPECT_TRUE(answerer.Texts().empty()); // not from inside the tick
    f.ThreadTimer1->SetActive(true);
    testing::PumpFor(3000);
    f.ThreadTimer1->SetActive(false);
    ASSERT_EQ(answerer.Texts().size(), 1u);
    EXPECT_EQ(answerer.Texts()[0].substr(0, 47), "The count of blocked popups could not be saved:");
    EXPECT_EQ(On(), "1");
    EXPECT_FALSE(f.PauseEnds().has_value());
    EXPECT_EQ(f.Counted().total, 2u);
}

TEST_F(PauseTest, BlockingSwitchedElsewhereEndsThePauseOrStaysAsItWasSet) {
    key.SetString("PopupBlocker", "1");
    TForm_Stilvane& f = Build();
    f.Pause5->Click();
    key.SetString("PopupBlocker", "1"); // on, by another program
    f.ThreadTimer1Timer(nullptr);
    EXPECT_FALSE(f.PauseEnds().has_value());
    EXPECT_EQ(Own("PauseEnds"), "");
    EXPECT_EQ(LastIcon(), "on");
    EXPECT_EQ(Row(0), Application().Title());
    // Another program's own value outlives the pause's end.
    f.Pause5->Click();
    key.SetString("PopupBlocker", "off");
    wall += 600;
    f.ThreadTimer1Timer(nullptr);
    EXPECT_FALSE(f.PauseEnds().has_value());
    EXPECT_EQ(On(), "off");
    EXPECT_FALSE(f.Block->Checked);
    EXPECT_EQ(LastIcon(), "off");
}

TEST_F(PauseTest, TheShellHasTheTipOfEveryStateWithoutAMouseMove) {
    key.SetString("PopupBlocker", "1");
    TForm_Stilvane& f = Build();
    Signal();
    f.ThreadTimer1Timer(nullptr);
    EXPECT_EQ(Row(1), "1 popup blocked today, 1 in all");
    EXPECT_EQ(shellTip, f.TrayIcon1->Hint());
    f.Pause5->Click();
    EXPECT_EQ(Row(0), "Paused until " + LocalTimeText(wall + 300));
    EXPECT_EQ(shellTip, f.TrayIcon1->Hint());
    wall += 600;
    f.ThreadTimer1Timer(nullptr);
    EXPECT_EQ(Row(0), Application().Title());
    EXPECT_EQ(shellTip, f.TrayIcon1->Hint());
}

TEST_F(PauseTest, BlockDoubleClickQuitAndAnUpdateResumeButNotTheClockForSignIn) {
    key.SetString("PopupBlocker", "1");
    TForm_Stilvane& f = Build();
    f.BlockClick(nullptr); // switching off is no pause
    EXPECT_FALSE(f.Pause->Enabled);
    EXPECT_EQ(Own("PauseEnds"), "");
    f.BlockClick(nullptr);
    f.PauseSignIn->Click();
    EXPECT_EQ(Own("PauseEnds"), "sign-in");
    EXPECT_EQ(Row(0), "Paused until next sign-in");
    wall += 86400 * 30;
    f.ThreadTimer1Timer(nullptr);
    EXPECT_EQ(On(), "0");
    const UINT update = ::RegisterWindowMessageA(kCloseForUpdateMessage);
    const HWND tray = f.TrayIcon1->MessageWindow();
    for (const auto& resume : std::initializer_list<std::function<void()>>{
             [&f] { f.BlockClick(nullptr); },
             [tray] { ::SendMessageA(tray, TTrayIcon::kCallbackMessage, 1, WM_LBUTTONDBLCLK); },
             [&f] { f.Beenden1Click(nullptr), ExpectQuit(); },
             [update] { ::SendMessageA(Application().Handle(), update, 0, 0), ExpectQuit(); }}) {
        f.Pause60->Click();
        resume();
        EXPECT_EQ(On(), "1");
        EXPECT_EQ(Own("PauseEnds"), "");
    }
}

TEST_F(PauseTest, AStartEndsEveryRecordButARunningPauseAndSignOutWritesNothing) {
    // Running; ended, too far ahead, sign-in, unreadable, of another kind.
    const std::pair<DWORD, const char*> cases[] = {{REG_SZ, "2026-03-01T00:59:59Z"},
                                                   {REG_SZ, "2026-03-01T00:00:00Z"},
                                                   {REG_SZ, "2026-03-01T03:00:00Z"},
                                                   {REG_SZ, "sign-in"},
                                                   {REG_SZ, "bald"},
                                                   {REG_EXPAND_SZ, "2026-03-01T00:59:59Z"},
                                                   {REG_DWORD, "\x01\0\0"}};
    for (const auto& [type, record] : cases) {
        const bool paused = &record == &cases[0].second;
        key.SetString("PopupBlocker", "0");
        SetOwn("PauseEnds", type, record, type == REG_DWORD ? 4 : strlen(record) + 1);
        EXPECT_EQ(Build().PauseEnds().has_value(), paused) << record;
        EXPECT_EQ(On(), paused ? "0" : "1") << record;
        EXPECT_EQ(Own("PauseEnds").empty(), !paused) << record;
    }
    form->PauseSignIn->Click();
    ::SendMessageA(Application().Handle(), WM_ENDSESSION, TRUE, 0);
    ExpectQuit();
    EXPECT_EQ(On(), "0");
    EXPECT_EQ(Own("PauseEnds"), "sign-in");
}

TEST_F(PauseTest, EachSignalIsCountedByLocalDayAndStoredInTheRightKinds) {
    // A total of another kind keeps its number where it has one; today's
    // count means nothing without a readable day.
    const std::uint64_t big = 1ull << 40;
    const struct {
        DWORD type;
        std::string data;
        DWORD total;
    } totals[] = {{REG_SZ, std::string("500", 4), 501},
                  {REG_QWORD, std::string(reinterpret_cast<const char*>(&big), 8), 0xFFFFFFFF},
                  {REG_BINARY, std::string("\xF4\x01", 2), 501},
                  {REG_SZ, std::string("5 hundred", 10), 1},
                  {REG_MULTI_SZ, std::string("500\0", 5), 1}};
    for (const auto& total : totals) {
        SetOwn("BlockedTotal", total.type, total.data.data(), total.data.size());
        Build();
        Signal(), form->ThreadTimer1Timer(nullptr);
        DWORD stored = 0, size = sizeof stored;
        EXPECT_EQ(::RegGetValueA(HKEY_CURRENT_USER, Own().c_str(), "BlockedTotal", RRF_RT_REG_DWORD,
                                 nullptr, &stored, &size),
                  ERROR_SUCCESS);
        EXPECT_EQ(stored, total.total) << total.type;
    }
    constexpr DWORD kMax = 0xFFFFFFFF;
    SetOwn("BlockedToday", REG_SZ, "7", 2);
    SetOwn("BlockedTotal", REG_DWORD, "\0\0\0", 4);
    SetOwn("BlockedDay", REG_DWORD, &kMax, 4);
    TForm_Stilvane& f = Build();
    for (int i = 0; i < 3; ++i)
        Signal(), f.ThreadTimer1Timer(nullptr);
    DWORD today = 0, size = 4;
    ::RegGetValueA(HKEY_CURRENT_USER, Own().c_str(), "BlockedToday", RRF_RT_REG_DWORD, 0, &today,
                   &size);
    EXPECT_EQ(today, 3u);
    EXPECT_EQ(Own("BlockedTotal"), "3");
    EXPECT_EQ(Own("BlockedDay"), LocalDay(wall));
    EXPECT_EQ(Row(1), "3 popups blocked today, 3 in all");
    EXPECT_EQ(f.Count->Caption, Row(1));
    EXPECT_FALSE(f.Count->Enabled);

    SetOwn("BlockedTotal", REG_DWORD, &kMax, 4);
    TForm_Stilvane& g = Build(); // read at start
    EXPECT_EQ(Row(1), "3 popups blocked today, 4294967295 in all");
    wall += 86400;
    g.ThreadTimer1Timer(nullptr);
    EXPECT_EQ(Row(1), "0 popups blocked today, 4294967295 in all");
    Signal();
    g.ThreadTimer1Timer(nullptr);
    EXPECT_EQ(Row(1), "1 popup blocked today, 4294967295 in all");
}

TEST_F(FormTest, ControlsFontFrameAndTrayPictureScaleWithTheDisplay) {
    // Wine never sends WM_DPICHANGED: the changes of scale are made up. 0 and
    // 480 stand for broken settings, held to 100 % and 300 %. Where the
    // editor would not fit the screen (1,024 x 768 here) it takes the largest
    // scale at which it does.
    TForm_Stilvane& f = Build();
    f.ExceptionsClick(nullptr);
    ASSERT_EQ(f.Editor->Dpi(), 96);
    const std::vector<HWND> controls{
        f.Editor->Label1->Handle(),        f.Editor->ListBox1->Handle(),
        f.Editor->Button_Delete->Handle(), f.Editor->Edit1->Handle(),
        f.Editor->Button_Add->Handle(),    f.Editor->Bevel1->Handle(),
        f.Editor->Button_Ok->Handle()};
    std::vector<RECT> at96;
    for (HWND control : controls)
        at96.push_back(PlaceOf(control));
    struct Scale {
        int dpi, pictureWidth;
        UINT pictureChange;
        bool fits;
    };
    for (const Scale scale :
         {Scale{120, 20, WM_DISPLAYCHANGE, true}, Scale{144, 24, WM_SETTINGCHANGE, true},
          Scale{192, 32, WM_DISPLAYCHANGE, true}, Scale{96, 16, WM_SETTINGCHANGE, true},
          Scale{480, 48, WM_DISPLAYCHANGE, false}, Scale{0, 16, WM_DISPLAYCHANGE, true}}) {
        SCOPED_TRACE(scale.dpi);
        taskbarDpi = scale.dpi;
        ::SendMessageA(f.Handle(), scale.pictureChange, 0, 0);
        EXPECT_EQ(shownWidth, scale.pictureWidth);
        const int wanted = ClampDpi(scale.dpi);
        // The frame as the system draws it here, around the scaled client.
        RECT window{}, client{};
        ::GetWindowRect(f.Handle(), &window);
        ::GetClientRect(f.Handle(), &client);
        const SIZE frame{window.right - window.left - client.right + ScaleToDpi(400, wanted),
                         window.bottom - window.top - client.bottom + ScaleToDpi(360, wanted)};
        RECT suggested{30, 40, 30 + frame.cx, 40 + frame.cy};
        ::SendMessageA(f.Handle(), WM_DPICHANGED, MAKEWPARAM(scale.dpi, scale.dpi),
                       reinterpret_cast<LPARAM>(&suggested));
        const int dpi = f.Editor->Dpi();
        EXPECT_EQ(dpi == wanted, scale.fits) << dpi;
        EXPECT_LE(dpi, wanted);
        ::GetWindowRect(f.Handle(), &window);
        ::GetClientRect(f.Handle(), &client);
        RECT area{}, inside{};
        ::SystemParametersInfoA(SPI_GETWORKAREA, 0, &area, 0);
        ::IntersectRect(&inside, &window, &area);
        EXPECT_TRUE(::EqualRect(&inside, &window)); // the whole window on the screen
        if (scale.fits) // the size the system suggests, moved onto the screen if need be
            EXPECT_EQ(window.right - window.left, suggested.right - suggested.left);
        EXPECT_EQ(client.right, ScaleToDpi(400, dpi));
        EXPECT_EQ(client.bottom, ScaleToDpi(360, dpi));
        for (std::size_t i = 0; i < controls.size(); ++i) {
            const RECT& was = at96[i];
            const int left = ScaleToDpi(was.left, dpi), top = ScaleToDpi(was.top, dpi);
            const RECT scaled{left, top, left + ScaleToDpi(was.right - was.left, dpi),
                              top + ScaleToDpi(was.bottom - was.top, dpi)};
            const RECT place = PlaceOf(controls[i]);
            EXPECT_TRUE(::EqualRect(&place, &scaled)) << "control " << i;
        }
        LOGFONTA font{};
        ::GetObjectA(reinterpret_cast<HFONT>(
                         ::SendMessageA(f.Editor->Button_Ok->Handle(), WM_GETFONT, 0, 0)),
                     sizeof font, &font);
        EXPECT_EQ(font.lfHeight, ScaleToDpi(-11, dpi));
        // The bitmap font only at 96 dpi, where it has its size; its outline
        // version at every other scale.
        const char* face = dpi == 96 ? "MS Sans Serif" : "Microsoft Sans Serif";
        EXPECT_STREQ(font.lfFaceName, face);
        EXPECT_EQ(f.Editor->Label1->Font().height, ScaleToDpi(-11, dpi));
        EXPECT_EQ(f.Editor->Label1->Font().name, face);
        std::printf("at %d dpi: laid out for %d, editor client %ld x %ld, tray picture %d x %d\n",
                    scale.dpi, dpi, client.right, client.bottom, shownWidth, shownWidth);
    }
}

TEST_F(FormTest, ControlsAreThemedAndTheLabelTakesChangedSystemColours) {
    TForm_Stilvane& f = Build();
    EXPECT_NE(::GetWindowTheme(f.Editor->Button_Ok->Handle()), nullptr);
    f.ExceptionsClick(nullptr);
    const int elements[] = {COLOR_BTNFACE, COLOR_WINDOWTEXT};
    const COLORREF saved[] = {::GetSysColor(COLOR_BTNFACE), ::GetSysColor(COLOR_WINDOWTEXT)};
    const COLORREF changed[] = {RGB(0, 64, 128), RGB(255, 255, 0)};
    ASSERT_TRUE(::SetSysColors(2, elements, changed));
    testing::PumpFor(300);
    // Both new colours show in the label, and nothing of the old face.
    std::set<COLORREF> seen;
    HDC dc = ::GetDC(f.Editor->Label1->Handle());
    for (int i = 0; i < f.Editor->Label1->Width() * f.Editor->Label1->Height(); i += 2)
        seen.insert(::GetPixel(dc, i % f.Editor->Label1->Width(), i / f.Editor->Label1->Width()));
    ::ReleaseDC(f.Editor->Label1->Handle(), dc);
    ::SetSysColors(2, elements, saved);
    EXPECT_TRUE(seen.count(changed[0]) && seen.count(changed[1]));
    EXPECT_FALSE(seen.count(saved[0]));
}

} // namespace
} // namespace stilvane
