// The generator's draws and the symmetry counts behind the rejection samplers, checked
// against brute force.

#include <gtest/gtest.h>

#include <algorithm>
#include <numeric>
#include <set>

#include "TreeShapes.h"
#include "random/LcgRandom.h"
#include "random/PruferCode.h"
#include "random/TreeCounts.h"
#include "random/TreeSymmetry.h"

TEST(LcgRandom, FollowsTheLinearCongruentialSequence) {
    LcgRandom random(1);
    for (std::uint32_t expected : {41u, 18467u, 6334u, 26500u, 19169u}) EXPECT_EQ(random.Next(), expected);
    random.Seed(1);
    EXPECT_DOUBLE_EQ(random.Fraction(), 41 / 32767.0);
    EXPECT_EQ(random.Below(10), 7u); // 18467 mod 10
}

TEST(LcgRandom, RefinedDrawsAgreeWithTheSingleDrawWhenItDecides) {
    for (const double p : {1.0 / 3, 0.5, 1.0 / 7, 1e-6, 0.9999}) {
        const double bucket = std::floor(p * 32768.0);
        for (std::uint32_t seed = 0; seed < 4000; ++seed) {
            LcgRandom mine(seed * 7919u), plain(seed * 7919u);
            const std::uint32_t r = plain.Next();
            const bool accepted = mine.Bernoulli(p);
            if (r == bucket) continue;
            EXPECT_EQ(accepted, r / 32767.0 < p) << p << ' ' << r;
            EXPECT_EQ(mine.State(), plain.State()) << "one draw decides";
        }
    }
    for (std::uint32_t seed = 0; seed < 4000; ++seed) {
        LcgRandom mine(seed), plain(seed);
        const std::uint32_t r = plain.Next();
        const std::uint32_t v = mine.UniformBelow(1000);
        if (r < 32000) {
            EXPECT_EQ(v, r % 1000);
        } else {
            EXPECT_LT(v, 1000u);
        }
    }
}

TEST(LcgRandom, TinyProbabilitiesAreNotRoundedUpToOneDraw) {
    // With one 15-bit draw every probability below 1 / 32768 would be taken as 1 / 32768.
    LcgRandom random(12345);
    int accepted = 0;
    const int trials = 1 << 22;
    for (int i = 0; i < trials; ++i) accepted += random.BernoulliLog2(-17.0);
    EXPECT_NEAR(accepted, trials >> 17, 20); // 32 expected; the single draw would give 128
    int half = 0;
    for (int i = 0; i < 100000; ++i) half += random.Bernoulli(0.3);
    EXPECT_NEAR(half, 30000, 700);
}

namespace {

TreeSymmetry::Result Analyse(int n, const ShapeEdges& edges) {
    TreeSymmetry symmetry;
    std::vector<TreeSymmetry::Edge> e(edges.begin(), edges.end());
    return symmetry.Analyse(n, e);
}

std::uint64_t BruteForceAutomorphisms(int n, const ShapeEdges& edges) {
    std::set<std::pair<int, int>> present;
    for (auto [a, b] : edges) present.insert({std::min(a, b), std::max(a, b)});
    std::vector<int> perm(n);
    std::iota(perm.begin(), perm.end(), 0);
    std::uint64_t count = 0;
    do {
        bool ok = true;
        for (auto [a, b] : edges)
            ok = ok && present.count({std::min(perm[a], perm[b]), std::max(perm[a], perm[b])}) != 0;
        if (ok) ++count;
    } while (std::next_permutation(perm.begin(), perm.end()));
    return count;
}

} // namespace

