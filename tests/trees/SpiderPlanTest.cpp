#include <gtest/gtest.h>

#include <algorithm>
#include <random>
#include <set>
#include <tuple>

#include "trees/ExchangeSort.h"
#include "trees/SpiderPlan.h"

namespace {

// The exchange sort exactly as the caterpillar layout describes it.
template <class T, class Key>
void LiteralExchangeSort(std::vector<T>& items, std::vector<Key> keys) {
    for (std::size_t i = 0; i < items.size(); ++i)
        for (std::size_t j = i + 1; j < items.size(); ++j)
            if (keys[j] < keys[i]) {
                std::swap(items[i], items[j]);
                std::swap(keys[i], keys[j]);
            }
}

std::vector<std::tuple<int, std::int32_t, std::int32_t>> Steps(const SpiderPlan& plan) {
    std::vector<std::tuple<int, std::int32_t, std::int32_t>> out;
    for (const SpiderStep& s : plan.steps) out.emplace_back(s.leg, s.index, s.column);
    return out;
}

} // namespace

TEST(ExchangeSort, GivesTheLiteralSortsOrderAmongEqualKeys) {
    std::mt19937 rng(7);
    for (int round = 0; round < 2000; ++round) {
        const int n = std::uniform_int_distribution<int>(0, 40)(rng);
        const int distinct = std::uniform_int_distribution<int>(1, 2 * n + 1)(rng);
        std::vector<int> items(n);
        std::vector<std::pair<int, long long>> keys(n);
        for (int i = 0; i < n; ++i) {
            items[i] = i;
            keys[i] = {std::uniform_int_distribution<int>(0, 1)(rng), std::uniform_int_distribution<int>(0, distinct)(rng)};
        }
        std::vector<int> expected = items;
        LiteralExchangeSort(expected, keys);
        ExchangeSortByKey(items, keys);
        ASSERT_EQ(items, expected) << "round " << round;
    }
}

TEST(ExchangeSort, EqualKeysAreNotKeptInOrder) {
    std::vector<char> items{'a', 'b', 'c'};
    ExchangeSortByKey(items, std::vector<int>{2, 2, 1});
    EXPECT_EQ(items, (std::vector<char>{'c', 'b', 'a'}));
}

TEST(SpiderPlan, FollowsTheWalksStepByStep) {
    // Centre between its neighbours: the highest one goes left, the others right; the
    // middle leg escapes below, the low leg is walked on the left, and so on.
    EXPECT_EQ(Steps(PlanSpider(5, {{{6, 2, 8}, {7, 9}, {3, 1, 4}}})),
              (std::vector<std::tuple<int, std::int32_t, std::int32_t>>{
                  {1, 0, -1}, {2, 0, 1}, {0, 0, 2}, {0, 1, 3}, {2, 1, -2}, {0, 2, 4}, {1, 1, -3}, {2, 2, 5}}));
    // Centre below all neighbours: the leg reaching highest goes right first.
    EXPECT_EQ(Steps(PlanSpider(1, {{{4, 6}, {8, 7, 2}, {3, 5}}})),
              (std::vector<std::tuple<int, std::int32_t, std::int32_t>>{
                  {1, 0, 1}, {2, 0, 2}, {0, 0, -1}, {0, 1, -2}, {1, 1, -3}, {1, 2, -4}, {2, 1, 3}}));
    // Centre above all neighbours, the chosen leg walked to its lowest vertex first.
    EXPECT_EQ(Steps(PlanSpider(9, {{{4, 8, 2}, {6, 1}, {5, 7, 3}}})),
              (std::vector<std::tuple<int, std::int32_t, std::int32_t>>{
                  {1, 0, 1}, {1, 1, 2}, {0, 0, 3}, {2, 0, -1}, {2, 1, -2}, {2, 2, -3}, {0, 1, 4}, {0, 2, 5}}));
}

TEST(SpiderPlan, SingleEdgeLeftLegLetsItsFirstVertexDecide) {
    // All neighbours below the centre; leg 2 reaches lowest and goes right; leg 0 is then
    // the left leg, a single edge to a leaf. The leaf lies below the centre, so the right
    // leg (leg 1) is walked within the range at once.
    const SpiderPlan plan = PlanSpider(10, {{{8}, {7, 9, 6}, {5, 1}}});
    EXPECT_EQ(Steps(plan), (std::vector<std::tuple<int, std::int32_t, std::int32_t>>{
                               {2, 0, 1}, {2, 1, 2}, {1, 0, 3}, {0, 0, -1}, {1, 1, 4}, {1, 2, 5}}));
}

TEST(SpiderPlan, PlacesEveryVertexOnceInItsOwnColumn) {
    std::mt19937 rng(11);
    for (int round = 0; round < 3000; ++round) {
        SpiderLegTracks legs;
        std::int32_t n = 1;
        for (auto& leg : legs) {
            leg.resize(std::uniform_int_distribution<int>(1, 9)(rng));
            n += static_cast<std::int32_t>(leg.size());
        }
        std::vector<std::int32_t> tracks(n + 3);
        for (std::int32_t i = 0; i < n + 3; ++i) tracks[i] = i + 1;
        std::shuffle(tracks.begin(), tracks.end(), rng);
        std::size_t k = 1;
        for (auto& leg : legs)
            for (auto& t : leg) t = tracks[k++];

        const SpiderPlan plan = PlanSpider(tracks[0], legs);
        ASSERT_EQ(plan.steps.size(), std::size_t(n - 1));
        std::set<std::pair<int, std::int32_t>> placed;
        std::set<std::int32_t> columns;
        std::array<std::int32_t, 3> next{0, 0, 0};
        for (const SpiderStep& s : plan.steps) {
            ASSERT_EQ(s.index, next[s.leg]++) << "legs are drawn from the centre outward";
            ASSERT_NE(s.column, 0);
            ASSERT_TRUE(columns.insert(s.column).second);
            placed.insert({s.leg, s.index});
        }
        EXPECT_EQ(placed.size(), plan.steps.size());
        EXPECT_EQ(plan.rightmost - plan.leftmost, static_cast<std::int32_t>(columns.size()));
    }
}

TEST(SpiderPlan, LongLegsNeedNoDeepStack) {
    const std::int32_t length = 100000;
    SpiderLegTracks legs;
    for (std::int32_t i = 1; i <= length; ++i) {
        legs[0].push_back(length + 1 + i);     // climbing
        legs[1].push_back(length + 1 - i);     // falling
        legs[2].push_back(2 * length + 1 + i); // climbing beyond leg 0
    }
    const SpiderPlan plan = PlanSpider(length + 1, legs);
    EXPECT_EQ(plan.steps.size(), std::size_t(3 * length));
}
