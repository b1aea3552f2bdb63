#include "ui/policy/policy_locks.h"

#include "framework/application.h"
#include "framework/errors.h"
#include "framework/path.h"
#include "framework/system_error.h"
#include "framework/text.h"
#include "ui/editor/exceptions_file.h"
#include "ui/editor/exceptions_store.h"
#include "ui/form_Stilvane.h"

#include <algorithm>
#include <cstring>
#include <utility>

namespace stilvane {

PolicyLocks::PolicyLocks(TForm_Stilvane& form, PolicyStore store)
    : form_(form), store_(std::move(store)), record_(form.state_.Root(), form.state_.Path()) {}

PolicyLocks::~PolicyLocks() = default;

void PolicyLocks::Start() {
    // One callback for every key: the policies read anew, the locks kept.
    refresh_ = [this] { Reload(); };
    machineWatch_ = std::make_unique<RegistryWatch>(HKEY_LOCAL_MACHINE, store_.Path(), refresh_);
    userWatch_ = std::make_unique<RegistryWatch>(HKEY_CURRENT_USER, store_.Path(), refresh_);
    // Also with no policy at all: one may have been dropped since the last run.
    Reload(true);
}

void PolicyLocks::Reload(bool applyAll) {
    Policies policies = store_.Read();
    if (!applyAll && policies == policies_)
        return Enforce();
    policies_ = std::move(policies);
    Apply();
}

void PolicyLocks::SettingChanged(LPARAM lParam) {
    if (lParam && std::strcmp(reinterpret_cast<const char*>(lParam), "Policy") == 0)
        Reload();
}

void PolicyLocks::RecheckWatches() {
    bool missed = false;
    for (RegistryWatch* watch : {machineWatch_.get(), userWatch_.get(), sharedWatch_.get()})
        missed = (watch && watch->Recheck()) || missed;
    if (missed)
        Reload();
}

void PolicyLocks::Apply() {
    TForm_Stilvane& form = form_;
    form.Block->Enabled = !policies_.Locked(PolicyId::Blocking);
    form.Sound->Enabled = !policies_.Locked(PolicyId::Sound);
    form.Beenden1->Enabled = policies_.Allows(PolicyId::AllowQuit);
    form.ApplyTexts();
    HoldUsersBlocking();
    // A pause the policies no longer allow ends as at its time.
    if (form.pause_.Running() && !PauseOffered())
        Application().RunHandler([&form] { form.EndPause(); });
    // While blocking or the sound is locked, what others write is seen at once.
    if (!policies_.Locked(PolicyId::Blocking) && !policies_.Locked(PolicyId::Sound))
        sharedWatch_.reset();
    else if (!sharedWatch_)
        sharedWatch_ = std::make_unique<RegistryWatch>(form.settings_.Root(), form.settings_.Path(),
                                                       refresh_, false);
    Enforce();
    // Edits a lock drops are not the user's to keep.
    const bool readOnly = !policies_.Allows(PolicyId::ExceptionsEditable);
    ManagedChange change;
    // Told once, after the handler, until the file takes the entries again;
    // whatever was written stays in the file, and the open editor sees it
    // when it saves.
    managedFailure_.Run([&] {
        change =
            KeepManagedEntries(readOnly ? std::vector<std::string>{} : form.Editor->HeldEntries());
    });
    form.Editor->SetPolicy(readOnly, policies_.managedExceptions, change);
    form.sites_->ApplyPolicy();
    form.UpdateTrayIcon();
    // Last: should it fail, the policies have been applied all the same.
    GiveUsersBlockingBack();
}

void PolicyLocks::HoldUsersBlocking() {
    TForm_Stilvane& form = form_;
    if (!policies_.Locked(PolicyId::Blocking) || usersBlocking_)
        return;
    // The lock decides what is stored; the pause waits with the choice.
    usersBlocking_ = UsersBlocking{form.Block->Checked, form.pause_.End()};
    if (form.pause_.Running())
        form.pause_.Forget();
}

void PolicyLocks::GiveUsersBlockingBack() {
    TForm_Stilvane& form = form_;
    if (policies_.Locked(PolicyId::Blocking) || !usersBlocking_)
        return;
    const UsersBlocking before = *std::exchange(usersBlocking_, std::nullopt);
    // A pause still running goes on; one whose end passed meanwhile is over,
    // and blocking is back on as after any pause.
    if (before.pause && !PauseOver(*before.pause, form.clock_()) && PauseOffered())
        return form.BeginPause(*before.pause);
    const bool on = before.on || before.pause.has_value();
    StoreBlocking(on);
    form.Block->Checked = on;
    form.UpdateTrayIcon();
}

void PolicyLocks::Enforce() {
    TForm_Stilvane& form = form_;
    enforceFailure_.Run([this, &form] {
        // The sound first: a key deleted meanwhile is made anew with it.
        if (const auto on = policies_.Switch(PolicyId::Sound)) {
            form.Sound->Checked = *on;
            if (!form.settings_.SoundStoredAs(*on))
                form.WriteSound(*on);
        }
        if (const auto on = policies_.Switch(PolicyId::Blocking)) {
            StoreBlocking(*on);
            if (form.Block->Checked != *on) {
                form.Block->Checked = *on;
                // The blocked picture keeps its two seconds.
                if (form.BlockShownAt == 0)
                    form.UpdateTrayIcon();
            }
        }
    });
}

void PolicyLocks::StoreBlocking(bool on) {
    if (on ? !form_.settings_.ReadBlocking() : !form_.settings_.BlockingStoredAsOff())
        form_.WriteBlocking(on);
}

ManagedChange PolicyLocks::KeepManagedEntries(const std::vector<std::string>& held) {
    const std::string file = FileInDirectory(form_.programDirectory_, kExceptionsFileName);
    ManagedChange change;
    try {
        const std::vector<std::string> record = record_.Read();
        if (policies_.managedExceptions.empty() && record.empty())
            return change;
        const StoredExceptions stored = LoadExceptions(file);
        change = PlanManagedEntries(stored.Entries(), policies_.managedExceptions, record, held);
        if (change.Changed()) {
            // Characters the blocker's file cannot hold, and a file read by
            // guess, survive beside it, as when the editor saves.
            if (stored.guessed || std::any_of(stored.lines.begin(), stored.lines.end(),
                                              [](const AnsiLine& line) { return line.lossy; }))
                ReplaceFileContent(file + ".bak", stored.bytes);
            // Written first: a record that fails to follow keeps an entry
            // rather than taking out one of the user's.
            SaveExceptions(file, change.entries);
        }
        if (change.record != record)
            record_.Write(change.record);
    } catch (const Exception& error) {
        throw EOperationError(FailureText(form_.texts_[TextKey::ErrorManaged], file, error));
    }
    return change;
}

void PolicyLocks::MarkLockedItems() const {
    const auto mark = [this](MenuItem* item, bool locked) {
        if (locked)
            (item->Caption += ' ') += form_.texts_[TextKey::PolicyLocked];
    };
    mark(form_.Block, policies_.Locked(PolicyId::Blocking));
    mark(form_.Pause, !PauseOffered());
    mark(form_.Sound, policies_.Locked(PolicyId::Sound));
    mark(form_.Beenden1, !policies_.Allows(PolicyId::AllowQuit));
}

std::string PolicyLocks::TipRow(const std::string& row) const {
    std::string marked = row;
    if (policies_.Locked(PolicyId::Blocking))
        (marked += ' ') += form_.texts_[TextKey::PolicyLocked];
    return marked;
}

bool PolicyLocks::PauseOffered() const {
    return policies_.Allows(PolicyId::AllowPause) && !policies_.Locked(PolicyId::Blocking);
}

} // namespace stilvane
