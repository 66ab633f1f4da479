#include "editor/word_list.h"

#include <commctrl.h>

#include <new>
#include <vector>

#include "app/app_globals.h"
#include "common/dpi_scale.h"
#include "common/wait_cursor.h"
#include "common/win32_text.h"
#include "common/window_dpi.h"
#include "editor/glossary_changes.h"
#include "editor/list_view.h"
#include "editor/register_dialog.h"
#include "editor/row_changes.h"
#include "editor/word_order.h"
#include "storage/settings.h"
#include "ui/message_box.h"
#include "ui/resource_ids.h"
#include "ui/ui_text.h"

namespace {

constexpr int kCompareBufferUnits = static_cast<int>(kComparedTermUnits) + 1;
// From about this many rows a sort or a save takes long enough to be seen.
constexpr int kLongWorkRows = 5000;

// Position of each order key in the order being produced, gathered once
// before the list view sorts, so a comparison is a lookup in this table.
std::vector<int> rankOfKey;

// The DPI the list's pixel widths are in. The settings keep widths at 96 DPI,
// so a glossary keeps its proportions at every display scale.
int wordListDpi = kDesignDpi;

void EnableMoveButtons(bool enable) {
    EnableWindow(GetDlgItem(registerDialogHandle, IDC_MOVE_UP), enable);
    EnableWindow(GetDlgItem(registerDialogHandle, IDC_MOVE_DOWN), enable);
}

void EnableApply() { NoteGlossaryChange(); }

bool Sorts(int state) { return state == kSortStateAscending || state == kSortStateDescending; }

// Rewrites the keys as 0..n-1 in stored order when they are not already so.
void MakeKeysDense(std::vector<int64_t>& keys) {
    std::vector<bool> seen(keys.size(), false);
    bool dense = true;
    for (int64_t key : keys) {
        if (key < 0 || key >= static_cast<int64_t>(keys.size()) || seen[static_cast<size_t>(key)]) {
            dense = false;
            break;
        }
        seen[static_cast<size_t>(key)] = true;
    }
    if (dense) return;
    const std::vector<int64_t> compacted = CompactKeys(keys);
    for (size_t row = 0; row < compacted.size(); ++row) {
        if (compacted[row] != keys[row]) ListSetKey(wordListHandle, static_cast<int>(row), static_cast<LPARAM>(compacted[row]));
    }
    keys = compacted;
}

std::vector<int64_t> ReadKeys() {
    const int count = ListRowCount(wordListHandle);
    std::vector<int64_t> keys(static_cast<size_t>(count));
    for (int row = 0; row < count; ++row) keys[static_cast<size_t>(row)] = ListGetKey(wordListHandle, row);
    return keys;
}

void ReadRowTexts(int row, wchar_t (&texts)[4][kEntryTextUnits]) {
    for (int column = 0; column < 4; ++column) ListGetText(wordListHandle, row, column, texts[column], kEntryTextUnits);
}

void WriteRowTexts(int row, const wchar_t (&texts)[4][kEntryTextUnits]) {
    for (int column = 0; column < 4; ++column) ListSetText(wordListHandle, row, column, texts[column]);
}

}  // namespace

HWND CreateWordList(HWND dialog) {
    wordListDpi = WindowDpi(dialog);
    auto s = [](int value) { return ScaleToDpi(value, wordListDpi); };
    HWND list = CreateWindowExW(WS_EX_CLIENTEDGE, WC_LISTVIEWW, nullptr, WS_CHILD | WS_VISIBLE | WS_TABSTOP | LVS_REPORT,
                                s(20), s(50), s(700), s(380), dialog, reinterpret_cast<HMENU>(static_cast<INT_PTR>(kWordListId)),
                                instanceHandle, nullptr);
    if (!list) return nullptr;
    const LRESULT style = SendMessageW(list, LVM_GETEXTENDEDLISTVIEWSTYLE, 0, 0);
    SendMessageW(list, LVM_SETEXTENDEDLISTVIEWSTYLE, 0,
                 style | LVS_EX_GRIDLINES | LVS_EX_HEADERDRAGDROP | LVS_EX_FULLROWSELECT);

    const wchar_t* const titles[4] = {UiText(kEntryFieldTexts[0]), UiText(kEntryFieldTexts[1]),
                                      UiText(kEntryFieldTexts[2]), UiText(kEntryFieldTexts[3])};
    const int* stored = viewLayout.columnWidths[appSettings.currentGroup];
    const int widths[4] = {s(stored[0]), s(stored[1]), s(stored[2]), s(stored[3])};
    ListAddColumns(list, titles, widths, 4);
    return list;
}

