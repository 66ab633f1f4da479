#pragma once
#include <windows.h>

// The hidden top-level window that owns the tray icon and the hotkeys.
inline constexpr wchar_t kMainWindowClass[] = L"wordHaven";
inline constexpr wchar_t kMainWindowTitle[] = L"wordHaven";

ATOM RegisterMainWindowClass(HINSTANCE instance);
HWND CreateMainWindow(HINSTANCE instance);
LRESULT CALLBACK MainWindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam);

// Records both window rectangles and writes the settings file.
void SaveLayoutAndSettings(HWND mainWindow);
void RemoveTrayIconAndQuit(HWND mainWindow);
