// The first exact level planarity method, kept to check the faster one against. One
// variable per pair of vertices on a level ("the lower-ranked one comes first");
// independent edges between two levels tie two pair variables as equal or opposite, which
// a union-find with parities settles at once. What remains, one variable per class, goes to
// the satisfiability solver together with the transitivity clauses that candidate
// solutions turn out to violate, a few at a time.

#include <algorithm>
#include <cstdint>
#include <numeric>

#include "level/LevelPairClasses.h"
#include "level/LevelPlanarityMethod.h"
#include "level/SatSolver.h"


LevelPlanarityResult LazyTransitivityLevelPlanarity::Test(const LevelGraph& g, const LevelOrders* hint, const PairClasses* known) {
    LevelPlanarityResult result;
    const int levels = g.LevelCount();
    const LevelPairs pairs(g);
    PairClasses computed;
    if (!known) {
        if (!FindPairClasses(g, pairs, computed)) return result;
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
                const int c = known->ClassOf(p);
                const bool negated = known->ParityOf(p) != 0;
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
