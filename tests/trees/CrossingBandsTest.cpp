// The band counts of the crossing count against pair-by-pair tests, and the sharing of
// work among threads.

#include <gtest/gtest.h>

#include <random>
#include <stdexcept>

#include "trees/CrossingBands.h"
#include "trees/Crossings.h"
#include "trees/WorkerParts.h"

using namespace crossings;

namespace {

// Vertices on few x positions, so that several vertices share a point and many edges an end.
struct RandomEnds {
    std::mt19937 rng;
    std::uintptr_t Vertex(int x) { return std::uintptr_t(8 * (x * 3 + int(rng() % 3) + 1)); }
    int X() { return int(rng() % 7) * 10; }
};

} // namespace

TEST(CrossingBands, SteepBandEqualsPairByPairTests) {
    RandomEnds r{std::mt19937(3)};
    constexpr int kLow = 100, kHigh = 160;
    for (int round = 0; round < 40; ++round) {
        BandScratch s;
        const int n = 2 + round % 30;
        for (int i = 0; i < n; ++i) {
            const int lowX = r.X(), highX = r.X();
            // Low and high vertices are apart: the ids of the high ones are offset.
            s.steep.push_back({lowX, highX, r.Vertex(lowX), 4096 + r.Vertex(highX), 0});
            if (r.rng() % 6 == 0) s.steep.push_back(s.steep.back()); // the same two vertices again
        }
        std::int64_t expected = 0;
        for (std::size_t i = 0; i < s.steep.size(); ++i)
            for (std::size_t j = i + 1; j < s.steep.size(); ++j) {
                const auto &p = s.steep[i], &q = s.steep[j];
                if (p.lowV == q.lowV || p.highV == q.highV) continue;
                expected += SegmentsIntersect(Segment{{p.lowX, kLow}, {p.highX, kHigh}}, Segment{{q.lowX, kLow}, {q.highX, kHigh}});
            }
        EXPECT_EQ(CountSteepBand(s), expected) << "round " << round;
    }
}

TEST(CrossingBands, AlongBandEqualsPairByPairTests) {
    RandomEnds r{std::mt19937(4)};
    for (int round = 0; round < 40; ++round) {
        BandScratch s;
        const int n = 2 + round % 30;
        for (int i = 0; i < n; ++i) {
            int a = r.X(), b = r.X();
            if (a > b) std::swap(a, b);
            // Loops at one vertex, edges between two vertices on one point, and the same two
            // vertices joined again.
            const bool loop = r.rng() % 8 == 0;
            const std::uintptr_t va = r.Vertex(a), vb = loop ? va : r.Vertex(b);
            s.along.push_back({a, loop ? a : b, va, vb});
            if (r.rng() % 6 == 0) s.along.push_back(s.along.back());
        }
        std::int64_t expected = 0;
        for (std::size_t i = 0; i < s.along.size(); ++i)
            for (std::size_t j = i + 1; j < s.along.size(); ++j) {
                const auto &p = s.along[i], &q = s.along[j];
                if (p.leftV == q.leftV || p.leftV == q.rightV || p.rightV == q.leftV || p.rightV == q.rightV) continue;
                expected += p.left <= q.right && q.left <= p.right;
            }
        EXPECT_EQ(CountAlongBand(s), expected) << "round " << round;
    }
}

TEST(WorkerParts, SumIsTheSameForAnyThreadsAndFailuresReachTheCaller) {
    auto square = [](std::size_t k, unsigned) { return std::int64_t(k * k); };
    const std::int64_t alone = SumOverParts(1000, 1, square);
    EXPECT_EQ(alone, 332833500);
    EXPECT_EQ(SumOverParts(1000, 4, square), alone);
    auto failing = [](std::size_t k, unsigned) -> std::int64_t {
        if (k == 637) throw std::length_error("part 637");
        return 1;
    };
    EXPECT_THROW(SumOverParts(1000, 1, failing), std::length_error);
    EXPECT_THROW(SumOverParts(1000, 4, failing), std::length_error);
}
