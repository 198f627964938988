#pragma once
// The vertex-exchange graph of the component under test, with the level graph it was
// built on and the document vertex behind every level graph vertex.

#include <vector>

#include "level/LevelGraph.h"
#include "level/VertexExchangeGraph.h"

class CVertex;

struct ComponentExchangeGraph {
    LevelGraph graph;
    std::vector<CVertex*> vertices; // by level graph index, in the order of the sorted list
    // A cycle between two adjacent levels already proves the component not level planar;
    // the exchange graph is then not built (it would hold every pair of the cycle's edges).
    bool cyclicGap = false;
    // Set before the build when only the verdict is wanted: the exchange graph then keeps
    // no components.
    bool verdictOnly = false;
    VertexExchangeGraph veg;
    // Per level, the centre x of every vertex of the component on it, hidden ones included,
    // sorted; the drawing counts the vertices between the two of a pair with it.
    std::vector<std::vector<std::int64_t>> levelXs;
};
