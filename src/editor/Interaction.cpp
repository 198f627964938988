// Mouse and keyboard editing: the pointer tool selects, drags and rubber-bands, the vertex
// tool places vertices with default labels, the edge tools draw edges from vertex to vertex.
// The view hands over document coordinates; the document keeps the interaction state.

#include <algorithm>
#include <unordered_set>

#include "editor/HitTest.h"
#include "editor/Visibility.h"
#include "graph/ExchangeSort.h"
#include "model/LattixDoc.h"

namespace {

constexpr std::uint16_t kCursorMove = 120;
constexpr std::uint16_t kCursorAdd = 121;
constexpr std::uint16_t kCursorRemove = 122;
constexpr std::uint16_t kCursorNormal = 123;

bool IsEdgeTool(std::uint16_t tool) { return tool >= 1 && tool <= 8; }

// Editing with the mouse works only in an editor view at 100 %.
CLattixView* EditableView(const CLattixDoc& doc, CDocView* view) {
    if (!view || !view->IsEditorView() || doc.m_zoomIndex != 9) return nullptr;
    return static_cast<CLattixView*>(view);
}

// The last vertex whose rectangle contains the point; bends only when allowed.
CVertex* LastVertexAt(const CLattixDoc& doc, Point p, bool bends) {
    CVertex* found = nullptr;
    for (CElement* e : doc.m_elements) {
        CVertex* v = e->AsVertex();
        if (v && (bends || !v->m_isBend) && HitsVertex(*v, p)) found = v;
    }
    return found;
}

void ShowCursorCode(CLattixDoc& doc, CDocView* view, std::uint16_t code) {
    doc.m_cursorCode = code;
    if (view && view->IsEditorView()) static_cast<CLattixView*>(view)->ShowCursor(code);
}

} // namespace

void CLattixDoc::OnLButtonDown(CDocView* view, unsigned flags, Point point) {
    CLattixView* editor = EditableView(*this, view);
    if (!editor) return;
    const bool ctrl = flags & kFlagCtrl;
    m_edgeStart = nullptr;
    m_selectedTrack = -1;
    m_pressPoint = point;
    m_pressTool = m_tool;
    m_grabbed = nullptr;

    if (IsEdgeTool(m_tool)) {
        if (CVertex* start = LastVertexAt(*this, point, false)) {
            const Point c = start->GetRect().Center();
            auto* temporary = new CEdge(start, c.x, c.y, m_tool);
            AddElement(temporary);
            m_creating = temporary;
            m_edgeStart = start;
            editor->m_overlay.edge = true;
            editor->m_overlay.edgeFrom = temporary->m_start;
            editor->m_overlay.edgeTo = temporary->m_end;
            editor->m_overlay.edgeCode = m_tool;
        }
    } else if (m_tool == kToolVertex) {
        auto* v = new CVertex(point.x, point.y, m_currentColor);
        v->m_name = std::to_string(m_labelCounter);
        v->m_trackNumber = m_labelCounter;
        AddElement(v);
        v->PlaceAt(point.x, point.y, view, true);
        ++m_labelCounter;
        m_creating = v;
    } else if (m_tool == kToolPointer) {
        CElement* hit = HitTestElements(*this, point, {editor, 3, true});
        if (CVertex* v = hit ? hit->AsVertex() : nullptr) {
            if (!IsSelected(v)) {
                if (!ctrl) ClearSelection();
                AddToSelection(v);
            } else if (ctrl) {
                RemoveFromSelection(v);
                m_lastPoint = point;
                return;
            }
            m_grabbed = v;
            for (CElement* e : m_selection) {
                if (CVertex* s = e->AsVertex()) {
                    s->m_offset = s->m_center - point;
                    s->m_grabOffset = s->m_center - v->m_center;
                }
            }
            m_dragging = true;
        } else if (CEdge* edge = hit ? hit->AsEdge() : nullptr) {
            if (IsSelected(edge) && ctrl) {
                RemoveFromSelection(edge);
            } else {
                if (IsSelected(edge) || !ctrl) ClearSelection();
                AddToSelection(edge);
            }
            editor->Repaint();
        } else {
            if (!ctrl) ClearSelection();
            m_banding = true;
            m_bandRect = {point.x, point.y, point.x, point.y};
            editor->m_overlay.band = true;
            editor->m_overlay.bandRect = m_bandRect;
            RepaintAllViews();
        }
    }
    m_lastPoint = point;
}

