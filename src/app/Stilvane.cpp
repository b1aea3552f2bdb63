// Entry point of the tray controller.
#include "app/global.h"
#include "framework/loop/application.h"
#include "framework/system/unique_handle.h"
#include "ui/form_Stilvane.h"
#include "ui/tray/second_start.h"

#include <windows.h>

namespace {
// One controller per sign-in session: a second one would race the first for
// every block signal and show a second icon whose check marks go stale.
constexpr char kInstanceMutex[] = "Local\\Quillane.PopUpBlocker.Stilvane";
// How long a second start waits for the running controller's window, and
// then for its answer.
constexpr DWORD kControllerPatience = 3000;
} // namespace

int WINAPI WinMain(HINSTANCE, HINSTANCE, LPSTR, int) {
    using namespace stilvane;
    const UniqueKernelHandle instance(::CreateMutexA(nullptr, FALSE, kInstanceMutex));
    if (::GetLastError() == ERROR_ALREADY_EXISTS) {
        // Started again by a user who sees nothing of the running one (its
        // icon may be hidden): it shows its editor. No answer, no harm.
        AskRunningControllerToOpen(kControllerPatience);
        return 0;
    }
    Application().Initialize();
    InitProgramDirectory();
    Application().SetTitle("Quillane PopUp Blocker");
    try {
        // The window stays hidden: its tray icon clears ShowMainForm.
        TForm_Stilvane Form_Stilvane(SharedSettings(), ProgramDirectory());
        if (Application().ShowMainForm())
            Form_Stilvane.Show();
        Application().Run();
    } catch (const std::exception& error) { // the tray icon went with the window's parts
        Application().ShowStartFailure(&error);
        return 1;
    } catch (...) {
        Application().ShowStartFailure(nullptr);
        return 1;
    }
    return 0;
}