void SetWordListTitles() {
    if (!wordListHandle) return;
    for (int column = 0; column < 4; ++column) ListSetColumnTitle(wordListHandle, column, UiText(kEntryFieldTexts[column]));
}

int CALLBACK CompareRows(LPARAM key1, LPARAM key2, LPARAM) {
    // Stored order: every row holds a key of its own, so the keys alone decide.
    if (rankOfKey.empty()) return key1 > key2 ? 1 : -1;
    const int rank1 = rankOfKey[static_cast<size_t>(key1)];
    const int rank2 = rankOfKey[static_cast<size_t>(key2)];
    return rank1 < rank2 ? -1 : rank1 > rank2 ? 1 : 0;
}

WordListSort CurrentWordListSort() {
    for (int column = 0; column < kColumnCount; ++column) {
        if (Sorts(viewLayout.sortStates[column])) return {column, viewLayout.sortStates[column]};
    }
    return {0, kSortStateStored};
}

void SetWordListSort(WordListSort sort) {
    ViewLayout layout = viewLayout;
    for (int column = 0; column < kColumnCount; ++column) layout.sortStates[column] = column == sort.column ? sort.state : 0;
    ApplyViewLayout(layout);
}

void SortWordList() {
    const WordListSort sort = CurrentWordListSort();
    const int state = sort.state;
    if (state == kSortStateStored) {
        rankOfKey.clear();
        ListSortByKeys(wordListHandle, CompareRows, 0);
        return;
    }

    // Keys and texts are read once; the list view's comparisons then only look up a table.
    const int count = ListRowCount(wordListHandle);
    WaitCursor wait(count >= kLongWorkRows);
    std::vector<WordListRow> rows(static_cast<size_t>(count));
    std::vector<int64_t> keys(static_cast<size_t>(count));
    std::u16string terms;
    std::vector<size_t> termEnds(static_cast<size_t>(count), 0);
    wchar_t term[kCompareBufferUnits];
    for (int row = 0; row < count; ++row) {
        LVITEMW item{};
        item.mask = LVIF_PARAM | LVIF_TEXT;
        item.iItem = row;
        item.iSubItem = sort.column;
        item.pszText = term;
        item.cchTextMax = kCompareBufferUnits;
        term[0] = L'\0';
        SendMessageW(wordListHandle, LVM_GETITEMW, 0, reinterpret_cast<LPARAM>(&item));
        keys[static_cast<size_t>(row)] = item.lParam;
        terms += AsUtf16View(item.pszText).substr(0, kComparedTermUnits);
        termEnds[static_cast<size_t>(row)] = terms.size();
    }
    MakeKeysDense(keys);
    for (size_t row = 0, begin = 0; row < rows.size(); begin = termEnds[row++]) {
        rows[row].key = keys[row];
        rows[row].term = std::u16string_view(terms).substr(begin, termEnds[row] - begin);
    }
    const std::vector<int> rank = RankRows(rows, state);
    rankOfKey.assign(static_cast<size_t>(count), 0);
    for (size_t row = 0; row < rows.size(); ++row) rankOfKey[static_cast<size_t>(keys[row])] = rank[row];
    ListSortByKeys(wordListHandle, CompareRows, 0);
    rankOfKey.clear();
}

void SetSortArrow(HWND header, int column, int state) {
    for (int c = 0; c < kColumnCount; ++c) {
        int format = HeaderGetFormat(header, c);
        format &= ~(HDF_SORTUP | HDF_SORTDOWN);
        format |= HDF_STRING;
        if (c == column && state == kSortStateAscending) format |= HDF_SORTUP;
        if (c == column && state == kSortStateDescending) format |= HDF_SORTDOWN;
        HeaderSetFormat(header, c, format);
    }
}

