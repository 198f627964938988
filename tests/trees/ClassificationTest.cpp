#include <gtest/gtest.h>

#include <algorithm>
#include <array>
#include <random>
#include <string>

#include "support/TestDoc.h"
#include "trees/Classification.h"
#include "editor/StatusPanes.h"

namespace {

// Classifies the document as ULP Recognition Mode does.
void Classify(TestDoc& t) { t.d().RecomputeUlpCounts(true); }

// A spider: a centre with legs of the given lengths, every vertex on a track of its own.
void Spider(TestDoc& t, std::vector<int> legs, int x0 = 1000) {
    int track = 1;
    CVertex* c = t.Vertex(x0, 1000, "c");
    c->m_trackNumber = track++;
    int k = 0;
    for (int len : legs) {
        CVertex* prev = c;
        for (int i = 1; i <= len; ++i) {
            CVertex* v = t.Vertex(x0 + 60 * i, 1000 + 60 * k);
            v->m_trackNumber = track++;
            t.Edge(prev, v);
            prev = v;
        }
        ++k;
    }
}

} // namespace

TEST(Classification, ClassesOfSmallTrees) {
    {
        TestDoc t;
        t.Vertex(100, 100);
        Classify(t);
        EXPECT_EQ(ComponentsPaneText(t.d()), "1 Connected Component, 1 Tree, 1 ULP Tree (1 Caterpillar)");
    }
    {   // a star K1,5 is a caterpillar, not a radius-2 star
        TestDoc t;
        Spider(t, {1, 1, 1, 1, 1});
        Classify(t);
        EXPECT_EQ(t.d().m_caterpillarCount, 1);
        EXPECT_EQ(t.d().m_starCount, 0);
        EXPECT_EQ(t.Vertices()[0]->m_highlight, kCaterpillarColor);
    }
    {   // three legs of length 3: a 3-spider
        TestDoc t;
        Spider(t, {3, 3, 3});
        Classify(t);
        EXPECT_EQ(t.d().m_spiderCount, 1);
        EXPECT_EQ(t.d().m_caterpillarCount, 0);
    }
    {   // four legs of length 2: a radius-2 star
        TestDoc t;
        Spider(t, {2, 2, 2, 2});
        Classify(t);
        EXPECT_EQ(t.d().m_starCount, 1);
        for (CEdge* e : t.Edges()) EXPECT_EQ(e->m_highlight, kRadius2StarColor);
    }
    {   // four legs of length 3: none of the classes
        TestDoc t;
        Spider(t, {3, 3, 3, 3});
        Classify(t);
        EXPECT_EQ(t.d().m_treeCount, 1);
        EXPECT_EQ(t.d().m_caterpillarCount + t.d().m_starCount + t.d().m_spiderCount, 0);
    }
}

TEST(Classification, CyclesAreMarkedAndUnclassifiableGraphsLeftAlone) {
    TestDoc t;
    BuildGraph(t, {{"a", "b"}, {"b", "c"}, {"c", "a"}});
    Classify(t);
    EXPECT_EQ(t.d().m_componentCount, 1);
    EXPECT_EQ(t.d().m_treeCount, 0);
    for (CVertex* v : t.Vertices()) EXPECT_EQ(v->m_highlight, kCycleColor);
    for (CEdge* e : t.Edges()) EXPECT_EQ(e->m_highlight, kCycleColor);

    // Parallel edges: not classified at all.
    TestDoc p;
    BuildGraph(p, {{"a", "b"}, {"b", "a"}});
    Classify(p);
    EXPECT_EQ(p.d().m_componentCount, 0);
    // A directed document neither.
    TestDoc d;
    BuildGraph(d, {{"a", "b"}});
    d.d().m_directed = true;
    Classify(d);
    EXPECT_EQ(d.d().m_componentCount, 0);
}

TEST(Classification, LongPathNeedsNoDeepRecursion) {
    TestDoc t;
    CVertex* prev = t.Vertex(10, 10);
    for (int i = 1; i < 200000; ++i) {
        CVertex* v = t.Vertex(10 + i % 1000, 10 + i / 1000);
        t.Edge(prev, v);
        prev = v;
    }
    t.Edge(prev, t.Vertices().front()); // one long cycle
    Classify(t);
    EXPECT_EQ(t.d().m_componentCount, 1);
    EXPECT_EQ(t.d().m_treeCount, 0);
    EXPECT_EQ(prev->m_highlight, kCycleColor);
}

