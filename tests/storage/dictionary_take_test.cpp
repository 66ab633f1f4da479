#include "storage/dictionary_take.h"

#include <gtest/gtest.h>

#include <string>

#include "support/utf16_text.h"

namespace {

struct TakeRow {
    const char* what;
    EditedTexts before;
    DictionaryMatch match;
    std::size_t maxUnits;
    EditedTexts after;
};

DictionaryMatch Match(std::u16string headword, std::u16string reading, std::vector<std::u16string> glosses) {
    DictionaryMatch match;
    match.headword = std::move(headword);
    match.reading = std::move(reading);
    match.glosses = std::move(glosses);
    return match;
}

}  // namespace

TEST(DictionaryTake, FillsWhatIsEmptyAndAddsToTheMeaningWithoutReplacingAnything) {
    const DictionaryMatch eat = Match(u"食べる", u"たべる", {u"(1) to eat", u"(2) to live on"});
    const std::u16string pair = u"\U0001F600";  // one character, two units
    const TakeRow rows[] = {
        {"empty fields get the reading and the meaning", {u"食べる", u"", u"", u""}, eat, 3999,
         {u"食べる", u"たべる", u"", u"(1) to eat; (2) to live on"}},
        {"a kana term gets the headword as its spelling", {u"たべた", u"", u"", u""}, eat, 3999,
         {u"たべた", u"たべる", u"食べる", u"(1) to eat; (2) to live on"}},
        {"half-width katakana is kana too", {u"ﾀﾍﾞﾙ", u"", u"", u""}, eat, 3999,
         {u"ﾀﾍﾞﾙ", u"たべる", u"食べる", u"(1) to eat; (2) to live on"}},
        {"a typed reading and spelling stay", {u"たべる", u"タベル", u"喰べる", u""}, eat, 3999,
         {u"たべる", u"タベル", u"喰べる", u"(1) to eat; (2) to live on"}},
        {"the meaning typed stays, the glosses follow on a line of their own", {u"食べる", u"", u"", u"my note"}, eat,
         3999, {u"食べる", u"たべる", u"", u"my note\r\n(1) to eat; (2) to live on"}},
        {"a headword like the kana term is no spelling", {u"すし", u"", u"", u""}, Match(u"すし", u"", {u"sushi"}), 3999,
         {u"すし", u"", u"", u"sushi"}},
        {"an entry without reading or glosses adds nothing", {u"run", u"", u"", u"x"}, Match(u"run", u"", {}), 3999,
         {u"run", u"", u"", u"x"}},
        {"a full meaning is left as it is", {u"食べる", u"", u"", u"123456789"}, eat, 10,
         {u"食べる", u"たべる", u"", u"123456789"}},
        {"glosses are cut to the room left", {u"食べる", u"", u"", u"abc"}, eat, 12,
         {u"食べる", u"たべる", u"", u"abc\r\n(1) to "}},
        {"a cut never splits a character", {u"x", u"", u"", u"ab"}, Match(u"x", u"", {u"c" + pair}), 6,
         {u"x", u"", u"", u"ab\r\nc"}},
        // Alt+1 held until the key repeats, or a click after it, takes the same entry again.
        {"glosses the meaning already holds on a line are not added again", {u"食べる", u"たべる", u"", u"to eat"},
         Match(u"食べる", u"たべる", {u"to eat"}), 3999, {u"食べる", u"たべる", u"", u"to eat"}},
        {"nor after the user's own line", {u"食べる", u"", u"", u"my note\r\n(1) to eat; (2) to live on"}, eat, 3999,
         {u"食べる", u"たべる", u"", u"my note\r\n(1) to eat; (2) to live on"}},
        {"glosses only begun on a line of the meaning still follow", {u"食べる", u"", u"", u"(1) to eat"}, eat, 3999,
         {u"食べる", u"たべる", u"", u"(1) to eat\r\n(1) to eat; (2) to live on"}},
    };
    for (const TakeRow& row : rows) {
        EditedTexts texts = row.before;
        TakeDictionaryMatch(row.match, texts, row.maxUnits);
        EXPECT_EQ(Utf8Of(texts.term), Utf8Of(row.after.term)) << row.what;
        EXPECT_EQ(Utf8Of(texts.reading), Utf8Of(row.after.reading)) << row.what;
        EXPECT_EQ(Utf8Of(texts.spelling), Utf8Of(row.after.spelling)) << row.what;
        EXPECT_EQ(Utf8Of(texts.meaning), Utf8Of(row.after.meaning)) << row.what;
    }
}
