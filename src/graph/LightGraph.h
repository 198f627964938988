#pragma once
// The graph the document-free entry points read: vertices 0..n-1 and edges as index pairs,
// in the order the caller gives them (results that depend on element order keep it).

#include <cstdint>
#include <utility>
#include <vector>

struct LightGraph {
    std::int32_t vertexCount = 0;
    std::vector<std::pair<std::int32_t, std::int32_t>> edges;

    // True when every edge joins two vertices in 0..n-1.
    bool Valid() const;
    // True when no edge is a loop and no two edges join the same pair.
    bool Simple() const;
};
