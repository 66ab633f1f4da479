#include "common/bounded_copy.h"

#include <gtest/gtest.h>

#include <string>

TEST(BoundedCopy, CutsLongTextAndAlwaysTerminates) {
    char16_t buffer[4];
    std::fill(std::begin(buffer), std::end(buffer), u'#');
    EXPECT_EQ(CopyBounded(buffer, u"abcdef"), 3u);
    EXPECT_EQ(std::u16string(buffer), u"abc");

    char16_t exact[4];
    EXPECT_EQ(CopyBounded(exact, u"xyz"), 3u);
    EXPECT_EQ(std::u16string(exact), u"xyz");
}

TEST(BoundedCopy, StopsAtEmbeddedTerminatorAndHandlesZeroCapacity) {
    char16_t buffer[8];
    EXPECT_EQ(CopyBounded(buffer, 8, std::u16string_view(u"ab\0cd", 5)), 2u);
    EXPECT_EQ(std::u16string(buffer), u"ab");

    char16_t untouched = u'#';
    EXPECT_EQ(CopyBounded(&untouched, 0, std::u16string_view(u"a")), 0u);
    EXPECT_EQ(untouched, u'#');
}

TEST(BoundedCopy, LengthOfUnterminatedBufferIsItsCapacity) {
    const char16_t full[3] = {u'a', u'b', u'c'};
    EXPECT_EQ(BoundedLength(full, 3), 3u);
    const char16_t shorter[3] = {u'a', 0, u'c'};
    EXPECT_EQ(BoundedLength(shorter, 3), 1u);
}
