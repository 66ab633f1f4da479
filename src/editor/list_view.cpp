#include "editor/list_view.h"

#include <vector>

#include "editor/row_changes.h"

int ListRowCount(HWND list) { return static_cast<int>(SendMessageW(list, LVM_GETITEMCOUNT, 0, 0)); }

void ListGetText(HWND list, int row, int column, wchar_t* buffer, int capacity) {
    if (capacity <= 0) return;
    buffer[0] = L'\0';
    LVITEMW item{};
    item.iSubItem = column;
    item.pszText = buffer;
    item.cchTextMax = capacity;
    SendMessageW(list, LVM_GETITEMTEXTW, static_cast<WPARAM>(row), reinterpret_cast<LPARAM>(&item));
    buffer[capacity - 1] = L'\0';
}

std::wstring ListGetText(HWND list, int row, int column, int capacity) {
    std::vector<wchar_t> buffer(static_cast<size_t>(capacity), L'\0');
    ListGetText(list, row, column, buffer.data(), capacity);
    return buffer.data();
}

void ListSetText(HWND list, int row, int column, const wchar_t* text) {
    NoteRowTextChanged(row);
    LVITEMW item{};
    item.iSubItem = column;
    item.pszText = const_cast<wchar_t*>(text);
    SendMessageW(list, LVM_SETITEMTEXTW, static_cast<WPARAM>(row), reinterpret_cast<LPARAM>(&item));
}

int ListInsertRow(HWND list, int row, const wchar_t* term, LPARAM key) {
    LVITEMW item{};
    item.mask = LVIF_TEXT | LVIF_PARAM;
    item.iItem = row;
    item.pszText = const_cast<wchar_t*>(term);
    item.lParam = key;
    const int inserted = static_cast<int>(SendMessageW(list, LVM_INSERTITEMW, 0, reinterpret_cast<LPARAM>(&item)));
    // Where the list put it (past the end means at the end).
    if (inserted >= 0) NoteRowInserted(inserted, key);
    return inserted;
}

LPARAM ListGetKey(HWND list, int row) {
    LVITEMW item{};
    item.mask = LVIF_PARAM;
    item.iItem = row;
    SendMessageW(list, LVM_GETITEMW, 0, reinterpret_cast<LPARAM>(&item));
    return item.lParam;
}

LPARAM ListGetTermAndKey(HWND list, int row, wchar_t* buffer, int capacity) {
    if (capacity <= 0) return 0;
    buffer[0] = L'\0';
    LVITEMW item{};
    item.mask = LVIF_TEXT | LVIF_PARAM;
    item.iItem = row;
    item.pszText = buffer;
    item.cchTextMax = capacity;
    SendMessageW(list, LVM_GETITEMW, 0, reinterpret_cast<LPARAM>(&item));
    // The list may hand back its own copy instead of filling the buffer.
    if (item.pszText != buffer && item.pszText) lstrcpynW(buffer, item.pszText, capacity);
    buffer[capacity - 1] = L'\0';
    return item.lParam;
}

void ListSetKey(HWND list, int row, LPARAM key) {
    NoteRowKeyChanged(row, key);
    LVITEMW item{};
    item.mask = LVIF_PARAM;
    item.iItem = row;
    item.lParam = key;
    SendMessageW(list, LVM_SETITEMW, 0, reinterpret_cast<LPARAM>(&item));
}

int ListNextRow(HWND list, int after, UINT flags) {
    return static_cast<int>(SendMessageW(list, LVM_GETNEXTITEM, static_cast<WPARAM>(after), MAKELPARAM(flags, 0)));
}

void ListSetState(HWND list, int row, UINT state, UINT mask) {
    LVITEMW item{};
    item.state = state;
    item.stateMask = mask;
    SendMessageW(list, LVM_SETITEMSTATE, static_cast<WPARAM>(row), reinterpret_cast<LPARAM>(&item));
}

int ListSelectedCount(HWND list) { return static_cast<int>(SendMessageW(list, LVM_GETSELECTEDCOUNT, 0, 0)); }

