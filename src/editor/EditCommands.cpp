// Commands that change the selected elements: delete, rename, resize, weight, track number,
// relabel and edge colour. Each ends like every edit: recomputations, checkpoint, modified
// flag, repaint.

#include <algorithm>
#include <climits>
#include <unordered_set>

#include "model/LattixDoc.h"
#include "model/PlainInteger.h"

namespace {

// The other edges of a bent edge: from e through each bend at its ends, the edge of the
// bend with e's lane leading on to the bend's other neighbour, while bends follow.
void CollectChain(CEdge* e, std::vector<CEdge*>& out) {
    auto walk = [&](CVertex* b, CVertex* from) {
        std::unordered_set<const CVertex*> seen;
        while (b && b->m_isBend && seen.insert(b).second) {
            const std::vector<CVertex*> nbrs = b->DistinctNeighbours();
            if (nbrs.size() != 2 || (nbrs[0] != from && nbrs[1] != from)) return;
            CVertex* next = nbrs[0] == from ? nbrs[1] : nbrs[0];
            CEdge* onward = nullptr;
            for (CEdge* f : b->m_edges)
                if (f->Joins(b, next) && f->m_parallelIndex == e->m_parallelIndex) onward = onward ? onward : f;
            if (!onward) return;
            out.push_back(onward);
            from = b;
            b = next;
        }
    };
    walk(e->m_v1, e->m_v2);
    walk(e->m_v2, e->m_v1);
}

// A bend left with no edges, one neighbour, or unequal lanes to its two neighbours.
bool IsDangling(const CVertex& b) {
    const std::vector<CVertex*> nbrs = b.DistinctNeighbours();
    if (b.m_edges.empty() || nbrs.size() == 1) return true;
    if (nbrs.size() != 2) return false;
    std::size_t first = 0, second = 0;
    for (const CEdge* e : b.m_edges) {
        if (e->Other(&b) == nbrs[0]) ++first;
        else if (e->Other(&b) == nbrs[1]) ++second;
    }
    return first != second;
}

CVertex* FirstSelectedVertex(const CLattixDoc& doc) {
    CElement* first = doc.m_selection.front();
    return first ? first->AsVertex() : nullptr;
}

} // namespace

void CLattixDoc::DeleteSelection() {
    std::vector<CVertex*> unselectedBends;
    for (CElement* e : m_elements)
        if (CVertex* v = e->AsVertex(); v && v->m_isBend && !IsSelected(v)) unselectedBends.push_back(v);

    // A bent edge goes as a whole.
    std::vector<CEdge*> selectedEdges;
    for (CElement* e : m_selection)
        if (CEdge* edge = e->AsEdge()) selectedEdges.push_back(edge);
    for (CEdge* edge : selectedEdges) {
        std::vector<CEdge*> chain;
        CollectChain(edge, chain);
        for (CEdge* c : chain) AddToSelection(c);
    }

    std::vector<CElement*> edges, vertices;
    for (CElement* e : m_selection) (e->IsEdge() ? edges : vertices).push_back(e);
    for (CElement* e : edges) DeleteElement(e);
    for (CElement* v : vertices) DeleteElement(v);

    // Bends left dangling go too, which may leave the next bend of their chain dangling.
    for (bool removed = true; removed;) {
        removed = false;
        for (CVertex*& b : unselectedBends) {
            if (!b || !m_elements.Contains(b) || !IsDangling(*b)) continue;
            DeleteElement(b);
            b = nullptr;
            removed = true;
        }
    }

    CommitEdit();
}

void CLattixDoc::OnRename() {
    CVertex* first = FirstSelectedVertex(*this);
    if (!first) return;
    auto name = Platform().RunTextDialog(TextDialogKind::Rename, first->m_name);
    if (!name) return;
    for (CElement* e : m_selection)
        if (CVertex* v = e->AsVertex()) v->m_name = *name;
    CommitEdit({.derived = Derived::None});
}

void CLattixDoc::OnResize() {
    std::int32_t smallest = INT32_MAX;
    for (CElement* e : m_selection)
        if (CVertex* v = e->AsVertex()) smallest = std::min(smallest, v->m_rect.Width() / 2);
    if (smallest == INT32_MAX) return;
    auto text = Platform().RunTextDialog(TextDialogKind::Resize, std::to_string(smallest));
    if (!text) return;
    const std::int32_t n = PlainInteger(*text);
    if (n <= 3) return;
    CLattixView* view = GetActiveEditorView();
    for (CElement* e : m_selection) {
        CVertex* v = e->AsVertex();
        if (!v) continue;
        v->SetRadius(std::min(n, 35));
        const Point c = v->m_rect.Center();
        v->PlaceAt(c.x, c.y, view, true);
    }
    CommitEdit({.derived = Derived::None});
}

void CLattixDoc::OnWeight() {
    std::int32_t smallest = INT32_MAX;
    for (CElement* e : m_selection)
        if (CEdge* edge = e->AsEdge()) smallest = std::min(smallest, edge->m_weight);
    if (smallest == INT32_MAX) return;
    auto text = Platform().RunTextDialog(TextDialogKind::Weight, std::to_string(smallest));
    if (!text) return;
    const std::int32_t weight = PlainInteger(*text);
    for (CElement* e : m_selection)
        if (CEdge* edge = e->AsEdge()) edge->m_weight = weight;
    CommitEdit({.derived = Derived::None});
}

void CLattixDoc::OnTrackNumber() {
    if (CVertex* first = FirstSelectedVertex(*this)) {
        if (auto track = Platform().RunTrackNumberDialog(first->m_trackNumber)) {
            for (CElement* e : m_selection)
                if (CVertex* v = e->AsVertex()) v->m_trackNumber = *track;
            CommitEdit({.derived = Derived::None});
        }
    }
    RecomputeModeData();
    RepaintAllViews();
}

void CLattixDoc::OnRelabel() {
    std::vector<CVertex*> vertices;
    for (CElement* e : m_selection)
        if (CVertex* v = e->AsVertex(); v && !v->m_isBend) vertices.push_back(v);
    auto format = Platform().RunRelabelDialog(static_cast<int>(vertices.size()));
    if (!format) return;
    for (std::size_t i = 0; i < vertices.size(); ++i) {
        switch (*format) {
        case RelabelFormat::Lowercase: vertices[i]->m_name = std::string(1, static_cast<char>(97 + i)); break;
        case RelabelFormat::Uppercase: vertices[i]->m_name = std::string(1, static_cast<char>(65 + i)); break;
        case RelabelFormat::Numbers: vertices[i]->m_name = std::to_string(i + 1); break;
        }
    }
    CommitEdit({.derived = Derived::None});
}

void CLattixDoc::SetSelectionEdgeColor(std::uint16_t code) {
    for (CElement* e : m_selection) {
        if (CEdge* edge = e->AsEdge()) {
            edge->SetEdgeColor(code);
        } else if (CVertex* b = e->AsVertex(); b->m_isBend && IsEdgeColorCode(code)) {
            // Every lane through the bend, along its whole chain.
            b->m_color = ColorOfEdgeCode(code);
            const std::vector<CEdge*> lanes = b->m_edges;
            for (CEdge* lane : lanes) lane->SetEdgeColor(code);
        }
    }
    CommitEdit({.derived = Derived::Crossings});
}

void CLattixDoc::OnResetLabelCounter() {
    if (auto text = Platform().RunTextDialog(TextDialogKind::ResetLabelCounter, std::to_string(m_labelCounter)))
        m_labelCounter = PlainInteger(*text);
}
