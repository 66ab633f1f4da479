#include "editor/register_dialog.h"

#include <commctrl.h>

#include <algorithm>
#include <string_view>

#include "app/app_globals.h"
#include "common/bounded_copy.h"
#include "common/dpi_scale.h"
#include "common/window_dpi.h"
#include "common/window_placement.h"
#include "common/win32_text.h"
#include "editor/edit_dialog.h"
#include "editor/find_window.h"
#include "editor/group_name.h"
#include "editor/group_name_field.h"
#include "editor/list_view.h"
#include "editor/register_layout.h"
#include "editor/word_list.h"
#include "storage/group_file.h"
#include "storage/settings.h"
#include "storage/settings_file.h"
#include "ui/control_text.h"
#include "ui/message_box.h"
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

void SetStoredOrderInLayout() { SetWordListSort({0, kSortStateStored}); }

// After a failed save the list is in stored order; the arrow and the move buttons say so.
void ShowStoredOrder() { ApplySortState(); }

bool HasUnsavedChanges(HWND dialog) { return IsWindowEnabled(GetDlgItem(dialog, IDC_APPLY)) != FALSE; }

void ShowCurrentGroupFromFile() {
    LoadWordListFromGroupFile();
    ApplyColumnWidths();
    ApplySortState();
}

enum class RenameMode { AskUser, Quietly };
enum class RenameOutcome { Unchanged, Renamed, Adopted, Refused };

RenameOutcome RenameCurrentGroup(HWND dialog, RenameMode mode);

// Writes the list in stored order; false after a failed write.
bool SaveInStoredOrder(RenameOutcome rename) {
    SetStoredOrderInLayout();
    SortWordList();
    if (SaveWordListToGroupFile() != 0) {
        ShowStoredOrder();
        return false;
    }
    // The settings map the group to its new file: written now, not only at exit.
    if (rename == RenameOutcome::Renamed) SaveSettingsFile();
    return true;
}

// What Apply does; false when nothing was saved (a refused name, a failed write).
bool ApplyChanges(HWND dialog, RenameMode mode) {
    const RenameOutcome rename = RenameCurrentGroup(dialog, mode);
    if (rename == RenameOutcome::Refused) return false;
    if (rename == RenameOutcome::Adopted) return true;  // the list now is that file, unchanged
    SaveColumnWidths();
    const WordListSort remembered = CurrentWordListSort();
    if (!SaveInStoredOrder(rename)) return false;
    EnableWindow(GetDlgItem(dialog, IDC_APPLY), FALSE);
    SetWordListSort(remembered);
    SortWordList();
    return true;
}

// Before something would drop the list's unsaved changes: true when the
// caller may go on (saved, or the user chose to discard them).
bool SettleUnsavedChanges(HWND dialog) {
    if (!HasUnsavedChanges(dialog)) return true;
    switch (ShowMessage(Message::UnsavedChanges, dialog)) {
    case IDYES:
        return ApplyChanges(dialog, RenameMode::AskUser);
    case IDNO:
        return true;
    default:
        return false;
    }
}

// Letters for Alt, underlined: set when the dialog opens (the template keeps
// its texts), a label given the room its longer text takes, up to the control it names.
void SetMnemonicCaptions(HWND dialog) {
    struct Caption {
        int id;
        const wchar_t* text;
        int namedControl;  // 0 for a button
    };
    static constexpr Caption kCaptions[] = {{IDC_GROUP_LABEL, L"グループ(&G):", IDC_GROUP_SELECTOR},
                                            {IDC_RENAME_LABEL, L"グループ名変更(&M):", IDC_RENAME},
                                            {IDC_NEW, L"新規(&N)", 0},
                                            {IDC_DELETE, L"削除(&D)", 0},
                                            {IDC_APPLY, L"適用(&A)", 0}};
    for (const Caption& caption : kCaptions) {
        HWND control = GetDlgItem(dialog, caption.id);
        SetWindowTextW(control, caption.text);
        if (!caption.namedControl) continue;
        const RECT r = RectInDialog(dialog, control);
        const LONG room = RectInDialog(dialog, GetDlgItem(dialog, caption.namedControl)).left - r.left;
        const LONG wanted = std::min<LONG>(ControlTextWidth(control), room);
        if (wanted > r.right - r.left) MoveWindow(control, r.left, r.top, wanted, r.bottom - r.top, TRUE);
    }
}

// Tab goes round the controls in the order they are used, not the template's;
// a label stands just before its control, where Alt and its letter lead.
void SetTabOrder(HWND dialog) {
    static constexpr int kOrder[] = {IDC_GROUP_LABEL, IDC_GROUP_SELECTOR, IDC_RENAME_LABEL, IDC_RENAME,
                                     kWordListId,     IDC_NEW,            IDC_DELETE,       IDC_MOVE_UP,
                                     IDC_MOVE_DOWN,   IDOK,               IDCANCEL,         IDC_APPLY};
    HWND previous = HWND_TOP;
    for (int id : kOrder) {
        HWND control = GetDlgItem(dialog, id);
        SetWindowPos(control, previous, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
        previous = control;
    }
}

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
    LoadWordListFromGroupFile();
    KeepOwnLayoutOnDpiChange(dialog);
    const Placement p = OpeningRect();
    previousClientWidth = p.width;
    RestoreNormalPlacement(dialog, p);
    ApplySortState();
    ApplyColumnWidths();
    SetMnemonicCaptions(dialog);
    SetTabOrder(dialog);
}

