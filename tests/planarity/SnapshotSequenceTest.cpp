// The replay recorded for the smallest blocks, caption by caption.

#include <gtest/gtest.h>

#include "planarity/PQtree.h"
#include "support/TestDoc.h"

namespace {

using Captions = std::vector<std::pair<std::string, int>>;

Captions CaptionsOf(const CLattixDoc& doc) {
    Captions out;
    for (const PQtreePtr& s : doc.m_pqTrees) out.push_back({s->m_caption, s->m_stepKind});
    return out;
}

TEST(SnapshotSequence, SingleEdge) {
    TestDoc t;
    BuildGraph(t, {{"A", "B"}});
    t.d().OnPlanarityTesting();
    EXPECT_EQ(t.VertexNamed("A")->m_stNumber, 2);
    EXPECT_EQ(t.VertexNamed("B")->m_stNumber, 1);
    const Captions expected = {
        {"Initial PQ-tree for processing of vertex B (1)", 0},
        {"PATTERN L1 Detected", 1},
        {"Replacement for PATTERN L1", 2},
        {"Final PQ-Tree for this biconnected component", 0},
    };
    EXPECT_EQ(CaptionsOf(t.d()), expected);
    // B's P-node has no leaves and is dropped; A's P-node stays without children.
    const std::unique_ptr<CNode> last = t.d().m_pqTrees.back()->SnapshotTree();
    ASSERT_NE(last, nullptr);
    EXPECT_TRUE(last->IsPnode());
    EXPECT_EQ(last->ChildCount(), 0);
}

TEST(SnapshotSequence, Triangle) {
    TestDoc t;
    BuildGraph(t, {{"A", "B"}, {"B", "C"}, {"C", "A"}});
    t.d().OnPlanarityTesting();
    const Captions expected = {
        {"Initial PQ-tree for processing of vertex C (2)", 0},
        {"PATTERN L1 Detected", 1},
        {"Replacement for PATTERN L1", 2},
        {"Initial PQ-tree for processing of vertex B (1)", 0},
        {"PATTERN L1 Detected", 1},
        {"Replacement for PATTERN L1", 2},
        {"PATTERN L1 Detected", 1},
        {"Replacement for PATTERN L1", 2},
        {"PATTERN P1 Detected", 1},
        {"Replacement for PATTERN P1", 2},
        {"Final PQ-Tree for this biconnected component", 0},
    };
    EXPECT_EQ(CaptionsOf(t.d()), expected);
    // At vertex 2 the P-node of C (one leaf) was replaced by that leaf; the root P-node
    // holds the two edges to B. At vertex 1 the full root goes and the tree is empty.
    const std::unique_ptr<CNode> second = t.d().m_pqTrees[3]->SnapshotTree();
    ASSERT_TRUE(second->IsPnode());
    EXPECT_EQ(second->m_kind, 2);
    ASSERT_EQ(second->ChildCount(), 2);
    for (const CNode* leaf : second->Children()) {
        ASSERT_TRUE(leaf->IsLeaf());
        EXPECT_EQ(static_cast<const CLeafnode*>(leaf)->m_stNumber, 1);
    }
    EXPECT_EQ(t.d().m_pqTrees.back()->SnapshotTree(), nullptr);
}

} // namespace
