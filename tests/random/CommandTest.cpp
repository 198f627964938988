// The command frame around the generators: dialog, seeding, placement on rows, undo, and
// the ways a long rejection run ends without a tree.

#include <gtest/gtest.h>

#include "random/PruferCode.h"
#include "random/RandomTreeCommand.h"
#include "support/TestDoc.h"

namespace {

GenerateOutcome RunCommand(TestDoc& t, RandomTreeMethod method, int n, std::uint32_t seed, RandomTreeOptions options = {}) {
    t.platform.m_ticks = seed;
    t.platform.m_randomTreeAnswers.push_back(n);
    return RunRandomTreeCommand(t.d(), method, options);
}

} // namespace

TEST(RandomTreeCommand, LabeledTreeIsItsPruferSequenceLaidOutRowByRow) {
    TestDoc t;
    t.d().m_currentColor = MakeRgb(1, 2, 3);
    const std::uint32_t base = g_nextId;
    const std::size_t undoBefore = t.d().UndoDepth();
    ASSERT_EQ(RunCommand(t, RandomTreeMethod::Labeled, 12, 4711), GenerateOutcome::Added);

    LcgRandom random(4711);
    std::vector<std::int32_t> sequence, degree;
    DrawPruferSequence(random, 12, sequence);
    std::vector<TreeEdge> expected;
    DecodePrufer(sequence, 12, expected, degree);

    const std::vector<CVertex*> vertices = t.Vertices();
    ASSERT_EQ(vertices.size(), 12u);
    for (int i = 0; i < 12; ++i) {
        CVertex* v = vertices[i];
        EXPECT_EQ(v->m_id, base + i);
        EXPECT_EQ(v->m_name, std::to_string(i + 1));
        EXPECT_EQ(v->m_trackNumber, i + 1);
        EXPECT_EQ(v->m_center, (Point{30 * (int(random.Below(12)) + 1), 30 * (i + 1)}));
        EXPECT_EQ(v->m_color, MakeRgb(1, 2, 3));
        EXPECT_TRUE(t.d().IsSelected(v));
    }
    const std::vector<CEdge*> edges = t.Edges();
    ASSERT_EQ(edges.size(), 11u);
    for (std::size_t j = 0; j < edges.size(); ++j) {
        EXPECT_EQ(edges[j]->m_v1, vertices[expected[j].first]);
        EXPECT_EQ(edges[j]->m_v2, vertices[expected[j].second]);
        EXPECT_EQ(edges[j]->m_edgeColor, kEdgeBlack);
        EXPECT_EQ(edges[j]->m_id, base + 12 + j);
    }
    EXPECT_EQ(t.d().UndoDepth(), undoBefore + 1);
    EXPECT_TRUE(t.d().IsModified());
    const std::int32_t crossings = t.d().TotalCrossings();
    t.d().CountCrossings();
    EXPECT_EQ(t.d().TotalCrossings(), crossings);
}

TEST(RandomTreeCommand, PruferTreesOfSmallAndRepeatedSequences) {
    TestDoc t(false);
    LcgRandom random(1);
    RandomTreeGenerator generator(t.d(), random);
    std::vector<CVertex*> vertices;
    std::vector<CEdge*> edges;
    generator.BuildPruferTree({2, 2, 2}, 5, &vertices, &edges, true);
    ASSERT_EQ(edges.size(), 4u);
    for (CEdge* e : edges) EXPECT_EQ(e->m_v1->m_name, "3") << "a star around the repeated entry";
    vertices.clear();
    edges.clear();
    generator.BuildPruferTree({0}, 3, &vertices, &edges, false);
    EXPECT_EQ(vertices[0]->m_edges.size(), 2u);
    EXPECT_EQ(t.CountVertices(), 5u) << "the second tree was kept out of the document";
    for (CEdge* e : edges) delete e;
    for (CVertex* v : vertices) delete v;
}

