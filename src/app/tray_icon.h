#pragma once
#include <windows.h>

inline constexpr UINT kTrayIconId = 108;
inline constexpr UINT kTrayCallbackMessage = WM_APP + 1;

// True when the shell took the icon.
bool AddTrayIcon(HWND mainWindow);
void DeleteTrayIcon(HWND mainWindow);
// Opens the tray menu with its bottom-left corner at the cursor.
void ShowTrayMenu(HWND mainWindow);