TEST(Classification, SharedTracksOnlyAllowCaterpillars) {
    TestDoc t;
    Spider(t, {3, 3, 3});
    for (CVertex* v : t.Vertices()) v->m_trackNumber = 1; // every vertex on one track
    Classify(t);
    EXPECT_EQ(t.d().m_treeCount, 1);
    EXPECT_EQ(t.d().m_spiderCount, 0);
    EXPECT_EQ(t.d().m_caterpillarCount, 0);
    // Witness L marks the centre, its three neighbours and one more vertex on each leg.
    int marked = 0;
    for (CVertex* v : t.Vertices()) marked += v->m_highlight == kWitnessLColor;
    EXPECT_EQ(marked, 7);
}

TEST(Classification, ComponentExtractionCutsNamesAndReportsStrayEdges) {
    TestDoc t;
    CVertex* a = t.Vertex(100, 100, "left_1");
    CVertex* b = t.Vertex(200, 100, "_x");
    t.Edge(a, b);
    t.d().RebuildAllLists();
    t.d().CountComponents();
    EXPECT_TRUE(t.d().ExtractComponent(0));
    EXPECT_EQ(a->m_name, "left");
    EXPECT_EQ(b->m_name, "_x");
    t.d().SetComponentOf(b, 5);
    EXPECT_FALSE(t.d().ExtractComponent(0));
}

TEST(Modes, InterlocksAndUndo) {
    TestDoc t;
    BuildGraph(t, {{"a", "b"}});
    t.d().OnUpwardMode();
    EXPECT_TRUE(t.d().m_upwardMode);
    EXPECT_TRUE(t.d().m_directed);
    t.d().OnUlpRecognitionMode();
    EXPECT_TRUE(t.d().m_ulpMode);
    EXPECT_FALSE(t.d().m_upwardMode);
    EXPECT_FALSE(t.d().m_directed);
    EXPECT_EQ(t.d().m_componentCount, 1);
    t.d().OnSefeMode();
    EXPECT_TRUE(t.d().m_sefeMode);
    EXPECT_FALSE(t.d().m_ulpMode);
    EXPECT_EQ(t.d().m_componentCount, 0); // leaving the mode drops its counts
    t.d().OnEditUndo();
    EXPECT_TRUE(t.d().m_ulpMode);
    EXPECT_FALSE(t.d().m_sefeMode);
    EXPECT_EQ(t.d().m_componentCount, 1);
}

TEST(Modes, UpwardFlagsEdgesThatDoNotPointUp) {
    TestDoc t;
    CVertex* low = t.Vertex(100, 300);
    CVertex* high = t.Vertex(100, 100);
    CVertex* side = t.Vertex(300, 300);
    CEdge* up = t.Edge(low, high);
    CEdge* down = t.Edge(high, low);
    CEdge* flat = t.Edge(low, side);
    t.d().OnUpwardMode();
    EXPECT_EQ(up->m_highlight, kNoHighlight);
    EXPECT_EQ(down->m_highlight, 0x5555FFu);
    EXPECT_EQ(flat->m_highlight, 0x5555FFu);
}

TEST(Modes, SefeFlagsParallelPairsWithABend) {
    TestDoc t;
    CVertex* a = t.Vertex(100, 100);
    CVertex* b = t.Vertex(300, 100);
    CVertex* bend = t.Vertex(200, 200);
    bend->m_isBend = true;
    CEdge* straight = t.Edge(a, b);
    CEdge* first = t.Edge(a, bend, kEdgeRed);
    CEdge* second = t.Edge(bend, b, kEdgeRed);
    CVertex* c = t.Vertex(100, 400);
    CVertex* d = t.Vertex(300, 400);
    CEdge* plain1 = t.Edge(c, d);
    CEdge* plain2 = t.Edge(c, d, kEdgeGreen);
    t.d().OnSefeMode();
    t.d().UpdateSefe(); // the highlighting shows after the next update
    EXPECT_EQ(straight->m_highlight, 0x5555FFu);
    EXPECT_EQ(first->m_highlight, 0x5555FFu);
    EXPECT_EQ(second->m_highlight, 0x5555FFu);
    EXPECT_EQ(bend->m_highlight, 0x5555FFu);
    EXPECT_EQ(plain1->m_highlight, kNoHighlight);
    EXPECT_EQ(plain2->m_highlight, kNoHighlight);
}

