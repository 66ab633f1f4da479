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

GlossaryEntry ReadRow(int row) {
    GlossaryEntry entry;
    for (int column = 0; column < kEntryFieldCount; ++column) {
        entry.texts[column] = ListGetText(wordListHandle, row, column, kEntryTextUnits);
    }
    return entry;
}

// Follows the changes the list noted since the rows were last read: only
// rows inserted or edited are read again, and the keys only after a sort.
// False when the changes cannot be followed.
bool FollowChangedRows(int slot, const std::vector<RowChange>& changes) {
    const std::vector<int64_t>* keysBefore = glossaryIndex.RowKeys(slot);
    if (!keysBefore) return false;
    if (changes.empty()) return true;
    const std::vector<int64_t> keysNow = HoldsSort(changes) ? WordListKeys() : std::vector<int64_t>();
    FollowedRows followed;
    if (!FollowRowChanges(*keysBefore, changes, keysNow, followed)) return false;
    if (followed.from.size() != static_cast<size_t>(ListRowCount(wordListHandle))) return false;
    std::vector<GlossaryEntry> read;
    for (size_t row = 0; row < followed.from.size(); ++row) {
        if (followed.from[row] < 0) read.push_back(ReadRow(static_cast<int>(row)));
    }
    return glossaryIndex.FollowRows(slot, followed, std::move(read));
}

}  // namespace

const GlossaryIndex& Glossary() { return glossaryIndex; }

void SetGlossaryListener(void (*listener)()) { indexListener = listener; }

void RefreshGlossary() {
    const uint64_t before = glossaryIndex.Version();
    const int live = GlossaryHasUnsavedChanges() ? appSettings.currentGroup : -1;
    glossaryIndex.Refresh(live);
    std::vector<RowChange> changes;
    const bool followable = TakeRowChanges(changes);
    if (live < 0) {
        rowsSlot = -1;
    } else if (live != rowsSlot || !followable || !FollowChangedRows(live, changes)) {
        WaitCursor wait;
        glossaryIndex.UseRows(live, WordListEntries(), WordListKeys());
        rowsSlot = live;
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
