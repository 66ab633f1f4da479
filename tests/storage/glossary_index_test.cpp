// Finding with the system's own folding and locale order, on real group files.
#include "storage/glossary_index.h"

#include <gtest/gtest.h>

#include "storage/find_folding.h"
#include "support/test_folder.h"

namespace {

void WriteGroup(const TestFolder& folder, const wchar_t* name, const std::wstring& text) {
    const std::string bytes = Ansi(text);
    WriteFileBytes(folder.File(name), {bytes.begin(), bytes.end()});
}

GlossaryEntry Entry(std::wstring term, std::wstring description = L"") {
    return GlossaryEntry{{std::move(term), L"", L"", std::move(description)}};
}

std::vector<std::wstring> Terms(const GlossaryIndex& index, const std::vector<GlossaryMatch>& matches) {
    std::vector<std::wstring> terms;
    for (const GlossaryMatch& match : matches) terms.push_back(index.Entry(match) ? index.Entry(match)->texts[0] : L"?");
    return terms;
}

class GlossaryIndexTest : public testing::Test {
protected:
    void SetUp() override {
        appSettings = DefaultAppSettings();
        folder_.Enter();
    }
    TestFolder folder_;
    GlossaryIndex index_;
};

}  // namespace

TEST(FoldForFinding, KanaWidthCaseAndCanonicalEquivalentsFoldAlike) {
    EXPECT_EQ(FoldForFinding(L"ｶﾞｲﾄﾞ"), FoldForFinding(L"がいど")) << "half-width pairs merge into one letter";
    EXPECT_EQ(FoldForFinding(L"ｶﾞｲﾄﾞ").size(), 3u);
    EXPECT_EQ(FoldForFinding(L"ﾊﾟﾋﾟｳﾞ"), FoldForFinding(L"ぱぴゔ"));
    EXPECT_EQ(FoldForFinding(L"か\u3099"), FoldForFinding(L"が")) << "a combining voiced mark composes";
    EXPECT_EQ(FoldForFinding(L"カ\u3099"), FoldForFinding(L"が"));
    EXPECT_EQ(FoldForFinding(L"Cafe\u0301"), FoldForFinding(L"CAFÉ")) << "composed before the width mapping too";
    EXPECT_EQ(FoldForFinding(L"ｶ\u3099"), FoldForFinding(L"が")) << "and after it";
    EXPECT_EQ(FoldForFinding(L"ＡＢＣ\U00020BB7野家"), FoldForFinding(L"abc") + L"\U00020BB7野家") << "a surrogate pair passes whole";
    EXPECT_EQ(FoldForFinding(L"x\xD800" L"か\u3099"), FoldForFinding(L"x") + L"\xD800" + FoldForFinding(L"が"))
        << "an unpaired surrogate does not keep the rest from composing";
    EXPECT_EQ(FoldForFinding(L""), L"");
}

TEST(FoldForFinding, ARowFoldsAsItDoesAloneWhateverItsNeighboursHold) {
    // Rows are folded joined by a separator; a text the system refuses to
    // compose (Wine refuses noncharacters) must not keep the others from it.
    const std::wstring rows[] = {L"Cafe\u0301", L"x\uFDD0y", L"か\u3099", L"\uFFFF", L"e\u0301\U0001FFFE", L"ｶﾞ\uFDEF\u3099"};
    std::wstring joined, expected;
    for (const std::wstring& row : rows) {
        joined += row + L"\x1F";
        expected += FoldForFinding(row) + L"\x1F";
    }
    EXPECT_EQ(FoldForFinding(joined), expected);
    EXPECT_EQ(FoldForFinding(L"か\u3099\uFDD0"), FoldForFinding(L"が") + L"\uFDD0");
    // Long enough to be asked about in stretches.
    const std::wstring longRow = std::wstring(20000, L'a') + L"\uFFFE" + L"e\u0301";
    EXPECT_TRUE(FoldForFinding(longRow) == FoldForFinding(std::wstring(20000, L'a')) + L"\uFFFE" + FoldForFinding(L"é"));
}

TEST_F(GlossaryIndexTest, FindsAcrossFilesAndUnsavedRowsAsTheyFold) {
    // Merged pairs before an entry shift where entries end in the folded text.
    WriteGroup(folder_, L"group01.csv", L"ｶﾞｶﾞｶﾞ,,,\ntarget,,,\nガイド,,,\n");
    WriteGroup(folder_, L"group02.csv", L"\"two\r\nlines\",,,spans\n");
    index_.Refresh(2);
    index_.UseRows(2, {Entry(L"か\u3099き"), Entry(L"plain")}, {1, 0});
    EXPECT_EQ(Terms(index_, index_.Find(L"target")), std::vector<std::wstring>{L"target"});
    EXPECT_EQ(Terms(index_, index_.Find(L"ｶﾞｲﾄﾞ")), std::vector<std::wstring>{L"ガイド"});
    EXPECT_EQ(Terms(index_, index_.Find(L"がき")), std::vector<std::wstring>{L"か\u3099き"});
    EXPECT_EQ(Terms(index_, index_.Find(L"lines")), std::vector<std::wstring>{L"two\r\nlines"});
    EXPECT_EQ(Terms(index_, index_.Find(L"linesspans")), std::vector<std::wstring>{}) << "not across two fields";
    EXPECT_TRUE(index_.Find(L"").empty());
    // Unsaved rows are held as the list shows them, each with its key.
    const std::vector<GlossaryMatch> rows = index_.Find(L"i");
    EXPECT_EQ(Terms(index_, rows), (std::vector<std::wstring>{L"two\r\nlines", L"plain"}));
    EXPECT_EQ(index_.Key(rows.back()), 0);
    EXPECT_EQ(Terms(index_, index_.Narrow(index_.Find(L"a"), L"ai")), Terms(index_, index_.Find(L"ai")));

    EXPECT_EQ(index_.Entry({0, 3}), nullptr) << "past the end of a group";
    EXPECT_EQ(index_.Entry({64, 0}), nullptr);
    EXPECT_EQ(index_.Key({1, 5}), -1);
    const std::vector<GroupTermCount> counts = index_.GroupsWithTerm(L"ＴＡＲＧＥＴ");
    ASSERT_EQ(counts.size(), 1u);
    EXPECT_EQ(counts[0].slot, 0);
}

