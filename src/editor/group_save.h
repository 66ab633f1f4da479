#pragma once
#include <windows.h>

#include "editor/group_rename.h"

// The registration dialog's unsaved state: 適用 is enabled exactly while the
// list holds changes that are not in the group file, or a new name is typed.
bool HasUnsavedChanges(HWND dialog);

// Loads the current group's file into the list, with its widths and order.
void ShowCurrentGroupFromFile();
// When another program changed the group's file and the list holds no
// unsaved change, the list shows the file as it now is.
void ShowChangesOfOtherPrograms();
// After a failed save the list is in stored order; the arrow and the move buttons say so.
void ShowStoredOrder();

enum class SaveOutcome { Saved, NotSaved, Adopted };
// What OK and Apply do (Apply shows the list in its order again afterwards):
// the name typed is taken if the list could be saved under it. Quietly, at the
// session's end, a name that cannot be taken is left aside and the entries are
// saved under the group's current name.
SaveOutcome SaveGlossary(HWND dialog, RenameMode mode, bool restoreShownOrder);

// What Apply does; false when nothing was saved (a refused name, a failed write).
bool ApplyChanges(HWND dialog, RenameMode mode);

// Before something would drop the unsaved changes (the list's, and an entry
// open in the edit dialog): true when the caller may go on (saved, or the
// user chose to discard them).
bool SettleUnsavedChanges(HWND dialog);
