#include "storage/folded_group.h"

#include <algorithm>
#include <cstring>

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

FoldedGroup::FoldedGroup(const FoldedGroup& before, const std::vector<int>& from, const std::vector<GlossaryEntry>& entries,
                         FoldText fold) {
    if (from.size() != entries.size()) return;
    ends_.reserve(entries.size());
    std::size_t i = 0;
    while (i < from.size()) {
        std::size_t last = i + 1;
        if (from[i] < 0) {
            // New texts side by side are folded in one call.
            while (last < from.size() && from[last] < 0) ++last;
            Append(entries, i, last, fold);
        } else {
            // Entries that kept their neighbours are copied as one stretch.
            while (last < from.size() && from[last] >= 0 && from[last] == from[last - 1] + 1) ++last;
            const std::size_t first = static_cast<std::size_t>(from[i]);
            const std::size_t end = static_cast<std::size_t>(from[last - 1]) + 1;
            if (end > before.ends_.size()) {
                *this = FoldedGroup();
                return;
            }
            const std::size_t start = first == 0 ? 0 : before.ends_[first - 1];
            const std::size_t base = folded_.size();
            folded_.append(before.folded_, start, before.ends_[end - 1] - start);
            for (std::size_t e = first; e < end; ++e) ends_.push_back(before.ends_[e] - start + base);
        }
        i = last;
    }
}

bool FoldedGroup::Follow(const std::vector<int>& from, const std::vector<GlossaryEntry>& entries, FoldText fold) {
    const std::size_t count = from.size();
    if (entries.size() != count) return false;
    // New texts first, so that every entry's length is known.
    FoldedGroup fresh;
    for (std::size_t i = 0; i < count;) {
        if (from[i] >= 0) {
            if (static_cast<std::size_t>(from[i]) >= ends_.size()) return false;
            ++i;
            continue;
        }
        std::size_t last = i + 1;
        while (last < count && from[last] < 0) ++last;
        fresh.Append(entries, i, last, fold);
        i = last;
    }
    const auto OldStart = [this](std::size_t e) { return e == 0 ? std::size_t{0} : ends_[e - 1]; };
    std::vector<std::size_t>& newEnds = spareEnds_;
    newEnds.resize(count);
    std::size_t end = 0;
    for (std::size_t i = 0, next = 0; i < count; ++i) {
        const int source = from[i];
        end += source >= 0 ? ends_[static_cast<std::size_t>(source)] - OldStart(static_cast<std::size_t>(source))
                           : fresh.Entry(next++).size();
        newEnds[i] = end;
    }
    if (end > folded_.size()) {
        if (folded_.capacity() < end) folded_.reserve(end + end / 8 + 64);
        folded_.resize(end);
    }
    wchar_t* text = folded_.data();
    const auto Move = [&](std::size_t i, bool left) {
        const int source = from[i];
        if (source < 0) return;
        const std::size_t start = OldStart(static_cast<std::size_t>(source));
        const std::size_t to = i == 0 ? 0 : newEnds[i - 1];
        if (left ? to < start : to > start) {
            std::memmove(text + to, text + start, (ends_[static_cast<std::size_t>(source)] - start) * sizeof(wchar_t));
        }
    };
    for (std::size_t i = 0; i < count; ++i) Move(i, true);
    for (std::size_t i = count; i-- > 0;) Move(i, false);
    for (std::size_t i = 0, next = 0; i < count; ++i) {
        if (from[i] >= 0) continue;
        const std::wstring_view entry = fresh.Entry(next++);
        std::copy(entry.begin(), entry.end(), text + (i == 0 ? 0 : newEnds[i - 1]));
    }
    folded_.resize(end);
    ends_.swap(spareEnds_);
    return true;
}

void FoldedGroup::Append(const std::vector<GlossaryEntry>& entries, std::size_t first, std::size_t last, FoldText fold) {
    if (first >= last) return;
    // Kept from call to call (up to a size): the texts of a whole group are slow to allocate anew.
    thread_local std::wstring joined;
    constexpr std::size_t kKeptUnits = std::size_t{1} << 21;
    joined.clear();
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
                // A separator typed into the field is a space before folding, as in the stretch folded whole.
                std::wstring field = text;
                std::replace(field.begin(), field.end(), kFieldSeparator, L' ');
                field = fold(field);
                std::replace(field.begin(), field.end(), kFieldSeparator, L' ');
                folded += field;
                folded += kFieldSeparator;
            }
        }
    }
    if (joined.capacity() > kKeptUnits) std::wstring().swap(joined);
    const std::size_t base = folded_.size();
    if (folded_.empty()) {
        folded_ = std::move(folded);
    } else {
        folded_ += folded;
    }
    const std::wstring_view added = std::wstring_view(folded_).substr(base);
    ends_.reserve(ends_.size() + (last - first));
    int field = 0;
    for (std::size_t pos = added.find(kFieldSeparator); pos != std::wstring_view::npos;
         pos = added.find(kFieldSeparator, pos + 1)) {
        if (++field % kEntryFieldCount == 0) ends_.push_back(base + pos + 1);
    }
}

std::wstring_view FoldedGroup::Entry(std::size_t index) const {
    if (index >= ends_.size()) return {};
    const std::size_t start = index == 0 ? 0 : ends_[index - 1];
    return std::wstring_view(folded_).substr(start, ends_[index] - start);
}

std::vector<int> FoldedGroup::Find(std::wstring_view foldedQuery) const {
    std::vector<int> found;
    EachMatch(foldedQuery, [&found](int index) { found.push_back(index); });
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
