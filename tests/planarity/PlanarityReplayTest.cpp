// The document-free replay against the command on documents holding the same graphs.

#include <gtest/gtest.h>

#include <algorithm>
#include <random>
#include <string>

#include "GraphFamilies.h"
#include "planarity/PQtree.h"
#include "planarity/PlanarityReplay.h"

namespace {

// Caption, step kind and every node of a snapshot, in preorder.
std::string Flatten(const CPQtree& s) {
    std::string out = s.m_caption + "|" + std::to_string(s.m_stepKind) + "|";
    const std::unique_ptr<CNode> root = s.SnapshotTree();
    std::vector<const CNode*> stack;
    if (root) stack.push_back(root.get());
    while (!stack.empty()) {
        const CNode* n = stack.back();
        stack.pop_back();
        out += std::to_string(static_cast<int>(n->Type())) + ":" + std::to_string(n->m_label) + ":" +
               std::to_string(n->m_kind) + ":" + std::to_string(n->m_arrow * 2 + n->m_shaded) + ":" +
               std::to_string(n->ChildCount());
        if (n->IsLeaf()) out += "@" + std::to_string(static_cast<const CLeafnode*>(n)->ShownStNumber());
        out += " ";
        const std::vector<CNode*> children = n->Children();
        for (auto it = children.rbegin(); it != children.rend(); ++it) stack.push_back(*it);
    }
    return out;
}

// With `rng`, every vertex's edge list is shuffled first and handed to the replay as its
// adjacency, which the test walks in that order.
void ExpectSameAsCommand(int n, const EdgeList& edges, bool planar, std::mt19937* rng = nullptr) {
    TestDoc t;
    t.d().m_autoCrossings = false;
    BuildDocument(t, n, edges);
    std::vector<std::vector<std::int32_t>> adjacency;
    if (rng) {
        const std::vector<CEdge*> documentEdges = t.Edges();
        for (CVertex* v : t.Vertices()) {
            std::shuffle(v->m_edges.begin(), v->m_edges.end(), *rng);
            adjacency.emplace_back();
            for (const CEdge* e : v->m_edges)
                adjacency.back().push_back(static_cast<std::int32_t>(
                    std::find(documentEdges.begin(), documentEdges.end(), e) - documentEdges.begin()));
        }
    }
    t.d().OnPlanarityTesting();
    std::vector<std::string> commandSnapshots, names;
    for (const PQtreePtr& s : t.d().m_pqTrees) commandSnapshots.push_back(Flatten(*s));
    std::vector<std::int32_t> commandNumbers;
    for (CVertex* v : t.Vertices()) {
        commandNumbers.push_back(v->m_stNumber);
        names.push_back(v->m_name);
    }
    ASSERT_FALSE(commandSnapshots.empty());

    LightGraph g{n, {}};
    for (const auto& [a, b] : edges) g.edges.push_back({a, b});
    const std::optional<PlanarityReplay> replay = ReplayPlanarity(g, names, true, adjacency);
    ASSERT_TRUE(replay);
    EXPECT_EQ(replay->planar, planar);
    EXPECT_EQ(t.platform.m_messages.back(), planar ? "The graph is planar." : "The graph is non planar.");
    std::vector<std::string> replaySnapshots;
    for (const PQtreePtr& s : replay->snapshots) replaySnapshots.push_back(Flatten(*s));
    EXPECT_EQ(replaySnapshots, commandSnapshots);
    EXPECT_EQ(replay->stNumbers, commandNumbers);

    // Without recording: the same verdict and numbers, no snapshots.
    const std::optional<PlanarityReplay> quiet = ReplayPlanarity(g, {}, false, adjacency);
    ASSERT_TRUE(quiet);
    EXPECT_EQ(quiet->planar, planar);
    EXPECT_TRUE(quiet->snapshots.empty());
    EXPECT_EQ(quiet->stNumbers, commandNumbers);
}

// Appends `part` with its vertices numbered from `offset`.
void Append(EdgeList& to, const EdgeList& part, int offset) {
    for (const auto& [a, b] : part) to.push_back({a + offset, b + offset});
}

TEST(PlanarityReplay, MatchesTheCommand) {
    std::mt19937 rng(3);
    ExpectSameAsCommand(9, Grid(3, 3), true);
    ExpectSameAsCommand(10, Petersen(), false);

    // Several components, one of them with cut vertices and a bridge, and a lone vertex.
    EdgeList parts = StackedTriangulation(8, rng);
    Append(parts, Complete(4), 8);
    parts.push_back({2, 9});
    parts.push_back({12, 13});
    parts.push_back({13, 14});
    parts.push_back({14, 12});
    parts.push_back({14, 15});
    ExpectSameAsCommand(17, parts, true);

    // A planar component first, then a non-planar one, then one the test never reaches.
    int subdividedCount = 0;
    EdgeList mixed = Grid(2, 3);
    Append(mixed, Subdivide(CompleteBipartite(3, 3), 6, 1, subdividedCount), 6);
    Append(mixed, Complete(3), 6 + subdividedCount);
    ExpectSameAsCommand(9 + subdividedCount, mixed, false);

    // Edge lists in another order than the edge list's: the walk follows them.
    for (int round = 0; round < 3; ++round) {
        ExpectSameAsCommand(9 + subdividedCount, mixed, false, &rng);
        ExpectSameAsCommand(17, parts, true, &rng);
    }
}

TEST(PlanarityReplay, RefusesWhatTheTestCannotTake) {
    EXPECT_FALSE(ReplayPlanarity(LightGraph{2, {{0, 2}}}));
    EXPECT_FALSE(ReplayPlanarity(LightGraph{2, {{0, 1}, {1, 0}}}));
    EXPECT_FALSE(ReplayPlanarity(LightGraph{1, {{0, 0}}}));
    const std::vector<std::string> oneName{"a"};
    EXPECT_FALSE(ReplayPlanarity(LightGraph{2, {{0, 1}}}, oneName));
    // An adjacency must list each edge of its vertex once.
    const std::vector<std::vector<std::int32_t>> twice{{0, 0}, {0}}, foreign{{1}, {0}, {1}};
    EXPECT_FALSE(ReplayPlanarity(LightGraph{2, {{0, 1}}}, {}, true, twice));
    EXPECT_FALSE(ReplayPlanarity(LightGraph{3, {{0, 1}, {1, 2}}}, {}, true, foreign));
    // Without names, captions name the vertices by index.
    const std::optional<PlanarityReplay> edge = ReplayPlanarity(LightGraph{2, {{0, 1}}});
    ASSERT_TRUE(edge);
    ASSERT_FALSE(edge->snapshots.empty());
    EXPECT_EQ(edge->snapshots.front()->m_caption, "Initial PQ-tree for processing of vertex 1 (1)");
    EXPECT_EQ(edge->stNumbers, (std::vector<std::int32_t>{2, 1}));
}

} // namespace
