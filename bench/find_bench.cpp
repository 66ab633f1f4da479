// Times finding in the whole glossary: 100 000 entries in 20 group files,
// through the real find window. The first search reads every file, beside the
// floor of reading those files alone; a keystroke (unsorted, sorted, with an
// unsaved open group) beside a plain scan of the texts; the edit window's
// "already collected" beside a plain comparison of every term.
// Run under Wine by `make bench`.
#include <windows.h>
#include <commctrl.h>

#include <algorithm>
#include <cstdio>
#include <string>
#include <vector>

#include "app/app_globals.h"
#include "editor/find_window.h"
#include "editor/glossary_lookup.h"
#include "editor/list_view.h"
#include "editor/word_list.h"
#include "storage/csv_format.h"
#include "storage/glossary_index.h"
#include "storage/group_file.h"
#include "storage/settings.h"
#include "support/word_list_host.h"
#include "ui/message_box.h"
#include "ui/resource_ids.h"

namespace {

constexpr int kGroups = 20;
constexpr int kEntriesPerGroup = 5000;

double Now() {
    LARGE_INTEGER counter, frequency;
    QueryPerformanceCounter(&counter);
    QueryPerformanceFrequency(&frequency);
    return static_cast<double>(counter.QuadPart) / static_cast<double>(frequency.QuadPart);
}

std::string Ansi(const std::wstring& text) {
    const int size = WideCharToMultiByte(CP_ACP, 0, text.data(), static_cast<int>(text.size()), nullptr, 0, nullptr, nullptr);
    std::string bytes(static_cast<size_t>(size), '\0');
    WideCharToMultiByte(CP_ACP, 0, text.data(), static_cast<int>(text.size()), bytes.data(), size, nullptr, nullptr);
    return bytes;
}

void WriteGroups() {
    static const wchar_t* const kWords[] = {L"単語", L"表現", L"読書", L"辞書", L"言葉", L"文章", L"意味", L"発音",
                                            L"word", L"phrase", L"reading", L"meaning", L"カタカナ", L"ひらがな"};
    unsigned seed = 4242;
    auto next = [&seed] { return seed = seed * 1103515245u + 12345u, (seed >> 16) & 0x7FFF; };
    for (int group = 0; group < kGroups; ++group) {
        std::string content;
        for (int i = 0; i < kEntriesPerGroup; ++i) {
            const std::wstring term = std::wstring(kWords[next() % 14]) + std::to_wstring(next());
            const std::wstring description = L"「" + term + L"」の説明。 An explanation of " + kWords[next() % 14];
            const std::string fields[4] = {Ansi(term), Ansi(kWords[next() % 14]), "spelling", Ansi(description)};
            const std::string_view views[4] = {fields[0], fields[1], fields[2], fields[3]};
            AppendCsvRecord(content, views);
        }
        wchar_t name[32];
        swprintf(name, 32, L"group%02d.csv", group + 1);
        FILE* f = _wfopen(name, L"wb");
        fwrite(content.data(), 1, content.size(), f);
        fclose(f);
    }
}

// The open group's file: those of the other groups one after the other.
void WriteOpenGroup() {
    std::string content;
    for (int group = 0; group < kGroups; ++group) {
        wchar_t name[32];
        swprintf(name, 32, L"group%02d.csv", group + 1);
        FILE* f = _wfopen(name, L"rb");
        char buffer[65536];
        for (size_t n; (n = fread(buffer, 1, sizeof buffer, f)) > 0;) content.append(buffer, n);
        fclose(f);
    }
    wchar_t name[32];
    swprintf(name, 32, L"group%02d.csv", kGroups + 1);
    FILE* f = _wfopen(name, L"wb");
    fwrite(content.data(), 1, content.size(), f);
    fclose(f);
}

int Quiet(HWND, const wchar_t* text, const wchar_t*, UINT) {
    fwprintf(stderr, L"message: %ls\n", text);
    return IDOK;
}

const wchar_t* const kKeystrokes[] = {L"w", L"wo", L"wor", L"word", L"ワ", L"たん", L"単語1", L"説明", L"xyz"};

// The floor of a keystroke: a plain scan of the texts as they stand, with no folding.
double PlainScan(const std::vector<std::vector<GlossaryEntry>>& groups, const wchar_t* query) {
    const double start = Now();
    size_t scanned = 0;
    for (const auto& entries : groups) {
        for (const GlossaryEntry& entry : entries) {
            scanned += std::any_of(std::begin(entry.texts), std::end(entry.texts),
                                   [&](const std::wstring& t) { return t.find(query) != std::wstring::npos; });
        }
    }
    const double took = Now() - start;
    if (scanned == ~size_t{0}) std::printf("-");
    return took;
}

// The floor of "already collected": every term compared as it stands.
double PlainTermScan(const std::vector<std::vector<GlossaryEntry>>& groups, const std::wstring& term) {
    const double start = Now();
    size_t same = 0;
    for (const auto& entries : groups) {
        for (const GlossaryEntry& entry : entries) same += entry.texts[0] == term;
    }
    const double took = Now() - start;
    if (same == ~size_t{0}) std::printf("-");
    return took;
}

HWND findWindow = nullptr;

void Type(const wchar_t* text) {
    SetDlgItemTextW(findWindow, IDC_FIND_TEXT, text);  // the edit control's EN_CHANGE searches
    UpdateWindow(GetDlgItem(findWindow, IDC_FIND_RESULTS));  // and the rows on show are drawn
}

// The worst keystroke of typing the queries one after the other, from an
// empty field; each keystroke's best of three runs, so the other programs
// of a busy machine stay out of the figure.
double WorstKeystroke() {
    std::vector<double> best(std::size(kKeystrokes), 1e9);
    for (int run = 0; run < 3; ++run) {
        Type(L"");
        for (size_t i = 0; i < std::size(kKeystrokes); ++i) {
            const double start = Now();
            Type(kKeystrokes[i]);
            best[i] = std::min(best[i], Now() - start);
        }
    }
    return *std::max_element(best.begin(), best.end());
}

// The same work without the window: bringing the index up to date, finding
// (or narrowing) and sorting, as the window does it.
double WorstIndexKeystroke(int sortColumn) {
    std::vector<double> best(std::size(kKeystrokes), 1e9);
    for (int run = 0; run < 3; ++run) {
        std::vector<GlossaryMatch> results;
        std::wstring previous;
        for (size_t i = 0; i < std::size(kKeystrokes); ++i) {
            const std::wstring query = kKeystrokes[i];
            const double start = Now();
            RefreshGlossary();
            const bool narrows = !previous.empty() && query.find(previous) != std::wstring::npos;
            if (narrows) {
                Glossary().NarrowInPlace(results, query);
            } else {
                Glossary().Find(query, results);
                Glossary().Sort(results, sortColumn, false);
            }
            best[i] = std::min(best[i], Now() - start);
            previous = query;
        }
    }
    return *std::max_element(best.begin(), best.end());
}

void SortByTerm() {
    NMLISTVIEW click{};
    click.hdr.hwndFrom = GetDlgItem(findWindow, IDC_FIND_RESULTS);
    click.hdr.idFrom = IDC_FIND_RESULTS;
    click.hdr.code = LVN_COLUMNCLICK;
    click.iSubItem = 1;
    SendMessageW(findWindow, WM_NOTIFY, IDC_FIND_RESULTS, reinterpret_cast<LPARAM>(&click));
}

// goal 0: a figure without a goal of its own.
void Row(const char* what, double ms, const char* floorName, double floorMs, double goal) {
    std::printf("  %-44s %8.1f ms", what, ms);
    if (*floorName) std::printf("   %-16s %7.1f ms", floorName, floorMs);
    if (goal > 0) std::printf("%*s goal %4.0f ms%s", *floorName ? 0 : 30, "", goal, ms <= goal ? "" : "  (over)");
    std::printf("\n");
}

}  // namespace

