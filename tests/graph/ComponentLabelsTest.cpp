// Component labels of light graphs against the document's labelling: same numbering,
// vertex for vertex, on random graphs with isolated vertices and loops.

#include <gtest/gtest.h>

#include <random>

#include "graph/ComponentLabels.h"
#include "support/TestDoc.h"

namespace {

TEST(ComponentLabels, NumberComponentsAsTheDocumentDoes) {
    std::mt19937 rng(5);
    for (int round = 0; round < 60; ++round) {
        const int n = std::uniform_int_distribution<int>(1, 40)(rng);
        const int m = std::uniform_int_distribution<int>(0, n)(rng);
        TestDoc t(false);
        LightGraph g{n, {}};
        std::vector<CVertex*> vs;
        for (int v = 0; v < n; ++v) vs.push_back(t.Vertex(10 * v, 10));
        for (int e = 0; e < m; ++e) {
            const int a = rng() % n, b = rng() % n;
            g.edges.emplace_back(a, b);
            t.Edge(vs[a], vs[b]);
        }
        t.d().RebuildAllLists();
        const std::int32_t count = t.d().CountComponents(&t.d().m_allVertices);
        const std::vector<std::int32_t> labels = ComponentLabels(g);
        ASSERT_EQ(labels.size(), std::size_t(n));
        for (int v = 0; v < n; ++v) ASSERT_EQ(labels[v], t.d().ComponentOf(vs[v])) << "round " << round;
        EXPECT_EQ(*std::max_element(labels.begin(), labels.end()) + 1, count);
        std::int32_t joined = -1;
        EXPECT_EQ(ComponentLabels(n, g.edges, joined), labels) << "round " << round;
        EXPECT_EQ(joined, count);
    }
}

// A count replaces every label of the one before: a vertex it does not reach has none, so
// an extraction cannot pick up a vertex labelled by an older count.
TEST(ComponentLabels, ACountForgetsTheLabelsOfTheLastOne) {
    TestDoc t;
    CVertex* a = t.Vertex(10, 10, "a");
    CVertex* b = t.Vertex(20, 10, "b");
    CVertex* c = t.Vertex(30, 10, "c");
    t.Edge(a, b);
    t.d().RebuildAllLists();
    ASSERT_EQ(t.d().CountComponents(), 2);
    EXPECT_EQ(t.d().ComponentOf(c), 1);
    const std::vector<CVertex*> onlyA{a};
    ASSERT_EQ(t.d().CountComponents(&onlyA), 1);
    EXPECT_EQ(t.d().ComponentOf(b), 0); // reached from the list
    EXPECT_EQ(t.d().ComponentOf(c), -1);
    ASSERT_TRUE(t.d().ExtractComponent(0));
    EXPECT_EQ(t.d().m_compVertices, (std::vector<CVertex*>{a, b}));
    ASSERT_TRUE(t.d().ExtractComponent(1));
    EXPECT_TRUE(t.d().m_compVertices.empty()); // c was component 1 of the first count
}

TEST(LightGraph, ValidAndSimple) {
    EXPECT_TRUE((LightGraph{3, {{0, 1}, {1, 2}}}).Simple());
    EXPECT_FALSE((LightGraph{3, {{0, 1}, {1, 0}}}).Simple());
    EXPECT_FALSE((LightGraph{3, {{2, 2}}}).Simple());
    EXPECT_TRUE((LightGraph{3, {{0, 2}}}).Valid());
    EXPECT_FALSE((LightGraph{3, {{0, 3}}}).Valid());
    EXPECT_FALSE((LightGraph{3, {{-1, 0}}}).Valid());
}

} // namespace
