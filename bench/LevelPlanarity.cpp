// Level planarity: the batch experiment of command 32983 end to end, and the test of one
// large proper level graph.

#include <benchmark/benchmark.h>

#include <malloc.h>

#include <algorithm>
#include <atomic>
#include <cstdlib>
#include <map>
#include <new>
#include <random>

#include "BenchSupport.h"
#include "model/AlgorithmWorkspace.h"

// Heap bytes in use and their peak, for the memory the test takes per pair.
namespace {
std::atomic<std::int64_t> g_liveBytes{0}, g_peakBytes{0};

void* Allocate(std::size_t n) {
    void* p = std::malloc(n ? n : 1);
    if (!p) throw std::bad_alloc();
    const std::int64_t live = g_liveBytes += static_cast<std::int64_t>(malloc_usable_size(p));
    for (std::int64_t peak = g_peakBytes; live > peak && !g_peakBytes.compare_exchange_weak(peak, live);) {
    }
    return p;
}

void Release(void* p) {
    if (!p) return;
    g_liveBytes -= static_cast<std::int64_t>(malloc_usable_size(p));
    std::free(p);
}
} // namespace

void* operator new(std::size_t n) { return Allocate(n); }
void* operator new[](std::size_t n) { return Allocate(n); }
void operator delete(void* p) noexcept { Release(p); }
void operator delete[](void* p) noexcept { Release(p); }
void operator delete(void* p, std::size_t) noexcept { Release(p); }
void operator delete[](void* p, std::size_t) noexcept { Release(p); }

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

// Pairs of vertices on a common track among the extracted component's vertices.
std::int64_t SameTrackPairs(const CLattixDoc& doc) {
    std::map<std::int32_t, std::int64_t> width;
    for (const CVertex* v : doc.m_compVertices)
        if (!v->m_hidden) ++width[v->m_trackNumber];
    std::int64_t pairs = 0;
    for (const auto& [track, w] : width) pairs += w * (w - 1) / 2;
    return pairs;
}

// TestLevelPlanarity on the extracted component, for a level planar graph (tangled 0) and
// for one that is not; with the peak of heap bytes it takes above what the document
// holds, per pair of vertices on a common track.
void RunTestLevelPlanarity(benchmark::State& state, int levels, int width) {
    BenchDoc bench;
    CLattixDoc& doc = *bench.doc;
    AddLevelGraph(doc, levels, width, state.range(0) != 0, 42);
    bench.view.m_guideMode = CLattixView::kGuideHorizontal;
    bench.view.m_lockToTracks = true;
    doc.MakeProper(true);
    doc.RebuildAllLists();
    doc.CountComponents(&doc.m_allVertices);
    doc.ExtractComponent(0);
    AlgorithmWorkspace workspace(doc);
    const std::int64_t pairs = SameTrackPairs(doc);
    bool planar = false;
    std::int64_t extra = 0;
    for (auto _ : state) {
        const std::int64_t before = g_liveBytes;
        g_peakBytes = before;
        planar = doc.TestLevelPlanarity(workspace, false);
        extra = std::max(extra, g_peakBytes - before);
    }
    state.SetLabel(planar ? "level planar" : "not level planar");
    state.counters["pairs"] = static_cast<double>(pairs);
    state.counters["bytes_per_pair"] = pairs ? static_cast<double>(extra) / static_cast<double>(pairs) : 0.0;
}

void BM_TestLevelPlanarity20x200(benchmark::State& state) { RunTestLevelPlanarity(state, 20, 200); }
BENCHMARK(BM_TestLevelPlanarity20x200)->Arg(0)->Arg(1)->Unit(benchmark::kMillisecond);

// 10 tracks of 3200: the tangled graph holds 22 million pairs in its first component, as
// many as the test could take at all before.
void BM_TestLevelPlanarity10x3200(benchmark::State& state) { RunTestLevelPlanarity(state, 10, 3200); }
BENCHMARK(BM_TestLevelPlanarity10x3200)->Arg(0)->Arg(1)->Unit(benchmark::kMillisecond)->Iterations(1);

} // namespace

BENCHMARK_MAIN();