int main() {
    SetMessageBoxPresenter(Quiet);
    instanceHandle = GetModuleHandleW(nullptr);
    InitCommonControls();
    CreateDirectoryW(L"find-bench-data", nullptr);
    SetCurrentDirectoryW(L"find-bench-data");
    WriteGroups();
    DeleteFileW(L"group21.csv");  // the open group's file of an earlier run is no part of the first search

    // Reading the files alone, as a load does; the best of three keeps the noise out.
    double readFloor = 1e9;
    std::vector<std::vector<GlossaryEntry>> read(kGroups);
    for (int repeat = 0; repeat < 3; ++repeat) {
        const double start = Now();
        for (int group = 0; group < kGroups; ++group) ReadGroupFileEntries(appSettings.groupNames[group], read[group]);
        readFloor = std::min(readFloor, Now() - start);
    }
    double first = 1e9;
    for (int repeat = 0; repeat < 3; ++repeat) {
        GlossaryIndex index;
        const double start = Now();
        index.Refresh();
        index.Find(L"単語");
        first = std::min(first, Now() - start);
    }
    double scanFloor = 0;
    for (const wchar_t* query : kKeystrokes) {
        scanFloor = std::max(scanFloor, std::min({PlainScan(read, query), PlainScan(read, query), PlainScan(read, query)}));
    }
    const std::wstring term = L"単語1";
    const double termFloor = PlainTermScan(read, term);

    findWindow = CreateDialogParamW(instanceHandle, MAKEINTRESOURCEW(IDD_FIND), nullptr, FindDialog, 0);
    ShowWindow(findWindow, SW_SHOW);
    std::printf("find at %d entries in %d group files\n", kGroups * kEntriesPerGroup, kGroups);
    Row("first search (reads every file)", first * 1e3, "reading files", readFloor * 1e3, 2 * readFloor * 1e3);
    WorstKeystroke();  // the files are read once
    Row("keystroke", WorstKeystroke() * 1e3, "plain scan", scanFloor * 1e3, 50);
    Row("  of which the index (refresh, find)", WorstIndexKeystroke(-1) * 1e3, "plain scan", scanFloor * 1e3, 50);
    SortByTerm();
    Row("keystroke, sorted by term", WorstKeystroke() * 1e3, "plain scan", scanFloor * 1e3, 50);
    Row("  of which the index (refresh, find, sort)", WorstIndexKeystroke(1) * 1e3, "plain scan", scanFloor * 1e3, 50);
    SortByTerm();  // descending
    Row("keystroke, sorted by term descending", WorstKeystroke() * 1e3, "plain scan", scanFloor * 1e3, 50);
    {
        // A click on a column header: at most one search and one sort of the results, shown once.
        Type(L"単語");
        double click = 1e9, oneSearchOneSort = 1e9;
        for (int repeat = 0; repeat < 3; ++repeat) {
            double start = Now();
            SortByTerm();
            UpdateWindow(GetDlgItem(findWindow, IDC_FIND_RESULTS));
            click = std::min(click, Now() - start);
            start = Now();
            std::vector<GlossaryMatch> results = Glossary().Find(L"単語");
            Glossary().Sort(results, 1, repeat % 2 == 0);
            oneSearchOneSort = std::min(oneSearchOneSort, Now() - start);
        }
        Row("column click (results of every entry)", click * 1e3, "a search, a sort", oneSearchOneSort * 1e3,
            oneSearchOneSort * 1e3 * 1.2 + 5);
    }
    double collected = 1e9;
    for (int repeat = 0; repeat < 3; ++repeat) {
        const double start = Now();
        DescribeGroupsWithTerm(term);
        collected = std::min(collected, Now() - start);
    }
    Row("already collected (Alt+E)", collected * 1e3, "plain term scan", termFloor * 1e3, 20);

    // An open group of another 100 000 entries with a change not saved yet.
    {
        WordListHost host;
        AppSettings settings = appSettings;
        settings.currentGroup = kGroups;  // group21.csv: every entry of the others once more
        ApplyAppSettings(settings);
        std::vector<GlossaryEntry> open;
        for (const auto& entries : read) open.insert(open.end(), entries.begin(), entries.end());
        WriteOpenGroup();
        LoadWordListFromGroupFile();
        RefreshGlossary();  // its file is read as any group's is, before any change
        EnableWindow(GetDlgItem(host.Dialog(), IDC_APPLY), TRUE);
        read.push_back(open);
        double openFloor = 0;
        for (const wchar_t* query : kKeystrokes) {
            openFloor = std::max(openFloor, std::min({PlainScan(read, query), PlainScan(read, query), PlainScan(read, query)}));
        }
        std::printf("with an unsaved open group of %zu entries more\n", open.size());
        ListSetText(host.List(), 0, 3, L"the first change");
        double start = Now();
        RefreshGlossary();
        Row("the first change: followed from the file read", (Now() - start) * 1e3, "", 0, 0);
        WorstKeystroke();
        Row("keystroke, unsaved open group", WorstKeystroke() * 1e3, "plain scan", openFloor * 1e3, 50);
        Row("  of which the index (refresh, find)", WorstIndexKeystroke(-1) * 1e3, "plain scan", openFloor * 1e3, 50);
        SortByTerm();
        Row("keystroke, unsaved open group, sorted", WorstKeystroke() * 1e3, "plain scan", openFloor * 1e3, 50);
        Row("  of which the index (refresh, find, sort)", WorstIndexKeystroke(1) * 1e3, "plain scan", openFloor * 1e3, 50);
        RefreshGlossary();
        ListSetText(host.List(), 50000, 3, L"an edited description");
        start = Now();
        RefreshGlossary();
        Row("after an edit: its row read, folded, searched", (Now() - start) * 1e3, "", 0, 0);
        ListDeleteRow(host.List(), 50000);
        start = Now();
        RefreshGlossary();
        Row("after a deletion: the rows followed", (Now() - start) * 1e3, "", 0, 0);
        ListInsertRow(host.List(), 20000, L"新しい用語", 20000);
        for (int column = 1; column < kEntryFieldCount; ++column) ListSetText(host.List(), 20000, column, L"新しい");
        start = Now();
        RefreshGlossary();
        Row("after an insertion: its row read, folded", (Now() - start) * 1e3, "", 0, 0);
        double collectedOpen = 1e9;
        for (int repeat = 0; repeat < 3; ++repeat) {
            start = Now();
            DescribeGroupsWithTerm(term);
            collectedOpen = std::min(collectedOpen, Now() - start);
        }
        Row("already collected, unsaved open group", collectedOpen * 1e3, "plain term scan",
            PlainTermScan(read, term) * 1e3, 20);
        DestroyWindow(findWindow);
    }
    return 0;
}
