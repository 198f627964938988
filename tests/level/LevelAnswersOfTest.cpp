// The witness and crossing minimisation of light graphs: witnesses checked for minimality
// with the exact test, orders checked for what they claim, and the graphs they refuse.

#include <gtest/gtest.h>

#include <map>
#include <random>
#include <set>

#include "level/LevelAnswersOf.h"
#include "level/LevelPlanarityOf.h"

namespace {

struct Instance {
    LightGraph g;
    std::vector<std::int32_t> levels;
};

// Vertices on levels 0..levelCount-1 (every level used), edges between distinct levels;
// with `proper` only between adjacent ones.
Instance RandomInstance(std::mt19937& rng, bool proper) {
    const int levelCount = std::uniform_int_distribution<int>(2, 4)(rng);
    const int n = std::uniform_int_distribution<int>(levelCount + 1, 8)(rng);
    Instance in{{n, {}}, std::vector<std::int32_t>(n)};
    for (int v = 0; v < n; ++v) in.levels[v] = v < levelCount ? v : int(rng() % levelCount);
    std::set<std::pair<int, int>> seen;
    for (int tries = 0; tries < 3 * n; ++tries) {
        int a = rng() % n, b = rng() % n;
        const int span = std::abs(in.levels[a] - in.levels[b]);
        if (span == 0 || (proper && span != 1)) continue;
        if (a > b) std::swap(a, b);
        if (seen.insert({a, b}).second) in.g.edges.emplace_back(a, b);
    }
    return in;
}

bool LevelPlanar(const LightGraph& g, const std::vector<std::int32_t>& levels) {
    const LevelPlanarityVerdict v = TestLevelPlanarityOf(g, levels);
    EXPECT_TRUE(v.planar.has_value()) << v.message;
    return v.planar.value_or(false);
}

LightGraph WithEdges(const LightGraph& g, const std::vector<std::int32_t>& keep, std::int32_t skip = -1) {
    LightGraph sub{g.vertexCount, {}};
    for (std::int32_t k : keep)
        if (k != skip) sub.edges.push_back(g.edges[k]);
    return sub;
}

// Crossings of a proper graph drawn with the given orders, counted pair by pair.
std::int64_t CrossingsOfOrders(const Instance& in, const CrossingMinimumOf& m) {
    std::map<std::int32_t, int> place;
    for (const auto& [level, order] : m.orders)
        for (std::size_t i = 0; i < order.size(); ++i) place[order[i]] = static_cast<int>(i);
    std::int64_t crossings = 0;
    const auto& edges = in.g.edges;
    for (std::size_t i = 0; i < edges.size(); ++i)
        for (std::size_t j = i + 1; j < edges.size(); ++j) {
            auto [a, b] = edges[i];
            auto [c, d] = edges[j];
            if (in.levels[a] > in.levels[b]) std::swap(a, b);
            if (in.levels[c] > in.levels[d]) std::swap(c, d);
            if (in.levels[a] != in.levels[c]) continue;
            if (static_cast<std::int64_t>(place[a] - place[c]) * (place[b] - place[d]) < 0) ++crossings;
        }
    return crossings;
}

} // namespace

TEST(LevelAnswersOf, WitnessIsAMinimalNonLevelPlanarEdgeSet) {
    std::mt19937 rng(18);
    int witnesses = 0, planar = 0;
    for (int round = 0; round < 250; ++round) {
        const Instance in = RandomInstance(rng, false);
        const LevelWitnessOf w = FindLevelWitnessOf(in.g, in.levels);
        ASSERT_TRUE(w.planar.has_value()) << w.message;
        ASSERT_EQ(*w.planar, LevelPlanar(in.g, in.levels)) << "round " << round;
        if (*w.planar) {
            ++planar;
            EXPECT_TRUE(w.edges.empty());
            EXPECT_EQ(w.message, "The graph is level planar");
            continue;
        }
        ++witnesses;
        ASSERT_FALSE(w.edges.empty());
        for (std::size_t i = 0; i < w.edges.size(); ++i) {
            ASSERT_GE(w.edges[i], 0);
            ASSERT_LT(w.edges[i], static_cast<std::int32_t>(in.g.edges.size()));
            if (i > 0) {
                ASSERT_LT(w.edges[i - 1], w.edges[i]);
            }
        }
        EXPECT_FALSE(LevelPlanar(WithEdges(in.g, w.edges), in.levels)) << "round " << round;
        for (std::int32_t k : w.edges)
            EXPECT_TRUE(LevelPlanar(WithEdges(in.g, w.edges, k), in.levels)) << "round " << round << " edge " << k;
    }
    // Both answers must have come up often enough for the checks to mean something.
    EXPECT_GT(witnesses, 30);
    EXPECT_GT(planar, 30);
}

