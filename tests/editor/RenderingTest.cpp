// The renderer against a recording target: what is drawn, where, with which pens.

#include <gtest/gtest.h>

#include <algorithm>

#include "editor/ElementDrawing.h"
#include "editor/RecordingDrawTarget.h"
#include "support/TestDoc.h"

namespace {

using Op = RecordingDrawTarget::Op;

EdgeDisplay AllShown(bool directed = false) {
    EdgeDisplay d;
    d.showColor.fill(true);
    d.directed = directed;
    return d;
}

// An edge whose on-screen end points are set directly.
CEdge* EdgeBetween(TestDoc& t, Point from, Point to) {
    CEdge* e = t.Edge(t.Vertex(from.x, from.y), t.Vertex(to.x, to.y));
    e->m_start = from;
    e->m_end = to;
    return e;
}

std::vector<Op> Lines(const RecordingDrawTarget& target) { return target.OpsOf(Op::Line); }

} // namespace

// ------------------------------------------------------------------ arrowheads

TEST(EdgeDrawing, HorizontalArrowHasWingsNineBackAndThreeAside) {
    TestDoc t;
    CEdge* e = EdgeBetween(t, {100, 200}, {200, 200});
    RecordingDrawTarget target;
    DrawEdge(target, *e, Projection{}, AllShown(true));
    const auto lines = Lines(target);
    ASSERT_EQ(lines.size(), 3u);
    EXPECT_EQ(lines[0].a, (Point{100, 200}));
    EXPECT_EQ(lines[0].b, (Point{200, 200}));
    EXPECT_EQ(lines[1].a, (Point{191, 197}));
    EXPECT_EQ(lines[1].b, (Point{200, 201}));
    EXPECT_EQ(lines[2].a, (Point{191, 203}));
    EXPECT_EQ(lines[2].b, (Point{200, 199}));
}

TEST(EdgeDrawing, ArrowNeedsMoreThanTenPixelsOnScreen) {
    TestDoc t;
    CEdge* shortEdge = EdgeBetween(t, {100, 100}, {110, 100});
    CEdge* longer = EdgeBetween(t, {100, 300}, {111, 300});
    RecordingDrawTarget target;
    DrawEdge(target, *shortEdge, Projection{}, AllShown(true));
    EXPECT_EQ(Lines(target).size(), 1u);
    target.Clear();
    DrawEdge(target, *longer, Projection{}, AllShown(true));
    EXPECT_EQ(Lines(target).size(), 3u);
    // The threshold is on screen: at 50 % the 11 units shrink to 5 pixels.
    target.Clear();
    DrawEdge(target, *longer, Projection{0.5, {}}, AllShown(true));
    EXPECT_EQ(Lines(target).size(), 1u);
}

TEST(EdgeDrawing, VerticalArrowsPointAlongTheEdge) {
    TestDoc t;
    CEdge* down = EdgeBetween(t, {100, 100}, {100, 200});
    RecordingDrawTarget target;
    DrawEdge(target, *down, Projection{}, AllShown(true));
    auto lines = Lines(target);
    ASSERT_EQ(lines.size(), 3u);
    EXPECT_EQ(lines[1].a, (Point{103, 191}));
    EXPECT_EQ(lines[2].a, (Point{97, 191}));

    CEdge* up = EdgeBetween(t, {300, 200}, {300, 100});
    target.Clear();
    DrawEdge(target, *up, Projection{}, AllShown(true));
    lines = Lines(target);
    ASSERT_EQ(lines.size(), 3u);
    EXPECT_GT(lines[1].a.y, 100);
    EXPECT_GT(lines[2].a.y, 100);
}

TEST(EdgeDrawing, PenFollowsSelectionColourAndDashing) {
    TestDoc t;
    CEdge* e = EdgeBetween(t, {0, 0}, {50, 50});
    e->m_edgeColor = kEdgeGreen;
    e->m_selected = true;
    RecordingDrawTarget target;
    EdgeDisplay display = AllShown();
    DrawEdge(target, *e, Projection{}, display);
    EXPECT_EQ(Lines(target)[0].pen, Pen::Solid(3, ColorIdToRgb(103)));
    e->m_selected = false;
    display.dashed = true;
    target.Clear();
    DrawEdge(target, *e, Projection{}, display);
    EXPECT_EQ(Lines(target)[0].pen, Pen::Geometric(PenStyle::DashDot, 2, ColorIdToRgb(103)));
}

