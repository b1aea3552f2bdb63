// A notification-area icon: registers it with the shell, keeps its picture
// and tip current, reports clicks, shows the popup menu on a right click and
// chooses the menu's default item on a left double-click. It can also hide
// the application to the tray and bring it back.
#pragma once

#include "components/tray_shell.h"
#include "framework/gui/icon.h"
#include "framework/gui/menu.h"
#include "framework/gui/window.h"
#include "framework/loop/application.h"
#include "framework/portable/component.h"
#include "framework/system/unique_handle.h"

#include <cstdint>
#include <functional>
#include <memory>
#include <string>

namespace stilvane {

enum class TMouseButton { mbLeft, mbRight, mbMiddle };
// Shift, Alt, Ctrl, left, right, middle button, in this bit order.
using TShiftState = std::uint8_t;
constexpr TShiftState ssShift = 0x01, ssAlt = 0x02, ssCtrl = 0x04, ssLeft = 0x08, ssRight = 0x10,
                      ssMiddle = 0x20;

using TMouseEvent =
    std::function<void(TComponent* sender, TMouseButton button, TShiftState shift, int x, int y)>;

using TTrayVisibilities = std::uint8_t;
constexpr TTrayVisibilities tvVisibleTaskBar = 0x01, tvVisibleTaskList = 0x02, tvAutoHide = 0x04,
                            tvVisibleDesign = 0x08, tvRestoreClick = 0x10, tvRestoreDbClick = 0x20,
                            tvMinimizeClick = 0x40, tvMinimizeDbClick = 0x80;

class TTrayIcon : public TComponentBase, public Window {
public:
    static constexpr UINT kCallbackMessage = 0x401;
    static constexpr UINT kIconId = 1;

    // `shell` makes the calls to the notification area, `host` is the
    // application the icon hides and shows; tests pass their own.
    explicit TTrayIcon(TComponent* owner, TrayShell shell = CurrentTrayShell(),
                       TrayHost& host = Application());
    ~TTrayIcon() override;

    // Properties, in the order in which an owner sets them while it loads.
    bool Active() const { return active_; }
    void SetActive(bool value);
    const TIcon& Icon() const { return icon_; }
    void SetIcon(const TIcon& icon);
    void SetIcon(HICON icon);
    const std::string& Hint() const { return hint_; }
    void SetHint(std::string value);
    TPopupMenu* PopupMenu() const { return popupMenu_; }
    void SetPopupMenu(TPopupMenu* value) { popupMenu_ = value; }
    TTrayVisibilities Visibility() const { return visibility_; }
    void SetVisibility(TTrayVisibilities value);
    TMouseEvent OnClick;
    TMouseEvent OnDblClick;
    // The shell restarted: the owner may renew the picture (the scale may
    // have changed meanwhile) before the icon is added again.
    TNotifyEvent OnTaskbarCreated;

    // Shows a balloon from the icon (Windows 10 and 11 make it a
    // notification): `title` up to 63 characters, `text` up to 255, with
    // the NIIF_* `flags`. False when the icon is not in the notification
    // area or the shell refused the balloon. Until the shell reports it
    // shown, an icon added anew (the shell restarted) carries it again.
    bool ShowBalloon(const std::string& title, const std::string& text, DWORD flags);
    // The shell has shown the balloon.
    TNotifyEvent OnBalloonShow;
    // The user clicked the balloon (or the notification it became).
    TNotifyEvent OnBalloonClick;

    // Side of the picture the notification area shows without stretching:
    // the small-icon size at the taskbar's display scale.
    int PictureSize() const;

    // The hidden top-level window that receives the shell's notifications.
    HWND MessageWindow() const { return Handle(); }

protected:
    LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override;

private:
    // The shell's notification: with version 4 the anchor point in `anchor`,
    // the event in the low word of `event`.
    LRESULT HandleCallback(WPARAM anchor, LPARAM event);

    void Activate();
    void Remove();
    void CheckTaskbar();
    void IconChanged();
    // Sends the record's `fields` to the shell; a refused change adds the
    // icon anew.
    void Modify(UINT fields);
    // Sends the tip when it differs from the one the shell has.
    void RefreshTip();
    void FillTip();
    void ShowMenu(TPopupMenu& menu, POINT at, bool fromKeyboard = false);
    void ShowApplication();
    void HideApplication();
    void InstallHook();
    void RemoveHook();
    BOOL Notify(DWORD message);

    TrayShell shell_;
    TrayHost& host_;
    bool active_ = false;
    bool added_ = false; // the shell took the icon
    TIcon icon_;
    NOTIFYICONDATAA data_{};
    std::string hint_;
    TPopupMenu* popupMenu_ = nullptr;
    bool applicationVisible_ = true;
    HWND taskbar_ = nullptr;
    TTrayVisibilities visibility_ = 0;
    std::string lastHintSent_;
    int hookId_ = 0;
    UINT taskbarCreated_ = 0;
    bool rightButtonReleased_ = false;
    bool keySelectSeen_ = false;
    DWORD lastKeySelect_ = 0;
};

} // namespace stilvane
