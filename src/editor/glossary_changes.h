#pragma once
// The glossary's unsaved state. Every change to the list (an entry written,
// deleted or moved) is counted, so that a save knows which changes it wrote:
// one made while the save's message was up stays unsaved. A name typed for
// the group is unsaved too, but is no change to the list.
#include <cstdint>

// Counts a change to the list and shows it (Apply enabled).
void NoteGlossaryChange();
uint64_t GlossaryChangeCount();
// Whether the list holds a change no save has written.
bool GlossaryListChanged();
// After a save that wrote every change up to this count: Apply is greyed
// unless something changed since or a name is still typed.
void NoteGlossarySaved(uint64_t writtenCount);
// The list was filled from its file: it holds no change.
void NoteGlossaryShowsFile();
