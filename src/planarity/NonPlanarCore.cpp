// Tubes around a skeleton, each checked by the left-right test. The skeleton starts as
// shortest paths joining the edges at the test's conflict (going round them), and the tube
// is everything within distance t of it, for t = 1, 2, 4, ... until non-planar. A thin
// tube is the core. A thick one means the witness reaches far from the skeleton: the
// test's conflict on the tube adds anchors while that makes the tubes thinner; failing
// that, the shortest non-planar prefix of the tube, nearest edges first, ends with an edge
// it needs, far out, and the skeleton grows by paths to it and around it. The cost is a
// few runs of the test on the whole graph, then runs on ever smaller tubes.

#include "planarity/NonPlanarCore.h"

#include <algorithm>
#include <numeric>
#include <random>

#include "planarity/Blocks.h"
#include "planarity/LocalNumbering.h"

namespace {

constexpr std::int32_t kNone = -1;

class SubsetTest {
public:
    SubsetTest(std::int32_t n, std::span<const PlanarEdge> edges) : m_edges(edges), m_numbering(n) {}

    bool NonPlanar(std::span<const std::int32_t> chosen) {
        Build(chosen);
        return !TestPlanarityLR(m_vertices, m_scratch);
    }

    // The edges at the test's conflict on `chosen`, as input edges.
    std::vector<std::int32_t> AtConflict(std::span<const std::int32_t> chosen) {
        Build(chosen);
        std::vector<std::int32_t> found = FindLeftRightConflict(m_vertices, m_scratch, false).m_atConflict;
        for (std::int32_t& e : found) e = chosen[e];
        return found;
    }

private:
    void Build(std::span<const std::int32_t> chosen) {
        m_numbering.NewRound();
        m_scratch.clear();
        m_scratch.reserve(chosen.size());
        for (std::int32_t e : chosen) m_scratch.push_back({m_numbering.Of(m_edges[e].first), m_numbering.Of(m_edges[e].second)});
        m_vertices = m_numbering.Count();
    }

    std::int32_t m_vertices = 0;
    std::span<const PlanarEdge> m_edges;
    LocalNumbering m_numbering;
    std::vector<PlanarEdge> m_scratch;
};

// Breadth-first searches over a subset of the edges (`chosen`), in a numbering of the
// subset's own vertices, so that the searches on ever smaller tubes cost their size and
// not the whole graph's. Each vertex's edges are listed in the order of `chosen`.
class TubeSearch {
public:
    TubeSearch(std::int32_t n, std::span<const PlanarEdge> edges)
        : m_edges(edges), m_local(n, kNone), m_position(edges.size(), 0), m_skipStamp(edges.size(), 0) {}

    void Use(std::span<const std::int32_t> chosen) {
        for (std::int32_t v : m_global) m_local[v] = kNone;
        m_global.clear();
        for (std::int32_t e : chosen) {
            Local(m_edges[e].first);
            Local(m_edges[e].second);
        }
        const std::size_t k = m_global.size();
        m_start.assign(k + 1, 0);
        for (std::int32_t e : chosen) {
            ++m_start[m_local[m_edges[e].first] + 1];
            ++m_start[m_local[m_edges[e].second] + 1];
        }
        for (std::size_t v = 0; v < k; ++v) m_start[v + 1] += m_start[v];
        m_adjacent.resize(2 * chosen.size());
        std::vector<std::int32_t> fill(m_start.begin(), m_start.end() - 1);
        for (std::size_t i = 0; i < chosen.size(); ++i) m_position[chosen[i]] = static_cast<std::int32_t>(i);
        for (std::int32_t e : chosen) {
            const std::int32_t a = m_local[m_edges[e].first], b = m_local[m_edges[e].second];
            m_adjacent[fill[a]++] = 2 * e;
            m_adjacent[fill[b]++] = 2 * e + 1;
        }
    }

