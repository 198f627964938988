#pragma once
// Global sifting (Bachmaier, Brandenburg, Brunner and Huebner, "Global k-Level Crossing
// Reduction", JGAA 15(5), 2011): the vertices of a long edge move as one block across all
// the levels they pass, so the edge is placed as a whole where plain sifting would have to
// drag its bends one level at a time and never sees the gain.
//
// Blocks are the maximal vertical paths of vertices with exactly one neighbour below and one
// above (the bends of a long edge; any such path qualifies) and every other vertex alone.
// All blocks stand in one total order, the orders of the levels are the ones it induces,
// and each block in turn goes to the place in that total order with the fewest crossings.

#include <cstdint>

#include "level/LevelGraph.h"

struct GlobalSiftingResult {
    LevelOrders orders;
    std::int64_t crossings = 0;
};

// Rounds of global sifting from `orders` until a round gains nothing or `work` (pairs of
// edges compared) runs out; `work` is decreased by what was spent. Every block move lowers
// the crossings or leaves them, but the total order read from `orders` may already differ
// from them where two long edges cross each other twice, so the caller compares the result.
GlobalSiftingResult GlobalSifting(const LevelGraph& g, const LevelOrders& orders, std::int64_t& work);
