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

namespace {
const wchar_t kCopyingReaderClass[] = L"wordHaven test copying reader";
}  // namespace

CopyingReader::CopyingReader(const std::wstring& selection, Copy how, DWORD delay)
    : selection_(selection), how_(how), delay_(delay) {
    WNDCLASSW windowClass{};
    windowClass.lpfnWndProc = Procedure;
    windowClass.hInstance = GetModuleHandleW(nullptr);
    windowClass.lpszClassName = kCopyingReaderClass;
    RegisterClassW(&windowClass);  // fails harmlessly when a reader before this one registered it
    window_ = CreateWindowExW(WS_EX_TOPMOST, kCopyingReaderClass, L"reader", WS_POPUP | WS_VISIBLE | WS_BORDER, 300, 300,
                              500, 200, nullptr, nullptr, GetModuleHandleW(nullptr), nullptr);
    SetWindowLongPtrW(window_, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(this));
}

CopyingReader::~CopyingReader() {
    SetWindowLongPtrW(window_, GWLP_USERDATA, 0);
    DestroyWindow(window_);
}

void CopyingReader::Focus() {
    SetForegroundWindow(window_);
    SetActiveWindow(window_);
    SetFocus(window_);
    PumpFor(100);
}

void CopyingReader::PutText(bool openClipboard) {
    HGLOBAL memory = GlobalAlloc(GMEM_MOVEABLE, (selection_.size() + 1) * sizeof(wchar_t));
    memcpy(GlobalLock(memory), selection_.c_str(), (selection_.size() + 1) * sizeof(wchar_t));
    GlobalUnlock(memory);
    if (openClipboard) {
        if (!OpenClipboard(window_)) return;
        EmptyClipboard();
    }
    SetClipboardData(CF_UNICODETEXT, memory);
    if (openClipboard) CloseClipboard();
}

LRESULT CALLBACK CopyingReader::Procedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    auto* reader = reinterpret_cast<CopyingReader*>(GetWindowLongPtrW(window, GWLP_USERDATA));
    if (!reader) return DefWindowProcW(window, message, wParam, lParam);
    switch (message) {
    case WM_KEYDOWN:
        if (wParam != 'C' || GetKeyState(VK_CONTROL) >= 0) break;
        ++reader->copiesAsked_;
        if (reader->how_ == Copy::Late) {
            SetTimer(window, 1, reader->delay_, nullptr);
        } else if (OpenClipboard(window)) {
            EmptyClipboard();
            SetClipboardData(CF_UNICODETEXT, nullptr);
            CloseClipboard();
        }
        return 0;
    case WM_TIMER:
        KillTimer(window, 1);
        reader->PutText(true);
        return 0;
    case WM_RENDERFORMAT:
        if (wParam == CF_UNICODETEXT) {
            ++reader->textsRendered_;
            reader->PutText(false);
        }
        return 0;
    case WM_RENDERALLFORMATS:
        if (OpenClipboard(window)) {
            if (GetClipboardOwner() == window) reader->PutText(false);
            CloseClipboard();
        }
        return 0;
    default:
        break;
    }
    return DefWindowProcW(window, message, wParam, lParam);
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