TEST(Components, CommandMessages) {
    TestDoc t;
    t.d().OnConnectedComponents();
    EXPECT_EQ(t.platform.m_messages.back(), "There are 0 connected components.");
    t.Vertex(10, 10);
    t.d().OnConnectedComponents();
    EXPECT_EQ(t.platform.m_messages.back(), "There is 1 connected component.");
    BuildGraph(t, {{"a", "b"}, {"b", "c"}, {"c", "a"}, {"d", "e"}, {"e", "f"}, {"f", "d"}});
    t.d().OnConnectedComponents();
    EXPECT_EQ(t.platform.m_messages.back(), "There are 3 connected components.");
    EXPECT_EQ(t.d().ComponentOf(t.VertexNamed("a")), 1);
    t.Edge(t.VertexNamed("b"), t.VertexNamed("a"), kEdgeRed);
    t.d().OnConnectedComponents();
    EXPECT_EQ(t.platform.m_messages.back(), "The graph is not simple.");
    t.d().DeleteElement(t.Edges().back());
    t.d().m_directed = true;
    t.d().OnConnectedComponents();
    EXPECT_EQ(t.platform.m_messages.back(), "The graph is not undirected.");
}

TEST(Classification, CycleSearchMarksTheFirstCycleItsOrderMeets) {
    {   // a triangle b-c-d behind the first vertex, with a tail: only the triangle is marked
        TestDoc t;
        BuildGraph(t, {{"a", "b"}, {"b", "c"}, {"c", "d"}, {"d", "b"}, {"a", "e"}});
        Classify(t);
        for (const char* name : {"b", "c", "d"}) EXPECT_EQ(t.VertexNamed(name)->m_highlight, kCycleColor) << name;
        for (const char* name : {"a", "e"}) EXPECT_EQ(t.VertexNamed(name)->m_highlight, kNoHighlight) << name;
        const std::vector<CEdge*> edges = t.Edges();
        for (std::size_t i = 0; i < edges.size(); ++i)
            EXPECT_EQ(edges[i]->m_highlight, i >= 1 && i <= 3 ? kCycleColor : kNoHighlight) << i;
    }
    // Two triangles through a: the first edge of a decides which one the search closes.
    for (bool secondFirst : {false, true}) {
        TestDoc t;
        BuildGraph(t, {{"a", "b"}, {"b", "c"}, {"c", "a"}, {"a", "d"}, {"d", "e"}, {"e", "a"}});
        CVertex* a = t.VertexNamed("a");
        if (secondFirst) std::rotate(a->m_edges.begin(), a->m_edges.begin() + 2, a->m_edges.end());
        Classify(t);
        const Rgb first = secondFirst ? kNoHighlight : kCycleColor;
        const Rgb second = secondFirst ? kCycleColor : kNoHighlight;
        EXPECT_EQ(a->m_highlight, kCycleColor);
        for (const char* name : {"b", "c"}) EXPECT_EQ(t.VertexNamed(name)->m_highlight, first) << name;
        for (const char* name : {"d", "e"}) EXPECT_EQ(t.VertexNamed(name)->m_highlight, second) << name;
        const std::vector<CEdge*> edges = t.Edges();
        for (std::size_t i = 0; i < edges.size(); ++i) EXPECT_EQ(edges[i]->m_highlight, i < 3 ? first : second) << i;
    }
}

