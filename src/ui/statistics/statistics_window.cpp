#include "ui/statistics/statistics_window.h"

#include "framework/gui/graphics.h"
#include "framework/loop/application.h"
#include "framework/portable/civil_time.h"
#include "framework/portable/dpi.h"
#include "framework/portable/text.h"

#include <algorithm>
#include <string_view>

namespace stilvane {

namespace {

constexpr char kWindowClass[] = "StilvaneStatistics";
constexpr DWORD kStyle = WS_POPUP | WS_CAPTION | WS_SYSMENU | WS_CLIPCHILDREN;
constexpr DWORD kExStyle = WS_EX_DLGMODALFRAME | WS_EX_CONTROLPARENT;
enum ControlId { idChart = 200, idReset, idTopSites, idClose = IDCANCEL };
// Posted by a close: the hidden window goes once no handler of it runs.
constexpr UINT kDestroyHidden = WM_APP + 1;

// The window at 96 dpi.
constexpr ScaledFrame kFrame{kStyle, kExStyle, {440, 252}};
constexpr Bounds kChart{8, 8, 424, 176}, kToday{8, 192, 136, 16}, kWeek{152, 192, 136, 16},
    kTotal{296, 192, 136, 16}, kReset{204, 216, 124, 28}, kClose{336, 216, 96, 28};
// Between the figures below the chart.
constexpr int kFigureGap = 16;
// The bars in the colour of the blocked tray picture.
constexpr COLORREF kBarColour = RGB(0xE6, 0x26, 0x1F);

// The width of `text` in `font`, as the window draws it.
int TextWidth(HWND window, HFONT font, std::string_view text) {
    const WindowDC dc(window);
    const ScopedSelection selected(dc.Get(), font);
    SIZE size{};
    ::GetTextExtentPoint32A(dc.Get(), text.data(), static_cast<int>(text.size()), &size);
    return size.cx;
}

// "Mo 7": the short weekday and the day of a date, as the user's locale writes them.
std::string ShortDate(std::int64_t days) {
    const CivilTime c = CivilFromDays(days);
    SYSTEMTIME date{};
    date.wYear = static_cast<WORD>(c.year);
    date.wMonth = static_cast<WORD>(c.month);
    date.wDay = static_cast<WORD>(c.day);
    date.wDayOfWeek = static_cast<WORD>(((days % 7) + 11) % 7); // 1970-01-01 was a Thursday
    char text[64] = {};
    return ::GetDateFormatA(LOCALE_USER_DEFAULT, 0, &date, "ddd d", text, sizeof text) ? text : "";
}

} // namespace

StatisticsWindow::StatisticsWindow(TComponent* owner, const LanguageTexts& texts,
                                   std::function<void()> reset)
    : TComponent(owner), texts_(texts), reset_(std::move(reset)) {}

StatisticsWindow::~StatisticsWindow() {
    if (Handle())
        Application().RemoveDialogWindow(Handle());
}

void StatisticsWindow::Create() {
    const SIZE frame = kFrame.SizeAt(kBaseDpi, kBaseDpi);
    CreateHandle({kWindowClass, ::LoadCursorA(nullptr, IDC_ARROW),
                  reinterpret_cast<HBRUSH>(COLOR_BTNFACE + 1)},
                 {kExStyle, kStyle, CW_USEDEFAULT, CW_USEDEFAULT, frame.cx, frame.cy,
                  Application().Handle(), texts_[TextKey::StatisticsTitle].c_str()});
    const HWND window = Handle();
    const int dpi = Frame().FitToDisplay(window);
    scaled_.Make(Label_Today, this, window, kToday, "");
    scaled_.Make(Label_Week, this, window, kWeek, "");
    scaled_.Make(Label_Total, this, window, kTotal, "");
    scaled_.Make(Chart, this, window, idChart, kChart, "");
    scaled_.Make(Button_Reset, this, window, idReset, kReset, texts_[TextKey::ButtonReset]);
    scaled_.Make(Button_Close, this, window, idClose, kClose, texts_[TextKey::ButtonClose]);
    Button_Reset->OnClick = [this](TComponent* s) { Button_ResetClick(s); };
    Button_Close->OnClick = [this](TComponent* s) { Button_CloseClick(s); };
    scaled_.Make(TopSites, this, window, idTopSites, texts_);
    TopSites->OnAllow = [this](const std::string& site) {
        if (OnAllowSite)
            OnAllowSite(site);
    };
    Layout(dpi);
    PlaceInWorkArea(window, true);
    Application().AddDialogWindow(window);
}

void StatisticsWindow::Layout(int dpi) {
    // The list of sites goes between the figures and the buttons.
    const int below = ListHeight();
    const auto lower = [below](Bounds b) {
        return Bounds{b.left, b.top + below, b.width, b.height};
    };
    scaled_.Place({{Label_Today.get(), kToday},
                   {Label_Week.get(), kWeek},
                   {Label_Total.get(), kTotal},
                   {Chart.get(), kChart},
                   {Button_Reset.get(), lower(kReset)},
                   {Button_Close.get(), lower(kClose)}},
                  dpi);
    TopSites->Place(kChart.left, kReset.top, kChart.width, Dpi(), scaled_.Font());
    // The list comes and goes with the policy: the grown window stays on the screen.
    Frame().SizeClientFor(Handle(), Dpi());
    PlaceInWorkArea(Handle(), false);
    ShowFigures();
}

int StatisticsWindow::ListHeight() const {
    return figures_.topSites.shown ? TopSitesList::kHeight : 0;
}

ScaledFrame StatisticsWindow::Frame() const {
    ScaledFrame frame = kFrame;
    frame.client.height += ListHeight();
    return frame;
}

bool StatisticsWindow::IsOpen() const {
    return Handle() && ::IsWindowVisible(Handle());
}

void StatisticsWindow::Open(const BlockFigures& figures) {
    if (!Handle())
        Create();
    // As Windows is set now, should a change have passed the hidden window by.
    Colors.Update(Handle());
    const bool relayout = figures.topSites.shown != figures_.topSites.shown;
    figures_ = figures;
    relayout ? Layout(Dpi()) : ShowFigures();
    Application().ShowApplicationWindow();
    ::ShowWindow(Handle(), SW_SHOW);
    ::SetForegroundWindow(Handle());
    if (!::GetFocus() || ::GetParent(::GetFocus()) != Handle())
        Button_Close->SetFocus();
}

void StatisticsWindow::Update(const BlockFigures& figures) {
    if (!IsOpen())
        return;
    const bool relayout = figures.topSites.shown != figures_.topSites.shown;
    figures_ = figures;
    relayout ? Layout(Dpi()) : ShowFigures();
}

void StatisticsWindow::ShowFigures() {
    const std::uint64_t week = LastDaysTotal(figures_.days, 7);
    const std::uint64_t month = LastDaysTotal(figures_.days, kHistoryDays);
    Chart->SetText(
        Counted(texts_.language, texts_[CountedKey::StatisticsChart], week, std::to_string(month)));
    // Side by side, each as wide as it needs: a count of billions stays whole.
    const struct {
        const Label* label;
        const std::string& text;
        std::uint64_t figure;
    } figures[] = {{Label_Today.get(), texts_[TextKey::StatisticsToday], figures_.days.back()},
                   {Label_Week.get(), texts_[TextKey::StatisticsWeek], week},
                   {Label_Total.get(), texts_[TextKey::StatisticsTotal], figures_.total}};
    int left = ScaleToDpi(kToday.left, Dpi());
    for (const auto& [label, text, figure] : figures) {
        const std::string shown = FillIn(text, std::to_string(figure));
        const int width = TextWidth(Handle(), scaled_.Font(), shown);
        label->SetText(shown);
        label->SetBounds(
            {left, ScaleToDpi(kToday.top, Dpi()), width, ScaleToDpi(kToday.height, Dpi())});
        left += width + ScaleToDpi(kFigureGap, Dpi());
    }
    RECT area{};
    ::GetClientRect(Chart->Handle(), &area);
    bars_ = ChartBars(figures_.days, area.right, area.bottom, ScaleToDpi(14, Dpi()));
    labels_ = ChartLabels(bars_, TextWidth(Handle(), scaled_.Font(), "0"), area.right,
                          ScaleToDpi(3, Dpi()));
    ::InvalidateRect(Chart->Handle(), nullptr, TRUE);
    TopSites->Show(figures_.topSites);
}

void StatisticsWindow::DrawChart(HDC dc, const RECT& area) const {
    FillColor(dc, area, Colors.Face());
    const ScopedSelection font(dc, scaled_.Font());
    ::SetBkMode(dc, TRANSPARENT);
    ::SetTextColor(dc, Colors.Text());
    const bool empty = std::all_of(figures_.days.begin(), figures_.days.end(),
                                   [](std::uint32_t n) { return n == 0; });
    RECT text = area;
    if (empty) {
        ::DrawTextA(dc, texts_[TextKey::StatisticsEmpty].c_str(), -1, &text,
                    DT_CENTER | DT_VCENTER | DT_SINGLELINE | DT_NOPREFIX);
    }
    const UniqueBrush bar(::CreateSolidBrush(kBarColour));
    const auto today = DayNumber(figures_.today);
    // One baseline under all the bars.
    RECT base{area.left, bars_[0].bottom, area.right, bars_[0].bottom + 1};
    FillColor(dc, base, Colors.Dark() ? dark::kBevelLight : ::GetSysColor(COLOR_GRAYTEXT));
    // Centred on its bar, but within the chart.
    const auto drawAt = [&](const ChartBar& b, const std::string& label, int top, int bottom,
                            UINT vertical) {
        SIZE size{};
        ::GetTextExtentPoint32A(dc, label.data(), static_cast<int>(label.size()), &size);
        const LONG left = std::max<LONG>(
            area.left, std::min<LONG>((b.left + b.right - size.cx) / 2, area.right - size.cx));
        RECT place{left, top, left + size.cx, bottom};
        ::DrawTextA(dc, label.c_str(), -1, &place, vertical | DT_SINGLELINE | DT_NOPREFIX);
    };
    for (int i = 0; i < kHistoryDays; ++i) {
        const ChartBar& b = bars_[static_cast<std::size_t>(i)];
        if (b.count > 0) {
            RECT column{b.left, b.top, b.right, b.bottom};
            ::FillRect(dc, &column, bar.Get());
        }
        // Only where it runs into no other count.
        if (const ChartLabel& label = labels_[static_cast<std::size_t>(i)]; label.shown) {
            RECT place{label.left, area.top, label.right, b.top};
            ::DrawTextA(dc, std::to_string(b.count).c_str(), -1, &place,
                        DT_BOTTOM | DT_SINGLELINE | DT_NOPREFIX);
        }
        if (b.dated && today)
            drawAt(b, ShortDate(*today - (kHistoryDays - 1 - i)), b.bottom + 2, area.bottom,
                   DT_TOP);
    }
}

void StatisticsWindow::Button_ResetClick(TComponent*) {
    if (Application().Ask(texts_[TextKey::AskResetCount], MB_YESNO | MB_ICONQUESTION) == IDYES)
        reset_();
}

void StatisticsWindow::Button_CloseClick(TComponent*) {
    ::ShowWindow(Handle(), SW_HIDE);
    if (!::IsWindowVisible(Application().MainWindow()))
        Application().HideApplicationWindow();
    // Nothing of a closed window stays: its controls, font and drawing go
    // until it is opened again.
    ::PostMessageA(Handle(), kDestroyHidden, 0, 0);
}

void StatisticsWindow::DestroyHidden() {
    // Opened again meanwhile: it stays.
    if (::IsWindowVisible(Handle()))
        return;
    Application().RemoveDialogWindow(Handle());
    scaled_.Clear();
    ::DestroyWindow(Handle());
}

LRESULT StatisticsWindow::WindowProc(UINT message, WPARAM wParam, LPARAM lParam) {
    if (WindowColors::IsColorChange(message, wParam, lParam)) {
        Colors.Update(Handle());
        ::RedrawWindow(Handle(), nullptr, nullptr,
                       RDW_INVALIDATE | RDW_ERASE | RDW_FRAME | RDW_ALLCHILDREN);
    } else if (const auto painted = Colors.Paint(Handle(), message, wParam, lParam)) {
        return *painted;
    }
    switch (message) {
    case WM_GETFONT:
        return reinterpret_cast<LRESULT>(scaled_.Font());
    case WM_CLOSE:
        Button_CloseClick(this);
        return 0;
    case kDestroyHidden:
        DestroyHidden();
        return 0;
    case WM_DRAWITEM: {
        const auto& item = *reinterpret_cast<const DRAWITEMSTRUCT*>(lParam);
        if (item.CtlID != idChart)
            break;
        DrawChart(item.hDC, item.rcItem);
        return TRUE;
    }
    case WM_DPICHANGED:
        Layout(Frame().TakeDpiChange(Handle(), wParam, lParam));
        return 0;
    }
    return Window::WindowProc(message, wParam, lParam);
}

} // namespace stilvane
