#include <gtest/gtest.h>

#include <algorithm>
#include <limits>
#include <random>
#include <thread>

#include "BruteForceLevelPlanarity.h"
#include "level/CoordinateAssignment.h"
#include "level/CrossingMinimizer.h"
#include "level/LayerCrossings.h"

namespace {

// A random proper level graph: `widths` vertices per level, each possible edge between
// adjacent levels present with probability p.
LevelGraph RandomLevelGraph(std::mt19937& rng, const std::vector<int>& widths, double p) {
    LevelGraph g;
    std::vector<std::vector<int>> at(widths.size());
    for (std::size_t l = 0; l < widths.size(); ++l)
        for (int i = 0; i < widths[l]; ++i) at[l].push_back(g.AddVertex(static_cast<int>(l), i * 10));
    std::bernoulli_distribution edge(p);
    for (std::size_t l = 0; l + 1 < widths.size(); ++l)
        for (int a : at[l])
            for (int b : at[l + 1])
                if (edge(rng)) g.AddEdge(a, b);
    g.Finish();
    return g;
}

// Between levels.first and levels.second levels of width.first to width.second vertices.
std::vector<int> RandomWidths(std::mt19937& rng, std::pair<int, int> levels, std::pair<int, int> width) {
    std::uniform_int_distribution<int> widthOf(width.first, width.second), levelCount(levels.first, levels.second);
    std::vector<int> widths(levelCount(rng));
    for (int& w : widths) w = widthOf(rng);
    return widths;
}

// Every level's order shuffled.
LevelOrders Shuffled(LevelOrders orders, std::mt19937& rng) {
    for (auto& level : orders) std::shuffle(level.begin(), level.end(), rng);
    return orders;
}

// Crossings by testing every pair of edges: the definition the fast count must agree with.
std::int64_t PairwiseCrossings(const LevelGraph& g, const LevelOrders& orders) {
    std::vector<int> pos(g.VertexCount());
    for (const auto& level : orders)
        for (int r = 0; r < static_cast<int>(level.size()); ++r) pos[level[r]] = r;
    std::int64_t count = 0;
    const auto& edges = g.Edges();
    for (std::size_t i = 0; i < edges.size(); ++i)
        for (std::size_t j = i + 1; j < edges.size(); ++j) {
            if (g.LevelOf(edges[i].lower) != g.LevelOf(edges[j].lower)) continue;
            const long a = pos[edges[i].lower] - pos[edges[j].lower], b = pos[edges[i].upper] - pos[edges[j].upper];
            if (a * b < 0) ++count;
        }
    return count;
}

// The fewest crossings over every combination of level orders.
std::int64_t ExhaustiveMinimum(const LevelGraph& g) {
    LevelOrders orders = g.Levels();
    for (auto& level : orders) std::sort(level.begin(), level.end());
    std::int64_t best = std::numeric_limits<std::int64_t>::max();
    for (;;) {
        best = std::min(best, PairwiseCrossings(g, orders));
        std::size_t l = 0;
        while (l < orders.size() && !std::next_permutation(orders[l].begin(), orders[l].end())) ++l;
        if (l == orders.size()) return best;
    }
}

void ExpectOrdersOfLevels(const LevelGraph& g, const LevelOrders& orders) {
    ASSERT_EQ(orders.size(), static_cast<std::size_t>(g.LevelCount()));
    for (int l = 0; l < g.LevelCount(); ++l) {
        std::vector<int> a = orders[l], b = g.Level(l);
        std::sort(a.begin(), a.end());
        std::sort(b.begin(), b.end());
        EXPECT_EQ(a, b) << "level " << l;
    }
}

} // namespace

