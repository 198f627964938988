#include <gtest/gtest.h>

#include <cmath>

#include "editor/HitTest.h"
#include "support/TestDoc.h"

TEST(Document, NewDocumentDefaults) {
    TestDoc t;
    CLattixDoc& d = t.d();
    EXPECT_TRUE(d.m_showName);
    EXPECT_EQ(d.m_zoomIndex, 9);
    EXPECT_EQ(d.m_tool, kToolVertex);
    EXPECT_EQ(d.m_labelCounter, 1);
    EXPECT_EQ(d.m_currentColor, MakeRgb(32, 32, 255));
    EXPECT_FALSE(d.IsModified());
    EXPECT_EQ(d.UndoDepth(), 1u);
}

TEST(Document, DeletingAVertexTakesEveryIncidentEdgeOnce) {
    TestDoc t;
    CVertex* v = t.Vertex(100, 100);
    CVertex* a = t.Vertex(200, 100);
    CVertex* b = t.Vertex(100, 200);
    CEdge* loop = t.Edge(v, v);
    CEdge* va = t.Edge(v, a);
    CEdge* bv = t.Edge(b, v);
    CEdge* ab = t.Edge(a, b);
    EXPECT_EQ(v->m_edges.size(), 4u); // the self-loop is listed twice
    t.d().ClearSelection();
    for (CElement* e : {static_cast<CElement*>(loop), static_cast<CElement*>(va), static_cast<CElement*>(bv)})
        t.d().AddToSelection(e);

    t.d().DeleteElement(v);
    EXPECT_EQ(t.CountVertices(), 2u);
    ASSERT_EQ(t.CountEdges(), 1u);
    EXPECT_EQ(t.Edges().front(), ab);
    EXPECT_EQ(a->m_edges, std::vector<CEdge*>{ab});
    EXPECT_EQ(b->m_edges, std::vector<CEdge*>{ab});
    EXPECT_TRUE(t.d().m_selection.empty());
}

TEST(Document, SelectionOperations) {
    TestDoc t;
    CVertex* v = t.Vertex(100, 100);
    t.d().ClearSelection();
    EXPECT_FALSE(v->m_selected);
    t.d().AddToSelection(v);
    t.d().AddToSelection(v);
    EXPECT_EQ(t.d().m_selection.size(), 1u);
    EXPECT_TRUE(t.d().IsSelected(v));
    EXPECT_FALSE(t.d().IsSelected(nullptr));
    t.d().AddToSelection(nullptr);
    t.d().RemoveFromSelection(v);
    EXPECT_FALSE(v->m_selected);
    EXPECT_TRUE(t.d().m_selection.empty());
}

TEST(Document, FindEdgeInEitherOrientationFirstInElementOrder) {
    TestDoc t;
    CVertex* a = t.Vertex(100, 100);
    CVertex* b = t.Vertex(200, 100);
    CVertex* c = t.Vertex(300, 100);
    EXPECT_EQ(t.d().FindEdge(a, b), nullptr);
    CEdge* first = t.Edge(a, b);
    t.Edge(b, a);
    t.Edge(b, c);
    EXPECT_EQ(t.d().FindEdge(b, a), first);
    EXPECT_EQ(t.d().FindEdge(a, b), first);
    EXPECT_EQ(t.d().FindEdge(a, c), nullptr);
}

TEST(Document, PointLineDistance) {
    EXPECT_DOUBLE_EQ(PointLineDistance(5, 5, 0, 0, 0, 10), 5.0);  // vertical line
    EXPECT_DOUBLE_EQ(PointLineDistance(5, 2, 0, 0, 10, 0), 2.0);  // horizontal line
    EXPECT_NEAR(PointLineDistance(0, 2, 0, 0, 10, 10), std::sqrt(2.0), 1e-12);
}

TEST(Document, DeleteContentsEmptiesEverything) {
    TestDoc t;
    CVertex* a = t.Vertex(100, 100);
    CVertex* b = t.Vertex(200, 100);
    t.d().AddToSelection(t.Edge(a, b));
    t.d().AddToSelection(a);
    t.d().OnEditCopy();
    EXPECT_FALSE(t.d().m_clipboard.empty());
    t.d().DeleteContents();
    EXPECT_TRUE(t.d().m_elements.empty());
    EXPECT_TRUE(t.d().m_selection.empty());
    EXPECT_TRUE(t.d().m_clipboard.empty());
}

TEST(Document, GuidesWithoutAnEditorViewSurviveSaveAndReload) {
    // A document whose only editor view closed keeps that view's guides for saving, and a
    // new first editor view picks them up again.
    HeadlessPlatform platform;
    CLattixDoc doc(platform);
    auto view = std::make_unique<CLattixView>();
    doc.AddView(view.get());
    doc.OnNewDocument();
    view->m_guideMode = 3;
    view->m_ySeparation = 45;
    view.reset();
    EXPECT_EQ(doc.SavedGuides().m_ySeparation, 45);
    EXPECT_EQ(doc.SavedGuides().m_guideMode, 3);
    CLattixView second;
    doc.AddView(&second);
    EXPECT_EQ(second.m_ySeparation, 45);
    // A further window starts from the defaults.
    CLattixView third;
    doc.AddView(&third);
    EXPECT_EQ(third.m_ySeparation, 30);
}
