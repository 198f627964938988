#include <gtest/gtest.h>

#include <random>

#include "support/TestDoc.h"
#include "trees/Crossings.h"
#include "editor/StatusPanes.h"

namespace {

std::vector<const CEdge*> EdgesOf(const TestDoc& t) {
    std::vector<const CEdge*> out;
    for (CEdge* e : t.Edges()) out.push_back(e);
    return out;
}

} // namespace

TEST(Crossings, DefinitionCases) {
    TestDoc t;
    CVertex* a = t.Vertex(100, 100);
    CVertex* b = t.Vertex(300, 300);
    CVertex* c = t.Vertex(100, 300);
    CVertex* d = t.Vertex(300, 100);
    t.Edge(a, b);
    t.Edge(c, d);
    t.Edge(a, c); // shares ends with both diagonals: never counts
    t.d().CountCrossings();
    EXPECT_EQ(t.d().CrossingsOf(kEdgeBlue), 1);
    EXPECT_EQ(t.d().TotalCrossings(), 1);

    // Different colours never cross.
    t.Edges()[1]->m_edgeColor = kEdgeRed;
    t.d().CountCrossings();
    EXPECT_EQ(t.d().TotalCrossings(), 0);

    // Collinear overlapping edges of one colour count once; an end lying on another edge counts.
    TestDoc u;
    CVertex* p = u.Vertex(100, 100);
    CVertex* q = u.Vertex(300, 100);
    CVertex* r = u.Vertex(200, 100);
    CVertex* s = u.Vertex(400, 100);
    u.Edge(p, q);
    u.Edge(r, s);
    u.d().CountCrossings();
    EXPECT_EQ(u.d().TotalCrossings(), 1);
    TestDoc w;
    CVertex* e1 = w.Vertex(100, 100);
    CVertex* e2 = w.Vertex(300, 100);
    CVertex* f1 = w.Vertex(200, 100); // on the first edge
    CVertex* f2 = w.Vertex(200, 300);
    w.Edge(e1, e2, kEdgeGreen);
    w.Edge(f1, f2, kEdgeGreen);
    w.d().CountCrossings();
    EXPECT_EQ(w.d().CrossingsOf(kEdgeGreen), 1);
}

TEST(Crossings, FastCountEqualsAllPairsOnRandomDrawings) {
    std::mt19937 rng(7);
    for (int round = 0; round < 60; ++round) {
        TestDoc t;
        // Small coordinate ranges make collinear, touching and shared-end cases common.
        const int range = round % 3 == 0 ? 6 : (round % 3 == 1 ? 40 : 4000);
        std::uniform_int_distribution<int> coord(0, range);
        std::vector<CVertex*> vs;
        const int n = 5 + round % 25;
        for (int i = 0; i < n; ++i) vs.push_back(t.Vertex(1000 + coord(rng) * 3, 1000 + coord(rng) * 3));
        std::uniform_int_distribution<int> pick(0, n - 1), colour(1, 3);
        for (int i = 0; i < 3 * n; ++i) {
            CVertex* a = vs[pick(rng)];
            CVertex* b = vs[pick(rng)];
            CEdge* e = t.Edge(a, b, static_cast<std::uint16_t>(colour(rng)));
            if (round % 5 == 0 && i % 7 == 0) e->m_edgeColor = 9; // outside the palette: never counted
        }
        // Drag offsets shift the segments too.
        vs[0]->m_offset = {7, -3};
        EXPECT_EQ(CountCrossingsFast(EdgesOf(t)), CountCrossingsAllPairs(EdgesOf(t))) << "round " << round;
    }
}

