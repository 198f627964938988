// The verdict of the planarity command against graphs whose planarity is known
// independently: an exhaustive Kuratowski search on small graphs, Euler's bound, and
// families that are planar or not by construction.

#include <gtest/gtest.h>

#include <numeric>
#include <set>

#include "GraphFamilies.h"

namespace {

EdgeList RandomSimpleGraph(int n, int m, std::mt19937& rng) {
    std::set<std::pair<int, int>> seen;
    EdgeList edges;
    std::uniform_int_distribution<int> pick(0, n - 1);
    while (static_cast<int>(edges.size()) < m) {
        int a = pick(rng), b = pick(rng);
        if (a == b || !seen.insert({std::min(a, b), std::max(a, b)}).second) continue;
        edges.push_back({a, b});
    }
    return edges;
}

TEST(Verdict, AgreesWithKuratowskiOnRandomSmallGraphs) {
    std::mt19937 rng(20240611);
    int planar = 0, nonPlanar = 0;
    for (int round = 0; round < 3000; ++round) {
        const int n = std::uniform_int_distribution<int>(5, 9)(rng);
        const int maxM = n * (n - 1) / 2;
        const int m = std::uniform_int_distribution<int>(n, std::min(maxM, 3 * n - 5))(rng);
        const EdgeList edges = RandomSimpleGraph(n, m, rng);
        const bool expected = IsPlanarByKuratowski(n, edges);
        (expected ? planar : nonPlanar)++;
        ASSERT_EQ(CommandSaysPlanar(n, edges), expected) << "round " << round << " n " << n << " m " << m;
    }
    EXPECT_GT(planar, 300);
    EXPECT_GT(nonPlanar, 300);
}

} // namespace

