#pragma once
// The list of the current group's entries inside the registration dialog:
// four columns, sortable by term, column widths remembered per group.
#include <windows.h>

#include <cstdint>
#include <string_view>
#include <vector>

#include "storage/group_file.h"

inline constexpr int kWordListId = 9999;
inline constexpr int kEntryTextUnits = 4000;  // 3999 units and the terminator

enum class MoveDirection { Up, Down };

HWND CreateWordList(HWND dialog);
void SortWordList();
int CALLBACK CompareRows(LPARAM key1, LPARAM key2, LPARAM sortColumn);
void SetSortArrow(HWND header, int state);
void ApplySortState(int state);
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
std::vector<GlossaryEntry> WordListEntries();
std::vector<int64_t> WordListKeys();
// The current group's file into the emptied list, and the list into that file
// (or, given a new name for the group, into the file of that name): 0, or -1
// as the group file's load and save report it. What happened is told, in
// messages owned by the glossary.
int LoadWordListFromGroupFile();
int SaveWordListToGroupFile(std::u16string_view newName = {});
void TellGroupFileReport(const GroupFileReport& report);
