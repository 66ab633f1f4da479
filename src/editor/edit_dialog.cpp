#include "editor/edit_dialog.h"

#include <cwchar>
#include <string>

#include "app/app_globals.h"
#include "common/win32_text.h"
#include "editor/dictionary_list.h"
#include "editor/glossary_changes.h"
#include "editor/glossary_lookup.h"
#include "editor/list_view.h"
#include "editor/register_dialog.h"
#include "storage/settings.h"
#include "ui/control_text.h"
#include "ui/message_box.h"
#include "ui/resource_ids.h"
#include "ui/ui_text.h"

PendingEdit pendingEdit = {};

namespace {

constexpr int kFieldLimit = kEntryTextUnits - 1;
constexpr int kFieldIds[4] = {IDC_TERM, IDC_READING, IDC_SPELLING, IDC_DESCRIPTION};

WNDPROC previousDescriptionProc = nullptr;
bool editDialogOpen = false;
// The open dialog until it is ended: one ended but still unwinding is not
// accepted or discarded again.
HWND openDialog = nullptr;
// The group on show when the dialog opened: OK writes into no other.
int targetSlot = -1;

const wchar_t* PendingText(int field) {
    const wchar_t* texts[4] = {pendingEdit.term, pendingEdit.reading, pendingEdit.spelling, pendingEdit.description};
    return texts[field];
}

// Enter in the description neither breaks the line nor reaches the dialog.
// The key press is taken, and so is the character it is translated into;
// a pasted line break still gets in.
LRESULT CALLBACK DescriptionKeyFilter(HWND field, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == WM_KEYDOWN && wParam == VK_RETURN) return 0;
    if (message == WM_CHAR && (wParam == L'\r' || wParam == L'\n')) return 0;
    return CallWindowProcW(previousDescriptionProc, field, message, wParam, lParam);
}

// Whether the entry Alt+E brings is already collected, and where: a line left
// of the buttons, in the dialog's font. It never stops the user adding it again.
void ShowWhereTermIsCollected(HWND dialog) {
    if (!pendingEdit.insertNew || !pendingEdit.forceChanged || pendingEdit.term[0] == L'\0') return;
    const std::wstring where = DescribeGroupsWithTerm(pendingEdit.term);
    if (where.empty()) return;
    RECT place{17, 275, 325, 285};  // dialog units, beside OK and Cancel
    MapDialogRect(dialog, &place);
    HWND note = CreateWindowExW(0, L"STATIC", where.c_str(), WS_CHILD | WS_VISIBLE | SS_LEFT | SS_NOPREFIX |
                                SS_ENDELLIPSIS, place.left, place.top, place.right - place.left,
                                place.bottom - place.top, dialog, reinterpret_cast<HMENU>(static_cast<INT_PTR>(IDC_COLLECTED_NOTE)),
                                instanceHandle, nullptr);
    SendMessageW(note, WM_SETFONT, SendMessageW(dialog, WM_GETFONT, 0, 0), FALSE);
}

// The labels are given the room their text takes, up to the fields they name.
void SetTexts(HWND dialog) {
    SetWindowTextW(dialog, UiText(Text::EditCaption));
    static constexpr ControlTextName kTexts[] = {
        {IDC_TERM_LABEL, Text::EditTermLabel},       {IDC_READING_LABEL, Text::EditReadingLabel},
        {IDC_SPELLING_LABEL, Text::EditSpellingLabel}, {IDC_DESCRIPTION_LABEL, Text::EditMeaningLabel},
        {IDC_DICTIONARY_LABEL, Text::EditDictionaryLabel}, {IDOK, Text::ButtonOk},
        {IDCANCEL, Text::ButtonCancel}};
    SetControlTexts(dialog, kTexts);
    const LONG fields = RectInDialog(dialog, GetDlgItem(dialog, IDC_TERM)).left;
    for (int label : {IDC_TERM_LABEL, IDC_READING_LABEL, IDC_SPELLING_LABEL, IDC_DESCRIPTION_LABEL, IDC_DICTIONARY_LABEL}) {
        WidenToText(dialog, GetDlgItem(dialog, label), fields);
    }
}

INT_PTR OnInitDialog(HWND dialog) {
    openDialog = dialog;
    SetTexts(dialog);
    targetSlot = appSettings.currentGroup;
    for (int field = 0; field < 4; ++field) {
        SetDlgItemTextW(dialog, kFieldIds[field], PendingText(field));
        SendDlgItemMessageW(dialog, kFieldIds[field], EM_LIMITTEXT, kFieldLimit, 0);
    }
    HWND description = GetDlgItem(dialog, IDC_DESCRIPTION);
    previousDescriptionProc = reinterpret_cast<WNDPROC>(GetWindowLongPtrW(description, GWLP_WNDPROC));
    SetWindowLongPtrW(description, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(DescriptionKeyFilter));
    ShowWhereTermIsCollected(dialog);
    SetUpDictionaryList(dialog);
    SetFocus(description);
    return FALSE;
}

void End(HWND dialog, INT_PTR result) {
    if (dialog == openDialog) openDialog = nullptr;
    EndDictionaryList(dialog);
    EndDialog(dialog, result);
}

