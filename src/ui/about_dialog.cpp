#include "ui/about_dialog.h"

#include "app/app_globals.h"
#include "ui/resource_ids.h"

void ShowAboutDialog(HWND owner) {
    DialogBoxParamW(instanceHandle, MAKEINTRESOURCEW(IDD_ABOUTBOX), owner, AboutDialog, 0);
}

INT_PTR CALLBACK AboutDialog(HWND dialog, UINT message, WPARAM wParam, LPARAM) {
    switch (message) {
    case WM_INITDIALOG:
        return TRUE;
    case WM_COMMAND:
        if (LOWORD(wParam) == IDOK || LOWORD(wParam) == IDCANCEL) EndDialog(dialog, 0);
        return TRUE;
    case WM_CLOSE:
        PostMessageW(dialog, WM_COMMAND, IDCANCEL, 0);
        return TRUE;
    default:
        return FALSE;
    }
}