    // Distances from `sources` over the chosen edges but the `skip`ped ones, with the edge
    // each vertex was reached by. A source outside the subset is reached alone. With
    // `targets`, the search may stop once it has reached them all: what it found by then
    // is final, as a breadth-first search settles each vertex when it reaches it.
    void Search(std::span<const std::int32_t> sources, std::span<const std::int32_t> skip,
                std::span<const std::int32_t> targets = {}) {
        NextRound();
        for (std::int32_t e : skip) m_skipStamp[e] = m_round;
        Start(sources);
        m_target.assign(targets.empty() ? 0 : m_global.size(), false);
        std::size_t missing = 0;
        for (std::int32_t t : targets)
            if (m_local[t] != kNone && m_distance[m_local[t]] == kNone && !m_target[m_local[t]]) {
                m_target[m_local[t]] = true;
                ++missing;
            }
        if (!targets.empty() && missing == 0) return;
        for (std::size_t head = 0; head < m_queue.size(); ++head) {
            const std::int32_t v = m_queue[head];
            for (std::int32_t i = m_start[v]; i < m_start[v + 1]; ++i) {
                const auto [e, w] = Follow(m_adjacent[i]);
                if (m_distance[w] != kNone || m_skipStamp[e] == m_round) continue;
                m_distance[w] = m_distance[v] + 1;
                m_via[w] = e;
                m_queue.push_back(w);
                if (!m_target.empty() && m_target[w] && --missing == 0) return;
            }
        }
    }

    // A search from `sources` a distance at a time, for the tubes around a skeleton that
    // need only their own few layers of a large graph.
    void BeginLayers(std::span<const std::int32_t> sources) {
        NextRound();
        Start(sources);
        m_settled.assign(m_global.size(), false);
        m_head = 0;
    }
    // Settles the vertices at the next distance and appends the edges whose farther end
    // lies there to `order`, in the order of the subset; false when none are left.
    bool NextLayer(std::vector<std::int32_t>& order) {
        if (m_head == m_queue.size()) return false;
        const std::int32_t d = m_distance[m_queue[m_head]];
        const std::size_t first = order.size();
        for (; m_head < m_queue.size() && m_distance[m_queue[m_head]] == d; ++m_head) {
            const std::int32_t v = m_queue[m_head];
            m_settled[v] = true;
            for (std::int32_t i = m_start[v]; i < m_start[v + 1]; ++i) {
                const auto [e, w] = Follow(m_adjacent[i]);
                if (m_settled[w] && w != v) {
                    order.push_back(e);
                } else if (m_distance[w] == kNone) {
                    m_distance[w] = d + 1;
                    m_queue.push_back(w);
                }
            }
        }
        std::sort(order.begin() + std::ptrdiff_t(first), order.end(),
                  [&](std::int32_t a, std::int32_t b) { return m_position[a] < m_position[b]; });
        return true;
    }

    // After a search: the distance of vertex v (kNone when unreached) and its edge there.
    std::int32_t Distance(std::int32_t v) const { return m_local[v] == kNone ? kNone : m_distance[m_local[v]]; }
    std::int32_t Via(std::int32_t v) const { return m_local[v] == kNone ? kNone : m_via[m_local[v]]; }
    // A mark per vertex of the subset, cleared by the next call.
    std::vector<bool>& Marks() {
        m_marks.assign(m_global.size(), false);
        return m_marks;
    }
    std::int32_t LocalOf(std::int32_t v) const { return m_local[v]; }

private:
    // A byte a stamp keeps the array small beside the graph; the stamps are cleared once
    // every 255 rounds.
    void NextRound() {
        if (++m_round == 0) {
            std::fill(m_skipStamp.begin(), m_skipStamp.end(), std::uint8_t(0));
            m_round = 1;
        }
    }

    void Start(std::span<const std::int32_t> sources) {
        for (std::int32_t s : sources)
            if (m_local[s] == kNone) {
                Local(s);
                m_start.push_back(m_start.back());
            }
        m_distance.assign(m_global.size(), kNone);
        m_via.assign(m_global.size(), kNone);
        m_queue.clear();
        for (std::int32_t s : sources) {
            if (m_distance[m_local[s]] == 0) continue;
            m_distance[m_local[s]] = 0;
            m_queue.push_back(m_local[s]);
        }
    }

