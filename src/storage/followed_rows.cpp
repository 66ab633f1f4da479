#include "storage/followed_rows.h"

#include <algorithm>
#include <unordered_map>

#include "storage/keyed_hash.h"

namespace {

bool InRange(int row, std::size_t count) { return row >= 0 && static_cast<std::size_t>(row) < count; }

// The rows after a sort, matched with the rows before it by key; false when
// a key is not one row's alone (a sort could then have swapped them unseen).
bool FollowSort(FollowedRows& rows, const std::vector<int64_t>& keysNow) {
    if (keysNow.size() != rows.from.size()) return false;
    std::unordered_map<int64_t, int> rowOfKey;
    rowOfKey.reserve(rows.keys.size());
    for (std::size_t row = 0; row < rows.keys.size(); ++row) {
        if (!rowOfKey.emplace(rows.keys[row], static_cast<int>(row)).second) return false;
    }
    std::vector<int> from(rows.from.size());
    for (std::size_t row = 0; row < keysNow.size(); ++row) {
        const auto found = rowOfKey.find(keysNow[row]);
        if (found == rowOfKey.end()) return false;
        from[row] = rows.from[static_cast<std::size_t>(found->second)];
        rowOfKey.erase(found);
    }
    rows.from = std::move(from);
    rows.keys = keysNow;
    return true;
}

}  // namespace

uint64_t FingerprintOfRows(const std::vector<GlossaryEntry>& entries, std::size_t mostUnits) {
    // Keyed afresh each run: a file made to collide with a list cannot be, so
    // equal fingerprints mean equal rows.
    KeyedHash hash(RunHashKey());
    hash.AddNumber(entries.size());
    for (const GlossaryEntry& entry : entries) {
        for (const std::wstring& text : entry.texts) {
            if (text.size() >= mostUnits || text.find(L'\0') != std::wstring::npos) return 0;
            // Each text's length first, so no two entries sharing their letters differently look alike.
            hash.AddNumber(text.size());
            hash.Add({reinterpret_cast<const char*>(text.data()), text.size() * sizeof(wchar_t)});
        }
    }
    const uint64_t fingerprint = hash.Finish();
    return fingerprint == 0 ? 1 : fingerprint;
}

bool KeepsOrder(const std::vector<int>& from) {
    int last = -1;
    for (int source : from) {
        if (source < 0) continue;
        if (source <= last) return false;
        last = source;
    }
    return true;
}

bool HoldsSort(const std::vector<RowChange>& changes) {
    return std::any_of(changes.begin(), changes.end(), [](const RowChange& c) { return c.kind == RowChange::Kind::Sorted; });
}

bool FollowRowChanges(const std::vector<int64_t>& keysBefore, const std::vector<RowChange>& changes,
                      const std::vector<int64_t>& keysNow, FollowedRows& followed) {
    FollowedRows rows;
    rows.keys = keysBefore;
    rows.from.resize(keysBefore.size());
    for (std::size_t row = 0; row < rows.from.size(); ++row) rows.from[row] = static_cast<int>(row);
    // Only the last sort is followed, through the keys as they are now. Rows
    // added, deleted or renumbered after a sort, or texts changed between two
    // sorts, stand where nothing here can say.
    std::size_t lastSort = changes.size();
    for (std::size_t i = 0; i < changes.size(); ++i) {
        if (changes[i].kind == RowChange::Kind::Sorted) lastSort = i;
    }
    bool sortSeen = false;
    for (std::size_t i = 0; i < changes.size(); ++i) {
        const RowChange& change = changes[i];
        const std::size_t count = rows.from.size();
        switch (change.kind) {
        case RowChange::Kind::Text:
            if ((sortSeen && i < lastSort) || !InRange(change.row, count)) return false;
            rows.from[static_cast<std::size_t>(change.row)] = -1;
            break;
        case RowChange::Kind::Inserted:
            if (sortSeen || change.row < 0 || static_cast<std::size_t>(change.row) > count) return false;
            rows.from.insert(rows.from.begin() + change.row, -1);
            rows.keys.insert(rows.keys.begin() + change.row, change.key);
            break;
        case RowChange::Kind::Deleted:
            if (sortSeen || !InRange(change.row, count)) return false;
            rows.from.erase(rows.from.begin() + change.row);
            rows.keys.erase(rows.keys.begin() + change.row);
            break;
        case RowChange::Kind::Key:
            if (sortSeen || !InRange(change.row, count)) return false;
            rows.keys[static_cast<std::size_t>(change.row)] = change.key;
            break;
        case RowChange::Kind::Sorted:
            sortSeen = true;
            if (i == lastSort && !FollowSort(rows, keysNow)) return false;
            break;
        }
    }
    followed = std::move(rows);
    return true;
}
