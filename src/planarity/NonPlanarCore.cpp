// Three narrowing steps, each checked by the left-right test:
// 1. The edges the test met before its conflict, if they are non-planar already.
// 2. Their shortest non-planar prefix (a doubling, then a bisection). Its last edge e is
//    needed: without it the prefix is planar.
// 3. A tube around a shortest path between the ends of e that avoids e: the vertices
//    within distance t of the path, for t = 1, 2, 4, ..., until the tube with e is
//    non-planar. In a planar graph with one edge too many the witness runs along such a
//    path, so the tube is thin.

#include "planarity/NonPlanarCore.h"

#include <algorithm>
#include <numeric>

#include "planarity/Blocks.h"

namespace {

constexpr std::int32_t kNone = -1;

class SubsetTest {
public:
    SubsetTest(std::int32_t n, std::span<const PlanarEdge> edges) : m_edges(edges), m_stamp(n, 0), m_local(n, 0) {}

    bool NonPlanar(std::span<const std::int32_t> chosen) {
        ++m_round;
        m_scratch.clear();
        std::int32_t vertices = 0;
        auto local = [&](std::int32_t v) {
            if (m_stamp[v] != m_round) {
                m_stamp[v] = m_round;
                m_local[v] = vertices++;
            }
            return m_local[v];
        };
        for (std::int32_t e : chosen) m_scratch.push_back({local(m_edges[e].first), local(m_edges[e].second)});
        return !TestPlanarityLR(vertices, m_scratch);
    }

private:
    std::span<const PlanarEdge> m_edges;
    std::vector<std::uint32_t> m_stamp;
    std::vector<std::int32_t> m_local;
    std::uint32_t m_round = 0;
    std::vector<PlanarEdge> m_scratch;
};

// Breadth-first distances from `sources` over `chosen` edges, skipping edge `skip`;
// `via` records the edge each vertex was reached by.
std::vector<std::int32_t> Distances(std::int32_t n, std::span<const PlanarEdge> edges,
                                    std::span<const std::int32_t> chosen, std::span<const std::int32_t> sources,
                                    std::int32_t skip, std::vector<std::int32_t>* via) {
    std::vector<std::int32_t> start(n + 1, 0), adjacent(2 * chosen.size());
    for (std::int32_t e : chosen) {
        ++start[edges[e].first + 1];
        ++start[edges[e].second + 1];
    }
    std::partial_sum(start.begin(), start.end(), start.begin());
    std::vector<std::int32_t> fill(start.begin(), start.end() - 1);
    for (std::int32_t e : chosen) {
        adjacent[fill[edges[e].first]++] = e;
        adjacent[fill[edges[e].second]++] = e;
    }
    std::vector<std::int32_t> distance(n, kNone), queue(sources.begin(), sources.end());
    if (via) via->assign(n, kNone);
    for (std::int32_t s : sources) distance[s] = 0;
    for (std::size_t head = 0; head < queue.size(); ++head) {
        const std::int32_t v = queue[head];
        for (std::int32_t i = start[v]; i < start[v + 1]; ++i) {
            const std::int32_t e = adjacent[i];
            const std::int32_t w = edges[e].first == v ? edges[e].second : edges[e].first;
            if (e == skip || distance[w] != kNone) continue;
            distance[w] = distance[v] + 1;
            if (via) (*via)[w] = e;
            queue.push_back(w);
        }
    }
    return distance;
}

} // namespace

NonPlanarCore LocateNonPlanarCore(std::int32_t n, std::span<const PlanarEdge> edges, std::vector<std::int32_t> seen) {
    SubsetTest test(n, edges);
    std::vector<std::int32_t> all = std::move(seen);
    if (all.empty() || !test.NonPlanar(all)) {
        all.resize(edges.size());
        std::iota(all.begin(), all.end(), 0);
    }

    // The shortest non-planar prefix: `low` edges are planar, `high` are not.
    std::size_t low = 0, high = all.size();
    for (std::size_t probe = 64; probe < high; probe *= 2) {
        if (test.NonPlanar(std::span(all).first(probe))) {
            high = probe;
            break;
        }
        low = probe;
    }
    while (high - low > 1) {
        const std::size_t mid = low + (high - low) / 2;
        (test.NonPlanar(std::span(all).first(mid)) ? high : low) = mid;
    }
    all.resize(high);
    NonPlanarCore core;
    core.m_needed = all.back();
    const auto [a, b] = edges[core.m_needed];

    std::vector<std::int32_t> via;
    const std::vector<std::int32_t> fromA = Distances(n, edges, all, std::span(&a, 1), core.m_needed, &via);
    std::vector<std::int32_t> path{b};
    if (fromA[b] != kNone) {
        for (std::int32_t v = b; v != a;) {
            const std::int32_t e = via[v];
            v = edges[e].first == v ? edges[e].second : edges[e].first;
            path.push_back(v);
        }
    } else {
        path.push_back(a); // cannot happen for a needed edge, but the whole prefix is a safe core
    }
    const std::vector<std::int32_t> depth = Distances(n, edges, all, path, kNone, nullptr);
    auto reach = [&](std::int32_t e) {
        const std::int32_t d1 = depth[edges[e].first], d2 = depth[edges[e].second];
        return d1 == kNone || d2 == kNone ? INT32_MAX : std::max(d1, d2);
    };
    std::int32_t deepest = 0;
    for (std::int32_t d : depth) deepest = std::max(deepest, d);
    // At the deepest level the tube is e's whole component of the prefix, non-planar as e
    // is needed.
    std::vector<std::int32_t> tube;
    for (std::int32_t t = 1;; t = std::min(2 * t, deepest)) {
        tube.clear();
        for (std::int32_t e : all)
            if (reach(e) <= t) tube.push_back(e);
        if (t >= deepest || test.NonPlanar(tube)) break;
    }
    // Farthest from the path first; the order among equals is the input's, for repeatable answers.
    std::stable_sort(tube.begin(), tube.end(), [&](std::int32_t x, std::int32_t y) { return reach(x) > reach(y); });
    std::erase(tube, core.m_needed);
    core.m_order = std::move(tube);
    return core;
}
