// The verdict of the crossing equations alone and the orders of the augmentation, against
// the exhaustive search and the exact search, on random and constructed level graphs; and
// the exact method forced straight to the augmentation, directly and through the light-graph
// entry.

#include <gtest/gtest.h>

#include <random>
#include <set>

#include "BruteForceLevelPlanarity.h"
#include "LevelGraphFamilies.h"
#include "LevelOrderChecks.h"
#include "level/AugmentedLevelOrders.h"
#include "level/LevelPairClasses.h"
#include "level/LevelPlanarityMethod.h"
#include "level/LevelPlanarityOf.h"

namespace {

// The equations' verdict, the augmentation, and the exact method with no budget for its
// search all agree with `truth`, and their yes comes with orders that do not cross.
void ExpectAgreement(const LevelGraph& g, bool truth, const std::string& what) {
    ASSERT_EQ(LevelPlanarByEquations(g), truth) << what;
    const LevelPlanarityResult augmented = AugmentedLevelOrders(g);
    ASSERT_EQ(augmented.planar, truth) << what;
    ASSERT_FALSE(augmented.cancelled) << what;
    if (truth) {
        ASSERT_TRUE(ProperOrders(g, augmented)) << what;
    }
    const LevelPlanarityResult forced = ExactLevelPlanarity({}, 0).Test(g);
    ASSERT_EQ(forced.planar, truth) << what;
    if (truth) {
        ASSERT_TRUE(ProperOrders(g, forced)) << what;
    }
}

} // namespace

TEST(LevelPlanarByEquations, AgreesWithExhaustiveSearchOnSmallRandomGraphs) {
    std::mt19937 rng(31337);
    int planar = 0;
    const int rounds = 2000;
    for (int round = 0; round < rounds; ++round) {
        const LevelGraph g = RandomLevelGraph(rng, 2 + round % 4, 5, round % 3 == 0 ? 0.5 : 0.3);
        const bool truth = BruteForceLevelOrders(g).has_value();
        planar += truth;
        ExpectAgreement(g, truth, "round " + std::to_string(round));
    }
    EXPECT_GT(planar, rounds / 6);
    EXPECT_LT(planar, rounds * 5 / 6);
}

TEST(LevelPlanarByEquations, AgreesWithTheExactSearchOnConstructedFamilies) {
    std::mt19937 rng(2718);
    int planar = 0, rounds = 0;
    auto check = [&](const LevelGraph& g, const std::string& what) {
        const LevelPlanarityResult exact = ExactLevelPlanarity().Test(g);
        planar += exact.planar;
        ++rounds;
        ExpectAgreement(g, exact.planar, what);
    };
    for (int round = 0; round < 600; ++round) {
        const std::string tag = " round " + std::to_string(round);
        check(RandomLevelGraph(rng, 3 + round % 5, 9, 0.12 + 0.02 * (round % 4)), "sparse" + tag);
        // Dense between few levels: mostly a K2,2 somewhere, sometimes only a longer cycle.
        check(RandomLevelGraph(rng, 2 + round % 2, 6, 0.3 + 0.05 * (round % 4)), "dense" + tag);
        check(RandomLevelTree(rng, 6 + round % 40).Build(round + 1), "tree" + tag);
        check(Staircases(2 + round % 5, 2 + round % 8, round, 1 + round % 3).Build(round + 1), "staircase" + tag);
        if (round % 6 == 0) check(TwoChains(1 + round % 11, round % 4).Build(round % 2 ? round : 0), "two chains" + tag);
    }
    for (int w : {2, 3, 5}) check(CompleteBipartite(w).Build(), "K" + std::to_string(w));
    EXPECT_GT(planar, rounds / 3);
    EXPECT_LT(planar, rounds);
}

