#include <gtest/gtest.h>

#include "editor/CommandIds.h"
#include "editor/CommandTable.h"
#include "support/TestDoc.h"
#include "editor/ContextMenu.h"

namespace {

struct BentEdge {
    CVertex *a, *b1, *b2, *c;
    CEdge *e1, *e2, *e3;
};

// a - b1 - b2 - c: one edge with two bends.
BentEdge MakeBentEdge(TestDoc& t) {
    BentEdge g;
    g.a = t.Vertex(100, 100, "a");
    g.b1 = t.Vertex(200, 150, "");
    g.b2 = t.Vertex(300, 150, "");
    g.c = t.Vertex(400, 100, "c");
    for (CVertex* b : {g.b1, g.b2}) {
        b->m_isBend = true;
        b->SetRadius(5);
    }
    g.e1 = t.Edge(g.a, g.b1);
    g.e2 = t.Edge(g.b1, g.b2);
    g.e3 = t.Edge(g.b2, g.c);
    t.d().ClearSelection();
    t.d().CheckPoint();
    return g;
}

void Select(TestDoc& t, std::initializer_list<CElement*> elements) {
    t.d().ClearSelection();
    for (CElement* e : elements) t.d().AddToSelection(e);
}

} // namespace

TEST(EditCommands, DeletingOneSegmentDeletesTheWholeBentEdge) {
    TestDoc t;
    BentEdge g = MakeBentEdge(t);
    Select(t, {g.e2});
    t.d().DeleteSelection();
    EXPECT_EQ(t.CountEdges(), 0u);
    EXPECT_EQ(t.CountVertices(), 2u);
    t.d().OnEditUndo();
    EXPECT_EQ(t.CountEdges(), 3u);
    EXPECT_EQ(t.CountVertices(), 4u);
}

TEST(EditCommands, DeletingAnEndVertexTakesItsDanglingBends) {
    TestDoc t;
    BentEdge g = MakeBentEdge(t);
    Select(t, {g.a});
    ExecuteCommand(t.d(), t.view.get(), cmd::kDelete);
    EXPECT_EQ(t.CountVertices(), 1u);
    EXPECT_EQ(t.CountEdges(), 0u);
    EXPECT_EQ(t.Vertices()[0]->m_name, "c");
}

TEST(EditCommands, RecolouringASegmentRecoloursTheChain) {
    TestDoc t;
    BentEdge g = MakeBentEdge(t);
    Select(t, {g.e3});
    ExecuteCommand(t.d(), t.view.get(), cmd::kEdgeColorPurple);
    for (CEdge* e : {g.e1, g.e2, g.e3}) EXPECT_EQ(e->m_edgeColor, kEdgePurple);
    EXPECT_EQ(g.b1->m_color, ColorOfEdgeCode(kEdgePurple));
    // A selected bend recolours every lane through it.
    Select(t, {g.b2});
    t.d().SetSelectionEdgeColor(kEdgeOrange);
    for (CEdge* e : {g.e1, g.e2, g.e3}) EXPECT_EQ(e->m_edgeColor, kEdgeOrange);
}

TEST(EditCommands, AddBendSplitsEveryLaneThroughOneBend) {
    TestDoc t;
    CVertex* a = t.Vertex(100, 100, "a");
    CVertex* b = t.Vertex(300, 100, "b");
    CEdge* blue = t.Edge(a, b, kEdgeBlue);
    t.Edge(a, b, kEdgeRed);
    Select(t, {blue});
    t.d().OnAddBend();
    std::vector<CVertex*> bends;
    for (CVertex* v : t.Vertices())
        if (v->m_isBend) bends.push_back(v);
    ASSERT_EQ(bends.size(), 1u);
    EXPECT_EQ(bends[0]->m_color, kWhite); // the lanes differ in colour
    EXPECT_EQ(bends[0]->m_radius, 5);
    EXPECT_EQ(t.CountEdges(), 4u);
    EXPECT_EQ(bends[0]->m_edges.size(), 4u);
    // Removing the bend joins the lanes again.
    Select(t, {bends[0]});
    t.d().OnRemoveBend();
    EXPECT_EQ(t.CountVertices(), 2u);
    ASSERT_EQ(t.CountEdges(), 2u);
    EXPECT_TRUE(t.Edges()[0]->Joins(a, b));
    t.d().OnEditUndo();
    EXPECT_EQ(t.CountVertices(), 3u);
}

