#pragma once
// The list of the current group's entries inside the registration dialog:
// four columns, each sortable, column widths remembered per group.
#include <windows.h>

#include <cstdint>
#include <string_view>
#include <vector>

#include "storage/group_file.h"

inline constexpr int kWordListId = 9999;
inline constexpr int kEntryTextUnits = 4000;  // 3999 units and the terminator

enum class MoveDirection { Up, Down };

// One column sorts at a time. Its state is the settings' sort-state element
// of that column's number; the other columns' elements are 0.
struct WordListSort {
    int column = 0;
    int state = 0;  // kSortStateStored, kSortStateAscending or kSortStateDescending
};

HWND CreateWordList(HWND dialog);
// The first column whose stored state sorts, or stored order.
WordListSort CurrentWordListSort();
// Into the settings: the column's state, 0 for the other columns.
void SetWordListSort(WordListSort sort);
void SortWordList();
// The column headers in the language of the moment.
void SetWordListTitles();
int CALLBACK CompareRows(LPARAM key1, LPARAM key2, LPARAM sortColumn);
// The arrow of the state on the column's header, none on the others.
void SetSortArrow(HWND header, int column, int state);
// The settings' sort on show: the list sorted, its arrow, ▲/▼ enabled only in stored order.
void ApplySortState();
void CycleSortState(int clickedColumn);
// Column widths are kept at 96 DPI and shown at the DPI of the list.
void SaveColumnWidths();
void ApplyColumnWidths();
// The list moved to a display of another scale: its columns keep their proportions.
void ChangeWordListDpi(int dpi);
void DeleteSelectedRows();
void MoveSelectedRow(MoveDirection direction);

// Fills the empty list, each row keyed by its place among the entries.
void FillWordList(const std::vector<GlossaryEntry>& entries);
// The rows in the order the list shows them, and their order keys.
std::vector<GlossaryEntry> WordListEntries(std::vector<int64_t>* keys = nullptr);
std::vector<int64_t> WordListKeys();
// A key for a new row that no row of the list has: after the last in stored order.
int64_t UnusedWordListKey();
// The current group's file into the emptied list, and the list into that file
// (or, given a new name for the group, into the file of that name): 0, or -1
// as the group file's load and save report it. What happened is told, in
// messages owned by the glossary.
int LoadWordListFromGroupFile();
int SaveWordListToGroupFile(std::u16string_view newName = {});
void TellGroupFileReport(const GroupFileReport& report);
