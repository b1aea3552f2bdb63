// The tray icon's conversation with the shell, recorded through the
// replaceable shell calls, and its reactions to the shell's notifications.
#include "components/TrayIcon.h"
#include "framework/loop/application.h"
#include "message_pump.h"

#include <gtest/gtest.h>
#include <shellapi.h>

#include <string>
#include <utility>
#include <vector>

namespace stilvane {
namespace {

struct Call {
    DWORD message;
    NOTIFYICONDATAA data;
};

HICON SolidIcon(COLORREF color) {
    BYTE andMask[16 * 2] = {};
    std::vector<DWORD> pixels(16 * 16, 0xFF000000u | (GetRValue(color) << 16) |
                                           (GetGValue(color) << 8) | GetBValue(color));
    HBITMAP colorBitmap = ::CreateBitmap(16, 16, 1, 32, pixels.data());
    HBITMAP maskBitmap = ::CreateBitmap(16, 16, 1, 1, andMask);
    ICONINFO info{TRUE, 0, 0, maskBitmap, colorBitmap};
    HICON icon = ::CreateIconIndirect(&info);
    ::DeleteObject(colorBitmap);
    ::DeleteObject(maskBitmap);
    return icon;
}

class TrayShellRecorder : public ::testing::Test {
protected:
    // In place before the icons of derived fixtures are made: an icon takes
    // its shell when it is constructed.
    TrayShellRecorder() {
        saved_ = CurrentTrayShell();
        CurrentTrayShell().notify = [this](DWORD message, NOTIFYICONDATAA& data) {
            calls.push_back({message, data});
            return TRUE;
        };
        CurrentTrayShell().findTaskbar = [this] { return taskbar; };
    }
    ~TrayShellRecorder() override { CurrentTrayShell() = saved_; }

    std::vector<DWORD> Messages() const {
        std::vector<DWORD> messages;
        for (const auto& call : calls)
            messages.push_back(call.message);
        return messages;
    }

