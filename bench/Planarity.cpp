// The planarity command on maximal planar graphs, against Boost's Boyer-Myrvold test on
// the same graph.
//
//   bench_Planarity --benchmark_counters_tabular=true

#include <benchmark/benchmark.h>
#include <sys/resource.h>

#include <array>
#include <boost/graph/adjacency_list.hpp>
#include <boost/graph/boyer_myrvold_planar_test.hpp>
#include <random>
#include <vector>

#include "BenchSupport.h"
#include "planarity/PQtree.h"

namespace {

using EdgeList = std::vector<std::pair<int, int>>;

// Maximal planar: a triangle, then each new vertex inside a random face, joined to its
// three corners.
EdgeList StackedTriangulation(int n, std::uint32_t seed) {
    std::mt19937 rng(seed);
    EdgeList edges{{0, 1}, {1, 2}, {2, 0}};
    std::vector<std::array<int, 3>> faces{{0, 1, 2}, {0, 2, 1}};
    for (int v = 3; v < n; ++v) {
        const std::size_t f = std::uniform_int_distribution<std::size_t>(0, faces.size() - 1)(rng);
        const auto face = faces[f];
        for (int c : face) edges.push_back({c, v});
        faces[f] = {face[0], face[1], v};
        faces.push_back({face[1], face[2], v});
        faces.push_back({face[2], face[0], v});
    }
    return edges;
}

// Maximal planar and regular: a k x k grid with one diagonal per cell, and one more vertex
// joined to every vertex of the outer cycle.
EdgeList TriangulatedGrid(int k) {
    EdgeList edges;
    auto id = [k](int r, int c) { return r * k + c; };
    for (int r = 0; r < k; ++r)
        for (int c = 0; c < k; ++c) {
            if (c + 1 < k) edges.push_back({id(r, c), id(r, c + 1)});
            if (r + 1 < k) edges.push_back({id(r, c), id(r + 1, c)});
            if (r + 1 < k && c + 1 < k) edges.push_back({id(r, c), id(r + 1, c + 1)});
        }
    const int apex = k * k;
    for (int c = 0; c < k; ++c) {
        edges.push_back({apex, id(0, c)});
        if (k > 1) edges.push_back({apex, id(k - 1, c)});
    }
    for (int r = 1; r + 1 < k; ++r) {
        edges.push_back({apex, id(r, 0)});
        edges.push_back({apex, id(r, k - 1)});
    }
    return edges;
}

int VertexCount(const EdgeList& edges) {
    int n = 0;
    for (auto [a, b] : edges) n = std::max({n, a + 1, b + 1});
    return n;
}

struct Fixture {
    BenchDoc bench;
    EdgeList edges;
    int n = 0;

    explicit Fixture(EdgeList list) : edges(std::move(list)), n(VertexCount(edges)) {
        CLattixDoc& doc = *bench.doc;
        // The crossing count of the drawing is not part of the test.
        doc.m_autoCrossings = false;
        std::vector<CVertex*> vs;
        for (int i = 0; i < n; ++i) {
            auto* v = new CVertex(20 + (i * 37) % 19960, 20 + (i / 500) % 19960, ColorIdToRgb(101));
            doc.AddElement(v);
            vs.push_back(v);
        }
        for (auto [a, b] : edges) doc.AddElement(new CEdge(vs[a], vs[b], kEdgeBlue));
        doc.ClearSelection();
    }
};

using BoostGraph = boost::adjacency_list<boost::vecS, boost::vecS, boost::undirectedS,
                                         boost::property<boost::vertex_index_t, int>,
                                         boost::property<boost::edge_index_t, int>>;

BoostGraph ToBoost(const Fixture& f) {
    BoostGraph g(f.n);
    for (auto [a, b] : f.edges) boost::add_edge(a, b, g);
    int i = 0;
    boost::graph_traits<BoostGraph>::edge_iterator e, end;
    for (boost::tie(e, end) = boost::edges(g); e != end; ++e) boost::put(boost::edge_index, g, *e, i++);
    return g;
}

Fixture& Stacked100k() {
    static Fixture f(StackedTriangulation(100000, 12345));
    return f;
}

Fixture& Grid100k() {
    static Fixture f(TriangulatedGrid(316)); // 99 857 vertices
    return f;
}

void RunVerdict(benchmark::State& state, Fixture& f) {
    CLattixDoc& doc = *f.bench.doc;
    for (auto _ : state) {
        doc.RunPlanarityTesting(false);
        if (doc.m_planarResult != 1) state.SkipWithError("a maximal planar graph was found non planar");
    }
    state.counters["vertices"] = f.n;
    state.counters["edges"] = static_cast<double>(f.edges.size());
}

void RunBoost(benchmark::State& state, Fixture& f) {
    BoostGraph g = ToBoost(f);
    for (auto _ : state) {
        const bool planar = boost::boyer_myrvold_planarity_test(g);
        if (!planar) state.SkipWithError("Boost found a maximal planar graph non planar");
        benchmark::DoNotOptimize(planar);
    }
    state.counters["vertices"] = f.n;
}

void BM_Verdict_Stacked100k(benchmark::State& state) { RunVerdict(state, Stacked100k()); }
void BM_Boost_Stacked100k(benchmark::State& state) { RunBoost(state, Stacked100k()); }
void BM_Verdict_Grid100k(benchmark::State& state) { RunVerdict(state, Grid100k()); }
void BM_Boost_Grid100k(benchmark::State& state) { RunBoost(state, Grid100k()); }

// The whole command with every snapshot recorded; the snapshots of one run are dropped
// before the next.
void RunWithReplay(benchmark::State& state, Fixture& f) {
    CLattixDoc& doc = *f.bench.doc;
    std::size_t snapshots = 0, bytes = 0;
    for (auto _ : state) {
        state.PauseTiming();
        doc.m_pqTrees.clear();
        state.ResumeTiming();
        doc.RunPlanarityTesting(true);
        state.PauseTiming();
        snapshots = doc.m_pqTrees.size();
        bytes = 0;
        for (const PQtreePtr& s : doc.m_pqTrees) bytes += sizeof(CPQtree) + s->ImageBytes() + s->m_caption.capacity();
        state.ResumeTiming();
    }
    rusage usage{};
    getrusage(RUSAGE_SELF, &usage);
    state.counters["snapshots"] = static_cast<double>(snapshots);
    state.counters["snapshot_MB"] = static_cast<double>(bytes) / 1e6;
    state.counters["peak_RSS_MB"] = static_cast<double>(usage.ru_maxrss) / 1e3;
    doc.m_pqTrees.clear();
}

void BM_CommandWithReplay_Stacked2000(benchmark::State& state) {
    static Fixture f(StackedTriangulation(2000, 777));
    RunWithReplay(state, f);
}

void BM_CommandWithReplay_Grid2000(benchmark::State& state) {
    static Fixture f(TriangulatedGrid(45)); // 2 026 vertices
    RunWithReplay(state, f);
}

} // namespace

BENCHMARK(BM_CommandWithReplay_Stacked2000)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_CommandWithReplay_Grid2000)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_Verdict_Stacked100k)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_Boost_Stacked100k)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_Verdict_Grid100k)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_Boost_Grid100k)->Unit(benchmark::kMillisecond);

BENCHMARK_MAIN();
