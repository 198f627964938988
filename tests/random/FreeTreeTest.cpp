// The three free-tree generators: uniformity over shapes, the trees a seed gives, and the
// special shapes of small sizes.

#include <gtest/gtest.h>

#include "ReferenceGenerators.h"
#include "TreeShapes.h"
#include "random/RandomTreeCommand.h"
#include "support/TestDoc.h"

namespace {

// Frequencies of the shapes that a sampler produces.
template <typename Sample>
std::map<std::string, int> Shapes(int n, int samples, Sample sample) {
    std::map<std::string, int> counts;
    for (int i = 0; i < samples; ++i) ++counts[FreeShape(n, sample())];
    return counts;
}

// One tree from a generator into an empty document.
ShapeEdges Generate(RandomTreeGenerator& generator, TestDoc& t, RandomTreeMethod method, int n) {
    t.d().DeleteContents();
    EXPECT_EQ(generator.Generate(method, n), GenerateOutcome::Added);
    int count = 0;
    ShapeEdges edges = DocumentEdges(t.d(), &count);
    EXPECT_EQ(count, n);
    return edges;
}

struct Case {
    RandomTreeMethod method;
    int maxSize;
};

} // namespace

TEST(FreeTrees, EveryMethodIsUniformOverShapes) {
    // The labeled rejection sampler needs n^(n-2) / F(n) attempts per tree (11000 at n = 8),
    // so it is checked up to 7 vertices.
    for (const Case c : {Case{RandomTreeMethod::Wilf, 9}, Case{RandomTreeMethod::FreeFromRooted, 9},
                         Case{RandomTreeMethod::FreeFromLabeled, 7}}) {
        for (const CountArithmetic arithmetic : {CountArithmetic::Fixed64, CountArithmetic::Wide}) {
            for (int n = 5; n <= c.maxSize; ++n) {
                TestDoc t(false);
                LcgRandom random(97u * n + int(c.method));
                RandomTreeGenerator generator(t.d(), random, {0, arithmetic});
                const int classes = int(treecount::CountFree(n).ToInt64());
                const auto counts = Shapes(n, 60 * classes, [&] { return Generate(generator, t, c.method, n); });
                EXPECT_EQ(int(counts.size()), classes);
                EXPECT_LT(ChiSquareUniform(counts, classes), ChiSquareBound(classes - 1))
                    << int(c.method) << ' ' << int(arithmetic) << ' ' << n;
            }
        }
    }
}

TEST(FreeTrees, TheBoundRejectsBiasedSamplers) {
    const int n = 7, classes = 11;
    TestDoc t(false);
    LcgRandom random(5);
    RandomTreeGenerator generator(t.d(), random);
    // The shapes of uniformly random labeled trees favour the asymmetric trees.
    auto counts = Shapes(n, 60 * classes, [&] { return Generate(generator, t, RandomTreeMethod::Labeled, n); });
    EXPECT_GT(ChiSquareUniform(counts, classes), ChiSquareBound(classes - 1));
    // A uniform sampler that reports the path once more every other time it draws it.
    std::string path;
    ShapeEdges extra;
    counts = Shapes(n, 600 * classes, [&] {
        if (!extra.empty()) return std::exchange(extra, {});
        ShapeEdges e = Generate(generator, t, RandomTreeMethod::Wilf, n);
        std::vector<int> degree(n);
        for (auto [a, b] : e) ++degree[a], ++degree[b];
        if (*std::max_element(degree.begin(), degree.end()) <= 2 && random.Next() % 2) extra = e;
        return e;
    });
    EXPECT_GT(ChiSquareUniform(counts, classes), ChiSquareBound(classes - 1));
}

