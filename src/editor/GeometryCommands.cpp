// Commands that move or reroute the selection: bends, flips and rotations, and the swap
// of two vertices' adjacency lists.

#include <algorithm>
#include <climits>
#include <unordered_set>

#include "editor/Visibility.h"
#include "model/LattixDoc.h"

namespace {

std::vector<CVertex*> SelectedVertices(const CLattixDoc& doc) {
    std::vector<CVertex*> out;
    for (CElement* e : doc.m_selection)
        if (CVertex* v = e->AsVertex()) out.push_back(v);
    return out;
}

} // namespace

void CLattixDoc::OnAddBend() {
    CLattixView* view = GetActiveEditorView();
    std::vector<CEdge*> selected;
    for (CElement* e : m_selection)
        if (CEdge* edge = e->AsEdge(); edge && edge->m_v2) selected.push_back(edge);
    std::unordered_set<const CEdge*> split;
    std::vector<CEdge*> replaced;
    for (CEdge* edge : selected) {
        if (split.count(edge)) continue;
        CVertex* a = edge->m_v1;
        CVertex* b = edge->m_v2;
        const Point mid{(edge->m_start.x + edge->m_end.x) / 2, (edge->m_start.y + edge->m_end.y) / 2};
        auto* bend = new CVertex(mid.x, mid.y, m_currentColor);
        AddElement(bend);
        bend->m_isBend = true;
        bend->SetRadius(5);
        bend->PlaceAt(mid.x, mid.y, view, true);
        // Every lane between the two ends goes through the one bend.
        std::vector<CEdge*> lanes;
        for (CEdge* lane : a->m_edges)
            if (lane->Joins(a, b) && std::find(lanes.begin(), lanes.end(), lane) == lanes.end()) lanes.push_back(lane);
        bool sameColour = true;
        for (CEdge* lane : lanes) {
            split.insert(lane);
            replaced.push_back(lane);
            sameColour = sameColour && lane->m_edgeColor == lanes.front()->m_edgeColor;
            AddElement(new CEdge(a, bend, lane->m_edgeColor));
            AddElement(new CEdge(bend, b, lane->m_edgeColor));
        }
        bend->m_color = sameColour && !lanes.empty() ? ColorOfEdgeCode(lanes.front()->m_edgeColor) : kWhite;
    }
    for (CEdge* e : replaced) DeleteElement(e);
    CommitEdit();
}

void CLattixDoc::OnRemoveBend() {
    for (CElement* e : m_selection) {
        if (CVertex* v = e->AsVertex(); v && v->m_isBend) {
            RemoveBend(v);
            break;
        }
    }
    CommitEdit({.derived = Derived::CrossingsAlways | Derived::UlpCounts, .derivedAfterCheckPoint = true});
}

void CLattixDoc::OnRemoveAllBends() {
    RemoveAllBends();
    CommitEdit({.derived = Derived::Crossings});
}

namespace {

// Mirrors the selected vertices about the middle of their extent on one axis.
void MirrorSelection(CLattixDoc& doc, std::int32_t Point::*axis) {
    const std::vector<CVertex*> vs = SelectedVertices(doc);
    if (vs.empty()) return;
    std::int32_t lo = INT32_MAX, hi = INT32_MIN;
    for (const CVertex* v : vs) {
        lo = std::min(lo, v->m_center.*axis);
        hi = std::max(hi, v->m_center.*axis);
    }
    const std::int32_t m = (lo + hi) / 2;
    CLattixView* view = doc.GetActiveEditorView();
    for (CVertex* v : vs) {
        Point p = v->m_center;
        p.*axis = 2 * m - p.*axis;
        v->PlaceAt(p.x, p.y, view, true);
    }
}

} // namespace

void CLattixDoc::OnFlipHorizontally() {
    MirrorSelection(*this, &Point::y); // top to bottom
    CommitEdit({.derived = Derived::Crossings});
}

