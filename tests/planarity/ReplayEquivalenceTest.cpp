// The snapshots recorded by the planarity command, node by node and mark by mark, against
// a plain implementation that follows the reduction rules literally.

#include <gtest/gtest.h>

#include <set>

#include "GraphFamilies.h"
#include "ReferenceReduction.h"

namespace {

using planarity_test::FlatSnapshot;

void ExpectSameReplay(int n, const EdgeList& edges, const std::string& what) {
    TestDoc t;
    t.d().m_autoCrossings = false;
    BuildDocument(t, n, edges);
    t.d().OnPlanarityTesting();
    const std::vector<FlatSnapshot> recorded = planarity_test::Flatten(t.d());
    std::vector<FlatSnapshot> expected;
    const bool planar = planarity_test::ReferencePlanarity(t.d(), expected);
    EXPECT_EQ(t.d().m_planarResult, planar ? 1 : 0) << what;
    ASSERT_EQ(recorded.size(), expected.size()) << what;
    for (std::size_t i = 0; i < recorded.size(); ++i)
        ASSERT_EQ(recorded[i], expected[i]) << what << ", snapshot " << i << ": " << expected[i].caption;
}

EdgeList RandomGraph(int n, int m, std::mt19937& rng) {
    std::set<std::pair<int, int>> seen;
    EdgeList edges;
    std::uniform_int_distribution<int> pick(0, n - 1);
    while (static_cast<int>(edges.size()) < m) {
        const int a = pick(rng), b = pick(rng);
        if (a != b && seen.insert({std::min(a, b), std::max(a, b)}).second) edges.push_back({a, b});
    }
    return edges;
}

TEST(ReplayEquivalence, RandomGraphsOfAllDensities) {
    std::mt19937 rng(4711);
    for (int round = 0; round < 600; ++round) {
        const int n = std::uniform_int_distribution<int>(3, 14)(rng);
        const int m = std::uniform_int_distribution<int>(n - 1, std::min(n * (n - 1) / 2, 3 * n - 4))(rng);
        ExpectSameReplay(n, RandomGraph(n, m, rng), "random graph, round " + std::to_string(round));
    }
}

TEST(ReplayEquivalence, PlanarGraphsFromTriangulations) {
    std::mt19937 rng(99);
    for (int round = 0; round < 150; ++round) {
        const int n = std::uniform_int_distribution<int>(4, 40)(rng);
        EdgeList edges = FlippedTriangulation(n, n, rng);
        Shuffle(edges, rng);
        // Dropping edges keeps the graph planar and gives blocks and cut vertices.
        const std::size_t keep = std::uniform_int_distribution<std::size_t>(edges.size() / 2, edges.size())(rng);
        edges.resize(keep);
        ExpectSameReplay(n, edges, "triangulation, round " + std::to_string(round));
    }
}

} // namespace
