#pragma once
// Horizontal coordinates for a level drawing whose orders are fixed, after Brandes and
// Koepf, "Fast and Simple Horizontal Coordinate Assignment": each vertex is aligned with a
// median neighbour where no crossing forbids it, long edges (chains of dummies) first, in
// the four combinations of upwards/downwards and leftmost/rightmost; the four layouts are
// balanced by taking the average of the two middle ones for each vertex.

#include <cstdint>
#include <vector>

#include "level/LevelGraph.h"

// Coordinates in units of the separation: vertices of one level keep their order and lie
// at least 1 apart; the smallest coordinate is 0. `dummy` marks the bend vertices of long
// edges (indexed by vertex).
std::vector<std::int64_t> AssignCoordinates(const LevelGraph& g, const LevelOrders& orders,
                                            const std::vector<bool>& dummy);
