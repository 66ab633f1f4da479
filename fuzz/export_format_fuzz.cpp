// Arbitrary entries exported in every layout and read back by readers written
// from Anki's and Calc's rules: every entry comes back with its texts.
#include "storage/export_format.h"

#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

#include "support/export_entries.h"
#include "support/export_readers.h"

namespace {

void Require(bool holds) {
    if (!holds) __builtin_trap();
}

using Entry = ExportedEntry;

// Units of the input split into texts at each U+0000; surrogates outside
// pairs and lone CRs left out, as no list cell holds the first and the
// readers treat the second as part of the line.
std::vector<Entry> EntriesOf(const uint8_t* data, size_t size) {
    std::vector<Entry> entries(1);
    int field = 0;
    for (size_t i = 0; i + 1 < size; i += 2) {
        const char16_t unit = static_cast<char16_t>(data[i] | data[i + 1] << 8);
        if (unit == 0) {
            if (++field == 5) {
                field = 0;
                entries.emplace_back();
            }
            continue;
        }
        if (unit >= 0xD800 && unit <= 0xDFFF) continue;
        std::u16string& text = field < 4 ? entries.back().texts[field] : entries.back().group;
        if (unit == u'\r') continue;
        text += unit;
    }
    for (Entry& entry : entries) {
        for (char16_t& unit : entry.group) {
            if (unit == u'\n' || unit == u'\t') unit = u' ';  // group names are file names
        }
    }
    return entries;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const std::vector<Entry> entries = EntriesOf(data, size);
    for (bool allGroups : {false, true}) {
        bool complete = false;
        const Records rows = ReadDelimited(std::string_view(ExportOf(ExportKind::Spreadsheet, allGroups, entries)).substr(3),
                                           ",;\t", '\0', &complete);
        Require(complete && rows.size() == entries.size() + 1);
        for (size_t n = 0; n < entries.size(); ++n) {
            Require(rows[n + 1].size() == (allGroups ? 5u : 4u));
            for (int field = 0; field < 4; ++field) Require(rows[n + 1][field] == Utf8OfExported(entries[n].texts[field]));
            if (allGroups) Require(rows[n + 1][4] == Utf8OfExported(entries[n].group));
        }

        const AnkiNotes fields = ReadAnki(ExportOf(ExportKind::FlashcardFields, allGroups, entries), &complete);
        Require(complete && fields.notes.size() == entries.size());
        for (size_t n = 0; n < entries.size(); ++n) {
            Require(fields.notes[n].size() == (allGroups ? 7u : 6u));
            for (int field = 0; field < 4; ++field) Require(FromHtml(fields.notes[n][field]) == Utf8OfExported(entries[n].texts[field]));
        }

        const AnkiNotes cards = ReadAnki(ExportOf(ExportKind::Flashcards, allGroups, entries), &complete);
        Require(complete && cards.notes.size() == entries.size());
        for (size_t n = 0; n < entries.size(); ++n) {
            Require(cards.notes[n].size() == (allGroups ? 4u : 3u));
            Require(FromHtml(cards.notes[n][0]) == Utf8OfExported(entries[n].texts[0]));
            if (allGroups) Require(cards.notes[n][2] == Utf8OfExported(ExportDeckName(entries[n].group)));
        }
    }
    return 0;
}