void ApplySortState() {
    const WordListSort sort = CurrentWordListSort();
    EnableMoveButtons(sort.state == kSortStateStored);
    SortWordList();
    SetSortArrow(ListHeader(wordListHandle), sort.column, sort.state);
}

void CycleSortState(int clickedColumn) {
    if (clickedColumn < 0 || clickedColumn >= kColumnCount) return;
    const WordListSort current = CurrentWordListSort();
    // Another column starts its cycle from stored order, as the term column always did.
    const int state = current.column == clickedColumn ? current.state : kSortStateStored;
    const int next = state == kSortStateStored ? kSortStateAscending
                     : state == kSortStateAscending ? kSortStateDescending
                                                    : kSortStateStored;
    SetWordListSort({clickedColumn, next});
    EnableMoveButtons(next == kSortStateStored);
    SortWordList();
    SetSortArrow(ListHeader(wordListHandle), clickedColumn, next);
}

void SaveColumnWidths() {
    ViewLayout layout = viewLayout;
    for (int column = 0; column < 4; ++column) {
        layout.columnWidths[appSettings.currentGroup][column] = ScaleFromDpi(ListColumnWidth(wordListHandle, column), wordListDpi);
    }
    ApplyViewLayout(layout);
}

void ApplyColumnWidths() {
    for (int column = 0; column < 4; ++column) {
        ListSetColumnWidth(wordListHandle, column, ScaleToDpi(viewLayout.columnWidths[appSettings.currentGroup][column], wordListDpi));
    }
}

void ChangeWordListDpi(int dpi) {
    if (dpi == wordListDpi) return;
    // Through the 96-DPI width, so a round trip between two scales lands where it started.
    for (int column = 0; column < 4; ++column) {
        const int width = ScaleFromDpi(ListColumnWidth(wordListHandle, column), wordListDpi);
        ListSetColumnWidth(wordListHandle, column, ScaleToDpi(width, dpi));
    }
    wordListDpi = dpi;
}

void DeleteSelectedRows() {
    bool deleted = false;
    for (int row = ListNextRow(wordListHandle, -1, LVNI_SELECTED); row != -1;
         row = ListNextRow(wordListHandle, -1, LVNI_SELECTED)) {
        ListDeleteRow(wordListHandle, row);
        EnableApply();
        int32_t& count = appSettings.entryCounts[appSettings.currentGroup];
        if (count > 0) --count;
        deleted = true;
    }
    // A key left by a deleted row could otherwise be given to a new entry
    // while another row still holds it.
    if (deleted) {
        std::vector<int64_t> keys = ReadKeys();
        MakeKeysDense(keys);
    }
}

void MoveSelectedRow(MoveDirection direction) {
    const int s = ListNextRow(wordListHandle, -1, LVNI_SELECTED);
    if (s == -1) return;
    for (int row = s; row != -1; row = ListNextRow(wordListHandle, -1, LVNI_SELECTED)) {
        ListSetState(wordListHandle, row, 0, LVIS_SELECTED | LVIS_FOCUSED);
    }
    // The rows the list actually holds decide the edges, whatever the stored count says.
    const bool atEdge = direction == MoveDirection::Up ? s == 0 : s + 1 >= ListRowCount(wordListHandle);
    if (atEdge) {
        ListSetState(wordListHandle, s, LVIS_SELECTED, LVIS_SELECTED);
        SetFocus(wordListHandle);
        return;
    }
    const int t = direction == MoveDirection::Up ? s - 1 : s + 1;
    static wchar_t textsOfS[4][kEntryTextUnits];
    static wchar_t textsOfT[4][kEntryTextUnits];
    ReadRowTexts(s, textsOfS);
    ReadRowTexts(t, textsOfT);
    WriteRowTexts(s, textsOfT);
    WriteRowTexts(t, textsOfS);
    ListSetState(wordListHandle, s, 0, LVIS_SELECTED | LVIS_FOCUSED);
    ListSetState(wordListHandle, t, LVIS_SELECTED, LVIS_SELECTED);
    SetFocus(wordListHandle);
    EnableApply();
    ListEnsureVisible(wordListHandle, t);
}

