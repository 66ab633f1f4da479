#include "storage/glossary_index.h"

#include <algorithm>
#include <numeric>

#include "storage/find_folding.h"

namespace {

std::wstring Fold(std::wstring_view text) { return FoldForFinding(text); }

std::wstring_view AsView(std::u16string_view text) { return {reinterpret_cast<const wchar_t*>(text.data()), text.size()}; }

bool SameEntry(const GlossaryEntry& a, const GlossaryEntry& b) {
    return std::equal(std::begin(a.texts), std::end(a.texts), std::begin(b.texts));
}

}  // namespace


void GlossaryIndex::Refresh(int liveSlot) {
    for (int slot = 0; slot < kGroupSlotCount; ++slot) {
        if (slot != liveSlot) RefreshGroup(slot);
    }
}

void GlossaryIndex::RefreshGroup(int slot) {
    if (slot < 0 || slot >= kGroupSlotCount) return;
    Group& group = groups_[slot];
    const std::u16string_view name = appSettings.groupNames[slot];
    FileStamp stamp;
    const bool exists = GroupFileStamp(name, stamp);
    if (group.read && !group.fromRows && group.name == name && (exists ? stamp : FileStamp{}) == group.stamp) return;
    Group fresh;
    fresh.name = name;
    fresh.read = true;
    if (exists && ReadGroupFileEntries(name, fresh.entries) == GroupFileRead::Read) {
        fresh.stamp = stamp;
    } else if (exists) {
        fresh.unread = true;  // the stamp stays empty, so the next refresh tries again
    }
    fresh.folded = FoldedGroup(fresh.entries, Fold);
    group = std::move(fresh);
    ++version_;
}

void GlossaryIndex::UseRows(int slot, std::vector<GlossaryEntry> rows, std::vector<int64_t> keys) {
    if (slot < 0 || slot >= kGroupSlotCount) return;
    Group fresh;
    fresh.fromRows = true;
    fresh.read = true;
    fresh.entries = std::move(rows);
    if (keys.size() == fresh.entries.size()) fresh.keys = std::move(keys);
    Group& group = groups_[slot];
    const bool sameEntries = group.read && group.entries.size() == fresh.entries.size() &&
                             std::equal(group.entries.begin(), group.entries.end(), fresh.entries.begin(), SameEntry);
    if (sameEntries) {
        // Saved, or read again unchanged: the folded text stands.
        const bool sameKeys = group.keys == fresh.keys;
        group.fromRows = true;
        group.keys = std::move(fresh.keys);
        if (!sameKeys) ++version_;
        return;
    }
    fresh.folded = group.read ? FoldedGroup(group.folded, group.entries, fresh.entries, Fold)
                              : FoldedGroup(fresh.entries, Fold);
    group = std::move(fresh);
    ++version_;
}

bool GlossaryIndex::AdoptFileAsRows(int slot, uint64_t fingerprint, const std::vector<int64_t>& keys, std::size_t mostUnits) {
    if (slot < 0 || slot >= kGroupSlotCount) return false;
    Group& group = groups_[slot];
    if (!group.read || group.fromRows || group.unread || group.entries.size() != keys.size() || fingerprint == 0 ||
        FingerprintOfRows(group.entries, mostUnits) != fingerprint) {
        return false;
    }
    group.fromRows = true;
    group.keys = keys;
    // Until now an entry's key was its place; results that keep it must look again when that changes.
    for (std::size_t i = 0; i < keys.size(); ++i) {
        if (keys[i] != static_cast<int64_t>(i)) {
            ++version_;
            break;
        }
    }
    return true;
}

void GlossaryIndex::Forget(int slot) {
    if (slot < 0 || slot >= kGroupSlotCount) return;
    groups_[slot] = Group{};
    ++version_;
}

const std::vector<int64_t>* GlossaryIndex::RowKeys(int slot) const {
    if (slot < 0 || slot >= kGroupSlotCount || !groups_[slot].fromRows) return nullptr;
    return &groups_[slot].keys;
}