TEST(Crossings, EdgesBetweenTracksCountExactly) {
    // Level drawings: most edges join two tracks, so many share their two heights; ties in
    // x, parallel edges, edges along a track and edges over several tracks mix in.
    std::mt19937 rng(23);
    for (int round = 0; round < 60; ++round) {
        TestDoc t;
        const int tracks = 2 + round % 3, range = round % 2 == 0 ? 5 : 60;
        std::uniform_int_distribution<int> track(0, tracks - 1), coord(0, range);
        std::vector<std::vector<CVertex*>> on(tracks);
        for (int i = 0; i < 8 + round % 20; ++i) {
            const int k = track(rng);
            on[k].push_back(t.Vertex(1000 + 10 * coord(rng), 1000 + 30 * k));
        }
        for (int i = 0; i < 40 + round; ++i) {
            const int k = track(rng);
            const int l = round % 4 == 0 ? track(rng) : std::min(k + 1, tracks - 1);
            if (on[k].empty() || on[l].empty()) continue;
            CVertex* a = on[k][std::uniform_int_distribution<std::size_t>(0, on[k].size() - 1)(rng)];
            CVertex* b = on[l][std::uniform_int_distribution<std::size_t>(0, on[l].size() - 1)(rng)];
            if (a != b) t.Edge(a, b, i % 5 == 0 ? kEdgeRed : kEdgeBlue);
        }
        EXPECT_EQ(CountCrossingsFast(EdgesOf(t)), CountCrossingsAllPairs(EdgesOf(t))) << "round " << round;
    }
    // A vertical chain of collinear edges, every joint shared, next to one long edge along it.
    TestDoc chain;
    std::vector<CVertex*> joints;
    for (int i = 0; i < 50; ++i) joints.push_back(chain.Vertex(500, 100 + 20 * i));
    for (int i = 0; i + 1 < 50; ++i) chain.Edge(joints[i], joints[i + 1]);
    chain.Edge(chain.Vertex(500, 90), chain.Vertex(500, 1500));
    EXPECT_EQ(CountCrossingsFast(EdgesOf(chain)), CountCrossingsAllPairs(EdgesOf(chain)));
    EXPECT_EQ(CountCrossingsFast(EdgesOf(chain))[kEdgeBlue - 1], 49);
    // The same chain piled on one point (a long edge's bends clamped to the canvas border),
    // with a horizontal edge through the point and parallel edges along it.
    TestDoc piled;
    joints.clear();
    for (int i = 0; i < 60; ++i) joints.push_back(piled.Vertex(500, 100));
    for (int i = 0; i + 1 < 60; ++i) piled.Edge(joints[i], joints[i + 1]);
    CVertex* left = piled.Vertex(400, 100);
    CVertex* right = piled.Vertex(600, 100);
    piled.Edge(left, right);
    piled.Edge(left, right);
    piled.Edge(left, joints[0]);
    EXPECT_EQ(CountCrossingsFast(EdgesOf(piled)), CountCrossingsAllPairs(EdgesOf(piled)));
    // Two vertices on one point of a track, each with edges to the tracks below and above:
    // edges of different vertices meet there, edges of one vertex never count.
    TestDoc stacked;
    CVertex* a = stacked.Vertex(500, 130);
    CVertex* b = stacked.Vertex(500, 130);
    CVertex* upLeft = stacked.Vertex(400, 160);
    CVertex* upRight = stacked.Vertex(600, 160);
    stacked.Edge(stacked.Vertex(400, 100), a);
    stacked.Edge(stacked.Vertex(600, 100), b);
    stacked.Edge(a, upLeft);
    stacked.Edge(a, upRight);
    stacked.Edge(b, upRight);
    EXPECT_EQ(CountCrossingsFast(EdgesOf(stacked)), CountCrossingsAllPairs(EdgesOf(stacked)));
}

TEST(Crossings, LongEdgesAndWideCoordinatesStayExact) {
    std::mt19937 rng(11);
    TestDoc t;
    std::uniform_int_distribution<int> coord(0, 20000);
    std::vector<CVertex*> vs;
    for (int i = 0; i < 40; ++i) vs.push_back(t.Vertex(coord(rng), coord(rng)));
    for (int i = 0; i + 1 < 40; i += 2) t.Edge(vs[i], vs[i + 1]);
    EXPECT_EQ(CountCrossingsFast(EdgesOf(t)), CountCrossingsAllPairs(EdgesOf(t)));
    // Far beyond the canvas (a damaged file) 32-bit orientation products would wrap.
    vs[0]->m_center = {2000000000, 5};
    vs[3]->m_center = {-2000000000, 70000};
    EXPECT_EQ(CountCrossingsFast(EdgesOf(t)), CountCrossingsAllPairs(EdgesOf(t)));
    // Two crossing segments whose wrapped orientations would say they do not cross.
    TestDoc far;
    far.Edge(far.Vertex(20000, 90000), far.Vertex(10000, 40000));
    far.Edge(far.Vertex(10000, 70000), far.Vertex(70000, 70000));
    EXPECT_EQ(CountCrossingsAllPairs(EdgesOf(far))[kEdgeBlue - 1], 1);
    EXPECT_EQ(CountCrossingsFast(EdgesOf(far))[kEdgeBlue - 1], 1);
}

