#pragma once
// The witness of level non-planarity and crossing minimisation for a light graph with a
// level per vertex, without a document. Edges spanning several levels are routed through
// dummy vertices that exist only inside the run.

#include <cstdint>
#include <functional>
#include <optional>
#include <span>
#include <string>
#include <utility>
#include <vector>

#include "graph/LightGraph.h"

struct LevelWitnessOf {
    // Empty when the graph was refused; `message` then says why.
    std::optional<bool> planar;
    bool cancelled = false;
    // For a graph that is not level planar: indices into the input edges, increasing, of a
    // set that cannot be drawn without crossings and can once any one is removed.
    std::vector<std::int32_t> edges;
    std::string message;
};

struct CrossingMinimumOf {
    bool refused = false; // `message` then says why
    bool cancelled = false;
    bool optimal = false;
    std::int64_t crossings = 0; // counting the bends of long edges as the drawing does
    // Each level that holds vertices, lowest first, with its vertices from left to right.
    std::vector<std::pair<std::int32_t, std::vector<std::int32_t>>> orders;
    std::string message;
};

// `keepGoing` is asked between tests; false cancels.
LevelWitnessOf FindLevelWitnessOf(const LightGraph& g, std::span<const std::int32_t> levels,
                                  const std::function<bool()>& keepGoing = {});

// Starts from the vertices in index order on every level; the same seed gives the same orders.
CrossingMinimumOf MinimizeCrossingsOf(const LightGraph& g, std::span<const std::int32_t> levels, std::uint64_t seed,
                                      const std::function<bool(double)>& progress = {});
