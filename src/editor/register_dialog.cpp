#include "editor/register_dialog.h"

#include <commctrl.h>

#include "app/app_globals.h"
#include "common/bounded_copy.h"
#include "common/dpi_scale.h"
#include "common/window_dpi.h"
#include "common/window_placement.h"
#include "common/win32_text.h"
#include "editor/edit_dialog.h"
#include "editor/group_name.h"
#include "editor/group_name_field.h"
#include "editor/list_view.h"
#include "editor/register_layout.h"
#include "editor/word_list.h"
#include "storage/group_file.h"
#include "storage/settings.h"
#include "ui/resource_ids.h"

HWND registerDialogHandle = nullptr;
HWND wordListHandle = nullptr;

namespace {

constexpr int kRenameFieldLimit = 256;

// Client width at the previous WM_SIZE, to tell growing from shrinking.
int previousClientWidth = 0;
// The DPI of the display the dialog is on: its layout is in pixels of this DPI.
int dialogDpi = kDesignDpi;

constexpr int kOwnLayoutButtons[] = {IDC_NEW, IDC_DELETE, IDC_MOVE_UP, IDC_MOVE_DOWN, IDOK, IDCANCEL, IDC_APPLY};

void FillGroupSelector(HWND dialog) {
    HWND selector = GetDlgItem(dialog, IDC_GROUP_SELECTOR);
    // Inserted by index: the selector sorts what is added, and its index must stay the slot number.
    for (int slot = 0; slot < kGroupSlotCount; ++slot) {
        SendMessageW(selector, CB_INSERTSTRING, static_cast<WPARAM>(slot),
                     reinterpret_cast<LPARAM>(AsWide(appSettings.groupNames[slot])));
    }
    SendMessageW(selector, CB_SETCURSEL, static_cast<WPARAM>(appSettings.currentGroup), 0);
}

void SetSortStateInLayout(int state) {
    ViewLayout layout = viewLayout;
    layout.sortStates[0] = state;
    ApplyViewLayout(layout);
}

// After a failed save the list is in stored order; the arrow and the move buttons say so.
void ShowStoredOrder() { ApplySortState(kSortStateStored); }

// A first start at 150 % shows the layout of 100 %: the default size grows
// with the scale, and is moved back onto its monitor if it then reaches past it.
Placement OpeningRect() {
    const Placement& stored = viewLayout.registerPlacement;
    Placement p = OpeningPlacement(stored, DefaultViewLayout().registerPlacement, dialogDpi);
    if (p.width == stored.width && p.height == stored.height) return p;
    RECT r{p.left, p.top, p.left + p.width, p.top + p.height};
    MONITORINFO monitor{};
    monitor.cbSize = sizeof monitor;
    if (GetMonitorInfoW(MonitorFromRect(&r, MONITOR_DEFAULTTONEAREST), &monitor)) {
        const RECT& m = monitor.rcMonitor;
        p = ClampPlacementToMonitor(p, ScreenRect{m.left, m.top, m.right, m.bottom});
    }
    return p;
}

// The list and the buttons it moves follow its own rules at every scale.
void KeepOwnLayoutOnDpiChange(HWND dialog) {
    KeepDialogSizeOnDpiChange(dialog);
    KeepControlPlaceOnDpiChange(wordListHandle, true);
    for (int id : kOwnLayoutButtons) KeepControlPlaceOnDpiChange(GetDlgItem(dialog, id), false);
}

// Moved to a display of another scale: the system suggests the rectangle.
void OnDpiChanged(HWND dialog, int dpi, const RECT& suggested) {
    ChangeWordListDpi(dpi);
    dialogDpi = dpi;
    SetWindowPos(dialog, nullptr, suggested.left, suggested.top, suggested.right - suggested.left,
                 suggested.bottom - suggested.top, SWP_NOZORDER | SWP_NOACTIVATE);
    RECT client;
    GetClientRect(dialog, &client);
    LayOutControls(dialog, client.right);
}

void OnInitDialog(HWND dialog) {
    dialogDpi = WindowDpi(dialog);
    HWND list = CreateWordList(dialog);
    FillGroupSelector(dialog);
    wordListHandle = list;
    registerDialogHandle = dialog;
    HWND renameField = GetDlgItem(dialog, IDC_RENAME);
    InstallGroupNameFilter(renameField);
    SendMessageW(renameField, EM_LIMITTEXT, kRenameFieldLimit, 0);
    LoadGroupFile();
    KeepOwnLayoutOnDpiChange(dialog);
    const Placement p = OpeningRect();
    previousClientWidth = p.width;
    MoveWindow(dialog, p.left, p.top, p.width, p.height, FALSE);
    ApplySortState(viewLayout.sortStates[0]);
    ApplyColumnWidths();
}

// Closing records where the dialog was, so it opens there next time.
void OnCancel(HWND dialog) {
    if (registerDialogHandle) ReadNormalPlacement(dialog, viewLayout.registerPlacement);
    registerDialogHandle = nullptr;
    DestroyWindow(dialog);
}

void OnOk(HWND dialog) {
    RenameCurrentGroup(dialog);
    SetSortStateInLayout(kSortStateStored);
    SortWordList();
    SaveColumnWidths();
    if (SaveGroupFile() != 0) {
        ShowStoredOrder();
        return;
    }
    OnCancel(dialog);
}

void OnApply(HWND dialog) {
    RenameCurrentGroup(dialog);
    SaveColumnWidths();
    const int remembered = viewLayout.sortStates[0];
    SetSortStateInLayout(kSortStateStored);
    SortWordList();
    if (SaveGroupFile() != 0) {
        ShowStoredOrder();
        return;
    }
    EnableWindow(GetDlgItem(dialog, IDC_APPLY), FALSE);
    SetSortStateInLayout(remembered);
    SortWordList();
}

// New entries go after the last row the list holds, whatever the stored count says.
void PrepareNewEntry() {
    pendingEdit.insertNew = 10;
    pendingEdit.targetRow = ListRowCount(wordListHandle);
    pendingEdit.term[0] = pendingEdit.reading[0] = pendingEdit.spelling[0] = pendingEdit.description[0] = L'\0';
}

void OnNew(HWND dialog) {
    PrepareNewEntry();
    RunEditDialog(dialog);
}

void OnDoubleClick(HWND dialog) {
    LVHITTESTINFO hit{};
    GetCursorPos(&hit.pt);
    ScreenToClient(wordListHandle, &hit.pt);
    const int row = static_cast<int>(SendMessageW(wordListHandle, LVM_SUBITEMHITTEST, 0, reinterpret_cast<LPARAM>(&hit)));
    if (row >= 0 && row < ListRowCount(wordListHandle)) {
        pendingEdit.targetRow = row;
        pendingEdit.insertNew = 0;
        ListGetText(wordListHandle, row, 0, pendingEdit.term, kEntryTextUnits);
        ListGetText(wordListHandle, row, 1, pendingEdit.reading, kEntryTextUnits);
        ListGetText(wordListHandle, row, 2, pendingEdit.spelling, kEntryTextUnits);
        ListGetText(wordListHandle, row, 3, pendingEdit.description, kEntryTextUnits);
    } else {
        PrepareNewEntry();
    }
    RunEditDialog(dialog);
}

void OnGroupChange(HWND dialog) {
    SaveColumnWidths();
    const auto selected = static_cast<int>(SendDlgItemMessageW(dialog, IDC_GROUP_SELECTOR, CB_GETCURSEL, 0, 0));
    AppSettings settings = appSettings;
    settings.currentGroup = selected;
    ApplyAppSettings(settings);
    ListDeleteAll(wordListHandle);
    LoadGroupFile();
    ApplyColumnWidths();
    ApplySortState(viewLayout.sortStates[0]);
}

void OnCommand(HWND dialog, WPARAM wParam) {
    switch (wParam) {
    case IDOK:
        OnOk(dialog);
        break;
    case IDCANCEL:
        OnCancel(dialog);
        break;
    case IDC_APPLY:
        OnApply(dialog);
        break;
    case IDC_NEW:
        OnNew(dialog);
        break;
    case IDC_DELETE:
        DeleteSelectedRows();
        break;
    case IDC_MOVE_UP:
        MoveSelectedRow(MoveDirection::Up);
        break;
    case IDC_MOVE_DOWN:
        MoveSelectedRow(MoveDirection::Down);
        break;
    case MAKEWPARAM(IDC_GROUP_SELECTOR, CBN_SELCHANGE):
        OnGroupChange(dialog);
        break;
    default:
        break;
    }
}

void OnNotify(HWND dialog, const NMHDR* header) {
    if (header->idFrom != kWordListId) return;
    switch (header->code) {
    case LVN_COLUMNCLICK:
        CycleSortState(reinterpret_cast<const NMLISTVIEW*>(header)->iSubItem);
        break;
    case NM_DBLCLK:
        OnDoubleClick(dialog);
        break;
    default:
        break;
    }
}

void MoveControl(HWND dialog, int id, const ControlBox& box) {
    MoveWindow(GetDlgItem(dialog, id), box.left, box.top, box.width, box.height, TRUE);
}

}  // namespace

