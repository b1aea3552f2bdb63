// The editor on the display: its scale, font and frame, the tray picture's
// size, the system's visual styles and colours.
#include "form_fixture.h"

namespace stilvane {
namespace {

using namespace testing;

TEST_F(FormTest, ControlsFontFrameAndTrayPictureScaleWithTheDisplay) {
    // Wine never sends WM_DPICHANGED: the changes of scale are made up. 0 and
    // 480 stand for broken settings, held to 100 % and 300 %. Where the
    // editor would not fit the screen (1,024 x 768 here) it takes the largest
    // scale at which it does.
    TForm_Stilvane& f = Build();
    f.ExceptionsClick(nullptr);
    ASSERT_EQ(f.Editor->Dpi(), 96);
    const std::vector<HWND> controls{
        f.Editor->Label1->Handle(),        f.Editor->ListBox1->Handle(),
        f.Editor->Button_Delete->Handle(), f.Editor->Edit1->Handle(),
        f.Editor->Button_Add->Handle(),    f.Editor->Bevel1->Handle(),
        f.Editor->Button_Ok->Handle()};
    std::vector<RECT> at96;
    for (HWND control : controls)
        at96.push_back(PlaceOf(control));
    struct Scale {
        int dpi, pictureWidth;
        UINT pictureChange;
        bool fits;
    };
    for (const Scale scale :
         {Scale{120, 20, WM_DISPLAYCHANGE, true}, Scale{144, 24, WM_SETTINGCHANGE, true},
          Scale{192, 32, WM_DISPLAYCHANGE, true}, Scale{96, 16, WM_SETTINGCHANGE, true},
          Scale{480, 48, WM_DISPLAYCHANGE, false}, Scale{0, 16, WM_DISPLAYCHANGE, true}}) {
        SCOPED_TRACE(scale.dpi);
        taskbarDpi = scale.dpi;
        ::SendMessageA(f.Handle(), scale.pictureChange, 0, 0);
        EXPECT_EQ(shownWidth, scale.pictureWidth);
        const int wanted = ClampDpi(scale.dpi);
        // The frame as the system draws it here, around the scaled client.
        RECT window{}, client{};
        ::GetWindowRect(f.Handle(), &window);
        ::GetClientRect(f.Handle(), &client);
        const SIZE frame{window.right - window.left - client.right + ScaleToDpi(400, wanted),
                         window.bottom - window.top - client.bottom + ScaleToDpi(360, wanted)};
        RECT suggested{30, 40, 30 + frame.cx, 40 + frame.cy};
        ::SendMessageA(f.Handle(), WM_DPICHANGED, MAKEWPARAM(scale.dpi, scale.dpi),
                       reinterpret_cast<LPARAM>(&suggested));
        const int dpi = f.Editor->Dpi();
        EXPECT_EQ(dpi == wanted, scale.fits) << dpi;
        EXPECT_LE(dpi, wanted);
        ::GetWindowRect(f.Handle(), &window);
        ::GetClientRect(f.Handle(), &client);
        RECT area{}, inside{};
        ::SystemParametersInfoA(SPI_GETWORKAREA, 0, &area, 0);
        ::IntersectRect(&inside, &window, &area);
        EXPECT_TRUE(::EqualRect(&inside, &window)); // the whole window on the screen
        if (scale.fits) // the size the system suggests, moved onto the screen if need be
            EXPECT_EQ(window.right - window.left, suggested.right - suggested.left);
        EXPECT_EQ(client.right, ScaleToDpi(400, dpi));
        EXPECT_EQ(client.bottom, ScaleToDpi(360, dpi));
        for (std::size_t i = 0; i < controls.size(); ++i) {
            const RECT& was = at96[i];
            const int left = ScaleToDpi(was.left, dpi), top = ScaleToDpi(was.top, dpi);
            const RECT scaled{left, top, left + ScaleToDpi(was.right - was.left, dpi),
                              top + ScaleToDpi(was.bottom - was.top, dpi)};
            const RECT place = PlaceOf(controls[i]);
            EXPECT_TRUE(::EqualRect(&place, &scaled)) << "control " << i;
        }
        LOGFONTA font{};
        ::GetObjectA(reinterpret_cast<HFONT>(
                         ::SendMessageA(f.Editor->Button_Ok->Handle(), WM_GETFONT, 0, 0)),
                     sizeof font, &font);
        EXPECT_EQ(font.lfHeight, ScaleToDpi(-11, dpi));
        // The bitmap font only at 96 dpi, where it has its size; its outline
        // version at every other scale.
        const char* face = dpi == 96 ? "MS Sans Serif" : "Microsoft Sans Serif";
        EXPECT_STREQ(font.lfFaceName, face);
        EXPECT_EQ(f.Editor->Label1->Font().height, ScaleToDpi(-11, dpi));
        EXPECT_EQ(f.Editor->Label1->Font().name, face);
        std::printf("at %d dpi: laid out for %d, editor client %ld x %ld, tray picture %d x %d\n",
                    scale.dpi, dpi, client.right, client.bottom, shownWidth, shownWidth);
    }
}

TEST_F(FormTest, ControlsAreThemedAndTheLabelTakesChangedSystemColours) {
    TForm_Stilvane& f = Build();
    EXPECT_NE(::GetWindowTheme(f.Editor->Button_Ok->Handle()), nullptr);
    f.ExceptionsClick(nullptr);
    const int elements[] = {COLOR_BTNFACE, COLOR_WINDOWTEXT};
    const COLORREF saved[] = {::GetSysColor(COLOR_BTNFACE), ::GetSysColor(COLOR_WINDOWTEXT)};
    const COLORREF changed[] = {RGB(0, 64, 128), RGB(255, 255, 0)};
    ASSERT_TRUE(::SetSysColors(2, elements, changed));
    testing::PumpFor(300);
    // Both new colours show in the label, and nothing of the old face.
    std::set<COLORREF> seen;
    HDC dc = ::GetDC(f.Editor->Label1->Handle());
    for (int i = 0; i < f.Editor->Label1->Width() * f.Editor->Label1->Height(); i += 2)
        seen.insert(::GetPixel(dc, i % f.Editor->Label1->Width(), i / f.Editor->Label1->Width()));
    ::ReleaseDC(f.Editor->Label1->Handle(), dc);
    ::SetSysColors(2, elements, saved);
    EXPECT_TRUE(seen.count(changed[0]) && seen.count(changed[1]));
    EXPECT_FALSE(seen.count(saved[0]));
}

} // namespace
} // namespace stilvane
