// The fast count against the all-pairs definition on drawings crowded with degenerate
// cases: shared ends, vertices on one point, runs along one height or one column, loops,
// parallel edges, free ends, long edges out to the coordinate limits.

#include <gtest/gtest.h>

#include <algorithm>
#include <random>

#include "support/TestDoc.h"
#include "trees/ColourCrossingCount.h"
#include "trees/Crossings.h"

namespace {

// Vertices mostly on a coarse lattice of few rows and columns, some far out.
Point LatticePoint(std::mt19937& rng, int round) {
    const int side = 3 + round % 5;
    const int step = round % 4 == 0 ? 1 : 10;
    if (round % 3 == 2 && rng() % 6 == 0) {
        const std::int32_t far = 2'000'000'000;
        return {rng() % 2 ? far : -far, std::int32_t(rng() % 3) * (far / 2) - far / 2};
    }
    return {1000 + std::int32_t(rng() % side) * step, 1000 + std::int32_t(rng() % side) * step};
}

// The definition read straight off a snapshot: every unordered pair of one colour, no end
// in common, whose segments meet.
std::int64_t AllPairsOfTaken(const PendingCrossings& taken, std::uint16_t code) {
    std::vector<PendingCrossings::Edge> es;
    for (std::size_t i = 0; i < taken.Size(); ++i)
        if (taken.Code(i) == code) es.push_back(taken.At(i));
    std::int64_t count = 0;
    for (std::size_t i = 0; i < es.size(); ++i)
        for (std::size_t j = i + 1; j < es.size(); ++j) {
            const auto &e = es[i], &f = es[j];
            const void *a = e.v1, *b = e.v2, *c = f.v1, *d = f.v2;
            // Two free ends count as one end in common, as in the document count.
            if (a == c || a == d || b == c || b == d) continue;
            count += SegmentsIntersect(e.seg, f.seg);
        }
    return count;
}

} // namespace

TEST(CrossingsDifferential, FastCountEqualsAllPairsOnDegenerateDrawings) {
    std::mt19937 rng(11);
    for (int round = 0; round < 80; ++round) {
        TestDoc t;
        std::vector<CVertex*> vs;
        const int n = 4 + round % 30;
        for (int i = 0; i < n; ++i) {
            const Point p = LatticePoint(rng, round);
            vs.push_back(t.Vertex(p.x, p.y));
        }
        for (int i = 0; i < 3 * n; ++i) {
            CVertex* a = vs[rng() % vs.size()];
            // Loops, and now and then the same pair again.
            CVertex* b = rng() % 10 == 0 ? a : vs[rng() % vs.size()];
            const auto code = std::uint16_t(1 + rng() % (1 + round % 3));
            t.Edge(a, b, code);
            if (rng() % 8 == 0) t.Edge(b, a, code);
        }
        // Edges with a free end, and now and then an end at a vertex the document does not
        // hold: the document's snapshot gives neither a shared place.
        CVertex outside(LatticePoint(rng, round).x, LatticePoint(rng, round).y, 0);
        for (int i = 0; i < n / 4; ++i) {
            const Point p = LatticePoint(rng, round);
            auto* e = new CEdge(vs[rng() % vs.size()], p.x, p.y, std::uint16_t(1 + rng() % (1 + round % 3)));
            if (rng() % 3 == 0) e->m_v2 = &outside;
            t.d().AddElement(e);
        }
        std::vector<const CEdge*> edges;
        for (CEdge* e : t.Edges()) edges.push_back(e);
        const auto expected = CountCrossingsAllPairs(edges);
        ASSERT_EQ(CountCrossingsFast(edges), expected) << "round " << round;
        t.d().CountCrossings();
        for (std::uint16_t code = 1; code <= 8; ++code)
            ASSERT_EQ(t.d().CrossingsOf(code), expected[code - 1]) << "round " << round << " colour " << code;
        for (CEdge* e : t.Edges())
            if (e->m_v2 == &outside) e->m_v2 = nullptr; // the stack vertex goes first
    }
}

