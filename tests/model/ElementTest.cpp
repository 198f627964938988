#include <gtest/gtest.h>

#include <cmath>

#include "model/ElementList.h"
#include "support/TestDoc.h"

TEST(Element, NewVertexGeometryNameAndId) {
    TestDoc t;
    const std::uint32_t before = g_nextId;
    CVertex* v = t.Vertex(100, 100);
    EXPECT_EQ(v->m_id, before);
    EXPECT_EQ(g_nextId, before + 1);
    EXPECT_EQ(v->m_name, std::to_string(v->m_id));
    EXPECT_EQ(v->m_rect, (Rect{85, 85, 115, 115}));
    EXPECT_EQ(v->m_radius, 10);
    EXPECT_TRUE(v->m_selected);
    EXPECT_EQ(v->m_highlight, kNoHighlight);
}

TEST(Element, ParallelEdgesFanOutAndRenumberOnDelete) {
    TestDoc t;
    CVertex* a = t.Vertex(100, 100);
    CVertex* b = t.Vertex(300, 100);
    CEdge* e0 = t.Edge(a, b);
    CEdge* e1 = t.Edge(b, a); // either orientation joins the same pair
    CEdge* e2 = t.Edge(a, b);
    EXPECT_EQ(e0->m_parallelIndex, 0);
    EXPECT_EQ(e1->m_parallelIndex, 1);
    EXPECT_EQ(e2->m_parallelIndex, 2);

    // The first edge is straight: it leaves a's circle (half-width 15) on the line y = 100.
    EXPECT_EQ(e0->m_start, (Point{115, 100}));
    EXPECT_EQ(e0->m_end, (Point{285, 100}));
    // Further lanes turn by 5/r radians per step to alternating sides.
    EXPECT_NE(e1->m_start.y, 100);
    EXPECT_NE(e2->m_start.y, 100);
    EXPECT_LT((e1->m_end.y - 100) * (e2->m_end.y - 100), 0);

    // Deleting the middle lane hands its index to the highest one.
    const Point oldEnd = e2->m_end;
    t.d().DeleteElement(e1);
    EXPECT_EQ(e2->m_parallelIndex, 1);
    EXPECT_NE(e2->m_end, oldEnd);
    // Deleting the last lane changes nothing else.
    t.d().DeleteElement(e2);
    EXPECT_EQ(e0->m_parallelIndex, 0);
    EXPECT_EQ(a->m_edges.size(), 1u);
    EXPECT_EQ(b->m_edges.size(), 1u);
}

TEST(Element, ResizeRespectsCanvasAndLimits) {
    TestDoc t;
    CVertex* nearLeft = t.Vertex(10, 500);
    nearLeft->ResizeTo(110, 500, 0);
    EXPECT_EQ(nearLeft->m_radius, 10);
    CVertex* free = t.Vertex(500, 500);
    free->ResizeTo(600, 500, 0);
    EXPECT_EQ(free->m_radius, 35);
    EXPECT_EQ(free->m_rect, (Rect{465, 465, 535, 535}));
    free->ResizeTo(500, 500, 0);
    EXPECT_EQ(free->m_radius, 3);
    free->SetRadius(50);
    EXPECT_EQ(free->m_radius, 35);
}

TEST(Element, ColourTables) {
    EXPECT_EQ(ColorOfEdgeCode(0), MakeRgb(128, 128, 128));
    EXPECT_EQ(ColorOfEdgeCode(9), MakeRgb(128, 128, 128));
    EXPECT_EQ(ColorOfEdgeCode(2), MakeRgb(216, 16, 16));
    EXPECT_EQ(ColorIdToRgb(108), kBlack);
    EXPECT_EQ(ColorIdToRgb(100), kBlack);
    EXPECT_EQ(ColorIdToRgb(116), kBlack);
    EXPECT_EQ(ColorIdToRgb(115), MakeRgb(171, 130, 171));
    EXPECT_EQ(ColorIdName(109), "Light Blue");
    EXPECT_TRUE(IsEdgeColorCode(8));
    EXPECT_FALSE(IsEdgeColorCode(0));
}