// A single vertex between two wide levels leaves the two gaps free to face either way, an
// empty level cuts the graph, and isolated vertices join whatever gap they sit at.
TEST(AugmentedLevelOrders, NarrowAndEmptyLevels) {
    LevelGraphSketch s;
    std::vector<int> low, high, top;
    for (int i = 0; i < 4; ++i) low.push_back(s.Add(0));
    const int middle = s.Add(1);
    for (int i = 0; i < 4; ++i) high.push_back(s.Add(2));
    for (int i = 0; i < 3; ++i) top.push_back(s.Add(5)); // levels 3 and 4 stay empty
    for (int v : low) s.Join(v, middle);
    for (int i = 0; i < 3; ++i) s.Join(middle, high[i]); // high[3] isolated
    const int p = s.Add(3), q = s.Add(4);
    s.Join(high[0], p);
    s.Join(p, q);
    s.Join(q, top[2]);
    for (std::uint32_t seed : {0u, 1u, 5u, 9u}) {
        const LevelGraph g = s.Build(seed);
        const LevelPlanarityResult r = AugmentedLevelOrders(g);
        ASSERT_TRUE(r.planar);
        ASSERT_TRUE(ProperOrders(g, r)) << "seed " << seed;
    }
}

// The augmentation asks whether to go on now and then, and stops when told.
TEST(AugmentedLevelOrders, TheFallbackCanBeCancelled) {
    const LevelGraph g = TwoChains(120, 40).Build(3);
    int asked = 0;
    const LevelPlanarityResult watched = ExactLevelPlanarity([&](double) { return ++asked > 0; }, 0).Test(g);
    EXPECT_GT(asked, 0);
    ASSERT_FALSE(watched.cancelled);
    EXPECT_TRUE(ProperOrders(g, watched));
    const LevelPlanarityResult cancelled = ExactLevelPlanarity([](double) { return false; }, 0).Test(g);
    EXPECT_TRUE(cancelled.cancelled);
    EXPECT_FALSE(cancelled.hasOrders);
}

// Through the light-graph entry with a budget of 0: the orders come from the augmentation,
// with dummies for the long edges, and must still name every vertex once and not cross.
TEST(LevelPlanarityOf, ForcedAugmentationAgreesWithTheSearch) {
    std::mt19937 rng(808);
    int planar = 0;
    for (int round = 0; round < 300; ++round) {
        const int levelCount = 2 + round % 4, n = levelCount + static_cast<int>(rng() % 9);
        std::vector<std::int32_t> levels(n);
        for (int v = 0; v < n; ++v) levels[v] = v < levelCount ? v : static_cast<std::int32_t>(rng() % levelCount);
        LightGraph g{n, {}};
        std::set<std::pair<int, int>> seen;
        for (int tries = 0; tries < 2 * n; ++tries) {
            const int a = static_cast<int>(rng() % n), b = static_cast<int>(rng() % n);
            if (levels[a] < levels[b] && seen.insert({a, b}).second) g.edges.emplace_back(a, b);
        }
        const LevelPlanarityVerdict searched = TestLevelPlanarityOf(g, levels);
        const LevelPlanarityVerdict forced = TestLevelPlanarityOf(g, levels, 0);
        ASSERT_EQ(forced.planar, searched.planar) << "round " << round;
        ASSERT_EQ(forced.message, searched.message);
        if (!forced.planar.value_or(false)) continue;
        ++planar;
        // Only vertices on adjacent levels can be checked for crossings directly: check
        // those edges, and that every vertex is placed once on its own level.
        LevelGraph lg;
        for (std::int32_t v = 0; v < n; ++v) lg.AddVertex(levels[v], v);
        for (auto [a, b] : g.edges)
            if (levels[b] == levels[a] + 1) lg.AddEdge(a, b);
        lg.Finish();
        LevelOrders orders(lg.LevelCount());
        std::vector<int> placed(n, 0);
        for (const auto& [level, order] : forced.orders)
            for (std::int32_t v : order) {
                ASSERT_EQ(levels[v], level);
                ++placed[v];
                orders[level].push_back(v);
            }
        ASSERT_EQ(std::count(placed.begin(), placed.end(), 1), n);
        EXPECT_FALSE(HasLevelCrossing(lg, orders)) << "round " << round;
    }
    EXPECT_GT(planar, 30);
}
