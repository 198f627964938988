// Crossing counts and the classification pass that run after every edit.

#include <benchmark/benchmark.h>

#include <random>

#include "BenchSupport.h"
#include "trees/CrossingCount.h"
#include "trees/Crossings.h"

namespace {

std::vector<const CEdge*> EdgeList(const CLattixDoc& doc) {
    std::vector<const CEdge*> edges;
    for (const CElement* e : doc.m_elements)
        if (const CEdge* edge = e->AsEdge()) edges.push_back(edge);
    return edges;
}

// 20 000 short random edges of one colour: few crossings, as in a real drawing.
void BM_CountCrossingsFast(benchmark::State& state) {
    BenchDoc b;
    AddRandomGraph(*b.doc, 20000, int(state.range(0)), 3, 150);
    for (auto _ : state) {
        b.doc->CountCrossings();
        benchmark::DoNotOptimize(b.doc->TotalCrossings());
    }
    state.counters["crossings"] = b.doc->TotalCrossings();
}
BENCHMARK(BM_CountCrossingsFast)->Arg(20000)->Unit(benchmark::kMillisecond);

// The count alone, on an edge list made beforehand.
void BM_CountCrossingsFastOnList(benchmark::State& state) {
    BenchDoc b;
    AddRandomGraph(*b.doc, 20000, int(state.range(0)), 3, 150);
    const auto edges = EdgeList(*b.doc);
    for (auto _ : state) benchmark::DoNotOptimize(CountCrossingsFast(edges));
}
BENCHMARK(BM_CountCrossingsFastOnList)->Arg(20000)->Unit(benchmark::kMillisecond);

void BM_CountCrossingsAllPairs(benchmark::State& state) {
    BenchDoc b;
    AddRandomGraph(*b.doc, 20000, int(state.range(0)), 3, 150);
    const auto edges = EdgeList(*b.doc);
    for (auto _ : state) benchmark::DoNotOptimize(CountCrossingsAllPairs(edges));
}
BENCHMARK(BM_CountCrossingsAllPairs)->Arg(20000)->Unit(benchmark::kMillisecond)->Iterations(1);

// A side x side grid cut into triangles, as a loaded mesh is: three edges per vertex, no
// crossings, many shared ends and long horizontal and vertical runs.
void BM_CountCrossingsTriangulatedGrid(benchmark::State& state) {
    const int side = int(state.range(0));
    LightGraph g{side * side, {}};
    std::vector<Point> centres;
    for (int y = 0; y < side; ++y)
        for (int x = 0; x < side; ++x) {
            const int v = y * side + x;
            centres.push_back({20 + 18 * x, 20 + 18 * y});
            if (x + 1 < side) g.edges.push_back({v, v + 1});
            if (y + 1 < side) g.edges.push_back({v, v + side});
            if (x + 1 < side && y + 1 < side) g.edges.push_back({v, v + side + 1});
        }
    for (auto _ : state) benchmark::DoNotOptimize(CountCrossingsOf(g, centres));
    state.counters["edges"] = double(g.edges.size());
}
BENCHMARK(BM_CountCrossingsTriangulatedGrid)->Arg(1000)->Unit(benchmark::kMillisecond);

// A mesh as a Delaunay triangulation of random points gives it: the grid's points moved at
// random by up to a quarter of the spacing, each square cut along a random diagonal. No
// crossings, and hardly two points at one height.
void BM_CountCrossingsJitteredMesh(benchmark::State& state) {
    const int side = int(state.range(0));
    constexpr int kSpacing = 1000;
    std::mt19937 rng(1);
    std::uniform_int_distribution<int> jitter(-kSpacing / 4, kSpacing / 4);
    std::bernoulli_distribution flip(0.5);
    LightGraph g{side * side, {}};
    std::vector<Point> centres;
    for (int y = 0; y < side; ++y)
        for (int x = 0; x < side; ++x) {
            const int v = y * side + x;
            centres.push_back({kSpacing * (x + 1) + jitter(rng), kSpacing * (y + 1) + jitter(rng)});
            if (x + 1 < side) g.edges.push_back({v, v + 1});
            if (y + 1 < side) g.edges.push_back({v, v + side});
            if (x + 1 < side && y + 1 < side) {
                if (flip(rng)) g.edges.push_back({v, v + side + 1});
                else g.edges.push_back({v + 1, v + side});
            }
        }
    for (auto _ : state) benchmark::DoNotOptimize(CountCrossingsOf(g, centres));
    state.counters["edges"] = double(g.edges.size());
}
BENCHMARK(BM_CountCrossingsJitteredMesh)->Arg(316)->Unit(benchmark::kMillisecond);

// A forest of 10 000 vertices: random trees of 10 vertices each, on distinct tracks.
void BM_RecomputeUlpCounts(benchmark::State& state) {
    BenchDoc b;
    std::mt19937 rng(5);
    const int n = int(state.range(0));
    std::vector<CVertex*> tree;
    for (int i = 0; i < n; ++i) {
        auto* v = new CVertex(20 + (i % 600) * 30, 20 + (i / 600) * 30, ColorIdToRgb(101));
        v->m_trackNumber = i % 10 + 1;
        b.doc->AddElement(v);
        if (i % 10 == 0) tree.clear();
        if (!tree.empty()) b.doc->AddElement(new CEdge(tree[rng() % tree.size()], v, kEdgeBlue));
        tree.push_back(v);
    }
    b.doc->m_ulpMode = true;
    for (auto _ : state) b.doc->RecomputeUlpCounts(false);
    state.counters["trees"] = b.doc->m_treeCount;
}
BENCHMARK(BM_RecomputeUlpCounts)->Arg(10000)->Unit(benchmark::kMillisecond);

} // namespace

BENCHMARK_MAIN();
