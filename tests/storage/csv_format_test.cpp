#include "storage/csv_format.h"
#include "storage/text_encoding.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

using Rows = std::vector<std::vector<std::string>>;

// Each record as the fields it set; the fields it did not set must be empty.
Rows Parse(std::string_view data) {
    Rows rows;
    for (const CsvRecord& record : ParseCsvRecords(data)) {
        EXPECT_GE(record.fieldCount, 1);
        EXPECT_LE(record.fieldCount, kCsvFieldCount);
        std::vector<std::string> row;
        for (int column = 0; column < kCsvFieldCount; ++column) {
            if (column < record.fieldCount) {
                row.push_back(record.fields[column]);
            } else {
                EXPECT_EQ(record.fields[column], "") << "column " << column << " of " << record.fields[0];
            }
        }
        rows.push_back(row);
    }
    return rows;
}

std::string Written(const Rows& rows) {
    std::string out;
    for (const auto& row : rows) {
        const std::string_view fields[kCsvFieldCount] = {row[0], row[1], row[2], row[3]};
        AppendCsvRecord(out, fields);
    }
    return out;
}

}  // namespace

TEST(CsvWrite, QuotesEveryFieldDoublesQuotesAndEndsWithOneLf) {
    EXPECT_EQ(Written({{"a\"b", "", "x,y", "first\r\nsecond"}}), "\"a\"\"b\",\"\",\"x,y\",\"first\r\nsecond\"\n");
    EXPECT_EQ(Written({{"t", "", "", ""}, {"\"", "\"\"", "", "end\""}}),
              "\"t\",\"\",\"\",\"\"\n\"\"\"\",\"\"\"\"\"\",\"\",\"end\"\"\"\n");
}

TEST(CsvRoundTrip, WrittenEntriesReadBackUnchanged) {
    const Rows entries = {
        {"a\"b", "", "x,y", "first\r\nsecond"},
        {"\"quoted\"", ",", "\"\"", "\r\n\r\nblank lines\r\n"},
        {"lone\rcr", " spaces ", "", ""},
        {"\x83\x5C\x83\x5C", "\x8C\xEA", "\x5C", "sjis \x83\x5C\",\r\n"},
        {"語彙", "ごい", "ゴイ", "UTF-8 の説明"},
    };
    EXPECT_EQ(Parse(Written(entries)), entries);
}

TEST(CsvRead, FieldCountIsWhatTheLineSet) {
    EXPECT_EQ(Parse("\"a\",\"b\"\n"), (Rows{{"a", "b"}}));
    EXPECT_EQ(Parse("a\n"), (Rows{{"a"}}));
    EXPECT_EQ(Parse("a,\n"), (Rows{{"a", ""}}));
    EXPECT_EQ(Parse("a,b,c,\n"), (Rows{{"a", "b", "c", ""}}));
    EXPECT_EQ(Parse("a,b,c,,e\nnext\n"), (Rows{{"a", "b", "c", ""}, {"next"}}));
}

TEST(CsvRead, FieldsAfterTheFourthAreIgnoredUpToTheRealLineEnd) {
    EXPECT_EQ(Parse("\"a\",\"b\",\"c\",\"d\",\"e\",\"f\"\n\"g\"\n"), (Rows{{"a", "b", "c", "d"}, {"g"}}));
    EXPECT_EQ(Parse("\"a\",\"b\",\"c\",\"d\",\"e\r\nstill e\",\"f\"\r\n\"g\"\r\n"), (Rows{{"a", "b", "c", "d"}, {"g"}}));
    EXPECT_EQ(Parse("a,b,c,d,\"e\"\"\n\"\"\",f\rg,h"), (Rows{{"a", "b", "c", "d"}, {"g", "h"}}));
    // The data ends inside the ignored part: nothing more, not even an empty record.
    EXPECT_EQ(Parse("a,b,c,d,e"), (Rows{{"a", "b", "c", "d"}}));
    EXPECT_EQ(Parse("a,b,c,d,\"e\nf,g"), (Rows{{"a", "b", "c", "d"}}));
}

TEST(CsvRead, RecordWithEmptyTermIsDroppedAndTheNextLineLoads) {
    EXPECT_EQ(Parse(",b,c,d\nnext,1\n"), (Rows{{"next", "1"}}));
    EXPECT_EQ(Parse("\"\",\"b\"\r\n\"next\"\r\n"), (Rows{{"next"}}));
    EXPECT_EQ(Parse("\"\",\"line\r\nbreak\",x\nnext\n"), (Rows{{"next"}}));
    EXPECT_EQ(Parse(",\"unclosed\nnext\n"), Rows{});
}

