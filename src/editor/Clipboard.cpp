// Copy, cut and paste inside one document. The clipboard holds clones, 50 units to the
// right of and below what was copied, so repeated pastes step down like a staircase.

#include <unordered_map>

#include "model/LattixDoc.h"

void CLattixDoc::OnEditCopy() {
    m_clipboard.DestroyAll();
    std::unordered_map<const CVertex*, CVertex*> cloneOf;
    for (CElement* e : m_selection) {
        if (CVertex* v = e->AsVertex()) {
            CVertex* clone = v->Clone(false);
            m_clipboard.Append(clone);
            cloneOf[v] = clone;
        }
    }
    for (CElement* e : m_selection) {
        CEdge* edge = e->AsEdge();
        if (!edge) continue;
        // Only edges whose two ends were both cloned by this copy come along.
        auto a = cloneOf.find(edge->m_v1);
        auto b = cloneOf.find(edge->m_v2);
        if (a == cloneOf.end() || b == cloneOf.end()) continue;
        m_clipboard.Append(new CEdge(a->second, b->second, edge->m_edgeColor));
    }
}

void CLattixDoc::OnEditCut() {
    OnEditCopy();
    // Deleting a vertex takes its edges (and their selection entries) with it, so an
    // edge already gone is never deleted twice.
    while (CElement* e = m_selection.front()) DeleteElement(e);
    CommitEdit();
}

void CLattixDoc::OnEditPaste() {
    for (CElement* e : m_selection) e->m_selected = false;
    m_selection.Clear();

    std::vector<CElement*> pasted;
    for (CElement* e : m_clipboard) pasted.push_back(e);
    m_elements.TakeAll(m_clipboard);
    for (CElement* e : pasted) {
        SetModifiedFlag(true);
        m_selection.Append(e);
        e->m_selected = true;
    }
    // The pasted elements are now the selection; copying them again prepares the next
    // paste another 50 units down and to the right.
    OnEditCopy();
    CommitEdit();
}
