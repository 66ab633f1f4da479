#include "editor/register_dialog.h"

#include <commctrl.h>

#include "app/app_globals.h"
#include "common/win32_text.h"
#include "editor/word_list.h"
#include "storage/group_file.h"
#include "storage/settings.h"
#include "ui/resource_ids.h"

HWND registerDialogHandle = nullptr;
HWND wordListHandle = nullptr;

namespace {

void FillGroupSelector(HWND dialog) {
    HWND selector = GetDlgItem(dialog, IDC_GROUP_SELECTOR);
    // Inserted by index: the selector sorts what is added, and its index must stay the slot number.
    for (int slot = 0; slot < kGroupSlotCount; ++slot) {
        SendMessageW(selector, CB_INSERTSTRING, static_cast<WPARAM>(slot),
                     reinterpret_cast<LPARAM>(AsWide(appSettings.groupNames[slot])));
    }
    SendMessageW(selector, CB_SETCURSEL, static_cast<WPARAM>(appSettings.currentGroup), 0);
}

void OnInitDialog(HWND dialog) {
    HWND list = CreateWordList(dialog);
    FillGroupSelector(dialog);
    wordListHandle = list;
    registerDialogHandle = dialog;
    LoadGroupFile();
    const Placement& p = viewLayout.registerPlacement;
    MoveWindow(dialog, p.left, p.top, p.width, p.height, FALSE);
    ApplySortState(viewLayout.sortStates[0]);
    ApplyColumnWidths();
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

void OnNotify(const NMHDR* header) {
    if (header->idFrom != kWordListId) return;
    if (header->code == LVN_COLUMNCLICK) CycleSortState(reinterpret_cast<const NMLISTVIEW*>(header)->iSubItem);
}

}  // namespace

void OpenRegisterDialog(HWND mainWindow) {
    CreateDialogParamW(instanceHandle, MAKEINTRESOURCEW(IDD_REGISTER), mainWindow, RegisterDialog, 0);
}

INT_PTR CALLBACK RegisterDialog(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
    case WM_INITDIALOG:
        OnInitDialog(dialog);
        return FALSE;
    case WM_COMMAND:
        if (wParam == IDOK || wParam == IDCANCEL) OnCancel(dialog);
        return FALSE;
    case WM_NOTIFY:
        OnNotify(reinterpret_cast<const NMHDR*>(lParam));
        return FALSE;
    default:
        return FALSE;
    }
}
