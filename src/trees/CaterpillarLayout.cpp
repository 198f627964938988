// The caterpillar layout: the spine runs from left to right, one column per spine vertex,
// and the leaves of a spine vertex stand in the columns between it and the next spine
// vertex. Edges of different spine vertices then never share a column range, so the
// drawing is level planar for any track assignment.

#include <tuple>
#include <utility>

#include "model/AlgorithmWorkspace.h"
#include "model/LattixDoc.h"
#include "trees/ExchangeSort.h"
#include "trees/ShapeCopy.h"
#include "trees/UlpPlacement.h"

namespace {

// Marks the spine (what remains after the leaves are removed once) on the document vertices.
void MarkSpine(std::vector<CVertex*>& vertices) {
    for (CVertex* v : vertices) v->m_spine = false;
    ShapeCopy g(vertices);
    g.RemoveLeavesOnce();
    for (int v : g.Vertices()) g.DocVertex(v)->m_spine = true;
}

std::size_t SpineNeighbours(const CVertex* v) {
    std::size_t count = 0;
    for (const CEdge* e : v->m_edges)
        if (const CVertex* w = e->Other(v); w && w->m_spine) ++count;
    return count;
}

// Neighbours on higher tracks than s come first, nearest first; then the others, again
// nearest first (the exchange sort's comparison reduces to this key).
std::pair<int, std::int64_t> NeighbourKey(const CVertex* s, const CVertex* w) {
    if (w->m_trackNumber > s->m_trackNumber) return {0, w->m_trackNumber};
    return {1, -std::int64_t(w->m_trackNumber)};
}

// Places the leaves of spine vertex s (in column k); returns the largest column used.
std::int64_t PlaceLeaves(UlpPlacer& placer, std::int32_t x0, CVertex* s, std::int64_t k) {
    std::vector<CEdge*> edges;
    std::vector<std::pair<int, std::int64_t>> keys;
    for (CEdge* e : s->m_edges) {
        CVertex* w = e->Other(s);
        if (!w) continue;
        edges.push_back(e);
        keys.push_back(NeighbourKey(s, w));
    }
    ExchangeSortByKey(edges, keys);

    std::int64_t largest = k;
    const CVertex* previous = nullptr;
    std::int64_t previousColumn = k;
    for (CEdge* e : edges) {
        CVertex* leaf = e->Other(s);
        if (leaf->m_spine) continue;
        std::int64_t column;
        if (!previous) column = k + 1;
        else if (leaf->m_trackNumber > s->m_trackNumber && !(previous->m_trackNumber > s->m_trackNumber))
            column = k + 1;
        else if (previous->m_trackNumber != leaf->m_trackNumber) column = previousColumn;
        else column = previousColumn + 1;
        placer.Place(leaf, placer.ColumnX(x0, column), e);
        placer.Step();
        previous = leaf;
        previousColumn = column;
        largest = std::max(largest, column);
    }
    return largest;
}

} // namespace

std::int32_t CLattixDoc::DrawCaterpillar(AlgorithmWorkspace& ws, std::int32_t x0) {
    CLattixView* view = GetActiveEditorView();
    if (!view) return x0;
    UlpPlacer placer(ws, *view);
    placer.HideComponent();
    for (CVertex* v : m_compVertices) v->m_placed = false;

    if (m_compVertices.size() < 3) {
        if (!m_compVertices.empty()) {
            placer.Place(m_compVertices[0], placer.ColumnX(x0, 1));
            placer.Step();
        }
        if (m_compVertices.size() == 2) {
            placer.Place(m_compVertices[1], placer.ColumnX(x0, 4));
            for (CEdge* e : m_compEdges) e->m_hidden = false;
            placer.Step();
        }
        placer.RevealComponent();
        return placer.LargestCentreX(x0);
    }

    MarkSpine(m_compVertices);
    CVertex* s = nullptr;
    for (CVertex* v : m_compVertices) {
        if (v->m_spine && SpineNeighbours(v) < 2) {
            s = v;
            break;
        }
    }

    // The spine is a path; walk it from its end, one spine vertex after the other.
    std::int64_t largest = 0;
    CEdge* via = nullptr;
    while (s) {
        const std::int64_t k = largest + 1;
        placer.Place(s, placer.ColumnX(x0, k), via);
        placer.Step();
        largest = PlaceLeaves(placer, x0, s, k);

        CVertex* next = nullptr;
        via = nullptr;
        for (CEdge* e : s->m_edges) {
            CVertex* w = e->Other(s);
            if (w && w->m_spine && !w->m_placed) {
                next = w;
                via = e;
                break;
            }
        }
        s = next;
    }
    placer.RevealComponent();
    return placer.LargestCentreX(x0);
}