bool GlossaryIndex::FollowRows(int slot, const FollowedRows& followed, std::vector<GlossaryEntry> read) {
    if (slot < 0 || slot >= kGroupSlotCount || !groups_[slot].fromRows) return false;
    Group& group = groups_[slot];
    const std::size_t count = followed.from.size();
    if (followed.keys.size() != count || group.keys.size() != group.entries.size()) return false;
    // Every row before is used once at most, and every new row has its texts.
    std::vector<char> used(group.entries.size(), 0);
    std::size_t fresh = 0;
    bool moved = count != group.entries.size();
    for (std::size_t row = 0; row < count; ++row) {
        const int from = followed.from[row];
        if (from < 0) {
            ++fresh;
            continue;
        }
        if (static_cast<std::size_t>(from) >= used.size() || used[static_cast<std::size_t>(from)]) return false;
        used[static_cast<std::size_t>(from)] = 1;
        moved = moved || static_cast<std::size_t>(from) != row;
    }
    if (fresh != read.size()) return false;
    if (!moved && fresh == 0) {
        if (group.keys != followed.keys) {
            group.keys = followed.keys;
            ++version_;
        }
        return true;
    }
    // New sort keys for new texts, while the rows are still where they were read.
    std::vector<std::string> freshKeys[kEntryFieldCount];
    for (int field = 0; field < kEntryFieldCount; ++field) {
        std::vector<std::string>& keys = group.sortKeys[field];
        if (keys.size() != group.entries.size()) {
            keys.clear();
            continue;
        }
        for (const GlossaryEntry& entry : read) {
            freshKeys[field].push_back(LocaleSortKey(entry.texts[field]));
            if (freshKeys[field].back().empty() && !entry.texts[field].empty()) {
                keys.clear();
                break;
            }
        }
    }
    const bool keepsOrder = KeepsOrder(followed.from);
    if (keepsOrder) {
        // In place: a group of many entries is slow to allocate anew.
        MoveRowsInPlace(group.entries, followed.from, read);
        if (!group.folded.Follow(followed.from, group.entries, Fold)) group.folded = FoldedGroup(group.entries, Fold);
        for (int field = 0; field < kEntryFieldCount; ++field) {
            if (!group.sortKeys[field].empty()) MoveRowsInPlace(group.sortKeys[field], followed.from, freshKeys[field]);
        }
    } else {
        std::vector<GlossaryEntry> entries = MovedRows(group.entries, followed.from, read);
        group.folded = FoldedGroup(group.folded, followed.from, entries, Fold);
        for (int field = 0; field < kEntryFieldCount; ++field) {
            if (!group.sortKeys[field].empty()) group.sortKeys[field] = MovedRows(group.sortKeys[field], followed.from, freshKeys[field]);
        }
        group.entries = std::move(entries);
    }
    group.keys = followed.keys;
    // The orders of every entry follow too, so results sorted by a column are
    // not worked out afresh after each edit.
    std::vector<int> indexNow(used.size(), -1);
    std::vector<int> added;
    for (std::size_t row = 0; row < count; ++row) {
        const int from = followed.from[row];
        if (from < 0) {
            added.push_back(static_cast<int>(row));
        } else {
            indexNow[static_cast<std::size_t>(from)] = static_cast<int>(row);
        }
    }
    const uint64_t before = version_++;
    for (int column = 1; column <= kEntryFieldCount; ++column) {
        ColumnOrder& order = orders_[column];
        if (order.version != before) continue;
        order.version = keepsOrder && FollowOrder(order, slot, indexNow, added, column - 1) ? version_ : ~0ull;
    }
    return true;
}

bool GlossaryIndex::FollowOrder(ColumnOrder& order, int slot, const std::vector<int>& indexNow, const std::vector<int>& added,
                                int field) const {
    // Rows placed one by one; past a few, sorting everything again costs less.
    constexpr std::size_t kMostPlaced = 256;
    if (added.size() > kMostPlaced) return false;
    for (const Group& group : groups_) {
        if (group.sortKeys[field].size() != group.entries.size()) return false;
    }
    const auto Less = [&](const GlossaryMatch& a, const GlossaryMatch& b) { return KeyBefore(a, b, field); };
    // In place, as the rows were: a new order of every entry is slow to allocate.
    std::vector<GlossaryMatch>& byRank = order.byRank;
    std::size_t kept = 0;
    for (std::size_t i = 0; i < byRank.size(); ++i) {
        GlossaryMatch match = byRank[i];
        if (match.slot == slot) {
            if (match.index < 0 || static_cast<std::size_t>(match.index) >= indexNow.size()) return false;
            match.index = indexNow[static_cast<std::size_t>(match.index)];
            if (match.index < 0) continue;
        }
        byRank[kept++] = match;
    }
    byRank.resize(kept);
    for (int index : added) {
        const GlossaryMatch match{slot, index};
        byRank.insert(std::lower_bound(byRank.begin(), byRank.end(), match, Less), match);
    }
    if (byRank.size() != EntryCount()) return false;
    order.rank.resize(kGroupSlotCount);
    for (int s = 0; s < kGroupSlotCount; ++s) order.rank[s].resize(groups_[s].entries.size());
    for (std::size_t i = 0; i < byRank.size(); ++i) order.rank[byRank[i].slot][static_cast<std::size_t>(byRank[i].index)] = static_cast<int>(i);
    return true;
}

