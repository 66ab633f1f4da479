#include "storage/folded_group.h"
#include "storage/followed_rows.h"

#include <gtest/gtest.h>

#include <cwctype>

namespace {

// Stands in for the system's folding: case, and a letter with a following
// apostrophe becoming one unit, so folded text can be shorter than the original.
std::wstring TestFold(std::wstring_view text) {
    std::wstring folded;
    for (size_t i = 0; i < text.size(); ++i) {
        wchar_t c = static_cast<wchar_t>(std::towlower(static_cast<wint_t>(text[i])));
        if (i + 1 < text.size() && text[i + 1] == L'\'') {
            c = static_cast<wchar_t>(c + 0x1000);
            ++i;
        }
        folded += c;
    }
    return folded;
}

GlossaryEntry Entry(std::wstring term, std::wstring reading = L"", std::wstring spelling = L"", std::wstring description = L"") {
    return GlossaryEntry{{std::move(term), std::move(reading), std::move(spelling), std::move(description)}};
}

std::vector<int> Find(const FoldedGroup& group, std::wstring_view query) { return group.Find(FoldQuery(query, TestFold)); }

}  // namespace

TEST(FoldedGroup, MatchesStayInsideOneFieldAndCountOncePerEntry) {
    const FoldedGroup group({Entry(L"ab", L"cd"), Entry(L"x", L"", L"", L"bcd bcd"), Entry(L"AB")}, TestFold);
    EXPECT_EQ(Find(group, L"bc"), (std::vector<int>{1})) << "b ends one field and c starts the next in entry 0";
    EXPECT_EQ(Find(group, L"b"), (std::vector<int>{0, 1, 2})) << "each entry once, case folded";
    EXPECT_EQ(Find(group, L"dx"), std::vector<int>{}) << "nor across two entries";
    EXPECT_EQ(Find(group, L""), std::vector<int>{});
    EXPECT_EQ(Find(group, L"\x1F"), std::vector<int>{}) << "a separator alone is an empty query";
    EXPECT_EQ(group.CountTerm(FoldQuery(L"ab", TestFold)), 2);
    EXPECT_EQ(group.CountTerm(FoldQuery(L"a", TestFold)), 0) << "the whole term, not a part";
    EXPECT_EQ(group.CountTerm(L""), 0);
    EXPECT_TRUE(group.EntryHolds(1, L"bcd"));
    EXPECT_FALSE(group.EntryHolds(7, L"b")) << "past the end";
    EXPECT_EQ(group.Entry(3), L"");
}

TEST(FoldedGroup, ASeparatorTypedIntoAFieldOrAShorterFoldingKeepsEntriesApart) {
    const FoldedGroup group({Entry(L"a\x1F" L"b", L"E'E'E'"), Entry(L"zz"), Entry(L"", L"", L"", L"q")}, TestFold);
    ASSERT_EQ(group.EntryCount(), 3u);
    EXPECT_EQ(Find(group, L"a b"), (std::vector<int>{0})) << "the separator in the field became a space";
    EXPECT_EQ(Find(group, L"zz"), (std::vector<int>{1})) << "entries end where they do after a shorter folding";
    EXPECT_EQ(Find(group, L"e'"), (std::vector<int>{0}));
    EXPECT_EQ(Find(group, L"q"), (std::vector<int>{2}));
}

TEST(FoldedGroup, FoldingOnlyWhatChangedGivesWhatFoldingEverythingGives) {
    const std::vector<GlossaryEntry> before = {Entry(L"one"), Entry(L"two", L"T'"), Entry(L"three"), Entry(L"four"),
                                               Entry(L"five")};
    const FoldedGroup folded(before, TestFold);
    std::vector<std::vector<GlossaryEntry>> afters;
    auto changed = before;
    changed[2].texts[3] = L"edited";
    afters.push_back(changed);
    changed = before;
    changed.insert(changed.begin(), Entry(L"new first"));
    afters.push_back(changed);
    changed = before;
    changed.push_back(Entry(L"new last"));
    afters.push_back(changed);
    changed = before;
    changed.erase(changed.begin() + 1);
    afters.push_back(changed);
    changed = before;
    std::swap(changed[3], changed[4]);
    afters.push_back(changed);
    afters.push_back({});
    afters.push_back({Entry(L"one"), Entry(L"one")});
    for (const auto& after : afters) {
        const FoldedGroup refolded(folded, before, after, TestFold);
        const FoldedGroup fresh(after, TestFold);
        ASSERT_EQ(refolded.EntryCount(), after.size());
        for (size_t i = 0; i < after.size(); ++i) EXPECT_EQ(refolded.Entry(i), fresh.Entry(i)) << i;
        for (const wchar_t* query : {L"o", L"t'", L"edited", L"new", L"e"}) EXPECT_EQ(Find(refolded, query), Find(fresh, query));
    }
}

