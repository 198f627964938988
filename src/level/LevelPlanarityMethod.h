#pragma once
// Two ways to decide whether a proper level graph is level planar, behind one interface so
// that the commands, the experiments and the tests can use either.

#include <cstdint>
#include <functional>

#include "level/LevelGraph.h"
#include "level/LevelPairs.h"

struct LevelPlanarityResult {
    bool planar = false;
    // Orders without crossings between adjacent levels; present when the method found them
    // (the exact method always does for a planar graph).
    LevelOrders orders;
    bool hasOrders = false;
    // The search was cancelled; `planar` then means nothing.
    bool cancelled = false;
};

class LevelPlanarityMethod {
public:
    virtual ~LevelPlanarityMethod() = default;
    virtual LevelPlanarityResult Test(const LevelGraph& g) = 0;
};

// The vertex-exchange graph test: the pairs of each level must keep or swap their orders
// as the independent edges between them demand. It does not look for transitive orders,
// yet its verdict is exact (see LevelPlanarByEquations); its orders are given when its
// labels happen to be transitive. With `asWritten` it ignores contradictory edges (a K2,2
// between two levels), which makes it accept that graph wrongly.
class VertexExchangeMethod final : public LevelPlanarityMethod {
public:
    explicit VertexExchangeMethod(bool asWritten = false) : m_asWritten(asWritten) {}
    LevelPlanarityResult Test(const LevelGraph& g) override;

private:
    bool m_asWritten;
};

// The exact method: the same order constraints, solved as a satisfiability problem over
// the classes that the constraints tie together. A level's order needs only that the
// constrained pairs, oriented as the classes say, form no directed cycle: any such partial
// orientation extends to a linear order, so the pairs no constraint mentions never enter
// the search and are ordered afterwards by a topological sort. Cycle clauses are added only
// for the cycles a candidate solution has, each cut down to a chordless one. Graphs with a
// cycle between two adjacent levels are rejected before any pair is made. `hint` (orders to
// try first) may be null; `known` may hand over the constraint classes when they have been
// found already (the vertex-exchange test finds them as its components).
// `progress`, when given, is called now and then while a search runs with the share of
// levels its latest candidate orders without a cycle; false cancels.
// The search has no polynomial bound. Past a work budget it stops, and the orders come from
// AugmentedLevelOrders, which has one; the default budget is what that would cost, so that
// the two together stay polynomial and every search that finishes within it gives the
// orders it always gave.
class ExactLevelPlanarity final : public LevelPlanarityMethod {
public:
    static constexpr std::int64_t kBudgetOfAugmentation = -1;
    explicit ExactLevelPlanarity(std::function<bool(double)> progress = {},
                                 std::int64_t workBudget = kBudgetOfAugmentation)
        : m_progress(std::move(progress)), m_workBudget(workBudget) {}
    LevelPlanarityResult Test(const LevelGraph& g) override { return Test(g, nullptr, nullptr); }
    LevelPlanarityResult Test(const LevelGraph& g, const LevelOrders* hint, const PairClasses* known);

private:
    std::function<bool(double)> m_progress;
    std::int64_t m_workBudget;
};

// The earlier exact method, one variable per class and transitivity clauses on triples of
// every pair, added a few at a time. Exact but slow where many pairs are unconstrained;
// kept as the reference the faster method is checked against.
class LazyTransitivityLevelPlanarity final : public LevelPlanarityMethod {
public:
    LevelPlanarityResult Test(const LevelGraph& g) override { return Test(g, nullptr, nullptr); }
    LevelPlanarityResult Test(const LevelGraph& g, const LevelOrders* hint, const PairClasses* known);
};
