#include <gtest/gtest.h>

#include <algorithm>
#include <random>
#include <span>

#include "trees/RadixSort.h"

TEST(RadixSort, SortsStablyByTheKeyAlone) {
    std::mt19937_64 rng(3);
    for (std::size_t n : {std::size_t(100), std::size_t(20000)}) {
        // Keys that differ in few digits, as coordinates do, and in all of them.
        for (bool narrow : {true, false}) {
            std::vector<std::pair<std::uint64_t, std::uint32_t>> items(n);
            for (std::uint32_t i = 0; i < n; ++i)
                items[i] = {narrow ? (0x8000000080000000ull | (rng() % 300) << 32 | rng() % 5) : rng() % (n / 4), i};
            auto expected = items;
            std::stable_sort(expected.begin(), expected.end(),
                             [](const auto& a, const auto& b) { return a.first < b.first; });
            RadixSortByKey(items, [](const auto& it) { return it.first; });
            EXPECT_EQ(items, expected) << n << (narrow ? " narrow" : " wide");
        }
    }
}

TEST(RadixSort, NarrowDigitsSortAPartOfAListInPlace) {
    // Keys differing in one digit take one pass, an odd number, which leaves the result in
    // the scratch buffer until it is copied back; the rest of the list stays untouched.
    std::mt19937_64 rng(5);
    for (std::uint64_t spread : {std::uint64_t(200), std::uint64_t(60000), std::uint64_t(1) << 40}) {
        std::vector<std::pair<std::uint64_t, std::uint32_t>> items(7000);
        for (std::uint32_t i = 0; i < items.size(); ++i) items[i] = {rng() % spread, i};
        auto expected = items;
        std::stable_sort(expected.begin() + 500, expected.end() - 500,
                         [](const auto& a, const auto& b) { return a.first < b.first; });
        RadixSortByKey<8>(std::span(items).subspan(500, items.size() - 1000), [](const auto& it) { return it.first; });
        EXPECT_EQ(items, expected) << spread;
    }
}
