// Building the vertex-exchange graph of a document component: the vertices are sorted by
// track, spread along their tracks, sorted by x, and every pair on a common track becomes
// a vertex of the exchange graph.

#include <algorithm>
#include <limits>

#include "level/ComponentExchangeGraph.h"
#include "level/ExchangeSortByKey.h"
#include "graph/ExchangeSort.h"
#include "level/LevelPairClasses.h"
#include "model/LattixDoc.h"

namespace {

std::int32_t Saturated(std::int64_t v) {
    return static_cast<std::int32_t>(std::clamp<std::int64_t>(v, std::numeric_limits<std::int32_t>::min(),
                                                              std::numeric_limits<std::int32_t>::max()));
}

// The sorted vertices as a level graph (each level keeps the list's order), and the centre
// x of every vertex of each level, hidden ones included, for the drawing's gap counts.
void BuildLevelGraph(ComponentExchangeGraph& result, const std::vector<CVertex*>& sorted) {
    std::vector<CEdge*> edges; // each once, from its first end
    for (CVertex* v : sorted)
        for (CEdge* e : v->m_edges)
            if (e->m_v1 == v) edges.push_back(e);
    result.graph = LevelGraphOf(sorted, edges, result.vertices);

    std::vector<std::int32_t> tracks;
    for (const CVertex* v : result.vertices) tracks.push_back(v->m_trackNumber);
    std::sort(tracks.begin(), tracks.end());
    tracks.erase(std::unique(tracks.begin(), tracks.end()), tracks.end());
    result.levelXs.assign(tracks.size(), {});
    for (const CVertex* v : sorted) {
        const auto track = std::lower_bound(tracks.begin(), tracks.end(), v->m_trackNumber);
        if (track != tracks.end() && *track == v->m_trackNumber) result.levelXs[track - tracks.begin()].push_back(v->m_center.x);
    }
    for (auto& xs : result.levelXs) std::sort(xs.begin(), xs.end());
}

bool TrackXsDistinct(const std::vector<CVertex*>& vertices) {
    std::vector<std::pair<std::int32_t, std::int32_t>> places;
    places.reserve(vertices.size());
    for (const CVertex* v : vertices)
        if (!v->m_hidden) places.push_back({v->m_trackNumber, v->m_center.x});
    std::sort(places.begin(), places.end());
    return std::adjacent_find(places.begin(), places.end()) == places.end();
}

} // namespace

void CLattixDoc::BuildVertexExchangeGraph(ComponentExchangeGraph& result, std::vector<CVertex*>& vertexList,
                                          bool keepLayout) {
    std::vector<CVertex*>& list = vertexList.empty() ? m_compVertices : vertexList;
    std::vector<CVertex*> sorted = list;
    // The order among vertices of one track decides where the spread below puts them.
    ExchangeSortByKey(sorted, [](const CVertex* v) { return v->m_trackNumber; });

    // Spread along the tracks: each track's vertices one grid step apart from 2 steps in.
    if (CLattixView* view = GetActiveEditorView(); view && !keepLayout) {
        // At least one unit apart, and the first far enough in that the canvas border does
        // not push discs onto one place: with a separation near 0 every vertex of a track
        // would otherwise end up at one point.
        const std::int64_t step = std::max<std::int64_t>(view->m_xSeparation, 1);
        std::int64_t first = 2 * step;
        for (const CVertex* v : sorted) first = std::max<std::int64_t>(first, v->m_radius);
        std::int64_t x = first;
        for (std::size_t i = 0; i < sorted.size(); ++i) {
            x = (i > 0 && sorted[i]->m_trackNumber == sorted[i - 1]->m_trackNumber) ? x + step : first;
            sorted[i]->PlaceAt(Saturated(x), sorted[i]->m_center.y, view);
        }
    }

    // Among vertices of equal x only those on one track have an order anyone reads (the
    // pairs of a track are made in list order); when no two vertices of a track share an x,
    // any sort by x gives the same result, and a plain one is quicker than the exchange sort.
    if (TrackXsDistinct(sorted)) {
        std::stable_sort(sorted.begin(), sorted.end(),
                         [](const CVertex* a, const CVertex* b) { return a->m_center.x < b->m_center.x; });
    } else {
        ExchangeSort(sorted, [](const CVertex* a, const CVertex* b) { return a->m_center.x > b->m_center.x; });
    }
    list = sorted;

    BuildLevelGraph(result, sorted);
    result.cyclicGap = !GapsAreForests(result.graph);
    if (result.cyclicGap) return;
    std::vector<int> sequence(result.vertices.size());
    for (std::size_t i = 0; i < sequence.size(); ++i) sequence[i] = static_cast<int>(i);
    result.veg.Build(result.graph, sequence, !result.verdictOnly);

    // A pair's first vertex (the lower rank) lies left of its second unless their x are equal.
    bool misordered = false;
    for (int level = 0; level < result.graph.LevelCount(); ++level) {
        const auto& members = result.graph.Level(level);
        for (std::size_t r = 1; r < members.size(); ++r)
            misordered |= result.graph.XOf(members[r - 1]) > result.graph.XOf(members[r]);
    }
    if (misordered) Platform().ShowMessage("Error in the order of U and V vertices in Vertex-Exchange graph");
}
