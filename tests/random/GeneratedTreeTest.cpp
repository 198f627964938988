// The generators without a document draw the same trees as on one, and leave the
// element ids alone.

#include <gtest/gtest.h>

#include <map>

#include "model/Element.h"
#include "random/RandomTreeGenerator.h"
#include "support/TestDoc.h"

TEST(GeneratedTrees, SameTreesAsOnADocument) {
    struct Case {
        RandomTreeMethod method;
        std::vector<int> sizes;
    };
    // The rejection samplers take long beyond a few vertices.
    const Case cases[] = {
        {RandomTreeMethod::Labeled, {3, 9, 60}},
        {RandomTreeMethod::Rooted, {3, 9, 60}},
        {RandomTreeMethod::FreeFromLabeled, {3, 6, 8}},
        {RandomTreeMethod::FreeFromRooted, {3, 7, 12}},
        {RandomTreeMethod::Wilf, {3, 4, 9, 60}},
    };
    for (const Case& c : cases)
        for (int n : c.sizes)
            for (std::uint32_t seed : {1u, 77u, 4242u, 90001u}) {
                SCOPED_TRACE(testing::Message() << int(c.method) << " n=" << n << " seed=" << seed);
                TestDoc t(false);
                LcgRandom onDoc(seed), onLight(seed);
                ASSERT_EQ(RandomTreeGenerator(t.d(), onDoc).Generate(c.method, n), GenerateOutcome::Added);

                const std::uint32_t idBefore = g_nextId;
                GeneratedTree tree;
                ASSERT_EQ(RandomTreeGenerator(tree, onLight).Generate(c.method, n), GenerateOutcome::Added);
                EXPECT_EQ(g_nextId, idBefore);
                EXPECT_EQ(onLight.State(), onDoc.State()) << "both drew as often";

                const std::vector<CVertex*> vertices = t.Vertices();
                ASSERT_EQ(tree.columns.size(), vertices.size());
                ASSERT_EQ(tree.rows.size(), vertices.size());
                std::map<const CVertex*, std::int32_t> index;
                for (std::size_t i = 0; i < vertices.size(); ++i) {
                    const CVertex* v = vertices[i];
                    index[v] = std::int32_t(i);
                    EXPECT_EQ(tree.tracks[i], v->m_trackNumber);
                    EXPECT_EQ(std::to_string(tree.tracks[i]), v->m_name);
                    EXPECT_EQ(tree.colors[i], v->m_color);
                    EXPECT_EQ(tree.columns[i] * 30, v->m_center.x);
                    EXPECT_EQ(tree.rows[i] * 30, v->m_center.y);
                }
                std::vector<std::pair<std::int32_t, std::int32_t>> edges;
                for (const CEdge* e : t.Edges()) edges.emplace_back(index.at(e->m_v1), index.at(e->m_v2));
                EXPECT_EQ(tree.edges, edges);
            }
}
