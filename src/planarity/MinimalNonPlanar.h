#pragma once
// Shrinking a non-planar graph to a minimal non-planar subgraph, which by Kuratowski's
// theorem is a subdivision of K5 or K3,3.

#include <cstdint>
#include <functional>
#include <optional>
#include <span>
#include <vector>

#include "planarity/LeftRightPlanarity.h"

// Told the number of edges still undecided; returning false abandons the search.
using ShrinkProgress = std::function<bool(std::int64_t undecided)>;

//! The edges (indices, increasing) of a minimal non-planar subgraph of a simple
//! non-planar graph, or nothing when `progress` cancels. `order` lists the edges in the
//! order their deletion is tried; an edge missing from it is kept from the start, which
//! is right only for edges that every non-planar subgraph contains.
std::optional<std::vector<std::int32_t>> MinimalNonPlanarSubgraph(std::int32_t n, std::span<const PlanarEdge> edges,
                                                                  std::span<const std::int32_t> order,
                                                                  const ShrinkProgress& progress = {});
