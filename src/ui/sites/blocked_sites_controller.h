// The sites popups were blocked on, in the controller: each block's site
// recorded (unless the organization turned that off), the tray's submenu of
// the sites blocked last, the notification the user may ask for, and
// allowing a site from any of them in one click.
#pragma once

#include "framework/gui/menu.h"
#include "framework/loop/failure_report.h"
#include "framework/portable/civil_time.h"
#include "settings/language/language_texts.h"
#include "settings/policy/policies.h"
#include "settings/records/blocked_sites.h"
#include "settings/records/blocked_sites_store.h"
#include "settings/records/controller_state.h"
#include "settings/records/notification_pace.h"

#include <functional>
#include <string>
#include <vector>

namespace stilvane {

class ExceptionsEditor;

// What the sites' controller asks of the window whose menu, tray and editor
// show the sites.
class SitesWindow {
public:
    virtual const Policies& PoliciesInForce() const = 0;
    // The submenu of the sites blocked last, and the check item of the
    // notifications.
    virtual MenuItem& RecentSitesMenu() = 0;
    virtual MenuItem& NotifyItem() = 0;
    // Tells of a block in the tray's notification.
    virtual void ShowNotification(const std::string& text) = 0;
    // An open statistics window shows the records as they are now.
    virtual void RefreshStatistics() = 0;
    // The exceptions editor, open or not, which takes an allowed site.
    virtual ExceptionsEditor& ListEditor() = 0;

protected:
    ~SitesWindow() = default;
};

// In the controller's key: REG_DWORD 1 while the user wants to be told of
// each block; anything else is off.
constexpr char kValueNotifyBlocked[] = "NotifyBlocked";

// The longest a site is shown in Recently blocked (ShortSite).
constexpr std::size_t kLongestSiteInMenu = 48;

class BlockedSitesController {
public:
    // The state, the texts and the clock are the window's and outlive the
    // controller; `exceptionsFile` takes the sites allowed.
    BlockedSitesController(SitesWindow& window, const ControllerState& state,
                           const LanguageTexts& texts, const std::function<UtcSeconds()>& clock,
                           std::string exceptionsFile);
    BlockedSitesController(const BlockedSitesController&) = delete;
    BlockedSitesController& operator=(const BlockedSitesController&) = delete;

    // The records and the choice of notifications as stored.
    void Start();
    // A block the tick took; `site` is empty when the blocker named none.
    // A record that cannot be written is told once, after the tick.
    void Blocked(const std::string& site);
    // The records as stored now, as after Reset count.
    void Reload();
    // The policies changed: with recording off the records go.
    void ApplyPolicy();
    // The submenu and the check item as the records and policies are now.
    void UpdateMenu();

    // The check item: notifications on or off, kept in the controller's key.
    void NotifyClick();
    // The notification was clicked: its site is offered.
    void BalloonClick();
    // Asks whether to allow popups from `site` (allow_site.h); nothing for a
    // public suffix. While the organization keeps the list, before the
    // question or after its answer, says so and adds nothing.
    void Allow(const std::string& site);

    bool Recording() const;
    bool Notifying() const { return notify_; }
    const BlockedSites& Records() const { return sites_; }
    // The sites blocked most lately, most first; none while not recording.
    std::vector<SiteTotal> TopSites(const std::string& today) const;

private:
    bool Editable() const;

    SitesWindow& window_;
    const ControllerState& state_;
    const LanguageTexts& texts_;
    const std::function<UtcSeconds()>& clock_;
    std::string exceptionsFile_;
    BlockedSitesStore store_;
    BlockedSites sites_;
    NotificationPace pace_;
    bool notify_ = false;
    std::string balloonSite_; // the site of the last notification shown
    FailureReport failure_;
};

} // namespace stilvane
