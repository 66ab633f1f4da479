#pragma once
// The bytes of an exported glossary: a text file that Anki imports as notes
// (tab-separated, with its header lines), or a CSV file that Excel and
// LibreOffice open as a sheet. Portable: no Windows headers.
#include <string>
#include <string_view>

enum class ExportKind { Flashcards, Spreadsheet };

inline constexpr char16_t kExportTag[] = u"wordHaven";

// Collects one exported file. With groups, every row carries its group's
// name in a fifth column (the deck of each note); without, the one group's
// name is the deck of all notes.
class ExportWriter {
public:
    ExportWriter(ExportKind kind, bool withGroups, std::u16string_view deck);
    // term, reading, spelling, description; group is used only with groups.
    void AddEntry(const std::u16string_view (&texts)[4], std::u16string_view group);
    const std::string& Bytes() const { return bytes_; }
    std::string TakeBytes() { return std::move(bytes_); }

private:
    void AddRow(const std::u16string_view* fields, int count);
    ExportKind kind_;
    bool withGroups_;
    std::string bytes_;
};

// UTF-16 text as UTF-8; an unpaired surrogate becomes U+FFFD.
void AppendUtf16AsUtf8(std::string& out, std::u16string_view text);
