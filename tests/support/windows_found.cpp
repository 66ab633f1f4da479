#include "support/windows_found.h"

namespace {

struct Search {
    DWORD processId;
    const wchar_t* className;
    const wchar_t* title;
    std::vector<HWND> found;
};

BOOL CALLBACK CollectWindow(HWND window, LPARAM context) {
    auto* search = reinterpret_cast<Search*>(context);
    DWORD owner = 0;
    GetWindowThreadProcessId(window, &owner);
    if (search->processId && owner != search->processId) return TRUE;
    if (search->className && ClassNameOf(window) != search->className) return TRUE;
    if (search->title && WindowText(window) != search->title) return TRUE;
    search->found.push_back(window);
    return TRUE;
}

BOOL CALLBACK CollectStaticText(HWND child, LPARAM context) {
    auto* text = reinterpret_cast<std::wstring*>(context);
    if (_wcsicmp(ClassNameOf(child).c_str(), L"Static") == 0) {
        const std::wstring part = WindowText(child);
        if (!part.empty()) *text += part;
    }
    return TRUE;
}

}  // namespace

std::vector<HWND> TopWindowsOf(DWORD processId, const wchar_t* className, const wchar_t* title) {
    Search search{processId, className, title, {}};
    EnumWindows(CollectWindow, reinterpret_cast<LPARAM>(&search));
    return search.found;
}

void PumpFor(DWORD milliseconds) {
    const DWORD start = GetTickCount();
    do {
        MSG message;
        while (PeekMessageW(&message, nullptr, 0, 0, PM_REMOVE)) {
            TranslateMessage(&message);
            DispatchMessageW(&message);
        }
        Sleep(10);
    } while (GetTickCount() - start < milliseconds);
}

bool MoveCursorTo(POINT screen, DWORD milliseconds) {
    const DWORD start = GetTickCount();
    int steadyChecks = 0;
    while (steadyChecks < 2) {
        POINT now{};
        GetCursorPos(&now);
        if (now.x == screen.x && now.y == screen.y) {
            ++steadyChecks;
        } else {
            if (GetTickCount() - start > milliseconds) return false;
            steadyChecks = 0;
            SetCursorPos(screen.x, screen.y);
        }
        PumpFor(10);
    }
    return true;
}

HWND WaitForTopWindow(DWORD processId, const wchar_t* className, const wchar_t* title, DWORD milliseconds) {
    const DWORD start = GetTickCount();
    for (;;) {
        const auto found = TopWindowsOf(processId, className, title);
        if (!found.empty()) return found.front();
        if (GetTickCount() - start > milliseconds) return nullptr;
        PumpFor(20);
    }
}

HWND WaitForShownTopWindow(DWORD processId, const wchar_t* className, const wchar_t* title, DWORD milliseconds) {
    const DWORD start = GetTickCount();
    for (;;) {
        for (HWND window : TopWindowsOf(processId, className, title)) {
            if (IsWindowVisible(window)) return window;
        }
        if (GetTickCount() - start > milliseconds) return nullptr;
        PumpFor(20);
    }
}

bool WaitForNoTopWindow(DWORD processId, const wchar_t* className, const wchar_t* title, DWORD milliseconds) {
    const DWORD start = GetTickCount();
    while (!TopWindowsOf(processId, className, title).empty()) {
        if (GetTickCount() - start > milliseconds) return false;
        PumpFor(20);
    }
    return true;
}

// GetWindowText reads another program's window text without sending it a
// message, so a program busy inside a hotkey cannot stall the test's own windows.
std::wstring WindowText(HWND window) {
    wchar_t buffer[1024];
    const int n = GetWindowTextW(window, buffer, 1024);
    return std::wstring(buffer, n > 0 ? n : 0);
}

std::wstring ClassNameOf(HWND window) {
    wchar_t buffer[256];
    const int n = GetClassNameW(window, buffer, 256);
    return std::wstring(buffer, n > 0 ? n : 0);
}

std::wstring MessageBoxText(HWND box) {
    std::wstring text;
    EnumChildWindows(box, CollectStaticText, reinterpret_cast<LPARAM>(&text));
    return text;
}

bool PollUntil(const std::function<bool()>& condition, DWORD milliseconds) {
    const DWORD start = GetTickCount();
    while (!condition()) {
        if (GetTickCount() - start > milliseconds) return false;
        PumpFor(20);
    }
    return true;
}
