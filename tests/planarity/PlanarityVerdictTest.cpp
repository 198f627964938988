// The planarity test on light graphs: it must answer as the command does on a document
// built from the same list, and refuse what the command refuses with its message.

#include <gtest/gtest.h>

#include <set>

#include "GraphFamilies.h"
#include "planarity/PlanarityVerdict.h"

namespace {

LightGraph Light(int n, const EdgeList& edges) {
    LightGraph g{n, {}};
    for (const auto& [a, b] : edges) g.edges.emplace_back(a, b);
    return g;
}

TEST(PlanarityVerdict, AgreesWithKuratowskiAndTheCommand) {
    std::mt19937 rng(77);
    int planar = 0;
    for (int round = 0; round < 400; ++round) {
        const int n = std::uniform_int_distribution<int>(5, 8)(rng);
        std::set<std::pair<int, int>> seen;
        EdgeList edges;
        const int m = std::uniform_int_distribution<int>(n, 3 * n - 5)(rng);
        while (static_cast<int>(edges.size()) < m) {
            const int a = rng() % n, b = rng() % n;
            if (a != b && seen.insert({std::min(a, b), std::max(a, b)}).second) edges.push_back({a, b});
        }
        const PlanarityVerdict v = TestPlanarity(Light(n, edges));
        ASSERT_TRUE(v.planar.has_value()) << v.message;
        ASSERT_EQ(*v.planar, IsPlanarByKuratowski(n, edges)) << "round " << round;
        ASSERT_EQ(*v.planar, CommandSaysPlanar(n, edges)) << "round " << round;
        planar += *v.planar;
    }
    EXPECT_GT(planar, 40);
    EXPECT_LT(planar, 360);
}

TEST(PlanarityVerdict, FamiliesAndRefusals) {
    EXPECT_EQ(TestPlanarity(Light(5, Complete(5))).planar, false);
    EXPECT_EQ(TestPlanarity(Light(6, CompleteBipartite(3, 3))).planar, false);
    EXPECT_EQ(TestPlanarity(Light(30 * 30, Grid(30, 30))).planar, true);
    EXPECT_EQ(TestPlanarity(Light(0, {})).planar, true);

    const PlanarityVerdict parallel = TestPlanarity(Light(3, {{0, 1}, {1, 0}, {1, 2}}));
    EXPECT_FALSE(parallel.planar.has_value());
    EXPECT_EQ(parallel.message, "The graph is not simple.");
    EXPECT_FALSE(TestPlanarity(Light(2, {{0, 5}})).planar.has_value());

    // A single loop passes the command's preamble and leaves the verdict alone; a repeated
    // loop is a repeated pair.
    EdgeList k5Loop = Complete(5);
    k5Loop.push_back({2, 2});
    EXPECT_EQ(TestPlanarity(Light(5, k5Loop)).planar, false);
    EXPECT_FALSE(CommandSaysPlanar(5, k5Loop));
    const PlanarityVerdict loop = TestPlanarity(Light(2, {{0, 0}, {0, 1}}));
    EXPECT_EQ(loop.planar, true);
    EXPECT_EQ(loop.message, "The graph is planar.");
    EXPECT_TRUE(CommandSaysPlanar(2, {{0, 0}, {0, 1}}));
    EXPECT_EQ(TestPlanarity(Light(2, {{1, 1}, {1, 1}})).message, "The graph is not simple.");
}

} // namespace
