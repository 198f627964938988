// The Kuratowski subdivision as a minimal non-planar edge set: every edge of a non-planar
// graph is either dropped (the rest stays non-planar) or kept (the rest would be planar).
// What remains is a subdivision of K5 or K3,3 by Kuratowski's theorem. The search keeps
// an edge per round, found by bisecting the undecided edges with the left-right test.

#include "planarity/KuratowskiSubdivision.h"

#include <algorithm>
#include <numeric>
#include <random>

#include "planarity/Blocks.h"

namespace {

// Component labels from a union-find over the edges.
std::vector<std::int32_t> ComponentRoots(std::int32_t n, std::span<const PlanarEdge> edges) {
    std::vector<std::int32_t> parent(n);
    std::iota(parent.begin(), parent.end(), 0);
    auto find = [&](std::int32_t v) {
        while (parent[v] != v) v = parent[v] = parent[parent[v]];
        return v;
    };
    for (const auto& [a, b] : edges) parent[find(a)] = find(b);
    for (std::int32_t v = 0; v < n; ++v) parent[v] = find(v);
    return parent;
}

// One component's edges with its vertices renumbered 0..count-1.
struct LocalGraph {
    std::int32_t n = 0;
    std::vector<PlanarEdge> edges;
    std::vector<std::int32_t> original; // local edge -> input edge
};

std::vector<PlanarEdge> SubsetOf(const LocalGraph& g, const std::vector<std::int32_t>& chosen) {
    std::vector<PlanarEdge> out;
    out.reserve(chosen.size());
    for (std::int32_t e : chosen) out.push_back(g.edges[e]);
    return out;
}

// The edges the left-right test met before its conflict mostly form a far smaller
// non-planar graph. Each try takes the kept edges and the undecided ones in a new order,
// so that the search runs along another tree, and keeps the undecided edges it met when
// they still make the kept ones non-planar; it stops once the tries stop paying.
void Narrow(const LocalGraph& g, const std::vector<std::int32_t>& kept, std::vector<std::int32_t>& undecided) {
    std::mt19937 rng(static_cast<std::uint32_t>(undecided.size() + 7 * kept.size()));
    std::vector<std::int32_t> order, seen;
    std::vector<bool> isSeen(g.edges.size(), false);
    for (int misses = 0; misses < 3 && !undecided.empty();) {
        order = kept;
        std::vector<std::int32_t> shuffled = undecided;
        std::shuffle(shuffled.begin(), shuffled.end(), rng);
        order.insert(order.end(), shuffled.begin(), shuffled.end());
        seen = EdgesSeenBeforeConflict(g.n, SubsetOf(g, order));
        for (std::int32_t& e : seen) {
            e = order[e];
            isSeen[e] = true;
        }
        std::vector<std::int32_t> narrowed;
        for (std::int32_t e : undecided)
            if (isSeen[e]) narrowed.push_back(e);
        for (std::int32_t e : seen) isSeen[e] = false;
        std::vector<std::int32_t> candidate = kept;
        candidate.insert(candidate.end(), narrowed.begin(), narrowed.end());
        if (narrowed.size() + narrowed.size() / 100 >= undecided.size() ||
            TestPlanarityLR(g.n, SubsetOf(g, candidate))) {
            ++misses;
            continue;
        }
        misses = 0;
        undecided = std::move(narrowed);
    }
}

class Bisection {
public:
    explicit Bisection(const LocalGraph& g) : m_g(g) {}

    bool NonPlanar(const std::vector<std::int32_t>& kept, const std::vector<std::int32_t>& undecided,
                   std::size_t prefix) {
        m_scratch.clear();
        for (std::int32_t e : kept) m_scratch.push_back(m_g.edges[e]);
        for (std::size_t i = 0; i < prefix; ++i) m_scratch.push_back(m_g.edges[undecided[i]]);
        return !TestPlanarityLR(m_g.n, m_scratch);
    }

private:
    const LocalGraph& m_g;
    std::vector<PlanarEdge> m_scratch;
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
    if (TestPlanarityLR(n, edges)) return KuratowskiOutcome::Planar;

    // The first non-planar component, in the order of its smallest vertex.
    const std::vector<std::int32_t> root = ComponentRoots(n, edges);
    std::vector<std::int32_t> local(n, -1);
    std::vector<std::vector<std::int32_t>> edgesOf(n);
    for (std::int32_t e = 0; e < std::int32_t(edges.size()); ++e) edgesOf[root[edges[e].first]].push_back(e);
    LocalGraph g;
    for (std::int32_t v = 0; v < n && g.edges.empty(); ++v) {
        if (root[v] != v || edgesOf[v].empty()) continue;
        LocalGraph candidate;
        for (std::int32_t e : edgesOf[v]) {
            for (std::int32_t end : {edges[e].first, edges[e].second})
                if (local[end] < 0) local[end] = candidate.n++;
            candidate.edges.push_back({local[edges[e].first], local[edges[e].second]});
            candidate.original.push_back(e);
        }
        if (!TestPlanarityLR(candidate.n, candidate.edges)) g = std::move(candidate);
    }
    if (g.edges.empty()) throw PlanarityError("a non-planar graph whose components are all planar");

    // Kept edges are needed; among the undecided ones, the shortest prefix that makes the
    // kept edges non-planar ends with a needed edge, and everything after it can go.
    std::vector<std::int32_t> kept;
    std::vector<std::int32_t> undecided(g.edges.size());
    std::iota(undecided.begin(), undecided.end(), 0);
    Narrow(g, kept, undecided);
    Bisection test(g);
    while (!undecided.empty()) {
        if (progress && !progress(static_cast<std::int64_t>(undecided.size()))) return KuratowskiOutcome::Cancelled;
        std::size_t low = 0, high = undecided.size(); // NonPlanar(high) holds
        if (test.NonPlanar(kept, undecided, 0)) break;
        while (high - low > 1) {
            const std::size_t mid = low + (high - low) / 2;
            if (test.NonPlanar(kept, undecided, mid)) high = mid;
            else low = mid;
        }
        kept.push_back(undecided[high - 1]);
        undecided.resize(high - 1);
        if (kept.size() % 8 == 0) Narrow(g, kept, undecided);
    }

    std::vector<std::int32_t> branches;
    result.m_kind = Classify(g.n, g.edges, kept, branches);
    std::vector<std::int32_t> vertexOf(g.n);
    for (std::size_t i = 0; i < g.edges.size(); ++i) {
        vertexOf[g.edges[i].first] = edges[g.original[i]].first;
        vertexOf[g.edges[i].second] = edges[g.original[i]].second;
    }
    for (std::int32_t e : kept) result.m_edges.push_back(g.original[e]);
    for (std::int32_t b : branches) result.m_branches.push_back(vertexOf[b]);
    std::sort(result.m_edges.begin(), result.m_edges.end());
    std::sort(result.m_branches.begin(), result.m_branches.end());
    return KuratowskiOutcome::Found;
}
