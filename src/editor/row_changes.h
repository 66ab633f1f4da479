#pragma once
// Counts the changes of the word list's rows (each edit, insertion, deletion,
// move, sort or fill), so that what is worked out from the rows elsewhere
// knows when to work it out again.
#include <windows.h>

#include <cstdint>
#include <vector>

uint64_t GlossaryGeneration();
void NoteGlossaryChanged();
// A change of one cell's text only, so a reader of the rows can read that row again rather than all of them.
void NoteRowTextChanged(int row);
// A new order of the same rows.
void NoteRowsSorted();
// The rows whose texts alone changed after the given generation; false when
// anything else changed since then (rows added, deleted, renumbered), so
// every row must be read again. For the one reader of the rows: what was
// noted up to that generation is forgotten.
bool RowsChangedSince(uint64_t generation, std::vector<int>& rows);
// After a change the window is posted this message, once until it calls
// GlossaryChangesSeen: a fill of many rows posts one message.
void WatchGlossaryChanges(HWND window, UINT message);
void GlossaryChangesSeen();
