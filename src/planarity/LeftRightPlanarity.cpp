// The left-right planarity test (Brandes' three phases: orientation, testing, embedding),
// with explicit stacks throughout so that a long path does not exhaust the call stack.

#include "planarity/LeftRightPlanarity.h"

#include <algorithm>

#include "graph/DisjointSets.h"
#include "planarity/Blocks.h"

namespace {

constexpr std::int32_t kNone = -1;

struct Interval {
    std::int32_t low = kNone, high = kNone;
    bool Empty() const { return low == kNone && high == kNone; }
};

struct ConflictPair {
    Interval left, right;
    bool Empty() const { return left.Empty() && right.Empty(); }
};

class LeftRightTest {
public:
    // `recordSeen`: keep the edges in the order the testing phase meets them, which only
    // the search for a conflict's surroundings needs.
    LeftRightTest(std::int32_t n, std::span<const PlanarEdge> edges, bool recordSeen = false)
        : m_n(n), m_m(static_cast<std::int32_t>(edges.size())), m_edges(edges), m_recordSeen(recordSeen) {}

    std::vector<std::int32_t> m_seen;
    std::vector<std::int32_t> m_atConflict;

    bool Run(PlanarRotation* rotation) {
        BuildAdjacency();
        Orient();
        // What a phase no longer needs goes before the next one: the peak is lower.
        std::vector<std::int32_t>().swap(m_adjacent);
        std::vector<std::int32_t>().swap(m_lowpt2);
        std::vector<std::int32_t>().swap(m_adjStart);
        SortOutgoing(m_nesting);
        if (!rotation) std::vector<std::int32_t>().swap(m_nesting); // the embedding's sort key
        m_embed = rotation != nullptr;
        if (!TestAll()) return false;
        if (rotation) Embed(*rotation);
        return true;
    }

private:
    void BuildAdjacency() {
        m_adjStart.assign(m_n + 1, 0);
        for (const auto& [a, b] : m_edges) {
            ++m_adjStart[a + 1];
            ++m_adjStart[b + 1];
        }
        for (std::int32_t v = 0; v < m_n; ++v) m_adjStart[v + 1] += m_adjStart[v];
        // Each entry is a half-edge, 2e + 1 when it leaves from the edge's second end: four
        // bytes where the edge with its other end beside it took eight.
        m_adjacent.resize(2 * std::size_t(m_m));
        std::vector<std::int32_t> fill(m_adjStart.begin(), m_adjStart.end() - 1);
        for (std::int32_t e = 0; e < m_m; ++e) {
            const auto [a, b] = m_edges[e];
            m_adjacent[fill[a]++] = 2 * e;
            m_adjacent[fill[b]++] = 2 * e + 1;
        }
    }


    // Phase 1: DFS orientation with heights, lowpoints and nesting depths.
    void Orient() {
        m_height.assign(m_n, kNone);
        m_parentEdge.assign(m_n, kNone);
        m_flipped.assign(m_m, 0);
        m_lowpt.assign(m_m, 0);
        m_lowpt2.assign(m_m, 0);
        m_nesting.assign(m_m, 0);
        struct Frame { std::int32_t v, pos; };
        std::vector<Frame> stack;
        for (std::int32_t root = 0; root < m_n; ++root) {
            if (m_height[root] != kNone) continue;
            m_height[root] = 0;
            m_roots.push_back(root);
            stack.push_back({root, m_adjStart[root]});
            while (!stack.empty()) {
                const std::int32_t v = stack.back().v;
                if (stack.back().pos == m_adjStart[v + 1]) {
                    stack.pop_back();
                    if (const std::int32_t e = m_parentEdge[v]; e != kNone) FinishEdge(e, Src(e));
                    continue;
                }
                const std::int32_t half = m_adjacent[stack.back().pos++];
                const std::int32_t e = half >> 1;
                const std::int32_t w = (half & 1) ? m_edges[e].first : m_edges[e].second;
                // Each edge is met from both ends and oriented at the first: down to a new
                // vertex or up to an ancestor. A visited vertex not above v is a finished
                // descendant that oriented the edge already; the parent did the tree edge.
                // Heights decide this without a look at the edge's own entry.
                const std::int32_t hw = m_height[w];
                if (hw != kNone && (hw >= m_height[v] || e == m_parentEdge[v])) continue;
                m_flipped[e] = half & 1;
                m_lowpt[e] = m_lowpt2[e] = m_height[v];
                if (m_height[w] == kNone) {
                    m_parentEdge[w] = e;
                    m_height[w] = m_height[v] + 1;
                    stack.push_back({w, m_adjStart[w]});
                } else {
                    m_lowpt[e] = m_height[w];
                    FinishEdge(e, v);
                }
            }
        }
    }

