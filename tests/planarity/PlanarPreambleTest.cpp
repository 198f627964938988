// The checks before the planarity commands (repeated pairs by list positions) and the
// drawing's early refusal of graphs too wide for the canvas.

#include <gtest/gtest.h>

#include <set>

#include "GraphFamilies.h"
#include "PlanarEvidence.h"
#include "graph/IndexedEdges.h"
#include "planarity/PlanarGridDrawing.h"

namespace {

using Messages = std::vector<std::string>;

TEST(PlanarPreamble, RepeatedPairsAgreeWithASetOfPairs) {
    std::mt19937 rng(29);
    for (int round = 0; round < 400; ++round) {
        const int n = std::uniform_int_distribution<int>(1, 9)(rng);
        const int m = std::uniform_int_distribution<int>(0, 12)(rng);
        std::vector<VertexPair> pairs;
        std::set<VertexPair> seen;
        bool repeated = false;
        for (int i = 0; i < m; ++i) {
            const int a = std::uniform_int_distribution<int>(0, n - 1)(rng);
            const int b = std::uniform_int_distribution<int>(0, n - 1)(rng);
            pairs.push_back({a, b});
            repeated |= !seen.insert(std::minmax(a, b)).second;
        }
        ASSERT_EQ(HasRepeatedPair(n, pairs), repeated) << round;
    }
}

TEST(PlanarPreamble, RepeatedEdgesAndDoubleLoopsAreNotSimple) {
    // The same pair either way round, and two loops at one vertex; one loop is allowed.
    for (const EdgeList& edges : {EdgeList{{0, 1}, {1, 2}, {2, 1}}, EdgeList{{0, 1}, {2, 2}, {1, 2}, {2, 2}}}) {
        TestDoc k, d;
        BuildDocument(k, 3, edges);
        BuildDocument(d, 3, edges);
        k.d().OnFindKuratowskiSubgraph();
        d.d().OnDrawPlanarGraph();
        EXPECT_EQ(k.platform.m_messages, Messages{"The graph is not simple."});
        EXPECT_EQ(d.platform.m_messages, Messages{"The graph is not simple."});
        d.d().RebuildAllLists();
        EXPECT_FALSE(d.d().IsSimple());
    }
    TestDoc one;
    BuildDocument(one, 3, {{0, 1}, {1, 1}, {1, 2}});
    one.d().RebuildAllLists();
    EXPECT_TRUE(one.d().IsSimple());
}

TEST(PlanarPreamble, LoopsAmongTheEdgesLeaveTheEvidenceOnTheRightEdges) {
    // The light graph leaves loops out, so its edge numbers drift from the document's:
    // the highlights and positions must land on the document's own edges and vertices.
    std::mt19937 rng(77);
    for (int round = 0; round < 4; ++round) {
        const int n = 200 + 40 * round;
        EdgeList planar = FlippedTriangulation(n - 10, n, rng); // ten isolated vertices
        EdgeList withLoops;
        int loops = 0;
        for (auto e : planar) {
            if (std::uniform_int_distribution<int>(0, 20)(rng) == 0) {
                const int v = (7 * loops++) % n; // one loop a vertex keeps the graph simple
                withLoops.push_back({v, v});
            }
            withLoops.push_back(e);
        }
        TestDoc drawn;
        BuildDocument(drawn, n, withLoops);
        ASSERT_EQ(drawn.d().DrawPlanarGraph(), CLattixDoc::EvidenceResult::Planar);
        std::vector<IntPoint> points;
        for (const CVertex* v : drawn.Vertices()) points.push_back({v->m_center.x, v->m_center.y});
        EXPECT_EQ(CheckPlanarDrawing(planar, points), "") << round;

        // One more edge between two vertices of degree three or more that are not yet joined.
        EdgeList nonPlanar = withLoops;
        std::set<std::pair<int, int>> joined;
        for (auto [a, b] : planar) joined.insert(std::minmax(a, b));
        for (int a = 0, b = n - 11; nonPlanar.size() == withLoops.size(); ++a)
            if (a != b && !joined.count(std::minmax(a, b))) nonPlanar.insert(nonPlanar.begin() + n / 2, {a, b});
        TestDoc found;
        BuildDocument(found, n, nonPlanar);
        bool k5 = false;
        ASSERT_EQ(found.d().FindKuratowskiSubgraph(nullptr, &k5), CLattixDoc::EvidenceResult::NonPlanar);
        std::vector<int> lit;
        const std::vector<CEdge*> edges = found.Edges();
        for (std::size_t j = 0; j < edges.size(); ++j)
            if (edges[j]->m_highlight != kNoHighlight) lit.push_back(static_cast<int>(j));
        EXPECT_EQ(CheckKuratowskiSubdivision(nonPlanar, lit, k5), "") << round;
    }
}

TEST(PlanarPreamble, WidthLimitRefusesExactlyTheDrawingsWiderThanIt) {
    std::mt19937 rng(404);
    for (int round = 0; round < 40; ++round) {
        // A few components of different kinds, numbered one after the other, and
        // isolated vertices; every fourth graph a lone triangulation, whose drawing is as
        // narrow as any can be.
        EdgeList edges;
        int n = 0;
        for (int part = round % 4 == 0 ? 2 : std::uniform_int_distribution<int>(1, 4)(rng); part > 0; --part) {
            if (round % 4 == 0 && part == 1) break;
            const int size = std::uniform_int_distribution<int>(1, 30)(rng);
            EdgeList piece;
            if (size >= 3 && part % 2 == 0) {
                piece = FlippedTriangulation(size, size, rng);
            } else {
                for (int v = 1; v < size; ++v) piece.push_back({std::uniform_int_distribution<int>(0, v - 1)(rng), v});
            }
            for (auto [a, b] : piece) edges.push_back({a + n, b + n});
            n += size;
        }
        const std::optional<PlanarGridDrawing> full = DrawPlanarOnGrid(n, edges);
        ASSERT_TRUE(full);
        const std::optional<PlanarGridDrawing> fits = DrawPlanarOnGrid(n, edges, full->m_width);
        ASSERT_TRUE(fits);
        EXPECT_EQ(fits->m_points, full->m_points) << round;
        if (full->m_width == 0) continue;
        const std::optional<PlanarGridDrawing> narrow = DrawPlanarOnGrid(n, edges, full->m_width - 1);
        ASSERT_TRUE(narrow);
        EXPECT_GT(narrow->m_width, full->m_width - 1) << round;
    }
    // A non-planar graph is said so however narrow the limit.
    EXPECT_FALSE(DrawPlanarOnGrid(5, Complete(5), 0));
}

TEST(PlanarPreamble, LongPathIsTooLargeForTheCanvasAndLeftAlone) {
    TestDoc t;
    EdgeList path;
    for (int v = 1; v < 12000; ++v) path.push_back({v - 1, v});
    BuildDocument(t, 12000, path);
    t.d().SetModifiedFlag(false);
    EXPECT_EQ(t.d().DrawPlanarGraph(), CLattixDoc::EvidenceResult::Failed);
    EXPECT_EQ(t.platform.m_messages, Messages{"The graph is too large to draw on the canvas."});
    EXPECT_FALSE(t.d().IsModified());
    EXPECT_EQ(t.Vertices()[11999]->m_center.x, 100 + 40 * 99);
}

TEST(PlanarPreamble, GraphTooWideForAnyRoomGetsItsVerdictFirst) {
    // More vertices than any canvas row can take: the refusal needs no look at the
    // drawing, but a non-planar graph is still said to be one, and nothing moves.
    for (const bool k5 : {true, false}) {
        TestDoc t;
        const int n = 2 * kCanvasSize + 10;
        BuildDocument(t, n, k5 ? Complete(5) : EdgeList{{0, 1}, {1, 2}, {2, 0}});
        t.d().SetModifiedFlag(false);
        EXPECT_EQ(t.d().DrawPlanarGraph(),
                  k5 ? CLattixDoc::EvidenceResult::NonPlanar : CLattixDoc::EvidenceResult::Failed);
        EXPECT_EQ(t.platform.m_messages, Messages{k5 ? "The graph is non planar."
                                                     : "The graph is too large to draw on the canvas."});
        EXPECT_FALSE(t.d().IsModified());
        EXPECT_EQ(t.Vertices()[n - 1]->m_center.x, 100 + 40 * ((n - 1) % 100));
    }
}

} // namespace

TEST(PlanarPreamble, TakenListsAreRemadeForTheNextCountAndCommand) {
    // The planarity commands take the lists kept for the crossing count; a count and a
    // command after them, with an edit between, must see the document as it is.
    TestDoc t;
    CVertex* a = t.Vertex(100, 100);
    CVertex* b = t.Vertex(300, 300);
    CVertex* c = t.Vertex(100, 300);
    CVertex* d = t.Vertex(300, 100);
    t.Edge(a, b);
    t.d().CountCrossings();
    t.d().RunPlanarityTesting(CLattixDoc::PlanarityMethod::LeftRight);
    EXPECT_EQ(t.d().m_allVertices.size(), 4u);
    EXPECT_EQ(t.d().m_allEdges.size(), 1u);
    t.Edge(c, d);
    t.d().CountCrossings();
    EXPECT_EQ(t.d().TotalCrossings(), 1);
    t.d().RunPlanarityTesting(CLattixDoc::PlanarityMethod::LeftRight);
    EXPECT_EQ(t.d().m_allEdges.size(), 2u);
    t.d().CountCrossings();
    EXPECT_EQ(t.d().TotalCrossings(), 1);
}
