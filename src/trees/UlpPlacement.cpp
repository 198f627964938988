#include "trees/UlpPlacement.h"

#include <algorithm>
#include <limits>
#include <unordered_map>
#include <unordered_set>

#include "model/AlgorithmWorkspace.h"
#include "model/BendLimit.h"
#include "model/LattixDoc.h"

std::int32_t ClampToInt32(std::int64_t value) {
    return static_cast<std::int32_t>(std::clamp<std::int64_t>(value, std::numeric_limits<std::int32_t>::min(),
                                                              std::numeric_limits<std::int32_t>::max()));
}

ComponentTree LightTreeOfComponent(const CLattixDoc& doc) {
    ComponentTree c{{}, doc.m_compVertices, doc.m_compEdges};
    std::unordered_map<const CVertex*, std::int32_t> vertexIndex;
    std::unordered_map<const CEdge*, std::int32_t> edgeIndex;
    vertexIndex.reserve(c.vertices.size());
    edgeIndex.reserve(c.edges.size());
    for (std::size_t i = 0; i < c.vertices.size(); ++i) vertexIndex.emplace(c.vertices[i], std::int32_t(i));
    UlpTree& t = c.tree;
    t.vertexCount = static_cast<std::int32_t>(c.vertices.size());
    std::erase_if(c.edges, [&](const CEdge* e) { return !vertexIndex.count(e->m_v1) || !vertexIndex.count(e->m_v2); });
    for (std::size_t k = 0; k < c.edges.size(); ++k) {
        edgeIndex.emplace(c.edges[k], std::int32_t(k));
        t.edges.emplace_back(vertexIndex[c.edges[k]->m_v1], vertexIndex[c.edges[k]->m_v2]);
    }
    t.incidence.resize(c.vertices.size());
    for (const CVertex* v : c.vertices) {
        t.tracks.push_back(v->m_trackNumber);
        auto& at = t.incidence[t.tracks.size() - 1];
        for (const CEdge* e : v->m_edges)
            if (auto it = edgeIndex.find(e); it != edgeIndex.end()) at.push_back(it->second);
    }
    return c;
}

namespace {

constexpr Rgb kBendFill = 0x808080;
constexpr std::int32_t kBendRadius = 5;

class Placer {
public:
    Placer(AlgorithmWorkspace& ws, CLattixView& view)
        : m_ws(ws), m_doc(ws.doc), m_view(view), m_sx(view.m_xSeparation), m_sy(view.m_ySeparation),
          m_c(LightTreeOfComponent(ws.doc)) {}

    const UlpTree& Tree() const { return m_c.tree; }
    std::int32_t Sx() const { return m_sx; }
    // x of a column counted from x0; coordinates far off the canvas saturate instead of
    // wrapping around.
    std::int32_t ColumnX(std::int64_t x0, std::int64_t column) const { return ClampToInt32(x0 + column * m_sx); }
    std::int32_t TrackY(std::int64_t track) const { return ClampToInt32(track * m_sy); }

    void HideComponent() { SetComponentHidden(true); }
    void RevealComponent() { SetComponentHidden(false); }

    // Puts the step's vertex at its column's x and its track's y with the view's guide
    // rules and reveals it with the edge it was reached by; returns the x.
    std::int32_t Place(const UlpStep& step, std::int64_t origin) {
        CVertex* v = m_c.vertices[step.vertex];
        const std::int32_t x = ColumnX(origin, step.column);
        v->PlaceAt(x, TrackY(v->m_trackNumber), &m_view, true);
        v->m_hidden = false;
        if (step.via >= 0) m_c.edges[step.via]->m_hidden = false;
        return x;
    }
    void Step() { m_ws.AnimationStep(); }

    // The largest centre x of the component, or `none` when it has no vertex.
    std::int32_t LargestCentreX(std::int32_t none) const {
        const auto& vertices = m_doc.m_compVertices;
        if (vertices.empty()) return none;
        std::int32_t largest = vertices.front()->m_center.x;
        for (const CVertex* v : vertices) largest = std::max(largest, v->m_center.x);
        return largest;
    }

    // Replaces the step's edge (outer end just placed at x) by a chain through bends on
    // the tracks between its ends, all in that column: the edge leaves its inner end
    // towards the neighbouring track only, and everything it still has to climb happens
    // in the new outermost column, where nothing else stands yet.
    void RouteThroughBends(const UlpStep& step, std::int32_t x) {
        CEdge* edge = m_c.edges[step.via];
        CVertex* outer = m_c.vertices[step.vertex];
        CVertex* inner = edge->Other(outer);
        const std::int64_t from = inner->m_trackNumber, to = outer->m_trackNumber;
        if (to - from <= 1 && from - to <= 1) return;
        const std::int64_t dir = to > from ? 1 : -1;
        std::vector<CVertex*> chain{inner};
        for (std::int64_t t = from + dir; t != to; t += dir) {
            auto* bend = new CVertex(x, TrackY(t), kBendFill);
            bend->SetRadius(kBendRadius);
            bend->m_isBend = true;
            bend->m_trackNumber = static_cast<std::int32_t>(t);
            bend->m_highlight = edge->m_highlight;
            m_doc.AddElement(bend);
            bend->PlaceAt(x, TrackY(t), &m_view, false);
            m_newVertices.push_back(bend);
            chain.push_back(bend);
        }
        chain.push_back(outer);
        // The chain keeps the direction of the edge it replaces.
        if (edge->m_v1 != inner) std::reverse(chain.begin(), chain.end());
        for (std::size_t i = 0; i + 1 < chain.size(); ++i) {
            auto* piece = new CEdge(chain[i], chain[i + 1], edge->m_edgeColor);
            piece->m_highlight = edge->m_highlight;
            m_doc.AddElement(piece);
            m_newEdges.push_back(piece);
        }
        m_replaced.insert(edge);
        m_doc.DeleteElement(edge);
    }