    void FinishEdge(std::int32_t e, std::int32_t v) {
        m_nesting[e] = 2 * m_lowpt[e] + (m_lowpt2[e] < m_height[v] ? 1 : 0);
        const std::int32_t p = m_parentEdge[v];
        if (p == kNone) return;
        if (m_lowpt[e] < m_lowpt[p]) {
            m_lowpt2[p] = std::min(m_lowpt[p], m_lowpt2[e]);
            m_lowpt[p] = m_lowpt[e];
        } else if (m_lowpt[e] > m_lowpt[p]) {
            m_lowpt2[p] = std::min(m_lowpt2[p], m_lowpt[e]);
        } else {
            m_lowpt2[p] = std::min(m_lowpt2[p], m_lowpt2[e]);
        }
    }

    // Outgoing edges of every vertex, ordered by key, equal keys in edge order: bucketed
    // by source, then each vertex's few edges sorted in place, which needs no array over
    // the key range.
    void SortOutgoing(const std::vector<std::int32_t>& key) {
        m_outStart.assign(m_n + 1, 0);
        for (std::int32_t e = 0; e < m_m; ++e) ++m_outStart[Src(e) + 1];
        for (std::int32_t v = 0; v < m_n; ++v) m_outStart[v + 1] += m_outStart[v];
        m_outEdge.resize(m_m);
        {
            std::vector<std::int32_t> fill(m_outStart.begin(), m_outStart.end() - 1);
            for (std::int32_t e = 0; e < m_m; ++e) m_outEdge[fill[Src(e)]++] = e;
        }
        auto byKey = [&](std::int32_t a, std::int32_t b) { return key[a] < key[b]; };
        for (std::int32_t v = 0; v < m_n; ++v) {
            std::int32_t* first = m_outEdge.data() + m_outStart[v];
            std::int32_t* last = m_outEdge.data() + m_outStart[v + 1];
            if (last - first > 16) {
                std::stable_sort(first, last, byKey);
                continue;
            }
            for (std::int32_t* i = first + 1; i < last; ++i) // insertion sort keeps equal keys in order
                for (std::int32_t* j = i; j > first && byKey(*j, *(j - 1)); --j) std::swap(*j, *(j - 1));
        }
    }

    // Phase 2: the constraint pairs of return edges, one DFS over the ordered edges.
    bool TestAll() {
        m_lowptEdge.assign(m_m, kNone);
        m_ref.assign(m_m, kNone);
        if (m_embed) m_side.assign(m_m, 1);
        // The conflict stack's height when the edge being followed was entered.
        struct Frame { std::int32_t v, i, bottom; bool childPending; };
        std::vector<Frame> stack;
        for (std::int32_t root : m_roots) {
            stack.push_back({root, m_outStart[root], 0, false});
            while (!stack.empty()) {
                const std::size_t top = stack.size() - 1;
                const std::int32_t v = stack[top].v;
                if (stack[top].childPending) {
                    stack[top].childPending = false;
                    if (!AfterEdge(m_outEdge[stack[top].i], v, stack[top].bottom)) return false;
                    ++stack[top].i;
                    continue;
                }
                if (stack[top].i == m_outStart[v + 1]) {
                    stack.pop_back();
                    if (m_parentEdge[v] != kNone) RemoveBackEdges(m_parentEdge[v]);
                    continue;
                }
                const std::int32_t e = m_outEdge[stack[top].i];
                const auto bottom = static_cast<std::int32_t>(m_conflicts.size());
                if (m_recordSeen) m_seen.push_back(e);
                if (const std::int32_t w = Dst(e); e == m_parentEdge[w]) {
                    stack[top].childPending = true;
                    stack[top].bottom = bottom;
                    stack.push_back({w, m_outStart[w], 0, false});
                } else {
                    m_lowptEdge[e] = e;
                    m_conflicts.push_back({{}, {e, e}});
                    if (!AfterEdge(e, v, bottom)) return false;
                    ++stack[top].i;
                }
            }
        }
        return true;
    }

