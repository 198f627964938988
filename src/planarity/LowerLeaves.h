#pragma once
// The leaves of a vertex's P-node: one per edge to a lower st-number.

#include <cstdint>
#include <span>
#include <vector>

class CNode;
class CEdge;
class CVertex;

// One entry of a vertex's adjacency: the edge, its other end, a dense id of that end
// (equal ids for equal ends) so that parallel edges can be told apart without hashing, and
// a dense id of the edge for the marks a run keeps per edge.
struct EdgeEnd {
    CEdge* edge;
    CVertex* other;
    std::int32_t id;
    std::int32_t edgeId = -1;
};

class VertexLeaves;

class LowerLeafBuilder {
public:
    // Ends passed to Append must have ids below idCount.
    explicit LowerLeafBuilder(std::size_t idCount = 0) { Resize(idCount); }
    void Resize(std::size_t idCount) { m_groups.assign(idCount, Group{}); }

    // Appends to `node`, in the order of `ends`, one leaf per edge whose other end has a
    // lower st-number than v, and registers each leaf in that end's list of `leaves`. Of
    // parallel edges only those before the first change of colour get leaves, of class 2
    // when the colours change at all (otherwise class 0).
    // With `stById`, the st-numbers of the other ends are read there by id instead of from
    // the vertices, and the ids index the lists of `leaves`; without, the lists are found by vertex.
    void Append(CNode& node, const CVertex& v, std::span<const EdgeEnd> ends, VertexLeaves& leaves,
                std::span<const std::int32_t> stById = {});

private:
    struct Group {
        std::uint32_t stamp = 0;
        std::uint16_t firstColor = 0;
        bool mixed = false;       // some edge to this end has another colour
        bool passedOther = false; // an edge of another colour came before
    };
    std::vector<Group> m_groups;
    std::uint32_t m_stamp = 0;
};

// The ends of v's edges in adjacency order, with ids from sorting and edge ids from the
// position in v's list (for a vertex seen alone).
std::vector<EdgeEnd> AdjacencyEnds(const CVertex& v);
