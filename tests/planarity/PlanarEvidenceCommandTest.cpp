// "Find Kuratowski Subgraph" and "Draw Planar Graph" on documents: messages, highlights,
// positions on the canvas, and the one undo step each takes.

#include <gtest/gtest.h>

#include "GraphFamilies.h"
#include "PlanarEvidence.h"

namespace {

using Messages = std::vector<std::string>;

std::vector<IntPoint> Centres(const TestDoc& t) {
    std::vector<IntPoint> points;
    for (const CVertex* v : t.Vertices()) {
        const Point at = v->m_center + v->m_offset;
        points.push_back({at.x, at.y});
    }
    return points;
}

TEST(PlanarEvidenceCommand, KuratowskiHighlightsOneSubdivisionInOneUndoStep) {
    TestDoc t;
    // A triangle first, then K3,3 with each edge subdivided once.
    EdgeList edges{{0, 1}, {1, 2}, {2, 0}};
    int n = 9;
    EdgeList k33;
    for (auto [a, b] : CompleteBipartite(3, 3)) k33.push_back({a + 3, b + 3});
    for (auto e : Subdivide(k33, 9, 1, n)) edges.push_back(e);
    BuildDocument(t, n, edges);
    t.d().CheckPoint();
    t.d().SetModifiedFlag(false);
    t.d().OnFindKuratowskiSubgraph();
    EXPECT_EQ(t.platform.m_messages,
              Messages{"The graph is non planar: the highlighted edges form a subdivision of K3,3."});
    EXPECT_TRUE(t.d().IsModified());
    int litEdges = 0, litVertices = 0;
    for (const CEdge* e : t.Edges()) litEdges += e->m_highlight != kNoHighlight;
    for (const CVertex* v : t.Vertices()) litVertices += v->m_highlight != kNoHighlight;
    EXPECT_EQ(litEdges, 18);
    EXPECT_EQ(litVertices, 6);
    t.d().OnEditUndo();
    for (const CEdge* e : t.Edges()) EXPECT_EQ(e->m_highlight, kNoHighlight);
}

TEST(PlanarEvidenceCommand, KuratowskiRecountsCrossingsOnlyWhenBendsWent) {
    // K3,3 drawn with crossings; one edge runs through a bend far off, which crosses more.
    TestDoc t;
    std::vector<CVertex*> side;
    for (int i = 0; i < 6; ++i) side.push_back(t.Vertex(100 + 100 * (i % 3), i < 3 ? 100 : 300, "v" + std::to_string(i)));
    CVertex* bend = t.Vertex(-500, 200, "bend");
    bend->m_isBend = true;
    for (int a = 0; a < 3; ++a)
        for (int b = 3; b < 6; ++b) {
            if (a == 0 && b == 5) {
                t.Edge(side[a], bend);
                t.Edge(bend, side[b]);
            } else {
                t.Edge(side[a], side[b]);
            }
        }
    t.d().CountCrossings();
    const std::int32_t bent = t.d().TotalCrossings();
    t.platform.m_answers = {true};
    t.d().OnFindKuratowskiSubgraph();
    ASSERT_EQ(t.platform.m_messages.size(), 1u);
    const std::int32_t shown = t.d().TotalCrossings();
    t.d().CountCrossings();
    EXPECT_EQ(shown, t.d().TotalCrossings()); // the straightened edge is counted
    EXPECT_NE(shown, bent);
    // Without bends, a second run leaves the count as it stood.
    t.d().OnFindKuratowskiSubgraph();
    EXPECT_EQ(t.d().TotalCrossings(), shown);
}

TEST(PlanarEvidenceCommand, PlanarGraphIsSaidPlanarAndLeftAlone) {
    TestDoc t;
    std::mt19937 rng(3);
    BuildDocument(t, 20, StackedTriangulation(20, rng));
    t.d().SetModifiedFlag(false);
    t.d().OnFindKuratowskiSubgraph();
    EXPECT_EQ(t.platform.m_messages, Messages{"The graph is planar."});
    EXPECT_FALSE(t.d().IsModified());

    TestDoc directed;
    BuildDocument(directed, 3, {{0, 1}, {1, 2}});
    directed.d().m_directed = true;
    directed.d().OnDrawPlanarGraph();
    EXPECT_EQ(directed.platform.m_messages, Messages{"The graph is not undirected."});
}

TEST(PlanarEvidenceCommand, DrawingHasNoCrossingsOnTheCanvasAndUndoesInOneStep) {
    TestDoc t;
    std::mt19937 rng(11);
    EdgeList edges = FlippedTriangulation(40, 100, rng);
    for (int v = 41; v < 60; ++v) edges.push_back({std::uniform_int_distribution<int>(40, v - 1)(rng), v});
    BuildDocument(t, 60, edges);
    for (CVertex* v : t.Vertices()) v->PlaceAt(v->m_center.x + 300, v->m_center.y + 200, nullptr);
    t.d().CheckPoint();
    const std::vector<IntPoint> before = Centres(t);
    std::int64_t left = INT64_MAX, top = INT64_MAX;
    for (const IntPoint& p : before) {
        left = std::min(left, p.x);
        top = std::min(top, p.y);
    }
    t.d().OnDrawPlanarGraph();
    EXPECT_TRUE(t.platform.m_messages.empty());
    const std::vector<IntPoint> after = Centres(t);
    EXPECT_EQ(CheckPlanarDrawing(edges, after), "");
    std::int64_t newLeft = INT64_MAX, newTop = INT64_MAX, right = 0, bottom = 0;
    for (const IntPoint& p : after) {
        newLeft = std::min(newLeft, p.x);
        newTop = std::min(newTop, p.y);
        right = std::max(right, p.x);
        bottom = std::max(bottom, p.y);
    }
    EXPECT_EQ(newLeft, left);
    EXPECT_EQ(newTop, top);
    // Spread over the canvas: the last grid step would not have fitted.
    EXPECT_LE(right + 10, kCanvasSize);
    EXPECT_GT(right, kCanvasSize * 9 / 10);
    EXPECT_GT(bottom, kCanvasSize * 9 / 10);
    t.d().OnEditUndo();
    const std::vector<IntPoint> undone = Centres(t);
    for (std::size_t i = 0; i < before.size(); ++i) EXPECT_TRUE(undone[i].x == before[i].x && undone[i].y == before[i].y);
}

TEST(PlanarEvidenceCommand, NonPlanarGraphIsNotRedrawn) {
    TestDoc t;
    BuildDocument(t, 6, CompleteBipartite(3, 3));
    const std::vector<IntPoint> before = Centres(t);
    t.d().SetModifiedFlag(false);
    t.d().OnDrawPlanarGraph();
    EXPECT_EQ(t.platform.m_messages, Messages{"The graph is non planar."});
    EXPECT_FALSE(t.d().IsModified());
    const std::vector<IntPoint> after = Centres(t);
    for (std::size_t i = 0; i < before.size(); ++i) EXPECT_TRUE(after[i].x == before[i].x && after[i].y == before[i].y);
}

TEST(PlanarEvidenceCommand, LoopsAreIgnoredAndTheLeftRightVerdictMatchesPqTrees) {
    std::mt19937 rng(5);
    for (int round = 0; round < 200; ++round) {
        const int n = std::uniform_int_distribution<int>(5, 8)(rng);
        EdgeList edges{{0, 0}};
        for (int a = 0; a < n; ++a)
            for (int b = a + 1; b < n; ++b)
                if (std::uniform_int_distribution<int>(0, 2)(rng) == 0) edges.push_back({a, b});
        edges.push_back({n - 1, n - 1});
        TestDoc pq, lr, k;
        BuildDocument(pq, n, edges);
        BuildDocument(lr, n, edges);
        BuildDocument(k, n, edges);
        pq.d().RunPlanarityTesting(CLattixDoc::PlanarityMethod::PqTree);
        lr.d().RunPlanarityTesting(CLattixDoc::PlanarityMethod::LeftRight);
        ASSERT_EQ(lr.platform.m_messages, pq.platform.m_messages) << round;
        EXPECT_EQ(lr.d().m_planarResult, pq.d().m_planarResult);
        k.d().OnFindKuratowskiSubgraph();
        const bool planar = pq.platform.m_messages == Messages{"The graph is planar."};
        ASSERT_EQ(k.platform.m_messages.size(), 1u);
        EXPECT_EQ(k.platform.m_messages[0] == "The graph is planar.", planar);
        EXPECT_EQ(k.Edges().front()->m_highlight, kNoHighlight); // the loop is never part of it
        if (planar) continue;
        // With the loops left out, the test's edge numbers are not the document's.
        std::vector<int> lit;
        for (std::size_t i = 0; i < k.Edges().size(); ++i)
            if (k.Edges()[i]->m_highlight != kNoHighlight) lit.push_back(static_cast<int>(i));
        EXPECT_EQ(CheckKuratowskiSubdivision(edges, lit, k.platform.m_messages[0].ends_with("K5.")), "") << round;
    }
}

} // namespace
