#include "editor/word_order.h"

#include <algorithm>
#include <numeric>

int CompareTermsOrdinal(std::u16string_view a, std::u16string_view b) {
    const std::size_t n = std::min({a.size(), b.size(), kComparedTermUnits});
    for (std::size_t i = 0; i < n; ++i) {
        if (a[i] != b[i]) return a[i] < b[i] ? -1 : 1;
    }
    const std::size_t lengthA = std::min(a.size(), kComparedTermUnits);
    const std::size_t lengthB = std::min(b.size(), kComparedTermUnits);
    if (lengthA == lengthB) return 0;
    return lengthA < lengthB ? -1 : 1;
}

std::vector<int> RankRows(const std::vector<WordListRow>& rows, int sortState) {
    std::vector<int> order(rows.size());
    std::iota(order.begin(), order.end(), 0);
    switch (sortState) {
    case 0:
        std::stable_sort(order.begin(), order.end(), [&](int a, int b) { return rows[a].key < rows[b].key; });
        break;
    case 1:
        std::stable_sort(order.begin(), order.end(),
                         [&](int a, int b) { return CompareTermsOrdinal(rows[a].term, rows[b].term) < 0; });
        break;
    case 2:
        std::stable_sort(order.begin(), order.end(),
                         [&](int a, int b) { return CompareTermsOrdinal(rows[a].term, rows[b].term) > 0; });
        break;
    default:
        break;
    }
    std::vector<int> rank(rows.size());
    for (std::size_t position = 0; position < order.size(); ++position) rank[order[position]] = static_cast<int>(position);
    return rank;
}

std::vector<int64_t> CompactKeys(const std::vector<int64_t>& keys) {
    std::vector<int> order(keys.size());
    std::iota(order.begin(), order.end(), 0);
    std::stable_sort(order.begin(), order.end(), [&](int a, int b) { return keys[a] < keys[b]; });
    std::vector<int64_t> compacted(keys.size());
    for (std::size_t i = 0; i < order.size(); ++i) compacted[order[i]] = static_cast<int64_t>(i);
    return compacted;
}
