#pragma once
// Level planarity of a small tree whose n vertices lie on the levels 1..n, one vertex per
// level, as the batch experiments need it for every assignment: the proper graph is never
// built and nothing is allocated per assignment. The answer is exact: the order
// constraints between independent edges are settled by a union-find with parities, then a
// search over the values of the constraint classes looks for orders without a cycle on
// any level.

#include <array>
#include <cstdint>
#include <utility>
#include <vector>

class TreeLevelPlanarity {
public:
    static constexpr int kMaxVertices = 16;

    // A tree (or forest) of at most kMaxVertices vertices.
    TreeLevelPlanarity(int vertexCount, std::vector<std::pair<int, int>> edges);

    // track[v] is the level (1..n) of vertex v; every level holds at most one vertex, and
    // a vertex on track 0 is left out with its edges (the drawing of an induced subgraph).
    bool IsLevelPlanar(const int* track);

private:
    static constexpr int kMaxWidth = kMaxVertices;                       // the tree vertex and one bend per edge
    static constexpr int kMaxPairs = kMaxVertices * kMaxWidth * (kMaxWidth - 1) / 2;
    struct Tied {
        std::uint8_t i, j; // places on the level, i < j
        std::uint8_t parity;
        std::int16_t cls;  // class number
    };
    // False when the constraints contradict each other; `wide` tells whether some level
    // holds three or more vertices (otherwise no order can have a cycle).
    bool Settle(const int* track, bool& wide);
    int Find(int x, std::uint8_t& parity);
    bool LevelAcyclic(int level) const;
    bool SearchClassValues();

    int m_n;
    std::vector<std::pair<int, int>> m_edges;
    std::array<std::int8_t, kMaxVertices> m_lo{}, m_hi{};
    std::array<int, kMaxVertices + 1> m_base{};
    std::array<std::int8_t, kMaxVertices> m_width{};
    std::array<std::array<std::int8_t, kMaxVertices>, kMaxVertices> m_local{}; // [edge][level]
    std::array<std::int16_t, kMaxPairs> m_parent{}, m_size{}, m_class{};
    std::array<std::uint8_t, kMaxPairs> m_parity{};
    std::array<Tied, kMaxPairs> m_tied{};
    std::array<int, kMaxVertices + 1> m_tiedStart{};
    std::array<int, kMaxVertices> m_lastClass{};
    std::array<std::uint8_t, kMaxPairs> m_value{}, m_tried{};
};
