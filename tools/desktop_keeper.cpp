// Keeps the test prefix's desktop in use between one test's programs and the
// next. Wine closes its desktop a moment after the last program on it ends;
// a program that starts just then is handed a desktop that goes away under it
// and cannot make its first window. On Windows the desktop always stays.
#include <windows.h>

int WINAPI wWinMain(HINSTANCE, HINSTANCE, PWSTR, int) {
    // A window of its own ties this process to the desktop; it is never shown.
    // Started itself just as a desktop may be closing: it tries again on the next one.
    HWND window = nullptr;
    for (int attempt = 0; attempt < 50 && !window; ++attempt) {
        window = CreateWindowExW(0, L"STATIC", L"wordHaven desktop keeper", WS_POPUP, 0, 0, 0, 0, nullptr, nullptr,
                                 nullptr, nullptr);
        if (!window) Sleep(100);
    }
    if (!window) return 1;
    MSG message;
    while (GetMessageW(&message, nullptr, 0, 0) > 0) DispatchMessageW(&message);
    return 0;
}
