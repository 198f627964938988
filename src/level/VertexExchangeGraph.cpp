#include "level/VertexExchangeGraph.h"

#include "level/LevelPairClasses.h"
#include "level/LevelPlanarityMethod.h"

void VertexExchangeGraph::Build(const LevelGraph& g, std::span<const int> sequence, bool numbered) {
    m_pairs = LevelPairs(g);
    m_classes = {};
    m_contradictions = 0;
    m_oddCycle = false;

    // One edge per pair of independent graph edges across a gap, joined into the components
    // as it is met. The two graph edge pairs that join the same two vertex pairs (one keeping,
    // one swapping the order) make one swapping edge, counted as a contradiction.
    ParityUnionFind links(static_cast<std::size_t>(m_pairs.Count()));
    for (int level = 0; level + 1 < g.LevelCount() && !m_oddCycle; ++level) {
        const auto gap = g.EdgesBelowGap(level);
        for (std::size_t i = 0; i < gap.size() && !m_oddCycle; ++i) {
            const LevelGraph::Edge& e = g.Edges()[gap[i]];
            const int le = g.RankOf(e.lower), ue = g.RankOf(e.upper);
            for (std::size_t j = i + 1; j < gap.size(); ++j) {
                const LevelGraph::Edge& f = g.Edges()[gap[j]];
                const int lf = g.RankOf(f.lower), uf = g.RankOf(f.upper);
                if (le == lf || ue == uf) continue;
                const bool keeping = (le < lf) == (ue < uf);
                const bool partner = g.HasEdge(e.lower, f.upper) && g.HasEdge(f.lower, e.upper);
                if (!keeping && partner) continue;
                m_contradictions += keeping && partner;
                const std::uint8_t swaps = keeping && !partner ? 0 : 1;
                if (!links.JoinSoon(static_cast<std::uint32_t>(m_pairs.Index(level, le, lf)),
                                    static_cast<std::uint32_t>(m_pairs.Index(level + 1, ue, uf)), swaps)) {
                    m_oddCycle = true;
                    break;
                }
            }
        }
    }
    m_oddCycle = m_oddCycle || !links.Flush();
    if (m_oddCycle || !numbered) return; // without a colouring nothing reads the components

    m_classes = links.TakeClasses([&](auto visit) {
        for (int s : sequence) {
            const int level = g.LevelOf(s), w = static_cast<int>(g.Level(level).size());
            const int r1 = g.RankOf(s);
            if (r1 + 1 >= w) continue;
            // A vertex's pairs with the later vertices of its level are consecutive indices.
            const std::int64_t first = m_pairs.Index(level, r1, r1 + 1);
            for (std::int64_t p = first; p < first + (w - r1 - 1); ++p) visit(static_cast<std::uint32_t>(p));
        }
    });
}

bool TestVertexExchangeGraph(const VertexExchangeGraph& veg, bool asWritten) {
    return !veg.HasOddCycle() && (asWritten || !veg.HasContradiction());
}

std::optional<LevelOrders> OrdersFromLabels(const VertexExchangeGraph& veg, const LevelGraph& g) {
    LevelOrders orders(g.LevelCount());
    std::vector<int> wins, seen;
    for (int level = 0; level < g.LevelCount(); ++level) {
        const auto& members = g.Level(level);
        const int w = static_cast<int>(members.size());
        wins.assign(w, 0);
        for (int i = 0; i < w; ++i) {
            // Parity 0 keeps the lower rank in front.
            const std::int64_t first = i + 1 < w ? veg.PairIndex(level, i, i + 1) : 0;
            for (int j = i + 1; j < w; ++j) ++wins[veg.ParityOf(first + (j - i - 1)) == 0 ? i : j];
        }
        // Transitive exactly when the numbers of vertices each one precedes are all different.
        seen.assign(w, 0);
        auto& order = orders[level];
        order.assign(w, -1);
        for (int i = 0; i < w; ++i) {
            if (seen[wins[i]]++) return std::nullopt;
            order[w - 1 - wins[i]] = members[i];
        }
    }
    return orders;
}

LevelPlanarityResult VertexExchangeMethod::Test(const LevelGraph& g) {
    std::vector<int> sequence;
    sequence.reserve(g.VertexCount());
    for (const auto& level : g.Levels()) sequence.insert(sequence.end(), level.begin(), level.end());
    VertexExchangeGraph veg;
    veg.Build(g, sequence);
    LevelPlanarityResult result;
    result.planar = TestVertexExchangeGraph(veg, m_asWritten);
    if (result.planar) {
        if (auto orders = OrdersFromLabels(veg, g); orders && !HasLevelCrossing(g, *orders)) {
            result.orders = std::move(*orders);
            result.hasOrders = true;
        }
    }
    return result;
}
