#include <gtest/gtest.h>

#include "io/DocumentFormat.h"
#include "support/TestDoc.h"

namespace {
// Adds a vertex the way an editing command does: change, checkpoint, modified.
CVertex* AddVertexCommand(TestDoc& t, int x, int y) {
    CVertex* v = t.Vertex(x, y);
    t.d().CheckPoint();
    t.d().SetModifiedFlag(true);
    return v;
}
} // namespace

TEST(Undo, FreshDocumentHasNothingToUndoOrRedo) {
    TestDoc t;
    EXPECT_FALSE(t.d().CanUndo());
    EXPECT_FALSE(t.d().CanRedo());
    // Undo with nothing to undo changes nothing.
    t.d().OnEditUndo();
    EXPECT_EQ(t.d().UndoDepth(), 1u);
}

TEST(Undo, UndoRedoRestoresTheSameVertex) {
    TestDoc t;
    CVertex* v = AddVertexCommand(t, 120, 80);
    const std::uint32_t id = v->m_id;
    const std::string name = v->m_name;
    t.d().OnEditUndo();
    EXPECT_EQ(t.CountVertices(), 0u);
    EXPECT_TRUE(t.d().CanRedo());
    t.d().OnEditRedo();
    ASSERT_EQ(t.CountVertices(), 1u);
    CVertex* back = t.Vertices().front();
    EXPECT_EQ(back->m_id, id);
    EXPECT_EQ(back->m_name, name);
    EXPECT_EQ(back->m_center, (Point{120, 80}));
    EXPECT_FALSE(t.d().CanRedo());
    t.d().OnEditRedo(); // nothing left to redo
    EXPECT_EQ(t.CountVertices(), 1u);
    // Ids are never handed out twice, undo or not.
    EXPECT_GT(g_nextId, id);
}

TEST(Undo, NewChangeAfterUndoClearsRedo) {
    TestDoc t;
    AddVertexCommand(t, 100, 100);
    t.d().OnEditUndo();
    AddVertexCommand(t, 200, 200);
    EXPECT_FALSE(t.d().CanRedo());
}

TEST(Undo, FiveHundredLevels) {
    TestDoc t;
    for (int i = 0; i < 600; ++i) AddVertexCommand(t, 50 + i % 300, 50 + i / 300 * 50);
    int steps = 0;
    while (t.d().CanUndo()) {
        t.d().OnEditUndo();
        ++steps;
    }
    EXPECT_EQ(steps, 500);
    EXPECT_EQ(t.CountVertices(), 100u);
}

TEST(Undo, KeptSettingsSurviveUndoAndRedo) {
    TestDoc t;
    AddVertexCommand(t, 100, 100);
    t.d().m_zoomIndex = 12;
    t.d().m_showWeight = true;
    t.d().m_labelCounter = 77;
    t.view->m_guideMode = 1;
    t.view->m_ySeparation = 40;
    t.d().OnEditUndo();
    EXPECT_EQ(t.CountVertices(), 0u);
    EXPECT_EQ(t.d().m_zoomIndex, 12);
    EXPECT_TRUE(t.d().m_showWeight);
    EXPECT_EQ(t.d().m_labelCounter, 77);
    EXPECT_EQ(t.view->m_guideMode, 1);
    EXPECT_EQ(t.view->m_ySeparation, 40);
    t.d().OnEditRedo();
    EXPECT_EQ(t.d().m_zoomIndex, 12);
}

TEST(Undo, ModesComeFromTheSnapshot) {
    TestDoc t;
    t.d().OnUlpRecognitionMode();
    EXPECT_TRUE(t.d().m_ulpMode);
    t.d().OnEditUndo();
    EXPECT_FALSE(t.d().m_ulpMode);
}

TEST(Undo, UndoEmptiesTheClipboard) {
    TestDoc t;
    t.d().AddToSelection(AddVertexCommand(t, 100, 100));
    t.d().OnEditCopy();
    ASSERT_FALSE(t.d().m_clipboard.empty());
    t.d().OnEditUndo();
    EXPECT_TRUE(t.d().m_clipboard.empty());
    t.d().OnEditPaste();
    EXPECT_EQ(t.CountVertices(), 0u);
}

TEST(Undo, ModifiedFlagIsLeftAlone) {
    TestDoc t;
    AddVertexCommand(t, 100, 100);
    t.d().OnEditUndo();
    EXPECT_TRUE(t.d().IsModified());
}
