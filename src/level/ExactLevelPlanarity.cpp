// The exact level planarity method (see LevelPlanarityMethod.h). Per candidate solution
// every level's constrained pairs are oriented and sorted topologically; a level that
// does not sort has a directed cycle, and the clause "not all of these orientations"
// excludes it. A cycle with a constrained chord splits into two shorter cycles one of which
// is also directed, so cycles are cut down until chordless before they become clauses:
// among constrained pairs that are all tied to each other this gives the transitivity
// triangles, and elsewhere it keeps the free pairs out of the clauses.

#include <algorithm>
#include <cstdint>
#include <queue>

#include "level/AugmentedLevelOrders.h"
#include "level/LevelPairClasses.h"
#include "level/LevelPlanarityMethod.h"
#include "level/SatSolver.h"
#include "model/ReleaseStorage.h"

namespace {

class CycleSearch {
public:
    CycleSearch(const LevelGraph& g, const LevelPairs& pairs, const PairClasses& classes,
                const std::vector<int>& variableOf, const std::vector<int>& hintPosition)
        : m_g(g), m_pairs(pairs), m_classes(classes), m_variableOf(variableOf), m_hintPosition(hintPosition) {}

    // The literal "rank a comes before rank b" on the level, or -1 for a free pair.
    int Precedes(int level, int a, int b) const {
        const std::int64_t p = m_pairs.Index(level, a, b);
        const int var = m_variableOf[m_classes.ClassOf(p)];
        if (var < 0) return -1;
        const int lowerFirst = SatSolver::Positive(var) | m_classes.ParityOf(p);
        return a < b ? lowerFirst : SatSolver::Negate(lowerFirst);
    }
    bool Before(const SatSolver& solver, int level, int a, int b) const {
        const int lit = Precedes(level, a, b);
        return lit >= 0 && solver.ValueOf(SatSolver::VarOf(lit)) != ((lit & 1) != 0);
    }

    // Sorts the level's ranks by the orientations the solver gives the constrained pairs,
    // preferring the hint's order among the ranks that are free to go next. False when they
    // hold a directed cycle; then up to `budget` cycle clauses go to `clauses`.
    bool SortLevel(const SatSolver& solver, int level, std::vector<int>& order,
                   std::vector<std::vector<int>>& clauses, int budget) {
        const auto& members = m_g.Level(level);
        const int w = static_cast<int>(members.size());
        BuildSuccessors(solver, level, w);
        std::vector<int> indegree(w, 0);
        for (int s : m_successors) ++indegree[s];
        auto later = [&](int a, int b) { return m_hintPosition[members[a]] > m_hintPosition[members[b]]; };
        std::priority_queue<int, std::vector<int>, decltype(later)> ready(later);
        for (int r = 0; r < w; ++r)
            if (indegree[r] == 0) ready.push(r);
        order.clear();
        while (!ready.empty()) {
            const int r = ready.top();
            ready.pop();
            order.push_back(r);
            for (int i = m_start[r]; i < m_start[r + 1]; ++i)
                if (--indegree[m_successors[i]] == 0) ready.push(m_successors[i]);
        }
        if (static_cast<int>(order.size()) == w) return true;
        FindCycles(solver, level, w, indegree, clauses, budget);
        return false;
    }

private:
    void BuildSuccessors(const SatSolver& solver, int level, int w) {
        m_start.assign(w + 1, 0);
        for (int i = 0; i < w; ++i)
            for (int j = i + 1; j < w; ++j) {
                const int lit = Precedes(level, i, j);
                if (lit < 0) continue;
                ++m_start[(solver.ValueOf(SatSolver::VarOf(lit)) != ((lit & 1) != 0) ? i : j) + 1];
            }
        for (int r = 0; r < w; ++r) m_start[r + 1] += m_start[r];
        m_successors.resize(m_start[w]);
        std::vector<int> fill(m_start.begin(), m_start.end() - 1);
        for (int i = 0; i < w; ++i)
            for (int j = i + 1; j < w; ++j) {
                const int lit = Precedes(level, i, j);
                if (lit < 0) continue;
                if (solver.ValueOf(SatSolver::VarOf(lit)) != ((lit & 1) != 0)) m_successors[fill[i]++] = j;
                else m_successors[fill[j]++] = i;
            }
    }

