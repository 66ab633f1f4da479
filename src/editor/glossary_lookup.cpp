#include "editor/glossary_lookup.h"

#include <new>

#include "common/wait_cursor.h"
#include "common/win32_text.h"
#include "editor/glossary_changes.h"
#include "editor/register_dialog.h"
#include "editor/word_list.h"

namespace {

// Kept while the program runs, so each group file is read once until it changes.
GlossaryIndex glossaryIndex;
void (*indexListener)() = nullptr;
int rowsSlot = -1;
uint64_t rowsGeneration = 0;

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
        WaitCursor wait;
        const uint64_t generation = GlossaryGeneration();
        glossaryIndex.UseRows(live, WordListEntries(), WordListKeys());
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