void FillWordList(const std::vector<GlossaryEntry>& entries) {
    NoteGlossaryChanged();  // no row-by-row note of a fill: its fingerprint follows
    ListSetRedraw(wordListHandle, false);
    SendMessageW(wordListHandle, LVM_SETITEMCOUNT, entries.size(), 0);
    int row = 0;
    for (const GlossaryEntry& entry : entries) {
        ListInsertRow(wordListHandle, row, entry.texts[0].c_str(), row);
        for (int column = 1; column < kEntryFieldCount; ++column) {
            if (!entry.texts[column].empty()) ListSetText(wordListHandle, row, column, entry.texts[column].c_str());
        }
        ++row;
    }
    ListSetRedraw(wordListHandle, true);
    std::vector<int64_t> keys(static_cast<size_t>(row));
    for (size_t i = 0; i < keys.size(); ++i) keys[i] = static_cast<int64_t>(i);
    NoteRowsFilled(FingerprintOfRows(entries, kEntryTextUnits), std::move(keys));
}

std::vector<GlossaryEntry> WordListEntries(std::vector<int64_t>* keys) {
    static wchar_t cell[kEntryTextUnits];
    const int count = ListRowCount(wordListHandle);
    std::vector<GlossaryEntry> entries(static_cast<size_t>(count));
    if (keys) keys->assign(static_cast<size_t>(count), 0);
    for (int row = 0; row < count; ++row) {
        for (int column = 0; column < kEntryFieldCount; ++column) {
            if (column == 0 && keys) {
                (*keys)[static_cast<size_t>(row)] = ListGetTermAndKey(wordListHandle, row, cell, kEntryTextUnits);
            } else {
                ListGetText(wordListHandle, row, column, cell, kEntryTextUnits);
            }
            entries[static_cast<size_t>(row)].texts[column] = cell;
        }
    }
    return entries;
}

void TellGroupFileReport(const GroupFileReport& report) {
    HWND owner = registerDialogHandle;
    if (!report.keptCopy.empty()) {
        ShowMessage(report.keptBecauseChanged ? Message::ChangedFileKept : Message::OriginalFileKept, owner,
                    report.keptCopy);
    }
    if (!report.cutOriginal.empty()) {
        ShowMessage(Message::LongTextsCut, owner,
                    AsWide(appSettings.groupNames[appSettings.currentGroup]) + std::wstring(L"\n") + report.cutOriginal);
    }
    if (report.outcome == GroupFileReport::Outcome::Failed) ShowMessage(Message::CsvFileOpenFailed, owner);
    const CutOffSave& cutOff = report.cutOff;
    if (!cutOff.left.empty()) ShowMessage(Message::CutOffSaveFound, nullptr, cutOff.file + L"\n" + cutOff.left);
}

int LoadWordListFromGroupFile() {
    WaitCursor wait;
    std::vector<GlossaryEntry> entries;
    GroupFileReport report;
    const int result = LoadGroupFile(entries, report);
    ListDeleteAll(wordListHandle);
    FillWordList(entries);
    TellGroupFileReport(report);
    return result;
}

int SaveWordListToGroupFile(std::u16string_view newName) {
    GroupFileReport report;
    int result = -1;
    {
        WaitCursor wait(ListRowCount(wordListHandle) >= kLongWorkRows);
        try {
            std::vector<int64_t> keys;
            const std::vector<GlossaryEntry> entries = WordListEntries(&keys);
            result = newName.empty() ? SaveGroupFile(entries, report) : SaveGroupFileAs(newName, entries, report);
            // The list now holds what the file does, as after a load of it.
            if (result == 0) NoteRowsFilled(FingerprintOfRows(entries, kEntryTextUnits), std::move(keys));
        } catch (const std::bad_alloc&) {
            report.outcome = GroupFileReport::Outcome::Failed;  // nothing was written; the list keeps every row
        }
    }
    // Told once the file is written: what changes meanwhile is not in it.
    TellGroupFileReport(report);
    return result;
}

std::vector<int64_t> WordListKeys() { return ReadKeys(); }

int64_t UnusedWordListKey() {
    const std::vector<int64_t> keys = ReadKeys();
    int64_t unused = static_cast<int64_t>(keys.size());
    for (int64_t key : keys) unused = std::max(unused, key + 1);
    return unused;
}