TEST(LevelAnswersOf, MinimizedOrdersAreCompleteAndCountTheirCrossings) {
    std::mt19937 rng(81);
    for (int round = 0; round < 200; ++round) {
        const Instance in = RandomInstance(rng, true);
        const CrossingMinimumOf m = MinimizeCrossingsOf(in.g, in.levels, 7);
        ASSERT_FALSE(m.refused) << m.message;
        ASSERT_FALSE(m.cancelled);
        std::vector<int> seen(in.g.vertexCount, 0);
        for (const auto& [level, order] : m.orders)
            for (std::int32_t v : order) {
                ASSERT_EQ(in.levels[v], level) << "round " << round;
                ++seen[v];
            }
        EXPECT_EQ(std::count(seen.begin(), seen.end(), 1), in.g.vertexCount) << "round " << round;
        EXPECT_EQ(m.crossings, CrossingsOfOrders(in, m)) << "round " << round;
        // A level planar graph is drawn without any crossing.
        if (LevelPlanar(in.g, in.levels)) EXPECT_EQ(m.crossings, 0) << "round " << round;
        else EXPECT_GT(m.crossings, 0) << "round " << round;
        const CrossingMinimumOf again = MinimizeCrossingsOf(in.g, in.levels, 7);
        EXPECT_EQ(again.orders, m.orders) << "round " << round;
        // Components side by side on every level, in the order of their first vertices.
        std::vector<int> component(in.g.vertexCount);
        for (int v = 0; v < in.g.vertexCount; ++v) component[v] = v;
        for (bool joined = true; joined;) {
            joined = false;
            for (const auto& [a, b] : in.g.edges)
                if (component[a] != component[b]) {
                    component[a] = component[b] = std::min(component[a], component[b]);
                    joined = true;
                }
        }
        for (const auto& [level, order] : m.orders)
            for (std::size_t i = 1; i < order.size(); ++i)
                EXPECT_LE(component[order[i - 1]], component[order[i]]) << "round " << round << ", level " << level;
    }
}

TEST(LevelAnswersOf, RefusesWhatCannotBeLevelled) {
    const LightGraph path{3, {{0, 1}, {1, 2}}};
    const std::vector<std::int32_t> flat{1, 1, 2};
    const LevelWitnessOf sameLevel = FindLevelWitnessOf(path, flat);
    EXPECT_FALSE(sameLevel.planar.has_value());
    EXPECT_EQ(sameLevel.message, "There are edges between vertices on the same level.");
    const CrossingMinimumOf sameLevelMin = MinimizeCrossingsOf(path, flat, 0);
    EXPECT_TRUE(sameLevelMin.refused);
    EXPECT_EQ(sameLevelMin.message, "There are edges between vertices on the same level.");

    const std::vector<std::int32_t> tooFew{1, 2};
    EXPECT_EQ(FindLevelWitnessOf(path, tooFew).message, "Every vertex needs a level.");
    const LightGraph doubled{2, {{0, 1}, {1, 0}}};
    const std::vector<std::int32_t> two{1, 2};
    EXPECT_EQ(MinimizeCrossingsOf(doubled, two, 0).message, "The graph is not simple.");
    const LightGraph dangling{2, {{0, 5}}};
    EXPECT_FALSE(FindLevelWitnessOf(dangling, two).planar.has_value());
}

TEST(LevelAnswersOf, CancelledWitnessSearchGivesNoVerdict) {
    // K3,3 on two levels is not level planar, so the search has tests to stop between.
    LightGraph k33{6, {}};
    for (int a = 0; a < 3; ++a)
        for (int b = 3; b < 6; ++b) k33.edges.emplace_back(a, b);
    const std::vector<std::int32_t> levels{1, 1, 1, 2, 2, 2};
    const LevelWitnessOf w = FindLevelWitnessOf(k33, levels, [] { return false; });
    EXPECT_TRUE(w.cancelled);
    EXPECT_FALSE(w.planar.has_value());
    EXPECT_TRUE(w.edges.empty());
}
