#include "app/search_query.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

namespace {

constexpr char16_t kGuard = u'#';
constexpr std::size_t kGuardUnits = 64;

// The encoded query, checked to be terminated within its buffer and as long as the returned length.
std::u16string Encoded(const std::u16string& term) {
    std::vector<char16_t> out(kEncodedQueryUnits, kGuard);
    const std::size_t length = EncodeSearchTerm(term.c_str(), out.data());
    EXPECT_LT(length, kEncodedQueryUnits);
    EXPECT_EQ(out[length], u'\0');
    EXPECT_EQ(std::char_traits<char16_t>::length(out.data()), length);
    return std::u16string(out.data(), length);
}

}  // namespace

TEST(SearchQueryEncode, SpaceBecomesPlusAndAsciiMarksAreEscaped) {
    EXPECT_EQ(Encoded(u"a b"), u"a+b");
    EXPECT_EQ(Encoded(u"C++"), u"C%2B%2B");
    EXPECT_EQ(Encoded(u"*-._"), u"*-._");
    EXPECT_EQ(Encoded(u"a/b?c=d&e"), u"a%2Fb%3Fc%3Dd%26e");
    EXPECT_EQ(Encoded(u"100% ~#+"), u"100%25+%7E%23%2B");
    EXPECT_EQ(Encoded(u"line\r\n\tend"), u"line%0D%0A%09end");
}

TEST(SearchQueryEncode, LettersOfAnyScriptPassUnchanged) {
    EXPECT_EQ(Encoded(u"日本語"), u"日本語");
    EXPECT_EQ(Encoded(u"カタカナーとひらがな"), u"カタカナーとひらがな");
    EXPECT_EQ(Encoded(u"café Ω"), u"café+Ω");
    EXPECT_EQ(Encoded(u"Москва ١٢٣ 한국어"), u"Москва+١٢٣+한국어");
    EXPECT_EQ(Encoded(u"ＡＢＣ１２３ｶﾅ"), u"ＡＢＣ１２３ｶﾅ");
    EXPECT_EQ(Encoded(u"\U00020B9F"), u"\U00020B9F");  // 𠮟, a kanji written with a surrogate pair
}

TEST(SearchQueryEncode, OtherCharactersAreTheirUtf8BytesInUpperCaseHex) {
    EXPECT_EQ(Encoded(u"\u3001"), u"%E3%80%81");
    EXPECT_EQ(Encoded(u"\u3000"), u"%E3%80%80");
    EXPECT_EQ(Encoded(u"\u30FB"), u"%E3%83%BB");
    EXPECT_EQ(Encoded(u"×"), u"%C3%97");
    EXPECT_EQ(Encoded(u"\u00A0"), u"%C2%A0");
    EXPECT_EQ(Encoded(u"\U0001F600"), u"%F0%9F%98%80");
    EXPECT_EQ(Encoded(u"\U0010FFFF"), u"%F4%8F%BF%BF");
    EXPECT_EQ(Encoded(u"語。\U0001F600!"), u"語%E3%80%82%F0%9F%98%80%21");
}

TEST(SearchQueryEncode, UnpairedSurrogatesBecomeReplacementCharacter) {
    EXPECT_EQ(Encoded(std::u16string{u'a', char16_t(0xD83D), u'b'}), u"a%EF%BF%BDb");
    EXPECT_EQ(Encoded(std::u16string{char16_t(0xDE00), u'a'}), u"%EF%BF%BDa");
    EXPECT_EQ(Encoded(std::u16string{u'a', char16_t(0xD83D)}), u"a%EF%BF%BD");
    // Two highs then a low: the first is alone, the second pairs.
    EXPECT_EQ(Encoded(std::u16string{char16_t(0xD83D), char16_t(0xD83D), char16_t(0xDE00)}),
              u"%EF%BF%BD%F0%9F%98%80");
}

TEST(SearchQueryEncode, EmptyTermGivesEmptyQuery) {
    char16_t out[kEncodedQueryUnits];
    out[0] = kGuard;
    EXPECT_EQ(EncodeSearchTerm(u"", out), 0u);
    EXPECT_EQ(out[0], u'\0');
}

TEST(SearchQueryEncode, FullTermOfNineUnitCharactersFitsAndNothingPastTheBufferIsTouched) {
    const std::u16string term(kSearchTermUnits - 1, u'\u3001');
    std::vector<char16_t> out(kEncodedQueryUnits + kGuardUnits, kGuard);
    const std::size_t length = EncodeSearchTerm(term.c_str(), out.data());
    EXPECT_EQ(length, 9 * (kSearchTermUnits - 1));
    EXPECT_EQ(out[length], u'\0');
    EXPECT_EQ(std::u16string(out.data(), 9), u"%E3%80%81");
    EXPECT_EQ(std::u16string(out.data() + length - 9, 9), u"%E3%80%81");
    EXPECT_TRUE(std::all_of(out.begin() + kEncodedQueryUnits, out.end(), [](char16_t c) { return c == kGuard; }));
}

