#pragma once
// Crossings of a drawing given as positions and coloured edges, without a document: the
// count the status bar shows for the same drawing.

#include <array>
#include <cstdint>
#include <span>
#include <vector>

#include "graph/LightGraph.h"
#include "model/Geometry.h"

// `centres` holds the centre of every vertex, `codes` the colour code (1..8) of every edge
// (blue when empty). Index code - 1 of the result counts the crossings of that colour;
// edges of different colours never cross in this count, nor do edges with a common end.
std::array<std::int32_t, 8> CountCrossingsOf(const LightGraph& g, std::span<const Point> centres,
                                             std::span<const std::uint16_t> codes = {});