TEST(CsvRead, BlankLinesAndEmptyDataGiveNothing) {
    EXPECT_EQ(Parse(""), Rows{});
    EXPECT_EQ(Parse("\n\r\n\r\r\n"), Rows{});
    EXPECT_EQ(Parse("\"\"\n\"\""), Rows{});
    EXPECT_EQ(Parse("\na\n\n\"\"\r\nb"), (Rows{{"a"}, {"b"}}));
}

TEST(CsvRead, QuotesOpenAndCloseAnywhereInAField) {
    EXPECT_EQ(Parse("ab\"c,d\"e\n"), (Rows{{"abc,de"}}));
    EXPECT_EQ(Parse("\"a\"\"b\",\"\"\"\"\n"), (Rows{{"a\"b", "\""}}));
    EXPECT_EQ(Parse("  two  spaces , b \n"), (Rows{{"  two  spaces ", " b "}}));
}

TEST(CsvRead, LineBreaksInsideQuotesAreKeptAsCrLf) {
    EXPECT_EQ(Parse("\"a\nb\",\"c\r\nd\",\"e\rf\"\n"), (Rows{{"a\r\nb", "c\r\nd", "e\rf"}}));
    // An unclosed quote runs to the end of the data and still gives its field.
    EXPECT_EQ(Parse("a,\"b\nc"), (Rows{{"a", "b\r\nc"}}));
    EXPECT_EQ(Parse("\"a\n"), (Rows{{"a\r\n"}}));
}

TEST(CsvRead, CrLfAndCrLfLineEndsReadAlikeAndTheLastNeedsNone) {
    const Rows expected = {{"a", "b", "c", "d"}, {"e"}, {"f", "g"}};
    EXPECT_EQ(Parse("a,b,c,d\ne\nf,g\n"), expected);
    EXPECT_EQ(Parse("a,b,c,d\re\rf,g\r"), expected);
    EXPECT_EQ(Parse("a,b,c,d\r\ne\r\nf,g\r\n"), expected);
    EXPECT_EQ(Parse("a,b,c,d\ne\r\nf,g"), expected);
}

TEST(CsvRead, BytesPassThroughUndecoded) {
    // The caller takes a byte-order mark off; left on, it is part of the first term.
    const std::string withMark = std::string(kUtf8ByteOrderMark) + "\"term\",x\n";
    EXPECT_EQ(Parse(withMark), (Rows{{"\xEF\xBB\xBFterm", "x"}}));
    // Shift-JIS "ソ" ends in a backslash byte, "表" and "能" likewise; none is an escape.
    EXPECT_EQ(Parse("\x83\x5C,\"\x95\x5C\",\x94\x5C\x82\xA0\n"), (Rows{{"\x83\x5C", "\x95\x5C", "\x94\x5C\x82\xA0"}}));
    EXPECT_EQ(Parse("\"用語\",\"ようご\",,\"説明、\"\"引用\"\"\"\n"), (Rows{{"用語", "ようご", "", "説明、\"引用\""}}));
    EXPECT_EQ(Parse(std::string_view("a\0b,\xFF\n", 6)), (Rows{{std::string("a\0b", 3), "\xFF"}}));
}

TEST(CsvRead, ManyRecordsAllLoad) {
    std::string data;
    for (int n = 0; n < 20001; ++n) {
        const std::string term = "term" + std::to_string(n);
        const std::string_view fields[kCsvFieldCount] = {term, "reading", "", "a longer description, with a comma"};
        AppendCsvRecord(data, fields);
    }
    const std::vector<CsvRecord> records = ParseCsvRecords(data);
    ASSERT_EQ(records.size(), 20001u);
    EXPECT_EQ(records[0].fields[0], "term0");
    EXPECT_EQ(records[20000].fields[0], "term20000");
    EXPECT_EQ(records[20000].fields[3], "a longer description, with a comma");
    EXPECT_EQ(records[20000].fieldCount, 4);
}

TEST(CsvFormat, ReadsThatLoseTextAreNotExact) {
    const auto exact = [](std::string_view data) {
        bool result = false;
        ParseCsvRecords(data, &result);
        return result;
    };
    // What the writer writes, and tolerant forms that lose nothing.
    EXPECT_TRUE(exact(Written({{"a\"b", "", "x,y", "first\r\nsecond"}})));
    EXPECT_TRUE(exact("plain,unquoted\r\n\r\n\"\"\n,,\n\"a\",\"b\",\"c\",\"d\",\n\"x\",\"y\"\n\"lf\nin\"\nend"));
    // Each of these shows less than the file holds.
    for (std::string_view lossy : {std::string_view("a,b,c,d,fifth\n"), std::string_view(",reading of no term\n"),
                                   std::string_view("\"open,b\nc,d\n"), std::string_view("ab\"c,d\"e\n"),
                                   std::string_view("a\0b,c\n", 6)}) {
        EXPECT_FALSE(exact(lossy)) << lossy;
    }
}