std::vector<int> GlossaryIndex::UnreadGroups() const {
    std::vector<int> slots;
    for (int slot = 0; slot < kGroupSlotCount; ++slot) {
        if (groups_[slot].unread) slots.push_back(slot);
    }
    return slots;
}

std::vector<GlossaryMatch> GlossaryIndex::Find(std::wstring_view text) const {
    std::vector<GlossaryMatch> matches;
    Find(text, matches);
    return matches;
}

void GlossaryIndex::Find(std::wstring_view text, std::vector<GlossaryMatch>& matches) const {
    matches.clear();
    const std::wstring query = FoldQuery(text, Fold);
    for (int slot = 0; slot < kGroupSlotCount; ++slot) {
        groups_[slot].folded.EachMatch(query, [&](int index) { matches.push_back({slot, index}); });
    }
}

std::vector<GlossaryMatch> GlossaryIndex::Narrow(std::vector<GlossaryMatch> matches, std::wstring_view text) const {
    NarrowInPlace(matches, text);
    return matches;
}

void GlossaryIndex::NarrowInPlace(std::vector<GlossaryMatch>& matches, std::wstring_view text) const {
    const std::wstring query = FoldQuery(text, Fold);
    std::erase_if(matches, [&](const GlossaryMatch& match) {
        return match.slot < 0 || match.slot >= kGroupSlotCount || match.index < 0 ||
               !groups_[match.slot].folded.EntryHolds(static_cast<std::size_t>(match.index), query);
    });
}

std::vector<GroupTermCount> GlossaryIndex::GroupsWithTerm(std::wstring_view term) const {
    const std::wstring folded = FoldQuery(term, Fold);
    std::vector<GroupTermCount> found;
    if (folded.empty()) return found;
    for (int slot = 0; slot < kGroupSlotCount; ++slot) {
        const int count = groups_[slot].folded.CountTerm(folded);
        if (count > 0) found.push_back({slot, count});
    }
    return found;
}

const GlossaryEntry* GlossaryIndex::Entry(const GlossaryMatch& match) const {
    if (match.slot < 0 || match.slot >= kGroupSlotCount || match.index < 0) return nullptr;
    const Group& group = groups_[match.slot];
    if (static_cast<std::size_t>(match.index) >= group.entries.size()) return nullptr;
    return &group.entries[static_cast<std::size_t>(match.index)];
}

int64_t GlossaryIndex::Key(const GlossaryMatch& match) const {
    if (!Entry(match)) return -1;
    const Group& group = groups_[match.slot];
    return group.keys.empty() ? match.index : group.keys[static_cast<std::size_t>(match.index)];
}

std::size_t GlossaryIndex::EntryCount() const {
    std::size_t count = 0;
    for (const Group& group : groups_) count += group.entries.size();
    return count;
}

EntryIdentity GlossaryIndex::Identify(const GlossaryMatch& match) const {
    EntryIdentity identity;
    const GlossaryEntry* entry = Entry(match);
    if (!entry) return identity;
    identity.slot = match.slot;
    identity.entry = *entry;
    const std::vector<GlossaryEntry>& entries = groups_[match.slot].entries;
    identity.occurrence = static_cast<int>(
        std::count_if(entries.begin(), entries.begin() + match.index, [&](const GlossaryEntry& e) { return SameEntry(e, *entry); }));
    return identity;
}

bool GlossaryIndex::Locate(const EntryIdentity& identity, GlossaryMatch& match) const {
    if (identity.slot < 0 || identity.slot >= kGroupSlotCount) return false;
    const std::vector<GlossaryEntry>& entries = groups_[identity.slot].entries;
    int seen = 0;
    for (std::size_t i = 0; i < entries.size(); ++i) {
        if (!SameEntry(entries[i], identity.entry)) continue;
        if (seen++ == identity.occurrence) {
            match = {identity.slot, static_cast<int>(i)};
            return true;
        }
    }
    return false;
}

