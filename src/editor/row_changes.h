#pragma once
// Notes each change of the word list's rows (an edit, an insertion, a
// deletion, a new key, a sort, a fill), so that what is worked out from the
// rows elsewhere follows the changes instead of reading every row again.
#include <windows.h>

#include <cstdint>
#include <vector>

#include "storage/followed_rows.h"

// A change that cannot be followed row by row (a fill, everything deleted):
// every row must be read again.
void NoteGlossaryChanged();
void NoteRowTextChanged(int row);
void NoteRowInserted(int row, int64_t key);
void NoteRowDeleted(int row);
void NoteRowKeyChanged(int row, int64_t key);
// A new order of the same rows.
void NoteRowsSorted();
// The list holds rows of this fingerprint with these keys, as a group file
// does: filled from it, or just saved into it.
void NoteRowsFilled(uint64_t fingerprint, std::vector<int64_t> keys);

struct RowFill {
    uint64_t fingerprint = 0;
    std::vector<int64_t> keys;
};
enum class RowHistory {
    Followed,   // the changes are all since the last call
    SinceFill,  // the list was filled or saved since the last call, and the changes are all since then
    Unknown,    // every row must be read again
};
// The changes since the last call, in order. For the one reader of the rows.
RowHistory TakeRowChanges(std::vector<RowChange>& changes, RowFill& fill);
// After a change the window is posted this message, once until it calls
// GlossaryChangesSeen: a fill of many rows posts one message.
void WatchGlossaryChanges(HWND window, UINT message);
void GlossaryChangesSeen();
