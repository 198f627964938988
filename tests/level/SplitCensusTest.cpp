#include <gtest/gtest.h>

#include <algorithm>
#include <atomic>
#include <numeric>
#include <random>

#include "level/GrowingTreeLevelPlanarity.h"
#include "level/TreeAssignmentCount.h"
#include "level/TreeLevelPlanarity.h"
#include "trees/FreeTreeEnumeration.h"

namespace {

TEST(GrowingTreeLevelPlanarityTest, AgreesWithTheWholeTestWhileVerticesComeAndGo) {
    // Random trees of 8 to 10 vertices (the first that fail are on 8), placed in a random
    // order and taken back part way, as a search does: after every placement the placed
    // drawing must get the answer of the test that decides it from scratch.
    std::mt19937 random(17);
    int failing = 0, planar = 0;
    for (int round = 0; round < 300; ++round) {
        const int n = 8 + round % 3;
        std::vector<std::pair<int, int>> edges;
        for (int v = 1; v < n; ++v) edges.emplace_back(static_cast<int>(random() % v), v);
        TreeLevelPlanarity whole(n, edges);
        GrowingTreeLevelPlanarity growing(n, edges);
        std::vector<int> order(n), levels(n);
        std::iota(order.begin(), order.end(), 0);
        std::iota(levels.begin(), levels.end(), 1);
        std::vector<int> track(n, 0);
        int placed = 0;
        for (int step = 0; step < 3 * n; ++step) {
            if (placed == 0 || (placed < n && random() % 3 != 0)) {
                if (placed == 0) {
                    std::shuffle(order.begin(), order.end(), random);
                    std::shuffle(levels.begin(), levels.end(), random);
                }
                const int v = order[placed];
                track[v] = levels[placed++];
                growing.Place(v, track[v]);
                const bool expected = whole.IsLevelPlanar(track.data());
                ASSERT_EQ(growing.IsLevelPlanar(), expected) << "round " << round << " step " << step;
                if (!expected && placed == n) ++failing;
                if (expected && placed == n) ++planar;
            } else {
                growing.TakeBack();
                track[order[--placed]] = 0;
            }
        }
    }
    EXPECT_GT(failing, 0);
    EXPECT_GT(planar, 0);
}

TEST(SplitCensusTest, SearchesBelowThePrefixesAddUpToTheWholeSearch) {
    // Whatever the depth of the split, the parts taken in order give the whole search's
    // counts and its first failing assignment; every tree of 8 vertices (some fail) and the
    // smaller ones, with and without each pruning.
    for (int n = 3; n <= 8; ++n) {
        FreeTreeEnumeration trees(n);
        while (trees.Next()) {
            const auto edges = trees.Edges();
            // Without pruning the trees of 8 take too long for a unit test.
            for (int mask = n < 8 ? 0 : 3; mask < 4; ++mask) {
                const TreeAssignmentCount counter(n, edges, {(mask & 1) != 0, (mask & 2) != 0});
                std::atomic<bool> stop{false};
                std::atomic<std::int64_t> done{0};
                const TreeAssignmentTally whole = counter.Search(stop, done);
                for (int depth = n < 8 ? 1 : 2; depth <= std::min(n < 8 ? 3 : 2, n - 1); ++depth) {
                    std::vector<TreeAssignmentTally> parts;
                    for (const auto& prefix : counter.Prefixes(depth)) parts.push_back(counter.Search(prefix, stop, done));
                    const TreeAssignmentTally split = TreeAssignmentCount::MergeInOrder(parts);
                    EXPECT_EQ(split.failing, whole.failing) << n << " " << depth;
                    EXPECT_EQ(split.total, whole.total) << n << " " << depth;
                    EXPECT_EQ(split.firstFailing, whole.firstFailing) << n << " " << depth;
                    EXPECT_TRUE(split.complete);
                }
            }
        }
    }
}

} // namespace
