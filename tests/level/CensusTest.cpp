#include <gtest/gtest.h>

#include <algorithm>
#include <numeric>
#include <set>
#include <thread>

#include "LevelTestSupport.h"
#include "level/AssignmentExperiment.h"
#include "level/TreeAssignmentCount.h"
#include "level/UlpCensus.h"
#include "trees/FreeTreeEnumeration.h"

namespace {

LevelGraph ProperTree(const std::vector<std::pair<int, int>>& edges, const std::vector<int>& levels) {
    return ProperGraphOfAssignment({static_cast<int>(levels.size()), edges}, levels);
}

// Every assignment, each decided by the search over all orders: no pruning at all.
std::int64_t BruteForceFailing(int n, const std::vector<std::pair<int, int>>& edges) {
    std::vector<int> levels(n);
    std::iota(levels.begin(), levels.end(), 1);
    std::int64_t failing = 0;
    do failing += !BruteForceLevelOrders(ProperTree(edges, levels)).has_value();
    while (std::next_permutation(levels.begin(), levels.end()));
    return failing;
}

TEST(FreeTreeEnumerationTest, CountsAreTheKnownSequenceAndEveryTreeIsDistinct) {
    const std::int64_t expected[] = {1, 1, 1, 2, 3, 6, 11, 23, 47, 106, 235, 551};
    for (int n = 1; n <= 12; ++n) {
        FreeTreeEnumeration trees(n);
        std::set<std::vector<int>> seen;
        while (trees.Next()) {
            const auto edges = trees.Edges();
            ASSERT_EQ(static_cast<int>(edges.size()), n - 1);
            // A name of the free tree that does not depend on how it was found: the larger
            // canonical sequence over the centre's vertices.
            std::vector<int> name;
            for (int c : TreeCentre(n, edges)) name = std::max(name, CanonicalLevelSequence(n, edges, c));
            EXPECT_TRUE(seen.insert(name).second) << "n = " << n;
            EXPECT_EQ(static_cast<int>(name.size()), n);
        }
        EXPECT_EQ(static_cast<std::int64_t>(seen.size()), expected[n - 1]) << "n = " << n;
    }
}

// The brute force tries every order of every assignment. Under the address sanitizer,
// trees of up to seven vertices reach every path of the census in a tenth of the time.
#if defined(__SANITIZE_ADDRESS__)
constexpr int kBruteForceUpTo = 7;
#else
constexpr int kBruteForceUpTo = 8;
#endif

TEST(UlpCensusTest, FailingCountsAgreeWithBruteForceOnSmallTrees) {
    const CensusResult census = RunUlpCensus(3, kBruteForceUpTo, nullptr);
    ASSERT_TRUE(census.complete);
    // The brute force is slow; the trees are shared out over two threads.
    std::vector<std::int64_t> expected(census.rows.size());
    {
        std::vector<std::jthread> workers;
        for (std::size_t t = 0; t < 2; ++t)
            workers.emplace_back([&, t] {
                for (std::size_t i = t; i < census.rows.size(); i += 2)
                    expected[i] = BruteForceFailing(static_cast<int>(census.rows[i].levelSequence.size()),
                                                    census.rows[i].edges);
            });
    }
    for (std::size_t i = 0; i < census.rows.size(); ++i) {
        const CensusRow& row = census.rows[i];
        EXPECT_EQ(row.tally.failing, expected[i]) << CensusRowLine(row);
        // The first failing assignment really fails.
        if (!row.tally.firstFailing.empty())
            EXPECT_FALSE(BruteForceLevelOrders(ProperTree(row.edges, row.tally.firstFailing)).has_value());
        else
            EXPECT_EQ(row.tally.failing, 0);
    }
}

TEST(UlpCensusTest, EachPruningCoversEveryOrbitOnce) {
    // Every variant of pruning must give the same counts; with automorphisms only, each
    // representative stands for exactly |Aut| assignments.
    for (int n = 5; n <= 8; ++n) {
        FreeTreeEnumeration trees(n);
        while (trees.Next()) {
            const auto edges = trees.Edges();
            std::atomic<bool> stop{false};
            std::atomic<std::int64_t> done{0};
            const TreeAssignmentTally full = TreeAssignmentCount(n, edges, {false, false}).Run(stop, done);
            const TreeAssignmentCount autOnly(n, edges, {true, false});
            const TreeAssignmentTally a = autOnly.Run(stop, done);
            EXPECT_EQ(a.visited * autOnly.AutomorphismCount(), full.total);
            EXPECT_EQ(a.failing, full.failing);
            EXPECT_EQ(TreeAssignmentCount(n, edges, {false, true}).Run(stop, done).failing, full.failing);
            const TreeAssignmentTally both = TreeAssignmentCount(n, edges, {true, true}).Run(stop, done);
            EXPECT_EQ(both.failing, full.failing);
            EXPECT_EQ(both.total, full.total);
            EXPECT_EQ(both.firstFailing.empty(), full.firstFailing.empty());
        }
    }
}

TEST(UlpCensusTest, SearchWithCutOffsCountsAsTheFullEnumeration) {
    // The search numbers the vertices its own way, weighs mirror pairs by the centres'
    // levels and counts the completions of a failing partial drawing unvisited: each
    // combination of prunings must give the enumeration's counts, and the cut-off must
    // really fire (otherwise its completion count is never checked).
    for (int n = 5; n <= 8; ++n) {
        FreeTreeEnumeration trees(n);
        while (trees.Next()) {
            const auto edges = trees.Edges();
            std::atomic<bool> stop{false};
            std::atomic<std::int64_t> done{0};
            const TreeAssignmentTally full = TreeAssignmentCount(n, edges, {false, false}).Run(stop, done);
            for (int mask = 0; mask < 8; ++mask) {
                const TreePruning pruning{(mask & 1) != 0, (mask & 2) != 0, (mask & 4) != 0};
                const TreeAssignmentTally s = TreeAssignmentCount(n, edges, pruning).Search(stop, done);
                EXPECT_EQ(s.failing, full.failing) << n << " " << mask << " " << CensusEdgeText(edges);
                EXPECT_EQ(s.total, full.total) << n << " " << mask << " " << CensusEdgeText(edges);
                EXPECT_EQ(s.firstFailing.empty(), s.failing == 0);
                if (!pruning.partial) {
                    EXPECT_EQ(s.cutOff, 0);
                }
            }
        }
    }
    // Drawings first fail on eight vertices: a few trees of ten that are in no class.
    std::int64_t cutOff = 0;
    int trees = 0;
    for (FreeTreeEnumeration ten(10); trees < 3 && ten.Next();) {
        const auto edges = ten.Edges();
        if (ClassifyTree(10, edges) != UlpTreeClass::None) continue;
        ++trees;
        std::atomic<bool> stop{false};
        std::atomic<std::int64_t> done{0};
        const TreeAssignmentTally plain = TreeAssignmentCount(10, edges, {true, true, false}).Search(stop, done);
        const TreeAssignmentTally cut = TreeAssignmentCount(10, edges, {true, true, true}).Search(stop, done);
        EXPECT_EQ(cut.failing, plain.failing) << CensusEdgeText(edges);
        EXPECT_EQ(cut.total, plain.total) << CensusEdgeText(edges);
        cutOff += cut.cutOff;
    }
    EXPECT_GT(cutOff, 0);
}

TEST(UlpCensusTest, SplitIsTheClassificationsAndCancelKeepsAPartialCount) {
    const CensusResult census = RunUlpCensus(3, 9, nullptr);
    ASSERT_TRUE(census.miscounted.empty());
    bool smallestFails = false;
    for (const CensusRow& row : census.rows) {
        EXPECT_EQ(row.tally.failing == 0, row.treeClass != UlpTreeClass::None) << CensusRowLine(row);
        // The search never tests partial drawings below the size of the first failing tree.
        const int n = static_cast<int>(row.levelSequence.size());
        if (n < TreePruning{}.cutFrom) {
            EXPECT_EQ(row.tally.failing, 0) << CensusRowLine(row);
        }
        if (n == TreePruning{}.cutFrom && row.tally.failing > 0) smallestFails = true;
    }
    EXPECT_TRUE(smallestFails);
    EXPECT_NE(CensusSummary(census).find("this is the split of the classification"), std::string::npos);

    struct CancelAtOnce : IProgress {
        bool Update(std::int64_t) override { return false; }
    } cancel;
    const CensusResult partial = RunUlpCensus(9, 9, &cancel, 2);
    EXPECT_FALSE(partial.complete);
    EXPECT_EQ(CensusSummary(partial).rfind("Partial: ", 0), 0u);
    std::int64_t covered = 0;
    for (const CensusRow& row : partial.rows) {
        EXPECT_LE(row.tally.failing, row.tally.total);
        covered += row.tally.total;
    }
    EXPECT_LT(covered, CensusAssignmentCount(9, 9));
}

} // namespace
