#pragma once
// Hotkeys handled one after another, each capture driven by a timer of the
// main window, so that no window of the program stops answering while a
// capture waits for the copy or for the moment to put the clipboard back.
#include <windows.h>

// The main window's timer that moves the captures on.
inline constexpr UINT_PTR kCaptureTimerId = 1200;

// WM_HOTKEY: the hotkey is handled now, or once the capture in progress has
// finished, in the order the hotkeys were pressed.
void QueueHotkey(HWND mainWindow, int hotkeyId);
// WM_TIMER: true when it was the capture timer.
bool OnCaptureTimer(HWND mainWindow, UINT_PTR timerId);
// WM_CLIPBOARDUPDATE: a capture may have its copy.
void OnClipboardUpdate(HWND mainWindow);
// The main window is going: clipboards still waiting to be put back are put back now.
void PutBackClipboardsNow(HWND mainWindow);
