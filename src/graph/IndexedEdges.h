#pragma once
// The document's edges as pairs of vertex positions, and a linear check for repeated
// pairs: the graph checks that the planarity commands run before every test.

#include <cstdint>
#include <span>
#include <utility>
#include <vector>

class CVertex;
class CEdge;

using VertexPair = std::pair<std::int32_t, std::int32_t>;

struct IndexedEdges {
    // Per edge of the list, the positions of m_v1 and m_v2 in the vertex list (loops too).
    std::vector<VertexPair> m_ends;
    // False when an edge ends outside the vertex list; m_ends is then incomplete.
    bool m_complete = true;
};

//! The ends of `edges` by their positions in `vertices`, in one pass over each list. With
//! `highlighted`, also a flag per edge: whether its m_highlight is set (the same pass reads
//! it, where a later one would fetch every edge again).
IndexedEdges IndexEdges(const std::vector<CVertex*>& vertices, const std::vector<CEdge*>& edges,
                        std::vector<std::uint8_t>* highlighted = nullptr);

//! True when two of the pairs join the same two vertices, in either direction; two loops
//! at one vertex repeat, one does not. Vertices are 0..n-1. Linear in n and the pairs.
bool HasRepeatedPair(std::int32_t n, std::span<const VertexPair> pairs);

//! The simple-graph check of CLattixDoc::IsSimple for these lists, given their indexed ends
//! (as IndexEdges made them), so that a caller that needs the ends as well indexes once.
bool IsSimpleGraph(const std::vector<CVertex*>& vertices, const std::vector<CEdge*>& edges,
                   const IndexedEdges& indexed);