    bool AfterEdge(std::int32_t e, std::int32_t v, std::int32_t bottom) {
        if (m_lowpt[e] >= m_height[v]) return true; // no return edge below v
        if (e == m_outEdge[m_outStart[v]]) {
            m_lowptEdge[m_parentEdge[v]] = m_lowptEdge[e];
            return true;
        }
        return AddConstraints(e, m_parentEdge[v], bottom);
    }

    bool Conflicting(const Interval& i, std::int32_t b) const {
        return !i.Empty() && m_lowpt[i.high] > m_lowpt[b];
    }

    std::int32_t Lowest(const ConflictPair& p) const {
        if (p.left.Empty()) return m_lowpt[p.right.low];
        if (p.right.Empty()) return m_lowpt[p.left.low];
        return std::min(m_lowpt[p.left.low], m_lowpt[p.right.low]);
    }

    // `bottom`: the conflict stack's height when ei was entered.
    bool AddConstraints(std::int32_t ei, std::int32_t e, std::int32_t bottom) {
        ConflictPair p;
        // Merge the return edges of ei's subtree into p.right.
        do {
            ConflictPair q = m_conflicts.back();
            m_conflicts.pop_back();
            if (!q.left.Empty()) std::swap(q.left, q.right);
            if (!q.left.Empty()) return Conflict(ei, e, p, q);
            if (m_lowpt[q.right.low] > m_lowpt[e]) {
                if (p.right.Empty()) p.right.high = q.right.high;
                else m_ref[p.right.low] = q.right.high;
                p.right.low = q.right.low;
            } else {
                m_ref[q.right.low] = m_lowptEdge[e];
            }
        } while (static_cast<std::int32_t>(m_conflicts.size()) != bottom);
        // Merge the conflicting return edges of earlier siblings into p.left.
        while (!m_conflicts.empty() &&
               (Conflicting(m_conflicts.back().left, ei) || Conflicting(m_conflicts.back().right, ei))) {
            ConflictPair q = m_conflicts.back();
            m_conflicts.pop_back();
            if (Conflicting(q.right, ei)) std::swap(q.left, q.right);
            if (Conflicting(q.right, ei)) return Conflict(ei, e, p, q);
            if (!q.right.Empty()) {
                if (p.right.Empty()) p.right.high = q.right.high;
                else m_ref[p.right.low] = q.right.high;
                p.right.low = q.right.low;
            }
            if (p.left.Empty()) p.left.high = q.left.high;
            else m_ref[p.left.low] = q.left.high;
            p.left.low = q.left.low;
        }
        if (!p.Empty()) m_conflicts.push_back(p);
        return true;
    }

    // Records the edges where the test failed: the tree edges and the return edges that
    // fit on neither side.
    bool Conflict(std::int32_t ei, std::int32_t e, const ConflictPair& p, const ConflictPair& q) {
        m_atConflict = {ei, e, m_lowptEdge[ei], m_lowptEdge[e]};
        for (const ConflictPair& pair : {p, q})
            for (const Interval& i : {pair.left, pair.right}) m_atConflict.insert(m_atConflict.end(), {i.low, i.high});
        std::erase(m_atConflict, kNone);
        std::sort(m_atConflict.begin(), m_atConflict.end());
        m_atConflict.erase(std::unique(m_atConflict.begin(), m_atConflict.end()), m_atConflict.end());
        return false;
    }

