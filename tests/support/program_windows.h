#pragma once
// The windows of a running wordHaven.exe, as another program sees them.
#include <windows.h>

#include <string>

HWND WaitForMainWindow(DWORD processId, DWORD milliseconds = 15000);
HWND WaitForRegisterDialog(DWORD processId, DWORD milliseconds = 15000);
// A message box of the process with the given caption; null on time-out.
HWND WaitForMessageBox(DWORD processId, const wchar_t* caption, DWORD milliseconds = 15000);
void PressOk(HWND box);
// Whether the shell holds the tray icon of this main window.
bool TrayIconPresent(HWND mainWindow);
// Opens the tray menu as the shell does on a right click and picks an item by its mnemonic.
bool ChooseFromTrayMenu(HWND mainWindow, wchar_t mnemonic);
