#pragma once
// Level planarity of a light graph with a level per vertex, without a document: the graph
// is made proper with dummy vertices and given to the exact method.

#include <cstdint>
#include <optional>
#include <span>
#include <string>
#include <utility>
#include <vector>

#include "graph/LightGraph.h"

struct LevelPlanarityVerdict {
    // Empty when the graph was refused; `message` then says why.
    std::optional<bool> planar;
    // For a level planar graph: each level that holds vertices, lowest first, with its
    // vertices from left to right in a drawing without crossings.
    std::vector<std::pair<std::int32_t, std::vector<std::int32_t>>> orders;
    std::string message;
};

// `levels` holds the level of every vertex. Levels without vertices are left out: edges
// that pass them cannot change their order there without crossing. `searchBudget` is the
// exact method's work budget (negative: its default); 0 takes the orders from the
// augmentation straight away.
LevelPlanarityVerdict TestLevelPlanarityOf(const LightGraph& g, std::span<const std::int32_t> levels,
                                           std::int64_t searchBudget = -1);
