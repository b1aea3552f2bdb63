// Entry point of the tray controller.
#include "app/global.h"
#include "framework/application.h"
#include "ui/form_Stilvane.h"

#include <windows.h>

int WINAPI WinMain(HINSTANCE, HINSTANCE, LPSTR, int) {
    using namespace stilvane;
    Application().Initialize();
    InitProgramDirectory();
    Application().SetTitle("Quillane PopUp Blocker");
    {
        // The window stays hidden: its tray icon clears ShowMainForm.
        TForm_Stilvane Form_Stilvane;
        if (Application().ShowMainForm())
            Form_Stilvane.Show();
        Application().Run();
    } // the tray icon is removed with the window's components
    return 0;
}
