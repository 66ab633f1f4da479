#include "editor/register_dialog.h"

#include "app/app_globals.h"
#include "storage/settings.h"
#include "ui/resource_ids.h"

HWND registerDialogHandle = nullptr;
HWND wordListHandle = nullptr;

namespace {

void OnInitDialog(HWND dialog) {
    registerDialogHandle = dialog;
    const Placement& p = viewLayout.registerPlacement;
    MoveWindow(dialog, p.left, p.top, p.width, p.height, FALSE);
}

// Closing records where the dialog was, so it opens there next time.
void OnCancel(HWND dialog) {
    if (registerDialogHandle) {
        WINDOWPLACEMENT wp{};
        wp.length = sizeof wp;
        if (GetWindowPlacement(dialog, &wp)) {
            const RECT& r = wp.rcNormalPosition;
            viewLayout.registerPlacement = {r.left, r.top, r.right - r.left, r.bottom - r.top};
        }
    }
    registerDialogHandle = nullptr;
    DestroyWindow(dialog);
}

}  // namespace

void OpenRegisterDialog(HWND mainWindow) {
    CreateDialogParamW(instanceHandle, MAKEINTRESOURCEW(IDD_REGISTER), mainWindow, RegisterDialog, 0);
}

INT_PTR CALLBACK RegisterDialog(HWND dialog, UINT message, WPARAM wParam, LPARAM) {
    switch (message) {
    case WM_INITDIALOG:
        OnInitDialog(dialog);
        return FALSE;
    case WM_COMMAND:
        if (wParam == IDOK || wParam == IDCANCEL) OnCancel(dialog);
        return FALSE;
    default:
        return FALSE;
    }
}
