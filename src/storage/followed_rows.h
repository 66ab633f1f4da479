#pragma once
// Where the rows of a list stand after a run of changes, worked out from
// where they stood before, so that what was made from the rows (folded text,
// sort keys) is kept for every row that only moved. Portable: no Windows headers.
#include <cstddef>
#include <cstdint>
#include <vector>

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
