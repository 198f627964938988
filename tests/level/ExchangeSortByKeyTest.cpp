// The exchange sort by key against the plain double loop it must reproduce entry for entry.

#include <gtest/gtest.h>

#include <random>

#include "graph/ExchangeSort.h"
#include "level/ExchangeSortByKey.h"

TEST(ExchangeSortByKey, GivesTheDoubleLoopsOrderAmongEqualKeys) {
    std::mt19937 rng(3);
    for (int round = 0; round < 2000; ++round) {
        const int n = static_cast<int>(rng() % 60);
        const int keys = 1 + static_cast<int>(rng() % (round % 3 == 0 ? 4 : 20));
        // Entries (key, id): ids tell equal keys apart.
        std::vector<std::pair<int, int>> a(n);
        for (int p = 0; p < n; ++p) a[p] = {static_cast<int>(rng() % keys) - keys / 2, p};
        if (round % 5 == 0) // runs of rising keys, as chains of dummy vertices make them
            for (int p = 0; p < n; ++p) a[p].first = p % (keys + 1);
        auto plain = a;
        auto greater = [](const std::pair<int, int>& x, const std::pair<int, int>& y) { return x.first > y.first; };
        level_detail::ExchangeSortPlain(plain, greater, 0);
        ExchangeSortByKey(a, [](const std::pair<int, int>& x) { return x.first; });
        ASSERT_EQ(a, plain) << "round " << round;
    }
}
