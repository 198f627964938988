#pragma once
// The vertex-exchange graph of a proper level graph: one vertex for every pair of vertices
// on a common level, one edge for every pair of independent edges between two such pairs,
// labelled by whether the two pairs must keep or swap their relative order.
//
// Built in time proportional to its size. Vertices come in the order of the construction
// sequence (pairs (i, j), i < j, of a sequence of the graph's vertices). The lists of
// neighbours are made only for the drawing, which reads them; they are in no particular
// order, as nothing that reads them depends on one.

#include <cstdint>
#include <optional>
#include <span>
#include <vector>

#include "level/LevelGraph.h"
#include "level/LevelPairs.h"

class VertexExchangeGraph {
public:
    struct Vertex {
        int m_u = -1;            // the pair's vertex met first in the sequence
        int m_v = -1;
        int m_level = 0;
        bool m_visited = false;
        bool m_flip = false;     // the label found by the test
        int m_levelIndex = 0;    // used by the drawing
        int m_levelPos = 0;
        int m_component = -1;
    };
    struct Edge {
        int m_a = -1, m_b = -1;
        bool m_keepsOrder = true;
        // Both independent edge pairs between the two pairs exist (a K2,2 between two
        // adjacent levels): the pairs would have to keep and swap their order at once.
        bool m_contradiction = false;
    };
    // A neighbour as listed at a vertex: (other vertex << 1) | 1 when the pairs swap.
    static int NeighbourOf(int entry) { return entry >> 1; }
    static bool Swaps(int entry) { return entry & 1; }

    // `sequence` lists the graph's vertices (each once); within a level it must follow the
    // level's order.
    void Build(const LevelGraph& g, std::span<const int> sequence);

    std::vector<Vertex>& Vertices() { return m_vertices; }
    const std::vector<Vertex>& Vertices() const { return m_vertices; }
    const std::vector<Edge>& Edges() const { return m_edges; }
    bool HasContradiction() const { return m_contradictions > 0; }
    // Makes the neighbour lists (once).
    void ListNeighbours();
    // The neighbours of x, after ListNeighbours.
    std::span<const int> NeighboursOf(int x) const {
        return {m_adjacency.data() + m_adjacencyStart[x], m_adjacency.data() + m_adjacencyStart[x + 1]};
    }
    // The vertex of the pair of level vertices with ranks r1 != r2 on `level`.
    int PairVertex(int level, int r1, int r2) const { return m_pairVertex[m_pairs.Index(level, r1, r2)]; }
    const LevelPairs& Pairs() const { return m_pairs; }
    int VertexOfPair(std::int64_t pairIndex) const { return m_pairVertex[pairIndex]; }

private:
    LevelPairs m_pairs{LevelGraph{}};
    std::vector<Vertex> m_vertices;
    std::vector<Edge> m_edges;
    int m_contradictions = 0;
    std::vector<int> m_adjacencyStart, m_adjacency;
    std::vector<int> m_pairVertex; // by pair index
};

// The test: labels the components of the VEG (numbered in vertex order), 2-colours each
// from its first vertex and sets m_flip, with uLeftOfV[x] telling whether pair x's m_u lies
// strictly left of its m_v. False when a component cannot be coloured, or, unless
// `asWritten`, when the VEG holds a contradictory edge. `classes`, when given, receives
// the components with the parities of the colouring. Which component a pair belongs to and
// its parity do not depend on the order the edges are looked at, so they are found by
// joining the edges' ends in a union-find, which walks the edge list in order instead of
// jumping about the graph.
bool TestVertexExchangeGraph(VertexExchangeGraph& veg, const std::vector<bool>& uLeftOfV, bool asWritten = false,
                             PairClasses* classes = nullptr);

// The orders the labels stand for: in each VEG component the first pair keeps the order it
// had when the VEG was made, the others follow by their labels. None when the labels are
// not transitive on some level (the vertex-exchange graph does not see transitivity).
std::optional<LevelOrders> OrdersFromLabels(const VertexExchangeGraph& veg, const LevelGraph& g,
                                            const std::vector<bool>& uLeftOfV);
