#pragma once
#include <windows.h>

#include <cstdint>
#include <string>

#include "editor/word_list.h"
#include "ui/messages.h"

// What an opener hands to the edit dialog: the entry's texts and where it goes.
struct PendingEdit {
    wchar_t term[kEntryTextUnits];
    wchar_t reading[kEntryTextUnits];
    wchar_t spelling[kEntryTextUnits];
    wchar_t description[kEntryTextUnits];
    int32_t targetRow;
    int32_t insertNew;     // non-zero: OK inserts a row at targetRow
    int32_t forceChanged;  // non-zero: the next accepted OK counts as a change
    int32_t entryChanged;  // 1 when the last accepted OK wrote the list
};

extern PendingEdit pendingEdit;

// Runs the edit dialog modally over its owner on the texts of pendingEdit.
void RunEditDialog(HWND owner);
// True while an edit dialog is open: pendingEdit serves one dialog at a time.
bool EditDialogOpen();
// The open edit dialog, while it holds an entry the list does not have yet
// (or a change to one): it counts as an unsaved change. Null otherwise.
HWND EditDialogHoldingChange();
enum class EditAccepted { Accepted, EmptyTerm, TargetGone };
// Puts the open edit dialog's entry into the list and closes it, as its OK
// does. Refused when its term is empty, or when the group or the entry it
// was opened for is no longer on show; then nothing changes.
EditAccepted AcceptOpenEditDialog();
// What tells the user why an entry was refused.
Message EditRefusalMessage(EditAccepted refusal);
// The open edit dialog's texts, one named line each, for a note; empty when
// it holds none.
std::wstring OpenEditDialogTexts();
// Closes the open edit dialog, writing nothing.
void DiscardOpenEditDialog();
INT_PTR CALLBACK EditDialog(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam);
// The OK step: writes the entry into the word list. -1 when the term is empty.
int ApplyEdit(HWND dialog);
