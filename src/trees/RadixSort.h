#pragma once
// A stable sort by a 64-bit key in passes of 16 bits, least significant first, that skips
// the digits all keys share: drawing coordinates use few of their bits, so millions of
// keys take two or three passes instead of a comparison sort.

#include <algorithm>
#include <array>
#include <cstdint>
#include <vector>

template <class T, class KeyOf>
void RadixSortByKey(std::vector<T>& items, KeyOf keyOf) {
    const std::size_t n = items.size();
    if (n < 4096) {
        std::stable_sort(items.begin(), items.end(), [&](const T& a, const T& b) { return keyOf(a) < keyOf(b); });
        return;
    }
    constexpr int kDigits = 4;
    constexpr std::size_t kBuckets = 1 << 16;
    std::vector<std::array<std::uint32_t, kBuckets>> counts(kDigits);
    for (auto& c : counts) c.fill(0);
    for (const T& it : items) {
        const std::uint64_t k = keyOf(it);
        for (int d = 0; d < kDigits; ++d) ++counts[d][(k >> (16 * d)) & 0xFFFF];
    }
    std::vector<T> other(n);
    for (int d = 0; d < kDigits; ++d) {
        auto& c = counts[d];
        // One bucket holding everything: this digit is the same in every key.
        if (std::any_of(c.begin(), c.end(), [&](std::uint32_t k) { return k == n; })) continue;
        std::uint32_t sum = 0;
        for (std::uint32_t& k : c) {
            const std::uint32_t here = k;
            k = sum;
            sum += here;
        }
        for (const T& it : items) other[c[(keyOf(it) >> (16 * d)) & 0xFFFF]++] = it;
        items.swap(other);
    }
}
