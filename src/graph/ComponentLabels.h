#pragma once
// Connected components of a light graph.

#include <cstdint>
#include <vector>

#include "graph/LightGraph.h"

// The component index of every vertex. Components are numbered in the order of their first
// vertex, as the document's component labelling numbers them for vertices in element order.
std::vector<std::int32_t> ComponentLabels(const LightGraph& g);
