// Times the word list on real group files of 2 000, 20 000 and 100 000
// entries, side by side with the floor the list view itself sets: inserting
// already decoded rows with redrawing off, and sorting with a comparator that
// only looks up an array. Run under Wine by `make bench`.
#include <windows.h>
#include <commctrl.h>

#include <algorithm>
#include <array>
#include <cstdio>
#include <string>
#include <vector>

#include "editor/list_view.h"
#include "editor/word_list.h"
#include "editor/word_order.h"
#include "storage/csv_format.h"
#include "storage/group_file.h"
#include "storage/settings.h"
#include "support/word_list_host.h"
#include "ui/message_box.h"

namespace {

using Entry = std::array<std::wstring, 4>;

double Now() {
    LARGE_INTEGER counter, frequency;
    QueryPerformanceCounter(&counter);
    QueryPerformanceFrequency(&frequency);
    return static_cast<double>(counter.QuadPart) / static_cast<double>(frequency.QuadPart);
}

// Deterministic glossary-like entries: Japanese and English, some with
// quotes, commas and line breaks.
std::vector<Entry> MakeEntries(int count) {
    static const wchar_t* const kJapanese[] = {L"単語", L"表現", L"読書", L"辞書", L"言葉", L"文章", L"意味", L"発音"};
    static const wchar_t* const kReadings[] = {L"たんご", L"ひょうげん", L"どくしょ", L"じしょ", L"ことば", L"ぶんしょう"};
    static const wchar_t* const kEnglish[] = {L"word", L"phrase", L"reading", L"dictionary", L"meaning", L"sound"};
    std::vector<Entry> entries;
    entries.reserve(static_cast<size_t>(count));
    unsigned seed = 12345;
    auto next = [&seed] { return seed = seed * 1103515245u + 12345u, (seed >> 16) & 0x7FFF; };
    for (int i = 0; i < count; ++i) {
        Entry e;
        if (i % 2) {
            e[0] = std::wstring(kJapanese[next() % 8]) + kJapanese[next() % 8] + std::to_wstring(next());
            e[1] = kReadings[next() % 6];
        } else {
            e[0] = std::wstring(kEnglish[next() % 6]) + L" " + std::to_wstring(next());
        }
        e[2] = kEnglish[next() % 6];
        e[3] = L"「" + e[0] + L"」の説明。 An explanation of " + kEnglish[next() % 6];
        if (i % 7 == 0) e[3] += L", with \"quotes\", commas";
        if (i % 11 == 0) e[3] += L"\r\n二行目 second line";
        entries.push_back(e);
    }
    return entries;
}

std::string AnsiOf(const std::wstring& text) {
    const int size = WideCharToMultiByte(CP_ACP, 0, text.data(), static_cast<int>(text.size()), nullptr, 0, nullptr, nullptr);
    std::string bytes(static_cast<size_t>(size), '\0');
    WideCharToMultiByte(CP_ACP, 0, text.data(), static_cast<int>(text.size()), bytes.data(), size, nullptr, nullptr);
    return bytes;
}

void WriteGroupFile(const std::vector<Entry>& entries) {
    std::string content;
    for (const Entry& e : entries) {
        const std::string fields[4] = {AnsiOf(e[0]), AnsiOf(e[1]), AnsiOf(e[2]), AnsiOf(e[3])};
        const std::string_view views[4] = {fields[0], fields[1], fields[2], fields[3]};
        AppendCsvRecord(content, views);
    }
    FILE* f = _wfopen(L"group01.csv", L"wb");
    fwrite(content.data(), 1, content.size(), f);
    fclose(f);
}

void SetSortState(int state) {
    ViewLayout layout = viewLayout;
    layout.sortStates[0] = state;
    ApplyViewLayout(layout);
}

std::vector<int> floorRank;
int CALLBACK CompareByArray(LPARAM key1, LPARAM key2, LPARAM) {
    return floorRank[static_cast<size_t>(key1)] - floorRank[static_cast<size_t>(key2)];
}

double InsertFloor(HWND list, const std::vector<Entry>& entries) {
    ListDeleteAll(list);
    const double start = Now();
    ListSetRedraw(list, false);
    SendMessageW(list, LVM_SETITEMCOUNT, entries.size(), 0);
    for (size_t row = 0; row < entries.size(); ++row) {
        const int r = static_cast<int>(row);
        ListInsertRow(list, r, entries[row][0].c_str(), r);
        for (int column = 1; column < 4; ++column) {
            if (!entries[row][column].empty()) ListSetText(list, r, column, entries[row][column].c_str());
        }
    }
    ListSetRedraw(list, true);
    return Now() - start;
}

// Ranks, per order key, of the order the word list would produce for a sort
// state, worked out here outside any timing.
std::vector<int> TargetRanks(HWND list, int state) {
    std::vector<WordListRow> rows(static_cast<size_t>(ListRowCount(list)));
    std::vector<std::u16string> terms(rows.size());
    for (size_t row = 0; row < rows.size(); ++row) {
        rows[row].key = ListGetKey(list, static_cast<int>(row));
        const std::wstring term = ListGetText(list, static_cast<int>(row), 0, 256);
        terms[row].assign(term.begin(), term.end());
        rows[row].term = terms[row];
    }
    const std::vector<int> rank = RankRows(rows, state);
    std::vector<int> byKey(rows.size());
    for (size_t row = 0; row < rows.size(); ++row) byKey[static_cast<size_t>(rows[row].key)] = rank[row];
    return byKey;
}

std::vector<int> CurrentRanks(HWND list) {
    std::vector<int> byKey(static_cast<size_t>(ListRowCount(list)));
    for (size_t row = 0; row < byKey.size(); ++row) byKey[static_cast<size_t>(ListGetKey(list, static_cast<int>(row)))] = static_cast<int>(row);
    return byKey;
}

// The same rearrangement as the real sort, by a comparator that only looks
// up an array; the list is put back as it was afterwards.
double SortFloor(HWND list, int state) {
    const std::vector<int> before = CurrentRanks(list);
    floorRank = TargetRanks(list, state);
    const double start = Now();
    ListSortByKeys(list, CompareByArray, 0);
    const double elapsed = Now() - start;
    floorRank = before;
    ListSortByKeys(list, CompareByArray, 0);
    return elapsed;
}

int Quiet(HWND, const wchar_t* text, const wchar_t*, UINT) {
    fwprintf(stderr, L"message: %ls\n", text);
    return IDOK;
}

}  // namespace

