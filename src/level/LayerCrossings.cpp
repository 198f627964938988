#include "level/LayerCrossings.h"

#include <algorithm>

std::int64_t LayerCrossingCounter::Count(std::span<const std::pair<int, int>> ends, int lowerWidth, int upperWidth) {
    if (ends.size() < 2 || upperWidth < 2) return 0;
    const int n = static_cast<int>(ends.size());
    // Radix sort by (below, above): by the upper end first, then stably by the lower one.
    auto bucketSort = [&](const std::vector<int>& in, std::vector<int>& out, int keys, auto key) {
        m_bucketStart.assign(keys + 1, 0);
        for (int e : in) ++m_bucketStart[key(e) + 1];
        for (int k = 0; k < keys; ++k) m_bucketStart[k + 1] += m_bucketStart[k];
        out.resize(in.size());
        for (int e : in) out[m_bucketStart[key(e)]++] = e;
    };
    m_sorted.resize(n);
    for (int i = 0; i < n; ++i) m_sorted[i] = i;
    bucketSort(m_sorted, m_byUpper, upperWidth, [&](int e) { return ends[e].second; });
    bucketSort(m_byUpper, m_sorted, std::max(lowerWidth, 1), [&](int e) { return ends[e].first; });

    // Edges come in order of their lower end; every earlier edge whose upper end lies
    // further right crosses the current one (equal lower ends share a vertex and come
    // sorted by upper end, so they never count).
    int first = 1;
    while (first < upperWidth) first *= 2;
    m_tree.assign(2 * first - 1, 0);
    --first;
    std::int64_t crossings = 0;
    for (int e : m_sorted) {
        int index = ends[e].second + first;
        ++m_tree[index];
        while (index > 0) {
            if (index % 2) crossings += m_tree[index + 1];
            index = (index - 1) / 2;
            ++m_tree[index];
        }
    }
    return crossings;
}

std::int64_t GapCrossings(const LevelGraph& g, int level, const std::vector<int>& position,
                          LayerCrossingCounter& counter, std::vector<std::pair<int, int>>& scratch) {
    scratch.clear();
    for (int e : g.EdgesBelowGap(level)) scratch.push_back({position[g.Edges()[e].lower], position[g.Edges()[e].upper]});
    const int lowerWidth = static_cast<int>(g.Level(level).size());
    const int upperWidth = level + 1 < g.LevelCount() ? static_cast<int>(g.Level(level + 1).size()) : 0;
    return counter.Count(scratch, lowerWidth, upperWidth);
}

std::int64_t LevelCrossings(const LevelGraph& g, const LevelOrders& orders) {
    std::vector<int> position(g.VertexCount(), 0);
    for (const auto& level : orders)
        for (int r = 0; r < static_cast<int>(level.size()); ++r) position[level[r]] = r;
    LayerCrossingCounter counter;
    std::vector<std::pair<int, int>> scratch;
    std::int64_t total = 0;
    for (int level = 0; level + 1 < g.LevelCount(); ++level) total += GapCrossings(g, level, position, counter, scratch);
    return total;
}
