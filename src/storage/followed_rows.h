#pragma once
// Where the rows of a list stand after a run of changes, worked out from
// where they stood before, so that what was made from the rows (folded text,
// sort keys) is kept for every row that only moved. Portable: no Windows headers.
#include <cstddef>
#include <cstdint>
#include <vector>

#include "storage/group_file.h"

struct RowChange {
    enum class Kind : uint8_t { Text, Inserted, Deleted, Key, Sorted };
    Kind kind;
    int row;      // where the change was made, in the rows as they stood then
    int64_t key;  // the key of an inserted row, or a row's new key
};

struct FollowedRows {
    // For each row now: the row it was before, or -1 when its texts are new and must be read.
    std::vector<int> from;
    std::vector<int64_t> keys;  // each row's key now
};

// False when the changes cannot be followed (a row out of range, or rows
// added, deleted or given keys after a sort): then every row must be read.
// A sort is followed through the keys: keysNow are the rows' keys as they
// stand after every change, needed only when the changes hold a sort.
bool FollowRowChanges(const std::vector<int64_t>& keysBefore, const std::vector<RowChange>& changes,
                      const std::vector<int64_t>& keysNow, FollowedRows& followed);

bool HoldsSort(const std::vector<RowChange>& changes);

// Tells whether a list filled with some entries holds what other entries
// hold, without reading the list: equal fingerprints, equal entries. Zero
// (matching nothing) when a text would not come back whole from a list cell
// of mostUnits units (too long, or holding a NUL).
uint64_t FingerprintOfRows(const std::vector<GlossaryEntry>& entries, std::size_t mostUnits);

// Whether the rows kept stand in the order they stood before (nothing sorted).
bool KeepsOrder(const std::vector<int>& from);

// The rows in their new order, as a new list: for `from` in any order
// (a sort), where moving in place cannot serve. Uses no row twice.
template <typename T>
std::vector<T> MovedRows(std::vector<T>& items, const std::vector<int>& from, std::vector<T>& fresh) {
    std::vector<T> moved(from.size());
    for (std::size_t i = 0, next = 0; i < from.size(); ++i) {
        moved[i] = std::move(from[i] < 0 ? fresh[next++] : items[static_cast<std::size_t>(from[i])]);
    }
    return moved;
}

// Makes items[i] what items[from[i]] was, or, where from[i] is -1, the next
// of fresh, without a second copy of the list: a large list is slow to
// allocate anew. With the kept rows in their order, rows moving left go left
// to right and rows moving right go right to left, so neither overwrites a
// row still to move. For `from` that KeepsOrder and uses no row twice.
template <typename T>
void MoveRowsInPlace(std::vector<T>& items, const std::vector<int>& from, std::vector<T>& fresh) {
    const std::size_t count = from.size();
    if (items.capacity() < count) items.reserve(count + count / 8 + 16);  // room for the next few rows too
    if (items.size() < count) items.resize(count);
    for (std::size_t i = 0; i < count; ++i) {
        const int source = from[i];
        if (source >= 0 && static_cast<std::size_t>(source) > i) items[i] = std::move(items[static_cast<std::size_t>(source)]);
    }
    for (std::size_t i = count; i-- > 0;) {
        const int source = from[i];
        if (source >= 0 && static_cast<std::size_t>(source) < i) items[i] = std::move(items[static_cast<std::size_t>(source)]);
    }
    std::size_t next = 0;
    for (std::size_t i = 0; i < count && next < fresh.size(); ++i) {
        if (from[i] < 0) items[i] = std::move(fresh[next++]);
    }
    items.resize(count);
}
