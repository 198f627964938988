// The caterpillar layout: the spine runs from left to right, one column per spine vertex,
// and the leaves of a spine vertex stand in the columns between it and the next spine
// vertex. Edges of different spine vertices then never share a column range, so the
// drawing is level planar for any track assignment.

#include <utility>

#include "trees/ExchangeSort.h"
#include "trees/UlpLayout.h"

namespace {

// Neighbours on higher tracks than s come first, nearest first; then the others, again
// nearest first (the exchange sort's comparison reduces to this key).
std::pair<int, std::int64_t> NeighbourKey(std::int32_t sTrack, std::int32_t wTrack) {
    if (wTrack > sTrack) return {0, wTrack};
    return {1, -std::int64_t(wTrack)};
}

class CaterpillarRun {
public:
    explicit CaterpillarRun(const UlpTree& t) : m_t(t), m_spine(t.vertexCount), m_placed(t.vertexCount) {
        // The spine is what remains once the leaves are gone (a tree of three or more).
        for (std::int32_t v = 0; v < t.vertexCount; ++v) m_spine[v] = t.Degree(v) >= 2;
    }

    UlpLayout Run() {
        std::int32_t s = -1;
        for (std::int32_t v = 0; v < m_t.vertexCount && s < 0; ++v)
            if (m_spine[v] && SpineNeighbours(v) < 2) s = v;

        // The spine is a path; walk it from its end, one spine vertex after the other.
        std::int64_t largest = 0;
        std::int32_t via = -1;
        while (s >= 0) {
            const std::int64_t k = largest + 1;
            Place(s, k, via);
            largest = PlaceLeaves(s, k);
            std::int32_t next = -1;
            via = -1;
            for (std::int32_t e : m_t.incidence[s]) {
                const std::int32_t w = m_t.Other(e, s);
                if (m_spine[w] && !m_placed[w]) {
                    next = w;
                    via = e;
                    break;
                }
            }
            s = next;
        }
        m_out.drawn = true;
        return std::move(m_out);
    }

private:
    std::size_t SpineNeighbours(std::int32_t v) const {
        std::size_t count = 0;
        for (std::int32_t e : m_t.incidence[v]) count += m_spine[m_t.Other(e, v)] ? 1 : 0;
        return count;
    }

    void Place(std::int32_t v, std::int64_t column, std::int32_t via) {
        m_placed[v] = true;
        m_out.steps.push_back({v, column, via});
    }

    // Places the leaves of spine vertex s (in column k); returns the largest column used.
    std::int64_t PlaceLeaves(std::int32_t s, std::int64_t k) {
        std::vector<std::int32_t> edges = m_t.incidence[s];
        std::vector<std::pair<int, std::int64_t>> keys;
        for (std::int32_t e : edges) keys.push_back(NeighbourKey(m_t.tracks[s], m_t.tracks[m_t.Other(e, s)]));
        ExchangeSortByKey(edges, keys);

        const std::int32_t sTrack = m_t.tracks[s];
        std::int64_t largest = k, previousColumn = k;
        std::int32_t previous = -1;
        for (std::int32_t e : edges) {
            const std::int32_t leaf = m_t.Other(e, s);
            if (m_spine[leaf]) continue;
            const std::int32_t track = m_t.tracks[leaf];
            std::int64_t column;
            if (previous < 0) column = k + 1;
            else if (track > sTrack && !(m_t.tracks[previous] > sTrack)) column = k + 1;
            else if (m_t.tracks[previous] != track) column = previousColumn;
            else column = previousColumn + 1;
            Place(leaf, column, e);
            previous = leaf;
            previousColumn = column;
            largest = std::max(largest, column);
        }
        return largest;
    }

    const UlpTree& m_t;
    std::vector<char> m_spine, m_placed;
    UlpLayout m_out;
};

} // namespace

UlpLayout CaterpillarLayoutOf(const UlpTree& tree) {
    if (tree.vertexCount >= 3) return CaterpillarRun(tree).Run();
    UlpLayout out;
    out.drawn = true;
    if (tree.vertexCount >= 1) out.steps.push_back({0, 1, -1});
    if (tree.vertexCount == 2) out.steps.push_back({1, 4, tree.edges.empty() ? -1 : 0});
    return out;
}
