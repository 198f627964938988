// "&Planarity Testing" as the user meets it: the question, the messages, what the
// document keeps afterwards.

#include <gtest/gtest.h>

#include "GraphFamilies.h"
#include "planarity/PQtree.h"

namespace {

using Messages = std::vector<std::string>;

EdgeList K5() { return Complete(5); }

TEST(PlanarityCommand, EmptyDocumentIsPlanar) {
    TestDoc t;
    t.d().OnPlanarityTesting();
    EXPECT_EQ(t.platform.m_messages, Messages{"The graph is planar."});
    EXPECT_EQ(t.d().m_planarResult, 1);
    EXPECT_TRUE(t.d().m_pqTrees.empty());
}

TEST(PlanarityCommand, RefusesGraphsThatAreNotSimpleOrDirected) {
    TestDoc parallel;
    BuildGraph(parallel, {{"a", "b"}});
    parallel.Edge(parallel.VertexNamed("b"), parallel.VertexNamed("a"), kEdgeRed);
    parallel.d().m_directed = true; // the simplicity test comes first
    parallel.d().m_planarResult = 1;
    parallel.d().OnPlanarityTesting();
    EXPECT_EQ(parallel.platform.m_messages, Messages{"The graph is not simple."});
    EXPECT_EQ(parallel.d().m_planarResult, 1);
    EXPECT_TRUE(parallel.d().m_pqTrees.empty());

    TestDoc directed;
    BuildGraph(directed, {{"a", "b"}, {"b", "c"}});
    directed.d().m_directed = true;
    directed.d().OnPlanarityTesting();
    EXPECT_EQ(directed.platform.m_messages, Messages{"The graph is not undirected."});
    EXPECT_TRUE(directed.d().m_pqTrees.empty());
}

TEST(PlanarityCommand, TreeGivesFourSnapshotsPerEdge) {
    TestDoc t;
    BuildGraph(t, {{"r", "a"}, {"r", "b"}, {"b", "c"}, {"b", "d"}, {"d", "e"}});
    t.d().OnPlanarityTesting();
    EXPECT_EQ(t.platform.m_messages, Messages{"The graph is planar."});
    ASSERT_EQ(t.d().m_pqTrees.size(), 5u * 4u);
    for (std::size_t i = 0; i < t.d().m_pqTrees.size(); i += 4) {
        EXPECT_EQ(t.d().m_pqTrees[i]->m_stepKind, 0);
        EXPECT_EQ(t.d().m_pqTrees[i + 1]->m_caption, "PATTERN L1 Detected");
        EXPECT_EQ(t.d().m_pqTrees[i + 3]->m_caption, "Final PQ-Tree for this biconnected component");
    }
}

TEST(PlanarityCommand, StopsAtTheFirstNonPlanarBlock) {
    TestDoc t;
    EdgeList edges = K5();
    edges.push_back({4, 5}); // a bridge, closed before K5 by the block search
    edges.push_back({6, 7}); // a second component, never reached
    edges.push_back({7, 8});
    edges.push_back({8, 6});
    BuildDocument(t, 9, edges);
    t.d().m_planarResult = 1;
    t.d().OnPlanarityTesting();
    EXPECT_EQ(t.platform.m_messages, Messages{"The graph is non planar."});
    EXPECT_EQ(t.d().m_planarResult, 0);
    const std::string initial = "Initial PQ-tree for processing of vertex ";
    std::size_t finals = 0;
    for (const PQtreePtr& s : t.d().m_pqTrees) {
        finals += s->m_caption == "Final PQ-Tree for this biconnected component";
        if (s->m_caption.starts_with(initial)) {
            EXPECT_LT(s->m_caption.substr(initial.size(), 2), "v6");
        }
    }
    EXPECT_EQ(finals, 2u); // the bridge and K5
    // The final tree of the failed block keeps the partly reduced tree.
    EXPECT_NE(t.d().m_pqTrees.back()->SnapshotTree(), nullptr);
}

TEST(PlanarityCommand, AsksBeforeRemovingBends) {
    TestDoc t;
    BuildGraph(t, {{"a", "b"}, {"b", "c"}});
    t.VertexNamed("b")->m_isBend = true;
    t.platform.m_answers = {false};
    t.d().OnPlanarityTesting();
    EXPECT_EQ(t.platform.m_questions, Messages{"The operation will remove bends"});
    EXPECT_TRUE(t.platform.m_messages.empty());
    EXPECT_EQ(t.CountVertices(), 3u);

    t.platform.m_answers = {true};
    t.d().OnPlanarityTesting();
    EXPECT_EQ(t.CountVertices(), 2u);
    EXPECT_EQ(t.platform.m_messages, Messages{"The graph is planar."});
}

TEST(PlanarityCommand, KeepsResultsButTouchesNeitherUndoNorModifiedFlag) {
    TestDoc t;
    BuildGraph(t, {{"a", "b"}, {"b", "c"}, {"c", "a"}, {"d", "c"}});
    t.d().SetModifiedFlag(false);
    const std::size_t depth = t.d().UndoDepth();
    t.d().OnPlanarityTesting();
    t.d().OnPlanarityTesting();
    EXPECT_FALSE(t.d().IsModified());
    EXPECT_EQ(t.d().UndoDepth(), depth);
    // Both runs are kept, in order.
    ASSERT_EQ(t.d().m_pqTrees.size(), 2u * (11u + 4u));
    for (std::size_t i = 0; i < 15; ++i) EXPECT_EQ(t.d().m_pqTrees[i]->m_caption, t.d().m_pqTrees[i + 15]->m_caption);
    // c is 1 in the block {d, c}, which is closed first, and 2 in the triangle.
    EXPECT_EQ(t.VertexNamed("c")->m_stNumber, 2);
    EXPECT_EQ(t.VertexNamed("d")->m_stNumber, 2);

    t.d().RunPlanarityTesting(false);
    EXPECT_EQ(t.d().m_pqTrees.size(), 30u);
}

TEST(PlanarityCommand, SelfLoopsDoNotChangeTheVerdict) {
    for (const bool nonPlanar : {false, true}) {
        TestDoc t;
        EdgeList edges = nonPlanar ? K5() : Complete(4);
        edges.insert(edges.begin(), {0, 0});
        edges.push_back({2, 2});
        BuildDocument(t, 5, edges);
        t.d().OnPlanarityTesting();
        EXPECT_EQ(t.platform.m_messages, Messages{nonPlanar ? "The graph is non planar." : "The graph is planar."});
    }
}

} // namespace
