#pragma once
// A stable sort by a 64-bit key in passes of kBits bits, least significant first, that
// skips the digits all keys share: drawing coordinates use few of their bits, so millions
// of keys take two or three passes instead of a comparison sort. Narrower digits suit
// short lists, whose counters would otherwise outweigh them.

#include <algorithm>
#include <array>
#include <cstdint>
#include <memory>
#include <span>
#include <vector>

template <int kBits = 16, class T, class KeyOf>
void RadixSortByKey(std::span<T> items, KeyOf keyOf) {
    constexpr int kDigits = (64 + kBits - 1) / kBits;
    constexpr std::size_t kBuckets = std::size_t(1) << kBits;
    constexpr std::uint64_t kMask = kBuckets - 1;
    const std::size_t n = items.size();
    if (n < std::min<std::size_t>(4096, 2 * kBuckets)) {
        std::stable_sort(items.begin(), items.end(), [&](const T& a, const T& b) { return keyOf(a) < keyOf(b); });
        return;
    }
    std::vector<std::array<std::uint32_t, kBuckets>> counts(kDigits);
    for (auto& c : counts) c.fill(0);
    for (const T& it : items) {
        const std::uint64_t k = keyOf(it);
        for (int d = 0; d < kDigits; ++d) ++counts[d][(k >> (kBits * d)) & kMask];
    }
    // Left uninitialised where T allows: every place is written before it is read.
    std::unique_ptr<T[]> buffer(new T[n]);
    T* from = items.data();
    T* to = buffer.get();
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
        for (std::size_t i = 0; i < n; ++i) to[c[(keyOf(from[i]) >> (kBits * d)) & kMask]++] = from[i];
        std::swap(from, to);
    }
    if (from != items.data()) std::copy(from, from + n, items.data());
}

template <int kBits = 16, class T, class KeyOf>
void RadixSortByKey(std::vector<T>& items, KeyOf keyOf) {
    RadixSortByKey<kBits>(std::span<T>(items), keyOf);
}
