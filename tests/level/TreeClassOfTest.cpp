// Component classes of light graphs against the counts of ULP Recognition Mode on the
// same graph in a document, with and without shared tracks.

#include <gtest/gtest.h>

#include <random>

#include "support/TestDoc.h"
#include "level/TreeClassOf.h"

namespace {

TEST(TreeClassOf, AgreesWithTheModeCounts) {
    std::mt19937 rng(9);
    int caterpillars = 0, stars = 0, spiders = 0, others = 0;
    for (int round = 0; round < 150; ++round) {
        const int n = std::uniform_int_distribution<int>(1, 30)(rng);
        const bool shared = round % 3 == 0;
        TestDoc t(false);
        LightGraph g{n, {}};
        std::vector<std::int32_t> tracks;
        std::vector<CVertex*> vs;
        for (int v = 0; v < n; ++v) {
            tracks.push_back(shared ? int(rng() % 4) : v);
            vs.push_back(t.Vertex(10 * v, 10));
            vs.back()->m_trackNumber = tracks.back();
        }
        // A random forest (each vertex joins an earlier one or starts a tree), and now and
        // then one extra edge that closes a cycle.
        for (int v = 1; v < n; ++v)
            if (rng() % 5 != 0) {
                const int u = rng() % v;
                g.edges.emplace_back(u, v);
                t.Edge(vs[u], vs[v]);
            }
        if (n > 3 && rng() % 4 == 0 && !t.d().FindEdge(vs[0], vs[n - 1])) {
            g.edges.emplace_back(0, n - 1);
            t.Edge(vs[0], vs[n - 1]);
        }
        t.d().RecomputeUlpCounts(true);
        const std::vector<TreeClass> classes = ClassifyComponents(g, tracks);
        auto count = [&](TreeClass c) { return std::int32_t(std::count(classes.begin(), classes.end(), c)); };
        ASSERT_EQ(std::int32_t(classes.size()), t.d().m_componentCount) << round;
        ASSERT_EQ(std::int32_t(classes.size()) - count(TreeClass::NotATree), t.d().m_treeCount) << round;
        ASSERT_EQ(count(TreeClass::Caterpillar), t.d().m_caterpillarCount) << round;
        ASSERT_EQ(count(TreeClass::Radius2Star), t.d().m_starCount) << round;
        ASSERT_EQ(count(TreeClass::Spider3), t.d().m_spiderCount) << round;
        caterpillars += count(TreeClass::Caterpillar);
        stars += count(TreeClass::Radius2Star);
        spiders += count(TreeClass::Spider3);
        others += count(TreeClass::OtherTree);
    }
    EXPECT_GT(caterpillars, 0);
    EXPECT_GT(stars + spiders, 0);
    EXPECT_GT(others, 0);
}

TEST(TreeClassOf, RefusesWhatTheModeRefuses) {
    EXPECT_TRUE(ClassifyComponents(LightGraph{2, {{0, 1}, {1, 0}}}).empty());
    EXPECT_THROW(ClassifyComponents(LightGraph{2, {{0, 1}}}, std::vector<std::int32_t>{1}), std::invalid_argument);
}

TEST(TreeClassOf, ALoopMakesNoTreeAndTakesNoIds) {
    // The mode refuses repeated pairs only; a loop leaves its component no tree.
    TestDoc t(false);
    CVertex* a = t.Vertex(10, 10);
    CVertex* b = t.Vertex(20, 10);
    a->m_trackNumber = 0;
    b->m_trackNumber = 1;
    t.Edge(a, a);
    t.Edge(a, b);
    t.d().RecomputeUlpCounts(true);
    const std::uint32_t nextId = g_nextId;
    const std::vector<TreeClass> classes = ClassifyComponents(LightGraph{2, {{0, 0}, {0, 1}}});
    EXPECT_EQ(classes, (std::vector<TreeClass>{TreeClass::NotATree}));
    EXPECT_EQ(t.d().m_componentCount, 1);
    EXPECT_EQ(t.d().m_treeCount, 0);
    // Classifying builds nothing, so the documents' next element id stays where it was.
    EXPECT_EQ(ClassifyTree(5, {{0, 1}, {1, 2}, {1, 3}, {3, 4}}), UlpTreeClass::Caterpillar);
    EXPECT_EQ(g_nextId, nextId);
}

} // namespace
