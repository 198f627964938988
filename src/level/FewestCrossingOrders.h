#pragma once
// Orders for one connected proper level graph with as few crossings as can be found: a
// level-planar graph gets the exact test's orders and no crossing, any other graph the
// crossing minimiser's orders. The desktop command and the Python module both draw each
// component this way.

#include <cstdint>

#include "level/CrossingMinimizer.h"
#include "level/LevelGraph.h"

// Pairs of vertices on the same level, summed over the levels.
std::int64_t SameLevelPairs(const LevelGraph& g);

// False where two adjacent levels alone rule out a drawing without crossings.
bool GapsMayBeLevelPlanar(const LevelGraph& g);

// `options.progress` is passed on to the minimiser; the exact test is not cancelled.
CrossingMinimizerResult FewestCrossingOrders(const LevelGraph& g, const CrossingMinimizerOptions& options);
