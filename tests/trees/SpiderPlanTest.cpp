#include <gtest/gtest.h>

#include <random>
#include <tuple>

#include "trees/ExchangeSort.h"
#include "trees/SpiderPlan.h"

namespace {

using Steps = std::vector<std::tuple<int, std::int32_t, std::int32_t>>;

Steps StepsOf(const SpiderPlan& plan) {
    Steps out;
    for (const SpiderStep& s : plan.steps) out.emplace_back(s.leg, s.index, s.column);
    return out;
}

} // namespace

TEST(ExchangeSort, GivesTheLiteralSortsOrderAmongEqualKeys) {
    std::mt19937 rng(7);
    for (int round = 0; round < 2000; ++round) {
        const int n = std::uniform_int_distribution<int>(0, 40)(rng);
        const int distinct = std::uniform_int_distribution<int>(1, 2 * n + 1)(rng);
        std::vector<int> items(n), expected(n);
        std::vector<std::pair<int, int>> keys(n);
        for (int i = 0; i < n; ++i) {
            items[i] = expected[i] = i;
            keys[i] = {std::uniform_int_distribution<int>(0, 1)(rng), std::uniform_int_distribution<int>(0, distinct)(rng)};
        }
        // The exchange sort as the caterpillar layout states it.
        std::vector<std::pair<int, int>> k = keys;
        for (int i = 0; i < n; ++i)
            for (int j = i + 1; j < n; ++j)
                if (k[j] < k[i]) {
                    std::swap(expected[i], expected[j]);
                    std::swap(k[i], k[j]);
                }
        ExchangeSortByKey(items, keys);
        ASSERT_EQ(items, expected) << "round " << round;
    }
}

TEST(SpiderPlan, FollowsTheWalksStepByStep) {
    // Centre between its neighbours: the highest goes left, the others right; the middle
    // leg escapes below, the low leg then walks on the left, and so on.
    EXPECT_EQ(StepsOf(PlanSpider(5, {{{6, 2, 8}, {7, 9}, {3, 1, 4}}})),
              (Steps{{1, 0, -1}, {2, 0, 1}, {0, 0, 2}, {0, 1, 3}, {2, 1, -2}, {0, 2, 4}, {1, 1, -3}, {2, 2, 5}}));
    // Centre above all neighbours: the leg reaching lowest goes right to its lowest vertex.
    EXPECT_EQ(StepsOf(PlanSpider(9, {{{4, 8, 2}, {6, 1}, {5, 7, 3}}})),
              (Steps{{1, 0, 1}, {1, 1, 2}, {0, 0, 3}, {2, 0, -1}, {2, 1, -2}, {2, 2, -3}, {0, 1, 4}, {0, 2, 5}}));
    // The left leg is a single edge: its walk places nothing, and its leaf (below the
    // centre) lets the right leg be walked within the range at once.
    EXPECT_EQ(StepsOf(PlanSpider(10, {{{8}, {7, 9, 6}, {5, 1}}})),
              (Steps{{2, 0, 1}, {2, 1, 2}, {1, 0, 3}, {0, 0, -1}, {1, 1, 4}, {1, 2, 5}}));
}

TEST(SpiderPlan, LongLegsNeedNoDeepStack) {
    const std::int32_t length = 100000;
    SpiderLegTracks legs;
    for (std::int32_t i = 1; i <= length; ++i) {
        legs[0].push_back(length + 1 + i);
        legs[1].push_back(length + 1 - i);
        legs[2].push_back(2 * length + 1 + i);
    }
    EXPECT_EQ(PlanSpider(length + 1, legs).steps.size(), std::size_t(3 * length));
}