TEST(SearchQueryEncode, ReadsNoMoreThanTheTermBuffer) {
    // No terminator within the term buffer: the buffer's units are the term, what follows is not read.
    std::u16string term(kSearchTermUnits, u'a');
    term += u"!!!";
    std::vector<char16_t> out(kEncodedQueryUnits, kGuard);
    EXPECT_EQ(EncodeSearchTerm(term.c_str(), out.data()), kSearchTermUnits);
    EXPECT_EQ(std::u16string(out.data()), std::u16string(kSearchTermUnits, u'a'));

    // A high surrogate in the last unit does not pair with the unit after the buffer.
    std::u16string split(kSearchTermUnits - 1, u'a');
    split += char16_t(0xD83D);
    split += char16_t(0xDE00);
    EXPECT_EQ(EncodeSearchTerm(split.c_str(), out.data()), kSearchTermUnits - 1 + 9);
    EXPECT_EQ(std::u16string(out.data() + kSearchTermUnits - 1), u"%EF%BF%BD");
}

TEST(SearchUrl, ShortQueryFollowsThePrefix) {
    char16_t url[kSearchUrlUnits];
    FormatSearchUrl(u"a+b", url);
    EXPECT_EQ(std::u16string(url), u"https://www.google.com/search?q=a+b");
    FormatSearchUrl(u"", url);
    EXPECT_EQ(std::u16string(url), kSearchUrlFormatPrefix);
}

// The URL formatted from a query, checked to stay within its buffer.
std::u16string Url(const std::u16string& query) {
    std::vector<char16_t> url(kSearchUrlUnits + kGuardUnits, kGuard);
    FormatSearchUrl(query.c_str(), url.data());
    EXPECT_TRUE(std::all_of(url.begin() + kSearchUrlUnits, url.end(), [](char16_t c) { return c == kGuard; }));
    return std::u16string(url.data());
}

TEST(SearchUrl, LongQueryIsCutTo512UnitsAtAWholeCharacter) {
    const std::u16string prefix(kSearchUrlFormatPrefix);
    const std::size_t room = 512 - prefix.size();
    ASSERT_EQ(kSearchUrlUnits, 513u);
    const std::u16string letters(room + 100, u'a');
    EXPECT_EQ(Url(letters), prefix + letters.substr(0, room));

    // Room for the letters and the first one, two or three units of the comma's nine: the comma is left out.
    const std::u16string comma = u"%E3%80%81";
    for (std::size_t shortOf : {1, 2, 3, 4, 6, 8}) {
        const std::u16string query = letters.substr(0, room - 9 + shortOf) + comma + u"b";
        EXPECT_EQ(Url(query), prefix + letters.substr(0, room - 9 + shortOf)) << shortOf;
    }
    EXPECT_EQ(Url(letters.substr(0, room - 9) + comma + u"b"), prefix + letters.substr(0, room - 9) + comma);

    // A surrogate pair is not split, whether it passes as it is or as four escapes.
    EXPECT_EQ(Url(letters.substr(0, room - 1) + u"\U00020B9F"), prefix + letters.substr(0, room - 1));
    EXPECT_EQ(Url(letters.substr(0, room - 2) + u"\U00020B9F"), prefix + letters.substr(0, room - 2) + u"\U00020B9F");
    EXPECT_EQ(Url(letters.substr(0, room - 5) + u"%F0%9F%98%80"), prefix + letters.substr(0, room - 5));
}

TEST(SearchUrl, AFullTermOfAnyCharactersGivesAWholeUrl) {
    for (const std::u16string unit : {u"\u3001", u"\U0001F600", u"語", u"\U00020B9F", u"a ", u"\u00E9,"}) {
        std::u16string term;
        while (term.size() + unit.size() < kSearchTermUnits) term += unit;
        std::vector<char16_t> query(kEncodedQueryUnits);
        const std::size_t length = EncodeSearchTerm(term.c_str(), query.data());
        const std::u16string url = Url(std::u16string(query.data(), length));
        const std::u16string prefix(kSearchUrlFormatPrefix);
        ASSERT_LE(url.size(), 512u);
        EXPECT_GT(url.size(), 512u - 12) << "the cut loses less than one character's escapes";
        // Encoding the term's first characters gives exactly the URL's query: the cut was between characters.
        bool whole = false;
        for (std::size_t n = 0; n <= term.size() && !whole; ++n) {
            const std::u16string head = term.substr(0, n);
            std::vector<char16_t> encoded(kEncodedQueryUnits);
            whole = std::u16string(encoded.data(), EncodeSearchTerm(head.c_str(), encoded.data())) ==
                    url.substr(prefix.size());
        }
        EXPECT_TRUE(whole) << url.size();
    }
}

