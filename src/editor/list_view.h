#pragma once
// Typed wrappers for the list-view and header messages the program sends,
// so the casts of WPARAM and LPARAM live in one place. Every change of a
// list's rows made through them is counted (glossary_changes.h).
#include <windows.h>
#include <commctrl.h>

#include <string>

int ListRowCount(HWND list);
// Reads a cell into a buffer of the given capacity (cut, always terminated).
void ListGetText(HWND list, int row, int column, wchar_t* buffer, int capacity);
std::wstring ListGetText(HWND list, int row, int column, int capacity);
void ListSetText(HWND list, int row, int column, const wchar_t* text);
// Inserts a row at the given index with its term and order key; returns the new index.
int ListInsertRow(HWND list, int row, const wchar_t* term, LPARAM key);
LPARAM ListGetKey(HWND list, int row);
// The first column's text and the row's key in one call: reading a large list is call-bound.
LPARAM ListGetTermAndKey(HWND list, int row, wchar_t* buffer, int capacity);
void ListSetKey(HWND list, int row, LPARAM key);
// The next row after 'after' (-1: from the start) with the given LVNI_ flags, or -1.
int ListNextRow(HWND list, int after, UINT flags);
void ListSetState(HWND list, int row, UINT state, UINT mask);
int ListSelectedCount(HWND list);
int ListSelectionMark(HWND list);
void ListEnsureVisible(HWND list, int row);
void ListDeleteRow(HWND list, int row);
void ListDeleteAll(HWND list);
int ListColumnWidth(HWND list, int column);
void ListSetColumnWidth(HWND list, int column, int width);
void ListSetRedraw(HWND list, bool redraw);
HWND ListHeader(HWND list);
// Sorts with a comparison of order keys (LVM_SORTITEMS).
void ListSortByKeys(HWND list, PFNLVCOMPARE compare, LPARAM context);

// The row holding an order key, or -1.
int ListFindKey(HWND list, LPARAM key);
// A list of the given columns (titles, widths), as the program's lists show them.
void ListAddColumns(HWND list, const wchar_t* const* titles, const int* widths, int count);
void ListSetColumnTitle(HWND list, int column, const wchar_t* title);
// For a list whose rows the program keeps (LVS_OWNERDATA): how many there are now.
void ListSetVirtualCount(HWND list, int count);

int HeaderGetFormat(HWND header, int item);
void HeaderSetFormat(HWND header, int item, int format);
