// The recorded replay of small blocks, snapshot by snapshot.

#include <gtest/gtest.h>

#include "planarity/PQtree.h"
#include "support/TestDoc.h"

namespace {

std::vector<std::pair<std::string, int>> Captions(const CLattixDoc& doc) {
    std::vector<std::pair<std::string, int>> out;
    for (const PQtreePtr& s : doc.m_pqTrees) out.push_back({s->m_caption, s->m_stepKind});
    return out;
}

TEST(SnapshotSequence, SingleEdgeRecordsFourSnapshots) {
    TestDoc t;
    BuildGraph(t, {{"A", "B"}});
    t.d().OnPlanarityTesting();
    EXPECT_EQ(t.platform.m_messages, std::vector<std::string>{"The graph is planar."});
    EXPECT_EQ(t.VertexNamed("A")->m_stNumber, 2);
    EXPECT_EQ(t.VertexNamed("B")->m_stNumber, 1);
    const std::vector<std::pair<std::string, int>> expected = {
        {"Initial PQ-tree for processing of vertex B (1)", 0},
        {"PATTERN L1 Detected", 1},
        {"Replacement for PATTERN L1", 2},
        {"Final PQ-Tree for this biconnected component", 0},
    };
    EXPECT_EQ(Captions(t.d()), expected);
}

TEST(SnapshotSequence, TriangleRecordsElevenSnapshots) {
    TestDoc t;
    BuildGraph(t, {{"A", "B"}, {"B", "C"}, {"C", "A"}});
    t.d().OnPlanarityTesting();
    EXPECT_EQ(t.platform.m_messages, std::vector<std::string>{"The graph is planar."});
    ASSERT_EQ(t.d().m_pqTrees.size(), 11u);
    const auto caps = Captions(t.d());
    for (auto& [c, k] : caps) std::cerr << c << " " << k << "\n";
    EXPECT_EQ(caps.back().first, "Final PQ-Tree for this biconnected component");
    EXPECT_TRUE(t.d().m_pqTrees.back()->SnapshotTree() == nullptr);
}

TEST(SnapshotSequence, K5AndK33AreNotPlanar) {
    {
        TestDoc t;
        BuildGraph(t, {{"1", "2"}, {"1", "3"}, {"1", "4"}, {"1", "5"}, {"2", "3"}, {"2", "4"}, {"2", "5"}, {"3", "4"}, {"3", "5"}, {"4", "5"}});
        t.d().OnPlanarityTesting();
        EXPECT_EQ(t.platform.m_messages, std::vector<std::string>{"The graph is non planar."});
    }
    {
        TestDoc t;
        BuildGraph(t, {{"a", "x"}, {"a", "y"}, {"a", "z"}, {"b", "x"}, {"b", "y"}, {"b", "z"}, {"c", "x"}, {"c", "y"}, {"c", "z"}});
        t.d().OnPlanarityTesting();
        EXPECT_EQ(t.platform.m_messages, std::vector<std::string>{"The graph is non planar."});
    }
    {
        TestDoc t;
        BuildGraph(t, {{"1", "2"}, {"1", "3"}, {"1", "4"}, {"1", "5"}, {"2", "3"}, {"2", "4"}, {"2", "5"}, {"3", "4"}, {"3", "5"}});
        t.d().OnPlanarityTesting();
        EXPECT_EQ(t.platform.m_messages, std::vector<std::string>{"The graph is planar."});
    }
}

} // namespace
