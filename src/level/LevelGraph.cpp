#include "level/LevelGraph.h"

#include <algorithm>
#include <limits>
#include <numeric>
#include <unordered_map>

#include "model/Element.h"

int LevelGraph::AddVertex(int level, std::int64_t x) {
    m_level.push_back(level);
    m_x.push_back(x);
    return VertexCount() - 1;
}

void LevelGraph::AddEdge(int lower, int upper) { m_edges.push_back({lower, upper}); }

namespace {

// Groups `count` items by key (0..keys-1) into start/items arrays, keeping item order.
template <typename KeyOf>
void Bucket(int count, int keys, KeyOf keyOf, std::vector<int>& start, std::vector<int>& items) {
    start.assign(keys + 1, 0);
    for (int i = 0; i < count; ++i) ++start[keyOf(i) + 1];
    std::partial_sum(start.begin(), start.end(), start.begin());
    items.resize(count);
    std::vector<int> fill(start.begin(), start.end() - 1);
    for (int i = 0; i < count; ++i) items[fill[keyOf(i)]++] = i;
}

} // namespace

void LevelGraph::Finish() {
    int levels = 0;
    for (int l : m_level) levels = std::max(levels, l + 1);
    m_levels.assign(levels, {});
    for (int v = 0; v < VertexCount(); ++v) m_levels[m_level[v]].push_back(v);
    m_rank.assign(VertexCount(), 0);
    for (auto& level : m_levels) {
        std::stable_sort(level.begin(), level.end(), [&](int a, int b) { return m_x[a] < m_x[b]; });
        for (int r = 0; r < static_cast<int>(level.size()); ++r) m_rank[level[r]] = r;
    }

    const int edgeCount = static_cast<int>(m_edges.size());
    Bucket(edgeCount, std::max(levels, 1), [&](int e) { return m_level[m_edges[e].lower]; }, m_gapStart, m_gapEdges);

    // Neighbour lists sorted by index: bucket the edges by the other end first, then by the
    // vertex, so each bucket comes out sorted.
    std::vector<int> byEnd, byEndStart;
    Bucket(edgeCount, VertexCount(), [&](int e) { return m_edges[e].lower; }, byEndStart, byEnd);
    m_upStart.assign(VertexCount() + 1, 0);
    m_downStart.assign(VertexCount() + 1, 0);
    for (const Edge& e : m_edges) {
        ++m_upStart[e.lower + 1];
        ++m_downStart[e.upper + 1];
    }
    std::partial_sum(m_upStart.begin(), m_upStart.end(), m_upStart.begin());
    std::partial_sum(m_downStart.begin(), m_downStart.end(), m_downStart.begin());
    m_up.resize(edgeCount);
    m_down.resize(edgeCount);
    std::vector<int> upFill(m_upStart.begin(), m_upStart.end() - 1);
    std::vector<int> downFill(m_downStart.begin(), m_downStart.end() - 1);
    // Walking edges in order of their lower end fills every down list sorted.
    for (int e : byEnd) m_down[downFill[m_edges[e].upper]++] = m_edges[e].lower;
    Bucket(edgeCount, VertexCount(), [&](int e) { return m_edges[e].upper; }, byEndStart, byEnd);
    for (int e : byEnd) m_up[upFill[m_edges[e].lower]++] = m_edges[e].upper;
}

std::span<const int> LevelGraph::EdgesBelowGap(int level) const {
    if (level < 0 || level + 1 >= static_cast<int>(m_gapStart.size())) return {};
    return {m_gapEdges.data() + m_gapStart[level], m_gapEdges.data() + m_gapStart[level + 1]};
}

std::span<const int> LevelGraph::UpperNeighbours(int v) const {
    return {m_up.data() + m_upStart[v], m_up.data() + m_upStart[v + 1]};
}

std::span<const int> LevelGraph::LowerNeighbours(int v) const {
    return {m_down.data() + m_downStart[v], m_down.data() + m_downStart[v + 1]};
}

bool LevelGraph::HasEdge(int a, int b) const {
    if (m_level[a] > m_level[b]) std::swap(a, b);
    if (m_level[b] != m_level[a] + 1) return false;
    const auto up = UpperNeighbours(a);
    return std::binary_search(up.begin(), up.end(), b);
}

bool HasLevelCrossing(const LevelGraph& g, const LevelOrders& orders) {
    std::vector<int> position(g.VertexCount(), 0);
    for (const auto& level : orders)
        for (int r = 0; r < static_cast<int>(level.size()); ++r) position[level[r]] = r;
    std::vector<std::pair<int, int>> ends;
    for (int level = 0; level + 1 < g.LevelCount(); ++level) {
        ends.clear();
        for (int e : g.EdgesBelowGap(level))
            ends.push_back({position[g.Edges()[e].lower], position[g.Edges()[e].upper]});
        std::sort(ends.begin(), ends.end());
        // Two edges cross when one starts further left below and ends further right above.
        int reachedBefore = std::numeric_limits<int>::min(); // largest upper end of the groups to the left
        for (std::size_t i = 0; i < ends.size();) {
            std::size_t j = i;
            int reached = reachedBefore;
            for (; j < ends.size() && ends[j].first == ends[i].first; ++j) {
                if (ends[j].second < reachedBefore) return true;
                reached = std::max(reached, ends[j].second);
            }
            reachedBefore = reached;
            i = j;
        }
    }
    return false;
}

LevelGraph LevelGraphOf(const std::vector<CVertex*>& component, const std::vector<CEdge*>& edges,
                        std::vector<CVertex*>& vertices) {
    // Levels number the tracks that occur; edges only join adjacent tracks, so none is lost.
    std::vector<std::int32_t> tracks;
    for (const CVertex* v : component)
        if (!v->m_hidden) tracks.push_back(v->m_trackNumber);
    std::sort(tracks.begin(), tracks.end());
    tracks.erase(std::unique(tracks.begin(), tracks.end()), tracks.end());
    LevelGraph g;
    vertices.clear();
    std::unordered_map<const CVertex*, int> index;
    for (CVertex* v : component) {
        if (v->m_hidden) continue;
        const int level = static_cast<int>(std::lower_bound(tracks.begin(), tracks.end(), v->m_trackNumber) - tracks.begin());
        index[v] = g.AddVertex(level, v->m_center.x);
        vertices.push_back(v);
    }
    for (const CEdge* e : edges) {
        if (e->m_hidden || !e->m_v1 || !e->m_v2) continue;
        auto a = index.find(e->m_v1), b = index.find(e->m_v2);
        if (a == index.end() || b == index.end()) continue;
        const std::int64_t span = std::int64_t(e->m_v2->m_trackNumber) - e->m_v1->m_trackNumber;
        if (span == 1) g.AddEdge(a->second, b->second);
        else if (span == -1) g.AddEdge(b->second, a->second);
    }
    g.Finish();
    return g;
}
