#include "storage/folded_group.h"

#include <algorithm>

namespace {

bool SameEntry(const GlossaryEntry& a, const GlossaryEntry& b) {
    return std::equal(std::begin(a.texts), std::end(a.texts), std::begin(b.texts));
}

}  // namespace

std::wstring FoldQuery(std::wstring_view text, FoldText fold) {
    std::wstring query = fold(text);
    std::erase(query, kFieldSeparator);
    return query;
}

FoldedGroup::FoldedGroup(const std::vector<GlossaryEntry>& entries, FoldText fold) {
    Append(entries, 0, entries.size(), fold);
}

FoldedGroup::FoldedGroup(const FoldedGroup& before, const std::vector<GlossaryEntry>& entriesBefore,
                         const std::vector<GlossaryEntry>& entries, FoldText fold) {
    if (before.EntryCount() != entriesBefore.size()) {
        Append(entries, 0, entries.size(), fold);
        return;
    }
    const std::size_t most = std::min(entries.size(), entriesBefore.size());
    std::size_t same = 0;
    while (same < most && SameEntry(entries[same], entriesBefore[same])) ++same;
    std::size_t sameAtEnd = 0;
    while (sameAtEnd < most - same &&
           SameEntry(entries[entries.size() - 1 - sameAtEnd], entriesBefore[entriesBefore.size() - 1 - sameAtEnd])) {
        ++sameAtEnd;
    }
    const std::size_t headEnd = same == 0 ? 0 : before.ends_[same - 1];
    const std::size_t tailStart = sameAtEnd == 0 ? before.folded_.size()
                                                 : (entriesBefore.size() - sameAtEnd == 0
                                                        ? 0
                                                        : before.ends_[entriesBefore.size() - sameAtEnd - 1]);
    folded_.assign(before.folded_, 0, headEnd);
    ends_.assign(before.ends_.begin(), before.ends_.begin() + static_cast<std::ptrdiff_t>(same));
    Append(entries, same, entries.size() - sameAtEnd, fold);
    const std::size_t tailNow = folded_.size();
    folded_.append(before.folded_, tailStart, std::wstring::npos);
    for (std::size_t i = entriesBefore.size() - sameAtEnd; i < entriesBefore.size(); ++i) {
        ends_.push_back(before.ends_[i] - tailStart + tailNow);
    }
}

void FoldedGroup::Append(const std::vector<GlossaryEntry>& entries, std::size_t first, std::size_t last, FoldText fold) {
    if (first >= last) return;
    std::wstring joined;
    std::size_t total = 0;
    for (std::size_t i = first; i < last; ++i) {
        for (const std::wstring& text : entries[i].texts) total += text.size() + 1;
    }
    joined.reserve(total);
    for (std::size_t i = first; i < last; ++i) {
        for (const std::wstring& text : entries[i].texts) {
            const std::size_t start = joined.size();
            joined += text;
            std::replace(joined.begin() + static_cast<std::ptrdiff_t>(start), joined.end(), kFieldSeparator, L' ');
            joined += kFieldSeparator;
        }
    }
    // One call for the whole stretch: a call per field would cost more than the folding itself.
    std::wstring folded = fold(joined);
    const auto separators = std::count(folded.begin(), folded.end(), kFieldSeparator);
    if (separators != static_cast<std::ptrdiff_t>((last - first) * kEntryFieldCount)) {
        // A folding that moved a separator: each field on its own then.
        folded.clear();
        for (std::size_t i = first; i < last; ++i) {
            for (const std::wstring& text : entries[i].texts) {
                std::wstring field = fold(text);
                std::replace(field.begin(), field.end(), kFieldSeparator, L' ');
                folded += field;
                folded += kFieldSeparator;
            }
        }
    }
    const std::size_t base = folded_.size();
    folded_ += folded;
    int field = 0;
    for (std::size_t pos = folded.find(kFieldSeparator); pos != std::wstring::npos;
         pos = folded.find(kFieldSeparator, pos + 1)) {
        if (++field % kEntryFieldCount == 0) ends_.push_back(base + pos + 1);
    }
}

void FoldedGroup::Replace(std::size_t index, const GlossaryEntry& entry, FoldText fold) {
    if (index >= ends_.size()) return;
    FoldedGroup one({entry}, fold);
    const std::size_t start = index == 0 ? 0 : ends_[index - 1];
    const std::size_t end = ends_[index];
    folded_.replace(start, end - start, one.folded_);
    const std::ptrdiff_t shift = static_cast<std::ptrdiff_t>(one.folded_.size()) - static_cast<std::ptrdiff_t>(end - start);
    for (std::size_t i = index; i < ends_.size(); ++i) ends_[i] = static_cast<std::size_t>(static_cast<std::ptrdiff_t>(ends_[i]) + shift);
}

std::wstring_view FoldedGroup::Entry(std::size_t index) const {
    if (index >= ends_.size()) return {};
    const std::size_t start = index == 0 ? 0 : ends_[index - 1];
    return std::wstring_view(folded_).substr(start, ends_[index] - start);
}

std::vector<int> FoldedGroup::Find(std::wstring_view foldedQuery) const {
    std::vector<int> found;
    if (foldedQuery.empty()) return found;
    const std::wstring_view folded = folded_;
    for (std::size_t pos = folded.find(foldedQuery); pos != std::wstring_view::npos; pos = folded.find(foldedQuery, pos)) {
        const auto end = std::upper_bound(ends_.begin(), ends_.end(), pos);
        if (end == ends_.end()) break;
        found.push_back(static_cast<int>(end - ends_.begin()));
        pos = *end;  // one match an entry
    }
    return found;
}

bool FoldedGroup::EntryHolds(std::size_t index, std::wstring_view foldedQuery) const {
    return !foldedQuery.empty() && Entry(index).find(foldedQuery) != std::wstring_view::npos;
}

int FoldedGroup::CountTerm(std::wstring_view foldedTerm) const {
    if (foldedTerm.empty()) return 0;
    int count = 0;
    std::size_t start = 0;
    for (std::size_t end : ends_) {
        const std::wstring_view entry = std::wstring_view(folded_).substr(start, end - start);
        if (entry.substr(0, entry.find(kFieldSeparator)) == foldedTerm) ++count;
        start = end;
    }
    return count;
}
