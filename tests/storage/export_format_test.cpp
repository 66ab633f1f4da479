// Exports read back as their readers read them: Anki's text import, by its
// published rules (header lines "#key:value", then records in the CSV dialect
// with '#' comments; HTML fields), and LibreOffice Calc's text import with its
// default separators (comma, semicolon and tab at once, '"' quoting).
#include "storage/export_format.h"

#include <gtest/gtest.h>

#include "support/export_entries.h"
#include "support/export_readers.h"

#include <string>
#include <vector>

namespace {

std::string WithLineFeeds(std::string text) {
    for (size_t at = 0; (at = text.find("\r\n", at)) != std::string::npos;) text.erase(at, 1);
    return text;
}

using Entry = ExportedEntry;

const std::vector<Entry> kAwkward = {
    {{u"栞", u"しおり", u"shiori", u"a bookmark"}, u"英単語"},
    {{u"tab\there", u"", u"semi;colon", u"comma, too"}, u"2024"},
    {{u"say \"hi\"", u"", u"", u"line one\r\nline two\nthree"}, u"1"},
    {{u"#not a comment", u"=SUM(A1)", u"+1", u"<b>not bold</b> & co"}, u"group 01"},
    {{u"😀 emoji", u"", u"", u""}, u"001"},
    {{u"-minus", u"@at", u"", u"\"quoted\""}, u"g;1,x"},
};

}  // namespace

TEST(ExportFormat, AnkisReaderFindsEveryEntryAsACardInItsGroupsDeck) {
    for (bool allGroups : {false, true}) {
        SCOPED_TRACE(allGroups ? "all groups" : "one group");
        const std::vector<Entry> entries =
            allGroups ? kAwkward : std::vector<Entry>{kAwkward[0], kAwkward[2], kAwkward[3]};
        bool complete = false;
        const AnkiNotes anki = ReadAnki(ExportOf(ExportKind::Flashcards, allGroups, entries), &complete);
        EXPECT_TRUE(complete) << "a quote left open, or a record without its line end";
        EXPECT_EQ(anki.headers.at("separator"), "tab");
        EXPECT_EQ(anki.headers.at("html"), "true");
        EXPECT_EQ(anki.headers.at("notetype"), "Basic");
        EXPECT_EQ(anki.headers.at("tags"), "wordHaven");
        EXPECT_EQ(anki.headers.count("columns"), 0u) << "labels would be matched against field names";
        ASSERT_EQ(anki.notes.size(), entries.size());
        for (size_t n = 0; n < entries.size(); ++n) {
            const Entry& e = entries[n];
            const std::vector<std::string>& note = anki.notes[n];
            ASSERT_EQ(note.size(), allGroups ? 4u : 3u) << n;
            EXPECT_EQ(anki.headers.at("guid column"), allGroups ? "4" : "3");
            EXPECT_EQ(FromHtml(note[0]), WithLineFeeds(Utf8OfExported(e.texts[0])));
            std::string back;
            for (int field = 1; field < 4; ++field) {
                if (e.texts[field].empty()) continue;
                back += (back.empty() ? "" : "\n") + WithLineFeeds(Utf8OfExported(e.texts[field]));
            }
            EXPECT_EQ(FromHtml(note[1]), back);
            const std::string deck = allGroups ? note[2] : anki.headers.at("deck");
            EXPECT_EQ(deck, "wordHaven::" + Utf8OfExported(allGroups ? e.group : entries.front().group));
        }
    }
}

TEST(ExportFormat, TheFourFieldLayoutKeepsTheTextsApartAndNamesItsTagsColumn) {
    const AnkiNotes anki = ReadAnki(ExportOf(ExportKind::FlashcardFields, true, kAwkward));
    EXPECT_EQ(anki.headers.at("tags column"), "5");
    EXPECT_EQ(anki.headers.at("deck column"), "6");
    EXPECT_EQ(anki.headers.at("guid column"), "7");
    ASSERT_EQ(anki.notes.size(), kAwkward.size());
    for (size_t n = 0; n < kAwkward.size(); ++n) {
        ASSERT_EQ(anki.notes[n].size(), 7u);
        for (int field = 0; field < 4; ++field) {
            EXPECT_EQ(FromHtml(anki.notes[n][field]), WithLineFeeds(Utf8OfExported(kAwkward[n].texts[field])));
        }
        EXPECT_EQ(anki.notes[n][4], "wordHaven");
        EXPECT_EQ(anki.notes[n][5], "wordHaven::" + Utf8OfExported(kAwkward[n].group));
    }
}

TEST(ExportFormat, CalcsDefaultSeparatorsGiveEveryTextItsOwnCell) {
    for (bool allGroups : {false, true}) {
        SCOPED_TRACE(allGroups ? "all groups" : "one group");
        const std::string bytes = ExportOf(ExportKind::Spreadsheet, allGroups, kAwkward);
        ASSERT_EQ(bytes.substr(0, 3), "\xEF\xBB\xBF");
        bool complete = false;
        const Records rows = ReadDelimited(std::string_view(bytes).substr(3), ",;\t", '\0', &complete);
        EXPECT_TRUE(complete);
        ASSERT_EQ(rows.size(), kAwkward.size() + 1);
        EXPECT_EQ(rows[0].size(), allGroups ? 5u : 4u) << "the header row";
        for (size_t n = 0; n < kAwkward.size(); ++n) {
            std::vector<std::string> expected;
            for (const std::u16string& text : kAwkward[n].texts) expected.push_back(Utf8OfExported(text));
            if (allGroups) expected.push_back(Utf8OfExported(kAwkward[n].group));
            EXPECT_EQ(rows[n + 1], expected) << n;
        }
    }
}

TEST(ExportFormat, UnpairedSurrogatesBecomeReplacementCharacters) {
    std::string out;
    AppendUtf16AsUtf8(out, std::u16string(u"a") + char16_t(0xD800) + u"b" + char16_t(0xDC00));
    EXPECT_EQ(out, "a\xEF\xBF\xBD" "b\xEF\xBF\xBD");
}

// The reader imports every export again to keep Anki up to date: entries that
// share a term (one writing, two readings) stay two notes with their own texts.
TEST(ExportFormat, AnImportIntoAnkiAgainKeepsEntriesThatShareATermApart) {
    const std::vector<Entry> entries = {{{u"生", u"なま", u"nama", u"raw"}, u"漢字"},
                                        {{u"生", u"せい", u"sei", u"life"}, u"漢字"},
                                        {{u"生", u"せい", u"sei", u"life"}, u"二つ目"}};
    for (ExportKind kind : {ExportKind::Flashcards, ExportKind::FlashcardFields}) {
        SCOPED_TRACE(kind == ExportKind::Flashcards ? "Basic" : "four fields");
        const AnkiNotes anki = ReadAnki(ExportOf(kind, true, entries));
        Records collection;
        ImportIntoAnki(anki, collection);
        ASSERT_EQ(collection, anki.notes);
        ImportIntoAnki(anki, collection);
        EXPECT_EQ(collection, anki.notes);
    }
}
