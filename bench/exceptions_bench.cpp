// Times the exceptions editor on large lists, through the main window's own
// handlers: load the file, add one entry, remove every entry, remove every
// other entry, save, and import as many lines again (half of them listed
// already), as a paste of that many lines adds them.
// Usage: exceptions_bench [largest]   (default 100000; sizes 1000, 10000, ...)
#include "components/tray_shell.h"
#include "framework/loop/application.h"
#include "framework/loop/steady_clock.h"
#include "framework/system/ansi_text.h"
#include "framework/system/file_io.h"
#include "ui/editor/exceptions_file.h"
#include "ui/form_Stilvane.h"

#include <windows.h>

#include <cstdio>
#include <cstdlib>
#include <random>
#include <string>

using namespace stilvane;

namespace {

constexpr char kBenchKey[] = "Software\\QuillaneBench";

template <typename Action> double TimeMs(Action action) {
    const double start = SteadyMilliseconds();
    action();
    return SteadyMilliseconds() - start;
}

// Host names in no particular order: the worst case for a sorted list box.
std::string ShuffledEntries(int count) {
    std::mt19937 random(12345);
    std::string content;
    for (int i = 0; i < count; ++i)
        content += "www." + std::to_string(random()) + "-" + std::to_string(i) + ".example\r\n";
    return content;
}

} // namespace

int main(int argc, char** argv) {
    const int largest = argc > 1 ? std::atoi(argv[1]) : 100000;
    Application().Initialize();
    Application().SetTitle("exceptions_bench");
    // No icon in the notification area for this.
    TrayShell quiet = CurrentTrayShell();
    quiet.notify = [](DWORD, NOTIFYICONDATAA&) { return TRUE; };

    char temp[MAX_PATH + 1];
    ::GetTempPathA(sizeof temp, temp);
    const std::string folder = std::string(temp) + "stilvane-bench";
    ::CreateDirectoryA(folder.c_str(), nullptr);
    const std::string file = folder + "\\" + kExceptionsFileName;
    ReplaceFileContent(folder + "\\popup.ini", "[1033]\r\n");

    std::printf("%8s %10s %10s %12s %14s %10s %10s\n", "entries", "load ms", "add ms",
                "remove all ms", "remove half ms", "save ms", "import ms");
    for (int count = 1000; count <= largest; count *= 10) {
        ReplaceFileContent(file, ShuffledEntries(count));
        TForm_Stilvane form(SharedSettings(HKEY_CURRENT_USER, kBenchKey), folder, &::GetTickCount,
                            quiet);
        form.ThreadTimer1->SetActive(false);
        const double load = TimeMs([&] { form.ExceptionsClick(nullptr); });
        form.Editor->Edit1->SetText("zzz.example");
        const double add = TimeMs([&] { form.Editor->Button_AddClick(nullptr); });
        const int shown = form.Editor->ListBox1->Count();
        ::SendMessageA(form.Editor->ListBox1->Handle(), LB_SETSEL, TRUE, -1);
        const double remove = TimeMs([&] { form.Editor->Button_DeleteClick(nullptr); });
        const int left = form.Editor->ListBox1->Count();
        // An open editor is never reloaded: close it without saving first.
        form.Hide();
        form.ExceptionsClick(nullptr);
        for (int i = 0; i < form.Editor->ListBox1->Count(); i += 2)
            form.Editor->ListBox1->Select(i, true);
        const double removeHalf = TimeMs([&] { form.Editor->Button_DeleteClick(nullptr); });
        // Saving the full list; the handler would also hide the window.
        form.Hide();
        form.ExceptionsClick(nullptr);
        const double save = TimeMs(
            [&] { ReplaceFileContent(file, FormatExceptions(form.Editor->ListBox1->Items())); });
        const std::string more = folder + "\\import.txt";
        // The same seed: the first half are the listed entries' first half.
        std::string lines = ShuffledEntries(count / 2);
        for (int i = 0; i < count / 2; ++i)
            lines += "  new-" + std::to_string(i) + ".example\t\r\n";
        ReplaceFileContent(more, lines);
        const double import = TimeMs([&] { form.Editor->ListTools->ImportFrom(AnsiToWide(more)); });
        ::DeleteFileA(more.c_str());
        std::printf("%8d %10.1f %10.1f %12.1f %14.1f %10.1f %10.1f   (%d shown, %d left)\n", count,
                    load, add, remove, removeHalf, save, import, shown, left);
        std::fflush(stdout);
    }
    ::DeleteFileA(file.c_str());
    ::DeleteFileA((folder + "\\popup.ini").c_str());
    ::RemoveDirectoryA(folder.c_str());
    ::RegDeleteKeyA(HKEY_CURRENT_USER, kBenchKey);
    return 0;
}
