// The Kuratowski search on non-planar graphs of a few hundred vertices, where the witness
// has to be narrowed down from far more edges than it holds: every answer is traced by the
// independent checker.

#include <gtest/gtest.h>

#include <numeric>
#include <set>

#include "GraphFamilies.h"
#include "PlanarEvidence.h"
#include "planarity/KuratowskiSubdivision.h"

namespace {

EdgeList WithoutRepeats(EdgeList edges) {
    std::set<std::pair<int, int>> seen;
    std::erase_if(edges, [&](std::pair<int, int> e) {
        return e.first == e.second || !seen.insert({std::min(e.first, e.second), std::max(e.first, e.second)}).second;
    });
    return edges;
}

// A side x side grid with one diagonal per square, and an edge between two inner vertices
// far apart: the witness has to run the length of the grid.
EdgeList TriangulatedGridWithChord(int side) {
    EdgeList edges;
    for (int r = 0; r < side; ++r)
        for (int c = 0; c < side; ++c) {
            const int v = r * side + c;
            if (c + 1 < side) edges.push_back({v, v + 1});
            if (r + 1 < side) edges.push_back({v, v + side});
            if (c + 1 < side && r + 1 < side) edges.push_back({v, v + side + 1});
        }
    const int q = side / 4;
    edges.push_back({q * side + q, (side - 1 - q) * side + side - 1 - q});
    return edges;
}

void ExpectWitness(int n, const EdgeList& edges, const std::string& what) {
    KuratowskiSubdivision k;
    ASSERT_EQ(FindKuratowskiSubdivision(n, edges, k), KuratowskiOutcome::Found) << what;
    EXPECT_EQ(CheckKuratowskiSubdivision(edges, k.m_edges, k.m_kind == KuratowskiKind::K5), "") << what;
    std::set<int> ends;
    for (int e : k.m_edges) ends.insert({edges[e].first, edges[e].second});
    for (int b : k.m_branches) EXPECT_TRUE(ends.count(b)) << what << ": branch vertex " << b << " off the witness";
}

TEST(KuratowskiSearch, WitnessesInLargerNonPlanarFamilies) {
    std::mt19937 rng(160);
    for (int round = 0; round < 6; ++round) {
        const int base = std::uniform_int_distribution<int>(120, 240)(rng);
        // A maximal planar graph is one edge short of non-planar.
        EdgeList full = FlippedTriangulation(base, base, rng);
        std::set<std::pair<int, int>> present;
        for (auto [a, b] : full) present.insert({std::min(a, b), std::max(a, b)});
        for (int a = 0;; ++a) {
            const int b = std::uniform_int_distribution<int>(0, base - 1)(rng);
            if (a != b && !present.count({std::min(a, b), std::max(a, b)})) {
                full.push_back({a, b});
                break;
            }
        }
        Shuffle(full, rng);
        ExpectWitness(base, full, "triangulation plus an edge, round " + std::to_string(round));

        // A subdivided K5 or K3,3 laid over a sparse planar graph.
        EdgeList hidden = FlippedTriangulation(base, base, rng);
        Shuffle(hidden, rng);
        hidden.resize(hidden.size() / 2);
        std::vector<int> branch(base);
        std::iota(branch.begin(), branch.end(), 0);
        std::shuffle(branch.begin(), branch.end(), rng);
        int n = base;
        for (auto [a, b] : round % 2 ? Complete(5) : CompleteBipartite(3, 3)) {
            int prev = branch[a];
            for (int i = std::uniform_int_distribution<int>(0, 6)(rng); i > 0; --i) {
                hidden.push_back({prev, n});
                prev = n++;
            }
            hidden.push_back({prev, branch[b]});
        }
        hidden = WithoutRepeats(hidden);
        Shuffle(hidden, rng);
        ExpectWitness(n, hidden, "hidden subdivision, round " + std::to_string(round));

        // Random graphs just over the edge bound of planar graphs.
        EdgeList dense;
        std::uniform_int_distribution<int> pick(0, base - 1);
        while (dense.size() < std::size_t(3 * base - 5)) {
            dense.push_back({pick(rng), pick(rng)});
            dense = WithoutRepeats(dense);
        }
        ExpectWitness(base, dense, "dense, round " + std::to_string(round));
        if (HasFailure()) return;
    }
    for (int side : {6, 12, 18}) ExpectWitness(side * side, TriangulatedGridWithChord(side), "grid " + std::to_string(side));
}

TEST(KuratowskiSearch, GridsWithLongHandles) {
    // Long paths between random vertices of a grid: the test's conflict often lies far from
    // the witness, and the search has to find the edges the witness needs one by one.
    std::mt19937 rng(3);
    int nonPlanar = 0;
    for (int round = 0; round < 16; ++round) {
        const int side = 16;
        int n = side * side;
        EdgeList edges = round % 2 ? TriangulatedGridWithChord(side) : Grid(side, side);
        if (round % 2) edges.pop_back();
        std::uniform_int_distribution<int> pick(0, side * side - 1);
        for (int handle = 0; handle <= round % 3; ++handle) {
            int prev = pick(rng);
            for (int i = std::uniform_int_distribution<int>(0, 30)(rng); i > 0; --i) {
                edges.push_back({prev, n});
                prev = n++;
            }
            edges.push_back({prev, pick(rng)});
        }
        edges = WithoutRepeats(edges);
        Shuffle(edges, rng);
        if (TestPlanarityLR(n, edges)) continue;
        ++nonPlanar;
        ExpectWitness(n, edges, "handles, round " + std::to_string(round));
        if (HasFailure()) return;
    }
    EXPECT_GE(nonPlanar, 8);
}

TEST(KuratowskiSearch, WitnessStaysInTheFirstNonPlanarComponent) {
    // Components interleaved in the numbering: a planar one holding vertex 0, two
    // non-planar grids with chords, isolated vertices between. The witness lies in the
    // non-planar component with the smaller least vertex, whichever grid that is.
    std::mt19937 rng(16);
    for (int round = 0; round < 4; ++round) {
        const int side = 10 + 2 * round, cells = side * side;
        std::vector<EdgeList> parts{FlippedTriangulation(60, 60, rng), TriangulatedGridWithChord(side),
                                    TriangulatedGridWithChord(side + 1)};
        const std::vector<int> sizes{60, cells, (side + 1) * (side + 1)};
        const int n = sizes[0] + sizes[1] + sizes[2] + 40;
        std::vector<int> label(n);
        std::iota(label.begin(), label.end(), 0);
        std::shuffle(label.begin() + 1, label.end(), rng); // vertex 0 stays in the planar part
        EdgeList edges;
        std::vector<int> part(n, -1);
        int offset = 0;
        for (int p = 0; p < 3; ++p) {
            for (auto [a, b] : parts[p]) edges.push_back({label[offset + a], label[offset + b]});
            for (int v = 0; v < sizes[p]; ++v) part[label[offset + v]] = p;
            offset += sizes[p];
        }
        Shuffle(edges, rng);
        int first = -1;
        for (int v = 0; v < n && first < 0; ++v)
            if (part[v] == 1 || part[v] == 2) first = part[v];
        KuratowskiSubdivision k;
        ASSERT_EQ(FindKuratowskiSubdivision(n, edges, k), KuratowskiOutcome::Found) << round;
        EXPECT_EQ(CheckKuratowskiSubdivision(edges, k.m_edges, k.m_kind == KuratowskiKind::K5), "") << round;
        for (int e : k.m_edges) EXPECT_EQ(part[edges[e].first], first) << "round " << round << ", edge " << e;
        if (HasFailure()) return;
    }
}

TEST(KuratowskiSearch, ParallelPathsLeaveOneWitness) {
    // K3,3 with every edge doubled by two paths of different lengths: smoothing makes them
    // parallel, and exactly one of each pair may stay.
    EdgeList edges;
    int n = 6;
    for (auto [a, b] : CompleteBipartite(3, 3)) {
        edges.push_back({a, n});
        edges.push_back({n++, b});
        edges.push_back({a, n});
        edges.push_back({n, n + 1});
        edges.push_back({n + 1, b});
        n += 2;
    }
    std::mt19937 rng(5);
    Shuffle(edges, rng);
    KuratowskiSubdivision k;
    ASSERT_EQ(FindKuratowskiSubdivision(n, edges, k), KuratowskiOutcome::Found);
    EXPECT_EQ(k.m_kind, KuratowskiKind::K33);
    EXPECT_EQ(CheckKuratowskiSubdivision(edges, k.m_edges, false), "");
    EXPECT_EQ(k.m_branches, (std::vector<std::int32_t>{0, 1, 2, 3, 4, 5}));
}

TEST(KuratowskiSearch, RepeatableAndCancellable) {
    const EdgeList edges = TriangulatedGridWithChord(16);
    KuratowskiSubdivision first, second;
    ASSERT_EQ(FindKuratowskiSubdivision(256, edges, first), KuratowskiOutcome::Found);
    ASSERT_EQ(FindKuratowskiSubdivision(256, edges, second), KuratowskiOutcome::Found);
    EXPECT_EQ(first.m_edges, second.m_edges);

    std::int64_t calls = 0, last = INT64_MAX;
    bool rising = false;
    KuratowskiSubdivision seen;
    ASSERT_EQ(FindKuratowskiSubdivision(256, edges, seen,
                                        [&](std::int64_t undecided) {
                                            rising |= undecided > last || undecided > std::int64_t(edges.size());
                                            last = undecided;
                                            return ++calls < 1000000;
                                        }),
              KuratowskiOutcome::Found);
    EXPECT_GT(calls, 1);
    EXPECT_FALSE(rising); // the progress bar never runs backwards
    EXPECT_EQ(last, 0);

    KuratowskiSubdivision cancelled;
    for (std::int64_t stop : {std::int64_t(0), calls / 2}) {
        std::int64_t left = stop;
        EXPECT_EQ(FindKuratowskiSubdivision(256, edges, cancelled, [&](std::int64_t) { return left-- > 0; }),
                  KuratowskiOutcome::Cancelled)
            << stop;
    }
}

} // namespace