TEST(EdgeDrawing, WeightBoxIsWhiteInTheEdgePenAroundTheMiddle) {
    TestDoc t;
    CEdge* e = EdgeBetween(t, {100, 100}, {300, 100});
    e->m_weight = 42;
    EdgeDisplay display = AllShown();
    display.showWeight = true;
    RecordingDrawTarget target;
    DrawEdge(target, *e, Projection{1.0, {10, 0}}, display);
    const auto boxes = target.OpsOf(Op::Rectangle);
    const auto texts = target.OpsOf(Op::Text);
    ASSERT_EQ(boxes.size(), 1u);
    ASSERT_EQ(texts.size(), 1u);
    EXPECT_EQ(texts[0].text, "42");
    EXPECT_EQ(boxes[0].brush, kWhite);
    EXPECT_EQ(boxes[0].pen, Lines(target)[0].pen);
    EXPECT_EQ(boxes[0].rect.Center(), (Point{190, 100}));
    EXPECT_EQ(texts[0].font, (Font{"Arial", 15, true, 0}));
}

// ------------------------------------------------------------------ vertices

TEST(VertexDrawing, LabelJoinsTheShownParts) {
    TestDoc t;
    CVertex* v = t.Vertex(100, 100, "a");
    v->m_stNumber = 3;
    v->m_trackNumber = 2;
    EXPECT_EQ(VertexLabel(*v, {true, true, true}), "a,3,2");
    EXPECT_EQ(VertexLabel(*v, {false, true, false}), "3");
    EXPECT_EQ(VertexLabel(*v, {false, false, false}), "");
    v->m_isBend = true;
    EXPECT_EQ(VertexLabel(*v, {true, true, true}), "");
}

TEST(VertexDrawing, DiscIsScaledShiftedAndOutlined) {
    TestDoc t;
    CVertex* v = t.Vertex(100, 100, "a");
    v->m_offset = {3, 4};
    v->m_selected = true;
    RecordingDrawTarget target;
    DrawVertex(target, *v, Projection{2.0, {10, 20}}, {});
    const auto discs = target.OpsOf(Op::Ellipse);
    ASSERT_EQ(discs.size(), 1u);
    EXPECT_EQ(discs[0].rect, (Rect{163, 154, 223, 214}));
    EXPECT_EQ(discs[0].pen, Pen::Solid(2, MakeRgb(7, 0, 0)));
    EXPECT_EQ(discs[0].brush, v->m_color);
}

TEST(VertexDrawing, TextIsWhiteOnDarkFillsAndBlackOnLightOnes) {
    TestDoc t;
    CVertex* v = t.Vertex(100, 100, "a");
    RecordingDrawTarget target;
    v->m_color = ColorIdToRgb(107); // Purple
    DrawVertex(target, *v, Projection{}, {});
    EXPECT_EQ(target.OpsOf(Op::Text).back().textColor, kWhite);
    v->m_color = ColorIdToRgb(104); // Yellow
    DrawVertex(target, *v, Projection{}, {});
    EXPECT_EQ(target.OpsOf(Op::Text).back().textColor, kBlack);
}

TEST(VertexDrawing, LabelFontNarrowsToFourThenLowersToSix) {
    TestDoc t;
    RecordingDrawTarget target;
    // A short label fits at once; the font used is one step below the first measured.
    CVertex* fits = t.Vertex(100, 100, "a");
    DrawVertex(target, *fits, Projection{}, {});
    EXPECT_EQ(target.OpsOf(Op::Text).back().font, (Font{"Arial", 14, false, 7}));
    EXPECT_EQ(target.OpsOf(Op::Text).back().rect, (Rect{86, 86, 114, 114}));

    // Ten characters never fit 28 pixels: the width stops at 4, the height stays.
    CVertex* wide = t.Vertex(200, 100, "abcdefghij");
    DrawVertex(target, *wide, Projection{}, {});
    EXPECT_EQ(target.OpsOf(Op::Text).back().font, (Font{"Arial", 14, false, 4}));

    // A tiny disc also lowers the font, down to 6; the label then overflows.
    CVertex* tiny = t.Vertex(300, 100, "ab");
    tiny->SetRadius(3);
    DrawVertex(target, *tiny, Projection{}, {});
    EXPECT_EQ(target.OpsOf(Op::Text).back().font, (Font{"Arial", 6, false, 4}));
}

