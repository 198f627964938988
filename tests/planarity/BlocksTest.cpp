// Block labels and st-numbers against recursive implementations that follow the written
// rules literally (list searches, FindEdge), on graphs with shuffled adjacency lists.

#include <gtest/gtest.h>

#include <algorithm>
#include <set>

#include "GraphFamilies.h"
#include "planarity/BlockGraph.h"
#include "planarity/Blocks.h"

namespace {

// ------------------------------------------------------------------ literal references

struct LiteralBlocks {
    int blocks = 0, dfs = 0;
    std::vector<CEdge*> stack;

    void Search(CVertex* v) {
        v->m_bcVisited = true;
        v->m_level = dfs++;
        for (CEdge* e : v->m_edges) {
            CVertex* w = e->Other(v);
            if (std::find(stack.begin(), stack.end(), e) == stack.end() && e->m_block == -1) stack.push_back(e);
            if (!w->m_bcVisited) {
                w->m_bcParent = v;
                Search(w);
                if (w->m_bcLow >= v->m_level) {
                    while (!stack.empty()) {
                        CEdge* top = stack.back();
                        stack.pop_back();
                        top->m_block = blocks;
                        if (top == e) break;
                    }
                    ++blocks;
                }
                v->m_bcLow = std::min(v->m_bcLow, w->m_bcLow);
            } else if (w != v->m_bcParent) {
                v->m_bcLow = std::min(v->m_bcLow, w->m_level);
            }
        }
    }
};

int LiteralCountBlocks(CLattixDoc& doc) {
    if (doc.m_compVertices.empty()) return 0;
    for (CVertex* v : doc.m_compVertices) {
        v->m_bcVisited = false;
        v->m_level = 0;
        v->m_bcParent = nullptr;
        v->m_bcLow = static_cast<int>(doc.m_compVertices.size());
    }
    for (CEdge* e : doc.m_allEdges) e->m_block = -1;
    LiteralBlocks search;
    search.Search(doc.m_compVertices.front());
    return search.blocks;
}

struct LiteralNumbering {
    explicit LiteralNumbering(CLattixDoc& d) : doc(d) {}
    CLattixDoc& doc;
    int counter = 1;
    std::vector<CVertex*> path;
    bool stuck = false;

