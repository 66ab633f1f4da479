#pragma once
// The glossary's unsaved state. Every change to the list (an entry written,
// deleted or moved, a name typed for the group) is counted, so that a save
// knows which changes it wrote: one made while its message was up stays unsaved.
#include <cstdint>

// Counts a change and shows it (Apply enabled).
void NoteGlossaryChange();
uint64_t GlossaryChangeCount();
// After a save that wrote every change up to this count: Apply is greyed
// unless something changed since.
void NoteGlossarySaved(uint64_t writtenCount);