// ------------------------------------------------------------------ highlights and visibility

TEST(Highlights, WhiteMeansNoBandAndNoHalo) {
    TestDoc t;
    CEdge* e = EdgeBetween(t, {0, 0}, {100, 0});
    CVertex* v = e->m_v1;
    RecordingDrawTarget target;
    DrawEdgeHighlight(target, *e, Projection{}, AllShown());
    DrawVertexHalo(target, *v, Projection{});
    EXPECT_TRUE(target.Ops().empty());

    e->m_highlight = MakeRgb(255, 0, 0);
    v->m_highlight = MakeRgb(0, 255, 0);
    DrawEdgeHighlight(target, *e, Projection{}, AllShown());
    DrawVertexHalo(target, *v, Projection{});
    ASSERT_EQ(target.Ops().size(), 2u);
    EXPECT_EQ(target.Ops()[0].pen, Pen::Solid(7, MakeRgb(255, 0, 0)));
    EXPECT_EQ(target.Ops()[1].rect, v->m_rect.Inflated(5, 5, 6, 6));
    EXPECT_EQ(target.Ops()[1].brush, MakeRgb(0, 255, 0));
    EXPECT_EQ(target.Ops()[1].pen.style, PenStyle::Null);
}

TEST(Visibility, HiddenColourTakesItsBendPointsAlong) {
    TestDoc t;
    CVertex* a = t.Vertex(100, 100, "a");
    CVertex* b = t.Vertex(200, 100, "b");
    CVertex* bend = t.Vertex(150, 150);
    bend->m_isBend = true;
    t.Edge(bend, a, kEdgeRed);
    t.Edge(bend, b, kEdgeRed);
    t.Edge(a, b, kEdgeBlue);
    t.view->SetColorShown(kEdgeRed, false);
    RecordingDrawTarget target;
    t.d().DrawGraph(target, 0, 0, 0, t.view.get(), false);
    EXPECT_EQ(target.OpsOf(Op::Ellipse).size(), 2u);
    const auto lines = Lines(target);
    ASSERT_EQ(lines.size(), 1u);
    EXPECT_EQ(lines[0].pen.color, ColorIdToRgb(101));
}

TEST(Visibility, HiddenElementsAndUncolouredEdgesAreNeverDrawn) {
    TestDoc t;
    CVertex* a = t.Vertex(100, 100, "a");
    CVertex* b = t.Vertex(200, 100, "b");
    CEdge* e = t.Edge(a, b, kEdgeBlue);
    b->m_hidden = true;
    e->m_hidden = true;
    e->m_highlight = MakeRgb(1, 2, 3);
    CEdge* grey = t.Edge(a, b, 0);
    grey->m_highlight = MakeRgb(1, 2, 3);
    RecordingDrawTarget target;
    t.d().DrawGraph(target, 0, 0, 0, t.view.get(), false);
    EXPECT_EQ(target.OpsOf(Op::Ellipse).size(), 1u);
    EXPECT_TRUE(Lines(target).empty());
}

TEST(DrawGraphOrder, BandsHalosEdgesThenVertices) {
    TestDoc t;
    CVertex* a = t.Vertex(100, 100, "a");
    CVertex* b = t.Vertex(200, 100, "b");
    CEdge* e = t.Edge(a, b);
    a->m_highlight = e->m_highlight = MakeRgb(9, 9, 9);
    RecordingDrawTarget target;
    t.d().DrawGraph(target, 0, 0, 0, t.view.get(), false);
    std::vector<Op::Kind> kinds;
    for (const Op& op : target.Ops()) kinds.push_back(op.kind);
    EXPECT_EQ(kinds, (std::vector<Op::Kind>{Op::Line, Op::Ellipse, Op::Line, Op::Ellipse, Op::Text, Op::Ellipse,
                                            Op::Text}));
}