TEST(SearchLetterOrDigit, Latin1FollowsTheCRuntimeTable) {
    for (char32_t c : {U'0', U'9', U'A', U'Z', U'a', U'z', U'\u00AA', U'\u00B2', U'\u00B3', U'\u00B5', U'\u00B9',
                       U'\u00BA', U'\u00C0', U'\u00D6', U'\u00D8', U'\u00F6', U'\u00F8', U'\u00FF'}) {
        EXPECT_TRUE(IsSearchLetterOrDigit(c)) << std::hex << static_cast<unsigned>(c);
    }
    for (char32_t c : {U' ', U'/', U':', U'@', U'[', U'`', U'{', U'\u007F', U'\u0080', U'\u00A0', U'\u00A9',
                       U'\u00AB', U'\u00B4', U'\u00BC', U'\u00BF', U'\u00D7', U'\u00F7'}) {
        EXPECT_FALSE(IsSearchLetterOrDigit(c)) << std::hex << static_cast<unsigned>(c);
    }
}

TEST(SearchLetterOrDigit, JapaneseLettersButNotJapanesePunctuation) {
    for (char32_t c : {U'\u3041', U'\u3096', U'\u309D', U'\u309F', U'\u30A1', U'\u30FA', U'\u30FC', U'\u30FF',
                       U'\u3005', U'\u3400', U'\u4E00', U'\u9FFF', U'\uF900', U'\U00020000', U'\U0002A6D6',
                       U'\uFF10', U'\uFF19', U'\uFF21', U'\uFF5A', U'\uFF66', U'\uFF9F'}) {
        EXPECT_TRUE(IsSearchLetterOrDigit(c)) << std::hex << static_cast<unsigned>(c);
    }
    for (char32_t c : {U'\u3000', U'\u3001', U'\u3002', U'\u300C', U'\u3040', U'\u3097', U'\u309B', U'\u30A0',
                       U'\u30FB', U'\uFF01', U'\uFF1A', U'\uFF20', U'\uFF3B', U'\uFF5B', U'\uFF61', U'\uFF65'}) {
        EXPECT_FALSE(IsSearchLetterOrDigit(c)) << std::hex << static_cast<unsigned>(c);
    }
}

TEST(SearchLetterOrDigit, OtherScriptsButNotSymbolsOrEmoji) {
    for (char32_t c : {U'\u0101', U'\u01FF', U'\u0391', U'\u03C9', U'\u0416', U'\u05D0', U'\u0627', U'\u0661',
                       U'\u0915', U'\u093F', U'\u0966', U'\u0E01', U'\u0E50', U'\u1100', U'\u1EA0', U'\u1F00',
                       U'\uAC00', U'\uD7A3'}) {
        EXPECT_TRUE(IsSearchLetterOrDigit(c)) << std::hex << static_cast<unsigned>(c);
    }
    for (char32_t c : {U'\u0375', U'\u037E', U'\u0964', U'\u0E3F', U'\u2013', U'\u2018', U'\u20AC', U'\u2190',
                       U'\u2600', U'\uFFFD', U'\U0001F600', U'\U0001F44D'}) {
        EXPECT_FALSE(IsSearchLetterOrDigit(c)) << std::hex << static_cast<unsigned>(c);
    }
}

TEST(SearchQueryEncode, APathSegmentTakesPercentEncoding) {
    std::vector<char16_t> out(kEncodedQueryUnits, kGuard);
    EncodeSearchTerm(u"a b+c/d~*", out.data(), QueryPlacement::PathSegment);
    EXPECT_EQ(std::u16string(out.data()), u"a%20b%2Bc%2Fd~%2A");
    EXPECT_EQ(PlacementIn(u"https://ejje.weblio.jp/content/"), QueryPlacement::PathSegment);
    EXPECT_EQ(PlacementIn(u"https://example.org/s?lang=en&q="), QueryPlacement::QueryString);

    // What follows the placeholder stays whole however long the query.
    std::vector<char16_t> url(kSearchUrlUnits, kGuard);
    const std::u16string longQuery(2000, u'x');
    FormatSiteUrl(u"https://example.org/w/", longQuery.c_str(), u"?lang=ja", url.data());
    const std::u16string made(url.data());
    EXPECT_EQ(made.size(), kSearchUrlUnits - 1);
    EXPECT_EQ(made.substr(made.size() - 8), u"?lang=ja");
}
