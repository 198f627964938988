// The classification of ULP Recognition Mode: components, trees, and the three ULP tree
// classes (caterpillars, radius-2 stars, 3-spiders), with their highlight colours.

#include "trees/Classification.h"

#include <algorithm>
#include <unordered_set>

#include "model/LattixDoc.h"
#include "graph/Components.h"
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
    if (!IsSimple() || m_directed) return;

    m_componentCount = CountComponents(&m_allVertices);
    ComponentExtractor extractor(*this, m_componentCount, m_allVertices, m_allEdges);
    for (std::int32_t k = 0; k < m_componentCount; ++k) {
        extractor.Extract(k);
        const bool isTree = m_compEdges.size() + 1 == m_compVertices.size();
        if (!isTree) {
            HighlightCycle();
            continue;
        }
        ++m_treeCount;
        if (HasSharedTrack()) {
            // A tree with a level assignment: only caterpillars are drawn for every
            // assignment, so only that test applies.
            if (IsCaterpillar()) ++m_caterpillarCount;
            WitnessSearchL();
            continue;
        }
        if (IsCaterpillar()) ++m_caterpillarCount;
        else if (IsRadius2Star()) ++m_starCount;
        else if (Is3Spider()) ++m_spiderCount;
        if (!WitnessSearchF1()) WitnessSearchF2();
    }
}

bool CLattixDoc::HasSharedTrack() const {
    std::unordered_set<std::int32_t> tracks;
    for (const CVertex* v : m_compVertices)
        if (!v->m_isBend && !tracks.insert(v->m_trackNumber).second) return true;
    return false;
}

bool CLattixDoc::IsCaterpillar(const std::vector<CVertex*>& vertices, const std::vector<CEdge*>& edges) {
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

bool CLattixDoc::Is3Spider() {
    std::size_t largest = 0, degreeThree = 0;
    for (const CVertex* v : m_compVertices) {
        largest = std::max(largest, v->Degree());
        if (v->Degree() == 3) ++degreeThree;
    }
    if (largest != 3 || degreeThree != 1) return false;
    Colour(m_compVertices, m_compEdges, kSpiderColor);
    return true;
}

bool CLattixDoc::IsRadius2Star() {
    ShapeCopy g(m_compVertices);
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
    if (star) Colour(m_compVertices, m_compEdges, kRadius2StarColor);
    return star;
}

bool CLattixDoc::HighlightCycle() {
    if (m_compVertices.size() < 3) return false;
    for (CVertex* v : m_compVertices) {
        v->m_dfsNumber = -1;
        v->m_dfsParent = nullptr;
        v->m_dfsParentEdge = nullptr;
    }
    std::int32_t counter = 0;

    // Depth-first search with an explicit stack: each frame is a vertex and the index of
    // the next incident edge to look at.
    struct Frame {
        CVertex* v;
        std::size_t next;
    };
    CVertex* root = m_compVertices.front();
    root->m_dfsNumber = counter++;
    std::vector<Frame> stack{{root, 0}};
    while (!stack.empty()) {
        Frame& f = stack.back();
        if (f.next == f.v->m_edges.size()) {
            stack.pop_back();
            continue;
        }
        CVertex* current = f.v;
        CEdge* e = current->m_edges[f.next++];
        CVertex* w = e->Other(current);
        if (!w) continue;
        if (w->m_dfsNumber == -1) {
            w->m_dfsParent = current;
            w->m_dfsParentEdge = e;
            w->m_dfsNumber = counter++;
            stack.push_back({w, 0});
        } else if (w != current->m_dfsParent) {
            e->m_highlight = kCycleColor;
            w->m_highlight = kCycleColor;
            for (CVertex* u = current; u && u != w; u = u->m_dfsParent) {
                u->m_highlight = kCycleColor;
                if (u->m_dfsParentEdge) u->m_dfsParentEdge->m_highlight = kCycleColor;
            }
            return true;
        }
    }
    return false;
}
