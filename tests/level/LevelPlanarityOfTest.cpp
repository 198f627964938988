// Level planarity of light graphs: the verdict against an exhaustive search, the orders
// checked for crossings, long edges through dummies, and the graphs it must refuse.

#include <gtest/gtest.h>

#include <random>
#include <set>

#include "BruteForceLevelPlanarity.h"
#include "level/LevelPlanarityOf.h"

namespace {

// The proper level graph of vertices on levels 0.., each level in index order.
LevelGraph ProperLevelGraph(const LightGraph& g, const std::vector<std::int32_t>& levels) {
    LevelGraph lg;
    for (std::int32_t v = 0; v < g.vertexCount; ++v) lg.AddVertex(levels[v], v);
    for (auto [a, b] : g.edges) {
        if (levels[a] > levels[b]) std::swap(a, b);
        lg.AddEdge(a, b);
    }
    lg.Finish();
    return lg;
}

TEST(LevelPlanarityOf, VerdictAndOrdersOnRandomProperGraphs) {
    std::mt19937 rng(11);
    int planar = 0, rounds = 300;
    for (int round = 0; round < rounds; ++round) {
        const int levelCount = std::uniform_int_distribution<int>(2, 4)(rng);
        const int n = std::uniform_int_distribution<int>(levelCount, 9)(rng);
        std::vector<std::int32_t> levels(n);
        for (int v = 0; v < n; ++v) levels[v] = v < levelCount ? v : int(rng() % levelCount);
        LightGraph g{n, {}};
        std::set<std::pair<int, int>> seen;
        for (int tries = 0; tries < 3 * n; ++tries) {
            const int a = rng() % n, b = rng() % n;
            if (levels[b] == levels[a] + 1 && seen.insert({a, b}).second) g.edges.emplace_back(a, b);
        }
        const LevelGraph lg = ProperLevelGraph(g, levels);
        const bool expected = BruteForceLevelOrders(lg).has_value();
        const LevelPlanarityVerdict v = TestLevelPlanarityOf(g, levels);
        ASSERT_TRUE(v.planar.has_value()) << v.message;
        ASSERT_EQ(*v.planar, expected) << "round " << round;
        if (!expected) continue;
        ++planar;
        // The orders must name every vertex once, on its own level, and draw no crossing.
        LevelOrders orders(lg.LevelCount());
        std::vector<int> seenVertex(n, 0);
        for (const auto& [level, order] : v.orders)
            for (std::int32_t u : order) {
                ASSERT_EQ(levels[u], level);
                ++seenVertex[u];
                orders[level].push_back(u);
            }
        ASSERT_EQ(std::count(seenVertex.begin(), seenVertex.end(), 1), n);
        ASSERT_FALSE(HasLevelCrossing(lg, orders)) << "round " << round;
    }
    EXPECT_GT(planar, rounds / 10);
    EXPECT_LT(planar, rounds);
}

TEST(LevelPlanarityOf, LongEdgesAndEmptyLevels) {
    // Two vertices on level 0 and two on level 20, each joined to both: a K2,2 that no
    // order can draw without a crossing, however far apart the levels are.
    const LightGraph k22{4, {{0, 2}, {0, 3}, {1, 2}, {1, 3}}};
    const LevelPlanarityVerdict crossed = TestLevelPlanarityOf(k22, std::vector<std::int32_t>{0, 0, 20, 20});
    EXPECT_EQ(crossed.planar, false);
    EXPECT_EQ(crossed.message, "The graph is not level planar");

    // A long edge 0-3 past level 1, where vertex 1 joins 0 and 2: drawable, and level 1
    // keeps only its own vertex in the orders.
    const LightGraph path{4, {{0, 3}, {0, 1}, {1, 2}}};
    const LevelPlanarityVerdict drawn = TestLevelPlanarityOf(path, std::vector<std::int32_t>{-5, 1, 7, 7});
    ASSERT_EQ(drawn.planar, true);
    ASSERT_EQ(drawn.orders.size(), 3u);
    EXPECT_EQ(drawn.orders[0].first, -5);
    EXPECT_EQ(drawn.orders[1], (std::pair<std::int32_t, std::vector<std::int32_t>>{1, {1}}));
    EXPECT_EQ(drawn.orders[2].second.size(), 2u);
}

TEST(LevelPlanarityOf, Refusals) {
    EXPECT_EQ(TestLevelPlanarityOf(LightGraph{2, {{0, 1}}}, std::vector<std::int32_t>{3, 3}).message,
              "There are edges between vertices on the same level.");
    EXPECT_EQ(TestLevelPlanarityOf(LightGraph{2, {{0, 1}, {1, 0}}}, std::vector<std::int32_t>{0, 1}).message,
              "The graph is not simple.");
    EXPECT_FALSE(TestLevelPlanarityOf(LightGraph{2, {{0, 1}}}, std::vector<std::int32_t>{0}).planar.has_value());
}

} // namespace
