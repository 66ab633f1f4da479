#include "storage/glossary_index.h"

#include <windows.h>

#include <algorithm>

namespace {

// Stands between fields; no mapping touches a control character, and none is typed into a query.
constexpr wchar_t kSeparator = L'\x1F';

std::wstring Map(std::wstring_view text, DWORD flags) {
    if (text.empty()) return {};
    const int length = static_cast<int>(text.size());
    // Width and kana mappings never lengthen a text (two half-width units may
    // become one), so one call into a buffer of the same size does; asking
    // for the size first would map the whole glossary twice.
    std::wstring mapped(text.size() + 16, L'\0');
    int size = LCMapStringEx(LOCALE_NAME_USER_DEFAULT, flags, text.data(), length, mapped.data(),
                             static_cast<int>(mapped.size()), nullptr, nullptr, 0);
    if (size <= 0 && GetLastError() == ERROR_INSUFFICIENT_BUFFER) {
        size = LCMapStringEx(LOCALE_NAME_USER_DEFAULT, flags, text.data(), length, nullptr, 0, nullptr, nullptr, 0);
        mapped.assign(static_cast<size_t>(std::max(size, 0)), L'\0');
        size = LCMapStringEx(LOCALE_NAME_USER_DEFAULT, flags, text.data(), length, mapped.data(), size, nullptr, nullptr, 0);
    }
    if (size <= 0) return std::wstring(text);
    mapped.resize(static_cast<size_t>(size));
    return mapped;
}

}  // namespace

std::wstring FoldForFinding(std::wstring_view text) {
    std::wstring folded = Map(text, LCMAP_FULLWIDTH | LCMAP_HIRAGANA);
    // Case in place: a second mapping of the whole glossary would cost as much again as reading it.
    if (!folded.empty()) CharLowerBuffW(folded.data(), static_cast<DWORD>(folded.size()));
    return folded;
}

namespace {

// Every field followed by a separator; with clean, a separator typed into a field becomes a space.
std::wstring JoinFields(const std::vector<GlossaryEntry>& entries, std::vector<std::size_t>& ends, bool clean) {
    std::size_t total = 0;
    for (const GlossaryEntry& entry : entries) {
        for (const std::wstring& text : entry.texts) total += text.size() + 1;
    }
    std::wstring joined;
    joined.reserve(total);
    ends.clear();
    ends.reserve(entries.size());
    for (const GlossaryEntry& entry : entries) {
        for (const std::wstring& text : entry.texts) {
            const std::size_t start = joined.size();
            joined += text;
            if (clean) std::replace(joined.begin() + static_cast<std::ptrdiff_t>(start), joined.end(), kSeparator, L' ');
            joined += kSeparator;
        }
        ends.push_back(joined.size() - 1);
    }
    return joined;
}

}  // namespace

void GlossaryIndex::Index(Group& group) {
    std::wstring joined = JoinFields(group.entries, group.ends, false);
    if (std::count(joined.begin(), joined.end(), kSeparator) !=
        static_cast<std::ptrdiff_t>(group.entries.size() * kEntryFieldCount)) {
        joined = JoinFields(group.entries, group.ends, true);
    }
    group.folded = FoldForFinding(joined);
    // Mostly every unit maps to one unit and the entries end where they did;
    // where two half-width units became one, their ends are looked for again.
    if (group.folded.size() == joined.size()) return;
    group.ends.clear();
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
