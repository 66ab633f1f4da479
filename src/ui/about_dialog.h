#pragma once
#include <windows.h>

// Where the About dialog's links lead; the resource script shows the same texts.
inline constexpr wchar_t kProductPageAddress[] = L"https://wordhaven.example.org/";
inline constexpr wchar_t kContactAddress[] = L"support@wordhaven.example.org";

// Runs the About dialog modally; a second request while it is open is ignored.
void ShowAboutDialog(HWND owner);
INT_PTR CALLBACK AboutDialog(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam);
LRESULT CALLBACK WebLinkLabel(HWND label, UINT message, WPARAM wParam, LPARAM lParam);
LRESULT CALLBACK MailLinkLabel(HWND label, UINT message, WPARAM wParam, LPARAM lParam);
// The underlined font of the open dialog, or null.
HFONT AboutLinkFont();