    // Depth-first search over the ranks the sort could not place (every cycle lies among
    // them); each edge back into the search path closes a cycle.
    void FindCycles(const SatSolver& solver, int level, int w, const std::vector<int>& indegree,
                    std::vector<std::vector<int>>& clauses, int budget) {
        enum : std::uint8_t { kWhite, kOnPath, kDone };
        std::vector<std::uint8_t> state(w, kDone);
        for (int r = 0; r < w; ++r)
            if (indegree[r] > 0) state[r] = kWhite;
        std::vector<int> path, next;
        std::vector<int> cycle;
        for (int root = 0; root < w && budget > 0; ++root) {
            if (state[root] != kWhite) continue;
            path.assign(1, root);
            next.assign(1, m_start[root]);
            state[root] = kOnPath;
            while (!path.empty() && budget > 0) {
                const int r = path.back();
                if (next.back() == m_start[r + 1]) {
                    state[r] = kDone;
                    path.pop_back();
                    next.pop_back();
                    continue;
                }
                const int s = m_successors[next.back()++];
                if (state[s] == kWhite) {
                    state[s] = kOnPath;
                    path.push_back(s);
                    next.push_back(m_start[s]);
                } else if (state[s] == kOnPath) {
                    cycle.assign(std::find(path.begin(), path.end(), s), path.end());
                    Shorten(solver, level, cycle);
                    std::vector<int> clause;
                    for (std::size_t t = 0; t < cycle.size(); ++t)
                        clause.push_back(SatSolver::Negate(Precedes(level, cycle[t], cycle[(t + 1) % cycle.size()])));
                    clauses.push_back(std::move(clause));
                    --budget;
                }
            }
        }
    }

    // Replaces a directed cycle by a chordless one: a constrained chord a-b, either way
    // round, closes a directed cycle with one of the two arcs it cuts off.
    void Shorten(const SatSolver& solver, int level, std::vector<int>& cycle) const {
        for (bool changed = true; changed && cycle.size() > 3;) {
            changed = false;
            const std::size_t k = cycle.size();
            for (std::size_t a = 0; a < k && !changed; ++a)
                for (std::size_t b = a + 2; b < k && !changed; ++b) {
                    if (a == 0 && b == k - 1) continue;
                    if (Precedes(level, cycle[a], cycle[b]) < 0) continue;
                    if (Before(solver, level, cycle[a], cycle[b]))
                        cycle.erase(cycle.begin() + a + 1, cycle.begin() + b);
                    else
                        cycle = std::vector<int>(cycle.begin() + a, cycle.begin() + b + 1);
                    changed = true;
                }
        }
    }

