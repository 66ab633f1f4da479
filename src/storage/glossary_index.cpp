#include "storage/glossary_index.h"

#include <windows.h>

#include <algorithm>

namespace {

// Stands between fields; no mapping touches a control character, and none is typed into a query.
constexpr wchar_t kSeparator = L'\x1F';

std::wstring Map(std::wstring_view text, DWORD flags) {
    if (text.empty()) return {};
    const int length = static_cast<int>(text.size());
    const int size = LCMapStringEx(LOCALE_NAME_USER_DEFAULT, flags, text.data(), length, nullptr, 0, nullptr, nullptr, 0);
    if (size <= 0) return std::wstring(text);
    std::wstring mapped(static_cast<size_t>(size), L'\0');
    LCMapStringEx(LOCALE_NAME_USER_DEFAULT, flags, text.data(), length, mapped.data(), size, nullptr, nullptr, 0);
    return mapped;
}

}  // namespace

std::wstring FoldForFinding(std::wstring_view text) {
    return Map(Map(text, LCMAP_FULLWIDTH | LCMAP_HIRAGANA), LCMAP_LOWERCASE | LCMAP_LINGUISTIC_CASING);
}

void GlossaryIndex::Index(Group& group) {
    std::wstring joined;
    for (const GlossaryEntry& entry : group.entries) {
        for (const std::wstring& text : entry.texts) {
            const std::size_t start = joined.size();
            joined += text;
            std::replace(joined.begin() + static_cast<std::ptrdiff_t>(start), joined.end(), kSeparator, L' ');
            joined += kSeparator;
        }
    }
    group.folded = FoldForFinding(joined);
    group.ends.clear();
    group.ends.reserve(group.entries.size());
    int field = 0;
    for (std::size_t pos = group.folded.find(kSeparator); pos != std::wstring::npos;
         pos = group.folded.find(kSeparator, pos + 1)) {
        if (++field % kEntryFieldCount == 0) group.ends.push_back(pos);
    }
    if (group.ends.size() > group.entries.size()) group.ends.resize(group.entries.size());
}

void GlossaryIndex::Refresh(int liveSlot) {
    for (int slot = 0; slot < kGroupSlotCount; ++slot) {
        if (slot == liveSlot) continue;
        Group& group = groups_[slot];
        const std::u16string_view name = appSettings.groupNames[slot];
        FileStamp stamp;
        const bool exists = GroupFileStamp(name, stamp);
        if (group.read && !group.fromRows && group.name == name && (exists ? stamp : FileStamp{}) == group.stamp) {
            continue;
        }
        group = Group{};
        group.name = name;
        group.read = true;
        if (exists && ReadGroupFileEntries(name, group.entries)) group.stamp = stamp;
        Index(group);
    }
}

void GlossaryIndex::UseRows(int slot, std::vector<GlossaryEntry> rows, std::vector<int64_t> keys) {
    Group& group = groups_[slot];
    group = Group{};
    group.fromRows = true;
    group.read = true;
    group.entries = std::move(rows);
    group.keys = std::move(keys);
    Index(group);
}

std::vector<GlossaryMatch> GlossaryIndex::Find(std::wstring_view text) const {
    std::wstring query = FoldForFinding(text);
    std::erase(query, kSeparator);
    std::vector<GlossaryMatch> matches;
    if (query.empty()) return matches;
    for (int slot = 0; slot < kGroupSlotCount; ++slot) {
        const Group& group = groups_[slot];
        const std::wstring_view folded = group.folded;
        for (std::size_t pos = folded.find(query); pos != std::wstring_view::npos; pos = folded.find(query, pos)) {
            const auto end = std::upper_bound(group.ends.begin(), group.ends.end(), pos);
            if (end == group.ends.end()) break;
            matches.push_back({slot, static_cast<int>(end - group.ends.begin())});
            pos = *end + 1;  // one match an entry
        }
    }
    return matches;
}

std::vector<GroupTermCount> GlossaryIndex::GroupsWithTerm(std::wstring_view term) const {
    const std::wstring folded = FoldForFinding(term);
    std::vector<GroupTermCount> found;
    if (folded.empty()) return found;
    for (int slot = 0; slot < kGroupSlotCount; ++slot) {
        const Group& group = groups_[slot];
        int count = 0;
        std::size_t start = 0;
        for (std::size_t end : group.ends) {
            const std::size_t termEnd = group.folded.find(kSeparator, start);
            if (std::wstring_view(group.folded).substr(start, termEnd - start) == folded) ++count;
            start = end + 1;
        }
        if (count > 0) found.push_back({slot, count});
    }
    return found;
}

const GlossaryEntry& GlossaryIndex::Entry(const GlossaryMatch& match) const {
    return groups_[match.slot].entries[static_cast<std::size_t>(match.index)];
}

int64_t GlossaryIndex::Key(const GlossaryMatch& match) const {
    const Group& group = groups_[match.slot];
    return group.keys.empty() ? match.index : group.keys[static_cast<std::size_t>(match.index)];
}

std::size_t GlossaryIndex::EntryCount() const {
    std::size_t count = 0;
    for (const Group& group : groups_) count += group.entries.size();
    return count;
}
