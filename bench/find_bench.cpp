// Times finding in the whole glossary: 100 000 entries in 20 group files.
// The first search reads every file, beside the floor of reading those files
// alone; a keystroke's new result list, beside a plain scan of the texts.
// Run under Wine by `make bench`.
#include <windows.h>

#include <algorithm>
#include <cstdio>
#include <string>
#include <vector>

#include "storage/csv_format.h"
#include "storage/glossary_index.h"
#include "storage/group_file.h"
#include "storage/settings.h"
#include "ui/message_box.h"

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

int Quiet(HWND, const wchar_t* text, const wchar_t*, UINT) {
    fwprintf(stderr, L"message: %ls\n", text);
    return IDOK;
}

}  // namespace

int main() {
    SetMessageBoxPresenter(Quiet);
    CreateDirectoryW(L"find-bench-data", nullptr);
    SetCurrentDirectoryW(L"find-bench-data");
    WriteGroups();

    // Reading the files alone, as a load does; the best of three keeps the noise out.
    double floor = 1e9;
    std::vector<std::vector<GlossaryEntry>> read(kGroups);
    for (int repeat = 0; repeat < 3; ++repeat) {
        const double start = Now();
        for (int group = 0; group < kGroups; ++group) ReadGroupFileEntries(appSettings.groupNames[group], read[group]);
        floor = std::min(floor, Now() - start);
    }
    double first = 1e9;
    size_t found = 0;
    for (int repeat = 0; repeat < 3; ++repeat) {
        GlossaryIndex index;
        const double start = Now();
        index.Refresh();
        found = index.Find(L"単語").size();
        first = std::min(first, Now() - start);
    }

    GlossaryIndex index;
    index.Refresh();
    const wchar_t* const keystrokes[] = {L"w", L"wo", L"wor", L"word", L"ワ", L"たん", L"単語1", L"説明", L"xyz"};
    double worst = 0, worstScan = 0;
    for (const wchar_t* const& query : keystrokes) {
        double start = Now();
        index.Refresh();
        const size_t matches = index.Find(query).size();
        worst = std::max(worst, Now() - start);
        // The floor: a plain scan of the texts as they stand, with no folding.
        start = Now();
        size_t scanned = 0;
        for (const auto& entries : read) {
            for (const GlossaryEntry& entry : entries) {
                scanned += std::any_of(std::begin(entry.texts), std::end(entry.texts),
                                       [&](const std::wstring& t) { return t.find(query) != std::wstring::npos; });
            }
        }
        worstScan = std::max(worstScan, Now() - start);
        std::printf("  query %zu: %6zu found (plain scan %zu)\n", static_cast<size_t>(&query - keystrokes), matches, scanned);
    }
    std::printf("%8s | %12s %10s %6s | %14s %10s\n", "entries", "first ms", "read ms", "ratio", "keystroke ms", "scan ms");
    std::printf("%8d | %12.1f %10.1f %5.2fx | %14.1f %10.1f   (%zu found for the first)\n", kGroups * kEntriesPerGroup,
                first * 1e3, floor * 1e3, first / floor, worst * 1e3, worstScan * 1e3, found);
    return 0;
}
