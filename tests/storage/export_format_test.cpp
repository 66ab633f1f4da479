#include "storage/export_format.h"

#include <gtest/gtest.h>

#include <string>

namespace {

std::string Bytes(ExportKind kind, bool withGroups, std::u16string_view deck,
                  std::initializer_list<std::array<std::u16string_view, 5>> rows) {
    ExportWriter writer(kind, withGroups, deck);
    for (const auto& row : rows) {
        const std::u16string_view texts[4] = {row[0], row[1], row[2], row[3]};
        writer.AddEntry(texts, row[4]);
    }
    return writer.Bytes();
}

}  // namespace

TEST(ExportFormat, FlashcardsOfOneGroupHaveAnkisHeadersAndQuoteOnlyWhatNeedsIt) {
    const std::string bytes = Bytes(ExportKind::Flashcards, false, u"英単語",
                                    {{u"栞", u"しおり", u"shiori", u"a bookmark", u""},
                                     {u"a\tb", u"say \"hi\"", u"", u"line one\r\nline two", u""},
                                     {u"#tag", u"x,y", u"", u"", u""}});
    EXPECT_EQ(bytes,
              "#separator:tab\n#html:false\n#columns:用語\t読み方\tスペル\t意味\n#deck:英単語\n#tags:wordHaven\n"
              "栞\tしおり\tshiori\ta bookmark\n"
              "\"a\tb\"\t\"say \"\"hi\"\"\"\t\t\"line one\r\nline two\"\n"
              "\"#tag\"\tx,y\t\t\n");
}

TEST(ExportFormat, FlashcardsOfAllGroupsNameTheDeckColumn) {
    const std::string bytes = Bytes(ExportKind::Flashcards, true, u"", {{u"a", u"", u"", u"", u"group 1"}});
    EXPECT_EQ(bytes,
              "#separator:tab\n#html:false\n#columns:用語\t読み方\tスペル\t意味\tグループ\n#deck column:5\n"
              "#tags:wordHaven\na\t\t\t\tgroup 1\n");
}

TEST(ExportFormat, SpreadsheetIsUtf8WithMarkHeaderRowAndRfc4180) {
    const std::string bytes = Bytes(ExportKind::Spreadsheet, false, u"g",
                                    {{u"語,句", u"\"q\"", u"tab\there", u"1\r\n2", u""}, {u"😀", u"", u"", u"", u""}});
    EXPECT_EQ(bytes,
              "\xEF\xBB\xBF用語,読み方,スペル,意味\r\n"
              "\"語,句\",\"\"\"q\"\"\",tab\there,\"1\r\n2\"\r\n"
              "\xF0\x9F\x98\x80,,,\r\n");
    EXPECT_EQ(Bytes(ExportKind::Spreadsheet, true, u"", {{u"a", u"", u"", u"", u"g,1"}}),
              "\xEF\xBB\xBF用語,読み方,スペル,意味,グループ\r\na,,,,\"g,1\"\r\n");
}

TEST(ExportFormat, UnpairedSurrogatesBecomeReplacementCharacters) {
    std::string out;
    AppendUtf16AsUtf8(out, std::u16string(u"a") + char16_t(0xD800) + u"b" + char16_t(0xDC00));
    EXPECT_EQ(out, "a\xEF\xBF\xBD" "b\xEF\xBF\xBD");
}
