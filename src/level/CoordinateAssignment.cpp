#include "level/CoordinateAssignment.h"

#include <algorithm>
#include <array>
#include <limits>
#include <unordered_set>

namespace {

class Assigner {
public:
    Assigner(const LevelGraph& g, const LevelOrders& orders, const std::vector<bool>& dummy)
        : m_g(g), m_orders(orders), m_dummy(dummy), m_pos(g.VertexCount(), 0) {
        for (const auto& level : orders)
            for (int r = 0; r < static_cast<int>(level.size()); ++r) m_pos[level[r]] = r;
        MarkConflicts();
    }

    // One of the four layouts; x grows to the right in every one of them.
    std::vector<std::int64_t> Layout(bool upwards, bool leftToRight) {
        const int n = m_g.VertexCount(), h = m_g.LevelCount();
        std::vector<int> posD(n);
        LevelOrders ordD = m_orders;
        for (auto& level : ordD) {
            if (!leftToRight) std::reverse(level.begin(), level.end());
            for (int r = 0; r < static_cast<int>(level.size()); ++r) posD[level[r]] = r;
        }

        // Vertical alignment: blocks of vertices joined through median neighbours, with
        // r keeping the alignments of a level free of crossings.
        std::vector<int> root(n), align(n);
        for (int v = 0; v < n; ++v) root[v] = align[v] = v;
        std::vector<int> nb;
        for (int step = 1; step < h; ++step) {
            const int l = upwards ? step : h - 1 - step;
            int r = -1;
            for (int v : ordD[l]) {
                const auto prev = upwards ? m_g.LowerNeighbours(v) : m_g.UpperNeighbours(v);
                if (prev.empty()) continue;
                nb.assign(prev.begin(), prev.end());
                std::sort(nb.begin(), nb.end(), [&](int a, int b) { return posD[a] < posD[b]; });
                const int d = static_cast<int>(nb.size());
                for (int m : {(d - 1) / 2, d / 2}) {
                    if (align[v] != v) break;
                    const int u = nb[m];
                    if (!IsMarked(u, v) && r < posD[u]) {
                        align[u] = v;
                        root[v] = root[u];
                        align[v] = root[v];
                        r = posD[u];
                    }
                }
            }
        }

        // Compaction: each block as far left as its left neighbours on all its levels allow.
        // The blocks never cross, so "left of" among them is acyclic.
        std::vector<std::vector<int>> rightOf(n);
        std::vector<int> indegree(n, 0);
        for (const auto& level : ordD)
            for (std::size_t k = 1; k < level.size(); ++k) {
                rightOf[root[level[k - 1]]].push_back(root[level[k]]);
                ++indegree[root[level[k]]];
            }
        std::vector<std::int64_t> x(n, 0);
        std::vector<int> ready;
        for (int v = 0; v < n; ++v)
            if (root[v] == v && indegree[v] == 0) ready.push_back(v);
        while (!ready.empty()) {
            const int b = ready.back();
            ready.pop_back();
            for (int c : rightOf[b]) {
                x[c] = std::max(x[c], x[b] + 1);
                if (--indegree[c] == 0) ready.push_back(c);
            }
        }
        std::vector<std::int64_t> placed(n);
        for (int v = 0; v < n; ++v) placed[v] = leftToRight ? x[root[v]] : -x[root[v]];
        return placed;
    }

private:
    bool IsInner(int lower, int upper) const {
        return m_dummy[lower] && m_dummy[upper];
    }

    // Type 1 conflicts: an edge that crosses an inner segment of a long edge is not used
    // for alignment, so that long edges stay straight.
    void MarkConflicts() {
        for (int l = 0; l + 1 < m_g.LevelCount(); ++l) {
            const auto& upper = m_orders[l + 1];
            const int lowerWidth = static_cast<int>(m_orders[l].size());
            int k0 = 0;
            std::size_t scan = 0;
            for (std::size_t i = 0; i < upper.size(); ++i) {
                const int v = upper[i];
                int inner = -1;
                if (m_dummy[v])
                    for (int u : m_g.LowerNeighbours(v))
                        if (IsInner(u, v)) inner = u;
                if (i + 1 != upper.size() && inner < 0) continue;
                const int k1 = inner >= 0 ? m_pos[inner] : lowerWidth - 1;
                for (; scan <= i; ++scan) {
                    const int w = upper[scan];
                    for (int u : m_g.LowerNeighbours(w))
                        if ((m_pos[u] < k0 || m_pos[u] > k1) && !IsInner(u, w)) m_marked.insert(Key(u, w));
                }
                k0 = k1;
            }
        }
    }

    std::uint64_t Key(int a, int b) const {
        if (m_g.LevelOf(a) > m_g.LevelOf(b)) std::swap(a, b);
        return (std::uint64_t(std::uint32_t(a)) << 32) | std::uint32_t(b);
    }
    bool IsMarked(int a, int b) const { return !m_marked.empty() && m_marked.count(Key(a, b)) != 0; }

    const LevelGraph& m_g;
    const LevelOrders& m_orders;
    const std::vector<bool>& m_dummy;
    std::vector<int> m_pos;
    std::unordered_set<std::uint64_t> m_marked;
};

std::int64_t FloorHalf(std::int64_t v) { return v >= 0 ? v / 2 : -((-v + 1) / 2); }

} // namespace

std::vector<std::int64_t> AssignCoordinates(const LevelGraph& g, const LevelOrders& orders,
                                            const std::vector<bool>& dummy) {
    const int n = g.VertexCount();
    if (n == 0) return {};
    Assigner assigner(g, orders, dummy);
    std::array<std::vector<std::int64_t>, 4> layouts = {assigner.Layout(true, true), assigner.Layout(true, false),
                                                        assigner.Layout(false, true), assigner.Layout(false, false)};
    // Align the four to the narrowest: the leftmost ones at its left end, the rightmost
    // ones at its right end.
    std::array<std::int64_t, 4> lo{}, hi{};
    int narrowest = 0;
    for (int i = 0; i < 4; ++i) {
        const auto [a, b] = std::minmax_element(layouts[i].begin(), layouts[i].end());
        lo[i] = *a;
        hi[i] = *b;
        if (hi[i] - lo[i] < hi[narrowest] - lo[narrowest]) narrowest = i;
    }
    for (int i = 0; i < 4; ++i) {
        const std::int64_t shift = i % 2 == 0 ? lo[narrowest] - lo[i] : hi[narrowest] - hi[i];
        for (auto& x : layouts[i]) x += shift;
    }
    // The two middle values of four layouts that each keep the separation keep it too, and
    // so does their halved sum rounded down (the sums of neighbours differ by 2 or more).
    std::vector<std::int64_t> x(n);
    for (int v = 0; v < n; ++v) {
        std::array<std::int64_t, 4> c = {layouts[0][v], layouts[1][v], layouts[2][v], layouts[3][v]};
        std::sort(c.begin(), c.end());
        x[v] = FloorHalf(c[1] + c[2]);
    }
    const std::int64_t least = *std::min_element(x.begin(), x.end());
    for (auto& value : x) value -= least;
    return x;
}