    std::vector<Call> calls;
    HWND taskbar = reinterpret_cast<HWND>(0x1234);

private:
    TrayShell saved_;
};

using Sequence = std::vector<DWORD>;

TEST_F(TrayShellRecorder, ConstructionTouchesNoShell) {
    TTrayIcon tray(nullptr);
    EXPECT_TRUE(calls.empty());
    EXPECT_FALSE(tray.Active());
    EXPECT_EQ(tray.Visibility(), tvVisibleTaskBar | tvVisibleTaskList | tvAutoHide);
}

TEST_F(TrayShellRecorder, ABalloonComesFromTheIconCutToItsFieldUntilShown) {
    TTrayIcon tray(nullptr);
    EXPECT_FALSE(tray.ShowBalloon("title", "text", NIIF_INFO)) << "no icon to show it from";
    tray.SetActive(true);
    calls.clear();
    EXPECT_TRUE(tray.ShowBalloon("title", std::string(300, 'x'), NIIF_USER));
    EXPECT_EQ(std::string(calls[0].data.szInfo), std::string(255, 'x'));
    // A shell restarted before it showed the balloon gets it with the icon.
    taskbar = reinterpret_cast<HWND>(0x5678);
    tray.SetHint("tip");
    ASSERT_EQ(calls[2].message, DWORD{NIM_ADD});
    EXPECT_EQ(std::string(calls[2].data.szInfo), std::string(255, 'x'));
    ::SendMessageA(tray.MessageWindow(), TTrayIcon::kCallbackMessage, 0,
                   MAKELPARAM(NIN_BALLOONSHOW, 1));
    taskbar = reinterpret_cast<HWND>(0x9ABC), tray.SetHint("tip 2"); // once shown, never again
    EXPECT_STREQ(calls.at(6).data.szInfo, "");
}

TEST_F(TrayShellRecorder, ActivationAddsTheIconWithTheSystemsRecord) {
    TTrayIcon tray(nullptr);
    tray.SetActive(true);
    ASSERT_EQ(Messages(), (Sequence{NIM_ADD, NIM_SETVERSION}));
    const NOTIFYICONDATAA& add = calls[0].data;
    EXPECT_EQ(add.cbSize, sizeof(NOTIFYICONDATAA));
    EXPECT_EQ(add.uID, 1u);
    EXPECT_EQ(add.uCallbackMessage, 0x401u);
    EXPECT_EQ(add.uFlags, 0x97u); // message, icon, tip, balloon text, and show the tip
    EXPECT_EQ(add.hWnd, tray.MessageWindow());
    EXPECT_EQ(add.uVersion, 4u);
    EXPECT_STREQ(add.szTip, "") << "an empty Hint gives no tooltip";
    EXPECT_TRUE(tray.Active());
}

TEST_F(TrayShellRecorder, TipIsTheShortPartOfTheHintCutTo127) {
    TTrayIcon tray(nullptr);
    tray.SetHint("Kurz|Lang und breit");
    tray.SetActive(true);
    EXPECT_STREQ(calls.at(0).data.szTip, "Kurz");
    tray.SetActive(false);
    tray.SetHint(std::string(300, 'h'));
    calls.clear();
    tray.SetActive(true);
    EXPECT_EQ(std::string(calls.at(0).data.szTip), std::string(127, 'h'));
}

TEST_F(TrayShellRecorder, EachChangeSendsOneModifyWithWhatChangedAndARefusedOneAddsAgain) {
    HICON red = SolidIcon(RGB(255, 0, 0));
    TTrayIcon tray(nullptr);
    tray.SetActive(true);
    calls.clear();
    tray.SetIcon(red);
    tray.SetIcon(red); // the same icon again: sent again
    tray.SetHint("Neu|lang");
    tray.SetHint("Neu|lang"); // unchanged: nothing sent
    ASSERT_EQ(Messages(), (Sequence{NIM_MODIFY, NIM_MODIFY, NIM_MODIFY}));
    EXPECT_EQ(calls[1].data.uFlags, static_cast<UINT>(NIF_ICON | NIF_SHOWTIP));
    EXPECT_NE(calls[1].data.hIcon, red) << "the component keeps a copy of its own";
    EXPECT_EQ(calls[1].data.hIcon, tray.Icon().Handle());
    EXPECT_EQ(calls[2].data.uFlags, static_cast<UINT>(NIF_TIP | NIF_SHOWTIP));
    EXPECT_STREQ(calls[2].data.szTip, "Neu");
    // The shell lost the icon (Explorer ended, say): the change adds it anew.
    CurrentTrayShell().notify = [this](DWORD message, NOTIFYICONDATAA& data) {
        calls.push_back({message, data});
        return message != NIM_MODIFY;
    };
    TTrayIcon lost(nullptr);
    lost.SetActive(true);
    calls.clear();
    lost.SetIcon(red);
    EXPECT_EQ(Messages(), (Sequence{NIM_MODIFY, NIM_DELETE, NIM_ADD, NIM_SETVERSION}));
    EXPECT_EQ(calls[2].data.hIcon, lost.Icon().Handle());
    ::DestroyIcon(red);
}

TEST_F(TrayShellRecorder, InactiveComponentStoresTheIconOnly) {
    HICON red = SolidIcon(RGB(255, 0, 0));
    TTrayIcon tray(nullptr);
    tray.SetIcon(red);
    ::DestroyIcon(red); // the caller's icon may go; the copy stays
    EXPECT_TRUE(calls.empty());
    tray.SetActive(true);
    ASSERT_EQ(Messages(), (Sequence{NIM_ADD, NIM_SETVERSION}));
    EXPECT_EQ(calls[0].data.hIcon, tray.Icon().Handle());
    ICONINFO info{};
    EXPECT_TRUE(::GetIconInfo(tray.Icon().Handle(), &info));
    ::DeleteObject(info.hbmColor);
    ::DeleteObject(info.hbmMask);
}

TEST_F(TrayShellRecorder, WithoutAnIconTheProgramsIconIsShown) {
    TTrayIcon tray(nullptr);
    tray.SetActive(true);
    ASSERT_NE(Application().Icon(), nullptr);
    EXPECT_NE(tray.Icon().Handle(), nullptr);
    EXPECT_EQ(calls.at(0).data.hIcon, tray.Icon().Handle());
}

TEST_F(TrayShellRecorder, VisibilityWhileLoadingKeepsTheMainFormHiddenAndTheIconAddedOnce) {
    // A shell refuses a second add of an icon it has; the next change would
    // then take the icon away and add it anew.
    bool shellHasIcon = false;
    CurrentTrayShell().notify = [&](DWORD message, NOTIFYICONDATAA& data) {
        calls.push_back({message, data});
        if (message == NIM_DELETE)
            shellHasIcon = false;
        return message != NIM_ADD || !std::exchange(shellHasIcon, true);
    };
    TComponent owner(nullptr);
    owner.BeginLoading();
    Application().SetShowMainForm(true);
    TTrayIcon tray(&owner);
    tray.SetActive(true);
    tray.SetVisibility(tvAutoHide);
    owner.EndLoading();
    EXPECT_FALSE(Application().ShowMainForm());
    tray.SetHint("tip");
    EXPECT_EQ(Messages(), (Sequence{NIM_ADD, NIM_SETVERSION, NIM_MODIFY}));
    Application().SetShowMainForm(true);
}

TEST_F(TrayShellRecorder, RemovalAndDestructionDeleteTheIcon) {
    {
        TTrayIcon tray(nullptr);
        tray.SetActive(true);
        calls.clear();
        tray.SetActive(false);
        EXPECT_EQ(Messages(), (Sequence{NIM_DELETE}));
        EXPECT_FALSE(tray.Active());
        tray.SetActive(true);
        calls.clear();
    }
    ASSERT_EQ(Messages(), (Sequence{NIM_DELETE}));
    EXPECT_EQ(calls[0].data.uID, 1u);
}

TEST_F(TrayShellRecorder, NewTaskbarWindowReRegistersAtTheNextIconWrite) {
    HICON red = SolidIcon(RGB(255, 0, 0));
    TTrayIcon tray(nullptr);
    tray.SetActive(true);
    calls.clear();
    taskbar = reinterpret_cast<HWND>(0x5678); // the shell restarted
    tray.SetIcon(red);
    EXPECT_EQ(Messages(), (Sequence{NIM_DELETE, NIM_ADD, NIM_SETVERSION, NIM_MODIFY}));
    ::DestroyIcon(red);
}

TEST_F(TrayShellRecorder, TaskbarCreatedBroadcastRegistersTheIconAgainAtOnce) {
    TTrayIcon tray(nullptr);
    tray.SetActive(true);
    calls.clear();
    HICON renewed = SolidIcon(RGB(0, 0, 255));
    tray.OnTaskbarCreated = [&](TComponent*) { tray.SetIcon(renewed); };
    ::SendMessageA(tray.MessageWindow(), ::RegisterWindowMessageA("TaskbarCreated"), 0, 0);
    EXPECT_EQ(Messages(), (Sequence{NIM_DELETE, NIM_ADD, NIM_SETVERSION}));
    EXPECT_EQ(calls.at(1).data.hIcon, tray.Icon().Handle());
    ::DestroyIcon(renewed);
    tray.SetActive(false);
    calls.clear();
    ::SendMessageA(tray.MessageWindow(), ::RegisterWindowMessageA("TaskbarCreated"), 0, 0);
    EXPECT_TRUE(calls.empty()) << "an inactive icon stays away";
}

TEST_F(TrayShellRecorder, TheMessageWindowOutlivesACloseRequest) {
    TTrayIcon tray(nullptr);
    tray.SetActive(true);
    calls.clear();
    ::SendMessageA(tray.MessageWindow(), WM_CLOSE, 0, 0);
    ASSERT_TRUE(::IsWindow(tray.MessageWindow()));
    EXPECT_TRUE(calls.empty());
    ::SendMessageA(tray.MessageWindow(), ::RegisterWindowMessageA("TaskbarCreated"), 0, 0);
    EXPECT_EQ(Messages(), (Sequence{NIM_DELETE, NIM_ADD, NIM_SETVERSION}));
}

// --- callbacks ----------------------------------------------------------------

class TrayCallbacks : public TrayShellRecorder {
protected:
    void Notify(UINT event) {
        ::SendMessageA(tray.MessageWindow(), TTrayIcon::kCallbackMessage, 1, event);
    }
    MenuItem& Item(const char* caption) {
        return menu.Add(caption, [this](TComponent* sender) {
            log.push_back(std::string("menu:") + static_cast<MenuItem*>(sender)->Caption);
        });
    }

