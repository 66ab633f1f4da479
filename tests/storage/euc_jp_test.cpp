#include "storage/euc_jp.h"

#include <gtest/gtest.h>

#include <string>

#include "support/utf16_text.h"

TEST(EucJp, DecodesEachKindOfSequenceAndReplacesWhatIsNone) {
    struct Row {
        const char* bytes;
        std::u16string text;
        std::size_t invalid;
    } rows[] = {
        {"a /", u"a /", 0},
        {"\xA4\xBF\xA4\xD9\xA4\xEB", u"たべる", 0},      // JIS X 0208 kana
        {"\xBF\xA9\xA4\xD9", u"食べ", 0},                 // JIS X 0208 kanji
        {"\xA1\xA1\xA3\xC1", u"\x3000Ａ", 0},             // ideographic space, full-width A
        {"\x8E\xC0\x8E\xCD\x8E\xDE", u"ﾀﾍﾞ", 0},          // half-width kana
        {"\x8F\xB0\xA1\x8F\xA2\xB7", u"丂\xFF5E", 0},     // JIS X 0212
        {"\xA9\xA1", u"\xFFFD\xFFFD", 2},                 // row 9 holds nothing
        {"\xA4", u"\xFFFD", 1},                           // cut short
        {"\x8F\xB0", u"\xFFFD\xFFFD", 2},
        {"\x8E\x41", u"\xFFFD" u"A", 1},                  // not a half-width kana: the next byte is read again
        {"\x80\xFF\xA4\xA2", u"\xFFFD\xFFFD" u"あ", 2},
    };
    for (const Row& row : rows) {
        std::u16string text;
        EXPECT_EQ(AppendEucJpAsUtf16(row.bytes, text), row.invalid) << row.bytes;
        EXPECT_EQ(Utf8Of(text), Utf8Of(row.text)) << row.bytes;
        EXPECT_EQ(CountEucJp(row.bytes).invalid, row.invalid) << row.bytes;
    }
}
