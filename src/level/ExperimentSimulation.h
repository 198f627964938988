#pragma once
// What the passes of a batch experiment leave behind in a document that holds only the
// experiment's tree, followed without the document.
//
// A pass assigns tracks, splits every edge that spans more than one track by bend vertices
// (3 ids per bend: the bend and its two edges), and the next pass removes those bends again
// (1 id per bend for the joining edge). Between passes the document holds the tree alone,
// and what it looks like then follows from the tracks of each pass:
// - an edge that was not split stays where it was, oriented from the lower to the higher
//   track; a split one is replaced by a new edge at the end of the element list, in the
//   order the edges were split, from the lower to the higher track over two tracks and the
//   other way round over more (the removal of the last bend joins its neighbours in the
//   order of its adjacency list);
// - each vertex keeps the edges that were not split in their order and lists the new ones
//   after them, in the order they were made.
// The positions are not followed: every pass spreads the vertices afresh, and what it
// starts from matters only through the tracks of the pass before.

#include <array>
#include <cstdint>
#include <span>
#include <vector>

struct ExperimentEdge {
    int v1, v2;        // tree vertices, as m_v1 and m_v2
    std::uint32_t id;
};

class ExperimentSimulation {
public:
    static constexpr int kMaxEdges = 16;

    // The tree as built (at most kMaxEdges edges): edges in element order, each vertex
    // listing its edges in the order of the list, ids as given; `nextId` is the id counter
    // after the tree was built.
    ExperimentSimulation(int vertexCount, const std::vector<ExperimentEdge>& edges, std::uint32_t nextId);

    // One pass with tracks[v] (1..n) and the removal of its bends by the next pass.
    void Advance(const int* tracks);

    // Edges in element order (indices into Edge()).
    std::span<const std::uint8_t> Order() const { return {m_order.data(), static_cast<std::size_t>(m_edgeCount)}; }
    const ExperimentEdge& Edge(int e) const { return m_edges[e]; }
    // The edges of vertex v in m_edges order.
    std::span<const std::uint8_t> Adjacency(int v) const {
        return {m_adjacency[v].data(), static_cast<std::size_t>(m_degree[v])};
    }
    std::uint32_t NextId() const { return m_nextId; }

private:
    int m_vertexCount, m_edgeCount;
    std::array<ExperimentEdge, kMaxEdges> m_edges{}; // by tree edge
    std::array<std::uint8_t, kMaxEdges> m_order{};
    std::vector<std::array<std::uint8_t, kMaxEdges>> m_adjacency;
    std::vector<int> m_degree;
    std::vector<std::uint32_t> m_incident; // per vertex, its edges as bits
    std::uint32_t m_lastSplit = 0;         // edges the last pass split, as bits
    std::uint32_t m_nextId;
};
