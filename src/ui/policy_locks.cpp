#include "ui/policy_locks.h"

#include "framework/application.h"
#include "framework/errors.h"
#include "framework/path.h"
#include "framework/system_error.h"
#include "framework/text.h"
#include "ui/exceptions_file.h"
#include "ui/exceptions_store.h"
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

void PolicyLocks::Apply() {
    TForm_Stilvane& form = form_;
    form.Block->Enabled = !policies_.Locked(PolicyId::Blocking);
    form.Sound->Enabled = !policies_.Locked(PolicyId::Sound);
    form.Beenden1->Enabled = policies_.Allows(PolicyId::AllowQuit);
    form.ApplyTexts();
    // A pause the policies no longer allow ends: under locked blocking the
    // lock decides what is stored, else the pause ends as at its time.
    if (form.pause_.Running() && !PauseOffered()) {
        if (policies_.Locked(PolicyId::Blocking))
            form.pause_.Forget();
        else
            try {
                form.EndPause();
            } catch (const std::exception& error) {
                Application().ShowExceptionLater(error);
            }
    }
    // While blocking or the sound is locked, what others write is seen at once.
    if (!policies_.Locked(PolicyId::Blocking) && !policies_.Locked(PolicyId::Sound))
        sharedWatch_.reset();
    else if (!sharedWatch_)
        sharedWatch_ =
            std::make_unique<RegistryWatch>(form.settings_.Root(), form.settings_.Path(), refresh_);
    Enforce();
    // Edits a lock drops are not the user's to keep.
    const bool readOnly = !policies_.Allows(PolicyId::ExceptionsEditable);
    const ManagedChange change =
        KeepManagedEntries(readOnly ? std::vector<std::string>{} : form.Editor->HeldEntries());
    form.Editor->SetPolicy(readOnly, policies_.managedExceptions, change);
    form.UpdateTrayIcon();
}

void PolicyLocks::Enforce() {
    TForm_Stilvane& form = form_;
    try {
        // The sound first: a key deleted meanwhile is made anew with it.
        if (const auto on = policies_.Switch(PolicyId::Sound)) {
            form.Sound->Checked = *on;
            if (!form.settings_.SoundStoredAs(*on))
                form.WriteSound(*on);
        }
        if (const auto on = policies_.Switch(PolicyId::Blocking)) {
            if (*on ? !form.settings_.ReadBlocking() : !form.settings_.BlockingStoredAsOff())
                form.WriteBlocking(*on);
            if (form.Block->Checked != *on) {
                form.Block->Checked = *on;
                // The blocked picture keeps its two seconds.
                if (form.BlockShownAt == 0)
                    form.UpdateTrayIcon();
            }
        }
        enforceFailureShown_ = false;
    } catch (const std::exception& error) {
        // Told once, until a write succeeds again.
        if (!std::exchange(enforceFailureShown_, true))
            Application().ShowExceptionLater(error);
    }
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
        ShowLater(FailureText(form_.texts_.errorManaged, file, error));
        // Whatever was written stays in the file; the open editor sees it
        // when it saves.
        return {};
    }
    return change;
}

void PolicyLocks::ShowLater(const std::string& message) {
    // Shown after the handler: applying a policy never waits on a person.
    Application().ShowExceptionLater(EOperationError(message));
}

void PolicyLocks::MarkLockedItems() const {
    const auto mark = [this](MenuItem* item, bool locked) {
        if (locked)
            (item->Caption += ' ') += form_.texts_.policyLocked;
    };
    mark(form_.Block, policies_.Locked(PolicyId::Blocking));
    mark(form_.Pause, !PauseOffered());
    mark(form_.Sound, policies_.Locked(PolicyId::Sound));
    mark(form_.Beenden1, !policies_.Allows(PolicyId::AllowQuit));
}

std::string PolicyLocks::TipRow(const std::string& row) const {
    std::string marked = row;
    if (policies_.Locked(PolicyId::Blocking))
        (marked += ' ') += form_.texts_.policyLocked;
    return marked;
}

bool PolicyLocks::PauseOffered() const {
    return policies_.Allows(PolicyId::AllowPause) && !policies_.Locked(PolicyId::Blocking);
}

} // namespace stilvane
