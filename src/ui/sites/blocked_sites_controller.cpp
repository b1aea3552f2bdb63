#include "ui/sites/blocked_sites_controller.h"

#include "framework/loop/application.h"
#include "framework/loop/wall_clock.h"
#include "framework/portable/errors.h"
#include "framework/portable/text.h"
#include "framework/system/registry.h"
#include "framework/system/system_error.h"
#include "settings/site_rule/blocked_site.h"
#include "ui/sites/allow_site.h"
#include "ui/sites/site_texts.h"

#include <windows.h>

#include <shellapi.h>

namespace stilvane {

BlockedSitesController::BlockedSitesController(SitesWindow& window, const ControllerState& state,
                                               const LanguageTexts& texts,
                                               const std::function<UtcSeconds()>& clock,
                                               std::string exceptionsFile)
    : window_(window), state_(state), texts_(texts), clock_(clock),
      exceptionsFile_(std::move(exceptionsFile)), store_(state.Root(), state.Path()) {}

bool BlockedSitesController::Recording() const {
    return window_.PoliciesInForce().Allows(PolicyId::RecordBlockedSites);
}

bool BlockedSitesController::Editable() const {
    return window_.PoliciesInForce().Allows(PolicyId::ExceptionsEditable);
}

void BlockedSitesController::Start() {
    sites_ = Recording() ? store_.Read() : BlockedSites{};
    notify_ = state_.ReadSwitch(kValueNotifyBlocked);
    UpdateMenu();
}

void BlockedSitesController::Blocked(const std::string& site) {
    if (site.empty())
        return;
    const UtcSeconds now = clock_();
    if (Recording()) {
        failure_.Run([this, &site, now] {
            try {
                store_.Record(sites_, site, LocalDay(now));
            } catch (const ERegistryException& error) {
                throw EOperationError(FailureText(texts_[TextKey::ErrorSites],
                                                  KeyName(store_.Root(), store_.Path()), error));
            }
        });
        UpdateMenu();
    }
    // The notification offers a click that allows the site: not while the
    // organization keeps the list. Of a public suffix it only tells.
    if (!notify_ || !Editable() || !pace_.Allow(site, now))
        return;
    balloonSite_ = site;
    const std::size_t longest = sizeof NOTIFYICONDATAA{}.szInfo - 1;
    window_.ShowNotification(FittedSiteText(MayAllow(site) ? texts_[TextKey::BalloonBlocked]
                                                           : texts_[TextKey::BalloonBlockedOnly],
                                            site, longest));
}

void BlockedSitesController::Reload() {
    sites_ = Recording() ? store_.Read() : BlockedSites{};
    UpdateMenu();
}

void BlockedSitesController::ApplyPolicy() {
    if (!Recording()) {
        sites_ = {};
        failure_.Run([this] { state_.ForgetSites(); });
    }
    UpdateMenu();
    // An open statistics window shows or hides its list at once.
    window_.RefreshStatistics();
}

void BlockedSitesController::UpdateMenu() {
    const LanguageTexts& texts = texts_;
    MenuItem& recent = window_.RecentSitesMenu();
    recent.Visible = Recording();
    recent.ClearItems();
    window_.NotifyItem().Checked = notify_;
    if (sites_.recent.empty()) {
        recent.Add(texts[TextKey::SitesNone]).Enabled = false;
        return;
    }
    const bool editable = Editable();
    const std::string today = LocalDay(clock_());
    for (const std::string& site : sites_.recent) {
        std::string caption =
            FillIn(texts[TextKey::SitesToday], ShortSite(site, kLongestSiteInMenu),
                   std::to_string(SiteBlockedOn(sites_, site, today)));
        const bool allowable = MayAllow(site);
        if (!allowable)
            (caption += ' ') += texts[TextKey::SitesPublicSuffix];
        else if (!editable)
            (caption += ' ') += texts[TextKey::PolicyLocked];
        recent.Add(std::move(caption), [this, site](TComponent*) { Allow(site); }).Enabled =
            editable && allowable;
    }
}

void BlockedSitesController::NotifyClick() {
    state_.WriteSwitch(kValueNotifyBlocked, !notify_);
    notify_ = !notify_;
    window_.NotifyItem().Checked = notify_;
}

void BlockedSitesController::BalloonClick() {
    Allow(balloonSite_);
}

void BlockedSitesController::Allow(const std::string& site) {
    if (!MayAllow(site))
        return;
    // The organization may take the list over at any time, also while the
    // question waits for its answer: then nothing is added.
    const auto locked = [this] {
        if (Editable())
            return false;
        Application().ShowPlainMessage(texts_[TextKey::NoteManagedNow]);
        return true;
    };
    if (locked() || !AskToAllowSite(site, window_.ListEditor(), exceptionsFile_, texts_) ||
        locked())
        return;
    AddAllowedSite(site, window_.ListEditor(), exceptionsFile_);
}

std::vector<SiteTotal> BlockedSitesController::TopSites(const std::string& today) const {
    return Recording() ? stilvane::TopSites(sites_, today) : std::vector<SiteTotal>{};
}

} // namespace stilvane
