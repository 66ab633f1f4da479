#pragma once
// The find window: every entry of all the groups that holds the typed text,
// and a way to the entry in the glossary.
#include <windows.h>

// Non-null while the find window exists (there is at most one).
extern HWND findWindowHandle;

// Opens the find window, or brings the open one to the front.
void OpenFindWindow(HWND owner);
// The open find window's texts again, in the language of the moment.
void ShowFindWindowTexts();
INT_PTR CALLBACK FindDialog(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
