#include "support/reader_window.h"

#include "support/windows_found.h"

ReaderWindow::ReaderWindow(const std::wstring& text) {
    // A pop-up without a system menu, so a lone Alt finds no menu to open.
    window_ = CreateWindowExW(WS_EX_TOPMOST, L"STATIC", L"reader", WS_POPUP | WS_VISIBLE | WS_BORDER, 300, 300, 500, 200,
                              nullptr, nullptr, GetModuleHandleW(nullptr), nullptr);
    field_ = CreateWindowExW(0, L"EDIT", text.c_str(), WS_CHILD | WS_VISIBLE | ES_MULTILINE, 5, 5, 480, 180, window_,
                             nullptr, GetModuleHandleW(nullptr), nullptr);
}

ReaderWindow::~ReaderWindow() { DestroyWindow(window_); }

void ReaderWindow::SelectAndFocus(int start, int end) {
    SetForegroundWindow(window_);
    SetActiveWindow(window_);
    SetFocus(field_);
    SendMessageW(field_, EM_SETSEL, start, end);
    PumpFor(100);
}

void PressAltWith(BYTE letter) {
    keybd_event(VK_MENU, 0, 0, 0);
    keybd_event(letter, 0, 0, 0);
    keybd_event(letter, 0, KEYEVENTF_KEYUP, 0);
    keybd_event(VK_MENU, 0, KEYEVENTF_KEYUP, 0);
}

void ClickAt(POINT screen, bool twice) {
    MoveCursorTo(screen);
    for (int click = 0; click < (twice ? 2 : 1); ++click) {
        mouse_event(MOUSEEVENTF_LEFTDOWN, 0, 0, 0, 0);
        mouse_event(MOUSEEVENTF_LEFTUP, 0, 0, 0, 0);
    }
}
