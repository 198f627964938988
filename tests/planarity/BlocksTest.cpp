// Block labels and st-numbers against recursive implementations that follow the written
// rules literally (list searches, FindEdge), on graphs with shuffled adjacency lists.

#include <gtest/gtest.h>

#include <algorithm>
#include <map>
#include <set>

#include "GraphFamilies.h"
#include "planarity/BlockGraph.h"
#include "planarity/Blocks.h"

namespace {

// ------------------------------------------------------------------ literal references

struct LiteralBlocks {
    int blocks = 0, dfs = 0;
    std::vector<CEdge*> stack;
    std::set<CVertex*> visited;
    std::map<CVertex*, int> low;
    std::map<CVertex*, CVertex*> parent;
    std::map<CEdge*, int> block; // edges not yet in a block are missing

    void Search(CVertex* v) {
        visited.insert(v);
        v->m_level = dfs++;
        for (CEdge* e : v->m_edges) {
            CVertex* w = e->Other(v);
            if (std::find(stack.begin(), stack.end(), e) == stack.end() && !block.count(e)) stack.push_back(e);
            if (!visited.count(w)) {
                parent[w] = v;
                Search(w);
                if (low[w] >= v->m_level) {
                    while (!stack.empty()) {
                        CEdge* top = stack.back();
                        stack.pop_back();
                        block[top] = blocks;
                        if (top == e) break;
                    }
                    ++blocks;
                }
                low[v] = std::min(low[v], low[w]);
            } else if (w != parent[v]) {
                low[v] = std::min(low[v], w->m_level);
            }
        }
    }
};

LiteralBlocks LiteralCountBlocks(CLattixDoc& doc) {
    LiteralBlocks search;
    if (doc.m_compVertices.empty()) return search;
    for (CVertex* v : doc.m_compVertices) {
        v->m_level = 0;
        search.parent[v] = nullptr;
        search.low[v] = static_cast<int>(doc.m_compVertices.size());
    }
    search.Search(doc.m_compVertices.front());
    return search;
}

struct LiteralNumbering {
    explicit LiteralNumbering(CLattixDoc& d) : doc(d) {}
    CLattixDoc& doc;
    int counter = 1;
    std::vector<CVertex*> path;
    bool stuck = false;
    std::map<CVertex*, bool> stNew;
    std::map<CVertex*, CVertex*> stParent;
    std::map<CVertex*, int> stDfn, stLow;
    std::set<CEdge*> treeEdge, newEdge;

