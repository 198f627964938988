#include "level/LevelDrawingPlan.h"

#include <algorithm>

#include "graph/ExchangeSort.h"

namespace {

// A pair of vertices of one level: m_u has the lower rank in the level graph's order.
struct LevelPair {
    int m_u, m_v;
};

// Per VEG component, whether a representative has been met: the first pair of the
// component that the sweep meets. What the plan reads of it later is whether its label
// matched the order it had then (1) or not (0); -1 while none has been met.
struct Representatives {
    explicit Representatives(std::size_t components) : flipMatchesOrder(components, -1) {}
    std::vector<std::int8_t> flipMatchesOrder;
};

// Decides whether the pair is exchanged, from the handled pairs on the level below (those
// it crosses now) and its component's representative. The pair's neighbours one level down
// are the pairs of a lower neighbour of m_u and one of m_v; every gap is a forest here, so
// each comes once.
bool DecideExchange(const ComponentExchangeGraph& c, const LevelPair& pair, const std::vector<std::int64_t>& x,
                    Representatives& reps) {
    const LevelGraph& g = c.graph;
    // XL is the one further left; on equal x, the second counts as the left one.
    auto leftRight = [&](int a, int b) { return x[a] < x[b] ? std::pair{a, b} : std::pair{b, a}; };
    int keep = 0, swap = 0;
    const auto [xl, xr] = leftRight(pair.m_u, pair.m_v);
    for (int cu : g.LowerNeighbours(pair.m_u))
        for (int cv : g.LowerNeighbours(pair.m_v)) {
            if (cu == cv) continue;
            const auto [yl, yr] = g.RankOf(cu) < g.RankOf(cv) ? leftRight(cu, cv) : leftRight(cv, cu);
            if (g.HasEdge(yl, xr) && g.HasEdge(yr, xl)) ++swap;
            else ++keep;
        }

    const std::int64_t p = c.veg.PairIndex(g.LevelOf(pair.m_u), g.RankOf(pair.m_u), g.RankOf(pair.m_v));
    const bool flip = (g.XOf(pair.m_u) < g.XOf(pair.m_v)) != (c.veg.ParityOf(p) != 0);
    const std::int64_t xu = x[pair.m_u], xv = x[pair.m_v];
    std::int8_t& rep = reps.flipMatchesOrder[c.veg.ComponentOf(p)];
    if (rep < 0) {
        rep = flip == !(xu < xv) ? 1 : 0;
        return swap > 0;
    }
    bool agrees = false;
    if (xu != xv) {
        const bool uLeft = xu < xv;
        agrees = rep ? uLeft != flip : uLeft == flip;
    }
    return swap > 0 || (keep + swap == 0 && !agrees);
}

LevelPair PairOf(const LevelGraph& g, int a, int b) {
    return g.RankOf(a) < g.RankOf(b) ? LevelPair{a, b} : LevelPair{b, a};
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
    const LevelGraph& g = c.graph;
    Representatives reps(static_cast<std::size_t>(c.veg.ComponentCount()));
    std::vector<LevelSwap> swaps;
    std::vector<int> order;
    std::vector<int> rankNow(g.VertexCount(), 0);
    for (int level = 0; level < g.LevelCount(); ++level) {
        order = g.Level(level);
        const int w = static_cast<int>(order.size());
        for (int r = 0; r < w; ++r) rankNow[order[r]] = r;
        for (int gap = w - 2; gap >= 0; --gap)
            for (int r = 0; r + gap + 1 < w; ++r) {
                const LevelPair pair = PairOf(g, order[r], order[r + gap + 1]);
                if (!DecideExchange(c, pair, x, reps)) continue;
                swaps.push_back({pair.m_u, pair.m_v});
                std::swap(x[pair.m_u], x[pair.m_v]);
                std::swap(order[rankNow[pair.m_u]], order[rankNow[pair.m_v]]);
                std::swap(rankNow[pair.m_u], rankNow[pair.m_v]);
            }
    }
    return swaps;
}

std::vector<LevelSwap> PlanLevelDrawingLiterally(ComponentExchangeGraph& c, std::vector<std::int64_t>& x) {
    const LevelGraph& g = c.graph;
    Representatives reps(static_cast<std::size_t>(c.veg.ComponentCount()));
    std::vector<LevelSwap> swaps;
    std::vector<LevelPair> a;
    for (int level = 0; level < g.LevelCount(); ++level) {
        // Vertices of the component on the level strictly between the pair's two.
        const auto& xs = c.levelXs[level];
        auto gap = [&](const LevelPair& p) {
            const std::int64_t lo = std::min(x[p.m_u], x[p.m_v]), hi = std::max(x[p.m_u], x[p.m_v]);
            if (lo == hi) return std::ptrdiff_t{0};
            return std::lower_bound(xs.begin(), xs.end(), hi) - std::upper_bound(xs.begin(), xs.end(), lo);
        };
        const auto& members = g.Level(level);
        a.clear();
        for (std::size_t i = 0; i < members.size(); ++i)
            for (std::size_t j = i + 1; j < members.size(); ++j) a.push_back({members[i], members[j]});
        ExchangeSort(a, [&](const LevelPair& i, const LevelPair& j) {
            const auto gi = gap(i), gj = gap(j);
            return gi < gj || (gi == gj && x[i.m_u] > x[j.m_u]);
        });
        for (std::size_t p = 0; p < a.size(); ++p) {
            const LevelPair pair = a[p];
            if (!DecideExchange(c, pair, x, reps)) continue;
            swaps.push_back({pair.m_u, pair.m_v});
            std::swap(x[pair.m_u], x[pair.m_v]);
            auto leftmost = [&](const LevelPair& i) { return std::min(x[i.m_u], x[i.m_v]); };
            ExchangeSort(a, [&](const LevelPair& i, const LevelPair& j) {
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
