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
    // Input edges in every non-planar subgraph of the core (not in m_order).
    std::vector<std::int32_t> m_needed;
};

//! The core of a simple non-planar graph, given the left-right test's conflict on it; it
//! lies in the conflict's component, and the work grows with the core, not the graph,
//! beyond one pass to index the edges.
NonPlanarCore LocateNonPlanarCore(std::int32_t n, std::span<const PlanarEdge> edges, LeftRightConflict conflict);
