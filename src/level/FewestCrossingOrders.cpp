#include "level/FewestCrossingOrders.h"

#include <unordered_map>
#include <utility>
#include <vector>

#include "level/LevelPlanarityMethod.h"

namespace {

// Above this many same-level pairs a graph is not given to the exact test: the crossing
// minimisation does not need its verdict, and it would cost seconds.
constexpr std::int64_t kExactTestPairs = 2000000;

} // namespace

std::int64_t SameLevelPairs(const LevelGraph& g) {
    std::int64_t pairs = 0;
    for (const auto& level : g.Levels()) pairs += std::int64_t(level.size()) * std::int64_t(level.size() - (level.empty() ? 0 : 1)) / 2;
    return pairs;
}

// Two levels whose edges hold a cycle, or a tree that is not a caterpillar, can never be
// drawn without crossings; most crossed graphs are told apart by this in linear time.
bool GapsMayBeLevelPlanar(const LevelGraph& g) {
    std::vector<int> parent(g.VertexCount()), gapDegree(g.VertexCount(), 0);
    for (int i = 0; i < g.VertexCount(); ++i) parent[i] = i;
    auto find = [&](int v) {
        while (parent[v] != v) v = parent[v] = parent[parent[v]];
        return v;
    };
    for (int l = 0; l + 1 < g.LevelCount(); ++l) {
        const auto gap = g.EdgesBelowGap(l);
        for (int e : gap) {
            const auto& edge = g.Edges()[e];
            const int a = find(edge.lower), b = find(edge.upper);
            if (a == b) return false;
            parent[a] = b;
            ++gapDegree[edge.lower];
            ++gapDegree[edge.upper];
        }
        // In a caterpillar every vertex has at most two neighbours that are not leaves.
        std::unordered_map<int, int> inner;
        for (int e : gap) {
            const auto& edge = g.Edges()[e];
            if (gapDegree[edge.upper] > 1 && ++inner[edge.lower] > 2) return false;
            if (gapDegree[edge.lower] > 1 && ++inner[edge.upper] > 2) return false;
        }
        for (int e : gap) {
            const auto& edge = g.Edges()[e];
            gapDegree[edge.lower] = gapDegree[edge.upper] = 0;
            parent[edge.lower] = edge.lower; // cycles through other gaps are allowed
            parent[edge.upper] = edge.upper;
        }
    }
    return true;
}

CrossingMinimizerResult FewestCrossingOrders(const LevelGraph& g, const CrossingMinimizerOptions& options) {
    if (GapsMayBeLevelPlanar(g) && SameLevelPairs(g) <= kExactTestPairs) {
        LevelPlanarityResult verdict = ExactLevelPlanarity().Test(g);
        // The sweeps can leave crossings in a level-planar graph; the exact test's orders
        // have none.
        if (verdict.planar && !HasLevelCrossing(g, verdict.orders)) {
            CrossingMinimizerResult drawn;
            drawn.orders = std::move(verdict.orders);
            drawn.optimal = true;
            return drawn;
        }
    }
    return MinimizeCrossings(g, g.Levels(), options);
}
