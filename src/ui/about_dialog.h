#pragma once
#include <windows.h>

// Runs the About dialog modally, owned by the main window.
void ShowAboutDialog(HWND owner);
INT_PTR CALLBACK AboutDialog(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam);
