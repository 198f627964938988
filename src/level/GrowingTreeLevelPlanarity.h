#pragma once
// Level planarity of a small tree drawn one vertex at a time, one vertex per level, for
// searches that place vertices and take them back in stack order. Each placement adds the
// order constraints of its new edges to a union-find with parities that can be undone, so
// a search pays for each edge once per placement instead of once per finished assignment.
// A contradiction shows at once, for the drawing of the placed vertices and so for every
// drawing that contains it; the full answer also needs, on levels of three or more, a
// choice of the constraint classes' values that leaves no cycle.

#include <array>
#include <cstdint>
#include <utility>
#include <vector>

class GrowingTreeLevelPlanarity {
public:
    static constexpr int kMaxVertices = 16;

    // A tree (or forest) of at most kMaxVertices vertices.
    GrowingTreeLevelPlanarity(int vertexCount, const std::vector<std::pair<int, int>>& edges);

    // Puts the unplaced vertex v on the free level `level` (1..n). False when the
    // constraints of the placed vertices' drawing contradict each other, from this
    // placement until it is taken back.
    bool Place(int v, int level);
    // Takes back the vertex placed last.
    void TakeBack();
    // Whether the drawing of the placed vertices is level planar.
    bool IsLevelPlanar();
    bool Contradicted() const { return m_failedAt >= 0; }

private:
    static constexpr int kIds = kMaxVertices;          // per level: 0 the tree vertex, e + 1 a bend of edge e
    static constexpr int kKeys = kMaxVertices * kIds * kIds; // (level, id, id) pairs

    static int Key(int level, int a, int b) { return a < b ? (level * kIds + a) * kIds + b : (level * kIds + b) * kIds + a; }
    int Find(int x, std::uint8_t& parity) const;
    bool Unite(int a, int b, std::uint8_t parity);
    bool LevelAcyclic(int first, int last, int width) const;

    int m_n;
    std::vector<std::pair<int, int>> m_edges;
    std::vector<std::vector<std::pair<int, int>>> m_incident; // (neighbour, edge)
    std::array<std::int8_t, kMaxVertices> m_track{};          // 0-based level, -1 when not placed
    std::array<std::int8_t, kMaxVertices> m_lo{}, m_hi{};     // levels of a drawn edge
    std::array<std::array<std::int8_t, kMaxVertices>, kMaxVertices> m_across{}; // [gap]: drawn edges across it
    std::array<std::int8_t, kMaxVertices> m_acrossCount{};

    std::array<std::int16_t, kKeys> m_parent{}, m_size{};
    std::array<std::uint8_t, kKeys> m_parity{};
    std::vector<std::pair<std::int16_t, std::int16_t>> m_unions; // (child, root) to undo

    struct Placement {
        int vertex;
        std::size_t unions;    // trail length before it
        std::uint16_t drawn;   // edges it drew, one bit each
    };
    std::vector<Placement> m_placed;
    int m_failedAt = -1; // placement whose constraints first contradicted

    // Scratch of IsLevelPlanar.
    struct Tied {
        std::uint8_t i, j; // places on the level, i < j
        std::uint8_t parity;
        std::int16_t cls;
    };
    std::vector<Tied> m_tied;
    std::array<std::int16_t, kKeys> m_class{};
    std::vector<int> m_classed;                        // roots with a class, to reset
    std::array<std::uint8_t, kKeys> m_value{}, m_tried{};
    std::vector<int> m_checkFrom; // per class: the first level whose last class it is
};