TEST(DrawGraphOrder, OnlyEditorViewsShowTheGraph) {
    TestDoc t;
    t.Vertex(100, 100, "a");
    CPQtreeView pq;
    RecordingDrawTarget target;
    t.d().DrawGraph(target, 0, 0, 0, &pq, true);
    t.d().DrawGraph(target, 0, 0, 0, nullptr, true);
    EXPECT_TRUE(target.OpsOf(Op::Ellipse).empty());
}

// ------------------------------------------------------------------ guides

namespace {
struct Guides {
    std::vector<Op> horizontal, vertical, labels;
};
Guides GuideOps(const RecordingDrawTarget& target, std::int32_t clientWidth) {
    Guides g;
    for (const Op& op : target.Ops()) {
        if (op.kind == Op::Line && op.a.x == -clientWidth && op.a.y == op.b.y) g.horizontal.push_back(op);
        else if (op.kind == Op::Line && op.a.x == op.b.x) g.vertical.push_back(op);
        else if (op.kind == Op::Text) g.labels.push_back(op);
    }
    return g;
}
} // namespace

TEST(GuideDrawing, GridAtThirtyHas666TracksAnd665Lines) {
    TestDoc t;
    t.view->m_guideMode = CLattixView::kGuideGrid;
    RecordingDrawTarget target;
    t.d().DrawGraph(target, 0, 0, 0, t.view.get(), true);
    const Guides g = GuideOps(target, t.view->m_clientWidth);
    ASSERT_EQ(g.horizontal.size(), 666u);
    ASSERT_EQ(g.vertical.size(), 665u);
    EXPECT_EQ(g.horizontal.back().a.y, 665 * 30);
    EXPECT_EQ(g.horizontal.back().b.x, 2 * t.view->m_clientWidth);
    EXPECT_EQ(g.vertical.front().a.x, 30);
    EXPECT_EQ(g.vertical.back().a.x, 665 * 30);
    EXPECT_EQ(g.horizontal.front().pen, Pen::Solid(1, MakeRgb(200, 200, 200)));
    // Labels for tracks 1..665, grey, bottom-aligned in the band above their track.
    ASSERT_EQ(g.labels.size(), 665u);
    EXPECT_EQ(g.labels[0].text, "1");
    EXPECT_EQ(g.labels[0].rect, (Rect{5, 0, 60, 30}));
    EXPECT_EQ(g.labels[0].align, TextAlign::CenterBottom);
    EXPECT_EQ(g.labels[0].textColor, MakeRgb(128, 128, 128));
}

TEST(GuideDrawing, ScrollMovesLinesButNotTheLabelColumn) {
    TestDoc t;
    t.view->m_guideMode = CLattixView::kGuideHorizontal;
    t.d().m_zoomIndex = 12; // 200 %
    RecordingDrawTarget target;
    t.d().DrawGraph(target, 40, 100, 0, t.view.get(), true);
    const Guides g = GuideOps(target, t.view->m_clientWidth);
    EXPECT_TRUE(g.vertical.empty());
    EXPECT_EQ(g.horizontal[1].a.y, 60 - 100);
    EXPECT_EQ(g.labels[0].rect, (Rect{5, -100, 90, -40}));
}

TEST(GuideDrawing, SelectedAndColouredTrackPens) {
    TestDoc t;
    t.view->m_guideMode = CLattixView::kGuideHorizontal;
    t.view->m_showDashedTracks = true;
    t.view->m_trackColors[2] = 102; // Red: dashed
    t.view->m_trackColors[3] = 109; // Light Blue: always solid
    RecordingDrawTarget target;
    t.d().m_selectedTrack = 1;
    t.d().DrawGraph(target, 0, 0, 0, t.view.get(), true);
    Guides g = GuideOps(target, t.view->m_clientWidth);
    EXPECT_EQ(g.horizontal[1].pen, Pen::Solid(3, MakeRgb(200, 200, 200)));
    EXPECT_EQ(g.horizontal[2].pen, Pen::Geometric(PenStyle::Dash, 2, ColorIdToRgb(102)));
    EXPECT_EQ(g.horizontal[3].pen, Pen::Geometric(PenStyle::Solid, 2, ColorIdToRgb(109)));

    target.Clear();
    t.d().m_selectedTrack = 2;
    t.d().DrawGraph(target, 0, 0, 0, t.view.get(), true);
    g = GuideOps(target, t.view->m_clientWidth);
    EXPECT_EQ(g.horizontal[2].pen, Pen::Geometric(PenStyle::Dash, 3, ColorIdToRgb(102)));
    EXPECT_EQ(g.horizontal[1].pen, Pen::Solid(1, MakeRgb(200, 200, 200)));
}

