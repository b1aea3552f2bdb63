// The first start ever shows one balloon from the tray icon: the program
// runs in the notification area, and its menu is on the icon. On Windows 11
// a new icon starts out hidden in the overflow, and nothing else shows.
#pragma once

#include "components/TrayIcon.h"
#include "settings/records/controller_state.h"

#include <string>

namespace stilvane {

// In the controller's key: REG_DWORD 1 once the balloon was shown.
constexpr char kValueWelcomed[] = "Welcomed";

// Shows the balloon, titled `title`, unless `state` records that it was
// shown. Sign-ins and upgrades keep the record: it is shown once in the
// program's life on a machine.
void WelcomeOnFirstStart(TTrayIcon& icon, const ControllerState& state, const std::string& title,
                         const std::string& text);
// The tray icon's OnBalloonShow: records the balloon as shown once the shell
// reports it shown, not before, as a restart of the shell may take it away
// first.
struct WelcomeShown {
    const ControllerState* state;
    void operator()(TComponent* sender) const;
};

} // namespace stilvane
