#pragma once
// The exchanges of the level planar drawing, planned on positions alone so that the
// command knows how many undo steps and pauses will follow before it moves anything.

#include <cstdint>
#include <vector>

#include "level/ComponentExchangeGraph.h"

// An exchange of two vertices of one level: u goes to v's place and v to u's.
struct LevelSwap {
    int u, v; // level graph vertices
};

// The drawing of a component that passed the vertex-exchange test. Level by level, from
// the lowest, the pairs are taken with more vertices between them first; a pair is
// exchanged when it crosses a pair already handled on the level below, or when it meets no
// handled pair and disagrees with the first pair of its VEG component. `x` holds the centre
// x of every level graph vertex and is updated as the exchanges happen.
std::vector<LevelSwap> PlanLevelDrawing(ComponentExchangeGraph& c, std::vector<std::int64_t>& x);

// The same plan, made literally: each level's pairs kept in an array that is sorted again
// after every exchange. PlanLevelDrawing uses it where vertices share an x or some are
// hidden; elsewhere the two give the same plan.
std::vector<LevelSwap> PlanLevelDrawingLiterally(ComponentExchangeGraph& c, std::vector<std::int64_t>& x);

// Exchanges that bring each level into the given order, slot by slot from the left.
std::vector<LevelSwap> SwapsToOrders(const LevelGraph& g, std::vector<std::int64_t>& x, const LevelOrders& target);

// The orders of the level graph's vertices by x (ties in the graph's order).
LevelOrders OrdersByX(const LevelGraph& g, const std::vector<std::int64_t>& x);