    const LevelGraph& m_g;
    const LevelPairs& m_pairs;
    const PairClasses& m_classes;
    const std::vector<int>& m_variableOf;
    const std::vector<int>& m_hintPosition;
    std::vector<int> m_start, m_successors;
};

// Orders built level by level from the lowest: each level sorted topologically by the
// constrained pairs whose classes lower levels have settled, ties (and, should the settled
// pairs hold a cycle, everything left) in the order of `preferred`; the level's order then
// settles the classes it meets first. `value` holds -1 for free classes, and receives 1 for
// a class whose parity-0 pairs put the lower rank first. While the sweep runs, bit 1 of a
// value marks the class settled: one byte read per pair, the pairs' classes being spread
// far over the array.
LevelOrders SweepOrders(const LevelGraph& g, const LevelPairs& pairs, const PairClasses& classes,
                        const LevelOrders& preferred, std::vector<std::int8_t>& value) {
    std::vector<int> position(g.VertexCount(), 0);
    for (const auto& level : preferred)
        for (int r = 0; r < static_cast<int>(level.size()); ++r) position[level[r]] = r;
    constexpr std::int8_t kSettled = 2;
    LevelOrders orders(g.LevelCount());
    std::vector<int> start, successors, indegree, fill, place;
    for (int level = 0; level < g.LevelCount(); ++level) {
        const auto& members = g.Level(level);
        const int w = static_cast<int>(members.size());
        // Calls visit(i, j, lowerFirst) for each settled pair of ranks i < j; a row's pairs
        // have consecutive indices.
        auto forSettled = [&](auto visit) {
            for (int i = 0; i + 1 < w; ++i) {
                const std::int64_t row = pairs.Index(level, i, i + 1) - (i + 1);
                for (int j = i + 1; j < w; ++j) {
                    const std::uint32_t k = classes.packed[row + j];
                    const std::int8_t v = value[k & 0x7FFFFFFFu];
                    if (v >= kSettled) visit(i, j, ((v & 1) ^ (k >> 31)) != 0);
                }
            }
        };
        start.assign(w + 1, 0);
        forSettled([&](int i, int j, bool lowerFirst) { ++start[(lowerFirst ? i : j) + 1]; });
        for (int r = 0; r < w; ++r) start[r + 1] += start[r];
        successors.resize(start[w]);
        fill.assign(start.begin(), start.end() - 1);
        indegree.assign(w, 0);
        forSettled([&](int i, int j, bool lowerFirst) {
            successors[fill[lowerFirst ? i : j]++] = lowerFirst ? j : i;
            ++indegree[lowerFirst ? j : i];
        });
        auto later = [&](int a, int b) { return position[members[a]] > position[members[b]]; };
        std::priority_queue<int, std::vector<int>, decltype(later)> ready(later);
        for (int r = 0; r < w; ++r)
            if (indegree[r] == 0) ready.push(r);
        place.assign(w, -1);
        auto& order = orders[level];
        while (!ready.empty()) {
            const int r = ready.top();
            ready.pop();
            place[r] = static_cast<int>(order.size());
            order.push_back(members[r]);
            for (int k = start[r]; k < start[r + 1]; ++k)
                if (--indegree[successors[k]] == 0) ready.push(successors[k]);
        }
        if (static_cast<int>(order.size()) < w) {
            std::vector<int> rest;
            for (int r = 0; r < w; ++r)
                if (place[r] < 0) rest.push_back(r);
            std::sort(rest.begin(), rest.end(), [&](int a, int b) { return later(b, a); });
            for (int r : rest) {
                place[r] = static_cast<int>(order.size());
                order.push_back(members[r]);
            }
        }
        for (int i = 0; i + 1 < w; ++i) {
            const std::int64_t row = pairs.Index(level, i, i + 1) - (i + 1);
            for (int j = i + 1; j < w; ++j) {
                const std::uint32_t k = classes.packed[row + j];
                std::int8_t& v = value[k & 0x7FFFFFFFu];
                if (v != 0) continue; // free, or settled already
                v = static_cast<std::int8_t>(kSettled | ((place[i] < place[j]) ^ (k >> 31)));
            }
        }
    }
    for (std::int8_t& v : value)
        if (v > 0) v &= 1;
    return orders;
}

} // namespace

