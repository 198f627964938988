#include "level/LevelDrawingPlan.h"

#include <algorithm>

#include "graph/ExchangeSort.h"

namespace {

using Veg = VertexExchangeGraph;

// Which pairs have met a representative: the first pair of each VEG component that the
// sweep meets, with the order it had then (0 when its m_u lay strictly left).
struct Representatives {
    explicit Representatives(std::size_t components) : pair(components, -1), order(components, 0) {}
    std::vector<int> pair;
    std::vector<int> order;
};

// Decides whether pair x is exchanged, from the handled pairs on the level below (those it
// crosses now) and its component's representative.
bool DecideExchange(const ComponentExchangeGraph& c, Veg::Vertex& pair, int xIndex, int level,
                    const std::vector<std::int64_t>& x, Representatives& reps) {
    const LevelGraph& g = c.graph;
    const auto& pairs = c.veg.Vertices();
    // XL is the one further left; on equal x, m_v counts as the left one.
    auto leftRight = [&](const Veg::Vertex& p) {
        return x[p.m_u] < x[p.m_v] ? std::pair{p.m_u, p.m_v} : std::pair{p.m_v, p.m_u};
    };
    int keep = 0, swap = 0;
    const auto [xl, xr] = leftRight(pair);
    for (int entry : c.veg.NeighboursOf(xIndex)) {
        const Veg::Vertex& other = pairs[Veg::NeighbourOf(entry)];
        if (other.m_level >= level) continue; // not handled yet
        const auto [yl, yr] = leftRight(other);
        if (g.HasEdge(yl, xr) && g.HasEdge(yr, xl)) ++swap;
        else ++keep;
    }

    const std::int64_t xu = x[pair.m_u], xv = x[pair.m_v];
    int& rep = reps.pair[pair.m_component];
    if (rep < 0) {
        rep = xIndex;
        reps.order[pair.m_component] = xu < xv ? 0 : 1;
        return swap > 0;
    }
    bool agrees = false;
    if (xu != xv) {
        const bool uLeft = xu < xv;
        const bool repFlipMatchesOrder = pairs[rep].m_flip == (reps.order[pair.m_component] != 0);
        agrees = repFlipMatchesOrder ? uLeft != pair.m_flip : uLeft == pair.m_flip;
    }
    return swap > 0 || (keep + swap == 0 && !agrees);
}

std::size_t ComponentCount(const Veg& veg) {
    int count = 0;
    for (const auto& p : veg.Vertices()) count = std::max(count, p.m_component + 1);
    return static_cast<std::size_t>(count);
}

bool SlotsApply(const ComponentExchangeGraph& c) {
    const LevelGraph& g = c.graph;
    for (int level = 0; level < g.LevelCount(); ++level) {
        const auto& xs = c.levelXs[level];
        if (xs.size() != g.Level(level).size()) return false; // hidden vertices count in the gaps
        if (std::adjacent_find(xs.begin(), xs.end()) != xs.end()) return false;
    }
    return true;
}

} // namespace

// With every x on a level distinct and nothing hidden, the number of vertices between the
// two of a pair is their distance in rank minus one, and the pair order the sorts produce
// (more vertices between first, then from the left) depends on ranks only: the p-th pair
// is always the pair of the vertices that occupy the p-th (gap, left rank) slot. So the
// array never needs sorting; it is read off the current ranks.
std::vector<LevelSwap> PlanLevelDrawing(ComponentExchangeGraph& c, std::vector<std::int64_t>& x) {
    if (!SlotsApply(c)) return PlanLevelDrawingLiterally(c, x);
    c.veg.ListNeighbours();
    const LevelGraph& g = c.graph;
    auto& pairs = c.veg.Vertices();
    Representatives reps(ComponentCount(c.veg));
    std::vector<LevelSwap> swaps;
    std::vector<int> order;
    std::vector<int> rankNow(g.VertexCount(), 0);
    for (int level = 0; level < g.LevelCount(); ++level) {
        order = g.Level(level);
        const int w = static_cast<int>(order.size());
        for (int r = 0; r < w; ++r) rankNow[order[r]] = r;
        // The pairs' places in the level's first sorted order.
        int slot = 0;
        for (int gap = w - 2; gap >= 0; --gap)
            for (int r = 0; r + gap + 1 < w; ++r, ++slot) {
                auto& pair = pairs[c.veg.PairVertex(level, r, r + gap + 1)];
                pair.m_levelIndex = level;
                pair.m_levelPos = slot;
            }
        for (int gap = w - 2; gap >= 0; --gap)
            for (int r = 0; r + gap + 1 < w; ++r) {
                const int a = order[r], b = order[r + gap + 1];
                const int xi = c.veg.PairVertex(level, g.RankOf(a), g.RankOf(b));
                auto& pair = pairs[xi];
                if (!DecideExchange(c, pair, xi, level, x, reps)) continue;
                swaps.push_back({pair.m_u, pair.m_v});
                std::swap(x[pair.m_u], x[pair.m_v]);
                std::swap(order[rankNow[pair.m_u]], order[rankNow[pair.m_v]]);
                std::swap(rankNow[pair.m_u], rankNow[pair.m_v]);
            }
    }
    return swaps;
}