TEST(EditCommands, DialogsReadPlainIntegers) {
    TestDoc t;
    CVertex* a = t.Vertex(500, 500, "a");
    CVertex* b = t.Vertex(600, 500, "b");
    CEdge* e = t.Edge(a, b);
    Select(t, {a, b, e});
    t.platform.m_textAnswers = {std::string("50")};
    t.d().OnResize();
    EXPECT_EQ(a->m_radius, 35);
    t.platform.m_textAnswers = {std::string("3")};
    t.d().OnResize();
    EXPECT_EQ(a->m_radius, 35);
    t.platform.m_textAnswers = {std::string("x12")};
    t.d().OnWeight();
    EXPECT_EQ(e->m_weight, 0);
    t.platform.m_textAnswers = {std::string("17 apples")};
    t.d().OnWeight();
    EXPECT_EQ(e->m_weight, 17);
    t.platform.m_textAnswers = {std::string("hub")};
    t.d().OnRename();
    EXPECT_EQ(a->m_name, "hub");
    EXPECT_EQ(b->m_name, "hub");
    t.platform.m_trackNumberAnswers = {7};
    t.d().OnTrackNumber();
    EXPECT_EQ(b->m_trackNumber, 7);
    t.platform.m_textAnswers = {std::string("40")};
    t.d().OnResetLabelCounter();
    EXPECT_EQ(t.d().m_labelCounter, 40);
    // Cancel changes nothing.
    t.platform.m_textAnswers = {std::nullopt};
    t.d().OnRename();
    EXPECT_EQ(a->m_name, "hub");
}

TEST(EditCommands, RelabelOfMoreThanTwentySixVerticesNumbers) {
    TestDoc t;
    std::vector<CVertex*> vs;
    for (int i = 0; i < 27; ++i) vs.push_back(t.Vertex(50 + 30 * i, 100));
    t.d().ClearSelection();
    for (CVertex* v : vs) t.d().AddToSelection(v);
    t.d().OnRelabel(); // the dialog can only offer numbers
    EXPECT_EQ(vs[0]->m_name, "1");
    EXPECT_EQ(vs[26]->m_name, "27");
    t.platform.m_relabelAnswers = {RelabelFormat::Uppercase};
    t.d().OnRelabel();
    EXPECT_EQ(vs[1]->m_name, "B");
}

TEST(EditCommands, FourRightTurnsComeBackAndFlipsMirror) {
    TestDoc t;
    CVertex* a = t.Vertex(100, 100, "a");
    CVertex* b = t.Vertex(300, 160, "b");
    CVertex* c = t.Vertex(180, 260, "c");
    Select(t, {a, b, c});
    const std::size_t depth = t.d().UndoDepth();
    for (int i = 0; i < 4; ++i) t.d().OnRotateRight();
    EXPECT_EQ(t.d().UndoDepth(), depth + 4);
    for (auto [v, x, y] : {std::tuple{a, 100, 100}, std::tuple{b, 300, 160}, std::tuple{c, 180, 260}}) {
        EXPECT_NEAR(v->m_center.x, x, 2);
        EXPECT_NEAR(v->m_center.y, y, 2);
    }
    // A quarter turn clockwise on the screen: the top-left vertex goes top-right.
    t.d().OnRotateRight();
    EXPECT_GT(a->m_center.x, c->m_center.x);
    t.d().OnFlipHorizontally();
    t.d().OnFlipVertically();
    EXPECT_EQ(t.d().UndoDepth(), depth + 7);
}

TEST(EditCommands, SwapAdjacencyLists) {
    TestDoc t;
    CVertex* a = t.Vertex(100, 100, "a");
    CVertex* b = t.Vertex(300, 100, "b");
    CVertex* x = t.Vertex(100, 300, "x");
    CVertex* y = t.Vertex(300, 300, "y");
    CVertex* z = t.Vertex(200, 400, "z");
    t.Edge(a, x);
    t.Edge(b, y);
    t.Edge(b, z, kEdgeRed);
    CEdge* ab = t.Edge(a, b);
    t.d().CheckPoint();
    Select(t, {a});
    t.d().OnSwapAdjacencyLists(t.view.get());
    EXPECT_EQ(t.platform.m_messages.back(), "Select 2 vertices to swap adjacency lists");
    Select(t, {a, b, x});
    t.d().OnSwapAdjacencyLists(t.view.get());
    EXPECT_TRUE(t.d().FindEdge(a, x)); // three selected: nothing happens
    CVertex* bend = t.Vertex(200, 200);
    bend->m_isBend = true;
    Select(t, {a, b, bend});
    t.d().OnSwapAdjacencyLists(t.view.get());
    EXPECT_TRUE(t.d().FindEdge(a, x)); // a bend point is a further vertex too
    t.d().DeleteElement(bend);

    // Red edges are hidden in this view, so they stay where they are.
    t.view->SetColorShown(kEdgeRed, false);
    Select(t, {a, b});
    t.d().OnSwapAdjacencyLists(t.view.get());
    EXPECT_TRUE(t.d().FindEdge(b, x));
    EXPECT_TRUE(t.d().FindEdge(a, y));
    EXPECT_TRUE(t.d().FindEdge(b, z));
    EXPECT_TRUE(t.d().FindEdge(a, b) == ab);
    EXPECT_EQ(a->m_edges.size(), 2u);
    t.d().OnEditUndo();
    EXPECT_TRUE(t.d().FindEdge(t.VertexNamed("a"), t.VertexNamed("x")));
}

