#pragma once
// The exchange sort of the caterpillar layout, with its exact order among equal keys.
//
// For each i and each j > i, entries i and j are exchanged when entry j's key is smaller
// than entry i's. Equal keys do not keep their order, and leaves that share a track get
// their columns in the order this sort leaves them, so a faster sort must reproduce the
// same permutation: distinct keys are simply sorted; with ties only the exchanges that
// actually happen are replayed, each found with a tree of minima instead of a scan.

#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <numeric>
#include <utility>
#include <vector>

namespace exchange_sort_detail {

// Minimum rank per subtree over positions; finds the first position at or after `from`
// whose rank is below a bound.
class MinTree {
public:
    explicit MinTree(const std::vector<std::uint32_t>& ranks) {
        while (m_size < ranks.size()) m_size *= 2;
        m_min.assign(2 * m_size, UINT32_MAX);
        std::copy(ranks.begin(), ranks.end(), m_min.begin() + static_cast<std::ptrdiff_t>(m_size));
        for (std::size_t i = m_size - 1; i >= 1; --i) m_min[i] = std::min(m_min[2 * i], m_min[2 * i + 1]);
    }
    void Set(std::size_t pos, std::uint32_t rank) {
        std::size_t i = pos + m_size;
        m_min[i] = rank;
        for (i /= 2; i >= 1; i /= 2) m_min[i] = std::min(m_min[2 * i], m_min[2 * i + 1]);
    }
    // The first position >= from with a rank below `bound`, or SIZE_MAX.
    std::size_t FirstBelow(std::size_t from, std::uint32_t bound) const {
        if (from >= m_size) return SIZE_MAX;
        std::size_t i = from + m_size;
        for (;;) {
            if (m_min[i] < bound) {
                while (i < m_size) i = m_min[2 * i] < bound ? 2 * i : 2 * i + 1;
                return i - m_size;
            }
            // On to the subtree just right of everything looked at so far.
            while (i & 1) i >>= 1;
            if (i == 0) return SIZE_MAX;
            ++i;
        }
    }

private:
    std::size_t m_size = 1;
    std::vector<std::uint32_t> m_min;
};

} // namespace exchange_sort_detail

// Sorts items by keys (keys[i] belongs to items[i]) exactly as the exchange sort above
// would. Key needs operator<.
template <class T, class Key>
void ExchangeSortByKey(std::vector<T>& items, const std::vector<Key>& keys) {
    const std::size_t n = items.size();
    if (n < 2) return;

    std::vector<std::size_t> order(n);
    std::iota(order.begin(), order.end(), std::size_t{0});
    std::sort(order.begin(), order.end(), [&](std::size_t a, std::size_t b) { return keys[a] < keys[b]; });
    std::vector<std::uint32_t> rank(n);
    bool ties = false;
    std::uint32_t r = 0;
    for (std::size_t i = 0; i < n; ++i) {
        if (i > 0 && keys[order[i - 1]] < keys[order[i]]) ++r;
        else if (i > 0) ties = true;
        rank[order[i]] = r;
    }

    if (!ties) {
        std::vector<T> sorted;
        sorted.reserve(n);
        for (std::size_t i : order) sorted.push_back(std::move(items[i]));
        items = std::move(sorted);
        return;
    }

    exchange_sort_detail::MinTree tree(rank);
    for (std::size_t i = 0; i + 1 < n; ++i) {
        // Entry i is exchanged with each later entry that beats what entry i holds by then.
        std::size_t p = i;
        while ((p = tree.FirstBelow(p + 1, rank[i])) != SIZE_MAX) {
            std::swap(items[i], items[p]);
            std::swap(rank[i], rank[p]);
            tree.Set(p, rank[p]);
            tree.Set(i, rank[i]);
        }
    }
}
