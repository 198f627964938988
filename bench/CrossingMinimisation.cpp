// Crossing minimisation on levels and the coordinates after it on graphs of 10 000 and
// 100 000 vertices, and the obstruction search on a few hundred edges. The comparison with
// Graphviz dot is bench/crossing_minimisation_vs_dot.sh.

#include <benchmark/benchmark.h>

#include <random>

#include "level/CoordinateAssignment.h"
#include "level/CrossingMinimizer.h"
#include "level/LayerCrossings.h"
#include "level/LevelObstruction.h"

namespace {

// `levels` levels of `width` vertices, about 1.5 edges per vertex between adjacent levels,
// orders shuffled.
LevelGraph RandomLevels(int levels, int width, double edgesPerVertex, std::uint32_t seed) {
    std::mt19937 rng(seed);
    LevelGraph g;
    for (int l = 0; l < levels; ++l)
        for (int i = 0; i < width; ++i) g.AddVertex(l, static_cast<std::int64_t>(rng() % 1000000));
    std::uniform_int_distribution<int> level(0, levels - 2), place(0, width - 1);
    const auto edges = static_cast<std::int64_t>(edgesPerVertex * levels * width);
    for (std::int64_t k = 0; k < edges; ++k) {
        const int l = level(rng);
        g.AddEdge(l * width + place(rng), (l + 1) * width + place(rng));
    }
    g.Finish();
    return g;
}

void BM_MinimizeCrossings(benchmark::State& state) {
    const LevelGraph g = RandomLevels(static_cast<int>(state.range(1)), static_cast<int>(state.range(0) / state.range(1)), 1.5, 9);
    const std::int64_t before = LevelCrossings(g, g.Levels());
    std::int64_t after = 0;
    for (auto _ : state) {
        const CrossingMinimizerResult r = MinimizeCrossings(g, g.Levels());
        after = r.crossings;
        benchmark::DoNotOptimize(AssignCoordinates(g, r.orders, std::vector<bool>(g.VertexCount(), false)));
    }
    state.counters["crossings_before"] = static_cast<double>(before);
    state.counters["crossings_after"] = static_cast<double>(after);
}
BENCHMARK(BM_MinimizeCrossings)->Args({10000, 50})->Args({100000, 100})->Unit(benchmark::kMillisecond)->Iterations(1);

void BM_LevelObstruction(benchmark::State& state) {
    // Sparse enough that the obstruction is not just two crossing edges of one gap.
    const LevelGraph g = RandomLevels(8, static_cast<int>(state.range(0)) / 8, 0.8, 4);
    std::vector<int> group(g.Edges().size());
    for (std::size_t e = 0; e < group.size(); ++e) group[e] = static_cast<int>(e);
    std::size_t size = 0;
    for (auto _ : state) size = FindLevelObstruction(g, group).groups.size();
    state.counters["edges"] = static_cast<double>(g.Edges().size());
    state.counters["witness_edges"] = static_cast<double>(size);
}
BENCHMARK(BM_LevelObstruction)->Arg(400)->Unit(benchmark::kMillisecond);

} // namespace

BENCHMARK_MAIN();
