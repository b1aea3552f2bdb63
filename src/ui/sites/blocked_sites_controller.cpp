#include "ui/sites/blocked_sites_controller.h"

#include "framework/application.h"
#include "framework/errors.h"
#include "framework/path.h"
#include "framework/registry.h"
#include "framework/system_error.h"
#include "framework/text.h"
#include "framework/wall_clock.h"
#include "settings/blocked_site.h"
#include "ui/editor/exceptions_file.h"
#include "ui/form_Stilvane.h"
#include "ui/sites/allow_site.h"
#include "ui/sites/site_texts.h"

namespace stilvane {

BlockedSitesController::BlockedSitesController(TForm_Stilvane& form)
    : form_(form), store_(form.state_.Root(), form.state_.Path()) {}

bool BlockedSitesController::Recording() const {
    return form_.PoliciesInForce().Allows(PolicyId::RecordBlockedSites);
}

bool BlockedSitesController::Editable() const {
    return form_.PoliciesInForce().Allows(PolicyId::ExceptionsEditable);
}

void BlockedSitesController::Start() {
    sites_ = Recording() ? store_.Read() : BlockedSites{};
    notify_ = form_.state_.ReadSwitch(kValueNotifyBlocked);
    UpdateMenu();
}

void BlockedSitesController::Blocked(const std::string& site) {
    if (site.empty())
        return;
    const UtcSeconds now = form_.clock_();
    if (Recording()) {
        failure_.Run([this, &site, now] {
            try {
                store_.Record(sites_, site, LocalDay(now));
            } catch (const ERegistryException& error) {
                throw EOperationError(FailureText(form_.texts_[TextKey::ErrorSites],
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
    const LanguageTexts& texts = form_.texts_;
    form_.TrayIcon1->ShowBalloon(Application().Title(),
                                 FittedSiteText(MayAllow(site) ? texts[TextKey::BalloonBlocked]
                                                               : texts[TextKey::BalloonBlockedOnly],
                                                site, longest),
                                 NIIF_USER | NIIF_RESPECT_QUIET_TIME);
}

void BlockedSitesController::Reload() {
    sites_ = Recording() ? store_.Read() : BlockedSites{};
    UpdateMenu();
}

void BlockedSitesController::ApplyPolicy() {
    if (!Recording()) {
        sites_ = {};
        failure_.Run([this] { form_.state_.ForgetSites(); });
    }
    UpdateMenu();
    // An open statistics window shows or hides its list at once.
    form_.Statistics->Update(form_.Figures());
}

void BlockedSitesController::UpdateMenu() {
    const LanguageTexts& texts = form_.texts_;
    MenuItem& recent = *form_.Recent;
    recent.Visible = Recording();
    recent.ClearItems();
    form_.Notify->Checked = notify_;
    if (sites_.recent.empty()) {
        recent.Add(texts[TextKey::SitesNone]).Enabled = false;
        return;
    }
    const bool editable = Editable();
    const std::string today = LocalDay(form_.clock_());
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
    form_.state_.WriteSwitch(kValueNotifyBlocked, !notify_);
    notify_ = !notify_;
    form_.Notify->Checked = notify_;
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
        Application().ShowPlainMessage(form_.texts_[TextKey::NoteManagedNow]);
        return true;
    };
    const std::string file = FileInDirectory(form_.programDirectory_, kExceptionsFileName);
    if (locked() || !AskToAllowSite(site, *form_.Editor, file, form_.texts_) || locked())
        return;
    AddAllowedSite(site, *form_.Editor, file);
}

std::vector<SiteTotal> BlockedSitesController::TopSites(const std::string& today) const {
    return Recording() ? stilvane::TopSites(sites_, today) : std::vector<SiteTotal>{};
}

} // namespace stilvane
