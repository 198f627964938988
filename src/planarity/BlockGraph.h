#pragma once
// One biconnected block as the numbering and the PQ-tree test see it: its vertices with
// local indices, and for each vertex the block edges in the vertex's adjacency order.
// Cut vertices take part in many blocks; walking only their block edges keeps the work of
// a block proportional to the block.

#include <cstdint>
#include <span>
#include <vector>

#include "model/Element.h"
#include "planarity/LowerLeaves.h"

// The other end of an edge at v (v must be an end); inline for the loops over whole graphs.
inline CVertex* OtherEnd(const CEdge* e, const CVertex* v) { return e->m_v1 == v ? e->m_v2 : e->m_v1; }

struct BlockGraph {
    std::vector<CVertex*> vertices; // local index -> vertex
    std::vector<CEdge*> edges;      // the block's edges, in list order
    // Local indices of the two ends of each edge of `edges`.
    std::vector<std::pair<std::int32_t, std::int32_t>> edgeEnds;
    // The ends of vertex i are ends[start[i] .. start[i + 1]); ids are local indices.
    std::vector<std::int32_t> start;
    std::vector<EdgeEnd> ends;

    std::int32_t Size() const { return static_cast<std::int32_t>(vertices.size()); }
    std::span<const EdgeEnd> EndsOf(std::int32_t v) const {
        return {ends.data() + start[v], ends.data() + start[v + 1]};
    }
    void Clear();
};

// The block of `edges` over `vertices`, found by scanning each vertex's adjacency. Edges
// with an end outside `vertices` and self-loops take no part.
void BuildBlockGraph(const std::vector<CVertex*>& vertices, const std::vector<CEdge*>& edges, BlockGraph& out);

// The blocks of one component after the block search, sorted out in one pass over the
// component, so that a component with many blocks costs no more than one with a single
// block. Relies on the search's labels: m_block of every edge and m_level (the DFS number,
// a dense index within the component) of every vertex.
class ComponentBlocks {
public:
    ComponentBlocks(const std::vector<CVertex*>& vertices, const std::vector<CEdge*>& edges, std::int32_t blockCount);

    // Block k: its edges in list order, its vertices (the ends of those edges, first end
    // first, each once) and its graph.
    void Build(std::int32_t k, std::vector<CEdge*>& blockEdges, std::vector<CVertex*>& blockVertices, BlockGraph& out);

private:
    struct Incidence {
        CVertex* vertex;
        CEdge* edge;
    };
    std::vector<std::int32_t> m_edgeStart; // block k's edges: m_edges[m_edgeStart[k] ..]
    std::vector<CEdge*> m_edges;
    std::vector<std::int32_t> m_incidenceStart;
    std::vector<Incidence> m_incidences; // by block, then by vertex, in adjacency order
    std::vector<std::int32_t> m_localOf; // by DFS number: local index in the block being built
    std::vector<std::int32_t> m_stamp;   // by DFS number: last block that gave a local index
};