    bool InBlock(CEdge* e) const {
        return std::find(doc.m_blockEdges.begin(), doc.m_blockEdges.end(), e) != doc.m_blockEdges.end();
    }
    void NumberSearch(CVertex* v) {
        v->m_stNew = false;
        v->m_stDfn = counter++;
        v->m_stLow = v->m_stDfn;
        for (CEdge* e : v->m_edges) {
            if (!InBlock(e)) continue;
            CVertex* w = e->Other(v);
            if (w->m_stNew) {
                e->m_treeEdge = true;
                w->m_stParent = v;
                NumberSearch(w);
                v->m_stLow = std::min(v->m_stLow, w->m_stLow);
            } else if (w != v->m_stParent) {
                v->m_stLow = std::min(v->m_stLow, w->m_stDfn);
            }
        }
    }
    void PathFinder(CVertex* v) {
        path.clear();
        for (CEdge* e : v->m_edges) {
            CVertex* w = e->Other(v);
            if (InBlock(e) && e->m_stNewEdge && !e->m_treeEdge && w->m_stDfn < v->m_stDfn) {
                e->m_stNewEdge = false;
                path = {v, w};
                return;
            }
        }
        for (CEdge* e : v->m_edges) {
            if (!InBlock(e) || !e->m_stNewEdge || !e->m_treeEdge) continue;
            CVertex* w = e->Other(v);
            e->m_stNewEdge = false;
            path = {v, w};
            while (w->m_stNew) {
                CEdge* next = nullptr;
                for (CEdge* f : w->m_edges) {
                    CVertex* x = f->Other(w);
                    if (InBlock(f) && f->m_stNewEdge &&
                        (f->m_treeEdge ? x->m_stLow == w->m_stLow : x->m_stDfn == w->m_stLow)) {
                        next = f;
                        break;
                    }
                }
                if (!next) {
                    stuck = true;
                    return;
                }
                w->m_stNew = false;
                next->m_stNewEdge = false;
                w = next->Other(w);
                path.push_back(w);
            }
            return;
        }
        for (CEdge* e : v->m_edges) {
            CVertex* w = e->Other(v);
            if (!InBlock(e) || !e->m_stNewEdge || e->m_treeEdge || w->m_stDfn <= v->m_stDfn) continue;
            e->m_stNewEdge = false;
            path = {v, w};
            while (w->m_stNew) {
                CVertex* u = w->m_stParent;
                w->m_stNew = false;
                doc.FindEdge(w, u)->m_stNewEdge = false;
                path.push_back(u);
                w = u;
            }
            return;
        }
    }
    // False when the literal procedure gets stuck.
    bool Run() {
        for (CVertex* v : doc.m_allVertices) {
            v->m_stNew = true;
            v->m_stParent = nullptr;
        }
        for (CEdge* e : doc.m_blockEdges) {
            e->m_treeEdge = false;
            e->m_stNewEdge = true;
        }
        NumberSearch(doc.m_blockEdges.front()->m_v1);
        for (CVertex* v : doc.m_compVertices) {
            v->m_stNew = true;
            v->m_stNumber = -1;
        }
        for (CEdge* e : doc.m_blockEdges) e->m_stNewEdge = true;
        CEdge* e0 = doc.m_blockEdges.front();
        CVertex* a = e0->m_v1;
        e0->m_stNewEdge = a->m_stNew = e0->m_v2->m_stNew = false;
        std::vector<CVertex*> stack{a, e0->m_v2};
        int number = 1;
        CVertex* v = stack.back();
        stack.pop_back();
        while (v != a) {
            PathFinder(v);
            if (stuck) return false;
            if (path.empty()) {
                v->m_stNumber = number++;
            } else {
                path.pop_back();
                for (auto it = path.rbegin(); it != path.rend(); ++it)
                    if (stack.empty() || stack.back() != *it) stack.push_back(*it);
            }
            if (stack.empty()) return false;
            v = stack.back();
            stack.pop_back();
        }
        a->m_stNumber = number;
        return true;
    }
};

// ------------------------------------------------------------------ helpers

EdgeList RandomConnectedGraph(int n, int m, std::mt19937& rng) {
    std::set<std::pair<int, int>> seen;
    EdgeList edges;
    for (int v = 1; v < n; ++v) { // a random spanning tree first
        const int u = std::uniform_int_distribution<int>(0, v - 1)(rng);
        seen.insert({u, v});
        edges.push_back({u, v});
    }
    std::uniform_int_distribution<int> pick(0, n - 1);
    while (static_cast<int>(edges.size()) < m) {
        const int a = pick(rng), b = pick(rng);
        if (a != b && seen.insert({std::min(a, b), std::max(a, b)}).second) edges.push_back({a, b});
    }
    Shuffle(edges, rng);
    return edges;
}

void ShuffleAdjacency(TestDoc& t, std::mt19937& rng) {
    for (CVertex* v : t.Vertices()) std::shuffle(v->m_edges.begin(), v->m_edges.end(), rng);
}

// The block of index k as the command hands it over.
void SelectBlock(CLattixDoc& doc, int k) {
    doc.m_blockEdges.clear();
    doc.m_compVertices.clear();
    for (CEdge* e : doc.m_allEdges) {
        if (e->m_block != k) continue;
        doc.m_blockEdges.push_back(e);
        for (CVertex* v : {e->m_v1, e->m_v2})
            if (std::find(doc.m_compVertices.begin(), doc.m_compVertices.end(), v) == doc.m_compVertices.end())
                doc.m_compVertices.push_back(v);
    }
}

struct VertexState {
    int level, low, number, dfn, stLow;
    CVertex* parent;
    friend bool operator==(const VertexState&, const VertexState&) = default;
};

// ------------------------------------------------------------------ tests

TEST(Blocks, LabelsEqualTheRecursiveSearch) {
    std::mt19937 rng(31);
    for (int round = 0; round < 400; ++round) {
        const int n = std::uniform_int_distribution<int>(1, 30)(rng);
        const int m = std::uniform_int_distribution<int>(n - 1, std::min(n * (n - 1) / 2, 2 * n))(rng);
        TestDoc t;
        BuildDocument(t, n, RandomConnectedGraph(n, m, rng));
        ShuffleAdjacency(t, rng);
        CLattixDoc& doc = t.d();
        doc.RebuildAllLists();
        doc.m_compVertices = doc.m_allVertices;
        std::shuffle(doc.m_compVertices.begin(), doc.m_compVertices.end(), rng);

        const int blocks = doc.CountBlocks();
        std::vector<int> labels;
        for (CEdge* e : doc.m_allEdges) labels.push_back(e->m_block);
        std::vector<VertexState> states;
        for (CVertex* v : doc.m_allVertices) states.push_back({v->m_level, v->m_bcLow, 0, 0, 0, v->m_bcParent});

        ASSERT_EQ(LiteralCountBlocks(doc), blocks) << "round " << round;
        for (std::size_t i = 0; i < labels.size(); ++i) ASSERT_EQ(doc.m_allEdges[i]->m_block, labels[i]);
        for (std::size_t i = 0; i < states.size(); ++i) {
            const CVertex* v = doc.m_allVertices[i];
            ASSERT_EQ((VertexState{v->m_level, v->m_bcLow, 0, 0, 0, v->m_bcParent}), states[i]);
        }
    }
}

TEST(Blocks, SmallCases) {
    TestDoc t;
    BuildGraph(t, {{"a", "b"}, {"b", "c"}});
    CLattixDoc& doc = t.d();
    doc.RebuildAllLists();
    doc.m_compVertices = doc.m_allVertices;
    for (CVertex* v : doc.m_compVertices) v->m_level = 42;
    EXPECT_EQ(doc.CountBlocks(), 2); // a path of three vertices: two one-edge blocks
    EXPECT_NE(doc.m_allEdges[0]->m_block, doc.m_allEdges[1]->m_block);
    EXPECT_EQ(t.VertexNamed("a")->m_level, 0); // the DFS numbers replace what was there
    EXPECT_EQ(t.VertexNamed("c")->m_level, 2);

    TestDoc lone;
    lone.Vertex(10, 10);
    lone.d().RebuildAllLists();
    lone.d().m_compVertices = lone.d().m_allVertices;
    EXPECT_EQ(lone.d().CountBlocks(), 0);
    lone.d().m_compVertices.clear();
    EXPECT_EQ(lone.d().CountBlocks(), 0);
}

TEST(StNumber, EqualsTheLiteralNumberingWheneverThatIsOne) {
    std::mt19937 rng(57);
    int literalValid = 0, literalInvalid = 0;
    for (int round = 0; round < 500; ++round) {
        const int n = std::uniform_int_distribution<int>(2, 16)(rng);
        const int m = std::uniform_int_distribution<int>(n - 1, std::min(n * (n - 1) / 2, 3 * n))(rng);
        TestDoc t;
        BuildDocument(t, n, RandomConnectedGraph(n, m, rng));
        ShuffleAdjacency(t, rng);
        CLattixDoc& doc = t.d();
        doc.RebuildAllLists();
        doc.m_compVertices = doc.m_allVertices;
        const int blocks = doc.CountBlocks();
        for (int k = 0; k < blocks; ++k) {
            SelectBlock(doc, k);
            BlockGraph block;
            BuildBlockGraph(doc.m_compVertices, doc.m_blockEdges, block);
            LiteralNumbering literal{doc};
            const bool valid = literal.Run() && IsStNumbering(block);
            std::vector<VertexState> expected;
            for (CVertex* v : doc.m_compVertices) expected.push_back({0, 0, v->m_stNumber, v->m_stDfn, v->m_stLow, v->m_stParent});

            ASSERT_TRUE(doc.StNumber()) << "round " << round;
            ASSERT_TRUE(IsStNumbering(block));
            EXPECT_EQ(doc.m_blockEdges.front()->m_v2->m_stNumber, 1);
            EXPECT_EQ(doc.m_blockEdges.front()->m_v1->m_stNumber, static_cast<int>(doc.m_compVertices.size()));
            if (!valid) {
                ++literalInvalid;
                continue;
            }
            ++literalValid;
            for (std::size_t i = 0; i < expected.size(); ++i) {
                const CVertex* v = doc.m_compVertices[i];
                ASSERT_EQ((VertexState{0, 0, v->m_stNumber, v->m_stDfn, v->m_stLow, v->m_stParent}), expected[i])
                    << "round " << round << " block " << k;
            }
        }
    }
    // Shuffled adjacency lists put {A, B} behind other edges often enough that both
    // outcomes of the literal numbering occur.
    EXPECT_GT(literalValid, 100);
    EXPECT_GT(literalInvalid, 0);
}

TEST(StNumber, SingleEdgeAndFourCycle) {
    TestDoc t;
    BuildGraph(t, {{"A", "B"}});
    CLattixDoc& doc = t.d();
    doc.RebuildAllLists();
    doc.m_blockEdges = doc.m_allEdges;
    doc.m_compVertices = doc.m_allVertices;
    ASSERT_TRUE(doc.StNumber());
    EXPECT_EQ(t.VertexNamed("A")->m_stNumber, 2);
    EXPECT_EQ(t.VertexNamed("B")->m_stNumber, 1);

    TestDoc c;
    BuildGraph(c, {{"A", "B"}, {"B", "C"}, {"C", "D"}, {"D", "A"}});
    c.d().RebuildAllLists();
    c.d().m_blockEdges = c.d().m_allEdges;
    c.d().m_compVertices = c.d().m_allVertices;
    ASSERT_TRUE(c.d().StNumber());
    EXPECT_EQ(c.VertexNamed("B")->m_stNumber, 1);
    EXPECT_EQ(c.VertexNamed("A")->m_stNumber, 4);
    std::set<int> numbers;
    for (CVertex* v : c.Vertices()) numbers.insert(v->m_stNumber);
    EXPECT_EQ(numbers, (std::set<int>{1, 2, 3, 4}));
}

// With {A, B} behind the other edges of A, following the adjacency order makes v2 a vertex
// without a higher neighbour; the numbering then starts again along {A, B}.
TEST(StNumber, StartsAgainAlongTheFirstEdgeWhenTheOrderGivesNoStNumbering) {
    TestDoc t;
    BuildDocument(t, 7, {{6, 0}, {2, 1}, {3, 6}, {2, 4}, {2, 0}, {5, 3}, {0, 1}, {1, 4}, {2, 3}, {4, 0}, {0, 5}});
    const std::vector<std::vector<int>> order = {{4, 6, 5, 2, 1}, {4, 0, 2}, {0, 3, 4, 1}, {6, 2, 5}, {1, 2, 0},
                                                 {3, 0},          {3, 0}};
    std::vector<CVertex*> vs = t.Vertices();
    for (int v = 0; v < 7; ++v) {
        std::vector<CEdge*> sorted;
        for (int w : order[v])
            for (CEdge* e : vs[v]->m_edges)
                if (e->Other(vs[v]) == vs[w]) sorted.push_back(e);
        vs[v]->m_edges = sorted;
    }
    CLattixDoc& doc = t.d();
    doc.RebuildAllLists();
    doc.m_blockEdges = doc.m_allEdges;
    doc.m_compVertices = doc.m_allVertices;
    BlockGraph block;
    BuildBlockGraph(doc.m_compVertices, doc.m_blockEdges, block);
    LiteralNumbering literal{doc};
    ASSERT_TRUE(literal.Run());
    EXPECT_FALSE(IsStNumbering(block));
    EXPECT_EQ(vs[2]->m_stNumber, 6);

    ASSERT_TRUE(doc.StNumber());
    EXPECT_TRUE(IsStNumbering(block));
    EXPECT_EQ(vs[6]->m_stNumber, 7);
    EXPECT_EQ(vs[0]->m_stNumber, 1);
    EXPECT_TRUE(CommandSaysPlanar(7, {{6, 0}, {2, 1}, {3, 6}, {2, 4}, {2, 0}, {5, 3}, {0, 1}, {1, 4}, {2, 3}, {4, 0}, {0, 5}}));
}

TEST(StNumber, RefusesAnEdgeSetThatIsNoBlock) {
    TestDoc t;
    BuildGraph(t, {{"a", "b"}, {"b", "c"}}); // a path is two blocks, not one
    CLattixDoc& doc = t.d();
    doc.RebuildAllLists();
    doc.m_blockEdges = doc.m_allEdges;
    doc.m_compVertices = doc.m_allVertices;
    EXPECT_FALSE(doc.StNumber());
}

} // namespace
