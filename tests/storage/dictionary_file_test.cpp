#include "storage/dictionary_file.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "storage/dictionary_folding.h"
#include "support/utf16_text.h"

namespace {

// 食べる [たべる] /(v1,vt) to eat/(P)/ and 犬 [いぬ] /(n) dog/, as published (EUC-JP).
const std::string kEucJpEdict =
    "\xA1\xA1\xA1\xA9\xA1\xA9\xA1\xA9 /EDICT header/\n"
    "\xBF\xA9\xA4\xD9\xA4\xEB [\xA4\xBF\xA4\xD9\xA4\xEB] /(v1,vt) to eat/(P)/\n"
    "\xB8\xA4 [\xA4\xA4\xA4\xCC] /(n) dog/\n";
const std::string kUtf8Edict2 =
    "見出し;見だし(iK) [みだし(P);ミダシ(見出し)] /(n) (1) headline/(2) (comp) title/(P)/EntL1234560X/\n"
    "行く [いく] /(v5k-s,vi) to go/EntL1578850X/\n";
const std::string kTabbed = "run\t走る / 走ること\nchild\t子供\r\n";

}  // namespace

TEST(DictionaryFile, TellsTheFormatAndEncodingFromContent) {
    struct Row {
        const char* name;
        std::string bytes;
        DictionaryFormat format;
        DictionaryEncoding encoding;
    } rows[] = {
        {"EDICT in EUC-JP", kEucJpEdict, DictionaryFormat::Edict, DictionaryEncoding::EucJp},
        {"EDICT2 in UTF-8", kUtf8Edict2, DictionaryFormat::Edict, DictionaryEncoding::Utf8},
        {"EDICT2 with a mark", "\xEF\xBB\xBF" + kUtf8Edict2, DictionaryFormat::Edict, DictionaryEncoding::Utf8},
        {"tab-separated", kTabbed, DictionaryFormat::Tabbed, DictionaryEncoding::Utf8},
        {"one damaged line in four", kUtf8Edict2 + "\xFF\xFE garbage\n" + kUtf8Edict2, DictionaryFormat::Edict, DictionaryEncoding::Utf8},
        {"empty", "", DictionaryFormat::None, DictionaryEncoding::Utf8},
        {"blank lines", "\n\r\n  \n", DictionaryFormat::None, DictionaryEncoding::Utf8},
        {"prose", "Call me Ishmael. Some years ago /never mind how long/\nhaving little money\n", DictionaryFormat::None, DictionaryEncoding::Utf8},
        {"a CSV group file", "\"term\",\"reading\",\"\",\"meaning\"\n", DictionaryFormat::None, DictionaryEncoding::Utf8},
        {"binary with a NUL", std::string("a\tb\n\0\x01\x02", 7), DictionaryFormat::None, DictionaryEncoding::Utf8},
        {"Shift-JIS tab file", "\x90\x48\x82\xD7\x82\xE9\t\x82\xA0\n\x83\x41\x83\x43\t\x88\xA4\n", DictionaryFormat::None, DictionaryEncoding::Utf8},
    };
    for (const Row& row : rows) {
        const DictionaryKind kind = DetectDictionaryKind(row.bytes);
        EXPECT_EQ(kind.format, row.format) << row.name;
        if (row.format != DictionaryFormat::None) EXPECT_EQ(kind.encoding, row.encoding) << row.name;
    }
}

TEST(DictionaryFile, ReadsHeadwordsReadingsGlossesAndTags) {
    const DictionaryKind edict{DictionaryFormat::Edict, DictionaryEncoding::Utf8};
    const DictionaryKind tabbed{DictionaryFormat::Tabbed, DictionaryEncoding::Utf8};
    struct Row {
        const char* line;
        DictionaryKind kind;
        std::vector<std::u16string> headwords, readings, glosses;
        bool common;
        WordClasses classes;
    } rows[] = {
        {"見出し;見だし(iK) [みだし(P);ミダシ(見出し)] /(n) (1) headline/(2) (comp) title/(P)/EntL1234560X/", edict,
         {u"見出し", u"見だし"}, {u"みだし", u"ミダシ"}, {u"(1) headline", u"(2) title"}, true, 0},
        {"行く [いく] /(v5k-s,vi) (1) to go/(aux-v) (2) to continue/(v5k-s,vi) (8) (uk) (sl) to come/\r", edict,
         {u"行く"}, {u"いく"}, {u"(1) to go", u"(2) to continue", u"(8) to come"}, false, word_class::kGodanIku},
        {"為る [する] /(oK) (vs-i) to do/(P)/", edict, {u"為る"}, {u"する"}, {u"to do"}, true, word_class::kSuru},
        {"ギックリ /(adv,vs) (computer) with a start/", edict, {u"ギックリ"}, {}, {u"(computer) with a start"}, false,
         word_class::kSuruNoun},
        {"run\t走る / 走ること\r", tabbed, {u"run"}, {}, {u"走る / 走ること"}, false, 0},
    };
    for (const Row& row : rows) {
        DictionaryRecord record;
        ASSERT_TRUE(ReadDictionaryRecord(row.line, row.kind, record)) << row.line;
        EXPECT_EQ(record.headwords, row.headwords) << row.line;
        EXPECT_EQ(record.readings, row.readings) << row.line;
        ASSERT_EQ(record.glosses.size(), row.glosses.size()) << row.line;
        for (std::size_t i = 0; i < row.glosses.size(); ++i) EXPECT_EQ(Utf8Of(record.glosses[i]), Utf8Of(row.glosses[i])) << row.line;
        EXPECT_EQ(record.common, row.common) << row.line;
        EXPECT_EQ(record.classes, row.classes) << row.line;
    }
    DictionaryRecord record;
    for (const char* notAnEntry : {"", "no gloss", "x [y] no slash", " /leading space/", "a [b /c/", "\tno word"}) {
        EXPECT_FALSE(ReadDictionaryRecord(notAnEntry, edict, record)) << notAnEntry;
        EXPECT_FALSE(ReadDictionaryRecord(notAnEntry, tabbed, record)) << notAnEntry;
    }
    EXPECT_FALSE(ReadDictionaryRecord("\xE3\x80\x80？？？ /EDICT header/", edict, record)) << "EDICT's first line";
    EXPECT_FALSE(ReadDictionaryRecord(std::string(kMaxDictionaryLineBytes, 'a') + " /x/", edict, record));
}

TEST(DictionaryFolding, FoldsKanaWidthAndCase) {
    struct Row {
        std::u16string text, folded;
    } rows[] = {
        {u"タベル", u"たべる"},
        {u"ﾀﾍﾞﾙ", u"たべる"},
        {u"ﾊﾟﾝ", u"ぱん"},
        {u"ｳﾞｧｲｵﾘﾝ", u"ゔぁいおりん"},
        {u"か\x3099", u"が"},
        {u"ヴ", u"ゔ"},
        {u"ｰ", u"ー"},
        {u"ＣＤ－ＲＯＭ", u"cd-rom"},
        {u"Über\x3000Straße", u"über straße"},
        {u"食べる", u"食べる"},
        {u"ﾞ", u"\x3099"},
    };
    for (const Row& row : rows) EXPECT_EQ(Utf8Of(FoldForDictionary(row.text)), Utf8Of(row.folded)) << Utf8Of(row.text);
}