void RenameCurrentGroup(HWND dialog) {
    wchar_t typed[kGroupNameUnits] = {};
    GetDlgItemTextW(dialog, IDC_RENAME, typed, kGroupNameUnits);
    const std::u16string_view name = AsUtf16View(typed);
    const std::u16string_view current = appSettings.groupNames[appSettings.currentGroup];
    // A name that would put the group file outside the data folder, or on a
    // device, is refused like an empty one; the field is cleared either way.
    if (!name.empty() && name != current && IsSafeGroupName(name, IsNameSafeCharacter)) {
        AppSettings settings = appSettings;
        CopyBounded(settings.groupNames[settings.currentGroup], name);
        ApplyAppSettings(settings);
        SendDlgItemMessageW(dialog, IDC_GROUP_SELECTOR, CB_RESETCONTENT, 0, 0);
        FillGroupSelector(dialog);
    }
    SetDlgItemTextW(dialog, IDC_RENAME, L"");
}

void LayOutControls(HWND dialog, int clientWidth) {
    if (!wordListHandle || GetParent(wordListHandle) != dialog) return;  // before initialisation
    const bool grown = clientWidth > previousClientWidth;
    previousClientWidth = clientWidth;
    RECT client;
    GetClientRect(dialog, &client);
    const RegisterLayout layout = ArrangeRegisterDialog(client.right - client.left, client.bottom - client.top, dialogDpi);
    const ControlBox& list = layout.list;
    MoveWindow(wordListHandle, list.left, list.top, list.width, list.height, TRUE);
    MoveControl(dialog, IDC_NEW, layout.newButton);
    MoveControl(dialog, IDC_DELETE, layout.deleteButton);
    MoveControl(dialog, IDC_MOVE_UP, layout.moveUpButton);
    MoveControl(dialog, IDC_MOVE_DOWN, layout.moveDownButton);
    // Moved away from the side they travel to first, so they never overlap on the way.
    if (grown) {
        MoveControl(dialog, IDC_APPLY, layout.applyButton);
        MoveControl(dialog, IDCANCEL, layout.cancelButton);
        MoveControl(dialog, IDOK, layout.okButton);
    } else {
        MoveControl(dialog, IDOK, layout.okButton);
        MoveControl(dialog, IDCANCEL, layout.cancelButton);
        MoveControl(dialog, IDC_APPLY, layout.applyButton);
    }
}

void OpenRegisterDialog(HWND mainWindow) {
    CreateDialogParamW(instanceHandle, MAKEINTRESOURCEW(IDD_REGISTER), mainWindow, RegisterDialog, 0);
}

INT_PTR CALLBACK RegisterDialog(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
    case WM_INITDIALOG:
        OnInitDialog(dialog);
        break;
    case WM_COMMAND:
        OnCommand(dialog, wParam);
        break;
    case WM_NOTIFY:
        OnNotify(dialog, reinterpret_cast<const NMHDR*>(lParam));
        break;
    case WM_SIZE:
        LayOutControls(dialog, LOWORD(lParam));
        break;
    case WM_CLOSE:
        // The default handling then sends Cancel; the Cancel button itself keeps no widths.
        SaveColumnWidths();
        break;
    case WM_DPICHANGED:
        // The default handling then gives the template's controls their new font and places.
        OnDpiChanged(dialog, LOWORD(wParam), *reinterpret_cast<const RECT*>(lParam));
        break;
    default:
        break;
    }
    return FALSE;
}
