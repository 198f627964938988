// Saving and loading documents, and one undo checkpoint.

#include <benchmark/benchmark.h>

#include "BenchSupport.h"
#include "io/DocumentFormat.h"
#include "io/ImportedGraph.h"

namespace {

// About 100 000 elements: 40 000 vertices and 60 000 edges between neighbouring vertices,
// as a drawing made by hand has them (few crossings).
void BM_Save(benchmark::State& state) {
    BenchDoc b;
    AddRandomGraph(*b.doc, int(state.range(0)) * 2 / 5, int(state.range(0)) * 3 / 5, 1, 150);
    std::size_t bytes = 0;
    for (auto _ : state) {
        auto out = WriteDocument(*b.doc);
        bytes = out.size();
        benchmark::DoNotOptimize(out.data());
    }
    state.SetBytesProcessed(std::int64_t(bytes) * state.iterations());
}
BENCHMARK(BM_Save)->Arg(100000)->Unit(benchmark::kMillisecond);

// Loading includes what every load does after reading: crossings and the mode passes.
void BM_Load(benchmark::State& state) {
    BenchDoc b;
    AddRandomGraph(*b.doc, int(state.range(0)) * 2 / 5, int(state.range(0)) * 3 / 5, 1, 150);
    const auto bytes = WriteDocument(*b.doc);
    BenchDoc target;
    for (auto _ : state) {
        state.PauseTiming();
        target.doc->DeleteContents();
        state.ResumeTiming();
        benchmark::DoNotOptimize(ReadDocument(*target.doc, bytes));
        // A large load counts beside the rest: the count is done when it is read.
        benchmark::DoNotOptimize(target.doc->TotalCrossings());
    }
    state.SetBytesProcessed(std::int64_t(bytes.size()) * state.iterations());
}
BENCHMARK(BM_Load)->Arg(100000)->Unit(benchmark::kMillisecond);

// An imported complete bipartite graph between two rows: every vertex has a high degree,
// which numbering parallel lanes edge by edge would pay for on every edge.
void BM_ImportDenseBipartite(benchmark::State& state) {
    const std::size_t side = std::size_t(state.range(0));
    ImportedGraph g;
    for (std::size_t i = 0; i < 2 * side; ++i)
        g.nodes.push_back({std::to_string(i), double(10 * (i % side)), double(i < side ? 0 : 100), {}});
    for (std::size_t a = 0; a < side; ++a)
        for (std::size_t b = 0; b < side; ++b) g.edges.push_back({a, side + b, kEdgeBlue, {}});
    for (auto _ : state) {
        BenchDoc target;
        AddImportedGraph(*target.doc, g);
        benchmark::DoNotOptimize(target.doc->m_elements.size());
    }
    state.SetItemsProcessed(std::int64_t(g.edges.size()) * state.iterations());
}
BENCHMARK(BM_ImportDenseBipartite)->Arg(300)->Unit(benchmark::kMillisecond);

void BM_CheckPoint(benchmark::State& state) {
    BenchDoc b;
    AddRandomGraph(*b.doc, int(state.range(0)) * 2 / 5, int(state.range(0)) * 3 / 5, 1, 600);
    for (auto _ : state) b.doc->CheckPoint();
}
BENCHMARK(BM_CheckPoint)->Arg(10000)->Unit(benchmark::kMicrosecond);

} // namespace

BENCHMARK_MAIN();
