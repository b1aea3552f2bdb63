// What the organization's policies lock in the controller: the tray menu's
// items and their captions, the tip, blocking and the sound as stored for
// the blocker, the pause, quitting, and the editor. Read at start-up and
// again whenever the policy keys change or Group Policy announces a refresh;
// while blocking or the sound is locked, a value another program changes is
// put back at once.
#pragma once

#include "framework/gui/menu.h"
#include "framework/loop/failure_report.h"
#include "framework/loop/registry_watch.h"
#include "settings/language/language_texts.h"
#include "settings/policy/managed_record.h"
#include "settings/policy/policy_store.h"
#include "settings/records/controller_state.h"
#include "settings/shared_settings.h"
#include "ui/editor/managed_entries.h"
#include "ui/pause/pause_clock.h"

#include <windows.h>

#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <vector>

namespace stilvane {

// What the locks ask of the window that holds the user's state, its menu,
// its tray and the editor: they change that state only through it.
class PolicyWindow {
public:
    // The user's own blocking, held while a policy locks it.
    struct HeldBlocking {
        bool on;
        std::optional<PauseEnd> pause; // the pause that ran
    };

    // The tray menu's items enabled and captioned as the policies say.
    virtual void RefreshMenu() = 0;
    // The tray's picture and tip, and the blocked sites' records and menu,
    // as the policies say.
    virtual void RefreshTray() = 0;
    // Takes the user's blocking out of the lock's way: a running pause is
    // held, not ended.
    virtual HeldBlocking HoldBlocking() = 0;
    // Blocking as the user had it: a pause still running goes on (while
    // pauses are offered); one whose end passed meanwhile is over, and
    // blocking is back on as after any pause.
    virtual void GiveBlockingBack(const HeldBlocking& held) = 0;
    // Blocking or the sound as locked: stored for the blocker unless it is
    // so already, and checked.
    virtual void KeepBlocking(bool on) = 0;
    virtual void KeepSound(bool on) = 0;
    // Ends a running pause as at its time; its failure is shown after the
    // handler.
    virtual void EndRunningPause() = 0;
    // The entries of the exceptions editor's open session, saved or not;
    // none without one.
    virtual std::vector<std::string> HeldExceptions() const = 0;
    // What the policies decide of the exceptions list, for the editor
    // (ExceptionsEditor::SetPolicy), made or not.
    virtual void SetExceptionsPolicy(bool readOnly, const std::vector<std::string>& managed,
                                     const ManagedChange& fileChange) = 0;

protected:
    ~PolicyWindow() = default;
};

class PolicyLocks {
public:
    // The settings, the state and the texts are the window's and outlive
    // the locks; the exceptions file is in `programDirectory`.
    PolicyLocks(PolicyWindow& window, const SharedSettings& settings, const ControllerState& state,
                const LanguageTexts& texts, std::string programDirectory, PolicyStore store);
    ~PolicyLocks();
    PolicyLocks(const PolicyLocks&) = delete;
    PolicyLocks& operator=(const PolicyLocks&) = delete;

    const Policies& Current() const { return policies_; }

    // Watches the policy keys, then reads and applies every policy.
    void Start();
    // Reads the policies again and applies them when they changed (or
    // `applyAll`); the locked values are put back either way.
    void Reload(bool applyAll = false);
    // WM_SETTINGCHANGE: after a refresh Group Policy names "Policy".
    void SettingChanged(LPARAM lParam);
    // Watches anew keys that went or came unnoticed, and reads the policies
    // again when any did.
    void RecheckWatches();
    // Blocking and the sound as locked: the stored values put back, the
    // check marks set.
    void Enforce();

    // Captions of the locked items say who set them.
    void MarkLockedItems(MenuItem& block, MenuItem& pause, MenuItem& sound, MenuItem& quit) const;
    // The tip's first row, which says so while blocking is locked.
    std::string TipRow(const std::string& row) const;
    // Whether the pause submenu may be offered at all.
    bool PauseOffered() const;

private:
    void Apply();
    // While blocking is locked the user's own blocking waits, and comes back
    // when the lock goes; a failure to write it is the caller's to show.
    void HoldUsersBlocking();
    void GiveUsersBlockingBack();
    // popup-exp.ini with the managed entries in, and those the policy
    // dropped out again; `held`: the open editor's list, whose entries are the
    // user's. Returns what changed in the file; raises EOperationError in the
    // user's language.
    ManagedChange KeepManagedEntries(const std::vector<std::string>& held);

    PolicyWindow& window_;
    const SharedSettings& settings_;
    const LanguageTexts& texts_;
    std::string programDirectory_;
    PolicyStore store_;
    ManagedRecord record_;
    Policies policies_;
    std::optional<PolicyWindow::HeldBlocking> usersBlocking_; // while blocking is locked
    FailureReport enforceFailure_, managedFailure_;
    std::function<void()> refresh_;
    std::unique_ptr<RegistryWatch> machineWatch_, userWatch_, sharedWatch_;
};

} // namespace stilvane
