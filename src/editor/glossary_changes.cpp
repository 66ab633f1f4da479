#include "editor/glossary_changes.h"

namespace {

uint64_t generation = 0;
HWND watcher = nullptr;
UINT watcherMessage = 0;
bool posted = false;

}  // namespace

uint64_t GlossaryGeneration() { return generation; }

void NoteGlossaryChanged() {
    ++generation;
    if (!watcher || posted) return;
    posted = PostMessageW(watcher, watcherMessage, 0, 0) != FALSE;
}

void WatchGlossaryChanges(HWND window, UINT message) {
    watcher = window;
    watcherMessage = message;
    posted = false;
}

void GlossaryChangesSeen() { posted = false; }
