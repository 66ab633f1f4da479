#pragma once
#include <windows.h>

inline constexpr int kHotkeyWebSearch = 1;  // Alt+W
inline constexpr int kHotkeyNewEntry = 3;   // Alt+E
inline constexpr int kHotkeyRegister = 4;   // Alt+R

// Registers Alt+W, Alt+E and Alt+R in that order, stopping at the first one
// another program holds; then tells the user once.
void RegisterHotkeys(HWND mainWindow);
// WM_HOTKEY: what each hotkey does. Always 0.
LRESULT OnHotkey(HWND mainWindow, WPARAM hotkeyId);