    bool InBlock(CEdge* e) const {
        return std::find(doc.m_blockEdges.begin(), doc.m_blockEdges.end(), e) != doc.m_blockEdges.end();
    }
    void NumberSearch(CVertex* v) {
        stNew[v] = false;
        stDfn[v] = counter++;
        stLow[v] = stDfn[v];
        for (CEdge* e : v->m_edges) {
            if (!InBlock(e)) continue;
            CVertex* w = e->Other(v);
            if (stNew[w]) {
                treeEdge.insert(e);
                stParent[w] = v;
                NumberSearch(w);
                stLow[v] = std::min(stLow[v], stLow[w]);
            } else if (w != stParent[v]) {
                stLow[v] = std::min(stLow[v], stDfn[w]);
            }
        }
    }
    void PathFinder(CVertex* v) {
        path.clear();
        for (CEdge* e : v->m_edges) {
            CVertex* w = e->Other(v);
            if (InBlock(e) && newEdge.count(e) && !treeEdge.count(e) && stDfn[w] < stDfn[v]) {
                newEdge.erase(e);
                path = {v, w};
                return;
            }
        }
        for (CEdge* e : v->m_edges) {
            if (!InBlock(e) || !newEdge.count(e) || !treeEdge.count(e)) continue;
            CVertex* w = e->Other(v);
            newEdge.erase(e);
            path = {v, w};
            while (stNew[w]) {
                CEdge* next = nullptr;
                for (CEdge* f : w->m_edges) {
                    CVertex* x = f->Other(w);
                    if (InBlock(f) && newEdge.count(f) &&
                        (treeEdge.count(f) ? stLow[x] == stLow[w] : stDfn[x] == stLow[w])) {
                        next = f;
                        break;
                    }
                }
                if (!next) {
                    stuck = true;
                    return;
                }
                stNew[w] = false;
                newEdge.erase(next);
                w = next->Other(w);
                path.push_back(w);
            }
            return;
        }
        for (CEdge* e : v->m_edges) {
            CVertex* w = e->Other(v);
            if (!InBlock(e) || !newEdge.count(e) || treeEdge.count(e) || stDfn[w] <= stDfn[v]) continue;
            newEdge.erase(e);
            path = {v, w};
            while (stNew[w]) {
                CVertex* u = stParent[w];
                stNew[w] = false;
                newEdge.erase(doc.FindEdge(w, u));
                path.push_back(u);
                w = u;
            }
            return;
        }
    }
    // False when the literal procedure gets stuck.
    bool Run() {
        for (CVertex* v : doc.m_allVertices) {
            stNew[v] = true;
            stParent[v] = nullptr;
        }
        treeEdge.clear();
        newEdge.clear();
        newEdge.insert(doc.m_blockEdges.begin(), doc.m_blockEdges.end());
        NumberSearch(doc.m_blockEdges.front()->m_v1);
        for (CVertex* v : doc.m_compVertices) {
            stNew[v] = true;
            v->m_stNumber = -1;
        }
        newEdge.insert(doc.m_blockEdges.begin(), doc.m_blockEdges.end());
        CEdge* e0 = doc.m_blockEdges.front();
        CVertex* a = e0->m_v1;
        newEdge.erase(e0);
        stNew[a] = stNew[e0->m_v2] = false;
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

// st-numbers the block in m_blockEdges, whose vertices are in m_compVertices, as the
// command hands it over.
bool StNumber(CLattixDoc& doc, StSearch* search = nullptr) {
    BlockGraph block;
    BuildBlockGraph(doc.m_compVertices, doc.m_blockEdges, block);
    return StNumberBlock(block, search);
}

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

// The block of index k as the command hands it over; `labels` by position in m_allEdges.
void SelectBlock(CLattixDoc& doc, const BlockLabels& labels, int k) {
    doc.m_blockEdges.clear();
    doc.m_compVertices.clear();
    for (std::size_t i = 0; i < doc.m_allEdges.size(); ++i) {
        CEdge* e = doc.m_allEdges[i];
        if (labels.edgeBlock[i] != k) continue;
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

        const BlockLabels labels = LabelBlocks(doc.m_compVertices, doc.m_allEdges);
        std::vector<int> levels;
        for (CVertex* v : doc.m_compVertices) levels.push_back(v->m_level);

        const LiteralBlocks literal = LiteralCountBlocks(doc);
        ASSERT_EQ(literal.blocks, labels.count) << "round " << round;
        for (std::size_t i = 0; i < doc.m_allEdges.size(); ++i) {
            const auto it = literal.block.find(doc.m_allEdges[i]);
            ASSERT_EQ(it == literal.block.end() ? -1 : it->second, labels.edgeBlock[i]);
        }
        for (std::size_t i = 0; i < doc.m_compVertices.size(); ++i) {
            CVertex* v = doc.m_compVertices[i];
            CVertex* parent = labels.parent[i] >= 0 ? doc.m_compVertices[labels.parent[i]] : nullptr;
            ASSERT_EQ((VertexState{v->m_level, literal.low.at(v), 0, 0, 0, literal.parent.at(v)}),
                      (VertexState{levels[i], labels.low[i], 0, 0, 0, parent}));
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
    const BlockLabels path = LabelBlocks(doc.m_compVertices, doc.m_allEdges);
    EXPECT_EQ(path.count, 2); // a path of three vertices: two one-edge blocks
    EXPECT_NE(path.edgeBlock[0], path.edgeBlock[1]);
    EXPECT_EQ(t.VertexNamed("a")->m_level, 0); // the DFS numbers replace what was there
    EXPECT_EQ(t.VertexNamed("c")->m_level, 2);

    TestDoc lone;
    lone.Vertex(10, 10);
    lone.d().RebuildAllLists();
    lone.d().m_compVertices = lone.d().m_allVertices;
    EXPECT_EQ(LabelBlocks(lone.d().m_compVertices, lone.d().m_allEdges).count, 0);
    EXPECT_EQ(LabelBlocks({}, {}).count, 0);
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
        const BlockLabels labels = LabelBlocks(doc.m_compVertices, doc.m_allEdges);
        for (int k = 0; k < labels.count; ++k) {
            SelectBlock(doc, labels, k);
            BlockGraph block;
            BuildBlockGraph(doc.m_compVertices, doc.m_blockEdges, block);
            LiteralNumbering literal{doc};
            const bool valid = literal.Run() && IsStNumbering(block);
            std::vector<VertexState> expected;
            for (CVertex* v : doc.m_compVertices)
                expected.push_back({0, 0, v->m_stNumber, literal.stDfn[v], literal.stLow[v], literal.stParent[v]});

            StSearch search;
            ASSERT_TRUE(StNumber(doc, &search)) << "round " << round;
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
                CVertex* parent = search.parent[i] >= 0 ? block.vertices[search.parent[i]] : nullptr;
                ASSERT_EQ((VertexState{0, 0, v->m_stNumber, search.dfn[i], search.low[i], parent}), expected[i])
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
    ASSERT_TRUE(StNumber(doc));
    EXPECT_EQ(t.VertexNamed("A")->m_stNumber, 2);
    EXPECT_EQ(t.VertexNamed("B")->m_stNumber, 1);

    TestDoc c;
    BuildGraph(c, {{"A", "B"}, {"B", "C"}, {"C", "D"}, {"D", "A"}});
    c.d().RebuildAllLists();
    c.d().m_blockEdges = c.d().m_allEdges;
    c.d().m_compVertices = c.d().m_allVertices;
    ASSERT_TRUE(StNumber(c.d()));
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

    ASSERT_TRUE(StNumber(doc));
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
    EXPECT_FALSE(StNumber(doc));
}

} // namespace
