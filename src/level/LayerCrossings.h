#pragma once
// Crossings of a level drawing counted gap by gap with an accumulator tree (Barth, Juenger
// and Mutzel, "Simple and Efficient Bilayer Cross Counting"): O(E log V) per pair of
// tracks, where testing every pair of edges would be quadratic.

#include <cstdint>
#include <span>
#include <utility>
#include <vector>

#include "level/LevelGraph.h"

// Reusable buffers; one counter serves any number of gaps.
class LayerCrossingCounter {
public:
    // Crossings among edges given as (position below, position above); positions above
    // lie in 0..upperWidth-1. Two edges with a common end never cross.
    std::int64_t Count(std::span<const std::pair<int, int>> ends, int lowerWidth, int upperWidth);

private:
    std::vector<int> m_bucketStart, m_byUpper, m_sorted, m_tree;
};

// The crossings of the gap above `level` for vertex positions `position` (by vertex).
std::int64_t GapCrossings(const LevelGraph& g, int level, const std::vector<int>& position,
                          LayerCrossingCounter& counter, std::vector<std::pair<int, int>>& scratch);

// All crossings of the graph drawn in the given orders.
std::int64_t LevelCrossings(const LevelGraph& g, const LevelOrders& orders);