TEST(RandomTreeCommand, SecondTreeIsAddedAndUndoneInOneStep) {
    TestDoc t;
    RunCommand(t, RandomTreeMethod::Wilf, 8, 100);
    const std::vector<std::uint32_t> firstIds = [&] {
        std::vector<std::uint32_t> ids;
        for (CElement* e : t.d().m_elements) ids.push_back(e->m_id);
        return ids;
    }();
    RunCommand(t, RandomTreeMethod::Rooted, 9, 200);
    EXPECT_EQ(t.CountVertices(), 17u);
    EXPECT_EQ(t.CountEdges(), 15u);
    t.d().OnEditUndo();
    std::vector<std::uint32_t> ids;
    for (CElement* e : t.d().m_elements) ids.push_back(e->m_id);
    EXPECT_EQ(ids, firstIds);
    t.d().OnEditUndo();
    EXPECT_TRUE(t.d().m_elements.empty());
    t.d().OnEditRedo();
    t.d().OnEditRedo();
    EXPECT_EQ(t.CountVertices(), 17u);
}

TEST(RandomTreeCommand, StoppingEarlyChangesNothing) {
    TestDoc t;
    const std::size_t undoBefore = t.d().UndoDepth();
    const std::uint32_t idBefore = g_nextId;
    t.d().SetModifiedFlag(false);

    t.platform.m_randomTreeAnswers.push_back(std::nullopt);
    EXPECT_EQ(RunRandomTreeCommand(t.d(), RandomTreeMethod::Labeled), GenerateOutcome::Cancelled);

    int updates = 0;
    t.platform.m_progress = [&](std::string_view, std::int64_t done, std::int64_t) {
        EXPECT_GT(done, 0);
        return ++updates < 3;
    };
    EXPECT_EQ(RunCommand(t, RandomTreeMethod::FreeFromLabeled, 14, 5), GenerateOutcome::Cancelled);
    EXPECT_EQ(updates, 3);
    t.platform.m_progress = nullptr;
    EXPECT_EQ(RunCommand(t, RandomTreeMethod::FreeFromRooted, 1000, 5, {2, {}}), GenerateOutcome::AttemptLimitReached);
    EXPECT_EQ(RunCommand(t, RandomTreeMethod::Rooted, 1001, 5), GenerateOutcome::Cancelled);

    EXPECT_TRUE(t.d().m_elements.empty());
    EXPECT_EQ(t.d().UndoDepth(), undoBefore);
    EXPECT_EQ(g_nextId, idBefore);
    EXPECT_FALSE(t.d().IsModified());
}

TEST(RandomTreeCommand, RowsFollowTheFirstEditorViewsGuides) {
    TestDoc t;
    t.view->m_guideMode = CLattixView::kGuideHorizontal;
    t.view->m_lockToTracks = true;
    t.view->m_xSeparation = 50;
    t.view->m_ySeparation = 40;
    RunCommand(t, RandomTreeMethod::FreeFromRooted, 10, 77);
    for (CVertex* v : t.Vertices()) {
        EXPECT_EQ(v->m_center.y, 40 * (v->m_trackNumber + 1));
        EXPECT_EQ(v->GetRect().Center().y, 40 * v->m_trackNumber) << "locked to its own track";
        EXPECT_EQ(v->m_center.x % 50, 0);
    }

    // Behind a PQ-tree window the vertices still go to their rows, on the default grid.
    TestDoc pq(false);
    CPQtreeView pqView;
    CLattixView editor;
    editor.m_ySeparation = 70;
    pq.d().AddView(&pqView);
    pq.d().AddView(&editor);
    RunCommand(pq, RandomTreeMethod::Rooted, 6, 3);
    for (CVertex* v : pq.Vertices()) EXPECT_EQ(v->m_center.y, 30 * (v->m_trackNumber + 1));
    pq.d().RemoveView(&editor);
    pq.d().RemoveView(&pqView);
}
