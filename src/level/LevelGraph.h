#pragma once
// A proper level graph as the level planarity methods read it: the vertices of each level
// in their current left-to-right order and the edges between adjacent levels. It knows
// nothing of documents; LevelGraphOf builds one from a component of a document.

#include <cstdint>
#include <span>
#include <vector>

class CVertex;
class CEdge;

// Per level, vertex indices from left to right.
using LevelOrders = std::vector<std::vector<int>>;

class LevelGraph {
public:
    struct Edge {
        int lower; // on level L
        int upper; // on level L + 1
    };

    // Vertices are added level by level or in any order; Finish sorts out the levels.
    int AddVertex(int level, std::int64_t x);
    void AddEdge(int lower, int upper);
    // Orders each level by x (ties keep the order of addition), ranks the vertices and
    // indexes the edges by level.
    void Finish();

    int VertexCount() const { return static_cast<int>(m_level.size()); }
    int LevelCount() const { return static_cast<int>(m_levels.size()); }
    int LevelOf(int v) const { return m_level[v]; }
    // Position of v in its level's order.
    int RankOf(int v) const { return m_rank[v]; }
    std::int64_t XOf(int v) const { return m_x[v]; }
    const std::vector<int>& Level(int level) const { return m_levels[level]; }
    const LevelOrders& Levels() const { return m_levels; }
    const std::vector<Edge>& Edges() const { return m_edges; }
    // Edges whose lower end lies on `level`.
    std::span<const int> EdgesBelowGap(int level) const;
    // Neighbours of v one level up or down, sorted by index.
    std::span<const int> UpperNeighbours(int v) const;
    std::span<const int> LowerNeighbours(int v) const;
    bool HasEdge(int a, int b) const;

private:
    std::vector<int> m_level;
    std::vector<std::int64_t> m_x;
    std::vector<int> m_rank;
    LevelOrders m_levels;
    std::vector<Edge> m_edges;
    std::vector<int> m_gapStart, m_gapEdges;   // edges grouped by the level of their lower end
    std::vector<int> m_upStart, m_up, m_downStart, m_down;
};

// True when two edges between the same two levels cross in the given orders.
bool HasLevelCrossing(const LevelGraph& g, const LevelOrders& orders);

// The graph of document vertices: the non-hidden ones, their tracks numbered upwards as
// levels, x = centre x; the non-hidden edges among them that join adjacent tracks.
// `vertices` receives the document vertex of every index.
LevelGraph LevelGraphOf(const std::vector<CVertex*>& component, const std::vector<CEdge*>& edges,
                        std::vector<CVertex*>& vertices);
