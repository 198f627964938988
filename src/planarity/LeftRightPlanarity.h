#pragma once
// The left-right planarity test of de Fraysseix and Rosenstiehl, in the formulation of
// Brandes ("The Left-Right Planarity Test"): a depth-first orientation, constraint
// pairs of return edges on a stack, and, for planar graphs, a rotation system.
//
// It works on a light graph of its own (vertex indices, edge index pairs), so that the
// document commands, the Kuratowski search and the drawing can share it.

#include <cstdint>
#include <span>
#include <utility>
#include <vector>

using PlanarEdge = std::pair<std::int32_t, std::int32_t>;

// A rotation system: for every vertex, its incident edges in clockwise order.
struct PlanarRotation {
    // Edges of vertex v: m_edges[m_start[v] .. m_start[v + 1]), as edge indices.
    std::vector<std::int32_t> m_start;
    std::vector<std::int32_t> m_edges;
    std::span<const std::int32_t> Around(std::int32_t v) const {
        return {m_edges.data() + m_start[v], m_edges.data() + m_start[v + 1]};
    }
};

//! True when the graph on vertices 0..n-1 is planar. Edges must be simple (no loops, no
//! repeated pairs). With `rotation`, a planar graph also gets a planar rotation system.
bool TestPlanarityLR(std::int32_t n, std::span<const PlanarEdge> edges, PlanarRotation* rotation = nullptr);

// The edges the test had looked at when it found a conflict (empty for a planar graph).
// They usually, though not always, form a non-planar graph already, and a much smaller one.
std::vector<std::int32_t> EdgesSeenBeforeConflict(std::int32_t n, std::span<const PlanarEdge> edges);

struct LeftRightConflict {
    std::vector<std::int32_t> m_seen;       // as EdgesSeenBeforeConflict gives them
    std::vector<std::int32_t> m_atConflict; // the tree and return edges where the test failed, increasing
};
// Both lists from one run of the test (m_seen only with `recordSeen`); empty for a planar
// graph. The edges at the conflict lie near a Kuratowski subdivision, though not always
// on one, and are never empty for a non-planar graph.
LeftRightConflict FindLeftRightConflict(std::int32_t n, std::span<const PlanarEdge> edges, bool recordSeen = true);

// Number of faces the rotation system gives, counting each component's outer face; used to
// confirm an embedding with Euler's formula.
std::int64_t CountFaces(std::int32_t n, std::span<const PlanarEdge> edges, const PlanarRotation& rotation);
