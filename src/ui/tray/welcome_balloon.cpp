#include "ui/tray/welcome_balloon.h"

#include "framework/portable/errors.h"
#include "framework/system/registry.h"
#include "settings/registry_number.h"

namespace stilvane {

namespace {

// Any record but a REG_DWORD 0 counts, also one of another kind: someone
// put it there on purpose, and reading it as "not yet" would show the
// balloon at every start where it cannot be replaced.
bool Welcomed(const ControllerState& state) {
    const RegistryKey key = RegistryKey::Open(state.Root(), state.Path(), kKeyReadRights);
    if (!key)
        return false;
    try {
        const auto value = key.Query(kValueWelcomed, sizeof(DWORD));
        return value && ReadRegNumber(value->type, value->size, value->data).Dword() != 0u;
    } catch (const ERegistryException&) {
        return true; // there, but unreadable
    }
}

} // namespace

void WelcomeOnFirstStart(TTrayIcon& icon, const ControllerState& state, const std::string& title,
                         const std::string& text) {
    // Focus Assist, presentations and full-screen games may hold it back
    // until the next start; a restart of the shell before it showed brings
    // it again with the icon.
    if (!Welcomed(state))
        icon.ShowBalloon(title, text, NIIF_USER | NIIF_RESPECT_QUIET_TIME);
}

void WelcomeShown::operator()(TComponent*) const {
    // A record that cannot be written brings the balloon back at the next
    // start, and nothing else: no reason to trouble the user with a box.
    const DWORD shown = 1;
    RegistryKey::Create(state->Root(), state->Path(), KEY_SET_VALUE)
        .SetBytes(kValueWelcomed, REG_DWORD, &shown, sizeof shown);
}

} // namespace stilvane
