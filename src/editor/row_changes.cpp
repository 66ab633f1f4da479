#include "editor/row_changes.h"

#include <utility>

namespace {

// Since the reader last took them: the changes in order, or, once something
// could not be noted row by row, only that every row must be read.
std::vector<RowChange> changes;
bool everyRow = true;
bool filled = false;
RowFill lastFill;
// Past this many the rows are read again rather than followed (a deletion
// near the top of a large group renumbers every key after it).
constexpr size_t kMostChanges = 1 << 20;
HWND watcher = nullptr;
UINT watcherMessage = 0;
bool posted = false;

void Post() {
    if (!watcher || posted) return;
    posted = PostMessageW(watcher, watcherMessage, 0, 0) != FALSE;
}

void Note(RowChange change) {
    if (!everyRow) {
        if (changes.size() >= kMostChanges) {
            everyRow = true;
            filled = false;
            changes.clear();
            changes.shrink_to_fit();
        } else {
            changes.push_back(change);
        }
    }
    Post();
}

}  // namespace

void WatchGlossaryChanges(HWND window, UINT message) {
    watcher = window;
    watcherMessage = message;
    posted = false;
}

void GlossaryChangesSeen() { posted = false; }

void NoteGlossaryChanged() {
    everyRow = true;
    filled = false;
    changes.clear();
    Post();
}

void NoteRowsFilled(uint64_t fingerprint, std::vector<int64_t> keys) {
    everyRow = false;
    filled = true;
    lastFill = {fingerprint, std::move(keys)};
    changes.clear();
    Post();
}

void NoteRowTextChanged(int row) { Note({RowChange::Kind::Text, row, 0}); }
void NoteRowInserted(int row, int64_t key) { Note({RowChange::Kind::Inserted, row, key}); }
void NoteRowDeleted(int row) { Note({RowChange::Kind::Deleted, row, 0}); }
void NoteRowKeyChanged(int row, int64_t key) { Note({RowChange::Kind::Key, row, key}); }
void NoteRowsSorted() { Note({RowChange::Kind::Sorted, 0, 0}); }

RowHistory TakeRowChanges(std::vector<RowChange>& taken, RowFill& fill) {
    taken.clear();
    const RowHistory history = everyRow ? RowHistory::Unknown : filled ? RowHistory::SinceFill : RowHistory::Followed;
    if (history != RowHistory::Unknown) taken.swap(changes);
    if (history == RowHistory::SinceFill) fill = std::move(lastFill);
    changes.clear();
    everyRow = false;
    filled = false;
    return history;
}
