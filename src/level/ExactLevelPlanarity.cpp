// The exact level planarity method. One variable per pair of vertices on a level ("the
// lower-ranked one comes first"); independent edges between two levels tie two pair
// variables as equal or opposite, which a union-find with parities settles at once (a
// contradiction there already proves the graph not level planar). What remains, one
// variable per class, goes to the satisfiability solver together with the transitivity
// clauses that candidate solutions turn out to violate.

#include <algorithm>
#include <cstdint>
#include <numeric>

#include "level/LevelPlanarityMethod.h"
#include "level/SatSolver.h"

namespace {

// Union-find over pairs, each link carrying the parity between a pair and its parent
// (packed into the top bit, to keep the search's memory small).
class ParityUnionFind {
public:
    explicit ParityUnionFind(std::size_t n) : m_link(n) { std::iota(m_link.begin(), m_link.end(), std::uint32_t{0}); }
    // The root of x and x's parity relative to it.
    std::pair<std::uint32_t, std::uint8_t> Find(std::uint32_t x) {
        std::uint32_t root = x;
        std::uint8_t parity = 0;
        while (Parent(root) != root) {
            parity ^= m_link[root] >> 31;
            root = Parent(root);
        }
        // Second walk: point everything on the path straight at the root.
        std::uint8_t remaining = parity;
        while (Parent(x) != x) {
            const std::uint32_t next = Parent(x);
            const std::uint8_t step = m_link[x] >> 31;
            m_link[x] = root | (std::uint32_t(remaining) << 31);
            remaining ^= step;
            x = next;
        }
        return {root, parity};
    }
    // Requires value(a) xor value(b) == parity; false on a contradiction.
    bool Join(std::uint32_t a, std::uint32_t b, std::uint8_t parity) {
        auto [ra, pa] = Find(a);
        auto [rb, pb] = Find(b);
        if (ra == rb) return (pa ^ pb) == parity;
        m_link[ra] = rb | (std::uint32_t(pa ^ pb ^ parity) << 31);
        return true;
    }

private:
    std::uint32_t Parent(std::uint32_t x) const { return m_link[x] & 0x7FFFFFFFu; }
    std::vector<std::uint32_t> m_link;
};

// The classes of the order constraints, or false when they contradict each other.
bool ClassesOf(const LevelGraph& g, const LevelPairs& pairs, PairClasses& classes) {
    ParityUnionFind links(static_cast<std::size_t>(pairs.Count()));
    for (int level = 0; level + 1 < g.LevelCount(); ++level) {
        const auto gap = g.EdgesBelowGap(level);
        for (std::size_t i = 0; i < gap.size(); ++i) {
            const auto& e = g.Edges()[gap[i]];
            const int le = g.RankOf(e.lower), ue = g.RankOf(e.upper);
            for (std::size_t j = i + 1; j < gap.size(); ++j) {
                const auto& f = g.Edges()[gap[j]];
                const int lf = g.RankOf(f.lower), uf = g.RankOf(f.upper);
                if (le == lf || ue == uf) continue;
                // e and f do not cross: e's ends come first on both levels or on neither.
                const std::uint8_t parity = static_cast<std::uint8_t>((le > lf) ^ (ue > uf));
                if (!links.Join(static_cast<std::uint32_t>(pairs.Index(level, le, lf)),
                             static_cast<std::uint32_t>(pairs.Index(level + 1, ue, uf)), parity))
                    return false;
            }
        }
    }
    const std::size_t n = static_cast<std::size_t>(pairs.Count());
    classes.classOf.assign(n, -1);
    classes.parityOf.assign(n, 0);
    std::vector<std::int32_t> number(n, -1);
    classes.count = 0;
    for (std::size_t p = 0; p < n; ++p) {
        auto [root, parity] = links.Find(static_cast<std::uint32_t>(p));
        if (number[root] < 0) number[root] = classes.count++;
        classes.classOf[p] = number[root];
        classes.parityOf[p] = parity;
    }
    return true;
}

} // namespace