TEST(Classification, WitnessF1FollowsTheSearchPathBetweenTheBranchVertices) {
    // A and B of degree 3 joined through x, each with two legs of length 2; A comes first.
    TestDoc t;
    BuildGraph(t, {{"A", "x"}, {"x", "B"}, {"A", "a1"}, {"a1", "a2"}, {"A", "a3"}, {"a3", "a4"},
                   {"B", "b1"}, {"b1", "b2"}, {"B", "b3"}, {"b3", "b4"}});
    int track = 1;
    for (CVertex* v : t.Vertices()) v->m_trackNumber = track++;
    Classify(t);
    EXPECT_EQ(t.d().m_treeCount, 1);
    EXPECT_EQ(t.d().m_caterpillarCount + t.d().m_starCount + t.d().m_spiderCount, 0);
    for (const char* name : {"A", "x", "B", "a1", "a2", "a3", "a4", "b1", "b3"})
        EXPECT_EQ(t.VertexNamed(name)->m_highlight, kWitnessF1Color) << name;
    for (const char* name : {"b2", "b4"}) EXPECT_EQ(t.VertexNamed(name)->m_highlight, kNoHighlight) << name;
    const std::vector<CEdge*> edges = t.Edges();
    for (std::size_t i = 0; i < edges.size(); ++i)
        EXPECT_EQ(edges[i]->m_highlight, i == 7 || i == 9 ? kNoHighlight : kWitnessF1Color) << i;
}

TEST(Modes, SefeFollowsBendChainsThroughReplacedBends) {
    // a-b straight and a-b1-b2-b3-b bent, the bends made in the order b1, b3, b2: when b2's
    // turn comes its edges are both stand-ins for bends already replaced.
    TestDoc t;
    CVertex* a = t.Vertex(100, 100);
    CVertex* b = t.Vertex(500, 100);
    CVertex* b1 = t.Vertex(200, 200);
    CVertex* b3 = t.Vertex(400, 200);
    CVertex* b2 = t.Vertex(300, 250);
    for (CVertex* v : {b1, b2, b3}) v->m_isBend = true;
    CEdge* straight = t.Edge(a, b);
    const std::vector<CEdge*> chain = {t.Edge(a, b1, kEdgeRed), t.Edge(b1, b2, kEdgeRed), t.Edge(b2, b3, kEdgeRed),
                                       t.Edge(b3, b, kEdgeRed)};
    CEdge* alone = t.Edge(t.Vertex(100, 400), t.Vertex(300, 400));
    // A clipboard copy clones vertices too; it must leave nothing the scratch copy reads.
    t.d().AddToSelection(a);
    t.d().OnEditCopy();
    const std::uint32_t before = g_nextId;
    t.d().OnSefeMode();
    t.d().UpdateSefe();
    EXPECT_EQ(straight->m_highlight, 0x5555FFu);
    for (CEdge* e : chain) EXPECT_EQ(e->m_highlight, 0x5555FFu);
    EXPECT_EQ(alone->m_highlight, kNoHighlight);
    // Nothing of the scratch copy stays in the document's adjacency lists.
    EXPECT_EQ(a->m_edges.size(), 2u);
    EXPECT_EQ(b->m_edges.size(), 2u);
    // The 7 vertex copies, the 6 edges copied and the 3 stand-ins for bends take element ids.
    EXPECT_EQ(g_nextId - before, 7u + 6u + 3u);
}

