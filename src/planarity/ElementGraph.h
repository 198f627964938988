#pragma once
// The vertices and edges of a planarity run by dense index: their positions in the lists
// the run was given. Each vertex keeps its edges in its adjacency order. The run keeps its
// scratch state in arrays over these indices rather than in the elements.

#include <cstdint>
#include <span>
#include <utility>
#include <vector>

class CVertex;
class CEdge;

struct ElementGraph {
    std::vector<CVertex*> vertices;
    std::vector<CEdge*> edges;
    // The vertex indices of each edge's two ends (first end first).
    std::vector<std::pair<std::int32_t, std::int32_t>> ends;
    // The edges of vertex v, as edge indices: adjacency[start[v] .. start[v + 1]). An edge
    // that is not in the edge list, or whose other end is not in the vertex list, is left
    // out; a self-loop is listed twice, as in the vertex's own list.
    std::vector<std::int32_t> start;
    std::vector<std::int32_t> adjacency;

    std::int32_t VertexCount() const { return static_cast<std::int32_t>(vertices.size()); }
    std::int32_t EdgeCount() const { return static_cast<std::int32_t>(edges.size()); }
    std::span<const std::int32_t> EdgesOf(std::int32_t v) const {
        return {adjacency.data() + start[v], adjacency.data() + start[v + 1]};
    }
    std::int32_t Other(std::int32_t e, std::int32_t v) const {
        return ends[e].first == v ? ends[e].second : ends[e].first;
    }
};

// Indexes `vertices` and `edges` (each element once). Edges with an end outside `vertices`
// get -1 for that end.
ElementGraph BuildElementGraph(std::vector<CVertex*> vertices, std::vector<CEdge*> edges);
