// The program on today's Windows desktop, through the main window's
// procedure and the recorded shell: the windows' colours as Windows is set,
// a second start, and the first start's balloon.
#include "form_fixture.h"
#include "ui/theme/color_scheme.h"
#include "ui/tray/second_start.h"

#include <commctrl.h>

namespace stilvane::testing {
namespace {

// A small bitmap to paint on.
struct Canvas {
    Canvas() { ::SelectObject(dc, bitmap); }
    Canvas(const Canvas&) = delete;
    Canvas& operator=(const Canvas&) = delete;
    ~Canvas() {
        ::DeleteDC(dc);
        ::DeleteObject(bitmap);
    }
    HDC dc = ::CreateCompatibleDC(nullptr);
    HBITMAP bitmap = ::CreateBitmap(80, 30, 1, 32, nullptr);
};

// The editor and the statistics window take the same colours.
TEST_F(FormTest, ColorsFollowTheAppModeWhileOpenAndHighContrastWins) {
    TForm_Stilvane& f = Build();
    ExceptionsEditor& editor = *f.Editor;
    StatisticsWindow& statistics = *f.Statistics;
    ScratchKey personalize;
    bool highContrast = false; // as the windows' settings see it
    editor.Open();
    editor.Edit1->SetText("kept.example");
    editor.Button_AddClick(nullptr);
    f.CountClick(nullptr);
    for (WindowColors* colors : {&editor.Theme->Colors, &statistics.Colors})
        colors->Settings = {[&] { return highContrast; }, HKEY_CURRENT_USER, personalize.Path()};
    const DWORD dark = 0, light = 1, eightBytes[2] = {};
    struct Case {
        const char* what;
        bool highContrast;
        DWORD type;
        const void* data;
        DWORD size;
        bool dark;
    } cases[] = {
        {"absent", false, REG_DWORD, nullptr, 0, false},
        {"dark", false, REG_DWORD, &dark, 4, true},
        {"light", false, REG_DWORD, &light, 4, false},
        {"dark in high contrast", true, REG_DWORD, &dark, 4, false},
        {"a string", false, REG_SZ, "0", 2, false},
        {"eight bytes", false, REG_DWORD, eightBytes, 8, false},
        {"binary", false, REG_BINARY, &dark, 4, false},
        {"dark again", false, REG_DWORD, &dark, 4, true},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        if (c.data)
            personalize.SetRaw("AppsUseLightTheme", c.type, c.data, c.size);
        highContrast = c.highContrast;
        for (const HWND window : {f.Handle(), statistics.Handle()})
            ::SendMessageA(window, WM_SETTINGCHANGE, 0,
                           reinterpret_cast<LPARAM>("ImmersiveColorSet"));
        const COLORREF face = c.dark ? dark::kFace : ::GetSysColor(COLOR_BTNFACE);
        const COLORREF field = c.dark ? dark::kField : ::GetSysColor(COLOR_WINDOW);
        const COLORREF text = c.dark ? dark::kText : ::GetSysColor(COLOR_WINDOWTEXT);
        for (const auto& [window, message, control, back] :
             {std::tuple{f.Handle(), WM_CTLCOLOREDIT, editor.Edit1->Handle(), field},
              {f.Handle(), WM_CTLCOLORLISTBOX, editor.ListBox1->Handle(), field},
              {f.Handle(), WM_CTLCOLORSTATIC, editor.Label_Exceptions->Handle(), face},
              {statistics.Handle(), WM_CTLCOLORSTATIC, statistics.Label_Week->Handle(), face}}) {
            Canvas canvas;
            LOGBRUSH brush{};
            ::GetObjectA(reinterpret_cast<HBRUSH>(
                             ::SendMessageA(window, message, reinterpret_cast<WPARAM>(canvas.dc),
                                            reinterpret_cast<LPARAM>(control))),
                         sizeof brush, &brush);
            EXPECT_EQ(brush.lbColor, back) << message;
            EXPECT_EQ(::GetTextColor(canvas.dc), text) << message;
        }
        for (const auto& [window, button] :
             {std::pair{f.Handle(), editor.Button_Ok->Handle()},
              {statistics.Handle(), statistics.Button_Reset->Handle()}}) {
            Canvas erased, drawn;
            ::SendMessageA(window, WM_ERASEBKGND, reinterpret_cast<WPARAM>(erased.dc), 0);
            EXPECT_EQ(::GetPixel(erased.dc, 40, 15), face);
            NMCUSTOMDRAW draw{.hdr = {button, 0, static_cast<UINT>(NM_CUSTOMDRAW)},
                              .dwDrawStage = CDDS_PREPAINT,
                              .hdc = drawn.dc,
                              .rc = {0, 0, 80, 30}};
            EXPECT_EQ(::SendMessageA(window, WM_NOTIFY, 0, reinterpret_cast<LPARAM>(&draw)),
                      c.dark ? CDRF_SKIPDEFAULT : CDRF_DODEFAULT);
            if (c.dark)
                EXPECT_EQ(::GetPixel(drawn.dc, 4, 15), dark::kButton);
        }
        // The chart, with no blocks, on its face.
        Canvas chart;
        DRAWITEMSTRUCT item{.CtlID = static_cast<UINT>(statistics.Chart->Id()),
                            .hDC = chart.dc,
                            .rcItem = {0, 0, 80, 30}};
        ::SendMessageA(statistics.Handle(), WM_DRAWITEM, 0, reinterpret_cast<LPARAM>(&item));
        EXPECT_EQ(::GetPixel(chart.dc, 2, 2), face);
        EXPECT_EQ(editor.Label1->Font().color, c.dark ? dark::kText : clWindowText);
    }
    // The hint of the empty field, dark, in its own light grey: the
    // system's grey would be too faint.
    editor.Edit1->SetText("");
    editor.ListBox1->SetFocus();
    ::RedrawWindow(editor.Edit1->Handle(), nullptr, nullptr, RDW_INVALIDATE | RDW_UPDATENOW);
    RECT area;
    ::GetClientRect(editor.Edit1->Handle(), &area);
    const HDC dc = ::GetDC(editor.Edit1->Handle());
    int lightest = 0;
    for (int y = 0; y < area.bottom; ++y)
        for (int x = 0; x < area.right; ++x)
            lightest = std::max(lightest, static_cast<int>(GetRValue(::GetPixel(dc, x, y))));
    ::ReleaseDC(editor.Edit1->Handle(), dc);
    EXPECT_EQ(lightest, GetRValue(dark::kCue));
    // The editor stayed open with its edit all along.
    EXPECT_TRUE(::IsWindowVisible(f.Handle()));
    EXPECT_TRUE(editor.HasUnsavedEdits());
}

TEST_F(FormTest, SecondStartOpensTheEditorWithItsEdits) {
    TForm_Stilvane& f = Build();
    f.Editor->Open();
    f.Editor->Edit1->SetText("kept.example");
    f.Editor->Button_AddClick(nullptr);
    f.Hide();
    // The application window found by its class, as a second start finds it.
    EXPECT_TRUE(AskRunningControllerToOpen(1000));
    EXPECT_TRUE(::IsWindowVisible(f.Handle()));
    EXPECT_GE(f.Editor->ListBox1->FindExact("kept.example"), 0);
}

using WelcomeTest = PauseTest;

TEST_F(WelcomeTest, FirstStartShowsOneBalloonRecordedOnceTheShellHasShownIt) {
    std::vector<NOTIFYICONDATAA> balloons;
    bool refuse = true;
    shell.notify = [&, recorded = shell.notify](DWORD message, NOTIFYICONDATAA& data) {
        if (message != NIM_MODIFY || !(data.uFlags & NIF_INFO))
            return recorded(message, data);
        balloons.push_back(data);
        return refuse ? FALSE : TRUE;
    };
    const auto welcomed = [this]() -> std::optional<RegValue> {
        const RegistryKey own = RegistryKey::Open(HKEY_CURRENT_USER, Own(), kKeyReadRights);
        return own ? own.Query("Welcomed") : std::nullopt;
    };
    Build();
    EXPECT_EQ(balloons.size(), 1u);
    EXPECT_FALSE(welcomed()) << "recorded although refused";
    refuse = false;
    Build();
    ASSERT_EQ(balloons.size(), 2u);
    EXPECT_EQ(std::string(balloons[1].szInfoTitle), Application().Title());
    EXPECT_EQ(std::string(balloons[1].szInfo),
              "Popup blocking runs in the notification area. Right-click the icon for the menu.");
    EXPECT_EQ(balloons[1].dwInfoFlags, DWORD{NIIF_USER | NIIF_RESPECT_QUIET_TIME});
    EXPECT_FALSE(welcomed()) << "recorded before the shell showed it";
    ::SendMessageA(form->TrayIcon1->MessageWindow(), TTrayIcon::kCallbackMessage, 0,
                   MAKELPARAM(NIN_BALLOONSHOW, TTrayIcon::kIconId));
    const auto record = welcomed();
    ASSERT_TRUE(record);
    EXPECT_EQ(record->type, DWORD{REG_DWORD});
    EXPECT_EQ(record->data, (std::vector<unsigned char>{1, 0, 0, 0}));
    Build();
    // A record of another kind counts as shown; a REG_DWORD 0 does not.
    SetOwn("Welcomed", REG_SZ, "yes", 4);
    Build();
    EXPECT_EQ(balloons.size(), 2u);
    const DWORD zero = 0;
    SetOwn("Welcomed", REG_DWORD, &zero, sizeof zero);
    Build();
    EXPECT_EQ(balloons.size(), 3u);
}

} // namespace
} // namespace stilvane::testing
