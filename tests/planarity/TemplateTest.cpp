// Templates on trees built by hand: where the result stands and what it looks like.

#include <gtest/gtest.h>

#include "planarity/PQtree.h"
#include "support/TestDoc.h"

namespace {


CNode* Inner(CNode* node, std::initializer_list<CNode*> children) {
    for (CNode* c : children) node->AppendChild(c);
    return node;
}

// A working tree of the document whose root is replaced by a hand-built one.
struct HandTree {
    TestDoc t;
    CPQtree tree{&t.d(), nullptr};
    CNode* Leaf(CVertex* v) { return new CLeafnode(v, 0, tree.LeavesOf(v)); }
    CVertex* Vertex(const std::string& name, int st) {
        CVertex* v = t.Vertex(100, 100, name);
        v->m_stNumber = st;
        return v;
    }
    void SetRoot(CNode* root) {
        delete tree.m_root;
        tree.m_root = root;
    }
    std::vector<std::string> Captions() const {
        std::vector<std::string> out;
        for (const PQtreePtr& s : t.doc->m_pqTrees) out.push_back(s->m_caption);
        return out;
    }
};

std::vector<std::string> Pair(const std::string& pattern) {
    return {"PATTERN " + pattern + " Detected", "Replacement for PATTERN " + pattern};
}

std::vector<std::string> Concat(std::initializer_list<std::vector<std::string>> parts) {
    std::vector<std::string> out;
    for (const auto& p : parts) out.insert(out.end(), p.begin(), p.end());
    return out;
}

TEST(Templates, Q3OnAFullStretchInsideARootQnodeMovesNothing) {
    HandTree h;
    CVertex* u = h.Vertex("u", 1);
    CNode* e1 = h.Leaf(h.Vertex("e1", 7));
    CNode* f1 = h.Leaf(u);
    CNode* f2 = h.Leaf(u);
    CNode* e2 = h.Leaf(h.Vertex("e2", 8));
    CNode* root = Inner(new CQnode(), {e1, f1, f2, e2});
    h.SetRoot(root);
    h.tree.ClearMarks();
    ASSERT_TRUE(h.tree.Reduce(h.tree.LeavesOf(u), 1));
    EXPECT_EQ(h.Captions(), Concat({Pair("L1"), Pair("L1"), Pair("Q3")}));
    EXPECT_EQ(h.tree.m_root, root);
    EXPECT_EQ(root->Children(), (std::vector<CNode*>{e1, f1, f2, e2}));
    EXPECT_EQ(root->m_label, 4);
    EXPECT_EQ(h.tree.m_result, root);
    // The replacement snapshot shows the shaded doubly partial root.
    const std::unique_ptr<CNode> shown = h.t.d().m_pqTrees.back()->SnapshotTree();
    EXPECT_EQ(shown->m_label, 4);
    EXPECT_TRUE(shown->m_shaded);
}

TEST(Templates, AfterP4ThePartialQnodeStandsWhereThePnodeStood) {
    HandTree h;
    CVertex* u = h.Vertex("u", 1);
    CNode* a = h.Leaf(h.Vertex("a", 5));
    CNode* b = h.Leaf(h.Vertex("b", 6));
    CNode* e = h.Leaf(h.Vertex("e", 7));
    CNode* f = h.Leaf(u);
    CNode* g = h.Leaf(u);
    CNode* k = h.Leaf(u);
    CNode* q = Inner(new CQnode(), {e, g, k});
    CNode* x = Inner(new CPnode(), {f, q});
    CNode* root = Inner(new CQnode(), {a, x, b});
    h.SetRoot(root);
    h.tree.ClearMarks();
    ASSERT_TRUE(h.tree.Reduce(h.tree.LeavesOf(u), 1));
    EXPECT_EQ(h.Captions(), Concat({Pair("L1"), Pair("L1"), Pair("L1"), Pair("Q2"), Pair("P4")}));
    const std::vector<CNode*> top = root->Children();
    ASSERT_EQ(top.size(), 3u);
    EXPECT_EQ(top[0], a);
    EXPECT_EQ(top[2], b);
    CNode* partial = top[1];
    EXPECT_TRUE(partial->IsQnode());
    EXPECT_EQ(partial->m_parent, root);
    EXPECT_EQ(partial->m_label, 3);
    EXPECT_EQ(partial->Children(), (std::vector<CNode*>{e, g, k, f}));
    EXPECT_EQ(h.tree.m_result, partial);
}

TEST(Templates, ReplacePertinentWorksOnTheNodeThatReplacedTheRoot) {
    HandTree h;
    CVertex* u = h.Vertex("u", 3);
    CVertex* z = h.Vertex("z", 1);
    h.t.Edge(u, z);
    CNode* a = h.Leaf(h.Vertex("a", 5));
    CNode* root = Inner(new CQnode(), {h.Leaf(u), h.Leaf(u), a});
    h.SetRoot(root);
    h.tree.ClearMarks();
    ASSERT_TRUE(h.tree.Reduce(h.tree.LeavesOf(u), 3));
    EXPECT_EQ(h.Captions().back(), "Replacement for PATTERN Q2");
    // Read backwards so that the full children come last.
    EXPECT_EQ(h.tree.m_result->Children().front(), a);
    h.tree.ReplacePertinent(u);
    EXPECT_TRUE(h.tree.LeavesOf(u).empty());
    // The Q-node is left with two children and becomes a P-node.
    CNode* now = h.tree.m_root;
    ASSERT_TRUE(now->IsPnode());
    const std::vector<CNode*> kids = now->Children();
    ASSERT_EQ(kids.size(), 2u);
    EXPECT_EQ(kids[0], a);
    ASSERT_TRUE(kids[1]->IsLeaf());
    EXPECT_EQ(static_cast<CLeafnode*>(kids[1])->m_vertex, z);
    EXPECT_EQ(h.tree.LeavesOf(z), std::vector<CNode*>{kids[1]});
}

} // namespace