    void RemoveBackEdges(std::int32_t e) {
        const std::int32_t u = Src(e);
        // Pairs whose return edges all end at u are finished.
        while (!m_conflicts.empty() && Lowest(m_conflicts.back()) == m_height[u]) {
            const ConflictPair p = m_conflicts.back();
            m_conflicts.pop_back();
            if (p.left.low != kNone && m_embed) m_side[p.left.low] = -1;
        }
        if (!m_conflicts.empty()) {
            ConflictPair p = m_conflicts.back();
            m_conflicts.pop_back();
            while (p.left.high != kNone && Dst(p.left.high) == u) p.left.high = m_ref[p.left.high];
            if (p.left.high == kNone && p.left.low != kNone) {
                m_ref[p.left.low] = p.right.low;
                if (m_embed) m_side[p.left.low] = -1;
                p.left.low = kNone;
            }
            while (p.right.high != kNone && Dst(p.right.high) == u) p.right.high = m_ref[p.right.high];
            if (p.right.high == kNone && p.right.low != kNone) {
                m_ref[p.right.low] = p.left.low;
                if (m_embed) m_side[p.right.low] = -1;
                p.right.low = kNone;
            }
            if (!p.Empty()) m_conflicts.push_back(p);
        }
        // The side of e follows its highest return edge.
        if (m_lowpt[e] < m_height[u] && !m_conflicts.empty()) {
            const std::int32_t hl = m_conflicts.back().left.high;
            const std::int32_t hr = m_conflicts.back().right.high;
            m_ref[e] = (hl != kNone && (hr == kNone || m_lowpt[hl] > m_lowpt[hr])) ? hl : hr;
        }
    }

    // The final side of every edge, resolving the chains of references from their ends.
    void ResolveSides() {
        std::vector<std::int32_t> chain;
        for (std::int32_t e = 0; e < m_m; ++e) {
            chain.clear();
            for (std::int32_t f = e; m_ref[f] != kNone; f = m_ref[f]) chain.push_back(f);
            for (auto it = chain.rbegin(); it != chain.rend(); ++it) {
                m_side[*it] *= m_side[m_ref[*it]];
                m_ref[*it] = kNone;
            }
        }
    }

    // Phase 3: edges sorted by signed nesting depth, then placed around their ends.
    void Embed(PlanarRotation& rotation) {
        ResolveSides();
        for (std::int32_t e = 0; e < m_m; ++e) m_nesting[e] *= m_side[e];
        SortOutgoing(m_nesting);

        // Half-edge 2e sits at Src(e), 2e + 1 at Dst(e); cw/ccw link each vertex's ring.
        std::vector<std::int32_t> cw(2 * std::size_t(m_m)), ccw(2 * std::size_t(m_m));
        std::vector<std::int32_t> first(m_n, kNone);
        for (std::int32_t v = 0; v < m_n; ++v) {
            const std::int32_t b = m_outStart[v], end = m_outStart[v + 1];
            for (std::int32_t i = b; i < end; ++i) {
                const std::int32_t h = 2 * m_outEdge[i];
                const std::int32_t next = 2 * m_outEdge[i + 1 < end ? i + 1 : b];
                cw[h] = next;
                ccw[next] = h;
            }
            if (b < end) first[v] = 2 * m_outEdge[b];
        }
        auto insertCcwBefore = [&](std::int32_t h, std::int32_t ref) {
            const std::int32_t before = ccw[ref];
            cw[before] = h;
            ccw[h] = before;
            cw[h] = ref;
            ccw[ref] = h;
        };
        auto insertCwAfter = [&](std::int32_t h, std::int32_t ref) { insertCcwBefore(h, cw[ref]); };
        std::vector<std::int32_t> leftRef(m_n, kNone), rightRef(m_n, kNone);
        struct Frame { std::int32_t v, i; };
        std::vector<Frame> stack;
        for (std::int32_t root : m_roots) {
            stack.push_back({root, m_outStart[root]});
            while (!stack.empty()) {
                const std::size_t top = stack.size() - 1;
                const std::int32_t v = stack[top].v;
                if (stack[top].i == m_outStart[v + 1]) {
                    stack.pop_back();
                    continue;
                }
                const std::int32_t e = m_outEdge[stack[top].i++];
                const std::int32_t w = Dst(e);
                const std::int32_t back = 2 * e + 1;
                if (e == m_parentEdge[w]) {
                    if (first[w] == kNone) {
                        cw[back] = ccw[back] = back;
                    } else {
                        insertCcwBefore(back, first[w]);
                    }
                    first[w] = back;
                    leftRef[v] = rightRef[v] = 2 * e;
                    stack.push_back({w, m_outStart[w]});
                } else if (m_side[e] == 1) {
                    insertCwAfter(back, rightRef[w]);
                } else {
                    insertCcwBefore(back, leftRef[w]);
                    leftRef[w] = back;
                }
            }
        }

        rotation.m_start.assign(m_n + 1, 0);
        rotation.m_edges.clear();
        rotation.m_edges.reserve(2 * std::size_t(m_m));
        for (std::int32_t v = 0; v < m_n; ++v) {
            if (first[v] != kNone) {
                std::int32_t h = first[v];
                do {
                    rotation.m_edges.push_back(h >> 1);
                    h = cw[h];
                } while (h != first[v]);
            }
            rotation.m_start[v + 1] = static_cast<std::int32_t>(rotation.m_edges.size());
        }
    }

