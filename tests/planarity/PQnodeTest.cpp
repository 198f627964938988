// The node classes: sizes for drawing, counts, leaves of a vertex's P-node, ownership of
// leaves, and the frozen image of a tree.

#include <gtest/gtest.h>

#include <memory>

#include "planarity/PQnode.h"
#include "planarity/PQtreeImage.h"
#include "support/TestDoc.h"

namespace {

// v (st 5) with edges to a (st 1), b (st 2) and c (st 9).
struct Star {
    TestDoc t;
    VertexLeaves leaves; // outlives the nodes of the test
    CVertex *v, *a, *b, *c;
    Star() {
        v = t.Vertex(100, 100, "v");
        a = t.Vertex(200, 100, "a");
        b = t.Vertex(300, 100, "b");
        c = t.Vertex(400, 100, "c");
        v->m_stNumber = 5;
        a->m_stNumber = 1;
        b->m_stNumber = 2;
        c->m_stNumber = 9;
    }
};

TEST(PQnode, WidthsAndDepths) {
    auto root = std::make_unique<CQnode>();
    auto* inner = new CPnode();
    auto* deeper = new CQnode();
    root->AppendChild(new CLeafnode(1));
    root->AppendChild(inner);
    root->AppendChild(new CPnode()); // no children: no width
    inner->AppendChild(deeper);
    deeper->AppendChild(new CLeafnode(2));
    deeper->AppendChild(new CLeafnode(3));
    EXPECT_EQ(root->ComputeWidth(), 3 * 40);
    EXPECT_EQ(inner->m_width, 80);
    EXPECT_EQ(root->SetDepth(1), 4);
    EXPECT_EQ(deeper->FirstChild()->m_depth, 4);
    EXPECT_EQ(CLeafnode(7).ComputeWidth(), 40);
}

TEST(PQnode, CountPertinent) {
    Star s;
    s.t.Edge(s.v, s.a);
    s.t.Edge(s.v, s.b);
    CPnode node(s.v, 2, s.leaves);
    EXPECT_EQ(node.CountPertinent(3), 0);
    EXPECT_EQ(node.m_pertinentChildCount, 0);
    for (CNode* c : node.Children()) EXPECT_EQ(c->m_pertinentLeafCount, 0);
    EXPECT_EQ(node.CountPertinent(2), 1);
    EXPECT_EQ(node.m_pertinentChildCount, 1);
    node.ClearMarks();
    EXPECT_EQ(node.m_pertinentLeafCount, 0);
}

TEST(PQnode, VertexNodeHasOneLeafPerLowerNeighbour) {
    Star s;
    s.t.Edge(s.v, s.a);
    s.t.Edge(s.c, s.v);
    s.t.Edge(s.b, s.v);
    CPnode node(s.v, 2, s.leaves);
    EXPECT_EQ(node.m_kind, 2);
    const std::vector<CNode*> leaves = node.Children();
    ASSERT_EQ(leaves.size(), 2u); // c is higher
    EXPECT_EQ(static_cast<CLeafnode*>(leaves[0])->m_vertex, s.a);
    EXPECT_EQ(static_cast<CLeafnode*>(leaves[1])->m_vertex, s.b);
    EXPECT_EQ(s.leaves.Of(s.a), std::vector<CNode*>{leaves[0]});
    EXPECT_EQ(s.leaves.Of(s.b), std::vector<CNode*>{leaves[1]});
    EXPECT_TRUE(s.leaves.Of(s.c).empty());
}

TEST(PQnode, ParallelEdges) {
    Star s;
    s.t.Edge(s.v, s.a, kEdgeBlue);
    s.t.Edge(s.a, s.v, kEdgeRed); // another colour: only the first gets a leaf, of class 2
    s.t.Edge(s.v, s.b, kEdgeGreen);
    s.t.Edge(s.v, s.b, kEdgeGreen); // the same colour: two leaves of class 0
    CPnode node(s.v, 0, s.leaves);
    const std::vector<CNode*> leaves = node.Children();
    ASSERT_EQ(leaves.size(), 3u);
    EXPECT_EQ(static_cast<CLeafnode*>(leaves[0])->m_vertex, s.a);
    EXPECT_EQ(leaves[0]->m_kind, 2);
    EXPECT_EQ(leaves[1]->m_kind, 0);
    EXPECT_EQ(leaves[2]->m_kind, 0);
    EXPECT_EQ(s.leaves.Of(s.b).size(), 2u);
}

TEST(PQnode, LiveLeavesLeaveTheirVertexWhenDestroyed) {
    Star s;
    s.t.Edge(s.v, s.a);
    s.t.Edge(s.v, s.b);
    auto node = std::make_unique<CPnode>(s.v, 0, s.leaves);
    auto detached = std::make_unique<CQnode>();
    detached->AppendChild(new CLeafnode(1));
    ASSERT_EQ(s.leaves.Of(s.a).size(), 1u);
    node.reset();
    EXPECT_TRUE(s.leaves.Of(s.a).empty());
    EXPECT_TRUE(s.leaves.Of(s.b).empty());
    s.leaves.Of(s.a).push_back(nullptr); // a detached leaf must not look for itself here
    detached.reset();
    EXPECT_EQ(s.leaves.Of(s.a).size(), 1u);
}

TEST(PQnode, DetachKeepsTheStNumber) {
    Star s;
    s.t.Edge(s.v, s.b);
    CPnode node(s.v, 0, s.leaves);
    node.Detach();
    const auto* leaf = static_cast<CLeafnode*>(node.FirstChild());
    EXPECT_EQ(leaf->m_vertex, nullptr);
    EXPECT_EQ(leaf->m_stNumber, 2);
    EXPECT_TRUE(s.leaves.Of(s.b).empty());
    s.b->m_stNumber = 8;
    EXPECT_EQ(leaf->ShownStNumber(), 2);
}

TEST(PQnode, DeepTreesNeedNoDeepCallStack) {
    auto root = std::make_unique<CPnode>();
    CNode* at = root.get();
    for (int i = 0; i < 200000; ++i) {
        auto* next = new CQnode();
        at->AppendChild(new CLeafnode(i));
        at->AppendChild(next);
        at = next;
    }
    at->AppendChild(new CLeafnode(-1));
    EXPECT_EQ(root->ComputeWidth(), 200001 * 40);
    EXPECT_EQ(root->SetDepth(1), 200002);
    const PQtreeImage image = PQtreeImage::Of(root.get());
    EXPECT_EQ(image.Build()->ComputeWidth(), 200001 * 40);
}

TEST(PQtreeImage, KeepsShapeMarksAndLargeNumbers) {
    auto root = std::make_unique<CQnode>();
    root->m_label = 4;
    root->m_shaded = true;
    auto* p = new CPnode();
    p->m_kind = 1;
    p->m_arrow = true;
    root->AppendChild(new CLeafnode(1 << 24));
    root->AppendChild(p);
    root->AppendChild(new CLeafnode(-1));
    p->AppendChild(new CLeafnode(3));
    p->AppendChild(new CLeafnode(4));
    root->ReverseChildren(); // the image keeps the order as it reads
    const std::unique_ptr<CNode> copy = PQtreeImage::Of(root.get()).Build();
    ASSERT_TRUE(copy->IsQnode());
    EXPECT_EQ(copy->m_label, 4);
    EXPECT_TRUE(copy->m_shaded);
    const std::vector<CNode*> kids = copy->Children();
    ASSERT_EQ(kids.size(), 3u);
    EXPECT_EQ(static_cast<CLeafnode*>(kids[0])->m_stNumber, -1);
    EXPECT_TRUE(kids[1]->IsPnode());
    EXPECT_EQ(kids[1]->m_kind, 1);
    EXPECT_TRUE(kids[1]->m_arrow);
    EXPECT_EQ(kids[1]->ChildCount(), 2);
    EXPECT_EQ(static_cast<CLeafnode*>(kids[2])->m_stNumber, 1 << 24);
    EXPECT_TRUE(PQtreeImage::Of(nullptr).Empty());
}

} // namespace
