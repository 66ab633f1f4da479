#include "support/program_windows.h"

#include <shellapi.h>

#include "support/windows_found.h"

HWND WaitForMainWindow(DWORD processId, DWORD milliseconds) {
    return WaitForTopWindow(processId, L"wordHaven", L"wordHaven", milliseconds);
}

HWND WaitForRegisterDialog(DWORD processId, DWORD milliseconds) {
    return WaitForShownTopWindow(processId, L"#32770", L"単語登録", milliseconds);
}

HWND WaitForMessageBox(DWORD processId, const wchar_t* caption, DWORD milliseconds) {
    return WaitForShownTopWindow(processId, L"#32770", caption, milliseconds);
}

void PressOk(HWND box) { PostMessageW(box, WM_COMMAND, MAKEWPARAM(IDOK, BN_CLICKED), 0); }

bool TrayIconPresent(HWND mainWindow) {
    NOTIFYICONDATAW data{};
    data.cbSize = sizeof data;
    data.hWnd = mainWindow;
    data.uID = 108;
    data.uFlags = NIF_TIP;
    lstrcpynW(data.szTip, L"Word Haven", 128);
    return Shell_NotifyIconW(NIM_MODIFY, &data) != FALSE;
}

bool ChooseFromTrayMenu(HWND mainWindow, wchar_t mnemonic) {
    DWORD processId = 0;
    GetWindowThreadProcessId(mainWindow, &processId);
    PostMessageW(mainWindow, WM_APP + 1, 108, WM_RBUTTONDOWN);
    HWND menu = WaitForTopWindow(processId, L"#32768", nullptr, 10000);
    if (!menu) return false;
    // The menu's own loop reads the keyboard messages of the program's thread.
    PostMessageW(mainWindow, WM_CHAR, mnemonic, 0);
    return true;
}