int main() {
    SetMessageBoxPresenter(Quiet);
    CreateDirectoryW(L"bench-data", nullptr);
    SetCurrentDirectoryW(L"bench-data");
    WordListHost host;
    ShowWindow(host.Dialog(), SW_SHOW);
    MoveWindow(host.List(), 20, 50, 700, 380, TRUE);

    std::printf("%8s | %9s %7s %6s | %9s %9s %9s %9s %6s | %9s %7s\n", "entries", "load ms", "floor", "ratio",
                "asc ms", "desc ms", "stored ms", "asc floor", "worst", "save ms", "us/row");
    for (int count : {2000, 20000, 100000}) {
        const std::vector<Entry> entries = MakeEntries(count);
        WriteGroupFile(entries);
        appSettings = DefaultAppSettings();
        viewLayout = DefaultViewLayout();

        const double insertFloor = InsertFloor(host.List(), entries);

        ListDeleteAll(host.List());
        double start = Now();
        LoadWordListFromGroupFile();
        const double load = Now() - start;

        // Small sizes take milliseconds: the best of several runs keeps noise out.
        const int repeats = count <= 2000 ? 7 : count <= 20000 ? 3 : 1;
        double sorts[3];
        double floors[3];
        double worstRatio = 0;
        const int states[3] = {1, 2, 0};
        for (int i = 0; i < 3; ++i) {
            sorts[i] = floors[i] = 1e9;
            for (int repeat = 0; repeat < repeats; ++repeat) {
                floors[i] = std::min(floors[i], SortFloor(host.List(), states[i]));
                const std::vector<int> before = CurrentRanks(host.List());
                SetSortState(states[i]);
                start = Now();
                SortWordList();
                sorts[i] = std::min(sorts[i], Now() - start);
                if (repeat + 1 < repeats) {
                    floorRank = before;
                    ListSortByKeys(host.List(), CompareByArray, 0);
                }
            }
            worstRatio = std::max(worstRatio, sorts[i] / floors[i]);
        }
        start = Now();
        SaveWordListToGroupFile();
        const double save = Now() - start;

        std::printf("%8d | %9.1f %7.1f %5.2fx | %9.1f %9.1f %9.1f %9.1f %5.2fx | %9.1f %7.2f\n", count, load * 1e3,
                    insertFloor * 1e3, load / insertFloor, sorts[0] * 1e3, sorts[1] * 1e3, sorts[2] * 1e3,
                    floors[0] * 1e3, worstRatio, save * 1e3, save * 1e6 / count);
        std::fflush(stdout);
    }
    return 0;
}