    void Local(std::int32_t v) {
        if (m_local[v] != kNone) return;
        m_local[v] = static_cast<std::int32_t>(m_global.size());
        m_global.push_back(v);
    }

    std::span<const PlanarEdge> m_edges;
    std::vector<std::int32_t> m_local, m_global, m_start, m_distance, m_via, m_queue;
    std::vector<std::int32_t> m_position; // of each edge in the subset in use
    std::size_t m_head = 0;               // the next vertex a layered search settles
    // Half-edges by their first end: 2e + 1 leaves from the edge's second end. Four bytes
    // an entry, for a subset that may be the whole graph.
    std::vector<std::int32_t> m_adjacent;
    // The edge of a half-edge and the local number of its other end.
    std::pair<std::int32_t, std::int32_t> Follow(std::int32_t half) const {
        const std::int32_t e = half >> 1;
        return {e, m_local[(half & 1) ? m_edges[e].first : m_edges[e].second]};
    }
    std::vector<std::uint8_t> m_skipStamp;
    std::uint8_t m_round = 0;
    std::vector<bool> m_marks, m_target, m_settled;
};

// The vertices of the breadth-first paths (over the subset in use, not using `skip`) from
// the first of `anchors` to each of the others that it reaches. Anchors are the ends of
// the skipped edges, so that the paths go round them.
std::vector<std::int32_t> Skeleton(TubeSearch& search, std::span<const PlanarEdge> edges,
                                   std::span<const std::int32_t> anchors, std::span<const std::int32_t> skip) {
    search.Search(anchors.first(1), skip, anchors);
    std::vector<bool>& on = search.Marks();
    std::vector<std::int32_t> skeleton;
    for (std::int32_t target : anchors) {
        if (search.Distance(target) == kNone) continue;
        for (std::int32_t v = target; !on[search.LocalOf(v)];) {
            on[search.LocalOf(v)] = true;
            skeleton.push_back(v);
            const std::int32_t via = search.Via(v);
            if (via == kNone) break;
            v = edges[via].first == v ? edges[via].second : edges[via].first;
        }
    }
    return skeleton;
}

// The edges of the subset in use by their distance from the skeleton (the larger of
// their ends'), grown a layer at a time as far as the tubes need.
class Layers {
public:
    Layers(TubeSearch& search, std::span<const std::int32_t> skeleton) : m_search(search) {
        m_search.BeginLayers(skeleton);
    }
    // Grows the layers through distance t; the deepest layer there is when it is nearer.
    std::int32_t Through(std::int32_t t) {
        while (std::int32_t(within.size()) <= t && !m_complete) {
            if (m_search.NextLayer(order)) within.push_back(order.size());
            else m_complete = true;
        }
        return std::min(t, std::int32_t(within.size()) - 1);
    }

    std::vector<std::int32_t> order;  // nearest first, the subset's order among equals
    std::vector<std::size_t> within;  // within[t]: how many lie within distance t

private:
    TubeSearch& m_search;
    bool m_complete = false;
};

std::vector<std::int32_t> Ends(std::span<const PlanarEdge> edges, std::span<const std::int32_t> chosen) {
    std::vector<std::int32_t> ends;
    for (std::int32_t e : chosen) ends.insert(ends.end(), {edges[e].first, edges[e].second});
    return ends;
}

} // namespace

