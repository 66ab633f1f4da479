#pragma once
#include <windows.h>

#include <string>
#include <string_view>

enum class RenameMode { AskUser, Quietly };

// What the rename field asks of a save. A new name takes effect only once
// the group is saved under it.
struct RenamePlan {
    enum class Kind {
        None,     // no new name
        Rename,   // save the list under the new name, then take it
        Adopt,    // the empty group takes over a file of that name
        Refused,  // the name cannot be used
    };
    Kind kind = Kind::None;
    std::u16string name;
};

// The group selector lists the 64 slots by name, its index the slot number.
void FillGroupSelector(HWND dialog);

// Judges the name typed into the rename field; nothing changes yet. A
// refused name is told when asking, and stays in the field for the user to mend.
RenamePlan PlanRename(HWND dialog, RenameMode mode);
// The current group takes its new name: the selector shows it, the field is
// emptied, and the settings, which map the group to its file, are written at once.
void TakeGroupName(HWND dialog, std::u16string_view name);
// A file made elsewhere, brought in by naming the empty group after it, and shown.
void AdoptFileAsGroup(HWND dialog, std::u16string_view name);
