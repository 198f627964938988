#pragma once
// The block-by-block PQ-tree planarity test without a document: a light graph goes in; the
// verdict, the snapshots the PQ-tree window replays and the st-numbers come out.

#include <cstdint>
#include <optional>
#include <span>
#include <string>
#include <vector>

#include "graph/LightGraph.h"
#include "model/PQtreePtr.h"

class CVertex;
class CEdge;

struct PlanarityReplay {
    bool planar = true;
    std::vector<PQtreePtr> snapshots;
    // By vertex: the number the last block holding the vertex gave it; 0 for a vertex in
    // no block, or in none tested before the first non-planar block stopped the test.
    std::vector<std::int32_t> stNumbers;
};

// Tests `g` block by block, components and blocks in the order its element order gives.
// Vertex v is captioned names[v], or its index when `names` is empty. The test walks each
// vertex's edges in the order adjacency[v] lists them (edge indices), as a document walks
// its vertices' edge lists; in edge order when `adjacency` is empty. Nothing for a graph
// that is not valid and simple, or whose names or adjacency do not match it. Snapshots are
// recorded when `record` is set. Throws PlanarityError on a fault of this program.
std::optional<PlanarityReplay> ReplayPlanarity(const LightGraph& g, std::span<const std::string> names = {},
                                               bool record = true,
                                               std::span<const std::vector<std::int32_t>> adjacency = {});

// The loop both the document command and ReplayPlanarity run: every block of every
// component in order, false at the first non-planar block. st-numbers land on the
// vertices; `compVertices` and `blockEdges` hold the component and block under test;
// snapshots go to `sink`, none without one.
bool TestAllBlocks(const std::vector<CVertex*>& vertices, const std::vector<CEdge*>& edges,
                   std::vector<CVertex*>& compVertices, std::vector<CEdge*>& blockEdges,
                   std::vector<PQtreePtr>* sink);