TEST(LayerCrossings, AgreesWithTheCountOverEveryPairOfEdges) {
    std::mt19937 rng(7);
    for (int round = 0; round < 60; ++round) {
        const std::vector<int> widths = RandomWidths(rng, {2, 5}, {1, 12});
        const LevelGraph g = RandomLevelGraph(rng, widths, 0.35);
        const LevelOrders orders = Shuffled(g.Levels(), rng);
        EXPECT_EQ(LevelCrossings(g, orders), PairwiseCrossings(g, orders)) << "round " << round;
    }
}

TEST(CrossingMinimizer, ProvesTheOptimumOnNarrowLevels) {
    std::mt19937 rng(11);
    for (int round = 0; round < 40; ++round) {
        const std::vector<int> widths = RandomWidths(rng, {2, 4}, {1, 4});
        const LevelGraph g = RandomLevelGraph(rng, widths, 0.5);
        const CrossingMinimizerResult r = MinimizeCrossings(g, g.Levels());
        ExpectOrdersOfLevels(g, r.orders);
        EXPECT_TRUE(r.optimal);
        EXPECT_EQ(r.crossings, ExhaustiveMinimum(g)) << "round " << round;
        EXPECT_EQ(r.crossings, PairwiseCrossings(g, r.orders));
    }
}

TEST(CrossingMinimizer, HeuristicsReportTheCrossingsOfTheirOrdersAndRepeat) {
    std::mt19937 rng(5);
    CrossingMinimizerOptions heuristicOnly;
    heuristicOnly.exactBudget = 0;
    std::int64_t found = 0, optimum = 0;
    for (int round = 0; round < 25; ++round) {
        const std::vector<int> widths = RandomWidths(rng, {2, 4}, {2, 5});
        const LevelGraph g = RandomLevelGraph(rng, widths, 0.4);
        const LevelOrders start = Shuffled(g.Levels(), rng);
        const CrossingMinimizerResult r = MinimizeCrossings(g, start, heuristicOnly);
        ExpectOrdersOfLevels(g, r.orders);
        EXPECT_EQ(r.crossings, PairwiseCrossings(g, r.orders));
        EXPECT_LE(r.crossings, PairwiseCrossings(g, start)) << "worse than where it started";
        EXPECT_EQ(MinimizeCrossings(g, start, heuristicOnly).orders, r.orders) << "not deterministic";
        found += r.crossings;
        optimum += ExhaustiveMinimum(g);
    }
    // Small graphs leave the heuristics little room to miss: close to the optimum overall.
    EXPECT_LE(found, optimum + optimum / 10);
}

TEST(CrossingMinimizer, TwoSearchesGiveTheSameOrdersBesideOrAfterAndNeverMoreCrossingsThanOne) {
    std::mt19937 rng(41);
    CrossingMinimizerOptions beside;
    beside.exactBudget = 0;
    CrossingMinimizerOptions after = beside, alone = beside;
    after.parallel = false;
    alone.secondSearch = false;
    std::int64_t two = 0, one = 0;
    for (int round = 0; round < 12; ++round) {
        const std::vector<int> widths = RandomWidths(rng, {3, 6}, {8, 20});
        const LevelGraph g = RandomLevelGraph(rng, widths, 0.15);
        const LevelOrders start = Shuffled(g.Levels(), rng);
        // Progress comes to the caller's thread only: the desktop program's dialog lives there.
        bool elsewhere = false;
        const auto caller = std::this_thread::get_id();
        beside.progress = [&](double) {
            elsewhere = elsewhere || std::this_thread::get_id() != caller;
            return true;
        };
        const CrossingMinimizerResult r = MinimizeCrossings(g, start, beside);
        EXPECT_FALSE(elsewhere) << "round " << round;
        EXPECT_EQ(r.crossings, PairwiseCrossings(g, r.orders)) << "round " << round;
        EXPECT_EQ(MinimizeCrossings(g, start, after).orders, r.orders) << "round " << round;
        const CrossingMinimizerResult first = MinimizeCrossings(g, start, alone);
        EXPECT_LE(r.crossings, first.crossings) << "round " << round;
        two += r.crossings;
        one += first.crossings;
    }
    EXPECT_LT(two, one) << "the second search never found fewer crossings";
}

