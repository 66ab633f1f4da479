#include "editor/find_window.h"

#include <commctrl.h>

#include <algorithm>
#include <new>

#include "app/app_globals.h"
#include "common/bounded_copy.h"
#include "common/dpi_scale.h"
#include "common/wait_cursor.h"
#include "common/win32_text.h"
#include "common/window_dpi.h"
#include "editor/edit_dialog.h"
#include "editor/row_changes.h"
#include "editor/glossary_lookup.h"
#include "editor/list_view.h"
#include "editor/register_dialog.h"
#include "editor/word_list.h"
#include "storage/find_folding.h"
#include "ui/control_text.h"
#include "ui/resource_ids.h"
#include "ui/ui_text.h"

HWND findWindowHandle = nullptr;

namespace {

constexpr int kQueryUnits = 256;
constexpr int kColumns = 5;  // group, then the entry's four texts
constexpr int kMargin = 8;  // pixels at 96 DPI
constexpr UINT kGlossaryChanged = WM_APP + 16;
constexpr UINT_PTR kFileCheckTimer = 1;
constexpr UINT kFileCheckMilliseconds = 1000;

// The results are of one version of the index and one query; whenever the
// index changes they are searched again at once (its listener), so a row
// never points into entries that are no longer there.
std::vector<GlossaryMatch> results;
uint64_t resultsVersion = ~0ull;
std::wstring resultsQuery;
bool resultsValid = false;
int sortColumn = -1;
bool sortDescending = false;
int resultsSortColumn = -1;
bool resultsDescending = false;
// The result the user chose, by what it is, so it stays chosen when the results change.
EntryIdentity chosen;
// The chosen entry went while the user was away: Enter opens nothing until they choose again.
bool chosenGone = false;
bool restoringChoice = false;
int findDpi = kDesignDpi;

HWND ResultList(HWND window) { return GetDlgItem(window, IDC_FIND_RESULTS); }

std::wstring QueryText(HWND window) {
    wchar_t query[kQueryUnits] = {};
    GetDlgItemTextW(window, IDC_FIND_TEXT, query, kQueryUnits);
    return query;
}

// The count of results, and after it what the user should know.
void ShowCount(HWND window, const wchar_t* note = nullptr) {
    std::wstring text = UiText(Text::FindCount, std::to_wstring(results.size()));
    if (note) text += std::wstring(L"  ") + note;
    const std::vector<int> unread = Glossary().UnreadGroups();
    for (size_t i = 0; i < unread.size(); ++i) {
        text += UiText(i == 0 ? Text::FindUnreadGroups : Text::ListSeparator);
        text += AsWide(appSettings.groupNames[unread[i]]);
    }
    SetDlgItemTextW(window, IDC_FIND_COUNT, text.c_str());
}

void Note(HWND window, Text note) { ShowCount(window, UiText(note)); }

int ChosenRow() {
    GlossaryMatch match{};
    if (chosen.slot < 0 || !Glossary().Locate(chosen, match)) return -1;
    const auto found = std::find(results.begin(), results.end(), match);
    return found == results.end() ? -1 : static_cast<int>(found - results.begin());
}

// Shows the results and selects the chosen entry where it now stands; false
// when it was chosen and is there no more.
bool ShowResults(HWND window) {
    HWND list = ResultList(window);
    restoringChoice = true;
    // Row by row: clearing every row at once costs a notification a row in some list views.
    // Looking for the selected row walks every row in some list views: only when one is selected.
    for (UINT flag : {LVNI_SELECTED, LVNI_FOCUSED}) {
        if (flag == LVNI_SELECTED && ListSelectedCount(list) == 0) continue;
        const int row = ListNextRow(list, -1, flag);
        if (row >= 0) ListSetState(list, row, 0, LVIS_SELECTED | LVIS_FOCUSED);
    }
    ListSetVirtualCount(list, static_cast<int>(results.size()));
    const bool hadChoice = chosen.slot >= 0;
    const int row = ChosenRow();
    if (row >= 0) {
        ListSetState(list, row, LVIS_SELECTED | LVIS_FOCUSED, LVIS_SELECTED | LVIS_FOCUSED);
        ListEnsureVisible(list, row);
    }
    restoringChoice = false;
    if (hadChoice && row < 0) {
        chosen = EntryIdentity{};
        chosenGone = true;
    }
    if (chosenGone) {
        Note(window, Text::FindChosenGone);
        return false;
    }
    ShowCount(window);
    return true;
}

// The results for the query and order from the index as it stands, without
// reading anything; shown only when one of the three changed since they were
// last shown. The one place results are made: the index's listener, the
// keyboard and the column headers all come here.
bool UpdateResults(HWND window) {
    const GlossaryIndex& index = Glossary();
    const std::wstring query = QueryText(window);
    const bool sameIndex = resultsValid && resultsVersion == index.Version();
    const bool sameOrder = resultsSortColumn == sortColumn && resultsDescending == sortDescending;
    if (sameIndex && query == resultsQuery) {
        if (sameOrder) return !chosenGone;
        index.Sort(results, sortColumn, sortDescending);
    } else {
        // Text typed onto the end (or into the middle) of what was searched: only what was found can hold it.
        const std::wstring before = sameIndex ? FoldQuery(resultsQuery, FoldForFinding) : std::wstring();
        const bool narrows = !before.empty() && FoldQuery(query, FoldForFinding).find(before) != std::wstring::npos;
        // In place: a new list of results as long as the glossary is slow to allocate.
        if (narrows && sameOrder) {
            index.NarrowInPlace(results, query);
        } else {
            index.Find(query, results);
            index.Sort(results, sortColumn, sortDescending);
        }
    }
    resultsVersion = index.Version();
    resultsQuery = query;
    resultsSortColumn = sortColumn;
    resultsDescending = sortDescending;
    resultsValid = true;
    return ShowResults(window);
}

void OnGlossaryIndexChanged() {
    if (findWindowHandle) UpdateResults(findWindowHandle);
}

void ReportOutOfMemory(HWND window) {
    results.clear();
    resultsValid = false;
    ListSetVirtualCount(ResultList(window), 0);
    Note(window, Text::FindOutOfMemory);
}

// The glossary as it stands now, and the results in it; false when the chosen
// entry is gone. A change the refresh finds reaches the results through the
// index's listener; what is left is the query or the order the user changed.
bool Search(HWND window) {
    WaitCursor wait;
    RefreshGlossary();
    return UpdateResults(window);
}

void OnGetDispInfo(NMLVDISPINFOW* info) {
    LVITEMW& item = info->item;
    if (!(item.mask & LVIF_TEXT) || !item.pszText || item.cchTextMax <= 0) return;
    item.pszText[0] = L'\0';
    if (!resultsValid || resultsVersion != Glossary().Version()) return;
    if (item.iItem < 0 || static_cast<size_t>(item.iItem) >= results.size() || item.iSubItem < 0 || item.iSubItem >= kColumns) {
        return;
    }
    const GlossaryMatch& match = results[static_cast<size_t>(item.iItem)];
    const GlossaryEntry* entry = Glossary().Entry(match);
    if (!entry) return;
    CopyBounded(item.pszText, static_cast<size_t>(item.cchTextMax),
                item.iSubItem == 0 ? std::wstring_view(AsWide(appSettings.groupNames[match.slot])) : entry->texts[item.iSubItem - 1]);
}

void OnItemChanged(const NMLISTVIEW* change) {
    if (restoringChoice || !(change->uChanged & LVIF_STATE)) return;
    if (!(change->uNewState & LVIS_SELECTED)) return;
    const int row = change->iItem;
    if (row < 0 || static_cast<size_t>(row) >= results.size() || resultsVersion != Glossary().Version()) return;
    chosen = Glossary().Identify(results[static_cast<size_t>(row)]);
    chosenGone = false;
}

void OnColumnClick(HWND window, int column) {
    if (column < 0 || column >= kColumns) return;
    sortDescending = column == sortColumn && !sortDescending;
    sortColumn = column;
    HWND header = ListHeader(ResultList(window));
    for (int c = 0; c < kColumns; ++c) {
        int format = HeaderGetFormat(header, c) & ~(HDF_SORTUP | HDF_SORTDOWN);
        if (c == sortColumn) format |= sortDescending ? HDF_SORTDOWN : HDF_SORTUP;
        HeaderSetFormat(header, c, format);
    }
    Search(window);
}

bool SameTexts(HWND list, int row, const GlossaryEntry& entry) {
    for (int column = 0; column < kEntryFieldCount; ++column) {
        if (ListGetText(list, row, column, kEntryTextUnits) != entry.texts[column]) return false;
    }
    return true;
}

// The glossary now shows the group: selects the entry there, after making sure it is that entry.
void SelectInGlossary(HWND window, const EntryIdentity& identity) {
    HWND list = wordListHandle;
    if (!list) return;
    RefreshGlossary();  // the group may have been read again from its file
    GlossaryMatch match{};
    int row = -1;
    if (Glossary().Locate(identity, match)) {
        row = ListFindKey(list, static_cast<LPARAM>(Glossary().Key(match)));
        if (row >= 0 && !SameTexts(list, row, identity.entry)) row = -1;
    }
    ListSetState(list, -1, 0, LVIS_SELECTED | LVIS_FOCUSED);
    if (row < 0) {
        Note(window, Text::FindEntryNotInList);
        return;
    }
    ListSetState(list, row, LVIS_SELECTED | LVIS_FOCUSED, LVIS_SELECTED | LVIS_FOCUSED);
    ListEnsureVisible(list, row);
    SetFocus(list);
}

// Enter or a double-click: the selected result (or the first) in the glossary.
void OpenResult(HWND window) {
    // The edit window writes into the group and the row it was opened on: the glossary stays there.
    if (EditDialogOpen()) {
        Note(window, Text::FindCloseEditFirst);
        return;
    }
    if (!Search(window)) return;  // the entry chosen is gone
    int row = ListNextRow(ResultList(window), -1, LVNI_SELECTED);
    if (row < 0 && !results.empty()) row = 0;
    if (row < 0 || static_cast<size_t>(row) >= results.size()) return;
    const GlossaryMatch match = results[static_cast<size_t>(row)];
    const EntryIdentity identity = Glossary().Identify(match);
    if (identity.slot < 0) return;
    ShowGlossaryEntry(mainWindowHandle, match.slot, Glossary().Key(match));
    if (appSettings.currentGroup != identity.slot) return;  // the user kept the unsaved changes of another group
    SelectInGlossary(window, identity);
}

constexpr Text kColumnTitles[kColumns] = {Text::ColumnGroup, Text::ColumnTerm, Text::ColumnReading,
                                          Text::ColumnSpelling, Text::ColumnMeaning};

// The label is given the room its text takes, up to the query field.
void SetTexts(HWND window) {
    SetWindowTextW(window, UiText(Text::FindCaption));
    SetDlgItemTextW(window, IDC_FIND_LABEL, UiText(Text::FindLabel));
    WidenToText(window, GetDlgItem(window, IDC_FIND_LABEL), RectInDialog(window, GetDlgItem(window, IDC_FIND_TEXT)).left);
    for (int c = 0; c < kColumns; ++c) ListSetColumnTitle(ResultList(window), c, UiText(kColumnTitles[c]));
}

void LayOut(HWND window) {
    const int margin = ScaleToDpi(kMargin, findDpi);
    RECT client;
    GetClientRect(window, &client);
    RECT field;
    GetWindowRect(GetDlgItem(window, IDC_FIND_TEXT), &field);
    MapWindowPoints(nullptr, window, reinterpret_cast<POINT*>(&field), 2);
    RECT count;
    GetWindowRect(GetDlgItem(window, IDC_FIND_COUNT), &count);
    MapWindowPoints(nullptr, window, reinterpret_cast<POINT*>(&count), 2);
    // Room for the count and a note after it, taken from the query field.
    const int countWidth = std::max<int>(count.right - count.left, (client.right - field.left) / 2);
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
    findDpi = WindowDpi(window);
    HWND list = ResultList(window);
    SendMessageW(list, LVM_SETEXTENDEDLISTVIEWSTYLE, 0, LVS_EX_GRIDLINES | LVS_EX_FULLROWSELECT);
    static constexpr int kWidths[kColumns] = {100, 120, 90, 90, 300};  // at 96 DPI
    int widths[kColumns];
    for (int c = 0; c < kColumns; ++c) widths[c] = ScaleToDpi(kWidths[c], findDpi);
    const wchar_t* const noTitles[kColumns] = {L"", L"", L"", L"", L""};
    ListAddColumns(list, noTitles, widths, kColumns);
    SetTexts(window);
    SendDlgItemMessageW(window, IDC_FIND_TEXT, EM_LIMITTEXT, kQueryUnits - 1, 0);
    results.clear();
    resultsValid = false;
    resultsQuery.clear();
    resultsSortColumn = -1;
    resultsDescending = false;
    chosen = EntryIdentity{};
    chosenGone = false;
    sortColumn = -1;
    sortDescending = false;
    ShowResults(window);
    KeepDialogSizeOnDpiChange(window);
    KeepControlPlaceOnDpiChange(list, false);
    LayOut(window);
    SetGlossaryListener(OnGlossaryIndexChanged);
    WatchGlossaryChanges(window, kGlossaryChanged);
    // Another program may change a group file while the results are on show.
    SetTimer(window, kFileCheckTimer, kFileCheckMilliseconds, nullptr);
    SetFocus(GetDlgItem(window, IDC_FIND_TEXT));
}

void Close(HWND window) {
    KillTimer(window, kFileCheckTimer);
    WatchGlossaryChanges(nullptr, 0);
    SetGlossaryListener(nullptr);
    findWindowHandle = nullptr;
    std::vector<GlossaryMatch>().swap(results);  // its room is the glossary's size
    resultsValid = false;
    DestroyWindow(window);
}

// Moved to a display of another scale: the columns keep their proportions, the layout follows.
void OnDpiChanged(HWND window, int dpi, const RECT& suggested) {
    HWND list = ResultList(window);
    if (dpi != findDpi) {
        for (int c = 0; c < kColumns; ++c) {
            ListSetColumnWidth(list, c, ScaleToDpi(ScaleFromDpi(ListColumnWidth(list, c), findDpi), dpi));
        }
        findDpi = dpi;
    }
    SetWindowPos(window, nullptr, suggested.left, suggested.top, suggested.right - suggested.left,
                 suggested.bottom - suggested.top, SWP_NOZORDER | SWP_NOACTIVATE);
    LayOut(window);
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
        chosenGone = false;  // a new search: nothing was chosen in it yet
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
    case LVN_ITEMCHANGED:
        OnItemChanged(reinterpret_cast<NMLISTVIEW*>(header));
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

INT_PTR HandleMessage(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
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
    case WM_TIMER:
        if (wParam == kFileCheckTimer) RefreshGlossary();
        return TRUE;
    case kGlossaryChanged:
        GlossaryChangesSeen();
        RefreshGlossary();
        return TRUE;
    case WM_DPICHANGED:
        OnDpiChanged(window, LOWORD(wParam), *reinterpret_cast<const RECT*>(lParam));
        return FALSE;  // the dialog manager then gives the controls their new font
    case WM_CLOSE:
        Close(window);
        return TRUE;
    default:
        return FALSE;
    }
}

}  // namespace

void ShowFindWindowTexts() {
    if (!findWindowHandle) return;
    SetTexts(findWindowHandle);
    if (chosenGone) {
        Note(findWindowHandle, Text::FindChosenGone);
    } else {
        ShowCount(findWindowHandle);
    }
}

void OpenFindWindow(HWND owner) {
    if (!findWindowHandle) CreateDialogParamW(instanceHandle, MAKEINTRESOURCEW(IDD_FIND), owner, FindDialog, 0);
    if (!findWindowHandle) return;
    ShowWindow(findWindowHandle, SW_SHOWNORMAL);
    SetForegroundWindow(findWindowHandle);
    SetFocus(GetDlgItem(findWindowHandle, IDC_FIND_TEXT));
}

INT_PTR CALLBACK FindDialog(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    // Running out of memory while the glossary is read or folded ends that
    // search, not the program with every unsaved change.
    try {
        return HandleMessage(window, message, wParam, lParam);
    } catch (const std::bad_alloc&) {
        ReportOutOfMemory(window);
    } catch (...) {
        ReportOutOfMemory(window);
    }
    return TRUE;
}