TEST(Crossings, LongEdgesAmongTallAndShortOnesCountExactly) {
    // Many short edges set the cell size; tall edges start far above the rows of long
    // flat and steep ones that they cross, which a window too narrow would miss.
    std::mt19937 rng(5);
    for (int round = 0; round < 8; ++round) {
        TestDoc t;
        std::uniform_int_distribution<int> x(0, 12000), y(0, 8000), step(-40, 40);
        for (int i = 0; i < 300; ++i) {
            const int px = x(rng), py = y(rng);
            t.Edge(t.Vertex(px, py), t.Vertex(px + step(rng), py + step(rng)));
        }
        for (int i = 0; i < 30; ++i) {
            const int px = x(rng), py = y(rng) / 4;
            t.Edge(t.Vertex(px, py), t.Vertex(px + step(rng) / 8, py + 2000 + 150 * round));
        }
        for (int i = 0; i < 6; ++i) {
            const int py = y(rng);
            t.Edge(t.Vertex(0, py), t.Vertex(12000, py + step(rng)));
            t.Edge(t.Vertex(x(rng), 0), t.Vertex(x(rng), 8000));
        }
        const auto fast = CountCrossingsFast(EdgesOf(t));
        EXPECT_EQ(fast, CountCrossingsAllPairs(EdgesOf(t))) << "round " << round;
        EXPECT_GT(fast[kEdgeBlue - 1], 30) << "round " << round;
    }
}

// A count is read later than it is asked for: it must still describe the drawing of the
// moment it was asked for, whatever moved or went since.
TEST(Crossings, CountReadLaterDescribesTheDrawingWhenAsked) {
    TestDoc t;
    CVertex* a = t.Vertex(100, 100);
    CVertex* b = t.Vertex(300, 300);
    CVertex* c = t.Vertex(100, 300);
    CVertex* d = t.Vertex(300, 100);
    t.Edge(a, b);
    t.Edge(c, d);
    t.d().CountCrossings();
    d->m_center = {100, 200}; // the diagonals no longer cross
    EXPECT_EQ(t.d().TotalCrossings(), 1);
    EXPECT_EQ(t.d().CrossingsOf(kEdgeBlue), 1);

    t.d().CountCrossings();
    d->m_center = {300, 100}; // they cross again, but the count was asked before
    EXPECT_EQ(t.d().TotalCrossings(), 0);

    t.d().CountCrossings();
    t.d().DeleteElement(a); // its end vertex and edge are gone before the count is read
    EXPECT_EQ(t.d().TotalCrossings(), 1);
    // A new count replaces one never read.
    t.d().CountCrossings();
    t.d().CountCrossings();
    EXPECT_EQ(t.d().TotalCrossings(), 0);
}

TEST(StatusPanes, CrossingsText) {
    TestDoc t;
    t.d().CountCrossings();
    EXPECT_EQ(CrossingsPaneText(t.d()), "0 Crossings");
    auto show = [&](std::array<std::int32_t, 8> byCode) { t.d().SetCrossingCounts(byCode); };
    show({1, 0, 0, 0, 0, 0, 0, 0});
    EXPECT_EQ(CrossingsPaneText(t.d()), "1 Crossing (Blue)");
    show({0, 2, 1, 0, 0, 0, 0, 0});
    EXPECT_EQ(CrossingsPaneText(t.d()), "3 Crossings (2 Red,1 Green)");
    show({0, 0, 0, 0, 0, 0, 0, 1});
    EXPECT_EQ(CrossingsPaneText(t.d()), "1 Crossing (Black)");
}

