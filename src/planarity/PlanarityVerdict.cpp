#include "planarity/PlanarityVerdict.h"

#include <algorithm>
#include <vector>

#include "planarity/LeftRightPlanarity.h"

PlanarityVerdict TestPlanarity(const LightGraph& g) {
    PlanarityVerdict verdict;
    if (!g.Valid()) {
        verdict.message = "An edge joins a vertex that is not in the graph.";
        return verdict;
    }
    // The command's preamble: a repeated pair of ends (a repeated loop too) is refused, a
    // single loop is not.
    std::vector<PlanarEdge> pairs;
    pairs.reserve(g.edges.size());
    for (const auto& [a, b] : g.edges) pairs.push_back(std::minmax(a, b));
    std::sort(pairs.begin(), pairs.end());
    if (std::adjacent_find(pairs.begin(), pairs.end()) != pairs.end()) {
        verdict.message = "The graph is not simple.";
        return verdict;
    }
    // Loops do not change planarity.
    std::erase_if(pairs, [](const PlanarEdge& e) { return e.first == e.second; });
    verdict.planar = TestPlanarityLR(g.vertexCount, pairs);
    verdict.message = *verdict.planar ? "The graph is planar." : "The graph is non planar.";
    return verdict;
}
