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
        if (slot == liveSlot) continue;
        Group& group = groups_[slot];
        const std::u16string_view name = appSettings.groupNames[slot];
        FileStamp stamp;
        const bool exists = GroupFileStamp(name, stamp);
        if (group.read && !group.fromRows && group.name == name && (exists ? stamp : FileStamp{}) == group.stamp) {
            continue;
        }
        Group fresh;
        fresh.name = name;
        fresh.read = true;
        if (exists && ReadGroupFileEntries(name, fresh.entries)) {
            fresh.stamp = stamp;
        } else if (exists) {
            fresh.unread = true;  // the stamp stays empty, so the next refresh tries again
        }
        fresh.folded = FoldedGroup(fresh.entries, Fold);
        group = std::move(fresh);
        ++version_;
    }
}

void GlossaryIndex::UseRows(int slot, std::vector<GlossaryEntry> rows, std::vector<int64_t> keys) {
    // Held in stored order, so sorting the list shows no change here.
    std::vector<std::size_t> order(rows.size());
    std::iota(order.begin(), order.end(), std::size_t{0});
    if (keys.size() == rows.size()) {
        std::stable_sort(order.begin(), order.end(), [&](std::size_t a, std::size_t b) { return keys[a] < keys[b]; });
    } else {
        keys.clear();
    }
    Group fresh;
    fresh.fromRows = true;
    fresh.read = true;
    fresh.entries.reserve(rows.size());
    for (std::size_t i : order) fresh.entries.push_back(std::move(rows[i]));
    if (!keys.empty()) {
        fresh.keys.reserve(keys.size());
        for (std::size_t i : order) fresh.keys.push_back(keys[i]);
    }
    Group& group = groups_[slot];
    const bool sameEntries = group.read && group.entries.size() == fresh.entries.size() &&
                             std::equal(group.entries.begin(), group.entries.end(), fresh.entries.begin(), SameEntry);
    if (sameEntries) {
        // Saved, sorted, or read again unchanged: the folded text stands.
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

bool GlossaryIndex::ReplaceRows(int slot, const std::vector<std::pair<int64_t, GlossaryEntry>>& rows) {
    if (slot < 0 || slot >= kGroupSlotCount || !groups_[slot].fromRows) return false;
    Group& group = groups_[slot];
    std::vector<std::size_t> places;
    for (const auto& [key, entry] : rows) {
        std::size_t place = static_cast<std::size_t>(key);
        if (!group.keys.empty()) {
            const auto found = std::find(group.keys.begin(), group.keys.end(), key);
            place = static_cast<std::size_t>(found - group.keys.begin());
        }
        if (key < 0 || place >= group.entries.size()) return false;
        places.push_back(place);
    }
    for (std::size_t i = 0; i < rows.size(); ++i) {
        if (SameEntry(group.entries[places[i]], rows[i].second)) continue;
        group.entries[places[i]] = rows[i].second;
        group.folded.Replace(places[i], rows[i].second, Fold);
        for (int column = 0; column < kEntryFieldCount; ++column) {
            std::vector<std::string>& keys = group.sortKeys[column];
            if (keys.size() == group.entries.size()) keys[places[i]] = LocaleSortKey(rows[i].second.texts[column]);
        }
        ++version_;
    }
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
    const std::wstring query = FoldQuery(text, Fold);
    std::vector<GlossaryMatch> matches;
    if (query.empty()) return matches;
    for (int slot = 0; slot < kGroupSlotCount; ++slot) {
        for (int index : groups_[slot].folded.Find(query)) matches.push_back({slot, index});
    }
    return matches;
}

std::vector<GlossaryMatch> GlossaryIndex::Narrow(const std::vector<GlossaryMatch>& matches, std::wstring_view text) const {
    const std::wstring query = FoldQuery(text, Fold);
    std::vector<GlossaryMatch> narrowed;
    if (query.empty()) return narrowed;
    for (const GlossaryMatch& match : matches) {
        if (match.slot < 0 || match.slot >= kGroupSlotCount || match.index < 0) continue;
        if (groups_[match.slot].folded.EntryHolds(static_cast<std::size_t>(match.index), query)) narrowed.push_back(match);
    }
    return narrowed;
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

const std::vector<std::vector<int>>& GlossaryIndex::Ranks(int column) const {
    ColumnOrder& order = orders_[column];
    if (column == 0) {
        // By the groups' names as they are now (sixty-four of them), then in stored order.
        int slots[kGroupSlotCount];
        std::iota(std::begin(slots), std::end(slots), 0);
        std::stable_sort(std::begin(slots), std::end(slots), [](int a, int b) {
            return CompareInLocaleOrder(AsView(appSettings.groupNames[a]), AsView(appSettings.groupNames[b])) < 0;
        });
        order.rank.assign(kGroupSlotCount, {});
        int next = 0;
        for (int slot : slots) {
            std::vector<int>& rank = order.rank[slot];
            rank.resize(groups_[slot].entries.size());
            std::iota(rank.begin(), rank.end(), next);
            next += static_cast<int>(rank.size());
        }
        return order.rank;
    }
    if (order.version == version_) return order.rank;
    std::vector<GlossaryMatch> all;
    all.reserve(EntryCount());
    for (int slot = 0; slot < kGroupSlotCount; ++slot) {
        for (int i = 0; i < static_cast<int>(groups_[slot].entries.size()); ++i) all.push_back({slot, i});
    }
    const auto Text = [&](const GlossaryMatch& m) -> std::wstring_view {
        return groups_[m.slot].entries[static_cast<std::size_t>(m.index)].texts[column - 1];
    };
    const auto Before = [](const GlossaryMatch& a, const GlossaryMatch& b) {
        return a.slot != b.slot ? a.slot < b.slot : a.index < b.index;
    };
    {
        // A key for each text, made once while its group stays as it is;
        // comparing two keys is then a memcmp.
        bool keysMade = true;
        for (int slot = 0; slot < kGroupSlotCount && keysMade; ++slot) {
            const Group& group = groups_[slot];
            std::vector<std::string>& keys = group.sortKeys[column - 1];
            if (keys.size() == group.entries.size()) continue;
            keys.assign(group.entries.size(), {});
            for (std::size_t i = 0; i < keys.size() && keysMade; ++i) {
                keys[i] = LocaleSortKey(group.entries[i].texts[column - 1]);
                keysMade = !keys[i].empty() || group.entries[i].texts[column - 1].empty();
            }
            if (!keysMade) keys.clear();
        }
        const auto Key = [&](std::size_t i) -> const std::string& {
            return groups_[all[i].slot].sortKeys[column - 1][static_cast<std::size_t>(all[i].index)];
        };
        std::vector<std::size_t> positions(all.size());
        std::iota(positions.begin(), positions.end(), std::size_t{0});
        if (keysMade) {
            std::sort(positions.begin(), positions.end(), [&](std::size_t a, std::size_t b) {
                const int c = Key(a).compare(Key(b));
                return c != 0 ? c < 0 : Before(all[a], all[b]);
            });
        } else {
            std::sort(positions.begin(), positions.end(), [&](std::size_t a, std::size_t b) {
                const int c = CompareInLocaleOrder(Text(all[a]), Text(all[b]));
                return c != 0 ? c < 0 : Before(all[a], all[b]);
            });
        }
        std::vector<GlossaryMatch> sorted(all.size());
        for (std::size_t i = 0; i < positions.size(); ++i) sorted[i] = all[positions[i]];
        all = std::move(sorted);
    }
    order.rank.assign(kGroupSlotCount, {});
    for (int slot = 0; slot < kGroupSlotCount; ++slot) order.rank[slot].resize(groups_[slot].entries.size());
    for (std::size_t i = 0; i < all.size(); ++i) order.rank[all[i].slot][static_cast<std::size_t>(all[i].index)] = static_cast<int>(i);
    order.version = version_;
    return order.rank;
}

void GlossaryIndex::Sort(std::vector<GlossaryMatch>& matches, int column, bool descending) const {
    if (column < 0 || column > kEntryFieldCount) return;
    const std::vector<std::vector<int>>& rank = Ranks(column);
    std::vector<std::pair<int, GlossaryMatch>> ranked;
    ranked.reserve(matches.size());
    for (const GlossaryMatch& match : matches) {
        if (!Entry(match)) continue;
        const int r = rank[match.slot][static_cast<std::size_t>(match.index)];
        ranked.push_back({descending ? -r : r, match});
    }
    std::sort(ranked.begin(), ranked.end(), [](const auto& a, const auto& b) { return a.first < b.first; });
    matches.clear();
    for (const auto& item : ranked) matches.push_back(item.second);
}
