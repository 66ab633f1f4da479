#include "editor/find_window.h"

#include <commctrl.h>

#include <algorithm>

#include "app/app_globals.h"
#include "common/bounded_copy.h"
#include "common/dpi_scale.h"
#include "common/wait_cursor.h"
#include "common/win32_text.h"
#include "common/window_dpi.h"
#include "editor/list_view.h"
#include "editor/register_dialog.h"
#include "editor/word_list.h"
#include "ui/resource_ids.h"

HWND findWindowHandle = nullptr;

namespace {

constexpr int kQueryUnits = 256;
constexpr int kColumns = 5;  // group, then the entry's four texts
constexpr int kMargin = 8;  // pixels at 96 DPI

// Kept while the program runs, so each group file is read once until it changes.
GlossaryIndex glossaryIndex;
std::vector<GlossaryMatch> results;
int sortColumn = -1;
bool sortDescending = false;

HWND ResultList(HWND window) { return GetDlgItem(window, IDC_FIND_RESULTS); }

// What the glossary holds now: the files, and the registration dialog's rows where they are not saved yet.
void RefreshIndex() {
    WaitCursor wait;
    if (GlossaryHasUnsavedChanges()) {
        glossaryIndex.Refresh(appSettings.currentGroup);
        glossaryIndex.UseRows(appSettings.currentGroup, WordListEntries(), WordListKeys());
    } else {
        glossaryIndex.Refresh();
    }
}

std::wstring_view CellText(const GlossaryMatch& match, int column) {
    if (column == 0) return AsWide(appSettings.groupNames[match.slot]);
    return glossaryIndex.Entry(match).texts[column - 1];
}

void SortResults() {
    if (sortColumn < 0) return;
    std::stable_sort(results.begin(), results.end(), [](const GlossaryMatch& a, const GlossaryMatch& b) {
        const std::wstring_view x = CellText(a, sortColumn), y = CellText(b, sortColumn);
        return sortDescending ? y < x : x < y;
    });
}

void ShowResults(HWND window) {
    HWND list = ResultList(window);
    ListSetVirtualCount(list, static_cast<int>(results.size()));
    const std::wstring count = std::to_wstring(results.size()) + L" 件";
    SetDlgItemTextW(window, IDC_FIND_COUNT, count.c_str());
}

void Search(HWND window) {
    wchar_t query[kQueryUnits] = {};
    GetDlgItemTextW(window, IDC_FIND_TEXT, query, kQueryUnits);
    RefreshIndex();
    results = glossaryIndex.Find(query);
    SortResults();
    ListSetState(ResultList(window), -1, 0, LVIS_SELECTED | LVIS_FOCUSED);  // -1: every row
    ShowResults(window);
}

void OnGetDispInfo(NMLVDISPINFOW* info) {
    LVITEMW& item = info->item;
    if (!(item.mask & LVIF_TEXT) || !item.pszText || item.cchTextMax <= 0) return;
    if (item.iItem < 0 || static_cast<size_t>(item.iItem) >= results.size() || item.iSubItem >= kColumns) {
        item.pszText[0] = L'\0';
        return;
    }
    CopyBounded(item.pszText, static_cast<size_t>(item.cchTextMax),
                CellText(results[static_cast<size_t>(item.iItem)], item.iSubItem));
}

void OnColumnClick(HWND window, int column) {
    sortDescending = column == sortColumn && !sortDescending;
    sortColumn = column;
    SortResults();
    HWND header = ListHeader(ResultList(window));
    for (int c = 0; c < kColumns; ++c) {
        int format = HeaderGetFormat(header, c) & ~(HDF_SORTUP | HDF_SORTDOWN);
        if (c == sortColumn) format |= sortDescending ? HDF_SORTDOWN : HDF_SORTUP;
        HeaderSetFormat(header, c, format);
    }
    ShowResults(window);
}

// Enter or a double-click: the selected result (or the first) in the glossary.
void OpenResult(HWND window) {
    int row = ListNextRow(ResultList(window), -1, LVNI_SELECTED);
    if (row < 0 && !results.empty()) row = 0;
    if (row < 0 || static_cast<size_t>(row) >= results.size()) return;
    const GlossaryMatch match = results[static_cast<size_t>(row)];
    ShowGlossaryEntry(mainWindowHandle, match.slot, glossaryIndex.Key(match));
}

void LayOut(HWND window) {
    const int margin = ScaleToDpi(kMargin, WindowDpi(window));
    RECT client;
    GetClientRect(window, &client);
    RECT field;
    GetWindowRect(GetDlgItem(window, IDC_FIND_TEXT), &field);
    MapWindowPoints(nullptr, window, reinterpret_cast<POINT*>(&field), 2);
    RECT count;
    GetWindowRect(GetDlgItem(window, IDC_FIND_COUNT), &count);
    MapWindowPoints(nullptr, window, reinterpret_cast<POINT*>(&count), 2);
    const int countWidth = count.right - count.left;
    const int countLeft = std::max<int>(field.left + 40, client.right - margin - countWidth);
    MoveWindow(GetDlgItem(window, IDC_FIND_COUNT), countLeft, count.top, countWidth, count.bottom - count.top, TRUE);
    MoveWindow(GetDlgItem(window, IDC_FIND_TEXT), field.left, field.top,
               std::max<int>(40, countLeft - margin - field.left), field.bottom - field.top, TRUE);
    const int top = field.bottom + margin;
    MoveWindow(ResultList(window), margin, top, std::max<int>(0, client.right - 2 * margin),
               std::max<int>(0, client.bottom - margin - top), TRUE);
}

void OnInitDialog(HWND window) {
    findWindowHandle = window;
    HWND list = ResultList(window);
    SendMessageW(list, LVM_SETEXTENDEDLISTVIEWSTYLE, 0, LVS_EX_GRIDLINES | LVS_EX_FULLROWSELECT);
    static const wchar_t* const kTitles[kColumns] = {L"グループ", L"用語", L"読み方", L"スペル", L"意味"};
    static constexpr int kWidths[kColumns] = {100, 120, 90, 90, 300};  // at 96 DPI
    const int dpi = WindowDpi(window);
    int widths[kColumns];
    for (int c = 0; c < kColumns; ++c) widths[c] = ScaleToDpi(kWidths[c], dpi);
    ListAddColumns(list, kTitles, widths, kColumns);
    SendDlgItemMessageW(window, IDC_FIND_TEXT, EM_LIMITTEXT, kQueryUnits - 1, 0);
    results.clear();
    sortColumn = -1;
    sortDescending = false;
    ShowResults(window);
    LayOut(window);
    SetFocus(GetDlgItem(window, IDC_FIND_TEXT));
}

void Close(HWND window) {
    findWindowHandle = nullptr;
    results.clear();
    DestroyWindow(window);
}

void OnCommand(HWND window, WPARAM wParam) {
    switch (wParam) {
    case IDOK:
        OpenResult(window);
        break;
    case IDCANCEL:
        Close(window);
        break;
    case MAKEWPARAM(IDC_FIND_TEXT, EN_CHANGE):
        Search(window);
        break;
    default:
        break;
    }
}

void OnNotify(HWND window, NMHDR* header) {
    if (header->idFrom != IDC_FIND_RESULTS) return;
    switch (header->code) {
    case LVN_GETDISPINFOW:
        OnGetDispInfo(reinterpret_cast<NMLVDISPINFOW*>(header));
        break;
    case LVN_COLUMNCLICK:
        OnColumnClick(window, reinterpret_cast<NMLISTVIEW*>(header)->iSubItem);
        break;
    case NM_DBLCLK:
    case NM_RETURN:
        OpenResult(window);
        break;
    default:
        break;
    }
}

}  // namespace