TEST(CrossingMinimizer, CancelGivesBackTheStartOrders) {
    std::mt19937 rng(3);
    const LevelGraph g = RandomLevelGraph(rng, {30, 30, 30}, 0.2);
    const LevelOrders start = g.Levels();
    // At once; early in the first search with the second beside it; in the second search
    // run after the first, which reports the second half of the progress.
    for (int when = 0; when < 3; ++when) {
        CrossingMinimizerOptions options;
        options.parallel = when != 2;
        int calls = 0, afterCancel = 0;
        bool cancelled = false;
        options.progress = [&](double fraction) {
            if (cancelled) ++afterCancel;
            cancelled = cancelled || (when == 0 || (when == 1 ? ++calls == 6 : fraction > 0.5));
            return !cancelled;
        };
        const CrossingMinimizerResult r = MinimizeCrossings(g, start, options);
        EXPECT_TRUE(r.cancelled) << "case " << when;
        EXPECT_EQ(r.orders, start) << "case " << when;
        EXPECT_EQ(afterCancel, 0) << "asked again after a cancel, case " << when;
    }
}

TEST(CoordinateAssignment, KeepsOrdersAndSeparationAndStraightensLongEdges) {
    std::mt19937 rng(19);
    for (int round = 0; round < 30; ++round) {
        const std::vector<int> widths = RandomWidths(rng, {2, 7}, {1, 15});
        LevelGraph base = RandomLevelGraph(rng, widths, 0.15);
        // Add a long edge from the lowest level to the highest through dummies, leftmost
        // on every level, so that nothing crosses it.
        LevelGraph g;
        for (int v = 0; v < base.VertexCount(); ++v) g.AddVertex(base.LevelOf(v), base.XOf(v));
        for (const auto& e : base.Edges()) g.AddEdge(e.lower, e.upper);
        std::vector<bool> dummy(base.VertexCount(), false);
        int previous = g.AddVertex(0, -100);
        dummy.push_back(false);
        std::vector<int> chain;
        for (int l = 1; l < static_cast<int>(widths.size()); ++l) {
            const int d = g.AddVertex(l, -100);
            dummy.push_back(l + 1 < static_cast<int>(widths.size()));
            g.AddEdge(previous, d);
            if (dummy.back()) chain.push_back(d);
            previous = d;
        }
        g.Finish();
        LevelOrders orders = g.Levels();
        const std::vector<std::int64_t> x = AssignCoordinates(g, orders, dummy);
        ASSERT_EQ(x.size(), static_cast<std::size_t>(g.VertexCount()));
        EXPECT_EQ(*std::min_element(x.begin(), x.end()), 0);
        for (const auto& level : orders)
            for (std::size_t i = 1; i < level.size(); ++i) EXPECT_GE(x[level[i]] - x[level[i - 1]], 1) << "round " << round;
        for (std::size_t i = 1; i < chain.size(); ++i) EXPECT_EQ(x[chain[i]], x[chain[0]]) << "round " << round;
    }
}

