#pragma once
// Crossings between edges of one colour.

#include <array>
#include <cstdint>
#include <span>
#include <vector>

#include "model/Geometry.h"

class CEdge;
class CVertex;

// An edge as a straight segment between the (offset) centres of its end vertices, or its
// stored end points where a vertex is missing.
struct Segment {
    Point a, b;
};
Segment SegmentOf(const CEdge& e);

// The segment intersection test of the crossing counter: 32-bit orientation values, and
// collinear touching counted through an inclusive bounding-box test.
bool SegmentsIntersect(const Segment& e, const Segment& f);
bool SegmentsIntersect(const CEdge& e, const CEdge& f);

// Crossings per colour code 1..8 (index code - 1), for edges given in element order.
// Pairs that share an end vertex never count. The fast method gives exactly the result of
// the all-pairs definition.
std::array<std::int32_t, 8> CountCrossingsAllPairs(const std::vector<const CEdge*>& edges);
std::array<std::int32_t, 8> CountCrossingsFast(const std::vector<const CEdge*>& edges);

// The edges of a drawing as the count sees them, taken at one moment: their segments and
// the identities of their end vertices, which are compared and never followed, so the
// count can be made after the drawing has changed or its vertices are gone.
struct PendingCrossings {
    // An edge as the count reads it.
    struct Edge {
        const void* v1;
        const void* v2;
        Segment seg;
        std::uint16_t code;
    };

    // A place is an end point with the vertex there (null for a free end). The edges at one
    // vertex share its place, so that its point is held once and an edge takes eight bytes.
    std::uint32_t AddPlace(const void* vertex, Point at);
    void AddEdge(std::uint32_t a, std::uint32_t b, std::uint16_t code); // places already added
    void Add(const void* v1, const void* v2, Segment s, std::uint16_t code); // with places of its own
    void Reserve(std::size_t places, std::size_t edges);

    std::size_t Size() const { return m_edges.size(); }
    std::uint16_t Code(std::size_t i) const { return std::uint16_t((m_edges[i][0] >> kPlaceBits) + 1); }
    Segment SegmentAt(std::size_t i) const { return {m_points[Place(i, 0)], m_points[Place(i, 1)]}; }
    Edge At(std::size_t i) const {
        const std::uint32_t a = Place(i, 0), b = Place(i, 1);
        return {m_vertices[a], m_vertices[b], {m_points[a], m_points[b]}, Code(i)};
    }

private:
    // The colour code (1..8, less one) rides in the top bits of an edge's first place.
    static constexpr int kPlaceBits = 29;
    static constexpr std::uint32_t kPlaceMask = (std::uint32_t(1) << kPlaceBits) - 1;
    std::uint32_t Place(std::size_t i, int end) const { return m_edges[i][end] & kPlaceMask; }
    std::vector<const void*> m_vertices;
    std::vector<Point> m_points;
    std::vector<std::array<std::uint32_t, 2>> m_edges;
};
// The segments of the coloured edges, each end its own place.
PendingCrossings TakeCrossingSegments(std::span<const CEdge* const> edges);
// The same, with the vertices of `vertices` as shared places: a document's snapshot, at
// about a third of the memory for a large drawing.
PendingCrossings TakeCrossingSegments(const std::vector<CVertex*>& vertices, std::span<const CEdge* const> edges);
// True when `edges` now have, edge by edge, the ends, points and colours `taken` holds, so
// that counting them would count `taken`; allocates nothing.
bool StillAsTaken(const PendingCrossings& taken, std::span<const CEdge* const> edges);
std::array<std::int32_t, 8> CountTakenCrossings(const PendingCrossings& taken);
