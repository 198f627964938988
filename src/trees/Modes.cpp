// Upward, SEFE and ULP Recognition Mode: at most one is on; each colours elements that
// break its rules or belong to its classes.

#include <algorithm>
#include <unordered_map>
#include <unordered_set>

#include "model/LattixDoc.h"
#include "trees/ScratchGraph.h"

namespace {
constexpr Rgb kFlagColor = 0x5555FF;
}

CEdge* CLattixDoc::EdgeBeingDrawn() const {
    CEdge* e = m_creating ? m_creating->AsEdge() : nullptr;
    return e && !e->m_v2 ? e : nullptr;
}

void CLattixDoc::ColorUpwardEdges() {
    if (!m_upwardMode) return;
    const CEdge* drawn = EdgeBeingDrawn();
    for (CElement* el : m_elements) {
        CEdge* e = el->AsEdge();
        if (!e || e == drawn || !e->m_v1 || !e->m_v2) continue;
        const std::int32_t y1 = e->m_v1->m_center.y + e->m_v1->m_offset.y;
        const std::int32_t y2 = e->m_v2->m_center.y + e->m_v2->m_offset.y;
        e->m_highlight = y1 > y2 ? kNoHighlight : kFlagColor;
    }
}

void CLattixDoc::UpdateSefe() {
    if (!m_sefeMode || EdgeBeingDrawn()) return;

    std::vector<CVertex*> vertices;
    std::vector<std::size_t> bends; // positions in `vertices`, which the copies share
    std::unordered_set<const CEdge*> notPlain;
    for (CElement* e : m_elements) {
        e->m_highlight = kNoHighlight;
        if (CVertex* v = e->AsVertex()) {
            vertices.push_back(v);
            if (v->m_isBend) bends.push_back(vertices.size() - 1);
        }
    }

    ScratchGraph g;
    CopyComponent(vertices, g);
    // Edges leave the scratch list as they are deleted; their slots are emptied at once
    // (an address freed here may come back for a new edge) and the holes closed at the end.
    std::unordered_map<const CEdge*, std::size_t> slot;
    for (std::size_t i = 0; i < g.edges.size(); ++i) slot[g.edges[i]] = i;
    // Each bend is replaced in the scratch graph by one edge between its first two
    // neighbours, standing for the document edge of its first edge.
    for (std::size_t bendIndex : bends) {
        CVertex* c = g.vertices[bendIndex];
        CVertex* p = nullptr;
        CVertex* q = nullptr;
        for (CEdge* e : c->m_edges) {
            CVertex* w = e->Other(c);
            if (w == c) continue; // a loop at the bend joins nothing
            if (!p) p = w;
            else if (!q && w != p) q = w;
        }
        CEdge* represented = c->m_edges.empty() ? nullptr : g.SourceOf(c->m_edges.front());
        while (!c->m_edges.empty()) {
            CEdge* e = c->m_edges.front();
            if (auto it = slot.find(e); it != slot.end()) {
                g.edges[it->second] = nullptr;
                slot.erase(it);
            }
            g.ForgetEdge(e);
            delete e; // unregisters from c and from its other end
        }
        g.vertices[bendIndex] = nullptr;
        delete c;
        if (!p || !q) continue;
        auto* joined = new CEdge(p, q, kEdgeBlack);
        if (represented) g.sourceEdge[joined] = represented;
        slot[joined] = g.edges.size();
        g.edges.push_back(joined);
        if (represented) notPlain.insert(represented);
    }
    std::erase(g.edges, nullptr);
    std::erase(g.vertices, nullptr);

    for (CEdge* e : g.edges) {
        for (CEdge* f : e->m_v1->m_edges) {
            if (f == e || f->Other(e->m_v1) != e->m_v2) continue;
            CEdge* de = g.SourceOf(e);
            CEdge* df = g.SourceOf(f);
            if (!de || !df) continue;
            if (notPlain.count(de) || notPlain.count(df)) {
                de->SetHighlightAlongBends(kFlagColor);
                df->SetHighlightAlongBends(kFlagColor);
            }
        }
    }
    g.Clear();
    ColorUpwardEdges();
    RepaintAllViews();
}

void CLattixDoc::OnUlpRecognitionMode() {
    m_ulpMode = !m_ulpMode;
    if (m_ulpMode) {
        m_sefeMode = false;
        m_upwardMode = false;
        m_directed = false;
    } else {
        m_componentCount = m_treeCount = m_caterpillarCount = m_spiderCount = m_starCount = 0;
    }
    for (CElement* e : m_elements) e->m_highlight = kNoHighlight;
    CommitEdit({.derived = Derived::ModeData});
}

void CLattixDoc::OnUpwardMode() {
    m_upwardMode = !m_upwardMode;
    if (m_upwardMode) {
        m_directed = true;
        m_sefeMode = false;
        // Leaving ULP Recognition Mode drops its counts, however it is left.
        if (m_ulpMode) m_componentCount = m_treeCount = m_caterpillarCount = m_spiderCount = m_starCount = 0;
        m_ulpMode = false;
    } else {
        m_directed = false;
    }
    for (CElement* e : m_elements)
        if (e->IsEdge()) e->m_highlight = kNoHighlight;
    CommitEdit({.derived = Derived::Upward | Derived::Sefe});
}

void CLattixDoc::OnSefeMode() {
    m_sefeMode = !m_sefeMode;
    if (m_sefeMode) {
        m_upwardMode = false;
        m_directed = false;
        if (m_ulpMode) m_componentCount = m_treeCount = m_caterpillarCount = m_spiderCount = m_starCount = 0;
        m_ulpMode = false;
    }
    for (CElement* e : m_elements) e->m_highlight = kNoHighlight;
    CommitEdit({.derived = Derived::Upward});
}
