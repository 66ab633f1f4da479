#include "storage/folded_group.h"

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

TEST(FoldedGroup, OneEntryReplacedIsFoldedAloneAndTheOthersStay) {
    std::vector<GlossaryEntry> entries = {Entry(L"one"), Entry(L"two", L"T'T'"), Entry(L"three")};
    FoldedGroup group(entries, TestFold);
    for (const auto& [index, entry] : {std::pair<size_t, GlossaryEntry>{1, Entry(L"2")}, {0, Entry(L"a much longer first", L"E'")},
                                       {2, Entry(L"")}, {1, Entry(L"T'wo")}}) {
        entries[index] = entry;
        group.Replace(index, entry, TestFold);
        const FoldedGroup fresh(entries, TestFold);
        for (size_t i = 0; i < entries.size(); ++i) EXPECT_EQ(group.Entry(i), fresh.Entry(i)) << index << " " << i;
    }
    EXPECT_EQ(Find(group, L"longer"), (std::vector<int>{0}));
    EXPECT_EQ(Find(group, L"t'w"), (std::vector<int>{1}));
    group.Replace(9, Entry(L"x"), TestFold);  // past the end: nothing
    EXPECT_EQ(group.EntryCount(), 3u);
}