    // Brings the component's lists up to date with the bends: replaced edges out, bends
    // and their edges in.
    void UpdateComponentLists() {
        if (m_replaced.empty()) return;
        std::erase_if(m_doc.m_compEdges, [&](CEdge* e) { return m_replaced.count(e) != 0; });
        m_doc.m_compEdges.insert(m_doc.m_compEdges.end(), m_newEdges.begin(), m_newEdges.end());
        m_doc.m_compVertices.insert(m_doc.m_compVertices.end(), m_newVertices.begin(), m_newVertices.end());
    }

private:
    void SetComponentHidden(bool hidden) {
        for (CVertex* v : m_doc.m_compVertices) v->m_hidden = hidden;
        for (CEdge* e : m_doc.m_compEdges) e->m_hidden = hidden;
    }

    AlgorithmWorkspace& m_ws;
    CLattixDoc& m_doc;
    CLattixView& m_view;
    std::int32_t m_sx, m_sy;
    ComponentTree m_c;
    std::unordered_set<const CEdge*> m_replaced;
    std::vector<CEdge*> m_newEdges;
    std::vector<CVertex*> m_newVertices;
};

// The bends a spider's edges need, all of them; an edge to a neighbouring track needs none.
std::int64_t BendsNeeded(const UlpTree& t, const UlpLayout& layout) {
    std::int64_t needed = 0;
    for (const UlpStep& s : layout.steps)
        if (s.via >= 0) needed += BendsBetweenTracks(t.tracks[t.Other(s.via, s.vertex)], t.tracks[s.vertex]);
    return needed;
}

} // namespace

std::int32_t DrawCaterpillar(AlgorithmWorkspace& ws, std::int32_t x0) {
    CLattixView* view = ws.doc.GetActiveEditorView();
    if (!view) return x0;
    Placer placer(ws, *view);
    placer.HideComponent();
    if (placer.Tree().vertexCount >= 3) {
        // Finding the spine once took a copy of the component, one element id per vertex
        // and per edge; later elements keep the ids they had then.
        std::uint64_t copied = 0;
        for (const CVertex* v : ws.doc.m_compVertices)
            for (const CEdge* e : v->m_edges) copied += e->m_v1 == v ? 1 : 0;
        SkipIds(ws.doc.m_compVertices.size() + copied);
    }
    for (const UlpStep& step : CaterpillarLayoutOf(placer.Tree()).steps) {
        placer.Place(step, x0);
        placer.Step();
    }
    placer.RevealComponent();
    return placer.LargestCentreX(x0);
}

std::int32_t DrawRadius2Star(AlgorithmWorkspace& ws, std::int32_t x0) {
    CLattixView* view = ws.doc.GetActiveEditorView();
    if (!view) return x0;
    Placer placer(ws, *view);
    const std::int64_t base = std::int64_t(x0) + 2 * std::int64_t(placer.Sx());
    for (CVertex* v : ws.doc.m_compVertices) {
        v->m_center = v->m_center + v->m_offset;
        v->m_rect = v->m_rect.Offset(v->m_offset);
        v->ResetOffset();
    }
    if (ws.m_animate) placer.HideComponent();
    const UlpLayout layout = Radius2StarLayoutOf(placer.Tree());
    if (!layout.drawn) {
        placer.RevealComponent();
        return x0;
    }
    for (const UlpStep& step : layout.steps) {
        placer.Place(step, base);
        placer.Step();
    }
    placer.RevealComponent();
    return placer.LargestCentreX(x0);
}

std::int32_t Draw3Spider(AlgorithmWorkspace& ws, std::int32_t x0, std::int32_t keepRightOf) {
    CLattixView* view = ws.doc.GetActiveEditorView();
    if (!view) return x0;
    Placer placer(ws, *view);
    if (ws.m_animate) placer.HideComponent();
    const UlpLayout layout = SpiderLayoutOf(placer.Tree());
    // A spider whose bends do not fit in what the command may still insert is left where it is.
    const std::int64_t bends = layout.drawn ? BendsNeeded(placer.Tree(), layout) : 0;
    if (!layout.drawn || bends > ws.m_bendBudget) {
        placer.RevealComponent();
        return x0;
    }
    ws.m_bendBudget -= bends;

    // The caller leaves half the spider's width of room on the left; a left side that needs
    // more moves the spider right, so that it never reaches back into the tree before it.
    std::int64_t origin = x0;
    const std::int64_t leftmost = origin + layout.leftmost * placer.Sx();
    if (keepRightOf != INT32_MIN && leftmost <= std::int64_t(keepRightOf))
        origin += std::int64_t(keepRightOf) + placer.Sx() - leftmost;

    for (const UlpStep& step : layout.steps) {
        const std::int32_t x = placer.Place(step, origin);
        if (step.via >= 0) placer.RouteThroughBends(step, x);
        placer.Step();
    }
    placer.UpdateComponentLists();
    placer.RevealComponent();
    return placer.LargestCentreX(x0);
}
