#include <gtest/gtest.h>

#include <algorithm>
#include <map>
#include <random>
#include <set>

#include "level/GlobalSifting.h"
#include "level/LayerCrossings.h"

namespace {

// A random level graph with long edges split into chains of bends, like MakeProper leaves
// it; `chains` receives the bends of every long edge, upwards.
LevelGraph RandomGraphWithLongEdges(std::mt19937& rng, int levels, int width, int edges,
                                    std::vector<std::vector<int>>& chains) {
    LevelGraph g;
    std::vector<std::vector<int>> at(levels);
    for (int l = 0; l < levels; ++l)
        for (int i = 0; i < width; ++i) at[l].push_back(g.AddVertex(l, i * 10));
    std::uniform_int_distribution<int> low(0, levels - 2), pick(0, width - 1);
    chains.clear();
    std::set<std::pair<int, int>> direct;
    for (int e = 0; e < edges; ++e) {
        const int from = low(rng);
        const int to = std::min(levels - 1, from + 1 + static_cast<int>(rng() % 3));
        int prev = at[from][pick(rng)];
        std::vector<int> chain;
        for (int l = from + 1; l < to; ++l) {
            const int bend = g.AddVertex(l, static_cast<std::int64_t>(rng() % (width * 10)));
            g.AddEdge(prev, bend);
            chain.push_back(bend);
            prev = bend;
        }
        const int end = at[to][pick(rng)];
        if (chain.empty() && !direct.insert({prev, end}).second) continue;
        g.AddEdge(prev, end);
        if (chain.size() > 1) chains.push_back(chain);
    }
    g.Finish();
    return g;
}

std::vector<int> Positions(const LevelGraph& g, const LevelOrders& orders) {
    std::vector<int> pos(g.VertexCount(), -1);
    for (const auto& level : orders)
        for (int r = 0; r < static_cast<int>(level.size()); ++r) pos[level[r]] = r;
    return pos;
}

} // namespace

TEST(GlobalSifting, CountsItsOrdersRightMovesChainsWholeAndNeverLosesGround) {
    std::mt19937 rng(23);
    std::int64_t before = 0, after = 0;
    for (int round = 0; round < 40; ++round) {
        std::vector<std::vector<int>> chains;
        const LevelGraph g = RandomGraphWithLongEdges(rng, 3 + round % 5, 3 + round % 6, 10 + round, chains);
        LevelOrders start = g.Levels();
        std::int64_t work = 1 << 20;
        const GlobalSiftingResult r = GlobalSifting(g, start, work);
        ASSERT_EQ(r.orders.size(), start.size());
        for (int l = 0; l < g.LevelCount(); ++l) {
            std::vector<int> a = r.orders[l], b = g.Level(l);
            std::sort(a.begin(), a.end());
            std::sort(b.begin(), b.end());
            ASSERT_EQ(a, b) << "round " << round << " level " << l;
        }
        EXPECT_EQ(r.crossings, LevelCrossings(g, r.orders)) << "round " << round;
        // Two chains that share levels stand in the same order on all of them.
        const std::vector<int> pos = Positions(g, r.orders);
        for (const auto& c : chains)
            for (const auto& d : chains) {
                std::map<int, int> sides;
                for (int u : c)
                    for (int v : d)
                        if (u != v && g.LevelOf(u) == g.LevelOf(v)) ++sides[pos[u] < pos[v]];
                EXPECT_LE(sides.size(), 1u) << "round " << round << ": a chain was split";
            }
        before += LevelCrossings(g, start);
        after += r.crossings;
    }
    EXPECT_LT(after, before);
}

// Two long edges pass on the wrong side of a row of columns. Moving one bend at a time
// trades each crossing for another; only the whole chain, moved at once, gets past.
TEST(GlobalSifting, MovesALongEdgeThatSiftingOneLevelAtATimeCannot) {
    const int k = 5;
    LevelGraph g;
    std::vector<int> p, x, y, q;
    for (int i = 0; i < k; ++i) p.push_back(g.AddVertex(0, 10 * i));
    const int u = g.AddVertex(0, 10 * k);
    const int d1 = g.AddVertex(1, 0);
    for (int i = 0; i < k; ++i) x.push_back(g.AddVertex(1, 10 * (i + 1)));
    const int d2 = g.AddVertex(2, 0);
    for (int i = 0; i < k; ++i) y.push_back(g.AddVertex(2, 10 * (i + 1)));
    for (int i = 0; i < k; ++i) q.push_back(g.AddVertex(3, 10 * i));
    const int v = g.AddVertex(3, 10 * k);
    for (int i = 0; i < k; ++i) {
        g.AddEdge(p[i], x[i]);
        g.AddEdge(x[i], y[i]);
        g.AddEdge(y[i], q[i]);
    }
    g.AddEdge(u, d1);
    g.AddEdge(d1, d2);
    g.AddEdge(d2, v);
    g.Finish();
    ASSERT_EQ(LevelCrossings(g, g.Levels()), 2 * k);
    std::int64_t work = 1 << 20;
    const GlobalSiftingResult r = GlobalSifting(g, g.Levels(), work);
    EXPECT_EQ(r.crossings, 0);
    EXPECT_EQ(LevelCrossings(g, r.orders), 0);
    EXPECT_LT(work, 1 << 20);
}
