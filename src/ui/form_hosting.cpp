// The main window as the policies' locks and the blocked sites see it: what
// they change of the user's state, the menu, the tray and the editor goes
// through here.
#include "framework/loop/application.h"
#include "ui/form_Stilvane.h"

namespace stilvane {

void TForm_Stilvane::RefreshMenu() {
    const Policies& policies = PoliciesInForce();
    Block->Enabled = !policies.Locked(PolicyId::Blocking);
    Sound->Enabled = !policies.Locked(PolicyId::Sound);
    Beenden1->Enabled = policies.Allows(PolicyId::AllowQuit);
    ApplyTexts();
}

void TForm_Stilvane::RefreshTray() {
    sites_->ApplyPolicy();
    UpdateTrayIcon();
}

PolicyWindow::HeldBlocking TForm_Stilvane::HoldBlocking() {
    HeldBlocking held{Block->Checked, pause_.End()};
    if (pause_.Running())
        pause_.Forget();
    return held;
}

void TForm_Stilvane::GiveBlockingBack(const HeldBlocking& held) {
    if (held.pause && !PauseOver(*held.pause, clock_()) && policy_->PauseOffered())
        return BeginPause(*held.pause);
    const bool on = held.on || held.pause.has_value();
    StoreBlocking(on);
    Block->Checked = on;
    UpdateTrayIcon();
}

void TForm_Stilvane::KeepBlocking(bool on) {
    StoreBlocking(on);
    if (Block->Checked == on)
        return;
    Block->Checked = on;
    // The blocked picture keeps its two seconds.
    if (BlockShownAt == 0)
        UpdateTrayIcon();
}

void TForm_Stilvane::KeepSound(bool on) {
    Sound->Checked = on;
    if (!settings_.SoundStoredAs(on))
        WriteSound(on);
}

void TForm_Stilvane::StoreBlocking(bool on) {
    if (on ? !settings_.ReadBlocking() : !settings_.BlockingStoredAsOff())
        WriteBlocking(on);
}

void TForm_Stilvane::EndRunningPause() {
    if (pause_.Running())
        Application().RunHandler([this] { EndPause(); });
}

void TForm_Stilvane::ShowNotification(const std::string& text) {
    TrayIcon1->ShowBalloon(Application().Title(), text, NIIF_USER | NIIF_RESPECT_QUIET_TIME);
}

std::vector<std::string> TForm_Stilvane::HeldExceptions() const {
    const ExceptionsEditor* editor = Editor.IfMade();
    return editor ? editor->HeldEntries() : std::vector<std::string>{};
}

void TForm_Stilvane::SetExceptionsPolicy(bool readOnly, const std::vector<std::string>& managed,
                                         const ManagedChange& fileChange) {
    exceptionsReadOnly_ = readOnly;
    managedExceptions_ = managed;
    // An editor not made yet has no session to change: it takes the
    // decisions when it is made. The caption tells them already.
    if (ExceptionsEditor* editor = Editor.IfMade())
        editor->SetPolicy(readOnly, managed, fileChange);
    else
        ::SetWindowTextA(Handle(), EditorCaption(texts_, readOnly, !managed.empty()).c_str());
}

void TForm_Stilvane::RefreshStatistics() {
    Statistics->Update(Figures());
}

} // namespace stilvane
