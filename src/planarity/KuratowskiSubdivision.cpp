// The Kuratowski subdivision as a minimal non-planar edge set. The first non-planar
// component is narrowed to a small non-planar core around the left-right test's conflict,
// and the core is shrunk by deletion tests whose graphs fall in size as it thins; what
// remains is a subdivision of K5 or K3,3 by Kuratowski's theorem.

#include "planarity/KuratowskiSubdivision.h"

#include <algorithm>
#include <numeric>

#include "planarity/Blocks.h"
#include "planarity/MinimalNonPlanar.h"
#include "planarity/NonPlanarCore.h"

namespace {

// Some of the input's edges with their vertices renumbered 0..count-1.
struct LocalGraph {
    std::int32_t n = 0;
    std::vector<PlanarEdge> edges;
    std::vector<std::int32_t> original; // local edge -> input edge
};

KuratowskiKind Classify(std::int32_t n, std::span<const PlanarEdge> edges, const std::vector<std::int32_t>& kept,
                        std::vector<std::int32_t>& branches) {
    std::vector<std::int32_t> degree(n, 0);
    for (std::int32_t e : kept) {
        ++degree[edges[e].first];
        ++degree[edges[e].second];
    }
    std::int32_t threes = 0, fours = 0;
    for (std::int32_t v = 0; v < n; ++v) {
        if (degree[v] == 3) ++threes;
        else if (degree[v] == 4) ++fours;
        else if (degree[v] > 4) throw PlanarityError("a minimal non-planar subgraph with a vertex of degree 5");
        if (degree[v] >= 3) branches.push_back(v);
    }
    if (threes == 0 && fours == 5) return KuratowskiKind::K5;
    if (threes == 6 && fours == 0) return KuratowskiKind::K33;
    throw PlanarityError("a minimal non-planar subgraph that is no Kuratowski subdivision");
}

} // namespace

KuratowskiOutcome FindKuratowskiSubdivision(std::int32_t n, std::span<const PlanarEdge> edges,
                                            KuratowskiSubdivision& result, const KuratowskiProgress& progress) {
    result = {};
    // The test visits the components in the order of their smallest vertex and stops in
    // the first non-planar one; the core grows around its conflict and stays inside it.
    LeftRightConflict conflict = FindLeftRightConflict(n, edges, false);
    if (conflict.m_atConflict.empty()) return KuratowskiOutcome::Planar;
    if (progress && !progress(static_cast<std::int64_t>(edges.size()))) return KuratowskiOutcome::Cancelled;

    const NonPlanarCore core = LocateNonPlanarCore(n, edges, std::move(conflict));
    // The core renumbered, so that the shrinking works on its size alone.
    LocalGraph c;
    std::vector<std::int32_t> coreVertex(n, -1), order;
    auto add = [&](std::int32_t e) {
        for (std::int32_t end : {edges[e].first, edges[e].second})
            if (coreVertex[end] < 0) coreVertex[end] = c.n++;
        c.edges.push_back({coreVertex[edges[e].first], coreVertex[edges[e].second]});
        c.original.push_back(e);
    };
    for (std::int32_t e : core.m_needed) add(e);
    for (std::int32_t e : core.m_order) {
        order.push_back(std::int32_t(c.edges.size()));
        add(e);
    }
    const auto kept = MinimalNonPlanarSubgraph(c.n, c.edges, order, progress);
    if (!kept) return KuratowskiOutcome::Cancelled;

    std::vector<std::int32_t> branches;
    result.m_kind = Classify(c.n, c.edges, *kept, branches);
    std::vector<std::int32_t> vertexOf(c.n);
    for (std::size_t i = 0; i < c.edges.size(); ++i) {
        vertexOf[c.edges[i].first] = edges[c.original[i]].first;
        vertexOf[c.edges[i].second] = edges[c.original[i]].second;
    }
    for (std::int32_t e : *kept) result.m_edges.push_back(c.original[e]);
    for (std::int32_t b : branches) result.m_branches.push_back(vertexOf[b]);
    std::sort(result.m_edges.begin(), result.m_edges.end());
    std::sort(result.m_branches.begin(), result.m_branches.end());
    return KuratowskiOutcome::Found;
}