TEST(StatusPanes, ComponentsText) {
    TestDoc t;
    EXPECT_EQ(ComponentsPaneText(t.d()), "");
    t.d().m_componentCount = 2;
    t.d().m_treeCount = 2;
    t.d().m_caterpillarCount = 1;
    t.d().m_spiderCount = 1;
    EXPECT_EQ(ComponentsPaneText(t.d()), "2 Connected Components, 2 Trees, 2 ULP Trees (1 Caterpillar, 1 3-Spider)");
    t.d().m_componentCount = 1;
    t.d().m_treeCount = 1;
    t.d().m_caterpillarCount = 0;
    t.d().m_spiderCount = 0;
    t.d().m_starCount = 1;
    EXPECT_EQ(ComponentsPaneText(t.d()), "1 Connected Component, 1 Tree, 1 ULP Tree (1 Radius 2 Star)");
    t.d().m_starCount = 0;
    t.d().m_treeCount = 0;
    t.d().m_componentCount = 3;
    EXPECT_EQ(ComponentsPaneText(t.d()), "3 Connected Components");
}

TEST(Crossings, RecountAfterACountFollowsEveryChangeTheListDoesNotSee) {
    TestDoc t;
    CVertex* a = t.Vertex(100, 100);
    CVertex* b = t.Vertex(300, 300);
    CVertex* c = t.Vertex(100, 300);
    CVertex* d = t.Vertex(300, 100);
    CEdge* ab = t.Edge(a, b);
    t.Edge(c, d);
    t.d().CountCrossings();
    EXPECT_EQ(t.d().TotalCrossings(), 1);
    const PendingCrossings taken = TakeCrossingSegments(EdgesOf(t));
    EXPECT_TRUE(StillAsTaken(taken, EdgesOf(t)));

    d->m_offset = {-200, 100}; // a move through the offset alone
    EXPECT_FALSE(StillAsTaken(taken, EdgesOf(t)));
    t.d().CountCrossings();
    EXPECT_EQ(t.d().TotalCrossings(), 0);
    d->m_offset = {};
    t.d().CountCrossings();
    EXPECT_EQ(t.d().TotalCrossings(), 1);

    ab->m_edgeColor = kEdgeRed; // edges of two colours never cross
    EXPECT_FALSE(StillAsTaken(taken, EdgesOf(t)));
    t.d().CountCrossings();
    EXPECT_EQ(t.d().TotalCrossings(), 0);
    ab->m_edgeColor = kEdgeBlue;
    ab->m_v2 = c; // now shares an end with the other edge
    EXPECT_FALSE(StillAsTaken(taken, EdgesOf(t)));
    ab->m_v2 = b;
    t.d().CountCrossings();
    t.d().CountCrossings();
    EXPECT_EQ(t.d().TotalCrossings(), 1);
    EXPECT_EQ(t.d().CrossingsOf(kEdgeBlue), 1);
}

TEST(Crossings, ThousandsOfEdgesBetweenTracksCountExactly) {
    // Enough edge ends for the bulk sorts of the count, with many vertices on one point.
    std::mt19937 rng(5);
    TestDoc t;
    std::vector<std::vector<CVertex*>> on(3);
    std::uniform_int_distribution<int> coord(0, 40);
    for (int k = 0; k < 3; ++k)
        for (int i = 0; i < 100; ++i) on[k].push_back(t.Vertex(1000 + 10 * coord(rng), 1000 + 30 * k));
    std::uniform_int_distribution<std::size_t> pick(0, 99);
    for (int i = 0; i < 2600; ++i) {
        const int k = i % 2;
        t.Edge(on[k][pick(rng)], on[k + 1][pick(rng)], i % 9 == 0 ? kEdgeRed : kEdgeBlue);
    }
    EXPECT_EQ(CountCrossingsFast(EdgesOf(t)), CountCrossingsAllPairs(EdgesOf(t)));
}
