// The exact level planarity method against the earlier exact method and the exhaustive
// search, on random graphs and on the families built to defeat shortcuts.

#include <gtest/gtest.h>

#include <random>

#include "BruteForceLevelPlanarity.h"
#include "LevelGraphFamilies.h"
#include "LevelOrderChecks.h"
#include "level/LevelPairClasses.h"
#include "level/LevelPlanarityMethod.h"

namespace {

// The new method's verdict equals `truth`, with orders that prove a yes.
void ExpectVerdict(const LevelGraph& g, bool truth, const std::string& what) {
    const LevelPlanarityResult r = ExactLevelPlanarity().Test(g);
    ASSERT_EQ(r.planar, truth) << what;
    if (truth) {
        ASSERT_TRUE(ProperOrders(g, r)) << what;
    }
}

} // namespace

TEST(GapsAreForests, CyclesCountOnlyWithinOneGap) {
    // A K2,2 between two levels is a cycle of one gap.
    EXPECT_FALSE(GapsAreForests(CompleteBipartite(2).Build()));
    // r - p1 - t - p2 - r runs through two gaps: a cycle of the graph, but no gap has one
    // (and the graph is level planar).
    LevelGraphSketch s;
    const int r = s.Add(0), p1 = s.Add(1), p2 = s.Add(1), t = s.Add(2);
    s.Join(r, p1);
    s.Join(r, p2);
    s.Join(p1, t);
    s.Join(p2, t);
    const LevelGraph g = s.Build();
    EXPECT_TRUE(GapsAreForests(g));
    ExpectVerdict(g, true, "diamond");
    // A 6-cycle between two levels is not level planar either.
    LevelGraphSketch hexagon;
    std::vector<int> low, high;
    for (int i = 0; i < 3; ++i) low.push_back(hexagon.Add(0)), high.push_back(hexagon.Add(1));
    for (int i = 0; i < 3; ++i) {
        hexagon.Join(low[i], high[i]);
        hexagon.Join(low[(i + 1) % 3], high[i]);
    }
    EXPECT_FALSE(GapsAreForests(hexagon.Build()));
    EXPECT_FALSE(LazyTransitivityLevelPlanarity().Test(hexagon.Build()).planar);
}

TEST(ExactLevelPlanarity, AgreesWithExhaustiveSearchOnSmallRandomGraphs) {
    std::mt19937 rng(77);
    int planar = 0;
    for (int round = 0; round < 3000; ++round) {
        const LevelGraph g = RandomLevelGraph(rng, 2 + round % 4, 5, round % 3 == 0 ? 0.5 : 0.3);
        const bool truth = BruteForceLevelOrders(g).has_value();
        planar += truth;
        ExpectVerdict(g, truth, "round " + std::to_string(round));
    }
    EXPECT_GT(planar, 500);
    EXPECT_LT(planar, 2500);
}

TEST(ExactLevelPlanarity, AgreesWithTheLazyTransitivityMethod) {
    std::mt19937 rng(4242);
    int planar = 0, rounds = 0;
    auto check = [&](const LevelGraph& g, const std::string& what) {
        const bool truth = LazyTransitivityLevelPlanarity().Test(g).planar;
        planar += truth;
        ++rounds;
        ExpectVerdict(g, truth, what);
    };
    for (int round = 0; round < 1500; ++round) {
        const std::string tag = " round " + std::to_string(round);
        // Wider levels and sparser edges than the exhaustive search can take.
        check(RandomLevelGraph(rng, 3 + round % 5, 9, 0.12 + 0.02 * (round % 4)), "random" + tag);
        // Trees on random levels, shuffled (level planar or not, as the levels fall).
        check(RandomLevelTree(rng, 6 + round % 30).Build(round + 1), "tree" + tag);
        // A level planar staircase drawn shuffled.
        check(Staircases(2 + round % 4, 2 + round % 7, round, 1 + round % 3).Build(round + 1), "staircase" + tag);
        if (round % 10 == 0) {
            // The pairs tied by transitivity alone, with and without mixed vertices.
            check(TwoChains(1 + round % 9, round % 3).Build(round + 1), "two chains" + tag);
        }
    }
    EXPECT_GT(planar, rounds / 4);
    EXPECT_LT(planar, rounds);
}

TEST(ExactLevelPlanarity, DenseGraphsWithK22AreRejected) {
    std::mt19937 rng(99);
    // Random dense graphs between two or three levels, most of them holding a K2,2; the
    // verdict is checked against the earlier method.
    for (int round = 0; round < 300; ++round) {
        const LevelGraph g = RandomLevelGraph(rng, 2 + round % 2, 7, 0.45);
        const bool truth = LazyTransitivityLevelPlanarity().Test(g).planar;
        ExpectVerdict(g, truth, "round " + std::to_string(round));
    }
    for (int w : {2, 3, 40}) ExpectVerdict(CompleteBipartite(w).Build(), false, "K" + std::to_string(w));
}

TEST(ExactLevelPlanarity, TwoChainsAreLevelPlanarInAnyOrder) {
    for (int mixed : {0, 5})
        for (std::uint32_t seed : {0u, 3u, 11u}) {
            const LevelGraph g = TwoChains(60, mixed).Build(seed);
            ExpectVerdict(g, true, "mixed " + std::to_string(mixed) + " seed " + std::to_string(seed));
        }
}

// Where the first orders leave a crossing the search runs and reports; a "no" from the
// report cancels it, and reporting changes no verdict.
TEST(ExactLevelPlanarity, SearchReportsProgressAndCanBeCancelled) {
    std::mt19937 rng(5);
    int searched = 0;
    for (int round = 0; round < 3000 && searched < 40; ++round) {
        const LevelGraph g = RandomLevelGraph(rng, 2 + round % 4, 5, 0.4);
        int reports = 0;
        const LevelPlanarityResult watched = ExactLevelPlanarity([&](double sorted) {
                                                 EXPECT_GE(sorted, 0.0);
                                                 EXPECT_LE(sorted, 1.0);
                                                 ++reports;
                                                 return true;
                                             }).Test(g);
        const LevelPlanarityResult plain = ExactLevelPlanarity().Test(g);
        ASSERT_FALSE(watched.cancelled);
        ASSERT_EQ(watched.planar, plain.planar) << "round " << round;
        if (reports == 0) continue;
        ++searched;
        const LevelPlanarityResult cancelled = ExactLevelPlanarity([](double) { return false; }).Test(g);
        EXPECT_TRUE(cancelled.cancelled) << "round " << round;
        EXPECT_FALSE(cancelled.planar);
        EXPECT_TRUE(cancelled.orders.empty());
    }
    EXPECT_GE(searched, 10);
}
