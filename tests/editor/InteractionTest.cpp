#include <gtest/gtest.h>

#include "support/TestDoc.h"

namespace {

constexpr unsigned kCtrl = CLattixDoc::kFlagCtrl;
constexpr unsigned kShift = CLattixDoc::kFlagShift;

// A press, a few moves and a release, as the view forwards them.
void Drag(TestDoc& t, Point from, Point to, unsigned flags = 0) {
    t.d().OnLButtonDown(t.view.get(), flags, from);
    t.d().OnMouseMove(t.view.get(), flags, {(from.x + to.x) / 2, (from.y + to.y) / 2});
    t.d().OnMouseMove(t.view.get(), flags, to);
    t.d().OnLButtonUp(t.view.get(), flags, to);
}
void Click(TestDoc& t, Point p, unsigned flags = 0) { Drag(t, p, p, flags); }

std::vector<std::string> SelectionNames(TestDoc& t) {
    std::vector<std::string> names;
    for (CElement* e : t.d().m_selection) names.push_back(e->m_name);
    return names;
}

} // namespace

TEST(Interaction, VertexToolPlacesLabelledVertices) {
    TestDoc t;
    Click(t, {100, 100});
    Click(t, {200, 100});
    ASSERT_EQ(t.CountVertices(), 2u);
    EXPECT_EQ(t.Vertices()[0]->m_name, "1");
    EXPECT_EQ(t.Vertices()[1]->m_name, "2");
    EXPECT_EQ(t.Vertices()[1]->m_trackNumber, 2);
    EXPECT_EQ(SelectionNames(t), std::vector<std::string>{"2"});
    EXPECT_EQ(t.d().m_labelCounter, 3);
    // Each placement is one undo step; the label counter is not undone.
    t.d().OnEditUndo();
    EXPECT_EQ(t.CountVertices(), 1u);
    Click(t, {300, 100});
    EXPECT_EQ(t.Vertices().back()->m_name, "3");
}

TEST(Interaction, MouseEditingOnlyAtFullSize) {
    TestDoc t;
    t.d().m_zoomIndex = 10; // 125 %
    Click(t, {100, 100});
    EXPECT_EQ(t.CountVertices(), 0u);
}

TEST(Interaction, EdgeToolDrawsBetweenVertices) {
    TestDoc t;
    Click(t, {100, 100});
    Click(t, {300, 100});
    t.d().SetTool(kEdgeRed);
    const std::size_t before = t.d().m_elements.size();
    // Released on the start vertex, or on empty canvas: nothing.
    Drag(t, {100, 100}, {102, 101});
    Drag(t, {100, 100}, {500, 500});
    EXPECT_EQ(t.d().m_elements.size(), before);
    Drag(t, {101, 99}, {299, 100});
    ASSERT_EQ(t.CountEdges(), 1u);
    CEdge* e = t.Edges()[0];
    EXPECT_EQ(e->m_edgeColor, kEdgeRed);
    EXPECT_EQ(e->m_v1->m_name, "1");
    EXPECT_EQ(e->m_v2->m_name, "2");
    EXPECT_EQ(t.d().m_selection.size(), 1u);
    EXPECT_TRUE(t.d().IsSelected(e));
    EXPECT_EQ(t.d().m_creating, nullptr);
    t.d().OnEditUndo();
    EXPECT_EQ(t.CountEdges(), 0u);
}

TEST(Interaction, EdgeToABendFollowsTheWholeChain) {
    TestDoc t;
    CVertex* a = t.Vertex(100, 100, "a");
    CVertex* b1 = t.Vertex(200, 200, "b1");
    CVertex* b2 = t.Vertex(300, 200, "b2");
    CVertex* c = t.Vertex(400, 100, "c");
    b1->m_isBend = b2->m_isBend = true;
    b1->SetRadius(5);
    b2->SetRadius(5);
    t.Edge(a, b1);
    t.Edge(b1, b2);
    t.Edge(b2, c);
    t.d().SetTool(kEdgeGreen);
    Drag(t, {100, 100}, {200, 200});
    // A green lane from a through both bends to c.
    int green = 0;
    for (CEdge* e : t.Edges()) green += e->m_edgeColor == kEdgeGreen;
    EXPECT_EQ(green, 3);
    EXPECT_TRUE(t.d().FindEdge(b2, c));
    // A bend that is not joined to the start vertex takes no edge.
    CVertex* d = t.Vertex(100, 300, "d");
    const std::size_t before = t.CountEdges();
    Drag(t, d->m_center, {300, 200});
    EXPECT_EQ(t.CountEdges(), before);
}

