#pragma once
// Crossings between edges of one colour.

#include <array>
#include <cstdint>
#include <span>
#include <vector>

#include "model/Geometry.h"

class CEdge;

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
    // An identity is an address aligned to 8 or null; the colour code (1..8) rides in the
    // low bits of the first, which keeps an edge at 32 bytes.
    struct Edge {
        Edge(const void* v1, const void* v2, Segment s, std::uint16_t code)
            : v1AndCode(reinterpret_cast<std::uintptr_t>(v1) | std::uintptr_t(code - 1)), v2(v2), seg(s) {}
        const void* V1() const { return reinterpret_cast<const void*>(v1AndCode & ~std::uintptr_t(7)); }
        std::uint16_t Code() const { return std::uint16_t((v1AndCode & 7) + 1); }
        std::uintptr_t v1AndCode;
        const void* v2;
        Segment seg;
    };
    std::vector<Edge> edges;
};
PendingCrossings TakeCrossingSegments(std::span<const CEdge* const> edges);
// True when taking the segments of `edges` now would give exactly `taken`; allocates nothing.
bool StillAsTaken(const PendingCrossings& taken, std::span<const CEdge* const> edges);
std::array<std::int32_t, 8> CountTakenCrossings(const PendingCrossings& taken);