    const std::int32_t m_n, m_m;
    std::span<const PlanarEdge> m_edges;
    const bool m_recordSeen;
    bool m_embed = false; // sides are kept only for an embedding
    std::vector<std::int32_t> m_adjStart, m_outStart, m_outEdge, m_roots;
    std::vector<std::int32_t> m_adjacent; // half-edges by their first end
    std::vector<std::int32_t> m_height, m_parentEdge;
    // The orientation: 1 where an edge runs from its second end to its first. A byte an
    // edge where two arrays of ends took eight.
    std::vector<std::uint8_t> m_flipped;
    std::int32_t Src(std::int32_t e) const { return m_flipped[e] ? m_edges[e].second : m_edges[e].first; }
    std::int32_t Dst(std::int32_t e) const { return m_flipped[e] ? m_edges[e].first : m_edges[e].second; }
    std::vector<std::int32_t> m_lowpt, m_lowpt2, m_nesting, m_lowptEdge, m_ref, m_side;
    std::vector<ConflictPair> m_conflicts;
};

} // namespace

bool TestPlanarityLR(std::int32_t n, std::span<const PlanarEdge> edges, PlanarRotation* rotation) {
    // A simple planar graph has at most 3n - 6 edges.
    if (n >= 3 && std::int64_t(edges.size()) > 3 * std::int64_t(n) - 6) return false;
    LeftRightTest test(n, edges);
    if (!test.Run(rotation)) return false;
    if (rotation) {
        // Euler's formula per component confirms the rotation system: V - E + F = 1 + C
        // over the vertices that have edges.
        DisjointSets sets(n);
        for (const auto& [a, b] : edges) sets.Join(a, b);
        std::int64_t vertices = 0, components = 0;
        for (std::int32_t v = 0; v < n; ++v) {
            if (rotation->m_start[v + 1] == rotation->m_start[v]) continue;
            ++vertices;
            if (sets.Find(v) == v) ++components;
        }
        const std::int64_t faces = CountFaces(n, edges, *rotation);
        if (vertices - std::int64_t(edges.size()) + faces != 2 * components)
            throw PlanarityError("the left-right embedding is not planar");
    }
    return true;
}

std::vector<std::int32_t> EdgesSeenBeforeConflict(std::int32_t n, std::span<const PlanarEdge> edges) {
    return FindLeftRightConflict(n, edges).m_seen;
}

LeftRightConflict FindLeftRightConflict(std::int32_t n, std::span<const PlanarEdge> edges, bool recordSeen) {
    LeftRightTest test(n, edges, recordSeen);
    if (test.Run(nullptr)) return {};
    return {std::move(test.m_seen), std::move(test.m_atConflict)};
}

std::int64_t CountFaces(std::int32_t n, std::span<const PlanarEdge> edges, const PlanarRotation& rotation) {
    const std::size_t halves = 2 * edges.size();
    // next[h]: the half-edge clockwise after h around its vertex; 2e at edges[e].first.
    std::vector<std::int32_t> next(halves, kNone);
    for (std::int32_t v = 0; v < n; ++v) {
        const auto around = rotation.Around(v);
        for (std::size_t k = 0; k < around.size(); ++k) {
            const std::int32_t e = around[k], f = around[(k + 1) % around.size()];
            const std::int32_t h = edges[e].first == v ? 2 * e : 2 * e + 1;
            next[h] = edges[f].first == v ? 2 * f : 2 * f + 1;
        }
    }
    std::vector<bool> seen(halves, false);
    std::int64_t faces = 0;
    for (std::size_t start = 0; start < halves; ++start) {
        if (seen[start]) continue;
        ++faces;
        for (std::int32_t h = static_cast<std::int32_t>(start); !seen[h]; h = next[h ^ 1]) seen[h] = true;
    }
    return faces;
}
