#include "components/TrayIcon.h"

#include "framework/gui/display_scale.h"
#include "framework/loop/application.h"
#include "framework/portable/text.h"
#include "framework/system/ansi_text.h"

#include <shellapi.h>

#include <algorithm>
#include <cstring>

namespace stilvane {

namespace {

constexpr char kWindowClass[] = "StilvaneTrayIcon";
// With notification version 4 the shell shows the tip only when asked to.
constexpr UINT kAddAndTip = NIF_MESSAGE | NIF_ICON | NIF_TIP | NIF_INFO | NIF_SHOWTIP;

// Copies `text` into a fixed field, cut to whole characters where it is too
// long.
template <std::size_t N> void CopyCut(char (&target)[N], std::string_view text) {
    const std::size_t length = WholeCharacters(text, N - 1, &IsLeadByte);
    std::memcpy(target, text.data(), length);
    target[length] = '\0';
}

TShiftState CurrentShiftState() {
    TShiftState state = 0;
    auto down = [](int key) { return (::GetKeyState(key) & 0x8000) != 0; };
    if (down(VK_SHIFT))
        state |= ssShift;
    if (down(VK_MENU))
        state |= ssAlt;
    if (down(VK_CONTROL))
        state |= ssCtrl;
    if (down(VK_LBUTTON))
        state |= ssLeft;
    if (down(VK_RBUTTON))
        state |= ssRight;
    if (down(VK_MBUTTON))
        state |= ssMiddle;
    return state;
}

} // namespace

TTrayIcon::TTrayIcon(TComponent* owner, TrayShell shell, TrayHost& host)
    : TComponentBase(owner), shell_(std::move(shell)), host_(host) {
    icon_.OnChange = [this] { IconChanged(); };
    // A hidden top-level window, not a message-only one: only top-level
    // windows hear the shell's "TaskbarCreated" broadcast.
    CreateHandle({kWindowClass}, {WS_EX_TOOLWINDOW, WS_POPUP});
    taskbarCreated_ = ::RegisterWindowMessageA("TaskbarCreated");
    // Defaults are stored directly: constructing touches neither the shell
    // nor the application's windows.
    visibility_ = tvVisibleTaskBar | tvVisibleTaskList | tvAutoHide;
}

TTrayIcon::~TTrayIcon() {
    Remove();
    icon_.OnChange = nullptr;
}

BOOL TTrayIcon::Notify(DWORD message) {
    return shell_.notify(message, data_);
}

int TTrayIcon::PictureSize() const {
    return SystemMetricForDpi(SM_CXSMICON, shell_.taskbarDpi());
}

void TTrayIcon::SetActive(bool value) {
    if (!value)
        Remove();
    // An icon the shell has stays: the shell would refuse it a second time,
    // and the next change would take it away and add it anew.
    else if (!active_ || !added_)
        Activate();
}

void TTrayIcon::Activate() {
    InstallHook();
    taskbar_ = shell_.findTaskbar();
    if (icon_.Empty())
        icon_.Assign(host_.TrayHostIcon());
    data_.cbSize = sizeof data_;
    // Version 4: keyboard users get WM_CONTEXTMENU and NIN_KEYSELECT at the
    // icon's place, and a right click one WM_CONTEXTMENU.
    data_.uVersion = NOTIFYICON_VERSION_4;
    data_.hWnd = Handle();
    data_.uID = kIconId;
    data_.uCallbackMessage = kCallbackMessage;
    data_.hIcon = icon_.Handle();
    FillTip();
    lastHintSent_ = hint_;
    data_.uFlags = kAddAndTip;
    // A shell that is not there yet gets the icon with its TaskbarCreated
    // broadcast; until then every change tries to add it again.
    added_ = Notify(NIM_ADD) != FALSE;
    // Only a shell without version 4 (none since Windows Vista) refuses it.
    if (added_)
        Notify(NIM_SETVERSION);
    active_ = true;
}

void TTrayIcon::Modify(UINT fields) {
    data_.uFlags = fields | NIF_SHOWTIP;
    if (added_ && Notify(NIM_MODIFY))
        return;
    // The shell has lost the icon (or never had it): add it anew, once.
    Remove();
    Activate();
}

void TTrayIcon::Remove() {
    RemoveHook();
    Notify(NIM_DELETE);
    active_ = false;
    added_ = false;
}

void TTrayIcon::FillTip() {
    const std::string_view hint = hint_;
    CopyCut(data_.szTip, hint.substr(0, FindCharacter(hint, '|', &IsLeadByte)));
}

void TTrayIcon::CheckTaskbar() {
    if (!active_)
        return;
    const HWND taskbar = shell_.findTaskbar();
    if (taskbar == taskbar_)
        return;
    taskbar_ = taskbar;
    Remove();
    Activate();
}

void TTrayIcon::SetIcon(const TIcon& icon) {
    SetIcon(icon.Handle());
}

void TTrayIcon::SetIcon(HICON icon) {
    CheckTaskbar();
    icon_.Assign(icon); // runs IconChanged
}

void TTrayIcon::IconChanged() {
    CheckTaskbar();
    data_.hIcon = icon_.Handle();
    if (active_)
        Modify(NIF_ICON);
}

void TTrayIcon::SetHint(std::string value) {
    CheckTaskbar();
    hint_ = std::move(value);
    // At once, not at the next mouse movement: the shell shows the tip to
    // keyboard and screen-reader users too.
    RefreshTip();
}

void TTrayIcon::RefreshTip() {
    if (hint_ == lastHintSent_ || !active_)
        return;
    lastHintSent_ = hint_;
    FillTip();
    Modify(NIF_TIP);
}

bool TTrayIcon::ShowBalloon(const std::string& title, const std::string& text, DWORD flags) {
    if (!active_)
        return false;
    // Kept in the record until the shell has shown it: an add carries it.
    CopyCut(data_.szInfoTitle, title);
    CopyCut(data_.szInfo, text);
    data_.dwInfoFlags = flags;
    data_.uFlags = NIF_INFO | NIF_SHOWTIP;
    return added_ && Notify(NIM_MODIFY) != FALSE;
}

void TTrayIcon::SetVisibility(TTrayVisibilities value) {
    // tvVisibleTaskList has no effect: taking a process out of the task list
    // needs RegisterServiceProcess, which only Windows 9x had.
    visibility_ = value;
    const bool visible = (value & tvVisibleTaskBar) != 0;
    applicationVisible_ = visible;
    if (Loading()) {
        host_.SetShowMainForm(visible);
    } else if (visible) {
        ShowApplication();
    } else {
        HideApplication();
    }
    SetActive(active_);
}

void TTrayIcon::ShowApplication() {
    host_.ShowFromTray();
    applicationVisible_ = true;
}

void TTrayIcon::HideApplication() {
    host_.HideToTray();
    applicationVisible_ = false;
}

void TTrayIcon::InstallHook() {
    if (hookId_)
        return;
    hookId_ = host_.AddWindowHook([this](UINT message, WPARAM wParam, LPARAM) {
        if (message == WM_SYSCOMMAND && (wParam & 0xFFF0) == SC_MINIMIZE &&
            (visibility_ & tvAutoHide) && active_)
            HideApplication();
    });
}

void TTrayIcon::RemoveHook() {
    if (hookId_)
        host_.RemoveWindowHook(hookId_);
    hookId_ = 0;
}

void TTrayIcon::ShowMenu(TPopupMenu& menu, POINT at, bool fromKeyboard) {
    ::SetForegroundWindow(Handle());
    const MenuItem* chosen = menu.Popup(Handle(), at.x, at.y);
    ::PostMessageA(Handle(), WM_NULL, 0, 0);
    // Dismissed (Escape): the keyboard goes back to the icon, not nowhere.
    if (!chosen && fromKeyboard && active_)
        Notify(NIM_SETFOCUS);
}

LRESULT TTrayIcon::HandleCallback(WPARAM anchor, LPARAM event) {
    // The shell's point: the cursor for the mouse, the icon for the keyboard.
    const POINT at{static_cast<short>(LOWORD(anchor)), static_cast<short>(HIWORD(anchor))};
    const TShiftState shift = CurrentShiftState();
    auto mouse = [&](const TMouseEvent& handler, TMouseButton button) {
        if (handler)
            handler(this, button, shift, at.x, at.y);
    };
    const bool shown = applicationVisible_;
    switch (LOWORD(event)) {
    case WM_MOUSEMOVE:
        RefreshTip();
        break;
    case WM_LBUTTONUP:
        if (shown && (visibility_ & tvMinimizeClick))
            SetVisibility(visibility_ & ~tvVisibleTaskBar);
        else if (!shown && (visibility_ & tvRestoreClick))
            SetVisibility(visibility_ | tvVisibleTaskBar);
        mouse(OnClick, TMouseButton::mbLeft);
        break;
    case WM_LBUTTONDBLCLK:
        if (OnDblClick) {
            mouse(OnDblClick, TMouseButton::mbLeft);
            break;
        }
        if (popupMenu_) {
            // A greyed default item is not chosen this way either.
            for (const auto& item : popupMenu_->Items())
                if (item->Default) {
                    if (item->Enabled)
                        item->Click();
                    break;
                }
        }
        if (shown && (visibility_ & tvMinimizeDbClick))
            SetVisibility(visibility_ & ~tvVisibleTaskBar);
        else if (!shown && (visibility_ & tvRestoreDbClick))
            SetVisibility(visibility_ | tvVisibleTaskBar);
        break;
    case WM_RBUTTONUP:
        rightButtonReleased_ = true;
        mouse(OnClick, TMouseButton::mbRight);
        break;
    case WM_CONTEXTMENU: {
        // After a right button release it is the mouse's; else Shift+F10 or
        // the menu key.
        const bool fromKeyboard = !rightButtonReleased_;
        rightButtonReleased_ = false;
        if (popupMenu_)
            ShowMenu(*popupMenu_, at, fromKeyboard);
        break;
    }
    case NIN_BALLOONSHOW:
        // Shown once: the icon added anew later carries no balloon.
        data_.szInfoTitle[0] = data_.szInfo[0] = '\0';
        data_.dwInfoFlags = 0;
        if (OnBalloonShow)
            OnBalloonShow(this);
        break;
    case NIN_BALLOONUSERCLICK:
        if (OnBalloonClick)
            OnBalloonClick(this);
        break;
    case NIN_KEYSELECT: {
        // The shell sends two for one Enter: one menu.
        const DWORD now = ::GetTickCount();
        const bool repeated = keySelectSeen_ && now - lastKeySelect_ < ::GetDoubleClickTime();
        keySelectSeen_ = true;
        lastKeySelect_ = now;
        if (!repeated && popupMenu_)
            ShowMenu(*popupMenu_, at, true);
        break;
    }
    case WM_RBUTTONDBLCLK:
        mouse(OnDblClick, TMouseButton::mbRight);
        break;
    case WM_MBUTTONUP:
        mouse(OnClick, TMouseButton::mbMiddle);
        break;
    case WM_MBUTTONDBLCLK:
        mouse(OnDblClick, TMouseButton::mbMiddle);
        break;
    }
    return 0;
}

LRESULT TTrayIcon::WindowProc(UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == kCallbackMessage)
        return HandleCallback(wParam, lParam);
    if (message == taskbarCreated_ && taskbarCreated_ != 0) {
        // The shell (re)started: put the icon back at once.
        if (active_) {
            Remove();
            if (OnTaskbarCreated)
                OnTaskbarCreated(this);
            Activate();
        }
        return 0;
    }
    if (message == WM_CLOSE) {
        // Tools that "close all windows" must not take the icon away for
        // good; the program ends only through the application window.
        return 0;
    }
    return Window::WindowProc(message, wParam, lParam);
}

} // namespace stilvane
