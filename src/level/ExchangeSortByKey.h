#pragma once
// The exchange sort (see graph/ExchangeSort.h) for integer keys with few distinct values,
// such as the tracks of a level graph's vertices. Pass i carries a[i] along the chain of
// records after it, each strictly smaller than the one before: the first position holding
// a key below the carried one. With the positions of each key in a heap and the heads of
// the heaps in a tree over the keys, each record is found without looking at the entries
// in between, nor at the entries themselves: the result is the exchange sort's, entry for
// entry, in O((n + exchanges) log n) where the exchanges are at most n times the number of
// distinct keys.

#include <algorithm>
#include <cstdint>
#include <functional>
#include <limits>
#include <queue>
#include <vector>

template <typename T, typename KeyOf>
void ExchangeSortByKey(std::vector<T>& a, KeyOf keyOf) {
    const int n = static_cast<int>(a.size());
    std::vector<std::int64_t> distinct(a.size());
    for (int p = 0; p < n; ++p) distinct[p] = keyOf(a[p]);
    std::sort(distinct.begin(), distinct.end());
    distinct.erase(std::unique(distinct.begin(), distinct.end()), distinct.end());
    const int keys = static_cast<int>(distinct.size());
    std::vector<int> keyAt(a.size());
    using MinHeap = std::priority_queue<int, std::vector<int>, std::greater<>>;
    std::vector<MinHeap> at(keys); // positions not yet final, by key
    for (int p = 0; p < n; ++p) {
        keyAt[p] = static_cast<int>(std::lower_bound(distinct.begin(), distinct.end(), keyOf(a[p])) - distinct.begin());
        at[keyAt[p]].push(p);
    }

    // head[size + k]: the first position of key k; inner nodes the least below them.
    constexpr int kNone = std::numeric_limits<int>::max();
    int size = 1;
    while (size < keys) size <<= 1;
    std::vector<int> head(2 * size, kNone);
    auto refresh = [&](int k) {
        int node = size + k;
        head[node] = at[k].empty() ? kNone : at[k].top();
        for (node >>= 1; node >= 1; node >>= 1) head[node] = std::min(head[2 * node], head[2 * node + 1]);
    };
    for (int k = 0; k < keys; ++k) head[size + k] = at[k].empty() ? kNone : at[k].top();
    for (int node = size - 1; node >= 1; --node) head[node] = std::min(head[2 * node], head[2 * node + 1]);
    // The first position holding a key below k.
    auto firstBelow = [&](int k) {
        int best = kNone;
        for (int lo = size, hi = size + k; lo < hi; lo >>= 1, hi >>= 1) {
            if (lo & 1) best = std::min(best, head[lo++]);
            if (hi & 1) best = std::min(best, head[--hi]);
        }
        return best;
    };

    for (int i = 0; i < n; ++i) {
        int carriedKey = keyAt[i];
        at[carriedKey].pop(); // i, the first position left
        refresh(carriedKey);
        T carried = std::move(a[i]);
        for (int j = firstBelow(carriedKey); j != kNone; j = firstBelow(carriedKey)) {
            const int k = keyAt[j];
            at[k].pop(); // j is k's first position
            refresh(k);
            at[carriedKey].push(j);
            refresh(carriedKey);
            keyAt[j] = carriedKey;
            std::swap(carried, a[j]);
            carriedKey = k;
        }
        a[i] = std::move(carried);
        keyAt[i] = carriedKey;
    }
}
