#pragma once
#include <windows.h>

enum class RenameMode { AskUser, Quietly };
enum class RenameOutcome { Unchanged, Renamed, Adopted, Refused };

// The group selector lists the 64 slots by name, its index the slot number.
void FillGroupSelector(HWND dialog);

// Gives the current group the name typed into the rename field, if any. A
// refused name stays in the field for the user to mend.
RenameOutcome RenameCurrentGroup(HWND dialog, RenameMode mode);
