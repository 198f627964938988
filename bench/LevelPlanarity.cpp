// Level planarity: the batch experiment of command 32983 end to end, and the test of one
// large proper level graph.

#include <benchmark/benchmark.h>

#include <algorithm>
#include <random>

#include "BenchSupport.h"
#include "model/AlgorithmWorkspace.h"

namespace {

// A proper level graph of `levels` tracks with `width` vertices each, created in an order
// unrelated to the orders that draw it without crossings: between adjacent tracks a
// staircase of edges that do not cross in those orders, every other vertex pair joined by
// an edge. With `tangled`, a few more random edges make it not level planar.
void AddLevelGraph(CLattixDoc& doc, int levels, int width, bool tangled, std::uint32_t seed) {
    std::mt19937 rng(seed);
    std::vector<std::vector<CVertex*>> planar(levels);
    for (int l = 0; l < levels; ++l) {
        for (int i = 0; i < width; ++i) {
            auto* v = new CVertex(60 + 30 * i, 30 * (l + 1), ColorIdToRgb(kColorIdBlue));
            v->m_trackNumber = l + 1;
            doc.AddElement(v);
            planar[l].push_back(v);
        }
        std::shuffle(planar[l].begin(), planar[l].end(), rng);
    }
    std::uniform_int_distribution<int> step(0, 2), any(0, width - 1);
    for (int l = 0; l + 1 < levels; ++l) {
        for (int a = 0, b = 0; a < width && b < width;) {
            doc.AddElement(new CEdge(planar[l][a], planar[l + 1][b], kEdgeBlue));
            const int s = step(rng);
            a += s != 1;
            b += s != 0;
        }
        if (tangled && l % 4 == 0) doc.AddElement(new CEdge(planar[l][any(rng)], planar[l + 1][any(rng)], kEdgeBlue));
    }
}

void BM_Experiment32983(benchmark::State& state) {
    for (auto _ : state) {
        state.PauseTiming();
        auto bench = std::make_unique<BenchDoc>();
        state.ResumeTiming();
        bench->doc->OnLevelExperiment(9);
        state.PauseTiming();
        benchmark::DoNotOptimize(bench->platform.m_messages.size());
        bench.reset();
        state.ResumeTiming();
    }
}
BENCHMARK(BM_Experiment32983)->Unit(benchmark::kMillisecond)->MeasureProcessCPUTime()->UseRealTime();

// TestLevelPlanarity on the extracted component (the vertex-exchange graph has 398 000
// vertices), for a level planar graph and for one that is not.
void BM_TestLevelPlanarity20x200(benchmark::State& state) {
    BenchDoc bench;
    CLattixDoc& doc = *bench.doc;
    AddLevelGraph(doc, 20, 200, state.range(0) != 0, 42);
    bench.view.m_guideMode = CLattixView::kGuideHorizontal;
    bench.view.m_lockToTracks = true;
    doc.MakeProper(true);
    doc.RebuildAllLists();
    doc.CountComponents(&doc.m_allVertices);
    doc.ExtractComponent(0);
    AlgorithmWorkspace workspace(doc);
    bool planar = false;
    for (auto _ : state) planar = doc.TestLevelPlanarity(workspace, false);
    state.SetLabel(planar ? "level planar" : "not level planar");
}
BENCHMARK(BM_TestLevelPlanarity20x200)->Arg(0)->Arg(1)->Unit(benchmark::kMillisecond);

} // namespace

BENCHMARK_MAIN();
