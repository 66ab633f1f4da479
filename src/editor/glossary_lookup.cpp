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
int rowsSlot = -1;
uint64_t rowsGeneration = 0;

// After an edit or a move only the rows whose texts changed are read again;
// false when the list changed otherwise, or a row is not where it was.
bool ReadChangedRows(int slot) {
    std::vector<int> rows;
    if (!RowsChangedSince(rowsGeneration, rows)) return false;
    std::sort(rows.begin(), rows.end());
    rows.erase(std::unique(rows.begin(), rows.end()), rows.end());
    const int count = ListRowCount(wordListHandle);
    std::vector<std::pair<int64_t, GlossaryEntry>> changed;
    for (int row : rows) {
        if (row < 0 || row >= count) return false;
        GlossaryEntry entry;
        for (int column = 0; column < kEntryFieldCount; ++column) {
            entry.texts[column] = ListGetText(wordListHandle, row, column, kEntryTextUnits);
        }
        changed.push_back({ListGetKey(wordListHandle, row), std::move(entry)});
    }
    return glossaryIndex.ReplaceRows(slot, changed);
}

}  // namespace

const GlossaryIndex& Glossary() { return glossaryIndex; }

void SetGlossaryListener(void (*listener)()) { indexListener = listener; }

void RefreshGlossary() {
    const uint64_t before = glossaryIndex.Version();
    const int live = GlossaryHasUnsavedChanges() ? appSettings.currentGroup : -1;
    glossaryIndex.Refresh(live);
    if (live < 0) {
        rowsSlot = -1;
    } else if (live != rowsSlot || GlossaryGeneration() != rowsGeneration) {
        const uint64_t generation = GlossaryGeneration();
        if (live != rowsSlot || !ReadChangedRows(live)) {
            WaitCursor wait;
            glossaryIndex.UseRows(live, WordListEntries(), WordListKeys());
        }
        rowsSlot = live;
        rowsGeneration = generation;
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
