// What the organization's policies lock in the controller: the tray menu's
// items and their captions, the tip, blocking and the sound as stored for
// the blocker, the pause, quitting, and the editor. Read at start-up and
// again whenever the policy keys change or Group Policy announces a refresh;
// while blocking or the sound is locked, a value another program changes is
// put back at once.
#pragma once

#include "framework/failure_report.h"
#include "framework/registry_watch.h"
#include "settings/managed_record.h"
#include "settings/policy_store.h"
#include "ui/editor/managed_entries.h"
#include "ui/pause/pause_clock.h"

#include <windows.h>

#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <vector>

namespace stilvane {

class TForm_Stilvane;

class PolicyLocks {
public:
    PolicyLocks(TForm_Stilvane& form, PolicyStore store);
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
    void MarkLockedItems() const;
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
    // Writes blocking for the blocker unless it is stored so already.
    void StoreBlocking(bool on);
    // popup-exp.ini with the managed entries in, and those the policy
    // dropped out again; `held`: the open editor's list, whose entries are the
    // user's. Returns what changed in the file; raises EOperationError in the
    // user's language.
    ManagedChange KeepManagedEntries(const std::vector<std::string>& held);

    struct UsersBlocking {
        bool on;
        std::optional<PauseEnd> pause; // the pause that ran
    };

    TForm_Stilvane& form_;
    PolicyStore store_;
    ManagedRecord record_;
    Policies policies_;
    std::optional<UsersBlocking> usersBlocking_; // while blocking is locked
    FailureReport enforceFailure_, managedFailure_;
    std::function<void()> refresh_;
    std::unique_ptr<RegistryWatch> machineWatch_, userWatch_, sharedWatch_;
};

} // namespace stilvane
