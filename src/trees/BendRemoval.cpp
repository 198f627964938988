// Removing bend vertices: the two edges through a bend become one edge again (one per
// parallel lane).

#include "model/LattixDoc.h"

void CLattixDoc::RemoveBend(CVertex* b) {
    if (!b || !b->m_isBend || !m_elements.Contains(b)) return;
    const std::vector<CVertex*> neighbours = b->DistinctNeighbours();
    if (neighbours.size() != 2) return;
    CVertex* u = neighbours[0];
    CVertex* w = neighbours[1];
    std::vector<std::uint16_t> lanes;
    for (CEdge* e : b->m_edges)
        if (e->Joins(u, b)) lanes.push_back(e->m_edgeColor);
    for (std::uint16_t code : lanes) AddElement(new CEdge(u, w, code));
    DeleteElement(b);
}

void CLattixDoc::RemoveAllBends() {
    std::vector<CVertex*> bends;
    for (CElement* e : m_elements)
        if (CVertex* v = e->AsVertex(); v && v->m_isBend) bends.push_back(v);
    for (CVertex* b : bends) RemoveBend(b);
    CommitEdit({.derived = Derived::Sefe, .derivedAfterCheckPoint = true});
}

bool CLattixDoc::HasBends() const {
    for (const CElement* e : m_elements)
        if (const CVertex* v = e->AsVertex(); v && v->m_isBend) return true;
    return false;
}
