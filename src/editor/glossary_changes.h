#pragma once
// Counts the changes of the word list's rows (each edit, insertion, deletion,
// move, sort or fill), so that what is worked out from the rows elsewhere
// knows when to work it out again.
#include <windows.h>

#include <cstdint>

uint64_t GlossaryGeneration();
void NoteGlossaryChanged();
// After a change the window is posted this message, once until it calls
// GlossaryChangesSeen: a fill of many rows posts one message.
void WatchGlossaryChanges(HWND window, UINT message);
void GlossaryChangesSeen();
