#include "editor/row_changes.h"

#include <utility>

namespace {

uint64_t generation = 0;
// The last change that was not a cell's text, and the cells' rows since then (a few at most).
uint64_t wholeChangeAt = 0;
std::vector<std::pair<uint64_t, int>> textChanges;
constexpr size_t kMostTextChanges = 256;
HWND watcher = nullptr;
UINT watcherMessage = 0;
bool posted = false;

void Post() {
    if (!watcher || posted) return;
    posted = PostMessageW(watcher, watcherMessage, 0, 0) != FALSE;
}

}  // namespace

uint64_t GlossaryGeneration() { return generation; }

void WatchGlossaryChanges(HWND window, UINT message) {
    watcher = window;
    watcherMessage = message;
    posted = false;
}

void GlossaryChangesSeen() { posted = false; }

void NoteGlossaryChanged() {
    wholeChangeAt = ++generation;
    textChanges.clear();
    Post();
}

void NoteRowTextChanged(int row) {
    ++generation;
    if (textChanges.size() >= kMostTextChanges) {
        wholeChangeAt = generation;
        textChanges.clear();
    } else {
        textChanges.push_back({generation, row});
    }
    Post();
}

void NoteRowsSorted() {
    // Rows noted before now stand elsewhere.
    if (!textChanges.empty()) {
        NoteGlossaryChanged();
        return;
    }
    ++generation;
    Post();
}

bool RowsChangedSince(uint64_t since, std::vector<int>& rows) {
    rows.clear();
    // What was noted up to then has been read: only the rows changed after it are kept.
    std::erase_if(textChanges, [since](const std::pair<uint64_t, int>& change) { return change.first <= since; });
    if (wholeChangeAt > since) return false;
    for (const auto& change : textChanges) rows.push_back(change.second);
    return true;
}