TEST_F(GlossaryIndexTest, AnEntryIsFoundAgainByWhatItIsAfterRowsBeforeItGo) {
    index_.UseRows(0, {Entry(L"x"), Entry(L"y"), Entry(L"x")}, {});
    const EntryIdentity second = index_.Identify({0, 2});
    EXPECT_EQ(second.occurrence, 1);
    const uint64_t version = index_.Version();
    index_.UseRows(0, {Entry(L"y"), Entry(L"x"), Entry(L"x")}, {});
    EXPECT_NE(index_.Version(), version);
    GlossaryMatch match{};
    ASSERT_TRUE(index_.Locate(second, match));
    EXPECT_EQ(match.index, 2);
    index_.UseRows(0, {Entry(L"y"), Entry(L"x")}, {});
    EXPECT_FALSE(index_.Locate(second, match)) << "the second x is gone";
}

TEST_F(GlossaryIndexTest, ColumnsSortInTheLocaleOrderWithTiesInStoredOrder) {
    index_.UseRows(0, {Entry(L"item10"), Entry(L"item9"), Entry(L"Item2"), Entry(L"ｱ", L"1"), Entry(L"あ", L"2")}, {});
    std::vector<GlossaryMatch> matches;
    for (int i = 0; i < 5; ++i) matches.push_back({0, i});
    index_.Sort(matches, 1, false);
    EXPECT_EQ(Terms(index_, matches), (std::vector<std::wstring>{L"Item2", L"item9", L"item10", L"ｱ", L"あ"}));
    index_.Sort(matches, 1, true);
    EXPECT_EQ(Terms(index_, matches), (std::vector<std::wstring>{L"あ", L"ｱ", L"item10", L"item9", L"Item2"}));
    EXPECT_LT(CompareInLocaleOrder(L"item9", L"item10"), 0);
    EXPECT_EQ(CompareInLocaleOrder(L"ｱ", L"あ"), 0);
}

TEST_F(GlossaryIndexTest, FollowedRowsFindAndSortAsRowsReadAfresh) {
    const auto All = [](const GlossaryIndex& index) {
        std::vector<GlossaryMatch> matches;
        for (int i = 0; static_cast<size_t>(i) < index.EntryCount(); ++i) matches.push_back({0, i});
        return matches;
    };
    index_.UseRows(0, {Entry(L"b"), Entry(L"d"), Entry(L"a"), Entry(L"c")}, {0, 1, 2, 3});
    std::vector<GlossaryMatch> sorted = All(index_);
    index_.Sort(sorted, 1, false);  // the order is worked out, and must follow what comes
    // Row 1 (d) deleted, Alt+E's "ab" at the top, then row 3 (a) edited to "e".
    const std::vector<GlossaryEntry> rows = {Entry(L"ab"), Entry(L"b"), Entry(L"e"), Entry(L"c")};
    FollowedRows followed;
    followed.from = {-1, 0, -1, 3};
    followed.keys = {0, 0, 1, 2};
    const uint64_t version = index_.Version();
    ASSERT_TRUE(index_.FollowRows(0, followed, {rows[0], rows[2]}));
    EXPECT_NE(index_.Version(), version);
    GlossaryIndex fresh;
    fresh.UseRows(0, rows, {0, 0, 1, 2});
    for (bool descending : {false, true}) {
        std::vector<GlossaryMatch> followedOrder = All(index_);
        std::vector<GlossaryMatch> freshOrder = All(fresh);
        index_.Sort(followedOrder, 1, descending);
        fresh.Sort(freshOrder, 1, descending);
        EXPECT_EQ(Terms(index_, followedOrder), Terms(fresh, freshOrder));
    }
    EXPECT_EQ(Terms(index_, index_.Find(L"E")), std::vector<std::wstring>{L"e"});
    EXPECT_EQ(index_.Key({0, 3}), 2);
    followed.from = {0, 0, 1, 2};
    EXPECT_FALSE(index_.FollowRows(0, followed, {})) << "a row used twice";
    followed.from = {-1, 1, 2, 3};
    EXPECT_FALSE(index_.FollowRows(0, followed, {})) << "a new row without its texts";
    EXPECT_EQ(Terms(index_, index_.Find(L"ab")), std::vector<std::wstring>{L"ab"}) << "a refused change changes nothing";
}
