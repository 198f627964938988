// The figure of a document: bent edges become one polyline between real vertices, what
// the view hides stays out, the selection filter and the guides.

#include <gtest/gtest.h>

#include "editor/FigureBuilder.h"
#include "support/TestDoc.h"

namespace {

CVertex* Bend(TestDoc& t, std::int32_t x, std::int32_t y) {
    CVertex* b = t.Vertex(x, y);
    b->m_isBend = true;
    return b;
}

} // namespace

TEST(FigureBuilder, ABentEdgeIsOnePolylineBetweenItsRealEnds) {
    TestDoc t;
    CVertex* a = t.Vertex(100, 100, "a");
    CVertex* b = t.Vertex(300, 100, "b");
    CVertex* b1 = Bend(t, 150, 200);
    CVertex* b2 = Bend(t, 250, 200);
    // Segments as a bend insertion may leave them: the middle one points backwards.
    t.Edge(a, b1, kEdgeRed);
    t.Edge(b2, b1, kEdgeRed);
    t.Edge(b2, b, kEdgeRed);
    t.d().ClearSelection();
    const Figure f = BuildFigure(t.d(), *t.view, FigureOptions{false, 0, false});
    ASSERT_EQ(f.vertices.size(), 2u);
    ASSERT_EQ(f.edges.size(), 1u);
    const FigureEdge& e = f.edges[0];
    EXPECT_EQ(f.vertices[e.from].label, "a");
    EXPECT_EQ(f.vertices[e.to].label, "b");
    ASSERT_EQ(e.points.size(), 4u);
    const Point shift = f.vertices[e.from].center - a->m_center;
    EXPECT_EQ(e.points[1], b1->m_center + shift);
    EXPECT_EQ(e.points[2], b2->m_center + shift);
    // The ends lie on the discs' rims, not at their centres.
    EXPECT_NE(e.points.front(), f.vertices[e.from].center);
    EXPECT_EQ(e.bendFills.size(), 2u);
    EXPECT_EQ(e.colorCode, kEdgeRed);
}

TEST(FigureBuilder, PlacementHiddenColoursAndTheSelection) {
    TestDoc t;
    CVertex* a = t.Vertex(100, 100, "a");
    CVertex* b = t.Vertex(200, 150, "b");
    CVertex* c = t.Vertex(400, 300, "c");
    t.Edge(a, b, kEdgeBlue);
    t.Edge(b, c, kEdgeRed);
    t.d().ClearSelection();

    const Figure whole = BuildFigure(t.d(), *t.view, FigureOptions{false, 20, false});
    // The figure starts at the halo of the top-left vertex (its square of 30 grown by 6),
    // plus the margin.
    EXPECT_EQ(whole.vertices[0].center, (Point{15 + 6 + 20, 15 + 6 + 20}));
    EXPECT_EQ(whole.width, 400 - 100 + 2 * (15 + 6 + 20));
    EXPECT_EQ(whole.edges.size(), 2u);

    t.view->m_showColor[CLattixView::ShowColorSlot(kEdgeRed)] = false;
    EXPECT_EQ(BuildFigure(t.d(), *t.view, FigureOptions{}).edges.size(), 1u);
    t.view->m_showColor.fill(true);

    t.d().AddToSelection(b);
    t.d().AddToSelection(c);
    t.d().AddToSelection(t.Edges()[1]);
    const Figure part = BuildFigure(t.d(), *t.view, FigureOptions{false, 0, true});
    ASSERT_EQ(part.vertices.size(), 2u);
    EXPECT_EQ(part.vertices[0].label, "b");
    ASSERT_EQ(part.edges.size(), 1u);
    EXPECT_EQ(part.edges[0].colorCode, kEdgeRed);
}

TEST(FigureBuilder, GuidesCoverTheFigureOnly) {
    TestDoc t;
    t.Vertex(100, 95, "a");
    t.Vertex(200, 205, "b");
    t.view->m_guideMode = CLattixView::kGuideGrid;
    t.view->m_ySeparation = 50;
    t.view->m_xSeparation = 40;
    t.view->m_trackColors[2] = 102; // red
    EXPECT_TRUE(BuildFigure(t.d(), *t.view, FigureOptions{false, 0, false}).tracks.empty());
    const Figure f = BuildFigure(t.d(), *t.view, FigureOptions{true, 0, false});
    // The figure spans y 74..226 of the canvas: tracks 2, 3 and 4.
    ASSERT_EQ(f.tracks.size(), 3u);
    EXPECT_EQ(f.tracks[0].index, 2);
    EXPECT_EQ(f.tracks[0].y, 100 - 74);
    EXPECT_EQ(f.tracks[0].color, ColorIdToRgb(102));
    EXPECT_EQ(f.tracks[1].width, 1);
    EXPECT_TRUE(f.tracks[0].labelled);
    // x spans 79..221: grid lines at 80, 120, 160 and 200.
    EXPECT_EQ(f.gridLines, (std::vector<std::int32_t>{80 - 79, 120 - 79, 160 - 79, 200 - 79}));
}

TEST(FigureBuilder, AVerticalEdgeEndsOnTheNearSideOfItsTarget) {
    TestDoc t;
    CVertex* a = t.Vertex(100, 100, "a");
    CVertex* b = t.Vertex(100, 300, "b");
    t.Edge(a, b);
    t.d().ClearSelection();
    const Figure f = BuildFigure(t.d(), *t.view, FigureOptions{false, 0, false});
    ASSERT_EQ(f.edges.size(), 1u);
    const Point from = f.vertices[0].center, to = f.vertices[1].center;
    // Discs are as wide as the vertex's square (30), not 2 * m_radius.
    EXPECT_EQ(f.vertices[1].radius, 15);
    EXPECT_EQ(f.edges[0].points.front().x, from.x);
    EXPECT_NEAR(f.edges[0].points.front().y, from.y + 15, 1);
    EXPECT_EQ(f.edges[0].points.back(), (Point{to.x, to.y - 15}));
}
