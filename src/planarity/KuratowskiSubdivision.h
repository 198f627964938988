#pragma once
// A subdivision of K5 or K3,3 in a non-planar graph: the witness that no planar drawing
// exists.

#include <cstdint>
#include <functional>
#include <span>
#include <vector>

#include "planarity/LeftRightPlanarity.h"

enum class KuratowskiKind { K5, K33 };

struct KuratowskiSubdivision {
    KuratowskiKind m_kind = KuratowskiKind::K5;
    std::vector<std::int32_t> m_edges;    // indices into the input edges, increasing
    std::vector<std::int32_t> m_branches; // the vertices of degree 3 or 4 in it, increasing
};

// Told the number of edges still undecided after each step of a long search; returning
// false abandons it.
using KuratowskiProgress = std::function<bool(std::int64_t undecided)>;

enum class KuratowskiOutcome { Planar, Found, Cancelled };

//! Planar, or Found with a subdivision of K5 or K3,3 (within one connected component) in
//! `result`. Edges must be simple.
KuratowskiOutcome FindKuratowskiSubdivision(std::int32_t n, std::span<const PlanarEdge> edges,
                                            KuratowskiSubdivision& result, const KuratowskiProgress& progress = {});
