// The whole replay of a few fixed graphs, pinned by a digest: every caption, step kind and
// node of every snapshot, and the st-numbers and DFS numbers the test leaves on the
// vertices. The block search, the st-numbering and the leaf bookkeeping can each change
// the replay without changing a verdict; the digests were taken from the program as it
// stood before the run's scratch state moved off the elements.

#include <gtest/gtest.h>

#include <cstdint>

#include "GraphFamilies.h"
#include "planarity/PQtree.h"

namespace {

struct Digest {
    std::uint64_t h = 1469598103934665603ull;
    void Add(std::int64_t x) {
        for (int i = 0; i < 8; ++i) {
            h ^= static_cast<std::uint8_t>(x >> (8 * i));
            h *= 1099511628211ull;
        }
    }
    void Add(const std::string& s) {
        Add(static_cast<std::int64_t>(s.size()));
        for (char c : s) Add(c);
    }
};

void AddTree(Digest& d, const CNode* root) {
    std::vector<const CNode*> stack{root};
    while (!stack.empty()) {
        const CNode* n = stack.back();
        stack.pop_back();
        d.Add(static_cast<int>(n->Type()));
        d.Add(n->m_label);
        d.Add(n->m_kind);
        d.Add(n->m_arrow * 2 + n->m_shaded);
        d.Add(n->ChildCount());
        if (n->IsLeaf()) d.Add(static_cast<const CLeafnode*>(n)->ShownStNumber());
        const std::vector<CNode*> children = n->Children();
        for (auto it = children.rbegin(); it != children.rend(); ++it) stack.push_back(*it);
    }
}

// Builds the graph with every adjacency list shuffled, runs the command with its replay and
// digests what it leaves.
std::uint64_t ReplayDigest(int n, EdgeList edges, unsigned seed) {
    std::mt19937 rng(seed);
    Shuffle(edges, rng);
    TestDoc t;
    BuildDocument(t, n, edges);
    for (CVertex* v : t.Vertices()) {
        // A fixed Fisher-Yates, so that the digest does not depend on the library's shuffle.
        for (std::size_t i = v->m_edges.size(); i > 1; --i) std::swap(v->m_edges[i - 1], v->m_edges[rng() % i]);
    }
    t.d().OnPlanarityTesting();
    Digest d;
    d.Add(t.platform.m_messages.back());
    for (const PQtreePtr& s : t.d().m_pqTrees) {
        d.Add(s->m_caption);
        d.Add(s->m_stepKind);
        const std::unique_ptr<CNode> root = s->SnapshotTree();
        d.Add(root != nullptr);
        if (root) AddTree(d, root.get());
    }
    for (CVertex* v : t.Vertices()) {
        d.Add(v->m_stNumber);
        d.Add(v->m_level);
    }
    return d.h;
}

TEST(ReplayDigest, FixedGraphsReplayAsBefore) {
    std::mt19937 rng(5);
    EdgeList twoParts = StackedTriangulation(9, rng); // a triangulation and, apart, a K5 minus an edge
    for (const auto& [a, b] : Complete(5))
        if (!(a == 0 && b == 1)) twoParts.push_back({a + 9, b + 9});
    twoParts.push_back({14, 3}); // and a bridge between them
    int subdividedCount = 0;
    const EdgeList subdivided = Subdivide(CompleteBipartite(3, 3), 6, 1, subdividedCount);

    EXPECT_EQ(ReplayDigest(16, Grid(4, 4), 1), 17790518088084535144ull);
    EXPECT_EQ(ReplayDigest(10, Petersen(), 2), 5375486845049782329ull);
    EXPECT_EQ(ReplayDigest(5, Complete(5), 3), 18184882203259626695ull);
    EXPECT_EQ(ReplayDigest(subdividedCount, subdivided, 4), 6810824637706196770ull);
    EXPECT_EQ(ReplayDigest(15, twoParts, 6), 7197106510081982561ull);
    EXPECT_EQ(ReplayDigest(30, FlippedTriangulation(30, 40, rng), 7), 8742942269138365984ull);
}

} // namespace
