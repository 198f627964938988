#pragma once
// Orders of the vertices on their levels with few crossings between adjacent levels: the
// second phase of the layered drawing method, on a proper level graph.
//
// Layer sweeps with the barycenter and the median rule, then adjacent exchanges and
// sifting, from several deterministic starts; the best orders found are then perturbed and
// repaired as long as the budget lasts, and the best orders seen are kept. Before and after
// that search, long edges are sifted whole across all their levels (GlobalSifting.h). A
// second, independent search from another seed runs beside the first where it can, and the
// better result is kept. Where the orders of all levels can be searched completely (narrow
// levels), the exact optimum is computed instead and the result says so.

#include <cstdint>
#include <functional>

#include "level/LevelGraph.h"

struct CrossingMinimizerOptions {
    // Seeds the shuffled starts; the same seed gives the same orders.
    std::uint64_t seed = 0;
    // Most starts besides the given orders; fewer are made where a sifting pass costs more
    // than `restartWork` / `restarts` (see MinimizeCrossings).
    int restarts = 32;
    // Vertex-edge incidences per level times the level's width, summed over the restarts.
    std::int64_t restartWork = 150000;
    // Sifting steps (vertices times incident edges of the levels sifted) for the perturbation
    // search that follows the starts: `searchPasses` times a sifting pass over every level,
    // but at least `searchWork` and at most `searchWorkLimit`; on graphs of more than
    // 30 000 vertices, `searchWork`. No search when `searchWork` is 0.
    std::int64_t searchWork = 1800000;
    std::int64_t searchPasses = 60;
    std::int64_t searchWorkLimit = 12000000;
    // Pairs of edges compared by global sifting (long edges moved whole) before and after the
    // perturbation search.
    std::int64_t blockSiftWork = 4000000;
    // Largest search the exact method may make: the sum, over the gaps, of the products of
    // the numbers of orders of the two levels.
    std::int64_t exactBudget = 2000000;
    // A second search from another seed, the better result kept; only on graphs of at most
    // 30 000 vertices.
    bool secondSearch = true;
    // The second search runs on a thread of its own; false runs it after the first. The
    // orders are the same either way.
    bool parallel = true;
    // Called now and then with the fraction done, always on the calling thread; false cancels.
    std::function<bool(double)> progress;
};

struct CrossingMinimizerResult {
    LevelOrders orders;
    std::int64_t crossings = 0;
    bool optimal = false;   // the exact search proved that no orders have fewer crossings
    bool cancelled = false; // orders are then the start orders
};

// `start` are the orders to begin from (for instance the current drawing's).
CrossingMinimizerResult MinimizeCrossings(const LevelGraph& g, const LevelOrders& start,
                                          const CrossingMinimizerOptions& options = {});

// The exact optimum alone, or nothing when its search exceeds `budget` (counted as above).
bool ExactMinimumCrossings(const LevelGraph& g, std::int64_t budget, LevelOrders& orders, std::int64_t& crossings);