TEST(EditCommands, ContextMenusFollowTheSelection) {
    TestDoc t;
    BentEdge g = MakeBentEdge(t);
    ContextMenu m = t.d().OnRButtonDown(t.view.get(), 0, g.a->m_center);
    EXPECT_EQ(m.kind, ContextMenu::Kind::Vertices);
    EXPECT_EQ(m.entries, (std::vector<int>{cmd::kRename, cmd::kResize, cmd::kDelete, cmd::kTrackNumber, cmd::kRelabel}));
    EXPECT_EQ(m.checkedColors, std::vector<Rgb>{ColorIdToRgb(101)});
    m = t.d().OnRButtonDown(t.view.get(), 0, g.b1->m_center);
    EXPECT_EQ(m.kind, ContextMenu::Kind::BendPoint);
    m = t.d().OnRButtonDown(t.view.get(), CLattixDoc::kFlagCtrl, g.a->m_center);
    EXPECT_EQ(m.kind, ContextMenu::Kind::VerticesAndEdges);
    t.d().ClearSelection();
    m = t.d().OnRButtonDown(t.view.get(), 0, {250, 500});
    EXPECT_TRUE(m.Empty());
    // On empty canvas near a track: the track menu; a colour then goes to that track.
    t.view->m_guideMode = CLattixView::kGuideHorizontal;
    m = t.d().OnRButtonDown(t.view.get(), 0, {250, 302});
    ASSERT_EQ(m.kind, ContextMenu::Kind::Track);
    EXPECT_EQ(t.d().m_selectedTrack, 10);
    t.d().OnContextMenuClosed(m);
    ExecuteCommand(t.d(), t.view.get(), 102);
    EXPECT_EQ(t.view->m_trackColors[10], 102);
}

TEST(EditCommands, VertexColourFromTheContextMenuIsOneUndoStepPerVertex) {
    TestDoc t;
    CVertex* a = t.Vertex(100, 100);
    CVertex* b = t.Vertex(200, 100);
    Select(t, {a, b});
    const ContextMenu m = t.d().OnRButtonDown(t.view.get(), 0, a->m_center);
    t.d().OnContextMenuClosed(m);
    const std::size_t depth = t.d().UndoDepth();
    t.d().OnColorCommand(103);
    EXPECT_EQ(a->m_color, ColorIdToRgb(103));
    EXPECT_EQ(b->m_color, ColorIdToRgb(103));
    EXPECT_EQ(t.d().UndoDepth(), depth + 2);
    EXPECT_FALSE(t.d().m_colorForSelection);
    // Without the context menu a colour only chooses the colour of new vertices.
    t.d().OnColorCommand(105);
    EXPECT_EQ(a->m_color, ColorIdToRgb(103));
    EXPECT_EQ(t.d().m_currentColor, ColorIdToRgb(105));
    EXPECT_TRUE(QueryCommand(t.d(), t.view.get(), 105)->checked);
    EXPECT_FALSE(QueryCommand(t.d(), t.view.get(), 101)->checked);
}

TEST(EditCommands, ToolsAndTogglesWithCheckMarks) {
    TestDoc t;
    ExecuteCommand(t.d(), t.view.get(), cmd::kToolRedEdge);
    EXPECT_EQ(t.d().m_tool, kEdgeRed);
    EXPECT_TRUE(QueryCommand(t.d(), t.view.get(), cmd::kToolRedEdge)->checked);
    ExecuteCommand(t.d(), t.view.get(), cmd::kToolPointer);
    EXPECT_FALSE(QueryCommand(t.d(), t.view.get(), cmd::kToolRedEdge)->checked);
    // Display toggles change no undo state and leave the document unmodified.
    t.d().SetModifiedFlag(false);
    ExecuteCommand(t.d(), t.view.get(), cmd::kShowStNumber);
    ExecuteCommand(t.d(), t.view.get(), cmd::kShowName);
    EXPECT_TRUE(t.d().m_showStNumber);
    EXPECT_FALSE(t.d().m_showName);
    EXPECT_FALSE(t.d().IsModified());
    EXPECT_EQ(t.d().UndoDepth(), 1u);
    // Colour layers belong to the view: a second view keeps its own.
    CLattixView second;
    t.d().AddView(&second);
    ExecuteCommand(t.d(), t.view.get(), cmd::kShowBlue);
    EXPECT_FALSE(t.view->IsColorShown(kEdgeBlue));
    EXPECT_TRUE(second.IsColorShown(kEdgeBlue));
    EXPECT_FALSE(QueryCommand(t.d(), nullptr, cmd::kShowBlue)->enabled);
    EXPECT_FALSE(QueryCommand(t.d(), t.view.get(), cmd::kEditUndo)->enabled);
}