void CLattixDoc::OnMouseMove(CDocView* view, unsigned flags, Point point) {
    CLattixView* editor = EditableView(*this, view);
    if (!editor) return;
    m_cursorCode = kCursorNormal;
    ColorUpwardEdges();
    UpdateSefe();

    CEdge* drawn = EdgeBeingDrawn();
    if (drawn && IsEdgeTool(m_pressTool)) {
        drawn->MoveEndTo(point.x, point.y);
        editor->m_overlay.edgeTo = point;
        editor->RefreshOverlay();
        if (m_autoCrossings) CountCrossings();
    } else if (m_pressTool == kToolPointer) {
        if (m_dragging) {
            for (CElement* e : m_selection)
                if (CVertex* v = e->AsVertex()) v->PlaceAt(point.x, point.y, view, true);
            m_cursorCode = kCursorMove;
            if (m_autoCrossings) CountCrossings();
            RepaintAllViews();
        } else if (m_banding) {
            m_bandRect.right = point.x;
            m_bandRect.bottom = point.y;
            editor->m_overlay.bandRect = m_bandRect;
            editor->RefreshOverlay();
        } else if (!(flags & kFlagCtrl)) {
            const CElement* hit = FirstElementHit(*this, point, {editor, 3, false});
            if (hit && !(flags & kFlagShift)) ShowCursorCode(*this, view, kCursorMove);
        } else if (const CElement* hit = FirstElementHit(*this, point, {editor, 3, true})) {
            ShowCursorCode(*this, view, IsSelected(hit) ? kCursorRemove : kCursorAdd);
        }
    }
    m_lastPoint = point;
}

void CLattixDoc::OnLButtonUp(CDocView* view, unsigned flags, Point point) {
    CLattixView* editor = EditableView(*this, view);
    if (!editor) return;

    if (m_dragging) {
        const bool autoTrack = m_autoTrack;
        m_autoTrack = false;
        for (CElement* e : m_selection) {
            CVertex* v = e->AsVertex();
            if (!v) continue;
            const Point target = point + v->m_offset;
            v->PlaceAt(target.x, target.y, view, true);
            // The vertex stays where it was last drawn.
            v->m_offset = {};
            v->UpdateIncidentEdges();
            v->m_grabOffset = {};
        }
        m_autoTrack = autoTrack;
        m_dragging = false;
        m_cursorCode = kCursorMove;
        RenumberTopToBottom();
        CommitEdit({.derived = Derived::ModeData, .repaint = false});
    }

    if (m_creating) {
        if (CEdge* temporary = EdgeBeingDrawn(); temporary && IsEdgeTool(m_pressTool)) {
            CVertex* start = temporary->m_v1;
            DeleteElement(temporary);
            m_creating = nullptr;
            editor->m_overlay.edge = false;
            CVertex* end = LastVertexAt(*this, point, true);
            const bool endOk = end && end != start && (!end->m_isBend || FindEdge(start, end));
            if (endOk) {
                auto* edge = new CEdge(start, end, m_pressTool);
                // An edge ending on a bend follows that bend's chain up to the real vertex.
                std::vector<CEdge*> continuation;
                std::unordered_set<const CVertex*> seen;
                for (CVertex *prev = start, *b = end; b->m_isBend && seen.insert(b).second;) {
                    const std::vector<CVertex*> nbrs = b->DistinctNeighbours();
                    if (nbrs.size() != 2 || (nbrs[0] != prev && nbrs[1] != prev)) break;
                    CVertex* next = nbrs[0] == prev ? nbrs[1] : nbrs[0];
                    continuation.push_back(new CEdge(b, next, m_pressTool));
                    prev = b;
                    b = next;
                }
                for (CEdge* c : continuation) AddElement(c);
                AddElement(edge);
                edge->SetEdgeColor(m_pressTool);
                ClearSelection();
                AddToSelection(edge);
                CommitEdit({.derived = Derived::None, .repaint = false});
            }
            RecomputeDerivedData();
        } else if (CVertex* v = m_creating->AsVertex()) {
            ClearSelection();
            AddToSelection(v);
            m_creating = nullptr;
            CommitEdit({.derived = Derived::ModeData});
        }
        m_creating = nullptr;
    }

    m_edgeStart = nullptr;
    m_edgeEnd = nullptr;
    if (m_banding) {
        m_banding = false;
        editor->m_overlay.band = false;
        SelectInRectangle(m_bandRect.Normalized(), *editor, flags & kFlagShift);
    }
    RepaintAllViews();
    m_lastPoint = point;
}