LevelPlanarityResult ExactLevelPlanarity::Test(const LevelGraph& g, const LevelOrders* hint, const PairClasses* known) {
    LevelPlanarityResult result;
    const int levels = g.LevelCount();
    const LevelPairs pairs(g);
    PairClasses computed;
    if (!known) {
        if (!ClassesOf(g, pairs, computed)) return result;
        known = &computed;
    }

    // One solver variable per class. Its first value is the one that agrees with the hint
    // (or the current orders) on most pairs of the class.
    const LevelOrders& preferred = hint ? *hint : g.Levels();
    std::vector<int> hintPosition(g.VertexCount(), 0);
    for (const auto& level : preferred)
        for (int r = 0; r < static_cast<int>(level.size()); ++r) hintPosition[level[r]] = r;
    SatSolver solver;
    std::vector<std::int64_t> votes(known->count, 0);
    std::vector<int> literal(static_cast<std::size_t>(pairs.Count())); // "lower rank first"
    for (int level = 0; level < levels; ++level) {
        const auto& members = g.Level(level);
        const int w = static_cast<int>(members.size());
        for (int i = 0; i < w; ++i)
            for (int j = i + 1; j < w; ++j) {
                const std::int64_t p = pairs.Index(level, i, j);
                const int c = known->classOf[p];
                const bool negated = known->parityOf[p] != 0;
                literal[p] = negated ? SatSolver::Negative(c) : SatSolver::Positive(c);
                const bool first = hintPosition[members[i]] < hintPosition[members[j]];
                votes[c] += (first != negated) ? 1 : -1;
            }
    }
    for (int c = 0; c < known->count; ++c) solver.AddVariable(votes[c] > 0);

    auto lowerFirst = [&](std::int64_t p) {
        const int lit = literal[p];
        return solver.ValueOf(SatSolver::VarOf(lit)) != ((lit & 1) != 0);
    };
    std::vector<std::uint8_t> before;
    std::vector<int> wins, seen;
    for (;;) {
        if (!solver.Solve()) return result;
        bool added = false;
        for (int level = 0; level < levels; ++level) {
            const int w = static_cast<int>(g.Level(level).size());
            if (w < 3) continue;
            wins.assign(w, 0);
            for (int i = 0; i < w; ++i)
                for (int j = i + 1; j < w; ++j) ++wins[lowerFirst(pairs.Index(level, i, j)) ? i : j];
            seen.assign(w, 0);
            bool transitive = true;
            for (int i = 0; i < w && transitive; ++i) transitive = seen[wins[i]]++ == 0;
            if (transitive) continue;

            before.assign(static_cast<std::size_t>(w) * w, 0);
            for (int i = 0; i < w; ++i)
                for (int j = i + 1; j < w; ++j) {
                    const bool first = lowerFirst(pairs.Index(level, i, j));
                    before[i * w + j] = first;
                    before[j * w + i] = !first;
                }
            auto precedes = [&](int a, int b) {
                const int lit = literal[pairs.Index(level, a, b)];
                return a < b ? lit : SatSolver::Negate(lit);
            };
            // When i precedes j but j precedes at least as many, some k closes a cycle i, j, k.
            int found = 0;
            const int limit = 4 * w;
            for (int i = 0; i < w && found < limit; ++i)
                for (int j = 0; j < w && found < limit; ++j) {
                    if (i == j || !before[i * w + j] || wins[i] > wins[j]) continue;
                    for (int k = 0; k < w; ++k) {
                        if (before[j * w + k] && before[k * w + i]) {
                            solver.AddClause({SatSolver::Negate(precedes(i, j)), SatSolver::Negate(precedes(j, k)),
                                              SatSolver::Negate(precedes(k, i))});
                            ++found;
                            break;
                        }
                    }
                }
            added = true;
        }
        if (!added) break;
    }

    result.planar = true;
    result.hasOrders = true;
    result.orders.assign(levels, {});
    for (int level = 0; level < levels; ++level) {
        const auto& members = g.Level(level);
        const int w = static_cast<int>(members.size());
        auto& order = result.orders[level];
        order.assign(w, -1);
        wins.assign(w, 0);
        for (int i = 0; i < w; ++i)
            for (int j = i + 1; j < w; ++j) ++wins[lowerFirst(pairs.Index(level, i, j)) ? i : j];
        for (int i = 0; i < w; ++i) order[w - 1 - wins[i]] = members[i];
    }
    return result;
}