TEST(Interaction, PointerSelectsTogglesAndDrags) {
    TestDoc t;
    CVertex* a = t.Vertex(100, 100, "a");
    CVertex* b = t.Vertex(200, 100, "b");
    CEdge* ab = t.Edge(a, b);
    t.d().ClearSelection();
    t.d().CheckPoint();
    t.d().SetTool(kToolPointer);
    Click(t, {100, 100});
    Click(t, {200, 100}, kCtrl);
    EXPECT_EQ(SelectionNames(t), (std::vector<std::string>{"a", "b"}));
    // Ctrl-click on a selected vertex deselects it and drags nothing.
    Drag(t, {200, 100}, {260, 160}, kCtrl);
    EXPECT_EQ(SelectionNames(t), std::vector<std::string>{"a"});
    EXPECT_EQ(b->m_center, (Point{200, 100}));
    Click(t, {200, 100}, kCtrl);
    // A plain press on a selected vertex drags the whole selection.
    Drag(t, {100, 100}, {130, 140});
    EXPECT_EQ(a->m_center, (Point{130, 140}));
    EXPECT_EQ(b->m_center, (Point{230, 140}));
    EXPECT_EQ(a->m_offset, (Point{0, 0}));
    EXPECT_EQ(ab->m_start.y, 140);
    t.d().OnEditUndo();
    EXPECT_EQ(t.VertexNamed("a")->m_center, (Point{100, 100}));
}

TEST(Interaction, HitTestsPreferVerticesAndNeedTheEdgeBox) {
    TestDoc t;
    CVertex* a = t.Vertex(100, 100, "a");
    CVertex* b = t.Vertex(300, 100, "b");
    CEdge* ab = t.Edge(a, b);
    t.d().ClearSelection();
    t.d().SetTool(kToolPointer);
    Click(t, {112, 101}); // inside a's square and on the edge
    EXPECT_EQ(SelectionNames(t), std::vector<std::string>{"a"});
    Click(t, {200, 101});
    EXPECT_TRUE(t.d().IsSelected(ab));
    EXPECT_EQ(t.d().m_selection.size(), 1u);
    // Beyond the end of the edge, on its line: a miss, which opens a rubber band instead.
    Click(t, {330, 100});
    EXPECT_TRUE(t.d().m_selection.empty());
    // Edges of a hidden colour cannot be picked.
    t.view->SetColorShown(kEdgeBlue, false);
    Click(t, {200, 101});
    EXPECT_TRUE(t.d().m_selection.empty());
}

TEST(Interaction, RubberBandSelectsTopToBottom) {
    TestDoc t;
    CVertex* low = t.Vertex(100, 300, "low");
    CVertex* mid = t.Vertex(200, 200, "mid");
    t.Vertex(300, 100, "high");
    CEdge* e = t.Edge(low, mid);
    t.d().ClearSelection();
    t.d().SetTool(kToolPointer);
    Drag(t, {50, 50}, {400, 400});
    EXPECT_EQ(SelectionNames(t), (std::vector<std::string>{"high", "mid", "low", ""}));
    // With Shift only edges are taken.
    t.d().ClearSelection();
    Drag(t, {50, 50}, {400, 400}, kShift);
    ASSERT_EQ(t.d().m_selection.size(), 1u);
    EXPECT_EQ(t.d().m_selection.front(), e);
    // Relabelling after the band names them a, b, c from the top.
    t.d().ClearSelection();
    Drag(t, {50, 50}, {400, 400});
    t.d().OnRelabel();
    EXPECT_EQ(t.VertexNamed("a")->m_center.y, 100);
    EXPECT_EQ(t.VertexNamed("c")->m_center.y, 300);
}

TEST(Interaction, DraggingSnapsToTracksAndDeleteKeyDeletes) {
    TestDoc t;
    t.view->m_guideMode = CLattixView::kGuideHorizontal;
    t.view->m_snapToGuides = true;
    CVertex* v = t.Vertex(100, 100, "v");
    t.d().ClearSelection();
    t.d().SetTool(kToolPointer);
    Drag(t, {100, 100}, {140, 148});
    EXPECT_EQ(v->m_center, (Point{140, 150}));
    EXPECT_EQ(v->m_offset, (Point{0, 0}));
    t.d().OnKeyUp(t.view.get(), CLattixDoc::kKeyDelete);
    EXPECT_EQ(t.CountVertices(), 0u);
}

TEST(Interaction, CursorFollowsWhatIsUnderThePointer) {
    TestDoc t;
    CVertex* a = t.Vertex(100, 100);
    t.d().ClearSelection();
    t.d().SetTool(kToolPointer);
    t.d().OnMouseMove(t.view.get(), 0, {101, 101});
    EXPECT_EQ(t.d().m_cursorCode, 120);
    t.d().OnMouseMove(t.view.get(), kCtrl, {101, 101});
    EXPECT_EQ(t.d().m_cursorCode, 121);
    t.d().AddToSelection(a);
    t.d().OnKeyDown(t.view.get(), CLattixDoc::kKeyCtrl);
    EXPECT_EQ(t.d().m_cursorCode, 122);
    t.d().OnMouseMove(t.view.get(), 0, {500, 500});
    EXPECT_EQ(t.d().m_cursorCode, 123);
}
