// The left-right test, the Kuratowski search and the grid drawing, each answer checked by
// an independent helper: the verdict against an exhaustive search, every subdivision
// traced path by path, every drawing for crossings in exact arithmetic.

#include <gtest/gtest.h>

#include <set>

#include "GraphFamilies.h"
#include "PlanarEvidence.h"
#include "planarity/KuratowskiSubdivision.h"
#include "planarity/PlanarGridDrawing.h"

namespace {

EdgeList RandomSimpleGraph(int n, int m, std::mt19937& rng) {
    std::set<std::pair<int, int>> seen;
    EdgeList edges;
    std::uniform_int_distribution<int> pick(0, n - 1);
    while (static_cast<int>(edges.size()) < m) {
        const int a = pick(rng), b = pick(rng);
        if (a == b || !seen.insert({std::min(a, b), std::max(a, b)}).second) continue;
        edges.push_back({a, b});
    }
    return edges;
}

// The graph's evidence, whichever way it goes; returns the verdict.
bool CheckEvidence(int n, const EdgeList& edges) {
    KuratowskiSubdivision k;
    const KuratowskiOutcome outcome = FindKuratowskiSubdivision(n, edges, k);
    const std::optional<PlanarGridDrawing> drawing = DrawPlanarOnGrid(n, edges);
    EXPECT_EQ(outcome == KuratowskiOutcome::Planar, drawing.has_value());
    EXPECT_EQ(TestPlanarityLR(n, edges), drawing.has_value());
    if (drawing) {
        std::vector<IntPoint> points;
        for (const GridPoint& p : drawing->m_points) {
            EXPECT_TRUE(p.x >= 0 && p.x <= drawing->m_width && p.y >= 0 && p.y <= drawing->m_height);
            points.push_back({p.x, p.y});
        }
        EXPECT_EQ(CheckPlanarDrawing(edges, points), "") << "n " << n << " m " << edges.size();
        return true;
    }
    EXPECT_EQ(CheckKuratowskiSubdivision(edges, k.m_edges, k.m_kind == KuratowskiKind::K5), "")
        << "n " << n << " m " << edges.size();
    EXPECT_EQ(k.m_branches.size(), k.m_kind == KuratowskiKind::K5 ? 5u : 6u);
    return false;
}

TEST(PlanarEvidence, VerdictAgreesWithExhaustiveSearchOnSmallGraphs) {
    std::mt19937 rng(7311);
    int planar = 0, nonPlanar = 0;
    for (int round = 0; round < 1500; ++round) {
        const int n = std::uniform_int_distribution<int>(5, 9)(rng);
        const int m = std::uniform_int_distribution<int>(n - 1, std::min(n * (n - 1) / 2, 3 * n - 5))(rng);
        const EdgeList edges = RandomSimpleGraph(n, m, rng);
        const bool expected = IsPlanarByKuratowski(n, edges);
        (expected ? planar : nonPlanar)++;
        ASSERT_EQ(CheckEvidence(n, edges), expected) << "round " << round;
        if (HasFailure()) return;
    }
    EXPECT_GT(planar, 200);
    EXPECT_GT(nonPlanar, 200);
}

TEST(PlanarEvidence, KuratowskiGraphsAndTheirSubdivisions) {
    std::mt19937 rng(99);
    for (const auto& [base, n, k5] : {std::tuple{Complete(5), 5, true}, std::tuple{CompleteBipartite(3, 3), 6, false},
                                      std::tuple{Petersen(), 10, false}, std::tuple{Complete(7), 7, true}}) {
        int count = n;
        EdgeList edges = Subdivide(base, n, 2, count);
        Shuffle(edges, rng);
        KuratowskiSubdivision k;
        ASSERT_EQ(FindKuratowskiSubdivision(count, edges, k), KuratowskiOutcome::Found);
        EXPECT_EQ(CheckKuratowskiSubdivision(edges, k.m_edges, k.m_kind == KuratowskiKind::K5), "");
        if (n != 7) { EXPECT_EQ(k.m_kind == KuratowskiKind::K5, k5) << n; } // Petersen holds no K5 subdivision
    }
}

TEST(PlanarEvidence, NonPlanarComponentAfterPlanarOnes) {
    // A path, then K3,3 with its vertices numbered after it: the witness lies in the second.
    EdgeList edges{{0, 1}, {1, 2}};
    for (auto [a, b] : CompleteBipartite(3, 3)) edges.push_back({a + 3, b + 3});
    KuratowskiSubdivision k;
    ASSERT_EQ(FindKuratowskiSubdivision(9, edges, k), KuratowskiOutcome::Found);
    EXPECT_EQ(k.m_kind, KuratowskiKind::K33);
    EXPECT_EQ(k.m_edges.size(), 9u);
    EXPECT_EQ(k.m_branches, (std::vector<std::int32_t>{3, 4, 5, 6, 7, 8}));
}

TEST(PlanarEvidence, DrawingsOfPlanarFamilies) {
    std::mt19937 rng(4242);
    std::vector<std::pair<int, EdgeList>> graphs = {
        {0, {}}, {1, {}}, {2, {{0, 1}}}, {3, {{0, 1}, {1, 2}}}, {4, {{0, 1}, {2, 3}}},
        {7, {{0, 1}, {0, 2}, {0, 3}, {0, 4}, {0, 5}, {0, 6}}}, // a star: one face meets the centre six times
        {12, Grid(3, 4)}, {60, StackedTriangulation(60, rng)}, {80, FlippedTriangulation(80, 200, rng)},
    };
    // Random trees and sparse random planar subgraphs of triangulations, with isolated vertices.
    for (int round = 0; round < 30; ++round) {
        const int n = std::uniform_int_distribution<int>(4, 40)(rng);
        EdgeList tree;
        for (int v = 1; v < n; ++v) tree.push_back({std::uniform_int_distribution<int>(0, v - 1)(rng), v});
        graphs.push_back({n, tree});
        EdgeList sparse = StackedTriangulation(n, rng);
        Shuffle(sparse, rng);
        sparse.resize(sparse.size() / 2);
        graphs.push_back({n + 2, sparse});
    }
    for (const auto& [n, edges] : graphs) {
        EXPECT_TRUE(CheckEvidence(n, edges)) << n;
        if (HasFailure()) return;
    }
}

TEST(PlanarEvidence, ComponentsSideBySide) {
    // Two triangles and an isolated vertex: each component keeps to its own columns.
    const EdgeList edges{{0, 1}, {1, 2}, {2, 0}, {4, 5}, {5, 6}, {6, 4}};
    const std::optional<PlanarGridDrawing> d = DrawPlanarOnGrid(7, edges);
    ASSERT_TRUE(d);
    auto maxX = [&](std::initializer_list<int> vs) {
        std::int64_t m = 0;
        for (int v : vs) m = std::max(m, d->m_points[v].x);
        return m;
    };
    auto minX = [&](std::initializer_list<int> vs) {
        std::int64_t m = d->m_width;
        for (int v : vs) m = std::min(m, d->m_points[v].x);
        return m;
    };
    EXPECT_EQ(minX({0, 1, 2}), 0);
    EXPECT_LT(maxX({0, 1, 2}), d->m_points[3].x);
    EXPECT_LT(d->m_points[3].x, minX({4, 5, 6}));
    EXPECT_EQ(maxX({4, 5, 6}), d->m_width);
}

} // namespace
