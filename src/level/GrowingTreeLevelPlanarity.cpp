#include "level/GrowingTreeLevelPlanarity.h"

#include <algorithm>
#include <stdexcept>

#include "level/SmallOrderAcyclic.h"

GrowingTreeLevelPlanarity::GrowingTreeLevelPlanarity(int vertexCount, const std::vector<std::pair<int, int>>& edges)
    : m_n(vertexCount), m_edges(edges), m_incident(vertexCount > 0 ? vertexCount : 0) {
    if (m_n < 1 || m_n > kMaxVertices || static_cast<int>(m_edges.size()) >= kMaxVertices)
        throw std::invalid_argument("tree too large");
    for (int e = 0; e < static_cast<int>(m_edges.size()); ++e) {
        const auto [a, b] = m_edges[e];
        if (a < 0 || b < 0 || a >= m_n || b >= m_n || a == b) throw std::invalid_argument("not a tree");
        m_incident[a].emplace_back(b, e);
        m_incident[b].emplace_back(a, e);
    }
    m_track.fill(-1);
    for (int k = 0; k < kKeys; ++k) {
        m_parent[k] = static_cast<std::int16_t>(k);
        m_size[k] = 1;
        m_class[k] = -1;
    }
    m_unions.reserve(static_cast<std::size_t>(m_n) * kIds * kIds);
    m_placed.reserve(m_n);
}

int GrowingTreeLevelPlanarity::Find(int x, std::uint8_t& parity) const {
    // No path compression, so that every union can be undone; union by size keeps the
    // paths logarithmic.
    parity = 0;
    while (m_parent[x] != x) {
        parity ^= m_parity[x];
        x = m_parent[x];
    }
    return x;
}

bool GrowingTreeLevelPlanarity::Unite(int a, int b, std::uint8_t parity) {
    std::uint8_t pa, pb;
    int ra = Find(a, pa), rb = Find(b, pb);
    parity ^= pa ^ pb;
    if (ra == rb) return parity == 0;
    if (m_size[ra] > m_size[rb]) std::swap(ra, rb);
    m_parent[ra] = static_cast<std::int16_t>(rb);
    m_parity[ra] = parity;
    m_size[rb] = static_cast<std::int16_t>(m_size[rb] + m_size[ra]);
    m_unions.emplace_back(static_cast<std::int16_t>(ra), static_cast<std::int16_t>(rb));
    return true;
}

bool GrowingTreeLevelPlanarity::Place(int v, int level) {
    Placement placement{v, m_unions.size(), 0};
    m_track[v] = static_cast<std::int8_t>(level - 1);
    bool ok = m_failedAt < 0;
    for (const auto& [u, e] : m_incident[v]) {
        if (m_track[u] < 0) continue;
        const int lo = std::min(m_track[u], m_track[v]), hi = std::max(m_track[u], m_track[v]);
        m_lo[e] = static_cast<std::int8_t>(lo);
        m_hi[e] = static_cast<std::int8_t>(hi);
        placement.drawn = static_cast<std::uint16_t>(placement.drawn | 1u << e);
        // Two segments across a gap that share no end keep their order from one side to
        // the other. On each level the tree vertex is id 0 and a bend of edge f is f + 1.
        for (int gap = lo; gap < hi; ++gap) {
            const int te = gap == lo ? 0 : e + 1, be = gap + 1 == hi ? 0 : e + 1;
            for (int k = 0; ok && k < m_acrossCount[gap]; ++k) {
                const int f = m_across[gap][k];
                const int tf = m_lo[f] == gap ? 0 : f + 1, bf = m_hi[f] == gap + 1 ? 0 : f + 1;
                if (te == tf || be == bf) continue;
                ok = Unite(Key(gap, te, tf), Key(gap + 1, be, bf), static_cast<std::uint8_t>((te > tf) ^ (be > bf)));
            }
            m_across[gap][m_acrossCount[gap]++] = static_cast<std::int8_t>(e);
        }
    }
    if (!ok && m_failedAt < 0) m_failedAt = static_cast<int>(m_placed.size());
    m_placed.push_back(placement);
    return m_failedAt < 0;
}

