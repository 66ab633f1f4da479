#pragma once
#include <windows.h>

#include <functional>
#include <string>
#include <vector>

// Top-level windows of a process with the given class and title (either may be null).
std::vector<HWND> TopWindowsOf(DWORD processId, const wchar_t* className, const wchar_t* title);
// Polls until such a window exists; null on time-out.
HWND WaitForTopWindow(DWORD processId, const wchar_t* className, const wchar_t* title, DWORD milliseconds = 10000);
// Like WaitForTopWindow, for a window that has also been shown (a dialog is
// shown only once its initialisation is done).
HWND WaitForShownTopWindow(DWORD processId, const wchar_t* className, const wchar_t* title, DWORD milliseconds = 10000);
// Polls until no such window is left; false on time-out.
bool WaitForNoTopWindow(DWORD processId, const wchar_t* className, const wchar_t* title,
                        DWORD milliseconds = 10000);

std::wstring WindowText(HWND window);
std::wstring ClassNameOf(HWND window);
// The text of a message box: its static controls' texts, joined.
std::wstring MessageBoxText(HWND box);
// Pumps this thread's messages until the condition holds; false on time-out.
bool PollUntil(const std::function<bool()>& condition, DWORD milliseconds = 10000);
// Lets other processes' windows run for a while before the next check.
void PumpFor(DWORD milliseconds);
// Puts the cursor at a point of the screen and waits until the system reports
// it there: under Wine a warp reaches GetCursorPos only after the X server's
// motion event has been read, and a stale event can move it back.
bool MoveCursorTo(POINT screen, DWORD milliseconds = 2000);
