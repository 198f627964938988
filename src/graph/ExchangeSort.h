#pragma once
// The exchange sort of the level code: for each i, for each j > i, exchange entries i and
// j when entry i is greater than entry j.
//
// Its order among equal entries decides where the level drawings put vertices, so that
// order is reproduced exactly. Pass i only ever exchanges a[i] with the chain of strictly
// smaller records that follow it; a tree of range minima finds each next record directly,
// so the sort costs O((n + exchanges) log n) instead of always comparing all pairs. Inputs
// that would make the chains long fall back to the plain double loop, which gives the same
// result by definition.

#include <algorithm>
#include <cstddef>
#include <utility>
#include <vector>

namespace level_detail {

// The plain double loop from pass `first` on.
template <typename T, typename Greater>
void ExchangeSortPlain(std::vector<T>& a, Greater& greater, std::size_t first) {
    const std::size_t n = a.size();
    for (std::size_t i = first; i < n; ++i)
        for (std::size_t j = i + 1; j < n; ++j)
            if (greater(a[i], a[j])) std::swap(a[i], a[j]);
}

} // namespace level_detail

// `greater` must be a strict weak order ("a comes after b").
template <typename T, typename Greater>
void ExchangeSort(std::vector<T>& a, Greater greater) {
    const std::size_t n = a.size();
    if (n < 48) {
        level_detail::ExchangeSortPlain(a, greater, 0);
        return;
    }

    // tree[k] holds the position of a smallest entry below node k, or -1 for an empty subtree.
    std::size_t size = 1;
    while (size < n) size <<= 1;
    std::vector<long> tree(2 * size, -1);
    auto smaller = [&](long p, long q) -> long {
        if (p < 0) return q;
        if (q < 0) return p;
        return greater(a[p], a[q]) ? q : p;
    };
    for (std::size_t j = 0; j < n; ++j) tree[size + j] = static_cast<long>(j);
    for (std::size_t k = size - 1; k >= 1; --k) tree[k] = smaller(tree[2 * k], tree[2 * k + 1]);
    auto update = [&](std::size_t pos) {
        for (std::size_t k = (size + pos) >> 1; k >= 1; k >>= 1) tree[k] = smaller(tree[2 * k], tree[2 * k + 1]);
    };
    // Is some entry below node k strictly smaller than v?
    auto below = [&](std::size_t k, const T& v) { return tree[k] >= 0 && greater(v, a[tree[k]]); };
    // The first position >= from whose entry is strictly smaller than v, or n.
    auto firstSmaller = [&](std::size_t from, const T& v) -> std::size_t {
        if (from >= n) return n;
        std::size_t k = size + from;
        while (!below(k, v)) {
            while (k & 1) k >>= 1; // climb while k is a right child
            if (k == 0) return n;
            ++k;                   // the right sibling covers the next positions
        }
        while (k < size) k = below(2 * k, v) ? 2 * k : 2 * k + 1;
        return k - size;
    };

    // Beyond this many exchanges (each costs a walk down the tree) the double loop is the
    // cheaper way to finish.
    std::size_t depth = 1;
    while ((std::size_t{1} << depth) < n) ++depth;
    const std::size_t budget = std::max(32 * n, n * n / (4 * depth));
    std::size_t exchanges = 0;
    std::vector<std::size_t> chain;
    for (std::size_t i = 0; i + 1 < n; ++i) {
        chain.clear();
        std::size_t p = i;
        for (std::size_t j = firstSmaller(p + 1, a[p]); j < n; j = firstSmaller(p + 1, a[p])) {
            chain.push_back(j);
            p = j;
        }
        if (chain.empty()) continue;
        // a[i] takes the last record; every record position takes the record before it.
        T carried = std::move(a[i]);
        for (std::size_t pos : chain) std::swap(carried, a[pos]);
        a[i] = std::move(carried);
        for (std::size_t pos : chain) update(pos);
        update(i);
        exchanges += chain.size();
        if (exchanges > budget) {
            level_detail::ExchangeSortPlain(a, greater, i + 1);
            return;
        }
    }
}
