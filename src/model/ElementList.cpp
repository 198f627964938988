#include "model/ElementList.h"

void ElementList::Append(CElement* e) {
    m_items.emplace_back(e);
    e->m_owner = this;
    e->m_ownerPos = std::prev(m_items.end());
    e->m_ownerSeq = ++m_lastSeq;
}

void ElementList::Prepend(CElement* e) {
    m_items.emplace_front(e);
    e->m_owner = this;
    e->m_ownerPos = m_items.begin();
    e->m_ownerSeq = --m_firstSeq;
}

void ElementList::Renumber() {
    m_firstSeq = 0;
    m_lastSeq = 0;
    for (auto& item : m_items) item->m_ownerSeq = ++m_lastSeq;
}

bool ElementList::Detach(CElement* e) {
    if (!Contains(e)) return false;
    e->m_ownerPos->release();
    m_items.erase(e->m_ownerPos);
    e->m_owner = nullptr;
    return true;
}

void ElementList::TakeAll(ElementList& other) {
    for (auto& item : other.m_items) {
        item->m_owner = this;
        item->m_ownerSeq = ++m_lastSeq;
    }
    m_items.splice(m_items.end(), other.m_items);
}

void ElementList::DestroyAll() {
    for (auto& item : m_items) {
        if (CEdge* e = item->AsEdge()) e->ForgetEndpoints();
        if (CVertex* v = item->AsVertex()) v->m_edges.clear();
    }
    // Edges go first, as everywhere, in case a caller relies on vertices outliving edges.
    for (auto& item : m_items)
        if (item->IsEdge()) item.reset();
    m_items.clear();
}

void SelectionList::Append(CElement* e) {
    m_items.push_back(e);
    e->m_selOwner = this;
    e->m_selPos = std::prev(m_items.end());
}

bool SelectionList::Remove(CElement* e) {
    if (!Contains(e)) return false;
    m_items.erase(e->m_selPos);
    e->m_selOwner = nullptr;
    return true;
}

void SelectionList::Clear() {
    for (CElement* e : m_items) e->m_selOwner = nullptr;
    m_items.clear();
}
