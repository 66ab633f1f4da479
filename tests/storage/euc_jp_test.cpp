#include "storage/euc_jp.h"

#include <gtest/gtest.h>
#include <iconv.h>

#include <algorithm>
#include <string>

#include "support/debian_edict.h"
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

// The committed table against glibc's own converter, over all of EDICT.
TEST(EucJp, DecodesTheFullEdictAsGlibcDoes) {
    const std::string* bytes = DebianEdictBytes();
    ASSERT_NE(bytes, nullptr) << DebianEdictMissing();
    std::u16string ours;
    EXPECT_EQ(AppendEucJpAsUtf16(*bytes, ours), 0u);

    iconv_t cd = iconv_open("UTF-16LE", "EUC-JP");
    ASSERT_NE(cd, reinterpret_cast<iconv_t>(-1));
    std::string in = *bytes, out(bytes->size() * 2, '\0');
    char* inPtr = in.data();
    char* outPtr = out.data();
    size_t inLeft = in.size(), outLeft = out.size();
    ASSERT_NE(iconv(cd, &inPtr, &inLeft, &outPtr, &outLeft), static_cast<size_t>(-1));
    iconv_close(cd);
    out.resize(out.size() - outLeft);

    std::u16string theirs(out.size() / 2, u'\0');
    for (std::size_t i = 0; i < theirs.size(); ++i) {
        theirs[i] = static_cast<char16_t>(static_cast<uint8_t>(out[2 * i]) | static_cast<uint8_t>(out[2 * i + 1]) << 8);
    }
    if (ours != theirs) {
        const auto [at, _] = std::mismatch(ours.begin(), ours.end(), theirs.begin(), theirs.end());
        const std::size_t from = static_cast<std::size_t>(at - ours.begin()) / 64 * 64;
        FAIL() << "from unit " << from << ":\n" << Utf8Of(std::u16string_view(ours).substr(from, 128)) << "\nglibc:\n"
               << Utf8Of(std::u16string_view(theirs).substr(from, 128));
    }
}
