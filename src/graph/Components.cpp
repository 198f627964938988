#include "graph/Components.h"

#include <algorithm>
#include <string_view>

#include "graph/ComponentLabels.h"
#include "graph/IndexedEdges.h"
#include "model/ElementPool.h"
#include "model/LattixDoc.h"

namespace {

// A label cut at its first underscore (when the underscore is not the first character).
void CutNameAtUnderscore(CVertex& v) {
    const std::string_view name = v.m_name;
    const auto pos = name.find('_');
    if (pos != std::string_view::npos && pos > 0) v.m_name = name.substr(0, pos);
}

// What taking an element into the extracted component does to it. The highlight is written
// only when it changes: a large component is mostly clean already, and a line only read
// need not go back to memory.
void TouchVertex(CVertex& v) {
    if (v.m_highlight != kNoHighlight) v.m_highlight = kNoHighlight;
    CutNameAtUnderscore(v);
}

void TouchEdge(CEdge& e) {
    if (e.m_highlight != kNoHighlight) e.m_highlight = kNoHighlight;
}

void TakeVertex(CLattixDoc& doc, CVertex* v) {
    doc.m_compVertices.push_back(v);
    TouchVertex(*v);
}

void TakeEdge(CLattixDoc& doc, CEdge* e) {
    doc.m_compEdges.push_back(e);
    TouchEdge(*e);
}

// Positions 0..n-1 bucketed by key (each in 0..count-1, or skipped), in order within a bucket.
void Bucket(std::int32_t count, std::size_t n, const auto& keyOf, std::vector<std::int32_t>& at,
            std::vector<std::int32_t>& start) {
    start.assign(std::size_t(count) + 2, 0);
    for (std::size_t i = 0; i < n; ++i)
        if (const std::int32_t k = keyOf(i); k >= 0 && k < count) ++start[std::size_t(k) + 2];
    for (std::size_t k = 2; k < start.size(); ++k) start[k] += start[k - 1];
    at.resize(std::size_t(start.back()));
    for (std::size_t i = 0; i < n; ++i)
        if (const std::int32_t k = keyOf(i); k >= 0 && k < count) at[std::size_t(start[std::size_t(k) + 1]++)] = static_cast<std::int32_t>(i);
    start.pop_back(); // bucket k now spans start[k] .. start[k + 1]
}

} // namespace

bool AdjacencyMatchesEdges(const std::vector<CVertex*>& vertices, const std::vector<CEdge*>& edges,
                           std::vector<std::uint8_t>* touch) {
    std::size_t ends = 0;
    if (touch) touch->resize(vertices.size());
    for (std::size_t i = 0; i < vertices.size(); ++i) {
        const CVertex* v = vertices[i];
        ends += v->Degree();
        if (touch)
            (*touch)[i] = v->m_highlight != kNoHighlight || v->m_name.view().find('_') != std::string_view::npos;
    }
    return ends == 2 * edges.size();
}

void CLattixDoc::RefreshCachedLists() {
    // While the elements stay the same (a drag, say) the lists made last time still hold.
    if (m_allListsVersion == m_elements.Version() && m_allListsOwner == &m_elements) return;
    m_cachedVertices.clear();
    m_cachedEdges.clear();
    // Sized up front: grown by doubling, the lists of a large graph would hold up to twice
    // what they need, and three times while the last growth copies them. The pools count
    // every vertex and edge alive in the run, which bounds this document's.
    if constexpr (ElementPool::kPooled) {
        m_cachedVertices.reserve(std::min(m_elements.size(), VertexPool().LiveBlocks()));
        m_cachedEdges.reserve(std::min(m_elements.size(), EdgePool().LiveBlocks()));
    }
    for (CElement* e : m_elements) {
        if (CVertex* v = e->AsVertex()) m_cachedVertices.push_back(v);
        else m_cachedEdges.push_back(e->AsEdge());
    }
    m_allListsVersion = m_elements.Version();
    m_allListsOwner = &m_elements;
}

void CLattixDoc::RebuildAllLists() {
    RefreshCachedLists();
    m_allVertices = m_cachedVertices;
    m_allEdges = m_cachedEdges;
}

