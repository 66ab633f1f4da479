#include "storage/text_encoding.h"

#include <gtest/gtest.h>

#include <string>

TEST(TextEncoding, MarksDecideAndOtherwiseOnlyRealUtf8CountsAsUtf8) {
    EXPECT_EQ(DetectTextEncoding("\xEF\xBB\xBF\"a\""), TextEncoding::Utf8WithMark);
    EXPECT_EQ(DetectTextEncoding("\xFF\xFE\"\0"), TextEncoding::Utf16Le);
    EXPECT_EQ(DetectTextEncoding("\xFE\xFF\0\""), TextEncoding::Utf16Be);
    EXPECT_EQ(DetectTextEncoding("\xE3\x82\x8A\xE3\x82\x93\xE3\x81\x94,apple\n"), TextEncoding::Utf8) << "りんご";
    EXPECT_EQ(DetectTextEncoding("plain ascii,\n"), TextEncoding::Ansi);
    EXPECT_EQ(DetectTextEncoding(""), TextEncoding::Ansi);
    EXPECT_EQ(DetectTextEncoding("\x82\xE8\x82\xF1\x82\xB2"), TextEncoding::Ansi) << "りんご in Shift-JIS";
    // Each of these is malformed UTF-8: overlong, a surrogate, past U+10FFFF, cut short.
    for (const char* bad : {"\xC0\xAF", "\xE0\x80\xAF", "\xED\xA0\x80", "\xF4\x90\x80\x80", "\xE3\x82"}) {
        EXPECT_EQ(DetectTextEncoding(std::string("ok ") + bad), TextEncoding::Ansi) << bad;
    }
}

TEST(TextEncoding, Utf16RoundTripsThroughUtf8InBothByteOrders) {
    const std::string utf8 = "a\xE3\x82\x8A\xF0\xA0\xAE\x9F\r\n";  // a, り, 𠮟 (a surrogate pair), CR LF
    for (bool bigEndian : {false, true}) {
        const std::string utf16 = Utf8ToUtf16Bytes(utf8, bigEndian);
        ASSERT_EQ(utf16.size(), 12u);
        EXPECT_EQ(utf16.substr(0, 2), bigEndian ? std::string("\0a", 2) : std::string("a\0", 2));
        std::string back;
        EXPECT_TRUE(Utf16BytesToUtf8(utf16, bigEndian, back));
        EXPECT_EQ(back, utf8);
    }
    std::string back;
    EXPECT_FALSE(Utf16BytesToUtf8(std::string("\x00\xD8" "a\0", 4), false, back)) << "an unpaired surrogate";
    EXPECT_EQ(back, "\xEF\xBF\xBD" "a");
    EXPECT_FALSE(Utf16BytesToUtf8(std::string("a\0b", 3), false, back)) << "an odd last byte";
}
