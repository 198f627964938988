#pragma once
// The planarity test on a light graph: the verdict of "&Planarity Testing" without a
// document of the caller's.

#include <optional>
#include <string>

#include "graph/LightGraph.h"

struct PlanarityVerdict {
    // Empty when the test refused the graph (not simple) or failed.
    std::optional<bool> planar;
    // The command's message: "The graph is planar.", "The graph is not simple.", ...
    std::string message;
};

PlanarityVerdict TestPlanarity(const LightGraph& g);
