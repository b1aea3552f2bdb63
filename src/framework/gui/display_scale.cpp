#include "framework/gui/display_scale.h"

#include "framework/portable/dpi.h"

namespace stilvane {

namespace {

using GetDpiForWindowFn = UINT(WINAPI*)(HWND);
using AdjustWindowRectExForDpiFn = BOOL(WINAPI*)(RECT*, DWORD, BOOL, DWORD, UINT);
using GetSystemMetricsForDpiFn = int(WINAPI*)(int, UINT);

// A function of user32 looked up by name, or null where the system lacks it.
template <typename Function> Function User32Function(const char* name) {
    return reinterpret_cast<Function>(
        reinterpret_cast<void (*)()>(::GetProcAddress(::GetModuleHandleA("user32.dll"), name)));
}

} // namespace

int SystemDpi() {
    const HDC screen = ::GetDC(nullptr);
    const int dpi = screen ? ::GetDeviceCaps(screen, LOGPIXELSX) : kBaseDpi;
    if (screen)
        ::ReleaseDC(nullptr, screen);
    return ClampDpi(dpi);
}

int DpiOfWindow(HWND window) {
    static const auto getDpiForWindow = User32Function<GetDpiForWindowFn>("GetDpiForWindow");
    if (window && getDpiForWindow)
        if (const UINT dpi = getDpiForWindow(window))
            return ClampDpi(static_cast<int>(dpi));
    return SystemDpi();
}

SIZE FrameSizeForDpi(SIZE client, DWORD style, DWORD exStyle, int dpi) {
    static const auto adjust =
        User32Function<AdjustWindowRectExForDpiFn>("AdjustWindowRectExForDpi");
    RECT frame{0, 0, client.cx, client.cy};
    if (!adjust || !adjust(&frame, style, FALSE, exStyle, static_cast<UINT>(ClampDpi(dpi))))
        ::AdjustWindowRectEx(&frame, style, FALSE, exStyle);
    return {frame.right - frame.left, frame.bottom - frame.top};
}

int SystemMetricForDpi(int index, int dpi) {
    static const auto metric = User32Function<GetSystemMetricsForDpiFn>("GetSystemMetricsForDpi");
    if (metric)
        return metric(index, static_cast<UINT>(ClampDpi(dpi)));
    // The system's metrics are for its own scale.
    return MulDivRound(::GetSystemMetrics(index), ClampDpi(dpi), SystemDpi());
}

RECT WorkAreaOf(HWND window) {
    MONITORINFO info{};
    info.cbSize = sizeof info;
    if (::GetMonitorInfoA(::MonitorFromWindow(window, MONITOR_DEFAULTTONEAREST), &info))
        return info.rcWork;
    RECT area{};
    ::SystemParametersInfoA(SPI_GETWORKAREA, 0, &area, 0);
    return area;
}

} // namespace stilvane
