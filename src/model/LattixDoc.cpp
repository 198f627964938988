#include "model/LattixDoc.h"

#include <algorithm>
#include <unordered_set>


double CLattixDoc::ZoomFactor() const {
    if (m_zoomIndex < 0 || m_zoomIndex >= static_cast<std::int32_t>(m_zoomTable.size())) return 1.0;
    return m_zoomTable[m_zoomIndex];
}

// ---------------------------------------------------------------- shared operations

void CLattixDoc::AddElement(CElement* element) {
    m_elements.Append(element);
    // New elements come out of their constructors selected; they join the selection, so
    // that it agrees with what is drawn and with what reloading this state gives.
    if (element->m_selected) AddToSelection(element);
    SetModifiedFlag(true);
}

void CLattixDoc::DeleteElement(CElement* element) {
    if (!m_elements.Contains(element)) return;

    if (CVertex* v = element->AsVertex()) {
        // Incident edges go first, each once (a self-loop is listed twice). The vertex's
        // own list is emptied up front: every edge in it dies here, so unregistering them
        // one by one from the front of the list would only cost time on high degrees.
        std::vector<CEdge*> incident;
        std::unordered_set<const CEdge*> seen;
        incident.reserve(v->m_edges.size());
        for (CEdge* e : v->m_edges)
            if (seen.insert(e).second) incident.push_back(e);
        v->m_edges.clear();
        for (CEdge* e : incident) DeleteElement(e);
    }

    if (m_creating == element) m_creating = nullptr;
    if (m_grabbed == element) m_grabbed = nullptr;
    if (m_edgeStart == element) m_edgeStart = nullptr;
    if (m_edgeEnd == element) m_edgeEnd = nullptr;

    m_elements.Detach(element);
    if (m_selection.Remove(element)) element->m_selected = false;
    DestroyElement(element);
}

void CLattixDoc::AddToSelection(CElement* element) {
    if (!element || m_selection.Contains(element)) return;
    m_selection.Append(element);
    element->m_selected = true;
}

void CLattixDoc::RemoveFromSelection(CElement* element) {
    if (!element || !m_selection.Contains(element)) return;
    m_selection.Remove(element);
    element->m_selected = false;
}

bool CLattixDoc::IsSelected(const CElement* element) const { return m_selection.Contains(element); }

void CLattixDoc::ClearSelection() {
    for (CElement* e : m_elements) e->m_selected = false;
    m_selection.Clear();
}

CEdge* CLattixDoc::FindEdge(const CVertex* a, const CVertex* b) const {
    if (!a || !b) return nullptr;
    // Every edge of the graph between a and b is registered with both, so the shorter
    // adjacency list holds them all; the first in element order wins.
    const auto& list = a->m_edges.size() <= b->m_edges.size() ? a->m_edges : b->m_edges;
    CEdge* first = nullptr;
    for (CEdge* e : list) {
        if (!e->Joins(a, b) || !m_elements.Contains(e)) continue;
        if (!first || ElementList::Precedes(e, first)) first = e;
    }
    return first;
}

void CLattixDoc::DeleteContents() {
    m_pqTrees.clear();
    m_selection.Clear();
    m_elements.DestroyAll();
    m_clipboard.DestroyAll();
    m_allVertices.clear();
    m_allEdges.clear();
    m_compVertices.clear();
    m_compEdges.clear();
    m_blockEdges.clear();
    m_creating = nullptr;
    m_grabbed = nullptr;
    m_edgeStart = nullptr;
    m_edgeEnd = nullptr;
    m_dragging = false;
    m_banding = false;
}

// ---------------------------------------------------------------- views

void CLattixDoc::AddView(CDocView* view) {
    if (!view || view->m_doc == this) return;
    if (view->m_doc) view->m_doc->RemoveView(view);
    // A document that lost its last editor view kept that view's guides; the next first
    // editor view takes them up again, so nothing the file said is lost.
    if (view->IsEditorView() && !GetGraphView() && m_detachedGuidesSet)
        static_cast<CLattixView*>(view)->ApplySavedGuides(m_detachedGuides);
    m_views.push_back(view);
    view->m_doc = this;
}

void CLattixDoc::RemoveView(CDocView* view) {
    auto it = std::find(m_views.begin(), m_views.end(), view);
    if (it == m_views.end()) return;
    const bool wasFirstEditor = view == GetGraphView();
    m_views.erase(it);
    if (wasFirstEditor && !GetGraphView()) {
        m_detachedGuides = static_cast<CLattixView*>(view)->SavedGuides();
        m_detachedGuidesSet = true;
    }
    view->m_doc = nullptr;
}

CLattixView* CLattixDoc::GetGraphView() const {
    for (CDocView* v : m_views)
        if (v->IsEditorView()) return static_cast<CLattixView*>(v);
    return nullptr;
}

CDocView* CLattixDoc::GetActiveView() const {
    CDocView* active = m_platform->ActiveView();
    return active && active->m_doc == this ? active : nullptr;
}

CLattixView* CLattixDoc::GetActiveEditorView() const {
    CDocView* active = GetActiveView();
    return active && active->IsEditorView() ? static_cast<CLattixView*>(active) : nullptr;
}

GuideSettings CLattixDoc::SavedGuides() const {
    const CLattixView* view = GetGraphView();
    return view ? view->SavedGuides() : m_detachedGuides;
}

void CLattixDoc::ApplySavedGuides(const GuideSettings& guides) {
    if (CLattixView* view = GetGraphView()) {
        view->ApplySavedGuides(guides);
    } else {
        m_detachedGuides = guides;
        m_detachedGuidesSet = true;
    }
}

// ---------------------------------------------------------------- lifecycle

void CLattixDoc::OnNewDocument() {
    DeleteContents();
    SetModifiedFlag(false);
    ClearHistory();
    CheckPoint();
}

// ---------------------------------------------------------------- undo and redo

KeptSettings CLattixDoc::ReadKeptSettings() const {
    return {m_currentColor,  m_tool,          m_pressTool, m_zoomIndex,       m_directed,
            m_labelCounter,  m_topToBottom,   m_autoTrack, m_planarResult,    m_showStNumber,
            m_showName,      m_showWeight,    m_showTrackLabels, m_showTrack, m_loadClearedByte,
            SavedGuides()};
}

void CLattixDoc::WriteKeptSettings(const KeptSettings& k) {
    m_currentColor = k.currentColor;
    m_tool = k.tool;
    m_pressTool = k.pressTool;
    m_zoomIndex = k.zoomIndex;
    m_directed = k.directed;
    m_labelCounter = k.labelCounter;
    m_topToBottom = k.topToBottom;
    m_autoTrack = k.autoTrack;
    m_planarResult = k.planarResult;
    m_showStNumber = k.showStNumber;
    m_showName = k.showName;
    m_showWeight = k.showWeight;
    m_showTrackLabels = k.showTrackLabels;
    m_showTrack = k.showTrack;
    m_loadClearedByte = k.loadClearedByte;
    ApplySavedGuides(k.guides);
}

void CLattixDoc::OnAltMode(std::uint16_t value) {
    m_altMode = value;
    CheckPoint();
    SetModifiedFlag(true);
}
