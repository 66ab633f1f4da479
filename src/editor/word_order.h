#pragma once
// The orders the word list can show: stored order by order key, or by term
// ascending or descending. Portable: no Windows headers.
#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

// Only the first 255 units of a term take part in sorting.
inline constexpr std::size_t kComparedTermUnits = 255;

// Ordinal comparison of the first 255 units as unsigned 16-bit values; a
// prefix comes first. Returns -1, 0 or 1.
int CompareTermsOrdinal(std::u16string_view a, std::u16string_view b);

struct WordListRow {
    int64_t key;
    std::u16string_view term;  // held by the caller
};

// For each row, in its current place, its position in the order of the sort
// state (0 stored order, 1 ascending, 2 descending). Rows that compare equal
// keep their current relative order; any other state keeps the current order.
std::vector<int> RankRows(const std::vector<WordListRow>& rows, int sortState);

// Keys 0..n-1 in the relative order of the given keys (ties by position), so
// every row has a key of its own and stored order stays well defined.
std::vector<int64_t> CompactKeys(const std::vector<int64_t>& keys);
