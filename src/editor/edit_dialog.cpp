#include "editor/edit_dialog.h"

#include "app/app_globals.h"
#include "ui/resource_ids.h"

PendingEdit pendingEdit = {};

void RunEditDialog(HWND owner) {
    DialogBoxParamW(instanceHandle, MAKEINTRESOURCEW(IDD_EDIT), owner, EditDialog, 0);
}

INT_PTR CALLBACK EditDialog(HWND dialog, UINT message, WPARAM wParam, LPARAM) {
    switch (message) {
    case WM_INITDIALOG:
        return TRUE;
    case WM_COMMAND:
        if (wParam == IDOK) EndDialog(dialog, 1);
        if (wParam == IDCANCEL) EndDialog(dialog, 2);
        return TRUE;
    default:
        return FALSE;
    }
}
