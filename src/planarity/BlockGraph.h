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

struct ElementGraph;
class BlockSearch;

// The other end of an edge at v (v must be an end); inline for the loops over whole graphs.
inline CVertex* OtherEnd(const CEdge* e, const CVertex* v) { return e->m_v1 == v ? e->m_v2 : e->m_v1; }

struct BlockGraph {
    std::vector<CVertex*> vertices; // local index -> vertex
    std::vector<CEdge*> edges;      // the block's edges, in list order; EdgeEnd::edgeId indexes them
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

// The blocks of the components of a run, sorted out in one pass over each component, so
// that a component with many blocks costs no more than one with a single block. The
// arrays over the run's indices are made once and serve every component.
class ComponentBlocks {
public:
    explicit ComponentBlocks(const ElementGraph& g);

    // Sorts the edges of one component by the blocks `search` found in it. `vertices` and
    // `edges` are the component's, as indices, in list order.
    void Split(const BlockSearch& search, std::span<const std::int32_t> vertices, std::span<const std::int32_t> edges,
               std::int32_t blockCount);
    // Block k of the last split: its edges in list order, its vertices (the ends of those
    // edges, first end first, each once) and its graph.
    void Build(std::int32_t k, std::vector<CEdge*>& blockEdges, std::vector<CVertex*>& blockVertices, BlockGraph& out);

private:
    struct Incidence {
        std::int32_t vertex;
        std::int32_t edge;
    };
    const ElementGraph& m_g;
    std::vector<std::int32_t> m_edgeStart; // block k's edges: m_edges[m_edgeStart[k] ..]
    std::vector<std::int32_t> m_edges;
    std::vector<std::int32_t> m_incidenceStart;
    std::vector<Incidence> m_incidences; // by block, then by vertex, in adjacency order
    std::vector<std::int32_t> m_slot;    // by edge index: position in m_edges
    std::vector<std::int32_t> m_localOf; // by vertex index: local index in the block being built
    std::vector<std::int64_t> m_stamp;   // by vertex index: the block that gave the local index
    std::int64_t m_firstBlock = 0;       // blocks are stamped across components
    std::int64_t m_nextBlock = 0;
};
