// Entry point of the tray controller.
#include "app/global.h"
#include "framework/application.h"
#include "settings/marl_INI.h"
#include "settings/shared_settings.h"

#include <windows.h>

namespace stilvane {
namespace {

constexpr char kApplicationTitle[] = "Quillane PopUp Blocker";

void StartUp() {
    const auto language = SelectLanguage();
    if (!language)
        return;
    ReadLanguageTexts(ProgramDirectory(), *language);
    const SharedSettings settings;
    settings.PublishProgramDirectory(ProgramDirectory());
    settings.ReadBlocking();
    settings.NormaliseSound();
}

} // namespace
} // namespace stilvane

int WINAPI WinMain(HINSTANCE, HINSTANCE, LPSTR, int) {
    using namespace stilvane;
    InitProgramDirectory();
    Application().SetTitle(kApplicationTitle);
    Application().RunHandler(StartUp);
    return 0;
}