void CLattixDoc::MoveAllLists() {
    RefreshCachedLists();
    m_allVertices = std::move(m_cachedVertices);
    m_allEdges = std::move(m_cachedEdges);
    m_cachedVertices.clear();
    m_cachedEdges.clear();
    m_allListsOwner = nullptr; // taken: the next RefreshCachedLists remakes them
}

std::int32_t CLattixDoc::CountComponents(const std::vector<CVertex*>* list) {
    const std::vector<CVertex*>& vertices = list ? *list : m_allVertices;
    std::int32_t counter = 0;
    // The labels of an earlier count go: a vertex not reached now has none.
    m_componentOf.Reset(vertices);
    std::vector<CVertex*> stack;
    for (CVertex* start : vertices) {
        if (m_componentOf.Get(start) != -1) continue;
        // Every vertex reachable from the start gets the counter, also one outside the list.
        m_componentOf.Set(start, counter);
        stack.push_back(start);
        while (!stack.empty()) {
            CVertex* v = stack.back();
            stack.pop_back();
            for (CEdge* e : v->m_edges) {
                CVertex* w = e->Other(v);
                if (w && m_componentOf.Get(w) == -1) {
                    m_componentOf.Set(w, counter);
                    stack.push_back(w);
                }
            }
        }
        ++counter;
    }
    return counter;
}

std::int32_t CLattixDoc::LabelComponents(const IndexedEdges& indexed, std::vector<std::int32_t>* labels,
                                         std::vector<std::uint8_t>* vertexTouch) {
    if (labels) labels->clear();
    if (!indexed.m_complete || !AdjacencyMatchesEdges(m_allVertices, m_allEdges, vertexTouch))
        return CountComponents(&m_allVertices);
    std::int32_t count = 0;
    std::vector<std::int32_t> found = ComponentLabels(static_cast<std::int32_t>(m_allVertices.size()), indexed.m_ends, count);
    if (labels) *labels = found;
    m_componentOf.Assign(m_allVertices, std::move(found));
    return count;
}

void CLattixDoc::OnConnectedComponents() {
    RebuildAllLists();
    const IndexedEdges indexed = IndexEdges(m_allVertices, m_allEdges);
    if (!IsSimpleGraph(m_allVertices, m_allEdges, indexed)) {
        Platform().ShowMessage("The graph is not simple.");
        return;
    }
    if (m_directed) {
        Platform().ShowMessage("The graph is not undirected.");
        return;
    }
    const std::int32_t k = LabelComponents(indexed);
    Platform().ShowMessage(k == 1 ? "There is 1 connected component."
                                  : "There are " + std::to_string(k) + " connected components.");
}

bool CLattixDoc::ExtractComponent(std::int32_t k) {
    m_compVertices.clear();
    m_compEdges.clear();
    for (CElement* e : m_elements)
        if (CVertex* v = e->AsVertex(); v && ComponentOf(v) == k) TakeVertex(*this, v);
    for (CElement* e : m_elements) {
        CEdge* edge = e->AsEdge();
        if (!edge || !edge->m_v1 || ComponentOf(edge->m_v1) != k) continue;
        if (!edge->m_v2 || ComponentOf(edge->m_v2) != k) return false;
        m_compEdges.push_back(edge);
        edge->m_highlight = kNoHighlight;
    }
    return true;
}

ComponentExtractor::ComponentExtractor(CLattixDoc& doc, std::int32_t componentCount)
    : m_doc(doc), m_vertices(std::max(componentCount, 0)), m_edges(std::max(componentCount, 0)) {
    auto inRange = [&](std::int32_t c) { return c >= 0 && c < componentCount; };
    for (CElement* e : doc.m_elements) {
        if (CVertex* v = e->AsVertex()) {
            if (const std::int32_t c = doc.ComponentOf(v); inRange(c)) m_vertices[c].push_back(v);
        } else if (CEdge* edge = e->AsEdge(); edge->m_v1) {
            if (const std::int32_t c = doc.ComponentOf(edge->m_v1); inRange(c)) m_edges[c].push_back(edge);
        }
    }
}

