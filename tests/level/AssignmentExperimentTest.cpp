#include <gtest/gtest.h>

#include <algorithm>
#include <cstdio>
#include <numeric>

#include "LevelTestSupport.h"
#include "level/AssignmentExperiment.h"

namespace {

// Every assignment in lexicographic order, each decided by the search over all orders.
std::vector<std::vector<int>> BruteForceFailures(const AssignmentProblem& problem, std::int64_t& total) {
    const int n = problem.vertexCount, top = problem.levels ? problem.levels : n;
    std::vector<std::vector<int>> failures;
    std::vector<int> levels(n, 1);
    total = 0;
    for (;;) {
        std::vector<int> sorted = levels;
        std::sort(sorted.begin(), sorted.end());
        const bool bijective = std::adjacent_find(sorted.begin(), sorted.end()) == sorted.end();
        const bool flat = std::any_of(problem.edges.begin(), problem.edges.end(),
                                      [&](auto e) { return levels[e.first] == levels[e.second]; });
        if (problem.levels ? !flat : bijective) {
            ++total;
            if (!BruteForceLevelOrders(ProperGraphOfAssignment(problem, levels)).has_value()) failures.push_back(levels);
        }
        int v = n - 1;
        while (v >= 0 && levels[v] == top) levels[v--] = 1;
        if (v < 0) break;
        ++levels[v];
    }
    return failures;
}

AssignmentProblem Graph(int n, std::vector<std::pair<int, int>> edges, int levels) {
    AssignmentProblem problem;
    problem.vertexCount = n;
    problem.edges = std::move(edges);
    problem.levels = levels;
    return problem;
}

TEST(AssignmentExperiment, AgreesWithBruteForceOnTreesAndCyclicGraphs) {
    const std::vector<std::pair<int, int>> k23 = {{0, 2}, {0, 3}, {0, 4}, {1, 2}, {1, 3}, {1, 4}};
    const std::vector<std::pair<int, int>> spider = {{0, 1}, {1, 2}, {0, 3}, {3, 4}, {0, 5}, {5, 6}};
    const std::vector<std::pair<int, int>> cycleWithTails = {{0, 1}, {1, 2}, {2, 3}, {3, 0}, {0, 4}, {2, 5}};
    for (const auto& problem : {Graph(5, k23, 0), Graph(5, k23, 3), Graph(7, spider, 0), Graph(7, spider, 3),
                             Graph(6, cycleWithTails, 0), Graph(6, cycleWithTails, 4)}) {
        std::int64_t total = 0;
        const auto expected = BruteForceFailures(problem, total);
        for (int threads : {1, 2}) {
            const AssignmentExperimentResult result = RunAssignmentExperiment(problem, nullptr, threads);
            EXPECT_TRUE(result.complete);
            EXPECT_EQ(result.total, total) << problem.vertexCount << " vertices, " << problem.levels << " levels";
            EXPECT_EQ(result.failing, static_cast<std::int64_t>(expected.size()));
            EXPECT_EQ(result.failures, expected);
        }
    }
}

TEST(AssignmentExperiment, ListsTheFirstThousandAndCsvRoundTrips) {
    // A cycle of 8 with two chords, one vertex per level, fails often: more failures than
    // the list holds.
    std::vector<std::pair<int, int>> cycle;
    for (int v = 0; v < 8; ++v) cycle.emplace_back(v, (v + 1) % 8);
    cycle.emplace_back(0, 4);
    cycle.emplace_back(2, 6);
    const AssignmentExperimentResult result = RunAssignmentExperiment(Graph(8, cycle, 0), nullptr, 2);
    ASSERT_GT(result.failing, static_cast<std::int64_t>(kListedFailures));
    ASSERT_EQ(result.failures.size(), kListedFailures);
    EXPECT_TRUE(std::is_sorted(result.failures.begin(), result.failures.end()));

    const std::string path = ::testing::TempDir() + "assignments.csv";
    ASSERT_TRUE(WriteAssignmentCsv(result, {"a", "b,c", "d", "e", "f", "g", "h", "i"}, path));
    const auto rows = ReadAssignmentCsv(path, 8);
    ASSERT_TRUE(rows.has_value());
    EXPECT_EQ(*rows, result.failures);
    EXPECT_FALSE(ReadAssignmentCsv(path, 7).has_value()); // rows for another graph
    std::remove(path.c_str());
}

TEST(AssignmentExperiment, CancelKeepsAPartialCountAndBoundsOverflowSafely) {
    struct CancelAtOnce : IProgress {
        bool Update(std::int64_t) override { return false; }
    } cancel;
    std::vector<std::pair<int, int>> path;
    for (int v = 0; v + 1 < 10; ++v) path.emplace_back(v, v + 1);
    const AssignmentExperimentResult partial = RunAssignmentExperiment(Graph(10, path, 0), &cancel, 2);
    EXPECT_FALSE(partial.complete);
    EXPECT_LT(partial.total, 3628800);
    EXPECT_LE(partial.failing, partial.total);

    EXPECT_EQ(AssignmentCountBound(10, 0), 3628800);
    EXPECT_EQ(AssignmentCountBound(5, 3), 243);
    EXPECT_FALSE(AssignmentCountBound(21, 0).has_value());
    EXPECT_FALSE(AssignmentCountBound(64, 1000).has_value());
}

} // namespace
