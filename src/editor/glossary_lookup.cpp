#include "editor/glossary_lookup.h"

#include <algorithm>
#include <new>

#include "common/wait_cursor.h"
#include "common/win32_text.h"
#include "editor/row_changes.h"
#include "editor/list_view.h"
#include "editor/register_dialog.h"
#include "editor/word_list.h"
#include "ui/ui_text.h"

namespace {

// Kept while the program runs, so each group file is read once until it changes.
GlossaryIndex glossaryIndex;
void (*indexListener)() = nullptr;
// The group whose rows the index follows in place of its file, -1 for none.
int rowsSlot = -1;
// While no group is followed: the changes since the list was last filled
// from a group's file, so following can start from that file as read.
struct {
    bool known = false;
    int slot = -1;
    RowFill fill;
    std::vector<RowChange> changes;
} sinceFill;
constexpr size_t kMostChangesKept = 1 << 20;

uint64_t rowsRead = 0;

void UseEveryRow(int slot) {
    WaitCursor wait;
    std::vector<int64_t> keys;
    std::vector<GlossaryEntry> rows = WordListEntries(&keys);
    rowsRead += rows.size();
    glossaryIndex.UseRows(slot, std::move(rows), std::move(keys));
}

GlossaryEntry ReadRow(int row) {
    ++rowsRead;
    GlossaryEntry entry;
    for (int column = 0; column < kEntryFieldCount; ++column) {
        entry.texts[column] = ListGetText(wordListHandle, row, column, kEntryTextUnits);
    }
    return entry;
}

// Follows changes of the list since the index last had its rows: only rows
// inserted or edited are read, and the keys only after a sort. False when
// the changes cannot be followed.
bool FollowChangedRows(int slot, const std::vector<RowChange>& changes) {
    const std::vector<int64_t>* keysBefore = glossaryIndex.RowKeys(slot);
    if (!keysBefore) return false;
    const size_t rowCount = static_cast<size_t>(ListRowCount(wordListHandle));
    if (changes.empty()) return keysBefore->size() == rowCount;
    const std::vector<int64_t> keysNow = HoldsSort(changes) ? WordListKeys() : std::vector<int64_t>();
    FollowedRows followed;
    if (!FollowRowChanges(*keysBefore, changes, keysNow, followed) || followed.from.size() != rowCount) return false;
    std::vector<GlossaryEntry> read;
    for (size_t row = 0; row < followed.from.size(); ++row) {
        if (followed.from[row] < 0) read.push_back(ReadRow(static_cast<int>(row)));
    }
    return glossaryIndex.FollowRows(slot, followed, std::move(read));
}

void NoteHistory(RowHistory history, RowFill fill, const std::vector<RowChange>& changes) {
    switch (history) {
    case RowHistory::SinceFill:
        rowsSlot = -1;  // the rows followed are gone
        sinceFill.known = true;
        sinceFill.slot = appSettings.currentGroup;
        sinceFill.fill = std::move(fill);
        sinceFill.changes = changes;
        break;
    case RowHistory::Unknown:
        rowsSlot = -1;
        sinceFill.known = false;
        sinceFill.changes.clear();
        break;
    case RowHistory::Followed:
        if (rowsSlot >= 0 || !sinceFill.known) break;
        if (sinceFill.changes.size() + changes.size() > kMostChangesKept) {
            sinceFill.known = false;
            sinceFill.changes.clear();
        } else {
            sinceFill.changes.insert(sinceFill.changes.end(), changes.begin(), changes.end());
        }
        break;
    }
}

bool FollowFromFile(int slot) {
    return glossaryIndex.AdoptFileAsRows(slot, sinceFill.fill.fingerprint, sinceFill.fill.keys, kEntryTextUnits) &&
           FollowChangedRows(slot, sinceFill.changes);
}

// Starts following the group's rows: from its file as read when the list
// was filled from it (the index's earlier read of it, or failing that the
// file as it is now), else by reading every row.
void StartFollowing(int slot) {
    bool fromFile = false;
    if (sinceFill.known && sinceFill.slot == slot) {
        fromFile = FollowFromFile(slot);
        if (!fromFile) {
            glossaryIndex.RefreshGroup(slot);
            fromFile = FollowFromFile(slot);
        }
    }
    if (!fromFile) UseEveryRow(slot);
    sinceFill.known = false;
    sinceFill.changes.clear();
    rowsSlot = slot;
}

}  // namespace

const GlossaryIndex& Glossary() { return glossaryIndex; }

void SetGlossaryListener(void (*listener)()) { indexListener = listener; }

uint64_t GlossaryRowsRead() { return rowsRead; }

namespace {

// The changes are taken from the list before they are followed: a step that
// fails half way (out of memory) would leave the index trusting rows it never
// read. The open group is then dropped and read whole at the next look.
void ForgetFollowing() {
    if (rowsSlot >= 0) glossaryIndex.Forget(rowsSlot);
    if (sinceFill.slot >= 0) glossaryIndex.Forget(sinceFill.slot);
    glossaryIndex.Forget(appSettings.currentGroup);
    rowsSlot = -1;
    sinceFill.known = false;
    sinceFill.changes.clear();
}

void BringUpToDate() {
    std::vector<RowChange> changes;
    RowFill fill;
    const RowHistory history = TakeRowChanges(changes, fill);
    NoteHistory(history, std::move(fill), changes);
    // The open group's rows stand for its file once they hold a change not
    // saved. Its file is not read for that: following starts from the file
    // as the index read it when it was what the list holds.
    const int target = GlossaryHasUnsavedChanges() ? appSettings.currentGroup : -1;
    if (rowsSlot != target) rowsSlot = -1;
    glossaryIndex.Refresh(target);
    if (target >= 0) {
        if (rowsSlot != target) {
            StartFollowing(target);
        } else if (!FollowChangedRows(target, changes)) {
            UseEveryRow(target);
        }
    }
}

}  // namespace

void RefreshGlossary() {
    const uint64_t before = glossaryIndex.Version();
    try {
        BringUpToDate();
    } catch (...) {
        ForgetFollowing();
        throw;
    }
    if (glossaryIndex.Version() != before && indexListener) indexListener();
}

std::wstring DescribeGroupsWithTerm(const std::wstring& term) {
    std::wstring line;
    try {
        RefreshGlossary();
        for (const GroupTermCount& found : glossaryIndex.GroupsWithTerm(term)) {
            line += UiText(line.empty() ? Text::EditAlreadyCollected : Text::ListSeparator);
            line += UiText(Text::EditCollectedInGroup, AsWide(appSettings.groupNames[found.slot]),
                           std::to_wstring(found.count));
        }
    } catch (const std::bad_alloc&) {
        line = UiText(Text::EditCollectedUnknown);
    }
    return line;
}
