#include "level/LevelAnswersOf.h"

#include <algorithm>

#include "graph/DisjointSets.h"
#include "level/CrossingMinimizer.h"
#include "level/FewestCrossingOrders.h"
#include "level/LevelGraph.h"
#include "level/LevelObstruction.h"
#include "model/BendLimit.h"

namespace {

// The proper level graph of a light graph: levels renumbered to the ranks of those in use,
// real vertices first (index = input index), then the dummies; every piece of an input
// edge remembers it in `edgeOf`.
struct ProperOf {
    LevelGraph graph;
    std::vector<std::int32_t> used; // level number of every rank
    std::vector<int> edgeOf;
};

std::optional<ProperOf> MakeProperOf(const LightGraph& g, std::span<const std::int32_t> levels, std::string& message) {
    if (!g.Valid() || levels.size() != static_cast<std::size_t>(g.vertexCount)) {
        message = "Every vertex needs a level.";
        return std::nullopt;
    }
    if (!g.Simple()) {
        message = "The graph is not simple.";
        return std::nullopt;
    }
    ProperOf p;
    p.used.assign(levels.begin(), levels.end());
    std::sort(p.used.begin(), p.used.end());
    p.used.erase(std::unique(p.used.begin(), p.used.end()), p.used.end());
    auto rankOf = [&](std::int32_t level) {
        return static_cast<int>(std::lower_bound(p.used.begin(), p.used.end(), level) - p.used.begin());
    };
    std::int64_t dummies = 0;
    for (const auto& [a, b] : g.edges) {
        const int la = rankOf(levels[a]), lb = rankOf(levels[b]);
        if (la == lb) {
            message = "There are edges between vertices on the same level.";
            return std::nullopt;
        }
        dummies += std::abs(la - lb) - 1;
        if (dummies > kMaxDummyVertices) {
            message = "The level graph spans too many levels to insert dummy vertices.";
            return std::nullopt;
        }
    }
    for (std::int32_t v = 0; v < g.vertexCount; ++v) p.graph.AddVertex(rankOf(levels[v]), v);
    for (int k = 0; k < static_cast<int>(g.edges.size()); ++k) {
        int lower = g.edges[k].first, upper = g.edges[k].second;
        if (levels[lower] > levels[upper]) std::swap(lower, upper);
        int from = lower;
        for (int l = rankOf(levels[lower]) + 1; l < rankOf(levels[upper]); ++l) {
            const int dummy = p.graph.AddVertex(l, g.vertexCount);
            p.graph.AddEdge(from, dummy);
            p.edgeOf.push_back(k);
            from = dummy;
        }
        p.graph.AddEdge(from, upper);
        p.edgeOf.push_back(k);
    }
    p.graph.Finish();
    return p;
}

} // namespace

LevelWitnessOf FindLevelWitnessOf(const LightGraph& g, std::span<const std::int32_t> levels,
                                  const std::function<bool()>& keepGoing) {
    LevelWitnessOf w;
    auto proper = MakeProperOf(g, levels, w.message);
    if (!proper) return w;
    const LevelObstruction o = FindLevelObstruction(proper->graph, proper->edgeOf, keepGoing);
    if (o.cancelled) {
        w.cancelled = true;
        w.message = "Cancelled.";
        return w;
    }
    w.planar = o.planar;
    w.edges.assign(o.groups.begin(), o.groups.end());
    w.message = o.planar ? "The graph is level planar" : "The graph is not level planar";
    return w;
}

CrossingMinimumOf MinimizeCrossingsOf(const LightGraph& g, std::span<const std::int32_t> levels, std::uint64_t seed,
                                      const std::function<bool(double)>& progress) {
    CrossingMinimumOf m;
    auto proper = MakeProperOf(g, levels, m.message);
    if (!proper) {
        m.refused = true;
        return m;
    }
    CrossingMinimizerOptions options;
    options.seed = seed;
    options.progress = progress;
    // Component by component, as the desktop command draws them, side by side on each level
    // in the order of their first vertices.
    const LevelGraph& whole = proper->graph;
    DisjointSets sets(whole.VertexCount());
    for (const auto& e : whole.Edges()) sets.Join(e.lower, e.upper);
    std::vector<int> componentOfRoot(whole.VertexCount(), -1), local(whole.VertexCount(), 0);
    std::vector<std::vector<int>> members;
    for (int v = 0; v < whole.VertexCount(); ++v) {
        int& c = componentOfRoot[sets.Find(v)];
        if (c < 0) {
            c = static_cast<int>(members.size());
            members.emplace_back();
        }
        members[c].push_back(v);
    }
    LevelOrders orders(whole.LevelCount());
    m.optimal = true;
    for (const std::vector<int>& component : members) {
        int low = whole.LevelCount();
        for (int v : component) low = std::min(low, whole.LevelOf(v));
        LevelGraph part;
        for (int v : component) local[v] = part.AddVertex(whole.LevelOf(v) - low, whole.XOf(v));
        for (int v : component)
            for (int w : whole.UpperNeighbours(v)) part.AddEdge(local[v], local[w]);
        part.Finish();
        const CrossingMinimizerResult r = FewestCrossingOrders(part, options);
        if (r.cancelled) {
            m.cancelled = true;
            return m;
        }
        m.crossings += r.crossings;
        m.optimal = m.optimal && r.optimal;
        for (int l = 0; l < static_cast<int>(r.orders.size()); ++l)
            for (int v : r.orders[l]) orders[l + low].push_back(component[v]);
    }
    for (int l = 0; l < static_cast<int>(orders.size()); ++l) {
        std::vector<std::int32_t> order;
        for (int v : orders[l])
            if (v < g.vertexCount) order.push_back(v);
        m.orders.emplace_back(proper->used[l], std::move(order));
    }
    return m;
}
