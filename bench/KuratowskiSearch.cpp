// The Kuratowski search on large graphs that are planar but for one edge, against a single
// run of the left-right test on the same graph: the search's cost in units of one test.
// (bench/planar-peers times the whole process against the edge-addition suite.)

#include <benchmark/benchmark.h>

#include <algorithm>
#include <array>
#include <random>
#include <vector>

#include "planarity/KuratowskiSubdivision.h"

namespace {

struct Graph {
    std::int32_t n = 0;
    std::vector<PlanarEdge> edges;
};

// A side x side grid with one diagonal per square and a chord between two inner vertices
// half the grid apart, the edges shuffled.
Graph GridWithChord(std::int32_t side) {
    Graph g;
    g.n = side * side;
    for (std::int32_t r = 0; r < side; ++r)
        for (std::int32_t c = 0; c < side; ++c) {
            const std::int32_t v = r * side + c;
            if (c + 1 < side) g.edges.push_back({v, v + 1});
            if (r + 1 < side) g.edges.push_back({v, v + side});
            if (c + 1 < side && r + 1 < side) g.edges.push_back({v, v + side + 1});
        }
    const std::int32_t q = side / 4;
    g.edges.push_back({q * side + q, (side - q) * side + side - q});
    std::mt19937 rng(16);
    std::shuffle(g.edges.begin(), g.edges.end(), rng);
    return g;
}

// A random maximal planar graph (each vertex into a random face), plus one edge.
Graph StackedWithChord(std::int32_t n) {
    Graph g;
    g.n = n;
    std::mt19937 rng(61);
    std::vector<std::array<std::int32_t, 3>> faces{{0, 1, 2}, {0, 2, 1}};
    g.edges = {{0, 1}, {1, 2}, {2, 0}};
    for (std::int32_t v = 3; v < n; ++v) {
        const std::size_t f = std::uniform_int_distribution<std::size_t>(0, faces.size() - 1)(rng);
        const auto [a, b, c] = faces[f];
        g.edges.insert(g.edges.end(), {{a, v}, {b, v}, {c, v}});
        faces[f] = {a, b, v};
        faces.push_back({b, c, v});
        faces.push_back({c, a, v});
    }
    // A maximal planar graph takes no further edge; 3 and n - 1 are not adjacent unless
    // n - 1 went into a face at 3, in which case 4 and n - 1 are tried.
    for (std::int32_t a : {3, 4, 5}) {
        bool adjacent = false;
        for (const auto& [x, y] : g.edges) adjacent |= (x == a && y == n - 1) || (y == a && x == n - 1);
        if (!adjacent) {
            g.edges.push_back({a, n - 1});
            break;
        }
    }
    std::shuffle(g.edges.begin(), g.edges.end(), rng);
    return g;
}

void RunSearch(benchmark::State& state, const Graph& g) {
    std::size_t size = 0;
    for (auto _ : state) {
        KuratowskiSubdivision k;
        if (FindKuratowskiSubdivision(g.n, g.edges, k) != KuratowskiOutcome::Found) state.SkipWithError("planar");
        size = k.m_edges.size();
    }
    state.counters["witness_edges"] = double(size);
}

// The whole test, which the edge bound would otherwise cut short on the stacked graph.
void RunTest(benchmark::State& state, const Graph& g) {
    for (auto _ : state) benchmark::DoNotOptimize(FindLeftRightConflict(g.n, g.edges));
}

const Graph& Grid() {
    static const Graph g = GridWithChord(500);
    return g;
}
const Graph& Stacked() {
    static const Graph g = StackedWithChord(100000);
    return g;
}

void BM_Kuratowski_Grid250k(benchmark::State& state) { RunSearch(state, Grid()); }
void BM_LeftRightTest_Grid250k(benchmark::State& state) { RunTest(state, Grid()); }
void BM_Kuratowski_Stacked100k(benchmark::State& state) { RunSearch(state, Stacked()); }
void BM_LeftRightTest_Stacked100k(benchmark::State& state) { RunTest(state, Stacked()); }

} // namespace

BENCHMARK(BM_Kuratowski_Grid250k)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_LeftRightTest_Grid250k)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_Kuratowski_Stacked100k)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_LeftRightTest_Stacked100k)->Unit(benchmark::kMillisecond);

BENCHMARK_MAIN();