TEST(GuideDrawing, PrintingAndHiddenLabelsLeaveThemOut) {
    TestDoc t;
    t.view->m_guideMode = CLattixView::kGuideGrid;
    RecordingDrawTarget target;
    t.d().DrawGraph(target, 0, 0, 0, t.view.get(), false);
    EXPECT_TRUE(target.Ops().empty());
    t.d().m_showTrackLabels = false;
    t.d().DrawGraph(target, 0, 0, 0, t.view.get(), true);
    EXPECT_TRUE(target.OpsOf(Op::Text).empty());
}

TEST(GuideDrawing, SmallSeparationsPastTheColourTableStayUncoloured) {
    TestDoc t;
    t.view->m_guideMode = CLattixView::kGuideHorizontal;
    t.view->m_ySeparation = 5; // 4000 tracks, only 2000 colour entries
    t.view->m_trackColors.fill(102);
    t.d().m_showTrackLabels = false;
    RecordingDrawTarget target;
    t.d().DrawGraph(target, 0, 0, 0, t.view.get(), true);
    const Guides g = GuideOps(target, t.view->m_clientWidth);
    ASSERT_EQ(g.horizontal.size(), 4000u);
    EXPECT_EQ(g.horizontal[1999].pen.color, ColorIdToRgb(102));
    EXPECT_EQ(g.horizontal[2000].pen, Pen::Solid(1, MakeRgb(200, 200, 200)));
}

TEST(GuideDrawing, WeightTextTakesTheLabelGreyAfterTrackNumbers) {
    TestDoc t;
    t.Edge(t.Vertex(100, 100, "a"), t.Vertex(300, 100, "b"));
    t.d().m_showWeight = true;
    t.d().m_showName = false;
    RecordingDrawTarget target;
    t.d().DrawGraph(target, 0, 0, 0, t.view.get(), true);
    EXPECT_EQ(target.OpsOf(Op::Text).front().textColor, kBlack);
    t.view->m_guideMode = CLattixView::kGuideHorizontal;
    target.Clear();
    t.d().DrawGraph(target, 0, 0, 0, t.view.get(), true);
    const auto texts = target.OpsOf(Op::Text);
    const auto weight = std::find_if(texts.begin(), texts.end(), [](const Op& op) { return op.font.height == 15; });
    ASSERT_NE(weight, texts.end());
    EXPECT_EQ(weight->textColor, MakeRgb(128, 128, 128));
}

// ------------------------------------------------------------------ leaving out what cannot show

namespace {
class WindowTarget : public RecordingDrawTarget {
public:
    explicit WindowTarget(Rect area) : m_area(area) {}
    std::optional<Rect> VisibleArea() const override { return m_area; }

private:
    Rect m_area;
};
} // namespace

TEST(Culling, ElementsFarOutsideTheWindowAreSkippedOthersDrawnAlike) {
    TestDoc t;
    CVertex* near = t.Vertex(100, 100, "near");
    CVertex* far = t.Vertex(5000, 5000, "far");
    CVertex* wide = t.Vertex(700, 100, "a very long label that reaches back into the window");
    t.Edge(near, far);
    t.Edge(far, t.Vertex(6000, 5000));
    RecordingDrawTarget all;
    WindowTarget window({0, 0, 640, 480});
    t.d().DrawGraph(all, 0, 0, 0, t.view.get(), false);
    t.d().DrawGraph(window, 0, 0, 0, t.view.get(), false);
    EXPECT_EQ(window.OpsOf(Op::Ellipse).size(), 2u); // near, and the overflowing label's disc
    EXPECT_EQ(window.OpsOf(Op::Line).size(), 1u);   // the edge into the window
    EXPECT_EQ(all.OpsOf(Op::Ellipse).size(), 4u);
    (void)wide;
}
