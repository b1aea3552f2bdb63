// The main window built in the test process on a scratch registry key and a
// scratch program folder, with the shell's tray calls recorded and the clock
// in the test's hand; its handlers are driven directly. The fixtures and
// helpers of the main window's tests.
#pragma once

#include "framework/loop/application.h"
#include "framework/loop/wall_clock.h"
#include "framework/portable/dpi.h"
#include "framework/portable/errors.h"
#include "framework/system/ansi_text.h"
#include "framework/system/file_io.h"
#include "framework/system/registry.h"
#include "framework/system/system_error.h"
#include "message_pump.h"
#include "settings/marl_REG.h"
#include "test_support.h"
#include "ui/editor/exceptions_file.h"
#include "ui/editor/exceptions_merge.h"
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

namespace stilvane::testing {

// What an icon shows, by the colour most of its pixels have: the program's
// pictures are a green (on), grey (off), red (blocked) or amber (paused) shield.
std::string IconKind(HICON icon);
// Width of an icon's picture in pixels, as GetIconInfo reports it.
int IconWidth(HICON icon);
// A child window's rectangle in its parent's client coordinates.
RECT PlaceOf(HWND window);
// Keys pressed while a message is handled, as GetKeyState reports them.
void HoldKeys(std::initializer_list<int> keys);
void PutOnClipboard(const std::wstring& text);
std::string Title(HWND window);
// Lets everyone read (and, with `write`, write to) a key.
void SetAccess(const std::string& path, bool write);

// The message of an operation's error.
template <typename Call> std::string ErrorOf(Call call) {
    try {
        call();
    } catch (const EOperationError& error) {
        return error.Message();
    }
    return "(none)";
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
            shell, [this] { return wall; }, PolicyStore(PolicyPath()), arming);
        // Ticks come only when the test calls the handler.
        timerStarted = form->ThreadTimer1->Active();
        form->ThreadTimer1->SetActive(false);
        shownIcons.clear();
        return *form;
    }
    TForm_Stilvane& Build() { return Build(key.Path()); }

    void Signal() const { key.SetString("PopupBlocker_BlockTime", "1"); }
    // The test's own policy key, under HKEY_LOCAL_MACHINE and HKEY_CURRENT_USER.
    std::string PolicyPath() const { return key.Path() + "\\Policy"; }
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
    RegistryWatch::Arming arming = &::RegNotifyChangeKeyValue;
};

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

} // namespace stilvane::testing
