// The census of level planar trees: all free trees of a size under every one-vertex-per-
// level assignment, with each pruning alone and both together (the counters report how
// many assignments each left to test), and the experiment over a drawn graph's levels.

#include <benchmark/benchmark.h>

#include <atomic>

#include "level/AssignmentExperiment.h"
#include "level/TreeAssignmentCount.h"
#include "level/UlpCensus.h"

namespace {

void Census(benchmark::State& state, TreePruning pruning) {
    const int n = static_cast<int>(state.range(0));
    std::int64_t tested = 0, visited = 0, cutOff = 0;
    for (auto _ : state) {
        const CensusResult result = RunUlpCensus(n, n, nullptr, 0, pruning);
        tested = visited = cutOff = 0;
        for (const CensusRow& row : result.rows) {
            cutOff += row.tally.cutOff;
            tested += row.tally.tested;
            visited += row.tally.visited;
        }
        benchmark::DoNotOptimize(result.rows.data());
    }
    state.counters["assignments"] = static_cast<double>(CensusAssignmentCount(n, n));
    state.counters["visited"] = static_cast<double>(visited);
    state.counters["tested"] = static_cast<double>(tested);
    state.counters["cutOff"] = static_cast<double>(cutOff);
}

void BM_CensusNoPruning(benchmark::State& s) { Census(s, {false, false}); }
void BM_CensusAutomorphisms(benchmark::State& s) { Census(s, {true, false}); }
void BM_CensusReversal(benchmark::State& s) { Census(s, {false, true}); }
void BM_CensusBoth(benchmark::State& s) { Census(s, {true, true}); }
void BM_CensusNoCutOff(benchmark::State& s) { Census(s, {true, true, false}); }

BENCHMARK(BM_CensusNoPruning)->Arg(8)->Arg(9)->Unit(benchmark::kMillisecond)->UseRealTime();
BENCHMARK(BM_CensusAutomorphisms)->Arg(8)->Arg(9)->Unit(benchmark::kMillisecond)->UseRealTime();
BENCHMARK(BM_CensusReversal)->Arg(8)->Arg(9)->Unit(benchmark::kMillisecond)->UseRealTime();
BENCHMARK(BM_CensusBoth)->Arg(8)->Arg(9)->Arg(10)->Unit(benchmark::kMillisecond)->UseRealTime()->Iterations(1);
BENCHMARK(BM_CensusNoCutOff)->Arg(9)->Arg(10)->Unit(benchmark::kMillisecond)->UseRealTime()->Iterations(1);

// One tree of ten vertices with no symmetry (a path with legs of 1, 2 and 3 at its
// second, fourth and fifth vertex), every assignment decided once: the whole test per
// assignment (Run) against the search that draws vertex by vertex (Search).
std::vector<std::pair<int, int>> AsymmetricTen() {
    return {{0, 1}, {1, 2}, {2, 3}, {3, 4}, {1, 5}, {3, 6}, {6, 7}, {4, 8}, {8, 9}};
}

void BM_TreeWholeTests(benchmark::State& state) {
    const TreeAssignmentCount counter(10, AsymmetricTen(), {true, true, false});
    std::atomic<bool> stop{false};
    std::atomic<std::int64_t> done{0};
    for (auto _ : state) benchmark::DoNotOptimize(counter.Run(stop, done).failing);
}
BENCHMARK(BM_TreeWholeTests)->Unit(benchmark::kMillisecond)->UseRealTime()->Iterations(1);

void BM_TreeGrowingSearch(benchmark::State& state) {
    const TreeAssignmentCount counter(10, AsymmetricTen());
    std::atomic<bool> stop{false};
    std::atomic<std::int64_t> done{0};
    for (auto _ : state) benchmark::DoNotOptimize(counter.Search(stop, done).failing);
}
BENCHMARK(BM_TreeGrowingSearch)->Unit(benchmark::kMillisecond)->UseRealTime()->Iterations(1);

// A 3 x 3 grid on the levels 1 to 3: up to 3^9 assignments, each built as a proper level
// graph and decided by the exact test.
void BM_GridOnThreeLevels(benchmark::State& state) {
    AssignmentProblem problem;
    problem.vertexCount = 9;
    problem.levels = 3;
    for (int r = 0; r < 3; ++r)
        for (int c = 0; c < 3; ++c) {
            if (c + 1 < 3) problem.edges.emplace_back(3 * r + c, 3 * r + c + 1);
            if (r + 1 < 3) problem.edges.emplace_back(3 * r + c, 3 * r + c + 3);
        }
    for (auto _ : state) benchmark::DoNotOptimize(RunAssignmentExperiment(problem, nullptr).failing);
}
BENCHMARK(BM_GridOnThreeLevels)->Unit(benchmark::kMillisecond)->UseRealTime();

} // namespace

BENCHMARK_MAIN();
