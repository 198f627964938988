#include "level/TreeLevelPlanarity.h"

#include <algorithm>
#include <stdexcept>

#include "level/SmallOrderAcyclic.h"

TreeLevelPlanarity::TreeLevelPlanarity(int vertexCount, std::vector<std::pair<int, int>> edges)
    : m_n(vertexCount), m_edges(std::move(edges)) {
    if (m_n > kMaxVertices || static_cast<int>(m_edges.size()) >= kMaxVertices)
        throw std::invalid_argument("tree too large");
}

int TreeLevelPlanarity::Find(int x, std::uint8_t& parity) {
    parity = 0;
    while (m_parent[x] != x) {
        // Path halving: x skips to its grandparent, keeping the parity along the skip.
        const int p = m_parent[x];
        if (m_parent[p] != p) {
            m_parity[x] ^= m_parity[p];
            m_parent[x] = m_parent[p];
        }
        parity ^= m_parity[x];
        x = m_parent[x];
    }
    return x;
}

bool TreeLevelPlanarity::Settle(const int* track, bool& wide) {
    const int m = static_cast<int>(m_edges.size());
    std::array<std::array<std::int8_t, kMaxVertices>, kMaxVertices> across; // [gap]: edges across it
    std::array<std::int8_t, kMaxVertices> acrossCount{};
    for (int level = 0; level < m_n; ++level) m_width[level] = 1;
    for (int e = 0; e < m; ++e) {
        const int a = track[m_edges[e].first] - 1, b = track[m_edges[e].second] - 1;
        if (a < 0 || b < 0) {
            m_lo[e] = m_hi[e] = -1; // not drawn: crosses no gap
            continue;
        }
        const int lo = std::min(a, b), hi = std::max(a, b);
        m_lo[e] = static_cast<std::int8_t>(lo);
        m_hi[e] = static_cast<std::int8_t>(hi);
        // Place 0 of a level is its tree vertex; bends follow in edge order.
        for (int level = lo + 1; level < hi; ++level) m_local[e][level] = m_width[level]++;
        for (int gap = lo; gap < hi; ++gap) across[gap][acrossCount[gap]++] = static_cast<std::int8_t>(e);
    }
    wide = false;
    m_base[0] = 0;
    for (int level = 0; level < m_n; ++level) {
        const int w = m_width[level];
        wide |= w >= 3;
        m_base[level + 1] = m_base[level] + w * (w - 1) / 2;
    }
    for (int p = 0; p < m_base[m_n]; ++p) {
        m_parent[p] = static_cast<std::int16_t>(p);
        m_size[p] = 1;
        m_parity[p] = 0;
    }
    auto pairOf = [&](int level, int r1, int r2) {
        if (r1 > r2) std::swap(r1, r2);
        return m_base[level] + r1 * (2 * m_width[level] - r1 - 1) / 2 + (r2 - r1 - 1);
    };
    // Two edge segments across a gap that share no end must not cross: their order below
    // equals their order above.
    for (int gap = 0; gap + 1 < m_n; ++gap) {
        for (int i = 0; i < acrossCount[gap]; ++i) {
            const int e = across[gap][i];
            const int te = m_lo[e] == gap ? 0 : m_local[e][gap];
            const int be = m_hi[e] == gap + 1 ? 0 : m_local[e][gap + 1];
            for (int k = i + 1; k < acrossCount[gap]; ++k) {
                const int f = across[gap][k];
                const int tf = m_lo[f] == gap ? 0 : m_local[f][gap];
                const int bf = m_hi[f] == gap + 1 ? 0 : m_local[f][gap + 1];
                if (te == tf || be == bf) continue;
                std::uint8_t pa, pb;
                int ra = Find(pairOf(gap, te, tf), pa);
                int rb = Find(pairOf(gap + 1, be, bf), pb);
                const std::uint8_t parity = static_cast<std::uint8_t>((te > tf) ^ (be > bf) ^ pa ^ pb);
                if (ra == rb) {
                    if (parity) return false;
                    continue;
                }
                if (m_size[ra] > m_size[rb]) std::swap(ra, rb);
                m_parent[ra] = static_cast<std::int16_t>(rb);
                m_parity[ra] = parity;
                m_size[rb] = static_cast<std::int16_t>(m_size[rb] + m_size[ra]);
            }
        }
    }
    return true;
}

bool TreeLevelPlanarity::LevelAcyclic(int level) const {
    // The tied pairs of the level, oriented by their classes' values. Untied pairs are left
    // out: once the tied ones form no cycle, those take the order of a linear extension.
    const int w = m_width[level];
    std::uint32_t after[kMaxWidth] = {}; // after[i]: the places that must come after place i
    for (int k = m_tiedStart[level]; k < m_tiedStart[level + 1]; ++k) {
        const Tied& t = m_tied[k];
        if (m_value[t.cls] ^ t.parity) after[t.j] |= 1u << t.i;
        else after[t.i] |= 1u << t.j;
    }
    return SmallOrderAcyclic(after, w);
}

bool TreeLevelPlanarity::SearchClassValues() {
    // Number the classes with more than one pair, level by level, and note for every level
    // of three or more the class after whose value all its tied pairs are known.
    for (int p = 0; p < m_base[m_n]; ++p) m_class[p] = -1;
    int classes = 0, tied = 0;
    for (int level = 0; level < m_n; ++level) {
        m_tiedStart[level] = tied;
        m_lastClass[level] = -1;
        const int w = m_width[level];
        if (w < 3) continue;
        int p = m_base[level];
        for (int i = 0; i < w; ++i)
            for (int j = i + 1; j < w; ++j, ++p) {
                std::uint8_t parity;
                const int root = Find(p, parity);
                if (m_size[root] == 1) continue;
                if (m_class[root] < 0) m_class[root] = static_cast<std::int16_t>(classes++);
                m_tied[tied++] = {static_cast<std::uint8_t>(i), static_cast<std::uint8_t>(j), parity, m_class[root]};
                m_lastClass[level] = std::max<int>(m_lastClass[level], m_class[root]);
            }
    }
    m_tiedStart[m_n] = tied;
    if (classes == 0) return true;

    auto consistentAfter = [&](int cls) {
        for (int level = 0; level < m_n; ++level)
            if (m_lastClass[level] == cls && !LevelAcyclic(level)) return false;
        return true;
    };
    return ::SearchClassValues(classes, m_value, m_tried, consistentAfter);
}

bool TreeLevelPlanarity::IsLevelPlanar(const int* track) {
    bool wide;
    if (!Settle(track, wide)) return false;
    return !wide || SearchClassValues();
}
