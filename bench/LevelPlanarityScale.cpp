// The exact level planarity methods on the families where the size of the problem and the
// work of the search part ways: many pairs no crossing equation ties, dense graphs that are
// not level planar, wide levels. Each family runs through the exact method and, where it
// finishes in reasonable time, through the earlier lazy-transitivity method it replaced.

#include <benchmark/benchmark.h>

#include "level/AugmentedLevelOrders.h"
#include "level/LevelGraphFamilies.h"
#include "level/LevelPairClasses.h"
#include "level/LevelPlanarityMethod.h"

namespace {

template <typename Method>
void RunMethod(benchmark::State& state, const LevelGraph& g) {
    bool planar = false;
    for (auto _ : state) {
        planar = Method().Test(g).planar;
        benchmark::DoNotOptimize(planar);
    }
    state.SetLabel(planar ? "level planar" : "not level planar");
}

// The verdict alone, from the crossing equations.
struct EquationsVerdict {
    LevelPlanarityResult Test(const LevelGraph& g) {
        LevelPlanarityResult r;
        r.planar = LevelPlanarByEquations(g);
        return r;
    }
};

// The orders of the augmentation, as the exact method gives them with no budget for its
// search.
struct Augmentation {
    LevelPlanarityResult Test(const LevelGraph& g) { return AugmentedLevelOrders(g); }
};

// Args: W, mixed vertices, shuffle seed (0: file order).
template <typename Method>
void BM_TwoChains(benchmark::State& state) {
    const LevelGraph g = TwoChains(static_cast<int>(state.range(0)), static_cast<int>(state.range(1)))
                             .Build(static_cast<std::uint32_t>(state.range(2)));
    RunMethod<Method>(state, g);
}
BENCHMARK(BM_TwoChains<ExactLevelPlanarity>)
    ->ArgsProduct({{400, 1000, 1400, 4000}, {0, 50}, {0, 7}})
    ->Unit(benchmark::kMillisecond)
    ->Iterations(1);
BENCHMARK(BM_TwoChains<EquationsVerdict>)
    ->ArgsProduct({{400, 1000, 1400, 4000}, {0, 50}, {0, 7}})
    ->Unit(benchmark::kMillisecond)
    ->Iterations(1);
BENCHMARK(BM_TwoChains<Augmentation>)
    ->ArgsProduct({{100, 400, 1400}, {0, 50}, {0, 7}})
    ->Unit(benchmark::kMillisecond)
    ->Iterations(1);
BENCHMARK(BM_TwoChains<LazyTransitivityLevelPlanarity>)
    ->ArgsProduct({{400}, {0, 50}, {0, 7}})
    ->Unit(benchmark::kMillisecond)
    ->Iterations(1);

template <typename Method>
void BM_CompleteBipartite(benchmark::State& state) {
    const LevelGraph g = CompleteBipartite(static_cast<int>(state.range(0))).Build();
    RunMethod<Method>(state, g);
}
BENCHMARK(BM_CompleteBipartite<ExactLevelPlanarity>)->Arg(200)->Arg(1000)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_CompleteBipartite<EquationsVerdict>)->Arg(200)->Arg(1000)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_CompleteBipartite<LazyTransitivityLevelPlanarity>)->Arg(100)->Unit(benchmark::kMillisecond)->Iterations(1);

// Args: levels, width, shuffle seed.
template <typename Method>
void BM_Staircases(benchmark::State& state) {
    const LevelGraph g = Staircases(static_cast<int>(state.range(0)), static_cast<int>(state.range(1)), 5)
                             .Build(static_cast<std::uint32_t>(state.range(2)));
    RunMethod<Method>(state, g);
}
BENCHMARK(BM_Staircases<ExactLevelPlanarity>)
    ->Args({20, 200, 3})
    ->Args({100, 100, 3})
    ->Args({10, 3200, 0})
    ->Unit(benchmark::kMillisecond)
    ->Iterations(1);
BENCHMARK(BM_Staircases<EquationsVerdict>)
    ->Args({20, 200, 3})
    ->Args({100, 100, 3})
    ->Args({200, 400, 3})
    ->Args({10, 3200, 0})
    ->Unit(benchmark::kMillisecond)
    ->Iterations(1);
BENCHMARK(BM_Staircases<Augmentation>)
    ->Args({20, 200, 3})
    ->Args({100, 100, 3})
    ->Args({200, 400, 3})
    ->Unit(benchmark::kMillisecond)
    ->Iterations(1);
BENCHMARK(BM_Staircases<LazyTransitivityLevelPlanarity>)
    ->Args({20, 200, 3})
    ->Args({100, 100, 3})
    ->Unit(benchmark::kMillisecond)
    ->Iterations(1);

} // namespace

BENCHMARK_MAIN();