const GlossaryIndex::ColumnOrder& GlossaryIndex::Order(int column) const {
    ColumnOrder& order = orders_[column];
    if (column != 0 && order.version == version_) return order;
    std::vector<GlossaryMatch> all;
    all.reserve(EntryCount());
    if (column == 0) {
        // By the groups' names as they are now (sixty-four of them), then in stored order.
        int slots[kGroupSlotCount];
        std::iota(std::begin(slots), std::end(slots), 0);
        std::stable_sort(std::begin(slots), std::end(slots), [](int a, int b) {
            return CompareInLocaleOrder(AsView(appSettings.groupNames[a]), AsView(appSettings.groupNames[b])) < 0;
        });
        for (int slot : slots) {
            for (int i = 0; i < static_cast<int>(groups_[slot].entries.size()); ++i) all.push_back({slot, i});
        }
    } else {
        for (int slot = 0; slot < kGroupSlotCount; ++slot) {
            for (int i = 0; i < static_cast<int>(groups_[slot].entries.size()); ++i) all.push_back({slot, i});
        }
        SortByText(all, column - 1);
    }
    order.rank.assign(kGroupSlotCount, {});
    for (int slot = 0; slot < kGroupSlotCount; ++slot) order.rank[slot].resize(groups_[slot].entries.size());
    for (std::size_t i = 0; i < all.size(); ++i) order.rank[all[i].slot][static_cast<std::size_t>(all[i].index)] = static_cast<int>(i);
    order.byRank = std::move(all);
    order.version = version_;
    return order;
}

bool GlossaryIndex::KeyBefore(const GlossaryMatch& a, const GlossaryMatch& b, int field) const {
    const int c = groups_[a.slot].sortKeys[field][static_cast<std::size_t>(a.index)].compare(
        groups_[b.slot].sortKeys[field][static_cast<std::size_t>(b.index)]);
    if (c != 0) return c < 0;
    return a.slot != b.slot ? a.slot < b.slot : a.index < b.index;  // ties in stored order
}

void GlossaryIndex::SortByText(std::vector<GlossaryMatch>& all, int field) const {
    const auto Text = [&](const GlossaryMatch& m) -> std::wstring_view {
        return groups_[m.slot].entries[static_cast<std::size_t>(m.index)].texts[field];
    };
    const auto Before = [](const GlossaryMatch& a, const GlossaryMatch& b) {
        return a.slot != b.slot ? a.slot < b.slot : a.index < b.index;
    };
    // A key for each text, made once while its group stays as it is;
    // comparing two keys is then a memcmp.
    bool keysMade = true;
    for (int slot = 0; slot < kGroupSlotCount && keysMade; ++slot) {
        const Group& group = groups_[slot];
        std::vector<std::string>& keys = group.sortKeys[field];
        if (keys.size() == group.entries.size()) continue;
        keys.assign(group.entries.size(), {});
        for (std::size_t i = 0; i < keys.size() && keysMade; ++i) {
            keys[i] = LocaleSortKey(group.entries[i].texts[field]);
            keysMade = !keys[i].empty() || group.entries[i].texts[field].empty();
        }
        if (!keysMade) keys.clear();
    }
    if (keysMade) {
        std::sort(all.begin(), all.end(), [&](const GlossaryMatch& a, const GlossaryMatch& b) { return KeyBefore(a, b, field); });
    } else {
        std::sort(all.begin(), all.end(), [&](const GlossaryMatch& a, const GlossaryMatch& b) {
            const int c = CompareInLocaleOrder(Text(a), Text(b));
            return c != 0 ? c < 0 : Before(a, b);
        });
    }
}

void GlossaryIndex::Sort(std::vector<GlossaryMatch>& matches, int column, bool descending) const {
    if (column < 0 || column > kEntryFieldCount) return;
    const ColumnOrder& order = Order(column);
    // Kept from sort to sort: buffers the size of the glossary are slow to allocate anew.
    std::vector<int>& ranks = sortRanks_;
    ranks.clear();
    for (const GlossaryMatch& match : matches) {
        if (Entry(match)) ranks.push_back(order.rank[match.slot][static_cast<std::size_t>(match.index)]);
    }
    if (ranks.size() * 16 < order.byRank.size()) {
        std::sort(ranks.begin(), ranks.end());
    } else {
        // Many matches: marking them in the order of every entry beats sorting them.
        std::vector<char>& matched = sortMarks_;
        matched.assign(order.byRank.size(), 0);
        for (int r : ranks) matched[static_cast<std::size_t>(r)] = 1;
        ranks.clear();
        for (std::size_t r = 0; r < matched.size(); ++r) {
            if (matched[r]) ranks.push_back(static_cast<int>(r));
        }
    }
    if (descending) std::reverse(ranks.begin(), ranks.end());
    matches.clear();
    for (int r : ranks) matches.push_back(order.byRank[static_cast<std::size_t>(r)]);
}