namespace {

// Vertices of the triangulation that are not adjacent yet, for an edge that breaks
// Euler's bound.
std::pair<int, int> MissingEdge(int n, const EdgeList& edges, std::mt19937& rng) {
    std::set<std::pair<int, int>> present;
    for (auto [a, b] : edges) present.insert({std::min(a, b), std::max(a, b)});
    std::uniform_int_distribution<int> pick(0, n - 1);
    while (true) {
        const int a = pick(rng), b = pick(rng);
        if (a != b && !present.count({std::min(a, b), std::max(a, b)})) return {a, b};
    }
}

TEST(Verdict, TriangulationsArePlanarAndOneMoreEdgeIsNot) {
    std::mt19937 rng(8);
    for (int round = 0; round < 60; ++round) {
        const int n = std::uniform_int_distribution<int>(6, 300)(rng);
        EdgeList edges = round % 2 ? StackedTriangulation(n, rng) : FlippedTriangulation(n, n / 2, rng);
        Shuffle(edges, rng);
        ASSERT_TRUE(CommandSaysPlanar(n, edges)) << "round " << round;
        // Planar graphs that are not maximal: drop a random part of the edges.
        EdgeList sparse = edges;
        sparse.resize(std::uniform_int_distribution<std::size_t>(n - 1, edges.size())(rng));
        ASSERT_TRUE(CommandSaysPlanar(n, sparse)) << "round " << round;
        edges.insert(edges.begin() + std::uniform_int_distribution<std::size_t>(0, edges.size())(rng),
                     MissingEdge(n, edges, rng));
        ASSERT_FALSE(CommandSaysPlanar(n, edges)) << "round " << round;
    }
}

TEST(Verdict, KnownFamilies) {
    int n = 0;
    for (int rows = 1; rows <= 8; ++rows)
        for (int columns = 2; columns <= 9; ++columns) EXPECT_TRUE(CommandSaysPlanar(rows * columns, Grid(rows, columns)));
    EXPECT_TRUE(CommandSaysPlanar(4, Complete(4)));
    EXPECT_FALSE(CommandSaysPlanar(5, Complete(5)));
    EXPECT_FALSE(CommandSaysPlanar(6, CompleteBipartite(3, 3)));
    EXPECT_TRUE(CommandSaysPlanar(12, CompleteBipartite(2, 10)));
    EXPECT_FALSE(CommandSaysPlanar(10, Petersen()));
    EdgeList petersen = Petersen();
    petersen.erase(petersen.begin() + 4);
    EXPECT_FALSE(CommandSaysPlanar(10, petersen)); // crossing number 2
    EdgeList k33 = CompleteBipartite(3, 3);
    k33.pop_back();
    EXPECT_TRUE(CommandSaysPlanar(6, k33));
    for (int extra = 1; extra <= 3; ++extra) {
        const EdgeList k5 = Subdivide(Complete(5), 5, extra, n);
        EXPECT_FALSE(CommandSaysPlanar(n, k5));
        const EdgeList k33s = Subdivide(CompleteBipartite(3, 3), 6, extra, n);
        EXPECT_FALSE(CommandSaysPlanar(n, k33s));
    }
}

TEST(Verdict, KuratowskiSubdivisionsHiddenInPlanarGraphs) {
    std::mt19937 rng(21);
    for (int round = 0; round < 40; ++round) {
        const int base = std::uniform_int_distribution<int>(8, 60)(rng);
        EdgeList edges = FlippedTriangulation(base, base, rng);
        edges.resize(edges.size() * 2 / 3);
        // A subdivided K5 or K3,3 whose branch vertices are vertices of the planar graph.
        std::vector<int> branch(base);
        std::iota(branch.begin(), branch.end(), 0);
        std::shuffle(branch.begin(), branch.end(), rng);
        const bool k5 = round % 2;
        const EdgeList kuratowski = k5 ? Complete(5) : CompleteBipartite(3, 3);
        int n = base;
        for (auto [a, b] : kuratowski) {
            const int len = std::uniform_int_distribution<int>(0, 2)(rng);
            int prev = branch[a];
            for (int i = 0; i < len; ++i) {
                edges.push_back({prev, n});
                prev = n++;
            }
            edges.push_back({prev, branch[b]});
        }
        std::set<std::pair<int, int>> seen;
        std::erase_if(edges, [&](std::pair<int, int> e) {
            return !seen.insert({std::min(e.first, e.second), std::max(e.first, e.second)}).second;
        });
        Shuffle(edges, rng);
        ASSERT_FALSE(CommandSaysPlanar(n, edges)) << "round " << round;
    }
}

TEST(Verdict, BlocksJoinedAtCutVertices) {
    // A chain of K4s sharing one vertex each: planar; one K5 among them makes it non planar.
    for (const bool withK5 : {false, true}) {
        EdgeList edges;
        int n = 1;
        for (int link = 0; link < 12; ++link) {
            const int size = withK5 && link == 7 ? 5 : 4;
            std::vector<int> vs{n - 1};
            for (int i = 1; i < size; ++i) vs.push_back(n++);
            for (int i = 0; i < size; ++i)
                for (int j = i + 1; j < size; ++j) edges.push_back({vs[i], vs[j]});
        }
        EXPECT_EQ(CommandSaysPlanar(n, edges), !withK5);
    }
}

TEST(Verdict, LargeGraphs) {
    std::mt19937 rng(3);
    EdgeList tri = FlippedTriangulation(3000, 300, rng);
    Shuffle(tri, rng);
    EXPECT_TRUE(CommandSaysPlanar(3000, tri));
    tri.push_back(MissingEdge(3000, tri, rng));
    EXPECT_FALSE(CommandSaysPlanar(3000, tri));
    // A long cycle makes the depth-first searches as deep as the graph.
    EdgeList cycle;
    for (int i = 0; i < 100000; ++i) cycle.push_back({i, (i + 1) % 100000});
    EXPECT_TRUE(CommandSaysPlanar(100000, cycle));
}

// Graphs on which the rules as first written gave the wrong answer; each is the smallest
// found by the random comparison with the Kuratowski search.
TEST(Verdict, FaultsOfTheFirstRules) {
    // A Q-node root with one partial child after its full children: the partial child
    // must open with its full side towards them.
    const EdgeList q3 = {{5, 3}, {1, 4}, {4, 3}, {0, 2}, {3, 2}, {4, 0}, {1, 0}, {4, 5}, {1, 3}, {5, 1}, {4, 2}};
    ASSERT_TRUE(IsPlanarByKuratowski(6, q3));
    EXPECT_TRUE(CommandSaysPlanar(6, q3));
    const EdgeList q3NonPlanar = {{6, 3}, {7, 3}, {0, 7}, {3, 1}, {7, 1}, {5, 8}, {4, 5}, {1, 0}, {6, 8},
                                  {4, 8}, {4, 2}, {3, 8}, {2, 6}, {4, 7}, {4, 1}, {6, 4}, {5, 0}};
    ASSERT_FALSE(IsPlanarByKuratowski(9, q3NonPlanar));
    EXPECT_FALSE(CommandSaysPlanar(9, q3NonPlanar));
    // Vertex 3 hangs at vertex 0: the edge {0, 3} is not in the block of 0's other edges
    // and must not get a leaf in that block's tree.
    const EdgeList pendant = {{3, 0}, {2, 4}, {2, 1}, {2, 5}, {4, 5}, {0, 5}, {0, 1}, {1, 4}};
    ASSERT_TRUE(IsPlanarByKuratowski(6, pendant));
    EXPECT_TRUE(CommandSaysPlanar(6, pendant));
}

} // namespace
