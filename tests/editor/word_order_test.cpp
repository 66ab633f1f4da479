#include "editor/word_order.h"

#include <gtest/gtest.h>

TEST(WordOrder, OrdinalComparisonOfTheFirst255Units) {
    EXPECT_LT(CompareTermsOrdinal(u"A", u"a"), 0) << "upper case sorts before lower case";
    EXPECT_LT(CompareTermsOrdinal(u"あ", u"ア"), 0) << "hiragana before katakana";
    EXPECT_LT(CompareTermsOrdinal(u"ア", u"亜"), 0) << "katakana before kanji";
    EXPECT_LT(CompareTermsOrdinal(u"ab", u"abc"), 0) << "a prefix comes first";
    EXPECT_GT(CompareTermsOrdinal(u"\xFFFF", u"a"), 0) << "units compare unsigned";
    EXPECT_EQ(CompareTermsOrdinal(u"same", u"same"), 0);

    const std::u16string common(255, u'x');
    EXPECT_EQ(CompareTermsOrdinal(common + u"a", common + u"b"), 0);
    EXPECT_EQ(CompareTermsOrdinal(common, common + u"tail"), 0);
    EXPECT_LT(CompareTermsOrdinal(common.substr(1), common + u"tail"), 0);
}

TEST(WordOrder, RanksFollowTheSortStateAndKeepTiesInPlace) {
    const std::vector<WordListRow> rows = {{2, u"b"}, {0, u"A"}, {1, u"a"}, {3, u"a"}};
    EXPECT_EQ(RankRows(rows, 1), (std::vector<int>{3, 0, 1, 2}));
    EXPECT_EQ(RankRows(rows, 2), (std::vector<int>{0, 3, 1, 2}));
    EXPECT_EQ(RankRows(rows, 0), (std::vector<int>{2, 0, 1, 3}));
    EXPECT_EQ(RankRows(rows, 7), (std::vector<int>{0, 1, 2, 3}));
}

TEST(WordOrder, CompactedKeysKeepTheirOrderAndBecomeUnique) {
    EXPECT_EQ(CompactKeys({7, 3, 9}), (std::vector<int64_t>{1, 0, 2}));
    EXPECT_EQ(CompactKeys({2, 0, 2}), (std::vector<int64_t>{1, 0, 2})) << "ties by position";
    EXPECT_EQ(CompactKeys({-5, 100}), (std::vector<int64_t>{0, 1}));
}
