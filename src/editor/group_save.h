#pragma once
#include <windows.h>

#include "editor/group_rename.h"

// The registration dialog's unsaved state: 適用 is enabled exactly while the
// list holds changes that are not in the group file.
bool HasUnsavedChanges(HWND dialog);

// Loads the current group's file into the list, with its widths and order.
void ShowCurrentGroupFromFile();

// Writes the list in stored order; false after a failed write.
bool SaveInStoredOrder(RenameOutcome rename);

// What Apply does; false when nothing was saved (a refused name, a failed write).
bool ApplyChanges(HWND dialog, RenameMode mode);

// Before something would drop the list's unsaved changes: true when the
// caller may go on (saved, or the user chose to discard them).
bool SettleUnsavedChanges(HWND dialog);