ComponentExtractor::ComponentExtractor(CLattixDoc& doc, std::int32_t componentCount,
                                       const std::vector<CVertex*>& vertices, const std::vector<CEdge*>& edges)
    : m_doc(doc), m_vertices(std::max(componentCount, 0)), m_edges(std::max(componentCount, 0)) {
    auto inRange = [&](std::int32_t c) { return c >= 0 && c < componentCount; };
    for (CVertex* v : vertices)
        if (const std::int32_t c = doc.ComponentOf(v); inRange(c)) m_vertices[c].push_back(v);
    for (CEdge* e : edges)
        if (const std::int32_t c = e->m_v1 ? doc.ComponentOf(e->m_v1) : -1; inRange(c)) m_edges[c].push_back(e);
}

ComponentExtractor::ComponentExtractor(CLattixDoc& doc, std::int32_t componentCount,
                                       const std::vector<CVertex*>& vertices, const std::vector<CEdge*>& edges,
                                       std::span<const std::int32_t> labels,
                                       std::span<const std::pair<std::int32_t, std::int32_t>> ends,
                                       std::span<const std::uint8_t> vertexTouch,
                                       std::span<const std::uint8_t> edgeTouch)
    : m_doc(doc), m_byPosition(true), m_count(std::max(componentCount, 0)), m_allVertices(&vertices),
      m_allEdges(&edges), m_labels(labels), m_ends(ends), m_vertexTouch(vertexTouch), m_edgeTouch(edgeTouch) {
    // One component that holds every vertex (and so every edge end) is the lists themselves.
    m_whole = m_count == 1 && std::all_of(labels.begin(), labels.end(), [](std::int32_t c) { return c == 0; });
    if (m_whole) return;
    Bucket(m_count, vertices.size(), [&](std::size_t i) { return labels[i]; }, m_vertexAt, m_vertexStart);
    Bucket(m_count, edges.size(), [&](std::size_t j) { return labels[std::size_t(ends[j].first)]; }, m_edgeAt,
           m_edgeStart);
}

bool ComponentExtractor::ExtractByPosition(std::int32_t k) {
    m_doc.m_compVertices.clear();
    m_doc.m_compEdges.clear();
    const std::vector<CVertex*>& vertices = *m_allVertices;
    const std::vector<CEdge*>& edges = *m_allEdges;
    auto takeVertex = [&](std::size_t i) {
        if (m_vertexTouch.empty() || m_vertexTouch[i]) TakeVertex(m_doc, vertices[i]);
        else m_doc.m_compVertices.push_back(vertices[i]);
    };
    auto takeEdge = [&](std::size_t j) {
        if (m_labels[std::size_t(m_ends[j].second)] != k) return false;
        if (m_edgeTouch.empty() || m_edgeTouch[j]) TakeEdge(m_doc, edges[j]);
        else m_doc.m_compEdges.push_back(edges[j]);
        return true;
    };
    if (m_whole) {
        m_doc.m_compVertices = vertices;
        m_doc.m_compEdges = edges;
        for (std::size_t i = 0; i < vertices.size(); ++i)
            if (m_vertexTouch.empty() || m_vertexTouch[i]) TouchVertex(*vertices[i]);
        for (std::size_t j = 0; j < edges.size(); ++j)
            if (m_edgeTouch.empty() || m_edgeTouch[j]) TouchEdge(*edges[j]);
        return true;
    }
    for (std::int32_t i = m_vertexStart[k]; i < m_vertexStart[k + 1]; ++i) takeVertex(std::size_t(m_vertexAt[i]));
    for (std::int32_t i = m_edgeStart[k]; i < m_edgeStart[k + 1]; ++i)
        if (!takeEdge(std::size_t(m_edgeAt[i]))) return false;
    return true;
}

bool ComponentExtractor::Extract(std::int32_t k) {
    if (k < 0 || k >= (m_byPosition ? m_count : static_cast<std::int32_t>(m_vertices.size())))
        return m_doc.ExtractComponent(k);
    if (m_byPosition) return ExtractByPosition(k);
    m_doc.m_compVertices.clear();
    m_doc.m_compEdges.clear();
    for (CVertex* v : m_vertices[k]) TakeVertex(m_doc, v);
    for (CEdge* edge : m_edges[k]) {
        if (!edge->m_v2 || m_doc.ComponentOf(edge->m_v2) != k) return false;
        TakeEdge(m_doc, edge);
    }
    return true;
}
