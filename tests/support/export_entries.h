#pragma once
// Entries as a test lays them out, written by the program's export writer
// with the Japanese column labels; shared by the export tests and the fuzz
// target. Portable: no Windows headers.
#include <string>
#include <string_view>
#include <vector>

#include "storage/export_format.h"

struct ExportedEntry {
    std::u16string texts[4];
    std::u16string group;
};

inline constexpr std::u16string_view kExportLabels[kExportColumnCount] = {u"用語", u"読み方", u"スペル", u"意味",
                                                                          u"グループ"};

// The bytes an export of these entries writes; the first entry's group names a one-group export.
inline std::string ExportOf(ExportKind kind, bool allGroups, const std::vector<ExportedEntry>& entries) {
    ExportWriter writer(kind, allGroups, entries.front().group, kExportLabels);
    for (const ExportedEntry& e : entries) {
        const std::u16string_view texts[4] = {e.texts[0], e.texts[1], e.texts[2], e.texts[3]};
        writer.AddEntry(texts, e.group);
    }
    return writer.Bytes();
}

inline std::string Utf8OfExported(std::u16string_view text) {
    std::string out;
    AppendUtf16AsUtf8(out, text);
    return out;
}
