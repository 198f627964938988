#pragma once
// A small non-planar part of a large non-planar graph, found with a few runs of the
// left-right test, so that the search for a Kuratowski subdivision works on little.

#include <cstdint>
#include <span>
#include <vector>

#include "planarity/LeftRightPlanarity.h"

struct NonPlanarCore {
    // Input edges that form a non-planar graph, in the order their deletion should be
    // tried: far from the needed edge first.
    std::vector<std::int32_t> m_order;
    // An input edge in every non-planar subgraph of the core (not in m_order).
    std::int32_t m_needed = -1;
};

//! The core of a simple non-planar graph. `seen` lists, in their order, the edges the
//! left-right test met before its conflict on this graph.
NonPlanarCore LocateNonPlanarCore(std::int32_t n, std::span<const PlanarEdge> edges, std::vector<std::int32_t> seen);