// The row OK writes into, in the group the dialog was opened on; -1 when
// that group is no longer on show or the row was taken out of the list.
int TargetRow() {
    if (!wordListHandle || appSettings.currentGroup != targetSlot) return -1;
    const int count = ListRowCount(wordListHandle);
    const int row = pendingEdit.targetRow;
    // A new entry goes after the last row the list holds now, which may be
    // more rows than when the dialog opened (the group read again meanwhile).
    if (pendingEdit.insertNew) return count;
    const auto holdsEntry = [](int r) {
        for (int field = 0; field < 4; ++field) {
            if (ListGetText(wordListHandle, r, field, kEntryTextUnits) != PendingText(field)) return false;
        }
        return true;
    };
    if (row >= 0 && row < count && holdsEntry(row)) return row;
    for (int r = 0; r < count; ++r) {
        if (holdsEntry(r)) return r;
    }
    return -1;
}

// The OK step and what follows from it.
EditAccepted AcceptEdit(HWND dialog) {
    const int target = TargetRow();
    if (target < 0) return EditAccepted::TargetGone;
    pendingEdit.targetRow = target;
    if (ApplyEdit(dialog) == -1) return EditAccepted::EmptyTerm;
    if (pendingEdit.entryChanged == 1) {
        NoteGlossaryChange();
        if (pendingEdit.insertNew) ++appSettings.entryCounts[appSettings.currentGroup];
    }
    return EditAccepted::Accepted;
}

void OnOk(HWND dialog) {
    const EditAccepted accepted = AcceptEdit(dialog);
    if (accepted != EditAccepted::Accepted) {
        // Owned by the dialog, so it cannot fall behind the window that waits for it.
        ShowMessage(EditRefusalMessage(accepted), dialog);
        return;
    }
    End(dialog, 1);
}

std::wstring FieldText(HWND dialog, int id) { return WholeWindowText(GetDlgItem(dialog, id)); }

}  // namespace

bool EditDialogOpen() { return editDialogOpen; }

void RunEditDialog(HWND owner) {
    editDialogOpen = true;
    DialogBoxParamW(instanceHandle, MAKEINTRESOURCEW(IDD_EDIT), owner, EditDialog, 0);
    editDialogOpen = false;
    openDialog = nullptr;
    // An Alt+E entry counts as new even unedited, in its own dialog only:
    // cancelled, it must not make a later unchanged OK a change.
    pendingEdit.forceChanged = 0;
}

HWND EditDialogHoldingChange() {
    if (!openDialog) return nullptr;
    if (pendingEdit.forceChanged) return openDialog;
    for (int field = 0; field < 4; ++field) {
        if (FieldText(openDialog, kFieldIds[field]) != PendingText(field)) return openDialog;
    }
    return nullptr;
}

EditAccepted AcceptOpenEditDialog() {
    if (!openDialog) return EditAccepted::Accepted;
    const EditAccepted accepted = AcceptEdit(openDialog);
    if (accepted == EditAccepted::Accepted) End(openDialog, 1);
    return accepted;
}

Message EditRefusalMessage(EditAccepted refusal) {
    return refusal == EditAccepted::TargetGone ? Message::EditTargetGone : Message::EmptyTerm;
}

std::wstring OpenEditDialogTexts() {
    std::wstring lines;
    if (!openDialog) return lines;
    for (int field = 0; field < 4; ++field) {
        const std::wstring text = FieldText(openDialog, kFieldIds[field]);
        if (text.empty()) continue;
        if (!lines.empty()) lines += L"\n";
        lines.append(UiText(kEntryFieldTexts[field])).append(L": ").append(text);
    }
    return lines;
}

void DiscardOpenEditDialog() {
    if (openDialog) End(openDialog, 2);
}

int ApplyEdit(HWND dialog) {
    static wchar_t texts[4][kEntryTextUnits];
    GetDlgItemTextW(dialog, IDC_TERM, texts[0], kEntryTextUnits);
    if (texts[0][0] == L'\0') return -1;
    for (int field = 1; field < 4; ++field) GetDlgItemTextW(dialog, kFieldIds[field], texts[field], kEntryTextUnits);

    pendingEdit.entryChanged = 0;
    for (int field = 0; field < 4; ++field) {
        if (std::wcscmp(texts[field], PendingText(field)) != 0) {
            pendingEdit.entryChanged = 1;
            break;
        }
    }
    if (pendingEdit.forceChanged) {
        pendingEdit.forceChanged = 0;
        pendingEdit.entryChanged = 1;
    } else if (!pendingEdit.entryChanged) {
        return 0;
    }

    const int row = pendingEdit.targetRow;
    if (pendingEdit.insertNew) {
        ListInsertRow(wordListHandle, row, texts[0], static_cast<LPARAM>(UnusedWordListKey()));
    } else {
        ListSetText(wordListHandle, row, 0, texts[0]);
    }
    for (int field = 1; field < 4; ++field) ListSetText(wordListHandle, row, field, texts[field]);
    ListEnsureVisible(wordListHandle, row);
    return 0;
}

INT_PTR CALLBACK EditDialog(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
    case WM_INITDIALOG:
        return OnInitDialog(dialog);
    case WM_NOTIFY:
        return OnDictionaryListNotify(dialog, reinterpret_cast<const NMHDR*>(lParam)) ? TRUE : FALSE;
    case WM_DESTROY:
        EndDictionaryList(dialog);
        return FALSE;
    case kDictionariesLoaded:
        ShowDictionaryMatches(dialog, false);
        return TRUE;
    case WM_COMMAND:
        if (wParam == MAKEWPARAM(IDC_TERM, EN_CHANGE)) {
            ShowDictionaryMatches(dialog);
            return TRUE;
        }
        if (wParam == IDOK) {
            OnOk(dialog);
            return TRUE;
        }
        if (wParam == IDCANCEL) {
            End(dialog, 2);
            return TRUE;
        }
        return FALSE;
    default:
        return FALSE;
    }
}
