#pragma once
#include <windows.h>

inline constexpr UINT kTrayIconId = 108;
inline constexpr UINT kTrayCallbackMessage = WM_APP + 1;

// True when the shell took the icon.
bool AddTrayIcon(HWND mainWindow);
// Draws the icon again at the size of the display's scale, which has changed.
void RedrawTrayIcon(HWND mainWindow);
void DeleteTrayIcon(HWND mainWindow);
// Opens the tray menu with its bottom-left corner at the cursor.
void ShowTrayMenu(HWND mainWindow);
