#include "editor/glossary_lookup.h"

#include <algorithm>
#include <new>

#include "common/wait_cursor.h"
#include "common/win32_text.h"
#include "editor/row_changes.h"
#include "editor/list_view.h"
#include "editor/register_dialog.h"
#include "editor/word_list.h"

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

std::vector<GlossaryEntry> ReadEveryRow() {
    std::vector<GlossaryEntry> rows = WordListEntries();
    rowsRead += rows.size();
    return rows;
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

void NoteHistory(RowHistory history, const RowFill& fill, const std::vector<RowChange>& changes) {
    switch (history) {
    case RowHistory::SinceFill:
        rowsSlot = -1;  // the rows followed are gone
        sinceFill.known = true;
        sinceFill.slot = appSettings.currentGroup;
        sinceFill.fill = fill;
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

// Starts following the group's rows: from its file as read when the list
// was filled from it, else by reading every row.
void StartFollowing(int slot) {
    const bool fromFile = sinceFill.known && sinceFill.slot == slot &&
                          glossaryIndex.AdoptFileAsRows(slot, sinceFill.fill.fingerprint,
                                                        static_cast<size_t>(sinceFill.fill.count), kEntryTextUnits) &&
                          FollowChangedRows(slot, sinceFill.changes);
    if (!fromFile) {
        WaitCursor wait;
        glossaryIndex.UseRows(slot, ReadEveryRow(), WordListKeys());
    }
    sinceFill.known = false;
    sinceFill.changes.clear();
    rowsSlot = slot;
}

}  // namespace

const GlossaryIndex& Glossary() { return glossaryIndex; }

void SetGlossaryListener(void (*listener)()) { indexListener = listener; }

uint64_t GlossaryRowsRead() { return rowsRead; }

void RefreshGlossary() {
    const uint64_t before = glossaryIndex.Version();
    std::vector<RowChange> changes;
    RowFill fill;
    const RowHistory history = TakeRowChanges(changes, fill);
    NoteHistory(history, fill, changes);
    // The open group's rows stand for its file once they hold a change not
    // saved, and after a save until the list is filled again (they are then
    // what the file holds).
    const int current = registerDialogHandle ? appSettings.currentGroup : -1;
    const bool followsCurrent = current >= 0 && rowsSlot == current;
    const int target = current >= 0 && (followsCurrent || GlossaryHasUnsavedChanges()) ? current : -1;
    if (rowsSlot != target) rowsSlot = -1;
    glossaryIndex.Refresh(rowsSlot);
    if (target >= 0) {
        if (rowsSlot != target) {
            StartFollowing(target);
        } else if (!FollowChangedRows(target, changes)) {
            WaitCursor wait;
            glossaryIndex.UseRows(target, ReadEveryRow(), WordListKeys());
        }
    }
    if (glossaryIndex.Version() != before && indexListener) indexListener();
}

std::wstring DescribeGroupsWithTerm(const std::wstring& term) {
    std::wstring line;
    try {
        RefreshGlossary();
        for (const GroupTermCount& found : glossaryIndex.GroupsWithTerm(term)) {
            line += line.empty() ? L"登録済み: " : L"、";
            line += AsWide(appSettings.groupNames[found.slot]);
            line += L" (" + std::to_wstring(found.count) + L"件)";
        }
    } catch (const std::bad_alloc&) {
        line = L"メモリが足りず、登録済みか確かめられませんでした";
    }
    return line;
}