namespace {

struct Classified {
    std::array<std::int32_t, 5> counts;
    std::vector<Rgb> highlights;
    std::vector<std::string> names;
    std::vector<std::int32_t> components;
    std::vector<std::size_t> compVertices, compEdges; // as positions in element order
};

Classified Snapshot(TestDoc& t) {
    CLattixDoc& d = t.d();
    Classified c{{d.m_componentCount, d.m_treeCount, d.m_caterpillarCount, d.m_starCount, d.m_spiderCount}, {}, {}, {}, {}, {}};
    std::vector<CElement*> order(d.m_elements.begin(), d.m_elements.end());
    auto position = [&](const CElement* e) { return std::size_t(std::find(order.begin(), order.end(), e) - order.begin()); };
    for (CElement* e : order) {
        c.highlights.push_back(e->m_highlight);
        c.names.push_back(e->m_name.str());
        if (const CVertex* v = e->AsVertex()) c.components.push_back(d.ComponentOf(v));
    }
    for (const CVertex* v : d.m_compVertices) c.compVertices.push_back(position(v));
    for (const CEdge* e : d.m_compEdges) c.compEdges.push_back(position(e));
    return c;
}

// The classification done the plain way: a search per component over the adjacency lists
// and an extraction that walks every element once per component.
void ClassifyPlainly(CLattixDoc& d) {
    d.m_componentCount = d.m_treeCount = d.m_caterpillarCount = d.m_spiderCount = d.m_starCount = 0;
    d.RebuildAllLists();
    if (!d.IsSimple() || d.m_directed) return;
    d.m_componentCount = d.CountComponents(&d.m_allVertices);
    for (std::int32_t k = 0; k < d.m_componentCount; ++k) {
        d.ExtractComponent(k);
        const auto& vs = d.m_compVertices;
        const auto& es = d.m_compEdges;
        if (es.size() + 1 != vs.size()) {
            HighlightCycle(vs);
            continue;
        }
        ++d.m_treeCount;
        if (HasSharedTrack(vs)) {
            if (IsCaterpillar(vs, es)) ++d.m_caterpillarCount;
            WitnessSearchL(vs);
            continue;
        }
        if (IsCaterpillar(vs, es)) ++d.m_caterpillarCount;
        else if (IsRadius2Star(vs, es)) ++d.m_starCount;
        else if (Is3Spider(vs, es)) ++d.m_spiderCount;
        if (!WitnessSearchF1(vs)) WitnessSearchF2(vs);
    }
}

// Random forests with some cycles, their vertices made in shuffled order (so components
// interleave in the element list) and some deleted again (so the survivors do not lie side
// by side in memory), names with underscores, stale highlights.
void BuildForest(TestDoc& t, std::uint32_t seed) {
    std::mt19937 rng(seed);
    const int n = std::uniform_int_distribution<int>(1, 90)(rng);
    std::vector<CVertex*> vs;
    for (int i = 0; i < n; ++i) {
        vs.push_back(t.Vertex(20 * i, 20 * (i % 7), rng() % 3 ? "v_" + std::to_string(i) : "w" + std::to_string(i)));
        vs.back()->m_trackNumber = rng() % 4 ? i : int(rng() % 5);
        vs.back()->m_highlight = rng() % 2 ? kCycleColor : kNoHighlight;
    }
    for (int i = n - 1; i > 0; --i)
        if (rng() % 5 == 0) {
            t.d().DeleteElement(vs[i]);
            vs.erase(vs.begin() + i);
        }
    std::shuffle(vs.begin(), vs.end(), rng);
    // Each vertex hangs from an earlier one or starts a tree (every fourth graph is one
    // tree); a few extra edges close cycles.
    for (std::size_t i = 1; i < vs.size(); ++i)
        if (rng() % 6 || seed % 4 == 0) t.Edge(vs[rng() % i], vs[i])->m_highlight = kSpiderColor;
    for (int extra = int(rng() % 4); extra > 0 && vs.size() > 2; --extra) {
        CVertex* a = vs[rng() % vs.size()];
        CVertex* b = vs[rng() % vs.size()];
        if (a != b && !t.d().FindEdge(a, b)) t.Edge(a, b);
    }
}

} // namespace

TEST(Classification, ManyComponentsAsThePlainWayClassifiesThem) {
    for (std::uint32_t seed = 1; seed <= 150; ++seed) {
        TestDoc fast(false), plain(false);
        BuildForest(fast, seed);
        BuildForest(plain, seed);
        fast.d().RecomputeUlpCounts(true);
        ClassifyPlainly(plain.d());
        const Classified a = Snapshot(fast), b = Snapshot(plain);
        ASSERT_EQ(a.counts, b.counts) << "seed " << seed;
        ASSERT_EQ(a.highlights, b.highlights) << "seed " << seed;
        ASSERT_EQ(a.names, b.names) << "seed " << seed;
        ASSERT_EQ(a.components, b.components) << "seed " << seed;
        ASSERT_EQ(a.compVertices, b.compVertices) << "seed " << seed;
        ASSERT_EQ(a.compEdges, b.compEdges) << "seed " << seed;
    }
}