void CLattixDoc::OnFlipVertically() {
    MirrorSelection(*this, &Point::x); // left to right
    CommitEdit({.derived = Derived::Crossings});
}

namespace {

// Mirrors the selected vertices about the diagonal through the centre of their box.
void MirrorDiagonally(CLattixDoc& doc) {
    const std::vector<CVertex*> vs = SelectedVertices(doc);
    if (vs.empty()) return;
    std::int32_t x0 = INT32_MAX, x1 = INT32_MIN, y0 = INT32_MAX, y1 = INT32_MIN;
    for (const CVertex* v : vs) {
        x0 = std::min(x0, v->m_center.x);
        x1 = std::max(x1, v->m_center.x);
        y0 = std::min(y0, v->m_center.y);
        y1 = std::max(y1, v->m_center.y);
    }
    const std::int32_t cx = (x0 + x1) / 2, cy = (y0 + y1) / 2;
    CLattixView* view = doc.GetActiveEditorView();
    for (CVertex* v : vs) {
        const Point c = v->m_center;
        v->PlaceAt(cx + (c.y - cy), cy + (c.x - cx), view, true);
    }
}

} // namespace

void CLattixDoc::OnRotateRight() {
    MirrorDiagonally(*this);
    OnFlipVertically();
    RepaintAllViews();
}

void CLattixDoc::OnRotateLeft() {
    MirrorDiagonally(*this);
    OnFlipHorizontally();
    RepaintAllViews();
}

namespace {

// Takes one end of an edge off `from` (keeping the lane numbers between its old ends
// dense); the edge stays registered with its other end.
void DetachEnd(CEdge* e, CVertex* from) {
    e->ReleaseParallelIndex(false);
    auto& list = from->m_edges;
    list.erase(std::find(list.begin(), list.end(), e));
}

// Puts the detached end on `to`, with the next free lane number between the new ends.
void AttachEnd(CEdge* e, CVertex* from, CVertex* to) {
    if (e->m_v1 == from) e->m_v1 = to;
    if (e->m_v2 == from) e->m_v2 = to;
    std::int32_t largest = -1;
    for (const CEdge* f : e->m_v1->m_edges)
        if (f != e && f->Joins(e->m_v1, e->m_v2)) largest = std::max(largest, f->m_parallelIndex);
    e->m_parallelIndex = largest + 1;
    to->m_edges.push_back(e);
}

} // namespace

void CLattixDoc::OnSwapAdjacencyLists(CLattixView* view) {
    std::vector<CVertex*> chosen;
    std::size_t selectedVertices = 0; // bend points too: a bend point is a vertex
    for (CElement* e : m_selection) {
        if (CVertex* v = e->AsVertex()) {
            ++selectedVertices;
            if (!v->m_isBend) chosen.push_back(v);
        }
    }
    if (chosen.size() < 2) {
        Platform().ShowMessage("Select 2 vertices to swap adjacency lists");
        return;
    }
    if (selectedVertices > 2) return;
    CVertex* a = chosen[0];
    CVertex* b = chosen[1];
    auto movable = [&](const CEdge* e, const CVertex* self, const CVertex* other) {
        return e->Other(self) != other && !e->IsSelfLoop() && (!view || IsEdgeColorVisible(*view, *e));
    };

    std::vector<CEdge*> fromA, fromB;
    for (CEdge* e : a->m_edges)
        if (movable(e, a, b)) fromA.push_back(e);
    for (CEdge* e : fromA) DetachEnd(e, a);
    for (CEdge* e : b->m_edges)
        if (movable(e, b, a)) fromB.push_back(e);
    for (CEdge* e : fromB) {
        DetachEnd(e, b);
        AttachEnd(e, b, a);
    }
    for (CEdge* e : fromA) AttachEnd(e, a, b);

    if (m_autoCrossings) CountCrossings();
    a->PlaceAt(a->m_center.x, a->m_center.y, view, true);
    b->PlaceAt(b->m_center.x, b->m_center.y, view, true);
    CommitEdit({.derived = Derived::None});
}