int ListSelectionMark(HWND list) { return static_cast<int>(SendMessageW(list, LVM_GETSELECTIONMARK, 0, 0)); }

void ListEnsureVisible(HWND list, int row) { SendMessageW(list, LVM_ENSUREVISIBLE, static_cast<WPARAM>(row), TRUE); }

void ListDeleteRow(HWND list, int row) {
    if (SendMessageW(list, LVM_DELETEITEM, static_cast<WPARAM>(row), 0)) {
        NoteRowDeleted(row);
    } else {
        NoteGlossaryChanged();  // nothing is known of what it did
    }
}

void ListDeleteAll(HWND list) {
    NoteGlossaryChanged();
    SendMessageW(list, LVM_DELETEALLITEMS, 0, 0);
}

int ListColumnWidth(HWND list, int column) {
    return static_cast<int>(SendMessageW(list, LVM_GETCOLUMNWIDTH, static_cast<WPARAM>(column), 0));
}

void ListSetColumnWidth(HWND list, int column, int width) {
    SendMessageW(list, LVM_SETCOLUMNWIDTH, static_cast<WPARAM>(column), MAKELPARAM(width, 0));
}

void ListSetRedraw(HWND list, bool redraw) {
    SendMessageW(list, WM_SETREDRAW, redraw ? TRUE : FALSE, 0);
    if (redraw) InvalidateRect(list, nullptr, TRUE);
}

HWND ListHeader(HWND list) { return reinterpret_cast<HWND>(SendMessageW(list, LVM_GETHEADER, 0, 0)); }

void ListSortByKeys(HWND list, PFNLVCOMPARE compare, LPARAM context) {
    NoteRowsSorted();
    SendMessageW(list, LVM_SORTITEMS, static_cast<WPARAM>(context), reinterpret_cast<LPARAM>(compare));
}

int ListFindKey(HWND list, LPARAM key) {
    LVFINDINFOW find{};
    find.flags = LVFI_PARAM;
    find.lParam = key;
    return static_cast<int>(SendMessageW(list, LVM_FINDITEMW, static_cast<WPARAM>(-1), reinterpret_cast<LPARAM>(&find)));
}

void ListAddColumns(HWND list, const wchar_t* const* titles, const int* widths, int count) {
    for (int column = 0; column < count; ++column) {
        LVCOLUMNW c{};
        c.mask = LVCF_FMT | LVCF_WIDTH | LVCF_TEXT | LVCF_SUBITEM;
        c.fmt = LVCFMT_LEFT;
        c.cx = widths[column];
        c.pszText = const_cast<wchar_t*>(titles[column]);
        c.iSubItem = column;
        SendMessageW(list, LVM_INSERTCOLUMNW, static_cast<WPARAM>(column), reinterpret_cast<LPARAM>(&c));
    }
}

void ListSetColumnTitle(HWND list, int column, const wchar_t* title) {
    LVCOLUMNW c{};
    c.mask = LVCF_TEXT;
    c.pszText = const_cast<wchar_t*>(title);
    SendMessageW(list, LVM_SETCOLUMNW, static_cast<WPARAM>(column), reinterpret_cast<LPARAM>(&c));
}

void ListSetVirtualCount(HWND list, int count) {
    // Setting the count is not free in every list view, even to the count it has.
    if (ListRowCount(list) != count) {
        SendMessageW(list, LVM_SETITEMCOUNT, static_cast<WPARAM>(count), LVSICF_NOINVALIDATEALL);
    }
    InvalidateRect(list, nullptr, TRUE);
}

int HeaderGetFormat(HWND header, int item) {
    HDITEMW hd{};
    hd.mask = HDI_FORMAT;
    SendMessageW(header, HDM_GETITEMW, static_cast<WPARAM>(item), reinterpret_cast<LPARAM>(&hd));
    return hd.fmt;
}

void HeaderSetFormat(HWND header, int item, int format) {
    HDITEMW hd{};
    hd.mask = HDI_FORMAT;
    hd.fmt = format;
    SendMessageW(header, HDM_SETITEMW, static_cast<WPARAM>(item), reinterpret_cast<LPARAM>(&hd));
}
