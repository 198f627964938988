#include <gtest/gtest.h>

#include <random>

#include "graph/ExchangeSort.h"

namespace {

struct Entry {
    int key, id;
    friend bool operator==(const Entry&, const Entry&) = default;
};

std::vector<Entry> ByDefinition(std::vector<Entry> a) {
    for (std::size_t i = 0; i < a.size(); ++i)
        for (std::size_t j = i + 1; j < a.size(); ++j)
            if (a[i].key > a[j].key) std::swap(a[i], a[j]);
    return a;
}

} // namespace

// Equal keys end up in the order the double loop leaves them in, whatever the input: few
// distinct keys, many, sorted, reversed (which sends the sort back to the double loop).
TEST(ExchangeSort, LeavesEqualEntriesWhereTheDoubleLoopLeavesThem) {
    std::mt19937 rng(3);
    for (int round = 0; round < 400; ++round) {
        const int n = round % 5 == 0 ? 300 : 1 + static_cast<int>(rng() % 120);
        const int keys = 1 + static_cast<int>(rng() % (round % 2 ? 5 : 200));
        std::vector<Entry> a(n);
        for (int i = 0; i < n; ++i) a[i] = {static_cast<int>(rng() % keys), i};
        if (round % 7 == 0) std::sort(a.begin(), a.end(), [](const Entry& x, const Entry& y) { return x.key < y.key; });
        if (round % 11 == 0) std::sort(a.begin(), a.end(), [](const Entry& x, const Entry& y) { return x.key > y.key; });
        std::vector<Entry> fast = a;
        ExchangeSort(fast, [](const Entry& x, const Entry& y) { return x.key > y.key; });
        ASSERT_EQ(fast, ByDefinition(a)) << "round " << round;
    }
}