std::vector<LevelSwap> PlanLevelDrawingLiterally(ComponentExchangeGraph& c, std::vector<std::int64_t>& x) {
    c.veg.ListNeighbours();
    const LevelGraph& g = c.graph;
    auto& pairs = c.veg.Vertices();
    // Vertices of the component on the pair's level strictly between the pair's two.
    auto gap = [&](int xi) {
        const auto& xs = c.levelXs[pairs[xi].m_level];
        const std::int64_t lo = std::min(x[pairs[xi].m_u], x[pairs[xi].m_v]);
        const std::int64_t hi = std::max(x[pairs[xi].m_u], x[pairs[xi].m_v]);
        if (lo == hi) return std::ptrdiff_t{0};
        return std::lower_bound(xs.begin(), xs.end(), hi) - std::upper_bound(xs.begin(), xs.end(), lo);
    };
    std::vector<std::vector<int>> arrays(g.LevelCount());
    for (int xi = 0; xi < static_cast<int>(pairs.size()); ++xi) {
        pairs[xi].m_levelIndex = pairs[xi].m_level;
        pairs[xi].m_levelPos = static_cast<int>(arrays[pairs[xi].m_level].size());
        arrays[pairs[xi].m_level].push_back(xi);
    }
    for (auto& array : arrays) {
        ExchangeSort(array, [&](int i, int j) {
            const auto gi = gap(i), gj = gap(j);
            return gi < gj || (gi == gj && x[pairs[i].m_u] > x[pairs[j].m_u]);
        });
        for (int p = 0; p < static_cast<int>(array.size()); ++p) pairs[array[p]].m_levelPos = p;
    }

    Representatives reps(ComponentCount(c.veg));
    std::vector<LevelSwap> swaps;
    for (int level = 0; level < g.LevelCount(); ++level) {
        std::vector<int>& a = arrays[level];
        for (std::size_t p = 0; p < a.size(); ++p) {
            const int xi = a[p];
            auto& pair = pairs[xi];
            if (!DecideExchange(c, pair, xi, level, x, reps)) continue;
            swaps.push_back({pair.m_u, pair.m_v});
            std::swap(x[pair.m_u], x[pair.m_v]);
            auto leftmost = [&](int i) { return std::min(x[pairs[i].m_u], x[pairs[i].m_v]); };
            ExchangeSort(a, [&](int i, int j) {
                const auto gi = gap(i), gj = gap(j);
                return gi < gj || (gi == gj && leftmost(i) > leftmost(j));
            });
        }
    }
    return swaps;
}

LevelOrders OrdersByX(const LevelGraph& g, const std::vector<std::int64_t>& x) {
    LevelOrders orders = g.Levels();
    for (auto& level : orders)
        std::stable_sort(level.begin(), level.end(), [&](int a, int b) { return x[a] < x[b]; });
    return orders;
}

std::vector<LevelSwap> SwapsToOrders(const LevelGraph& g, std::vector<std::int64_t>& x, const LevelOrders& target) {
    std::vector<LevelSwap> swaps;
    LevelOrders current = OrdersByX(g, x);
    std::vector<int> slot(g.VertexCount(), 0);
    for (int level = 0; level < g.LevelCount(); ++level) {
        auto& now = current[level];
        for (int r = 0; r < static_cast<int>(now.size()); ++r) slot[now[r]] = r;
        for (int r = 0; r < static_cast<int>(now.size()); ++r) {
            const int wanted = target[level][r], there = now[r];
            if (wanted == there) continue;
            swaps.push_back({there, wanted});
            std::swap(x[there], x[wanted]);
            now[slot[wanted]] = there;
            slot[there] = slot[wanted];
            now[r] = wanted;
            slot[wanted] = r;
        }
    }
    return swaps;
}
