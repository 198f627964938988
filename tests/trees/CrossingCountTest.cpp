// Crossings of a drawing without a document against the status-bar count of the same
// drawing in a document, colour by colour.

#include <gtest/gtest.h>

#include <random>

#include "support/TestDoc.h"
#include "trees/CrossingCount.h"

namespace {

TEST(CrossingCount, AgreesWithTheDocumentCount) {
    std::mt19937 rng(21);
    std::int32_t total = 0;
    for (int round = 0; round < 40; ++round) {
        const int n = std::uniform_int_distribution<int>(2, 25)(rng);
        TestDoc t(false);
        LightGraph g{n, {}};
        std::vector<Point> centres;
        std::vector<std::uint16_t> codes;
        std::vector<CVertex*> vs;
        for (int v = 0; v < n; ++v) {
            // A coarse grid, so that collinear and touching segments occur too.
            centres.push_back({int(rng() % 8) * 40, int(rng() % 8) * 40});
            vs.push_back(t.Vertex(centres.back().x, centres.back().y));
        }
        for (int e = 0; e < 2 * n; ++e) {
            const int a = rng() % n, b = rng() % n;
            const auto code = static_cast<std::uint16_t>(1 + rng() % 3);
            g.edges.emplace_back(a, b);
            codes.push_back(code);
            t.Edge(vs[a], vs[b], code);
        }
        t.d().CountCrossings();
        const auto counts = CountCrossingsOf(g, centres, codes);
        for (int code = 1; code <= 8; ++code) ASSERT_EQ(counts[code - 1], t.d().CrossingsOf(code)) << round;
        total += t.d().TotalCrossings();
    }
    EXPECT_GT(total, 0);
}

TEST(CrossingCount, RejectsWhatItCannotDraw) {
    const LightGraph g{2, {{0, 1}}};
    const std::vector<Point> one{{0, 0}};
    EXPECT_THROW(CountCrossingsOf(g, one), std::invalid_argument);
    const std::vector<Point> two{{0, 0}, {10, 10}};
    const std::vector<std::uint16_t> bad{9};
    EXPECT_THROW(CountCrossingsOf(g, two, bad), std::invalid_argument);
}

} // namespace