void GrowingTreeLevelPlanarity::TakeBack() {
    const Placement placement = m_placed.back();
    m_placed.pop_back();
    if (m_failedAt == static_cast<int>(m_placed.size())) m_failedAt = -1;
    // Edges leave the gap lists in the reverse of the order they came in.
    for (int e = static_cast<int>(m_edges.size()) - 1; e >= 0; --e)
        if (placement.drawn >> e & 1)
            for (int gap = m_lo[e]; gap < m_hi[e]; ++gap) --m_acrossCount[gap];
    while (m_unions.size() > placement.unions) {
        const auto [child, root] = m_unions.back();
        m_unions.pop_back();
        m_parent[child] = child;
        m_parity[child] = 0;
        m_size[root] = static_cast<std::int16_t>(m_size[root] - m_size[child]);
    }
    m_track[placement.vertex] = -1;
}

bool GrowingTreeLevelPlanarity::LevelAcyclic(int first, int last, int width) const {
    // The tied pairs, oriented by their classes' values. Untied pairs are left out: once
    // the tied ones form no cycle, those take the order of a linear extension.
    std::uint32_t after[kIds] = {};
    for (int k = first; k < last; ++k) {
        const Tied& t = m_tied[k];
        if (m_value[t.cls] ^ t.parity) after[t.j] |= 1u << t.i;
        else after[t.i] |= 1u << t.j;
    }
    return SmallOrderAcyclic(after, width);
}

bool GrowingTreeLevelPlanarity::IsLevelPlanar() {
    if (m_failedAt >= 0) return false;
    // The places of each level: the tree vertex, then the bends in edge order.
    std::array<std::array<std::int8_t, kIds>, kMaxVertices> ids;
    std::array<int, kMaxVertices> width;
    width.fill(1);
    for (int level = 0; level < m_n; ++level) ids[level][0] = 0;
    const int m = static_cast<int>(m_edges.size());
    for (int e = 0; e < m; ++e) {
        if (m_track[m_edges[e].first] < 0 || m_track[m_edges[e].second] < 0) continue;
        for (int level = m_lo[e] + 1; level < m_hi[e]; ++level) ids[level][width[level]++] = static_cast<std::int8_t>(e + 1);
    }
    // Number the classes of tied pairs level by level; a level's cycles are known once the
    // last class that reaches it has its value.
    std::array<int, kMaxVertices + 1> tiedStart{};
    std::array<int, kMaxVertices> lastClass;
    m_tied.clear();
    int classes = 0;
    for (int level = 0; level < m_n; ++level) {
        tiedStart[level] = static_cast<int>(m_tied.size());
        lastClass[level] = -1;
        const int w = width[level];
        if (w < 3) continue;
        for (int i = 0; i < w; ++i)
            for (int j = i + 1; j < w; ++j) {
                const int key = Key(level, ids[level][i], ids[level][j]);
                if (m_parent[key] == key && m_size[key] == 1) continue; // tied to nothing
                std::uint8_t parity;
                const int root = Find(key, parity);
                if (m_class[root] < 0) {
                    m_class[root] = static_cast<std::int16_t>(classes++);
                    m_classed.push_back(root);
                }
                m_tied.push_back({static_cast<std::uint8_t>(i), static_cast<std::uint8_t>(j), parity, m_class[root]});
                lastClass[level] = std::max<int>(lastClass[level], m_class[root]);
            }
    }
    tiedStart[m_n] = static_cast<int>(m_tied.size());
    for (int root : m_classed) m_class[root] = -1;
    m_classed.clear();
    if (classes == 0) return true;

    // The levels to check once a class has its value, as lists through nextLevel.
    m_checkFrom.assign(classes, -1);
    std::array<int, kMaxVertices> nextLevel;
    for (int level = m_n - 1; level >= 0; --level)
        if (lastClass[level] >= 0) {
            nextLevel[level] = m_checkFrom[lastClass[level]];
            m_checkFrom[lastClass[level]] = level;
        }
    auto consistentAfter = [&](int cls) {
        for (int level = m_checkFrom[cls]; level >= 0; level = nextLevel[level])
            if (!LevelAcyclic(tiedStart[level], tiedStart[level + 1], width[level])) return false;
        return true;
    };
    return SearchClassValues(classes, m_value, m_tried, consistentAfter);
}
