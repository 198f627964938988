#include "level/LevelPlanarityOf.h"

#include <algorithm>

#include "level/LevelPlanarityMethod.h"
#include "model/BendLimit.h"

LevelPlanarityVerdict TestLevelPlanarityOf(const LightGraph& g, std::span<const std::int32_t> levels,
                                           std::int64_t searchBudget) {
    LevelPlanarityVerdict verdict;
    if (!g.Valid() || levels.size() != static_cast<std::size_t>(g.vertexCount)) {
        verdict.message = "Every vertex needs a level.";
        return verdict;
    }
    if (!g.Simple()) {
        verdict.message = "The graph is not simple.";
        return verdict;
    }
    std::vector<std::int32_t> used(levels.begin(), levels.end());
    std::sort(used.begin(), used.end());
    used.erase(std::unique(used.begin(), used.end()), used.end());
    auto rankOf = [&](std::int32_t level) {
        return static_cast<int>(std::lower_bound(used.begin(), used.end(), level) - used.begin());
    };

    std::int64_t dummies = 0;
    for (const auto& [a, b] : g.edges) {
        const int la = rankOf(levels[a]), lb = rankOf(levels[b]);
        if (la == lb) {
            verdict.message = "There are edges between vertices on the same level.";
            return verdict;
        }
        dummies += std::abs(la - lb) - 1;
        if (dummies > kMaxDummyVertices) {
            verdict.message = "The level graph spans too many levels to insert dummy vertices.";
            return verdict;
        }
    }

    // Vertices keep their index order within a level as the starting order; dummies follow.
    LevelGraph lg;
    for (std::int32_t v = 0; v < g.vertexCount; ++v) lg.AddVertex(rankOf(levels[v]), v);
    for (const auto& [a, b] : g.edges) {
        int lower = a, upper = b;
        if (rankOf(levels[lower]) > rankOf(levels[upper])) std::swap(lower, upper);
        int from = lower;
        for (int l = rankOf(levels[lower]) + 1; l < rankOf(levels[upper]); ++l) {
            const int dummy = lg.AddVertex(l, g.vertexCount);
            lg.AddEdge(from, dummy);
            from = dummy;
        }
        lg.AddEdge(from, upper);
    }
    lg.Finish();

    ExactLevelPlanarity exact({}, searchBudget < 0 ? ExactLevelPlanarity::kBudgetOfAugmentation : searchBudget);
    const LevelPlanarityResult result = exact.Test(lg);
    verdict.planar = result.planar;
    verdict.message = result.planar ? "The graph is level planar" : "The graph is not level planar";
    if (result.planar && result.hasOrders) {
        for (int l = 0; l < static_cast<int>(result.orders.size()); ++l) {
            std::vector<std::int32_t> order;
            for (int v : result.orders[l])
                if (v < g.vertexCount) order.push_back(v);
            verdict.orders.emplace_back(used[l], std::move(order));
        }
    }
    return verdict;
}