LevelPlanarityResult ExactLevelPlanarity::Test(const LevelGraph& g, const LevelOrders* hint, const PairClasses* known) {
    LevelPlanarityResult result;
    if (!GapsAreForests(g)) return result;
    const int levels = g.LevelCount();
    const LevelPairs pairs(g);
    PairClasses computed;
    if (!known) {
        if (!FindPairClasses(g, pairs, computed)) return result;
        known = &computed;
    }

    // A class of one pair is a pair that no constraint mentions (a constraint ties pairs of
    // two levels). Only the other classes get a variable.
    std::vector<std::uint8_t> members(known->count, 0);
    for (std::int64_t p = 0; p < pairs.Count(); ++p) {
        auto& m = members[known->ClassOf(p)];
        m = static_cast<std::uint8_t>(std::min(m + 1, 2));
    }
    std::vector<std::int8_t> value(known->count, -1);
    for (int c = 0; c < known->count; ++c)
        if (members[c] > 1) value[c] = 0;
    ReleaseStorage(members);
    // Work counted in pair visits: the sweep and every round of the search visit each pair
    // once, a restart of the solver each variable about once.
    const std::int64_t budget = m_workBudget >= 0 ? m_workBudget : AugmentationWork(g) + 2 * pairs.Count();
    std::int64_t spent = pairs.Count();
    // The progress shown stays where the search left it.
    double sorted = 0.0;
    auto fallBack = [&] {
        std::function<bool()> keepGoing;
        if (m_progress) keepGoing = [&] { return m_progress(sorted); };
        return AugmentedLevelOrders(g, keepGoing);
    };
    // First values from a sweep upwards; they satisfy every constraint whenever the sweep
    // meets no cycle, and the search then has nothing left to do.
    const LevelOrders first = SweepOrders(g, pairs, *known, hint ? *hint : g.Levels(), value);
    if (spent > budget) return fallBack();
    if (!HasLevelCrossing(g, first)) {
        // Orders without a crossing settle the question; the solver's per-class state, the
        // largest part of the search's memory, is then never made.
        result.planar = true;
        result.hasOrders = true;
        result.orders = first;
        return result;
    }
    std::vector<int> hintPosition(g.VertexCount(), 0);
    for (const auto& level : first)
        for (int r = 0; r < static_cast<int>(level.size()); ++r) hintPosition[level[r]] = r;
    SatSolver solver;
    std::vector<int> variableOf(known->count, -1);
    for (int c = 0; c < known->count; ++c)
        if (value[c] >= 0) variableOf[c] = solver.AddVariable(value[c] > 0);
    ReleaseStorage(value);

    CycleSearch search(g, pairs, *known, variableOf, hintPosition);
    result.orders.assign(levels, {});
    std::vector<int> order;
    std::vector<std::vector<int>> clauses;
    // `sorted`: the share of levels that sorted in the latest round, for the progress.
    auto keepGoing = [&] { return !m_progress || m_progress(sorted); };
    bool overBudget = false;
    solver.SetKeepGoing([&] {
        spent += solver.VariableCount();
        overBudget = spent > budget;
        return !overBudget && keepGoing();
    });
    if (!keepGoing()) {
        result.cancelled = true;
        result.orders.clear();
        return result;
    }
    for (;;) {
        if (!solver.Solve()) {
            if (overBudget) return fallBack();
            result.cancelled = solver.Interrupted();
            result.orders.clear();
            return result;
        }
        clauses.clear();
        int acyclic = 0;
        for (int level = 0; level < levels; ++level) {
            const int w = static_cast<int>(g.Level(level).size());
            if (!search.SortLevel(solver, level, order, clauses, 4 * w)) continue;
            ++acyclic;
            auto& out = result.orders[level];
            out.clear();
            for (int r : order) out.push_back(g.Level(level)[r]);
        }
        if (clauses.empty()) break;
        spent += pairs.Count();
        if (spent > budget) return fallBack();
        sorted = levels > 0 ? double(acyclic) / levels : 1.0;
        if (!keepGoing()) {
            result.cancelled = true;
            result.orders.clear();
            return result;
        }
        for (auto& clause : clauses)
            if (!solver.AddClause(std::move(clause))) {
                result.orders.clear();
                return result;
            }
    }
    result.planar = true;
    result.hasOrders = true;
    return result;
}
