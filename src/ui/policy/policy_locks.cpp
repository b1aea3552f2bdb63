#include "ui/policy/policy_locks.h"

#include "framework/portable/errors.h"
#include "framework/portable/path.h"
#include "framework/portable/text.h"
#include "framework/system/system_error.h"
#include "ui/editor/exceptions_editor.h"
#include "ui/editor/exceptions_file.h"
#include "ui/editor/exceptions_store.h"

#include <algorithm>
#include <cstring>
#include <utility>

namespace stilvane {

PolicyLocks::PolicyLocks(PolicyWindow& window, const SharedSettings& settings,
                         const ControllerState& state, const LanguageTexts& texts,
                         std::string programDirectory, PolicyStore store)
    : window_(window), settings_(settings), texts_(texts),
      programDirectory_(std::move(programDirectory)), store_(std::move(store)),
      record_(state.Root(), state.Path()) {}

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
    window_.RefreshMenu();
    HoldUsersBlocking();
    // A pause the policies no longer allow ends as at its time.
    if (!PauseOffered())
        window_.EndRunningPause();
    // While blocking or the sound is locked, what others write is seen at once.
    if (!policies_.Locked(PolicyId::Blocking) && !policies_.Locked(PolicyId::Sound))
        sharedWatch_.reset();
    else if (!sharedWatch_)
        sharedWatch_ =
            std::make_unique<RegistryWatch>(settings_.Root(), settings_.Path(), refresh_, false);
    Enforce();
    // Edits a lock drops are not the user's to keep.
    const bool readOnly = !policies_.Allows(PolicyId::ExceptionsEditable);
    ManagedChange change;
    // Told once, after the handler, until the file takes the entries again;
    // whatever was written stays in the file, and the open editor sees it
    // when it saves.
    managedFailure_.Run([&] {
        change =
            KeepManagedEntries(readOnly ? std::vector<std::string>{} : window_.HeldExceptions());
    });
    window_.SetExceptionsPolicy(readOnly, policies_.managedExceptions, change);
    window_.RefreshTray();
    // Last: should it fail, the policies have been applied all the same.
    GiveUsersBlockingBack();
}

void PolicyLocks::HoldUsersBlocking() {
    if (!policies_.Locked(PolicyId::Blocking) || usersBlocking_)
        return;
    // The lock decides what is stored; the pause waits with the choice.
    usersBlocking_ = window_.HoldBlocking();
}

void PolicyLocks::GiveUsersBlockingBack() {
    if (policies_.Locked(PolicyId::Blocking) || !usersBlocking_)
        return;
    window_.GiveBlockingBack(*std::exchange(usersBlocking_, std::nullopt));
}

void PolicyLocks::Enforce() {
    enforceFailure_.Run([this] {
        // The sound first: a key deleted meanwhile is made anew with it.
        if (const auto on = policies_.Switch(PolicyId::Sound))
            window_.KeepSound(*on);
        if (const auto on = policies_.Switch(PolicyId::Blocking))
            window_.KeepBlocking(*on);
    });
}

ManagedChange PolicyLocks::KeepManagedEntries(const std::vector<std::string>& held) {
    const std::string file = FileInDirectory(programDirectory_, kExceptionsFileName);
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
        throw EOperationError(FailureText(texts_[TextKey::ErrorManaged], file, error));
    }
    return change;
}

void PolicyLocks::MarkLockedItems(MenuItem& block, MenuItem& pause, MenuItem& sound,
                                  MenuItem& quit) const {
    const auto mark = [this](MenuItem& item, bool locked) {
        if (locked)
            (item.Caption += ' ') += texts_[TextKey::PolicyLocked];
    };
    mark(block, policies_.Locked(PolicyId::Blocking));
    mark(pause, !PauseOffered());
    mark(sound, policies_.Locked(PolicyId::Sound));
    mark(quit, !policies_.Allows(PolicyId::AllowQuit));
}

std::string PolicyLocks::TipRow(const std::string& row) const {
    std::string marked = row;
    if (policies_.Locked(PolicyId::Blocking))
        (marked += ' ') += texts_[TextKey::PolicyLocked];
    return marked;
}

bool PolicyLocks::PauseOffered() const {
    return policies_.Allows(PolicyId::AllowPause) && !policies_.Locked(PolicyId::Blocking);
}

} // namespace stilvane