    TPopupMenu menu{nullptr};
    TTrayIcon tray{nullptr};
    std::vector<std::string> log;
};

TEST_F(TrayCallbacks, LeftDoubleClickChoosesTheDefaultItem) {
    Item("&Erster");
    Item("&Zweiter").Default = true;
    Item("&Dritter").Default = true; // only the first default counts
    tray.SetPopupMenu(&menu);
    tray.SetActive(true);
    Notify(WM_LBUTTONDBLCLK);
    EXPECT_EQ(log, (std::vector<std::string>{"menu:&Zweiter"}));
}

TEST_F(TrayCallbacks, LeftDoubleClickWithoutDefaultItemDoesNothing) {
    Item("&Erster");
    tray.SetPopupMenu(&menu);
    Notify(WM_LBUTTONDBLCLK);
    EXPECT_TRUE(log.empty());
}

TEST_F(TrayCallbacks, OnDblClickTakesThePlaceOfTheDefaultItem) {
    Item("&Erster").Default = true;
    tray.SetPopupMenu(&menu);
    tray.OnDblClick = [&](TComponent* sender, TMouseButton button, TShiftState, int, int) {
        EXPECT_EQ(sender, &tray);
        EXPECT_EQ(button, TMouseButton::mbLeft);
        log.push_back("dblclick");
    };
    Notify(WM_LBUTTONDBLCLK);
    EXPECT_EQ(log, (std::vector<std::string>{"dblclick"}));
}

TEST_F(TrayCallbacks, ButtonReleasesAreClicks) {
    tray.OnClick = [&](TComponent*, TMouseButton b, TShiftState, int, int) {
        log.push_back("click" + std::to_string(static_cast<int>(b)));
    };
    for (UINT event : {WM_LBUTTONDOWN, WM_LBUTTONUP, WM_MBUTTONDOWN, WM_MBUTTONUP, WM_RBUTTONDOWN,
                       WM_RBUTTONUP, WM_MOUSEMOVE, 0x999})
        Notify(event);
    EXPECT_EQ(log, (std::vector<std::string>{"click0", "click2", "click1"}));
}

TEST_F(TrayCallbacks, AMouseMoveFindsTheTipSentAlready) {
    tray.SetActive(true);
    tray.SetHint("Neu|lang");
    calls.clear();
    Notify(WM_MOUSEMOVE);
    Notify(WM_MOUSEMOVE);
    EXPECT_TRUE(calls.empty());
}

TEST_F(TrayCallbacks, OneMenuPerRightClickOrKeyAndTheFocusBackAfterEscape) {
    struct Case {
        const char* what;
        std::vector<UINT> events;
        int menus;
        bool focusBack;
    } cases[] = {
        {"right click", {WM_RBUTTONDOWN, WM_RBUTTONUP, WM_CONTEXTMENU}, 1, false},
        {"Shift+F10 or the menu key", {WM_CONTEXTMENU}, 1, true},
        {"Enter: the shell sends two", {NIN_KEYSELECT, NIN_KEYSELECT}, 1, true},
        {"a release alone", {WM_RBUTTONUP}, 0, false},
    };
    tray.SetPopupMenu(&menu);
    tray.SetActive(true);
    int menus = 0;
    menu.OnPopup = [&](TComponent*) {
        ++menus;
        // The user presses Escape as soon as the menu is up.
        ::PostMessageA(tray.MessageWindow(), WM_KEYDOWN, VK_ESCAPE, 0);
    };
    Item("&Erster");
    for (const auto& c : cases) {
        menus = 0;
        calls.clear();
        for (const UINT event : c.events)
            ::SendMessageA(tray.MessageWindow(), TTrayIcon::kCallbackMessage, MAKEWPARAM(40, 30),
                           MAKELPARAM(event, 1));
        EXPECT_EQ(menus, c.menus) << c.what;
        EXPECT_EQ(Messages() == Sequence{NIM_SETFOCUS}, c.focusBack) << c.what;
        ::Sleep(::GetDoubleClickTime());
    }
}

TEST_F(TrayCallbacks, MinimiseCommandToTheApplicationHidesItWhileActive) {
    tray.SetActive(true);
    Application().ShowApplicationWindow();
    ASSERT_TRUE(::IsWindowVisible(Application().Handle()));
    ::SendMessageA(Application().Handle(), WM_SYSCOMMAND, SC_MINIMIZE, 0);
    testing::PumpFor(100);
    EXPECT_FALSE(::IsWindowVisible(Application().Handle()));
    ::ShowWindow(Application().Handle(), SW_RESTORE);
    Application().HideApplicationWindow();
}

} // namespace
} // namespace stilvane
