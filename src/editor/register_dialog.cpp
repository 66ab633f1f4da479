#include "editor/register_dialog.h"

#include <commctrl.h>

#include "app/app_globals.h"
#include "common/window_placement.h"
#include "editor/edit_dialog.h"
#include "editor/export_dialog.h"
#include "editor/find_window.h"
#include "editor/glossary_changes.h"
#include "editor/group_name_field.h"
#include "editor/group_rename.h"
#include "editor/group_save.h"
#include "editor/list_view.h"
#include "editor/register_dialog_layout.h"
#include "editor/word_list.h"
#include "storage/settings.h"
#include "ui/message_box.h"
#include "ui/resource_ids.h"

HWND registerDialogHandle = nullptr;
HWND wordListHandle = nullptr;

namespace {

// What a group name keeps: a longer name typed here would be cut without a word.
constexpr int kRenameFieldLimit = kGroupNameUnits - 1;

void OnInitDialog(HWND dialog) {
    BeginRegisterDialogLayout(dialog);
    HWND list = CreateWordList(dialog);
    CreateExportButton(dialog);
    FillGroupSelector(dialog);
    wordListHandle = list;
    registerDialogHandle = dialog;
    HWND renameField = GetDlgItem(dialog, IDC_RENAME);
    InstallGroupNameFilter(renameField);
    SendMessageW(renameField, EM_LIMITTEXT, kRenameFieldLimit, 0);
    LoadWordListFromGroupFile();
    NoteGlossaryShowsFile();
    PlaceRegisterDialog(dialog);
    ApplySortState();
    ApplyColumnWidths();
    SetMnemonicCaptions(dialog);
    SetTabOrder(dialog);
}

// Cancel, and the end of a successful OK. Closing records where the dialog
// was, so it opens there next time.
void CloseDialog(HWND dialog) {
    if (registerDialogHandle) ReadNormalPlacement(dialog, viewLayout.registerPlacement);
    registerDialogHandle = nullptr;
    DestroyWindow(dialog);
}

void OnOk(HWND dialog) {
    // An adopted file is now on show: the user sees it before anything closes.
    if (SaveGlossary(dialog, RenameMode::AskUser, false) != SaveOutcome::Saved) return;
    // Changed while the save's message was up: that is not saved, so the dialog stays with it.
    if (GlossaryListChanged()) {
        ShowStoredOrder();
        return;
    }
    CloseDialog(dialog);
}

void OnApply(HWND dialog) { ApplyChanges(dialog, RenameMode::AskUser); }

void OnClose(HWND dialog) {
    SaveColumnWidths();
    if (SettleUnsavedChanges(dialog)) CloseDialog(dialog);
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

void OnCommand(HWND dialog, WPARAM wParam) {
    switch (wParam) {
    case IDOK:
        OnOk(dialog);
        break;
    case IDCANCEL:
        CloseDialog(dialog);
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
    case IDC_EXPORT:
        ExportGlossary(dialog);
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

}  // namespace

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
    HWND dialog = registerDialogHandle;
    if (!dialog) return;
    // The entry being edited is the user's work too. One that cannot go into
    // the list (no term, or its row gone after a reload) is kept in the notes.
    if (EditDialogHoldingChange()) {
        const std::wstring texts = OpenEditDialogTexts();
        if (AcceptOpenEditDialog() != EditAccepted::Accepted && !texts.empty()) {
            ShowMessage(Message::EditedEntryNotSaved, nullptr, texts);
        }
    }
    if (HasUnsavedChanges(dialog)) SaveGlossary(dialog, RenameMode::Quietly, true);
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
    case WM_ACTIVATE:
        // Back from another program, perhaps one that edited the group's file.
        if (LOWORD(wParam) != WA_INACTIVE) ShowChangesOfOtherPrograms();
        break;
    case WM_CLOSE:
        // Handled here rather than as Cancel: the Cancel button itself keeps no
        // widths, and asks nothing about unsaved changes.
        OnClose(dialog);
        return TRUE;
    case WM_DPICHANGED:
        // The default handling then gives the template's controls their new font and places.
        OnRegisterDialogDpiChanged(dialog, LOWORD(wParam), *reinterpret_cast<const RECT*>(lParam));
        break;
    default:
        break;
    }
    return FALSE;
}
