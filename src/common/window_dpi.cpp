#include "common/window_dpi.h"

#include "common/dpi_scale.h"

namespace {

template <typename Function>
Function User32Function(const char* name) {
    HMODULE user32 = GetModuleHandleW(L"user32.dll");
    return user32 ? reinterpret_cast<Function>(reinterpret_cast<void*>(GetProcAddress(user32, name))) : nullptr;
}

using GetDpiForWindowFunction = UINT(WINAPI*)(HWND);
using GetSystemMetricsForDpiFunction = int(WINAPI*)(int, UINT);
using SetDialogDpiChangeBehaviorFunction = BOOL(WINAPI*)(HWND, int, int);
using SetDialogControlDpiChangeBehaviorFunction = BOOL(WINAPI*)(HWND, int, int);

constexpr int kDialogDisableResize = 0x0002;     // DDC_DISABLE_RESIZE
constexpr int kControlDisableFontUpdate = 0x0001;  // DCDC_DISABLE_FONT_UPDATE
constexpr int kControlDisableRelayout = 0x0002;   // DCDC_DISABLE_RELAYOUT

}  // namespace

int SystemDpi() {
    HDC screen = GetDC(nullptr);
    const int dpi = screen ? GetDeviceCaps(screen, LOGPIXELSX) : kDesignDpi;
    if (screen) ReleaseDC(nullptr, screen);
    return dpi > 0 ? dpi : kDesignDpi;
}

int WindowDpi(HWND window) {
    static const auto getDpiForWindow = User32Function<GetDpiForWindowFunction>("GetDpiForWindow");
    if (getDpiForWindow && window) {
        const UINT dpi = getDpiForWindow(window);
        if (dpi > 0) return static_cast<int>(dpi);
    }
    return SystemDpi();
}

int MetricForDpi(int index, int dpi) {
    static const auto getMetric = User32Function<GetSystemMetricsForDpiFunction>("GetSystemMetricsForDpi");
    if (getMetric) return getMetric(index, static_cast<UINT>(dpi));
    return ScaleRounded(GetSystemMetrics(index), dpi, SystemDpi());
}

void KeepDialogSizeOnDpiChange(HWND dialog) {
    static const auto set = User32Function<SetDialogDpiChangeBehaviorFunction>("SetDialogDpiChangeBehavior");
    if (set) set(dialog, kDialogDisableResize, kDialogDisableResize);
}

void KeepControlPlaceOnDpiChange(HWND control, bool keepFont) {
    static const auto set = User32Function<SetDialogControlDpiChangeBehaviorFunction>("SetDialogControlDpiChangeBehavior");
    const int kept = kControlDisableRelayout | (keepFont ? kControlDisableFontUpdate : 0);
    if (set) set(control, kept, kept);
}
