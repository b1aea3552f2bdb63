// The main window's blocking, timed pause and sound: the tray menu's items,
// what they store for the blocker, and blocking as stored by others.
#include "framework/portable/errors.h"
#include "framework/system/registry.h"
#include "framework/system/system_error.h"
#include "ui/form_Stilvane.h"

namespace stilvane {

std::string TForm_Stilvane::SharedKeyName() const {
    return KeyName(settings_.Root(), settings_.Path());
}

void TForm_Stilvane::RefreshBlocking() {
    if (PoliciesInForce().Locked(PolicyId::Blocking))
        return policy_->Enforce();
    const bool stored = settings_.ReadBlocking();
    // Switched on by someone else: the pause is over.
    if (stored && pause_.Running())
        pause_.Forget();
    if (stored == Block->Checked)
        return;
    Block->Checked = stored;
    // The blocked picture keeps its two seconds; the state's picture follows.
    if (BlockShownAt == 0)
        UpdateTrayIcon();
}

void TForm_Stilvane::TakeOutsideChanges() {
    // Made anew (a cleanup tool, a profile reset): the blocker must find the
    // folder again, and the sound as the start leaves it. A key that is gone
    // stays gone until someone makes it.
    if (settings_.KeyExists() && !settings_.ProgramDirectoryPublished()) {
        settings_.PublishProgramDirectory(programDirectory_);
        if (!PoliciesInForce().Locked(PolicyId::Sound))
            Sound->Checked = settings_.NormaliseSound();
    }
    if (!PoliciesInForce().Locked(PolicyId::Sound))
        Sound->Checked = settings_.ReadSound();
    RefreshBlocking();
}

void TForm_Stilvane::WriteShared(const std::function<void()>& write, bool soundOn) {
    const bool republish = !settings_.ProgramDirectoryPublished();
    write();
    if (republish) {
        settings_.PublishProgramDirectory(programDirectory_);
        settings_.WriteSound(soundOn);
    }
}

// The check marks change only once the blocker can see the new value: a
// failed write leaves the menu and the icon telling what is stored. The
// toggle starts from the stored value, which another program may have
// changed since the menu was drawn.
void TForm_Stilvane::BlockClick(TComponent*) {
    if (pause_.Running()) {
        EndPause(true);
        return;
    }
    RefreshBlocking();
    const bool on = !Block->Checked;
    WriteBlocking(on);
    Block->Checked = on;
    UpdateTrayIcon();
}

void TForm_Stilvane::WriteBlocking(bool on) {
    WriteShared([&] { settings_.WriteBlocking(on); }, Sound->Checked);
}

void TForm_Stilvane::PauseClick(TComponent* sender) {
    const PauseLength length = sender == Pause5    ? PauseLength::Minutes5
                               : sender == Pause15 ? PauseLength::Minutes15
                               : sender == Pause60 ? PauseLength::Hour1
                                                   : PauseLength::UntilSignIn;
    BeginPause(PauseEndFor(length, clock_()));
}

void TForm_Stilvane::BeginPause(PauseEnd end) {
    pause_.Begin(end, [this] {
        try {
            WriteBlocking(false);
        } catch (const ERegistryException& error) {
            throw EOperationError(
                FailureText(texts_[TextKey::ErrorPauseStart], SharedKeyName(), error));
        }
    });
    Block->Checked = false;
    UpdateTrayIcon();
    // Its end is due in time.
    ScheduleLooks(false);
}

void TForm_Stilvane::EndPause(bool byUser) {
    // Another program may have set blocking since the pause began; its
    // choice stays.
    bool on = true;
    try {
        if (byUser || settings_.BlockingStoredAsOff())
            WriteBlocking(true);
        else
            on = settings_.ReadBlocking();
    } catch (const ERegistryException& error) {
        throw EOperationError(FailureText(texts_[TextKey::ErrorPauseEnd], SharedKeyName(), error));
    }
    pause_.Forget();
    Block->Checked = on;
    UpdateTrayIcon();
}

void TForm_Stilvane::SoundClick(TComponent*) {
    const bool on = !Sound->Checked;
    WriteSound(on);
    Sound->Checked = on;
}

void TForm_Stilvane::WriteSound(bool on) {
    WriteShared([&] { settings_.WriteSound(on); }, on);
}

} // namespace stilvane
