#pragma once
// Connected components of a light graph.

#include <cstdint>
#include <span>
#include <utility>
#include <vector>

#include "graph/LightGraph.h"

// The component index of every vertex. Components are numbered in the order of their first
// vertex, as the document's component labelling numbers them for vertices in element order.
std::vector<std::int32_t> ComponentLabels(const LightGraph& g);

// The same for vertices 0..n-1 joined by the given pairs (each end in 0..n-1), by union-find
// in one pass over the pairs; `count` receives the number of components.
std::vector<std::int32_t> ComponentLabels(std::int32_t n, std::span<const std::pair<std::int32_t, std::int32_t>> pairs,
                                          std::int32_t& count);
