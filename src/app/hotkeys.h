#pragma once
#include <windows.h>

inline constexpr int kHotkeyWebSearch = 1;  // Alt+W
inline constexpr int kHotkeyNewEntry = 3;   // Alt+E
inline constexpr int kHotkeyRegister = 4;   // Alt+R

// Registers Alt+W, Alt+E and Alt+R, each on its own, so one that another
// program holds leaves the others working; then names the taken ones in one message.
void RegisterHotkeys(HWND mainWindow);
// WM_HOTKEY: what each hotkey does. Always 0.
LRESULT OnHotkey(HWND mainWindow, WPARAM hotkeyId);