TEST(Element, ArrowPointsOfHorizontalEdge) {
    const ArrowPoints p = ComputeArrowPoints({0, 50}, {100, 50}, 10);
    EXPECT_EQ(p.a, (Point{91, 47}));
    EXPECT_EQ(p.b, (Point{91, 53}));
    EXPECT_EQ(p.d, (Point{90, 50}));
    // A vertical edge takes the slope as 20000 and still points back along itself.
    const ArrowPoints down = ComputeArrowPoints({50, 0}, {50, 100}, 10);
    EXPECT_LT(down.d.y, 100);
}

namespace {
// a - b1 - b2 - c, a bent edge with two bends.
struct BentEdge {
    CVertex *a, *b1, *b2, *c;
    CEdge *e1, *e2, *e3;
};
BentEdge MakeBent(TestDoc& t) {
    BentEdge g;
    g.a = t.Vertex(100, 100);
    g.b1 = t.Vertex(200, 100);
    g.b2 = t.Vertex(300, 100);
    g.c = t.Vertex(400, 100);
    g.b1->m_isBend = g.b2->m_isBend = true;
    g.e1 = t.Edge(g.a, g.b1);
    g.e2 = t.Edge(g.b1, g.b2);
    g.e3 = t.Edge(g.b2, g.c);
    return g;
}
} // namespace

TEST(Element, BendChainsRecolourAndHighlightWholeEdge) {
    TestDoc t;
    BentEdge g = MakeBent(t);
    g.e1->SetEdgeColor(kEdgeRed);
    EXPECT_EQ(g.e2->m_edgeColor, kEdgeRed);
    EXPECT_EQ(g.e3->m_edgeColor, kEdgeRed);
    EXPECT_EQ(g.b1->m_color, ColorOfEdgeCode(kEdgeRed));
    EXPECT_EQ(g.b2->m_color, ColorOfEdgeCode(kEdgeRed));
    EXPECT_EQ(g.a->m_color, ColorIdToRgb(101)); // real vertices keep their colour

    g.e3->SetHighlightAlongBends(0x123456);
    for (CElement* e : {static_cast<CElement*>(g.e1), static_cast<CElement*>(g.e2),
                        static_cast<CElement*>(g.b1), static_cast<CElement*>(g.b2)})
        EXPECT_EQ(e->m_highlight, 0x123456u);
    EXPECT_EQ(g.a->m_highlight, kNoHighlight);

    std::vector<CEdge*> chain;
    g.e1->CollectBendChain(chain);
    ASSERT_EQ(chain.size(), 2u);
    EXPECT_TRUE(chain[0]->Joins(g.b1, g.b2));
    EXPECT_TRUE(chain[1]->Joins(g.b2, g.c));
    for (CEdge* e : chain) delete e;
}

TEST(Element, BendChainThatClosesOnItselfTerminates) {
    TestDoc t;
    CVertex* b1 = t.Vertex(100, 100);
    CVertex* b2 = t.Vertex(200, 100);
    CVertex* b3 = t.Vertex(150, 200);
    b1->m_isBend = b2->m_isBend = b3->m_isBend = true;
    CEdge* e = t.Edge(b1, b2);
    t.Edge(b2, b3);
    t.Edge(b3, b1);
    e->SetEdgeColor(kEdgeGreen);
    for (CEdge* x : t.Edges()) EXPECT_EQ(x->m_edgeColor, kEdgeGreen);
}

TEST(Element, CloneCopiesWhatCopyNeeds) {
    TestDoc t;
    CVertex* v = t.Vertex(100, 200, "x");
    v->m_trackNumber = 4;
    v->m_stNumber = 9;
    v->m_isBend = true;
    v->SetRadius(7);
    std::unique_ptr<CVertex> c(v->Clone(true));
    EXPECT_EQ(c->m_center, (Point{150, 250}));
    EXPECT_EQ(c->m_name, "x'");
    EXPECT_EQ(c->m_trackNumber, 4);
    EXPECT_EQ(c->m_stNumber, 0);
    EXPECT_TRUE(c->m_isBend);
    EXPECT_EQ(c->m_radius, 7);
    EXPECT_NE(c->m_id, v->m_id);
}

TEST(ElementList, IterationSurvivesDeletingTheCurrentElement) {
    TestDoc t;
    for (int i = 0; i < 5; ++i) t.Vertex(100 + 40 * i, 100);
    int visited = 0;
    for (CElement* e : t.d().m_elements) {
        ++visited;
        t.d().DeleteElement(e);
    }
    EXPECT_EQ(visited, 5);
    EXPECT_TRUE(t.d().m_elements.empty());
}
