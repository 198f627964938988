#pragma once
// Orders without crossings for a level planar graph in time polynomial on every input, with
// the verdict of the crossing equations (LevelPlanarByEquations) as the only oracle. Slower
// than the search on the graphs met in practice; the exact method turns to it when its
// search runs past its work budget.

#include <cstdint>
#include <functional>

#include "level/LevelGraph.h"
#include "level/LevelPlanarityMethod.h"

// `planar` as LevelPlanarByEquations says; for a level planar graph also orders without
// crossings. `keepGoing`, when given, is asked now and then; false cancels. Work is
// O(sum over gaps of n_i * n_(i+1) * (n_i + n_(i+1)) * log(pairs)) for levels of n_i
// vertices, memory a few bytes a same-level pair.
LevelPlanarityResult AugmentedLevelOrders(const LevelGraph& g, const std::function<bool()>& keepGoing = {});

// The bound above without its logarithm: the work units the exact search may spend before
// it hands over.
std::int64_t AugmentationWork(const LevelGraph& g);
