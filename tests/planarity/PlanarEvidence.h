#pragma once
// Independent checks of the evidence the planarity code gives: a Kuratowski subdivision
// for "no", a straight-line drawing without crossings for "yes".

#include <cstdint>
#include <string>
#include <vector>

#include "KuratowskiOracle.h"

struct IntPoint {
    std::int64_t x, y;
};

// Empty when `chosen` (indices into edges) is a subdivision of K5 (k5) or of K3,3;
// otherwise what is wrong with it.
std::string CheckKuratowskiSubdivision(const EdgeList& edges, const std::vector<int>& chosen, bool k5);

// Empty when the straight-line drawing has no two vertices at one point, no vertex on an
// edge it does not end on and no two edges that meet outside a shared end; otherwise the
// first fault found. Exact integer geometry.
std::string CheckPlanarDrawing(const EdgeList& edges, const std::vector<IntPoint>& points);