// Closing records where the dialog was, so it opens there next time.
void OnCancel(HWND dialog) {
    if (registerDialogHandle) ReadNormalPlacement(dialog, viewLayout.registerPlacement);
    registerDialogHandle = nullptr;
    DestroyWindow(dialog);
}

void OnOk(HWND dialog) {
    const RenameOutcome rename = RenameCurrentGroup(dialog, RenameMode::AskUser);
    // An adopted file is now on show: the user sees it before anything closes.
    if (rename == RenameOutcome::Refused || rename == RenameOutcome::Adopted) return;
    SaveColumnWidths();
    if (SaveInStoredOrder(rename)) OnCancel(dialog);
}

void OnApply(HWND dialog) { ApplyChanges(dialog, RenameMode::AskUser); }

void OnClose(HWND dialog) {
    SaveColumnWidths();
    if (SettleUnsavedChanges(dialog)) OnCancel(dialog);
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

// The edit dialog on a row of the list, or on a new entry after the last row.
void EditRow(HWND dialog, int row) {
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

void OnDoubleClick(HWND dialog) {
    LVHITTESTINFO hit{};
    GetCursorPos(&hit.pt);
    ScreenToClient(wordListHandle, &hit.pt);
    EditRow(dialog, static_cast<int>(SendMessageW(wordListHandle, LVM_SUBITEMHITTEST, 0, reinterpret_cast<LPARAM>(&hit))));
}

void OnGroupChange(HWND dialog) {
    HWND selector = GetDlgItem(dialog, IDC_GROUP_SELECTOR);
    const auto selected = static_cast<int>(SendMessageW(selector, CB_GETCURSEL, 0, 0));
    SaveColumnWidths();
    if (!SettleUnsavedChanges(dialog)) {
        // The changes stay on show, and so does the group that holds them.
        SendMessageW(selector, CB_SETCURSEL, static_cast<WPARAM>(appSettings.currentGroup), 0);
        return;
    }
    SendMessageW(selector, CB_SETCURSEL, static_cast<WPARAM>(selected), 0);  // a save refills the selector
    SetDlgItemTextW(dialog, IDC_RENAME, L"");  // a name typed for the group left behind
    AppSettings settings = appSettings;
    settings.currentGroup = selected;
    ApplyAppSettings(settings);
    ShowCurrentGroupFromFile();
    EnableWindow(GetDlgItem(dialog, IDC_APPLY), FALSE);  // the list is the file again
}

// Why a group cannot take this name, if it cannot. adopt: the name is that
// of a file in the data folder that the empty current group may take over.
bool RefuseName(std::u16string_view name, Message& refusal, bool& adopt) {
    adopt = false;
    if (!IsSafeGroupName(name, IsNameSafeCharacter)) {
        refusal = Message::GroupNameUnusable;
        return true;
    }
    // Two groups of one name would write over each other's file.
    for (int slot = 0; slot < kGroupSlotCount; ++slot) {
        if (slot != appSettings.currentGroup && SameGroupFile(name, appSettings.groupNames[slot])) {
            refusal = Message::GroupNameTaken;
            return true;
        }
    }
    const std::u16string_view current = appSettings.groupNames[appSettings.currentGroup];
    if (!SameGroupFile(name, current) && GroupFileExists(name)) {
        if (ListRowCount(wordListHandle) > 0) {
            refusal = Message::GroupFileExists;
            return true;
        }
        adopt = true;
    }
    return false;
}

// Gives the current group the name typed into the rename field, if any. A
// refused name stays in the field for the user to mend.
RenameOutcome RenameCurrentGroup(HWND dialog, RenameMode mode) {
    wchar_t typed[kGroupNameUnits] = {};
    GetDlgItemTextW(dialog, IDC_RENAME, typed, kGroupNameUnits);
    const std::u16string_view name = AsUtf16View(typed);
    const std::u16string_view current = appSettings.groupNames[appSettings.currentGroup];
    if (name.empty() || name == current) {
        SetDlgItemTextW(dialog, IDC_RENAME, L"");
        return RenameOutcome::Unchanged;
    }
    Message refusal{};
    bool adopt = false;
    if (RefuseName(name, refusal, adopt) || (adopt && mode == RenameMode::Quietly)) {
        if (mode == RenameMode::AskUser) ShowMessage(refusal, dialog);
        return RenameOutcome::Refused;
    }
    AppSettings settings = appSettings;
    CopyBounded(settings.groupNames[settings.currentGroup], name);
    ApplyAppSettings(settings);
    SendDlgItemMessageW(dialog, IDC_GROUP_SELECTOR, CB_RESETCONTENT, 0, 0);
    FillGroupSelector(dialog);
    SetDlgItemTextW(dialog, IDC_RENAME, L"");
    if (!adopt) return RenameOutcome::Renamed;
    // A file made elsewhere, brought in by naming the empty group after it.
    ShowCurrentGroupFromFile();
    SaveSettingsFile();
    EnableWindow(GetDlgItem(dialog, IDC_APPLY), FALSE);
    return RenameOutcome::Adopted;
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

bool ControlDown() { return GetKeyState(VK_CONTROL) < 0; }

// Keys with a meaning of their own in the dialog; true when the key was taken.
bool OnKeyDown(HWND dialog, HWND target, WPARAM key) {
    if (ControlDown() && key == 'F') {
        OpenFindWindow(mainWindowHandle);
        return true;
    }
    // Esc closes an open drop-down list first, as in every dialog.
    const bool listDropped = SendDlgItemMessageW(dialog, IDC_GROUP_SELECTOR, CB_GETDROPPEDSTATE, 0, 0) != FALSE;
    if (key == VK_ESCAPE && !listDropped) {
        PostMessageW(dialog, WM_CLOSE, 0, 0);  // as the title bar's close: unsaved changes are asked about
        return true;
    }
    if (target == wordListHandle) {
        if (key == VK_RETURN) {
            int row = ListNextRow(wordListHandle, -1, LVNI_FOCUSED | LVNI_SELECTED);
            if (row < 0) row = ListNextRow(wordListHandle, -1, LVNI_SELECTED);
            if (row >= 0) EditRow(dialog, row);
            return true;
        }
        if (key == VK_DELETE) {
            DeleteSelectedRows();
            return true;
        }
        if (ControlDown() && key == 'A') {
            ListSetState(wordListHandle, -1, LVIS_SELECTED, LVIS_SELECTED);
            return true;
        }
    }
    // A name being typed is applied with Apply or OK, not by Enter.
    return key == VK_RETURN && target == GetDlgItem(dialog, IDC_RENAME);
}

void MoveControl(HWND dialog, int id, const ControlBox& box) {
    MoveWindow(GetDlgItem(dialog, id), box.left, box.top, box.width, box.height, TRUE);
}

}  // namespace

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

bool TranslateRegisterDialogKey(MSG& message) {
    HWND dialog = registerDialogHandle;
    if (!dialog || (message.hwnd != dialog && !IsChild(dialog, message.hwnd))) return false;
    if (message.message == WM_KEYDOWN && OnKeyDown(dialog, message.hwnd, message.wParam)) return true;
    return IsDialogMessageW(dialog, &message) != FALSE;
}

bool GlossaryHasUnsavedChanges() { return registerDialogHandle && HasUnsavedChanges(registerDialogHandle); }

void ShowGlossaryEntry(HWND mainWindow, int slot, int64_t key) {
    if (!registerDialogHandle) OpenRegisterDialog(mainWindow);
    HWND dialog = registerDialogHandle;
    if (!dialog) return;
    ShowWindow(dialog, SW_SHOWNORMAL);
    SetForegroundWindow(dialog);
    if (slot != appSettings.currentGroup) {
        SendDlgItemMessageW(dialog, IDC_GROUP_SELECTOR, CB_SETCURSEL, static_cast<WPARAM>(slot), 0);
        OnGroupChange(dialog);
        if (slot != appSettings.currentGroup) return;  // the user kept the unsaved changes on show
    }
    const int row = ListFindKey(wordListHandle, static_cast<LPARAM>(key));
    ListSetState(wordListHandle, -1, 0, LVIS_SELECTED | LVIS_FOCUSED);
    if (row < 0) return;
    ListSetState(wordListHandle, row, LVIS_SELECTED | LVIS_FOCUSED, LVIS_SELECTED | LVIS_FOCUSED);
    ListEnsureVisible(wordListHandle, row);
    SetFocus(wordListHandle);
}

bool SettleUnsavedChangesBeforeExit() { return !registerDialogHandle || SettleUnsavedChanges(registerDialogHandle); }

void SaveUnsavedChangesWithoutAsking() {
    if (registerDialogHandle && HasUnsavedChanges(registerDialogHandle)) {
        ApplyChanges(registerDialogHandle, RenameMode::Quietly);
    }
}

void ShowRegisterDialog(HWND mainWindow) {
    if (!registerDialogHandle) {
        OpenRegisterDialog(mainWindow);
        return;
    }
    // It has no button on the taskbar to be found by: it comes to the user.
    if (IsIconic(registerDialogHandle)) ShowWindow(registerDialogHandle, SW_RESTORE);
    SetForegroundWindow(registerDialogHandle);
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
        // Handled here rather than as Cancel: the Cancel button itself keeps no
        // widths, and asks nothing about unsaved changes.
        OnClose(dialog);
        return TRUE;
    case WM_DPICHANGED:
        // The default handling then gives the template's controls their new font and places.
        OnDpiChanged(dialog, LOWORD(wParam), *reinterpret_cast<const RECT*>(lParam));
        break;
    default:
        break;
    }
    return FALSE;
}