void CLattixDoc::SelectInRectangle(const Rect& band, const CLattixView& view, bool shift) {
    auto inside = [&](const Rect& r) { return band.Contains({r.left, r.top}) && band.Contains({r.right, r.bottom}); };
    std::vector<CElement*> collected;
    std::vector<std::size_t> vertexSlots;
    for (CElement* e : m_elements) {
        if (e->m_hidden) continue;
        if (const CEdge* edge = e->AsEdge()) {
            if (edge->m_v2 && IsEdgeColorVisible(view, *edge) && inside(edge->GetRect())) collected.push_back(e);
        } else if (!shift && IsVertexVisible(view, *e->AsVertex()) && inside(e->GetRect())) {
            vertexSlots.push_back(collected.size());
            collected.push_back(e);
        }
    }
    // Vertices are ordered top to bottom, then left to right, by exchange passes over their
    // places in the list; edges keep theirs.
    auto after = [](const CElement* a, const CElement* b) {
        const Point pa = a->AsVertex()->m_center, pb = b->AsVertex()->m_center;
        return pa.y > pb.y || (pa.y == pb.y && pa.x > pb.x);
    };
    std::vector<CElement*> vertices;
    vertices.reserve(vertexSlots.size());
    for (std::size_t slot : vertexSlots) vertices.push_back(collected[slot]);
    ExchangeSort(vertices, after);
    for (std::size_t k = 0; k < vertexSlots.size(); ++k) collected[vertexSlots[k]] = vertices[k];
    for (CElement* e : collected) AddToSelection(e);
}

void CLattixDoc::OnKeyDown(CDocView* view, int key) {
    if (!view || !view->IsEditorView() || m_pressTool != kToolPointer) return;
    const auto* editor = static_cast<const CLattixView*>(view);
    if (key == kKeyShift) {
        ShowCursorCode(*this, view, kCursorNormal);
    } else if (key == kKeyCtrl && !m_dragging && !m_banding) {
        if (const CElement* hit = HitTestElements(*this, m_lastPoint, {editor, 5, true}))
            ShowCursorCode(*this, view, IsSelected(hit) ? kCursorRemove : kCursorAdd);
    }
}

void CLattixDoc::OnKeyUp(CDocView* view, int key) {
    if (!view || !view->IsEditorView()) return;
    const auto* editor = static_cast<const CLattixView*>(view);
    if (m_pressTool == kToolPointer) {
        if (key == kKeyShift) {
            ShowCursorCode(*this, view, kCursorMove);
        } else if (key == kKeyCtrl && !m_dragging && !m_banding) {
            if (HitTestElements(*this, m_lastPoint, {editor, 5, true})) ShowCursorCode(*this, view, kCursorMove);
        }
    }
    m_pressTool = m_tool;
    if (key == kKeyDelete) DeleteSelection();
}