TEST(FreeTrees, WilfGivesTheSameTreeAsThePlainRecursion) {
    for (int n : {3, 4, 5, 6, 9, 12, 20, 31, 46}) {
        for (std::uint32_t seed : {3u, 1234u, 55555u, 7777777u, 123456789u, 2654435761u}) {
            TestDoc t;
            t.platform.m_ticks = seed;
            t.platform.m_randomTreeAnswers.push_back(n);
            const std::uint32_t base = g_nextId;
            ASSERT_EQ(RunRandomTreeCommand(t.d(), RandomTreeMethod::Wilf), GenerateOutcome::Added);
            LcgRandom random(seed);
            reference::Generator plain{random, {}, {}};
            EXPECT_EQ(reference::Observed(t.d(), base), plain.Wilf(n)) << n << ' ' << seed;
        }
    }
}

TEST(FreeTrees, WilfSmallShapesAndColours) {
    // One generator for all runs: the first draws of nearby seeds are nearly equal.
    LcgRandom random(2024);
    int bicentroidal = 0;
    for (int run = 0; run < 200; ++run) {
        for (int n : {4, 7}) {
            TestDoc t(false);
            RandomTreeGenerator(t.d(), random).Generate(RandomTreeMethod::Wilf, n);
            int reds = 0, blues = 0;
            std::map<const CVertex*, int> degree;
            for (CEdge* e : t.Edges()) ++degree[e->m_v1], ++degree[e->m_v2];
            for (CVertex* v : t.Vertices()) {
                reds += v->m_color == kCentroidColor;
                if (v->m_color == kBicentroidColor) {
                    ++blues;
                    EXPECT_EQ(degree[v], 2) << "a blue end is a middle vertex of the path";
                }
            }
            if (n == 7) {
                EXPECT_EQ(reds, 1);
                EXPECT_EQ(t.Vertices().back()->m_color, kCentroidColor) << "the centroid comes last";
            } else {
                // Four vertices: the star with a red centre, or the path with two blue middles.
                EXPECT_EQ(reds + blues, blues ? 2 : 1);
                bicentroidal += blues ? 1 : 0;
            }
        }
    }
    EXPECT_NEAR(bicentroidal, 100, 30); // p = 1/2
}

TEST(FreeTrees, WilfBuildsBicentroidalTreesPastSixtyFourBits) {
    // At 50 vertices F(50) no longer fits in 64 bits; the bicentroidal trees keep their share.
    const int n = 50;
    BigCount pairs = treecount::CountRooted(25) * (treecount::CountRooted(25) + BigCount(1));
    pairs.DivideBy(2);
    const double p = std::exp2(pairs.Log2() - treecount::CountFree(n).Log2());
    const int trials = 1500;
    int bicentroidal = 0;
    LcgRandom random(50);
    for (int i = 0; i < trials; ++i) {
        TestDoc t(false);
        RandomTreeGenerator(t.d(), random).Generate(RandomTreeMethod::Wilf, n);
        for (CVertex* v : t.Vertices()) bicentroidal += v->m_color == kBicentroidColor;
    }
    const double sd = std::sqrt(trials * p * (1 - p));
    EXPECT_NEAR(bicentroidal / 2, trials * p, 5 * sd);
    EXPECT_GT(bicentroidal, 0);
}

TEST(FreeTrees, RejectionFromRootedTreesOnThreeVerticesIsThePath) {
    TestDoc t(false);
    LcgRandom random(9);
    RandomTreeGenerator generator(t.d(), random);
    std::int64_t attempts = 0;
    for (int i = 0; i < 400; ++i) {
        EXPECT_EQ(Generate(generator, t, RandomTreeMethod::FreeFromRooted, 3).size(), 2u);
        attempts += generator.Attempts();
    }
    EXPECT_NEAR(double(attempts) / 400, 2.0, 0.25); // each attempt is kept with probability 1/2
}

TEST(FreeTrees, LargeSizesGiveTreesOfTheRightSize) {
    for (const RandomTreeMethod method : {RandomTreeMethod::Wilf, RandomTreeMethod::FreeFromRooted}) {
        for (int n : {47, 50, 999, 1000}) {
            TestDoc t(false);
            LcgRandom random(n);
            const ShapeEdges e = Generate(*std::make_unique<RandomTreeGenerator>(t.d(), random), t, method, n);
            EXPECT_EQ(RootedShape(n, e, 0).size(), std::size_t(2 * n)) << "connected";
        }
    }
}
