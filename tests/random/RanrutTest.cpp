// RANRUT: the split distribution, the element order and ids it gives for a seed, and
// uniformity over rooted shapes.

#include <gtest/gtest.h>

#include "ReferenceGenerators.h"
#include "TreeShapes.h"
#include "random/RandomTreeCommand.h"
#include "random/RanrutSampler.h"
#include "support/TestDoc.h"

TEST(Ranrut, SplitsThreeVerticesOneQuarterOneQuarterOneHalf) {
    // u = r / 32767 walks the pairs (d, j) = (1, 1), (1, 2), (2, 1) with weights 1/4, 1/4, 1/2.
    TreeDraft draft;
    for (std::uint32_t seed = 0; seed < 200000; seed += 7) {
        LcgRandom peek(seed), random(seed);
        const std::uint32_t r = peek.Next();
        const RanrutSampler::Split split = RanrutSampler(random, draft, CountArithmetic::Fixed64).ChooseSplit(3);
        const int expectedJ = r <= 8191 ? 1 : r <= 16383 ? 2 : 1;
        const int expectedD = r <= 16383 ? 1 : 2;
        ASSERT_EQ(split.j, expectedJ) << r;
        ASSERT_EQ(split.d, expectedD) << r;
    }
}

TEST(Ranrut, SameSeedGivesTheSameTreeAsThePlainRecursion) {
    for (int n : {3, 4, 5, 7, 10, 16, 25, 44}) {
        for (std::uint32_t seed : {1u, 77u, 4242u, 900001u}) {
            TestDoc t;
            t.platform.m_ticks = seed;
            t.platform.m_randomTreeAnswers.push_back(n);
            const std::uint32_t base = g_nextId;
            ASSERT_EQ(RunRandomTreeCommand(t.d(), RandomTreeMethod::Rooted), GenerateOutcome::Added);
            LcgRandom random(seed);
            reference::Generator plain{random, {}, {}};
            EXPECT_EQ(reference::Observed(t.d(), base), plain.RootedTree(n)) << n << ' ' << seed;
            for (CVertex* v : t.Vertices()) {
                EXPECT_EQ(v->m_name, std::to_string(v->m_trackNumber));
                EXPECT_EQ(v->m_center.y, 30 * (v->m_trackNumber + 1));
            }
            EXPECT_EQ(g_nextId - base, std::uint32_t(2 * n - 1));
        }
    }
}

TEST(Ranrut, RootIsTheFirstVertexOnRowTwoAtEverySize) {
    for (int n : {3, 46, 47, 200, 1000}) {
        TestDoc t;
        t.platform.m_ticks = 31u * n;
        t.platform.m_randomTreeAnswers.push_back(n);
        RunRandomTreeCommand(t.d(), RandomTreeMethod::Rooted);
        CVertex* root = nullptr;
        int count = 0;
        const ShapeEdges edges = DocumentEdges(t.d(), &count, &root);
        ASSERT_EQ(count, n);
        ASSERT_EQ(int(edges.size()), n - 1);
        EXPECT_EQ(root->m_name, "1");
        EXPECT_EQ(root->m_trackNumber, 1);
        EXPECT_EQ(root->m_center.y, 60);
        EXPECT_EQ(RootedShape(n, edges, 0).size(), std::size_t(2 * n)) << "connected";
    }
}

TEST(Ranrut, IsUniformOverRootedShapes) {
    for (const CountArithmetic arithmetic : {CountArithmetic::Fixed64, CountArithmetic::Wide}) {
        for (int n = 5; n <= 9; ++n) {
            const int classes = int(treecount::Rooted64()[n]);
            LcgRandom random(1000u + n);
            TreeDraft draft;
            RanrutSampler sampler(random, draft, arithmetic);
            std::map<std::string, int> counts;
            for (int i = 0; i < 40 * classes; ++i) {
                draft.Clear();
                const TreeDraft::Chain tree = sampler.Ranrut(n);
                std::map<int, int> number;
                ShapeEdges edges;
                draft.ForEach(tree, [&](int item) {
                    if (!draft[item].IsEdge()) number.emplace(item, int(number.size()));
                });
                draft.ForEach(tree, [&](int item) {
                    if (draft[item].IsEdge()) edges.emplace_back(number[draft[item].v1], number[draft[item].v2]);
                });
                ++counts[RootedShape(n, edges, number.at(tree.head))];
            }
            EXPECT_EQ(int(counts.size()), classes);
            EXPECT_LT(ChiSquareUniform(counts, classes), ChiSquareBound(classes - 1)) << n;
        }
    }
}

TEST(Ranrut, RootDegreeFollowsTheCountsPastSixtyFourBits) {
    // A rooted tree on n vertices has a root of degree 1 in t(n - 1) of t(n) cases.
    for (int n : {60, 300}) {
        const double p = std::exp2(treecount::CountRooted(n - 1).Log2() - treecount::CountRooted(n).Log2());
        LcgRandom random(n);
        TreeDraft draft;
        RanrutSampler sampler(random, draft, CountArithmetic::Wide);
        const int trials = 3000;
        int leafRoots = 0;
        for (int i = 0; i < trials; ++i) {
            draft.Clear();
            const TreeDraft::Chain tree = sampler.Ranrut(n);
            int degree = 0;
            draft.ForEach(tree, [&](int item) {
                degree += draft[item].IsEdge() && (draft[item].v1 == tree.head || draft[item].v2 == tree.head);
            });
            leafRoots += degree == 1;
        }
        EXPECT_NEAR(leafRoots, trials * p, 5 * std::sqrt(trials * p * (1 - p))) << n;
    }
}
