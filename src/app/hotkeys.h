#pragma once
#include <windows.h>

inline constexpr int kHotkeyWebSearch = 1;  // Alt+W
inline constexpr int kHotkeyNewEntry = 3;   // Alt+E
inline constexpr int kHotkeyRegister = 4;   // Alt+R

// Registers Alt+W, Alt+E and Alt+R, each on its own, so one that another
// program holds leaves the others working; then names the taken ones in one message.
void RegisterHotkeys(HWND mainWindow);
// WM_HOTKEY: the hotkey is handled in its turn (see hotkey_queue.h). Always 0.
LRESULT OnHotkey(HWND mainWindow, WPARAM hotkeyId);
// A hotkey's turn has come: does what needs no capture, and otherwise returns
// the letter key to capture the selection with (0 when the hotkey is done).
BYTE BeginHotkey(HWND mainWindow, int hotkeyId);
// The selection is in captureBuffer: the web search, or the edit dialog on a new
// entry, which runs modally in here.
void FinishHotkey(HWND mainWindow, int hotkeyId);