void OpenFindWindow(HWND owner) {
    if (!findWindowHandle) CreateDialogParamW(instanceHandle, MAKEINTRESOURCEW(IDD_FIND), owner, FindDialog, 0);
    if (!findWindowHandle) return;
    ShowWindow(findWindowHandle, SW_SHOWNORMAL);
    SetForegroundWindow(findWindowHandle);
    SetFocus(GetDlgItem(findWindowHandle, IDC_FIND_TEXT));
}

INT_PTR CALLBACK FindDialog(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
    case WM_INITDIALOG:
        OnInitDialog(window);
        return FALSE;
    case WM_COMMAND:
        OnCommand(window, wParam);
        return TRUE;
    case WM_NOTIFY:
        OnNotify(window, reinterpret_cast<NMHDR*>(lParam));
        return TRUE;
    case WM_SIZE:
        LayOut(window);
        return TRUE;
    case WM_CLOSE:
        Close(window);
        return TRUE;
    default:
        return FALSE;
    }
}

std::wstring DescribeGroupsWithTerm(const std::wstring& term) {
    RefreshIndex();
    std::wstring line;
    for (const GroupTermCount& found : glossaryIndex.GroupsWithTerm(term)) {
        line += line.empty() ? L"登録済み: " : L"、";
        line += AsWide(appSettings.groupNames[found.slot]);
        line += L" (" + std::to_wstring(found.count) + L"件)";
    }
    return line;
}