TEST(TreeSymmetry, MatchesBruteForceOnEveryFreeTreeUpToSevenVertices) {
    // Every labeled tree comes from one Prüfer sequence; each class T must turn up
    // n! / |Aut T| times, and its rootings must be its distinct rooted shapes.
    for (int n = 3; n <= 7; ++n) {
        std::map<std::string, std::pair<ShapeEdges, std::uint64_t>> classes;
        std::vector<std::int32_t> seq(n - 2, 0), degree;
        std::vector<TreeEdge> edges;
        for (;;) {
            DecodePrufer(seq, n, edges, degree);
            const ShapeEdges shape(edges.begin(), edges.end());
            auto& entry = classes[FreeShape(n, shape)];
            entry.first = shape;
            ++entry.second;
            int i = 0;
            while (i < n - 2 && ++seq[i] == n) seq[i++] = 0;
            if (i == n - 2) break;
        }
        EXPECT_EQ(BigCount(classes.size()), treecount::CountFree(n));
        std::uint64_t factorial = 1;
        for (int i = 2; i <= n; ++i) factorial *= i;
        for (const auto& [key, entry] : classes) {
            const TreeSymmetry::Result r = Analyse(n, entry.first);
            EXPECT_EQ(r.automorphisms, BruteForceAutomorphisms(n, entry.first)) << key;
            EXPECT_EQ(r.automorphisms * entry.second, factorial) << key;
            std::set<std::string> rootings;
            for (int v = 0; v < n; ++v) rootings.insert(RootedShape(n, entry.first, v));
            EXPECT_EQ(r.orbits, int(rootings.size())) << key;
            EXPECT_NEAR(r.log2Automorphisms, std::log2(double(r.automorphisms)), 1e-9);
        }
    }
}

TEST(TreeSymmetry, HandlesLargeTreesWithoutDeepRecursion) {
    const int n = 1000;
    ShapeEdges path, star, twinStars, broom;
    for (int i = 1; i < n; ++i) {
        path.emplace_back(i - 1, i);
        star.emplace_back(0, i);
    }
    // Two stars of 500 vertices joined at their centres: two centres, swappable halves.
    for (int i = 1; i < 500; ++i) {
        twinStars.emplace_back(0, i);
        twinStars.emplace_back(500, 500 + i);
    }
    twinStars.emplace_back(0, 500);
    // A path of 900 vertices with 100 leaves on its last one: only the leaves can be swapped.
    for (int i = 1; i < 900; ++i) broom.emplace_back(i - 1, i);
    for (int i = 900; i < n; ++i) broom.emplace_back(899, i);

    auto r = Analyse(n, path);
    EXPECT_EQ(r.automorphisms, 2u);
    EXPECT_EQ(r.orbits, 500);
    r = Analyse(n, star);
    EXPECT_FALSE(r.automorphismsExact);
    EXPECT_NEAR(r.log2Automorphisms, treecount::Log2Factorial(999), 1e-6);
    EXPECT_EQ(r.orbits, 2);
    r = Analyse(n, twinStars);
    EXPECT_NEAR(r.log2Automorphisms, 1 + 2 * treecount::Log2Factorial(499), 1e-6);
    EXPECT_EQ(r.orbits, 2);
    r = Analyse(n, broom);
    EXPECT_NEAR(r.log2Automorphisms, treecount::Log2Factorial(100), 1e-6);
    EXPECT_EQ(r.orbits, 901);
}

TEST(PruferCode, DecodesInTheOrderTheTreeIsBuilt) {
    std::vector<TreeEdge> edges;
    std::vector<std::int32_t> degree;
    DecodePrufer(std::vector<std::int32_t>{1}, 3, edges, degree);
    EXPECT_EQ(edges, (std::vector<TreeEdge>{{1, 0}, {1, 2}}));
    DecodePrufer(std::vector<std::int32_t>{4, 4, 4, 4}, 6, edges, degree); // a star
    EXPECT_EQ(edges, (std::vector<TreeEdge>{{4, 0}, {4, 1}, {4, 2}, {4, 3}, {4, 5}}));
    // 0 and 2 become leaves below the scan position and are taken at once.
    DecodePrufer(std::vector<std::int32_t>{3, 0, 2, 5}, 6, edges, degree);
    EXPECT_EQ(edges, (std::vector<TreeEdge>{{3, 1}, {0, 3}, {2, 0}, {5, 2}, {4, 5}}));
}
