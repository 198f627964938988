#include <gtest/gtest.h>

#include <set>

#include "support/TestDoc.h"

TEST(Clipboard, RepeatedPastesMakeAStaircase) {
    TestDoc t;
    CVertex* a = t.Vertex(100, 100, "a");
    CVertex* b = t.Vertex(200, 100, "b");
    CEdge* ab = t.Edge(a, b, kEdgeRed);
    ab->m_weight = 5;
    t.d().ClearSelection();
    t.d().AddToSelection(a);
    t.d().AddToSelection(b);
    t.d().AddToSelection(ab);
    t.d().SetModifiedFlag(false);
    t.d().OnEditCopy();
    EXPECT_FALSE(t.d().IsModified());
    EXPECT_EQ(t.d().UndoDepth(), 1u);

    std::set<std::uint32_t> ids;
    for (int k = 1; k <= 3; ++k) {
        t.d().OnEditPaste();
        // Only the elements just pasted are selected.
        ASSERT_EQ(t.d().m_selection.size(), 3u);
        std::vector<CVertex*> pasted;
        for (CElement* e : t.d().m_selection) {
            ids.insert(e->m_id);
            if (CVertex* v = e->AsVertex()) pasted.push_back(v);
            else {
                EXPECT_EQ(e->AsEdge()->m_edgeColor, kEdgeRed);
                EXPECT_EQ(e->AsEdge()->m_weight, 0);
            }
        }
        ASSERT_EQ(pasted.size(), 2u);
        EXPECT_EQ(pasted[0]->m_center, (Point{100 + 50 * k, 100 + 50 * k}));
        EXPECT_EQ(pasted[1]->m_center, (Point{200 + 50 * k, 100 + 50 * k}));
        EXPECT_EQ(pasted[0]->m_name, "a");
        EXPECT_EQ(pasted[1]->m_name, "b");
    }
    EXPECT_EQ(ids.size(), 9u);
    EXPECT_EQ(t.CountVertices(), 8u);
    EXPECT_EQ(t.CountEdges(), 4u);
}

TEST(Clipboard, EdgeWithoutBothEndsSelectedIsNotCopied) {
    TestDoc t;
    CVertex* a = t.Vertex(100, 100);
    CVertex* b = t.Vertex(200, 100);
    CEdge* ab = t.Edge(a, b);
    t.d().ClearSelection();
    t.d().AddToSelection(a);
    t.d().AddToSelection(ab);
    t.d().OnEditCopy();
    ASSERT_EQ(t.d().m_clipboard.size(), 1u);
    EXPECT_TRUE(t.d().m_clipboard.front()->IsVertex());
}

TEST(Clipboard, PasteOfNothingStillCheckpoints) {
    TestDoc t;
    t.Vertex(100, 100);
    t.d().SetModifiedFlag(false);
    const std::size_t depth = t.d().UndoDepth();
    t.d().OnEditPaste();
    EXPECT_TRUE(t.d().m_selection.empty());
    EXPECT_EQ(t.d().UndoDepth(), depth + 1);
    EXPECT_TRUE(t.d().IsModified());
}

TEST(Clipboard, CutAndUndo) {
    TestDoc t;
    CVertex* a = t.Vertex(100, 100);
    CVertex* b = t.Vertex(200, 100);
    CEdge* ab = t.Edge(a, b);
    t.d().CheckPoint();
    t.d().ClearSelection();
    t.d().AddToSelection(a);
    t.d().AddToSelection(ab);
    t.d().OnEditCut();
    EXPECT_EQ(t.CountVertices(), 1u);
    EXPECT_EQ(t.CountEdges(), 0u);
    t.d().OnEditUndo();
    EXPECT_EQ(t.CountVertices(), 2u);
    EXPECT_EQ(t.CountEdges(), 1u);
}

TEST(Clipboard, UndoAfterPasteRestoresThePreviousState) {
    TestDoc t;
    t.d().AddToSelection(t.Vertex(100, 100));
    t.d().CheckPoint();
    t.d().OnEditCopy();
    t.d().OnEditPaste();
    EXPECT_EQ(t.CountVertices(), 2u);
    t.d().OnEditUndo();
    EXPECT_EQ(t.CountVertices(), 1u);
}

TEST(Clipboard, EachDocumentHasItsOwn) {
    TestDoc first, second;
    first.d().AddToSelection(first.Vertex(100, 100));
    first.d().OnEditCopy();
    second.d().OnEditPaste();
    EXPECT_EQ(second.CountVertices(), 0u);
    first.d().OnEditPaste();
    EXPECT_EQ(first.CountVertices(), 2u);
}