// Ends of the search: no vertex has a better place on its level, and narrow graphs reach the
// optimum the exact method proves, with the exact method switched off.
TEST(CrossingMinimizer, HeuristicsEndWhereNoVertexHasABetterPlaceAndFindNarrowOptima) {
    std::mt19937 rng(23);
    CrossingMinimizerOptions heuristicOnly;
    heuristicOnly.exactBudget = 0;
    for (int round = 0; round < 12; ++round) {
        const std::vector<int> widths = RandomWidths(rng, {3, 5}, {5, 11});
        const LevelGraph g = RandomLevelGraph(rng, widths, 0.3);
        const CrossingMinimizerResult r = MinimizeCrossings(g, g.Levels(), heuristicOnly);
        for (std::size_t l = 0; l < r.orders.size(); ++l)
            for (std::size_t from = 0; from < r.orders[l].size(); ++from)
                for (std::size_t to = 0; to < r.orders[l].size(); ++to) {
                    LevelOrders moved = r.orders;
                    const int v = moved[l][from];
                    moved[l].erase(moved[l].begin() + static_cast<std::ptrdiff_t>(from));
                    moved[l].insert(moved[l].begin() + static_cast<std::ptrdiff_t>(to), v);
                    ASSERT_GE(LevelCrossings(g, moved), r.crossings) << "round " << round << ": vertex " << v << " to " << to;
                }
    }
    for (int round = 0; round < 20; ++round) {
        const std::vector<int> widths = RandomWidths(rng, {3, 5}, {3, 5});
        const LevelGraph g = RandomLevelGraph(rng, widths, 0.45);
        LevelOrders exact;
        std::int64_t optimum = 0;
        ASSERT_TRUE(ExactMinimumCrossings(g, std::int64_t(1) << 40, exact, optimum));
        EXPECT_EQ(MinimizeCrossings(g, g.Levels(), heuristicOnly).crossings, optimum) << "round " << round;
    }
}

// Nearly a forest: every vertex above the lowest level hangs from one below, plus a few
// more edges. These graphs get the moves of whole groups of vertices.
LevelGraph NearlyForest(std::mt19937& rng, const std::vector<int>& widths, int extra) {
    LevelGraph g;
    std::vector<std::vector<int>> at(widths.size());
    for (std::size_t l = 0; l < widths.size(); ++l)
        for (int i = 0; i < widths[l]; ++i) at[l].push_back(g.AddVertex(static_cast<int>(l), i * 10));
    std::vector<std::pair<int, int>> edges;
    auto add = [&](int a, int b) {
        if (std::find(edges.begin(), edges.end(), std::make_pair(a, b)) == edges.end()) edges.emplace_back(a, b);
    };
    for (std::size_t l = 1; l < widths.size(); ++l)
        for (int b : at[l]) add(at[l - 1][rng() % at[l - 1].size()], b);
    for (int k = 0; k < extra; ++k) {
        const std::size_t l = rng() % (widths.size() - 1);
        add(at[l][rng() % at[l].size()], at[l + 1][rng() % at[l + 1].size()]);
    }
    for (auto [a, b] : edges) g.AddEdge(a, b);
    g.Finish();
    return g;
}

TEST(CrossingMinimizer, GroupMovesOnNearlyForestsKeepLevelsCountsAndOptima) {
    std::mt19937 rng(31);
    CrossingMinimizerOptions heuristicOnly;
    heuristicOnly.exactBudget = 0;
    for (int round = 0; round < 20; ++round) {
        const std::vector<int> widths = RandomWidths(rng, {3, 6}, {6, 14});
        const LevelGraph g = NearlyForest(rng, widths, 3);
        const LevelOrders start = Shuffled(g.Levels(), rng);
        const CrossingMinimizerResult r = MinimizeCrossings(g, start, heuristicOnly);
        ExpectOrdersOfLevels(g, r.orders);
        EXPECT_EQ(r.crossings, PairwiseCrossings(g, r.orders)) << "round " << round;
        EXPECT_LE(r.crossings, PairwiseCrossings(g, start)) << "round " << round;
        EXPECT_EQ(MinimizeCrossings(g, start, heuristicOnly).orders, r.orders) << "round " << round;
    }
    for (int round = 0; round < 15; ++round) {
        const std::vector<int> widths = RandomWidths(rng, {3, 4}, {3, 5});
        const LevelGraph g = NearlyForest(rng, widths, 2);
        LevelOrders exact;
        std::int64_t optimum = 0;
        ASSERT_TRUE(ExactMinimumCrossings(g, std::int64_t(1) << 40, exact, optimum));
        EXPECT_EQ(MinimizeCrossings(g, g.Levels(), heuristicOnly).crossings, optimum) << "round " << round;
    }
}