TEST(FoldedGroup, RowsFollowedThroughChangesFoldOnlyWhatIsNewAndMatchAFreshFolding) {
    // Each step: what the list does, then the rows it holds. The folded text
    // that follows the changes must equal folding the rows afresh.
    std::vector<GlossaryEntry> rows = {Entry(L"one"), Entry(L"two", L"T'T'"), Entry(L"three"), Entry(L"four")};
    std::vector<int64_t> keys = {0, 1, 2, 3};
    FoldedGroup group(rows, TestFold);
    using Kind = RowChange::Kind;
    struct Step {
        std::vector<RowChange> changes;
        std::vector<GlossaryEntry> rowsAfter;
        std::vector<int64_t> keysAfter;
    };
    const Step steps[] = {
        {{{Kind::Text, 1, 0}}, {Entry(L"one"), Entry(L"a much longer two", L"E'"), Entry(L"three"), Entry(L"four")}, {0, 1, 2, 3}},
        // Alt+E's entry at the top, then a deletion renumbering the keys after it.
        {{{Kind::Inserted, 0, 0}, {Kind::Text, 0, 0}, {Kind::Deleted, 2, 0}, {Kind::Key, 2, 1}, {Kind::Key, 3, 2}},
         {Entry(L"new'"), Entry(L"one"), Entry(L"three"), Entry(L"four")}, {0, 0, 1, 2}},
        {{{Kind::Key, 1, 3}, {Kind::Deleted, 3, 0}, {Kind::Inserted, 3, 9}, {Kind::Inserted, 3, 8}},
         {Entry(L"new'"), Entry(L"one"), Entry(L"three"), Entry(L"eight"), Entry(L"nine")}, {0, 3, 1, 8, 9}},
        // A sort, then an edit of a row where the sort put it.
        {{{Kind::Sorted, 0, 0}, {Kind::Text, 0, 0}},
         {Entry(L"T'hree"), Entry(L"one"), Entry(L"new'"), Entry(L"nine"), Entry(L"eight")}, {1, 3, 0, 9, 8}},
    };
    for (const Step& step : steps) {
        FollowedRows followed;
        ASSERT_TRUE(FollowRowChanges(keys, step.changes, step.keysAfter, followed));
        EXPECT_EQ(followed.keys, step.keysAfter);
        const FoldedGroup after(group, followed.from, step.rowsAfter, TestFold);
        const FoldedGroup fresh(step.rowsAfter, TestFold);
        ASSERT_EQ(after.EntryCount(), step.rowsAfter.size());
        for (size_t i = 0; i < step.rowsAfter.size(); ++i) EXPECT_EQ(after.Entry(i), fresh.Entry(i)) << i;
        if (KeepsOrder(followed.from)) {
            // In place, as a large group is followed: the same text, and the rows moved to where they now stand.
            FoldedGroup inPlace = group;
            ASSERT_TRUE(inPlace.Follow(followed.from, step.rowsAfter, TestFold));
            ASSERT_EQ(inPlace.EntryCount(), step.rowsAfter.size());
            for (size_t i = 0; i < step.rowsAfter.size(); ++i) EXPECT_EQ(inPlace.Entry(i), fresh.Entry(i)) << i;
            std::vector<std::wstring> terms, freshTerms;
            for (const GlossaryEntry& row : rows) terms.push_back(row.texts[0]);
            for (size_t i = 0; i < followed.from.size(); ++i) {
                if (followed.from[i] < 0) freshTerms.push_back(step.rowsAfter[i].texts[0]);
            }
            MoveRowsInPlace(terms, followed.from, freshTerms);
            std::vector<std::wstring> expected;
            for (const GlossaryEntry& row : step.rowsAfter) expected.push_back(row.texts[0]);
            EXPECT_EQ(terms, expected);
        }
        // Rows that only moved were not read again.
        for (size_t i = 0; i < followed.from.size(); ++i) {
            if (followed.from[i] >= 0) EXPECT_EQ(rows[static_cast<size_t>(followed.from[i])].texts[0], step.rowsAfter[i].texts[0]);
        }
        group = after;
        rows = step.rowsAfter;
        keys = step.keysAfter;
    }
    EXPECT_EQ(Find(group, L"t'h"), (std::vector<int>{0}));
}

TEST(FollowedRows, ChangesThatCannotBePlacedAskForEveryRowToBeRead) {
    using Kind = RowChange::Kind;
    const std::vector<int64_t> keys = {0, 1, 2};
    FollowedRows followed;
    EXPECT_FALSE(FollowRowChanges(keys, {{Kind::Text, 3, 0}}, {}, followed)) << "past the end";
    EXPECT_FALSE(FollowRowChanges(keys, {{Kind::Deleted, -1, 0}}, {}, followed));
    EXPECT_FALSE(FollowRowChanges(keys, {{Kind::Inserted, 4, 0}}, {}, followed));
    EXPECT_TRUE(FollowRowChanges(keys, {{Kind::Inserted, 3, 7}}, {}, followed)) << "onto the end";
    EXPECT_FALSE(FollowRowChanges(keys, {{Kind::Sorted, 0, 0}, {Kind::Deleted, 0, 0}}, {2, 1, 0}, followed))
        << "a row deleted after a sort";
    EXPECT_FALSE(FollowRowChanges({0, 0, 1}, {{Kind::Sorted, 0, 0}}, {0, 1, 0}, followed)) << "two rows of one key";
    EXPECT_FALSE(FollowRowChanges(keys, {{Kind::Sorted, 0, 0}}, {2, 1, 5}, followed)) << "a key that was not there";
    EXPECT_FALSE(FollowRowChanges(keys, {{Kind::Sorted, 0, 0}, {Kind::Text, 0, 0}, {Kind::Sorted, 0, 0}}, {2, 1, 0}, followed))
        << "a text changed between two sorts";
    ASSERT_TRUE(FollowRowChanges(keys, {{Kind::Text, 0, 0}, {Kind::Sorted, 0, 0}, {Kind::Sorted, 0, 0}}, {2, 0, 1}, followed));
    EXPECT_EQ(followed.from, (std::vector<int>{2, -1, 1})) << "a row changed before the sort moves with it";
    FoldedGroup group({Entry(L"a"), Entry(L"b")}, TestFold);
    EXPECT_EQ(FoldedGroup(group, {0, 5}, {Entry(L"a"), Entry(L"b")}, TestFold).EntryCount(), 0u) << "a row that was not there";
}
