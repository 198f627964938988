// The classification of ULP Recognition Mode on two documents: a triangulated grid of
// 300 x 300 vertices, one component that is not a tree (argument 0), and a forest of
// 30 000 small trees and cycles, so many components that extraction dominates
// (argument 1). Each iteration classifies the same document again, as the mode does after
// every edit; Connected Components and the component count run on the grid alone.

#include <benchmark/benchmark.h>

#include <random>
#include <vector>

#include "BenchSupport.h"

namespace {

void AddTriangulatedGrid(CLattixDoc& doc, int side) {
    std::vector<CVertex*> vs;
    for (int r = 0; r < side; ++r)
        for (int c = 0; c < side; ++c) {
            auto* v = new CVertex(20 + c * 30, 20 + r * 30, ColorIdToRgb(kColorIdBlue));
            v->m_trackNumber = r + 1;
            v->m_selected = false;
            doc.AddElement(v);
            vs.push_back(v);
        }
    auto join = [&](int a, int b) {
        auto* e = new CEdge(vs[a], vs[b], kEdgeBlue);
        e->m_selected = false;
        doc.AddElement(e);
    };
    for (int r = 0; r < side; ++r)
        for (int c = 0; c < side; ++c) {
            const int i = r * side + c;
            if (c + 1 < side) join(i, i + 1);
            if (r + 1 < side) join(i, i + side);
            if (r + 1 < side && c + 1 < side) join(i, i + side + 1);
        }
}

// Trees of 4 to 12 vertices, each vertex hung from a random earlier one of its tree, on
// tracks of their own; every tenth tree gets one more edge and so a cycle.
void AddForest(CLattixDoc& doc, int trees) {
    std::mt19937 rng(11);
    int track = 1;
    for (int t = 0; t < trees; ++t) {
        const int n = 4 + int(rng() % 9);
        std::vector<CVertex*> vs;
        for (int i = 0; i < n; ++i) {
            auto* v = new CVertex(20 + (t % 500) * 40, 20 + (t / 500) * 40, ColorIdToRgb(kColorIdBlue));
            v->m_trackNumber = track++;
            v->m_selected = false;
            doc.AddElement(v);
            vs.push_back(v);
        }
        auto join = [&](CVertex* a, CVertex* b) {
            auto* e = new CEdge(a, b, kEdgeBlue);
            e->m_selected = false;
            doc.AddElement(e);
        };
        for (int i = 1; i < n; ++i) join(vs[rng() % i], vs[i]);
        if (t % 10 == 0 && !doc.FindEdge(vs[0], vs[n - 1])) join(vs[0], vs[n - 1]);
    }
}

void BM_Classification(benchmark::State& state) {
    BenchDoc b;
    if (state.range(0) == 0) AddTriangulatedGrid(*b.doc, 300);
    else AddForest(*b.doc, 30000);
    for (auto _ : state) {
        b.doc->RecomputeUlpCounts(true);
        benchmark::DoNotOptimize(b.doc->m_componentCount);
    }
    state.counters["components"] = b.doc->m_componentCount;
    state.counters["trees"] = b.doc->m_treeCount;
}
BENCHMARK(BM_Classification)->Arg(0)->Arg(1)->Unit(benchmark::kMillisecond);

void BM_ConnectedComponents(benchmark::State& state) {
    BenchDoc b;
    AddTriangulatedGrid(*b.doc, 300);
    for (auto _ : state) b.doc->OnConnectedComponents();
}
BENCHMARK(BM_ConnectedComponents)->Unit(benchmark::kMillisecond);

void BM_CountComponents(benchmark::State& state) {
    BenchDoc b;
    AddTriangulatedGrid(*b.doc, 300);
    b.doc->RebuildAllLists();
    for (auto _ : state) benchmark::DoNotOptimize(b.doc->CountComponents(&b.doc->m_allVertices));
}
BENCHMARK(BM_CountComponents)->Unit(benchmark::kMillisecond);

} // namespace

BENCHMARK_MAIN();
