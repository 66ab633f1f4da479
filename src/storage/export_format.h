#pragma once
// The bytes of an exported glossary: a text file that Anki imports as notes
// (tab-separated, with its header lines), or a CSV file that Excel and
// LibreOffice open as a sheet. Portable: no Windows headers.
#include <cstdint>
#include <string>
#include <unordered_map>
#include <string_view>

// Flashcards: one card per entry for Anki's standard note type, the term on
// the front and the reading, spelling and meaning on the back.
// FlashcardFields: the four texts in four fields, for a note type of the
// user's own. Spreadsheet: CSV for Excel and Calc.
enum class ExportKind { Flashcards, FlashcardFields, Spreadsheet };

inline constexpr char16_t kExportTag[] = u"wordHaven";
// Every group's notes go to a deck under this one, named after the group:
// Anki takes a deck name of digits only for a deck's id, and a parent deck
// keeps the user's collection tidy.
inline constexpr char16_t kExportParentDeck[] = u"wordHaven";

// Collects one exported file. With groups, every row carries its group's
// deck in a column of its own; without, the one group's deck is in the header.
inline constexpr int kExportColumnCount = 5;

class ExportWriter {
public:
    // columnLabels name a spreadsheet's columns: the entry's four texts, then the group.
    ExportWriter(ExportKind kind, bool withGroups, std::u16string_view group,
                 const std::u16string_view (&columnLabels)[kExportColumnCount]);
    // term, reading, spelling, description; group is used only with groups.
    void AddEntry(const std::u16string_view (&texts)[4], std::u16string_view group);
    const std::string& Bytes() const { return bytes_; }
    std::string TakeBytes() { return std::move(bytes_); }

private:
    void AddRow(const std::u16string_view* fields, int count);
    void AddFlashcardHeaders(std::u16string_view group);
    std::u16string NoteId(const std::u16string_view (&texts)[4], std::u16string_view group);
    ExportKind kind_;
    bool withGroups_;
    std::string bytes_;
    // How often each entry was written, so identical entries get ids of their own.
    std::unordered_map<uint64_t, int> written_;
};

// UTF-16 text as UTF-8; an unpaired surrogate becomes U+FFFD.
void AppendUtf16AsUtf8(std::string& out, std::u16string_view text);
// The deck an exported group's notes go to.
std::u16string ExportDeckName(std::u16string_view group);
