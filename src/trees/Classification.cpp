// The classification of ULP Recognition Mode: components, trees, and the three ULP tree
// classes (caterpillars, radius-2 stars, 3-spiders), with their highlight colours.

#include "trees/Classification.h"

#include <algorithm>
#include <optional>

#include "model/AddressIndex.h"
#include "model/LattixDoc.h"
#include "graph/Components.h"
#include "graph/IndexedEdges.h"
#include "trees/ShapeCopy.h"

namespace {

void Colour(const std::vector<CVertex*>& vertices, const std::vector<CEdge*>& edges, Rgb color) {
    for (CVertex* v : vertices) v->m_highlight = color;
    for (CEdge* e : edges) e->m_highlight = color;
}

} // namespace

void CLattixDoc::RecomputeUlpCounts(bool force) {
    if (!m_ulpMode && !force) return;
    m_componentCount = m_treeCount = m_caterpillarCount = m_spiderCount = m_starCount = 0;
    RebuildAllLists();
    // The ends by position serve the simple-graph check, the labelling and the extraction.
    std::vector<std::uint8_t> edgeTouch, vertexTouch;
    const IndexedEdges indexed = IndexEdges(m_allVertices, m_allEdges, &edgeTouch);
    if (!IsSimpleGraph(m_allVertices, m_allEdges, indexed) || m_directed) return;

    std::vector<std::int32_t> labels;
    m_componentCount = LabelComponents(indexed, &labels, &vertexTouch);
    std::optional<ComponentExtractor> extractor;
    if (!labels.empty()) {
        // Earlier components' tests colour only their own elements, so the flags taken now
        // still hold when a component's turn comes.
        extractor.emplace(*this, m_componentCount, m_allVertices, m_allEdges, labels, indexed.m_ends, vertexTouch,
                          edgeTouch);
    } else {
        extractor.emplace(*this, m_componentCount, m_allVertices, m_allEdges);
    }
    for (std::int32_t k = 0; k < m_componentCount; ++k) {
        extractor->Extract(k);
        const bool isTree = m_compEdges.size() + 1 == m_compVertices.size();
        const std::vector<CVertex*>& vertices = m_compVertices;
        const std::vector<CEdge*>& edges = m_compEdges;
        if (!isTree) {
            HighlightCycle(vertices);
            continue;
        }
        ++m_treeCount;
        if (HasSharedTrack(vertices)) {
            // A tree with a level assignment: only caterpillars are drawn for every
            // assignment, so only that test applies.
            if (IsCaterpillar(vertices, edges)) ++m_caterpillarCount;
            WitnessSearchL(vertices);
            continue;
        }
        if (IsCaterpillar(vertices, edges)) ++m_caterpillarCount;
        else if (IsRadius2Star(vertices, edges)) ++m_starCount;
        else if (Is3Spider(vertices, edges)) ++m_spiderCount;
        if (!WitnessSearchF1(vertices)) WitnessSearchF2(vertices);
    }
}

bool HasSharedTrack(const std::vector<CVertex*>& vertices) {
    // Sorted rather than hashed: one allocation per component instead of one per vertex.
    std::vector<std::int32_t> tracks;
    tracks.reserve(vertices.size());
    for (const CVertex* v : vertices)
        if (!v->m_isBend) tracks.push_back(v->m_trackNumber);
    std::sort(tracks.begin(), tracks.end());
    return std::adjacent_find(tracks.begin(), tracks.end()) != tracks.end();
}

bool IsCaterpillar(const std::vector<CVertex*>& vertices, const std::vector<CEdge*>& edges) {
    if (edges.size() + 1 != vertices.size()) return false;
    for (const CVertex* v : vertices) {
        if (v->Degree() <= 2) continue;
        std::size_t leaves = 0;
        for (const CEdge* e : v->m_edges)
            if (const CVertex* w = e->Other(v); w && w->Degree() < 2) ++leaves;
        // At most two neighbours may be more than leaves: they continue the spine.
        if (v->Degree() - leaves > 2) return false;
    }
    Colour(vertices, edges, kCaterpillarColor);
    return true;
}

bool Is3Spider(const std::vector<CVertex*>& vertices, const std::vector<CEdge*>& edges) {
    std::size_t largest = 0, degreeThree = 0;
    for (const CVertex* v : vertices) {
        largest = std::max(largest, v->Degree());
        if (v->Degree() == 3) ++degreeThree;
    }
    if (largest != 3 || degreeThree != 1) return false;
    Colour(vertices, edges, kSpiderColor);
    return true;
}

bool IsRadius2Star(const std::vector<CVertex*>& vertices, const std::vector<CEdge*>& edges) {
    ShapeCopy g(vertices);
    std::size_t largest = 0;
    for (int v : g.Vertices()) largest = std::max(largest, g.Degree(v));
    if (largest < 3) return false;
    g.RemoveLeavesOnce();
    std::size_t notMiddle = 0;
    int remembered = -1;
    for (int c : g.Vertices()) {
        if (g.DocVertex(c)->Degree() != 2) {
            ++notMiddle;
            remembered = c;
        }
    }
    g.RemoveLeavesOnce();
    const bool star = g.Vertices().size() == 1 && notMiddle == 1 && g.Vertices().front() == remembered;
    if (star) Colour(vertices, edges, kRadius2StarColor);
    return star;
}

bool HighlightCycle(const std::vector<CVertex*>& vertices) {
    if (vertices.size() < 3) return false;
    const PositionIndex<CVertex> index(vertices);
    // The search's state, by position in the component's list: reached yet, and the tree
    // vertex and edge it was reached from (-1 and null for the root).
    std::vector<char> reached(vertices.size(), 0);
    std::vector<std::int32_t> parent(vertices.size(), -1);
    std::vector<CEdge*> parentEdge(vertices.size(), nullptr);

    // Depth-first search with an explicit stack: each frame is a vertex and the index of
    // the next incident edge to look at.
    struct Frame {
        std::int32_t v;
        std::size_t next;
    };
    reached[0] = 1;
    std::vector<Frame> stack{{0, 0}};
    while (!stack.empty()) {
        Frame& f = stack.back();
        CVertex* current = vertices[f.v];
        if (f.next == current->m_edges.size()) {
            stack.pop_back();
            continue;
        }
        const std::int32_t c = f.v;
        CEdge* e = current->m_edges[f.next++];
        const std::int32_t w = index.Of(e->Other(current));
        if (w < 0) continue;
        if (!reached[w]) {
            reached[w] = 1;
            parent[w] = c;
            parentEdge[w] = e;
            stack.push_back({w, 0});
        } else if (w != parent[c]) {
            e->m_highlight = kCycleColor;
            vertices[w]->m_highlight = kCycleColor;
            for (std::int32_t u = c; u >= 0 && u != w; u = parent[u]) {
                vertices[u]->m_highlight = kCycleColor;
                if (parentEdge[u]) parentEdge[u]->m_highlight = kCycleColor;
            }
            return true;
        }
    }
    return false;
}
