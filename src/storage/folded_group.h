#pragma once
// One group's entries as finding compares them: every field folded (by a
// function given by the caller) and joined, each followed by a separator, so
// a search of the whole group is one scan and a match never spans two fields.
// Portable: no Windows headers.
#include <cstddef>
#include <string>
#include <string_view>
#include <vector>

#include "storage/group_file.h"

// Stands after every field; no folding touches a control character, and
// one typed into a field or a query is taken as a space.
inline constexpr wchar_t kFieldSeparator = L'\x1F';

// Folds a text; the result may be shorter or longer than the text.
using FoldText = std::wstring (*)(std::wstring_view text);

class FoldedGroup {
public:
    FoldedGroup() = default;
    FoldedGroup(const std::vector<GlossaryEntry>& entries, FoldText fold);
    // The entries after a change, folding again only those between the
    // unchanged first and last ones (an edit, an insertion, a deletion or a
    // move touches one stretch of the list).
    FoldedGroup(const FoldedGroup& before, const std::vector<GlossaryEntry>& entriesBefore,
                const std::vector<GlossaryEntry>& entries, FoldText fold);

    // The entries after changes anywhere: entry i was entry from[i] before
    // and keeps its folded text, or, where from[i] is -1, is folded anew.
    // An empty group when from names an entry that was not there.
    FoldedGroup(const FoldedGroup& before, const std::vector<int>& from, const std::vector<GlossaryEntry>& entries,
                FoldText fold);

    // The same in place, for rows that kept their order (KeepsOrder): no
    // second copy of the folded text is made. False, changing nothing, when
    // from names an entry that is not there.
    bool Follow(const std::vector<int>& from, const std::vector<GlossaryEntry>& entries, FoldText fold);

    std::size_t EntryCount() const { return ends_.size(); }
    // The folded fields of one entry, each followed by a separator; empty past the end.
    std::wstring_view Entry(std::size_t index) const;
    // Indexes of the entries holding the folded query, in order; none for an empty query.
    std::vector<int> Find(std::wstring_view foldedQuery) const;
    // Calls found(index) for each of them, so the caller collects them where it likes.
    template <typename Found>
    void EachMatch(std::wstring_view foldedQuery, Found found) const {
        if (foldedQuery.empty()) return;
        const std::wstring_view folded = folded_;
        // Matches come in order, so the entry holding one is found by walking
        // on from the last: a query found in every entry costs no search of the ends.
        std::size_t entry = 0;
        for (std::size_t pos = folded.find(foldedQuery); pos != std::wstring_view::npos; pos = folded.find(foldedQuery, pos)) {
            while (entry < ends_.size() && ends_[entry] <= pos) ++entry;
            if (entry == ends_.size()) break;
            found(static_cast<int>(entry));
            pos = ends_[entry];  // one match an entry
        }
    }
    bool EntryHolds(std::size_t index, std::wstring_view foldedQuery) const;
    // How many entries have exactly this folded term.
    int CountTerm(std::wstring_view foldedTerm) const;

private:
    void Append(const std::vector<GlossaryEntry>& entries, std::size_t first, std::size_t last, FoldText fold);
    std::wstring folded_;
    std::vector<std::size_t> ends_;  // one past each entry's last separator
    std::vector<std::size_t> spareEnds_;  // kept between follows, so they allocate nothing
};

// The query as the index holds text: folded, separators dropped.
std::wstring FoldQuery(std::wstring_view text, FoldText fold);