TEST(CrossingsDifferential, WorkersAndFreeEndsCountAsTheDefinitionDoes) {
    // A tall lattice of short edges between neighbouring rows, as on a level drawing or a
    // mesh, so that the work is split into many parts of rows; some edges have a free end.
    // In the second round some edges run far and every point holds two vertices.
    std::mt19937 rng(29);
    constexpr int kColumns = 30, kRows = 40;
    for (int round = 0; round < 2; ++round) {
        const int perPoint = round + 1;
        const int vertices = kColumns * kRows * perPoint;
        auto position = [&](int v) { return Point{(v / perPoint) % kColumns * 6, (v / perPoint) / kColumns * 5}; };
        auto identity = [](int v) { return reinterpret_cast<const void*>(std::uintptr_t(v + 1) * 8); };
        PendingCrossings taken;
        for (int i = 0; i < 2200; ++i) {
            const int a = int(rng() % vertices);
            int b = int(rng() % vertices);
            if (round == 0 || rng() % 40 != 0) {
                const int col = std::clamp((a / perPoint) % kColumns + int(rng() % 7) - 3, 0, kColumns - 1);
                const int row = std::clamp((a / perPoint) / kColumns + int(rng() % 3) - 1, 0, kRows - 1);
                b = (row * kColumns + col) * perPoint + int(rng() % perPoint);
            }
            const void* va = identity(a);
            const void* vb = identity(b);
            Segment s{position(a), position(b)};
            if (rng() % 40 == 0) {
                vb = nullptr;
                s.b = round == 0 ? s.a + Point{int(rng() % 9) - 4, int(rng() % 9) - 4} : Point{int(rng() % 180), int(rng() % 200)};
            }
            if (rng() % 60 == 0) va = nullptr;
            taken.Add(va, vb, s, std::uint16_t(rng() % 8 == 0 ? 2 : 1));
        }
        for (std::uint16_t code = 1; code <= 2; ++code) {
            const std::int64_t expected = AllPairsOfTaken(taken, code);
            EXPECT_EQ(CountColourCrossings(taken, code, 1), expected) << "round " << round << " colour " << code;
            EXPECT_EQ(CountColourCrossings(taken, code, 3), expected) << "round " << round << " colour " << code;
        }
    }
}

TEST(CrossingsDifferential, FewTallEdgesAmongShortOnesCountInEveryPart) {
    // A mesh of short edges over many rows, split into many parts of rows, and a few tall
    // edges, gathered apart from the short ones, that cross the short ones along their
    // whole height. Over the rounds their ends fall on every row, part boundaries among them.
    constexpr int kColumns = 40, kRows = 120, kTall = 12;
    std::mt19937 rng(41);
    for (int round = 0; round < 8; ++round) {
        PendingCrossings taken;
        auto at = [](int col, int row) { return Point{col * 10, row * 10}; };
        auto vertex = [](int col, int row) { return reinterpret_cast<const void*>(std::uintptr_t(row * kColumns + col + 1) * 8); };
        for (int row = 0; row < kRows; ++row)
            for (int col = 0; col + 1 < kColumns; ++col) {
                if (rng() % 5 == 0) continue;
                const int toRow = std::min(row + int(rng() % 2), kRows - 1);
                taken.Add(vertex(col, row), vertex(col + 1, toRow), Segment{at(col, row), at(col + 1, toRow)}, 1);
            }
        for (int k = 0; k < kTall; ++k) {
            const int bottom = (k * kRows / kTall + round) % kRows;
            const int top = std::max(0, bottom - 6 - int(rng() % 30));
            const int col = int(rng() % (kColumns - 1));
            // Between two columns, so that it crosses the short edges rather than meets them.
            taken.Add(nullptr, nullptr, Segment{at(col, top) + Point{5, 3}, at(col, bottom) + Point{5, 3}}, 1);
        }
        const std::int64_t expected = AllPairsOfTaken(taken, 1);
        ASSERT_GT(expected, 0);
        EXPECT_EQ(CountColourCrossings(taken, 1, 1), expected) << "round " << round;
        EXPECT_EQ(CountColourCrossings(taken, 1, 3), expected) << "round " << round;
    }
}