NonPlanarCore LocateNonPlanarCore(std::int32_t n, std::span<const PlanarEdge> edges, LeftRightConflict conflict) {
    SubsetTest test(n, edges);
    TubeSearch search(n, edges);
    NonPlanarCore core;
    std::vector<std::int32_t> marked = std::move(conflict.m_atConflict);
    if (marked.empty()) marked = {0};
    std::vector<std::int32_t> anchors = Ends(edges, marked);
    {
        std::vector<std::int32_t> all(edges.size());
        std::iota(all.begin(), all.end(), 0);
        search.Use(all);
    }
    // The search keeps the subset in use; only its size is needed here, and the lists of
    // edges die young, which keeps the peak of a large graph down.
    std::size_t chosenSize = edges.size();
    std::vector<std::int32_t> skeleton = Skeleton(search, edges, anchors, marked);
    std::int32_t previous = INT32_MAX;
    bool byNeededEdge = false;
    int refocus = 0;
    for (int round = 0;; ++round) {
        // The thinnest non-planar tube, by doubling its radius: within[low] edges are
        // planar, within[high] are not. The skeleton's component in the subset in use is
        // non-planar and lies within the deepest layer; other components are never
        // reached, and the layers grow only as far as the doubling asks.
        Layers layers(search, skeleton);
        std::int32_t high = layers.Through(1), low = 0;
        while (layers.Through(high + 1) > high) {
            if (test.NonPlanar(std::span(layers.order).first(layers.within[high]))) break;
            low = high;
            high = layers.Through(2 * high);
        }
        std::vector<std::int32_t> tube = std::move(layers.order);
        tube.resize(layers.within[high]);
        const bool thinner = high < previous;
        if (high <= 2 && refocus < 3 && 4 * tube.size() < 3 * chosenSize) {
            // A thin tube much smaller than what it came from: anchored afresh on the test's
            // conflict in it, a thin tube can drop the skeleton's branches the witness avoids.
            ++refocus;
            chosenSize = tube.size();
            marked = core.m_needed;
            for (std::int32_t e : test.AtConflict(tube)) marked.push_back(e);
            anchors = Ends(edges, marked);
            search.Use(tube);
            skeleton = Skeleton(search, edges, anchors, marked);
            previous = INT32_MAX;
            byNeededEdge = false;
            continue;
        }
        if (high <= 2 || (!thinner && byNeededEdge) || round == 12) {
            // Farthest layer first, each layer in a fixed shuffle: a block of neighbours along
            // the skeleton would cut every path of the witness at one place, scattered
            // edges leave it detours.
            std::mt19937 rng(7);
            for (std::int32_t t = 0; t <= high; ++t)
                std::shuffle(tube.begin() + std::ptrdiff_t(t == 0 ? 0 : layers.within[t - 1]),
                             tube.begin() + std::ptrdiff_t(layers.within[t]), rng);
            std::reverse(tube.begin(), tube.end());
            std::erase_if(tube, [&](std::int32_t e) {
                return std::find(core.m_needed.begin(), core.m_needed.end(), e) != core.m_needed.end();
            });
            core.m_order = std::move(tube);
            return core;
        }
        // A thick tube: the test's conflict on it (one run) gives new anchors, as long as
        // that keeps making the tubes thinner. A tube of whole layers is connected.
        previous = high;
        byNeededEdge = !thinner;
        if (thinner) {
            for (std::int32_t e : test.AtConflict(tube)) {
                anchors.insert(anchors.end(), {edges[e].first, edges[e].second});
                marked.push_back(e);
            }
            chosenSize = tube.size();
            search.Use(tube);
            skeleton = Skeleton(search, edges, anchors, marked);
            continue;
        }
        // Otherwise its shortest non-planar prefix ends with an edge it needs, on the far side
        // of the witness: a new anchor. The prefix keeps the earlier needed edges, which lie
        // on the skeleton, and they stay needed in it.
        std::size_t from = layers.within[low], to = tube.size();
        while (to - from > 1) {
            const std::size_t mid = from + (to - from) / 2;
            (test.NonPlanar(std::span(tube).first(mid)) ? to : from) = mid;
        }
        tube.resize(to);
        const std::int32_t needed = tube.back();
        if (std::find(core.m_needed.begin(), core.m_needed.end(), needed) == core.m_needed.end())
            core.m_needed.push_back(needed);
        chosenSize = tube.size();
        // The paths start at the needed edge, whose component holds every witness left, and
        // avoid it, so that they include a detour around it.
        anchors.insert(anchors.begin(), {edges[needed].first, edges[needed].second});
        marked.push_back(needed);
        search.Use(tube);
        skeleton = Skeleton(search, edges, anchors, marked);
    }
}
