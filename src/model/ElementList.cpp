#include "model/ElementList.h"

void ElementList::Renumber() {
    // Sequence numbers are 32 bits to keep elements small; running out takes two billion
    // insertions at one end, and then one walk of the list.
    std::int32_t seq = 0;
    for (CElement* e = m_head; e; e = e->m_nextInList) e->m_ownerSeq = ++seq;
    m_firstSeq = 0;
    m_lastSeq = seq;
}

void ElementList::Link(CElement* e) {
    if (m_lastSeq == std::numeric_limits<std::int32_t>::max()) Renumber();
    e->m_owner = this;
    e->m_prevInList = m_tail;
    e->m_nextInList = nullptr;
    if (m_tail) m_tail->m_nextInList = e;
    else m_head = e;
    m_tail = e;
    e->m_ownerSeq = ++m_lastSeq;
    ++m_size;
    ++m_version;
}

void ElementList::Unlink(CElement* e) {
    if (e->m_prevInList) e->m_prevInList->m_nextInList = e->m_nextInList;
    else m_head = e->m_nextInList;
    if (e->m_nextInList) e->m_nextInList->m_prevInList = e->m_prevInList;
    else m_tail = e->m_prevInList;
    e->m_prevInList = e->m_nextInList = nullptr;
    e->m_owner = nullptr;
    --m_size;
    ++m_version;
}

void ElementList::Append(CElement* e) { Link(e); }

void ElementList::Prepend(CElement* e) {
    if (m_firstSeq == std::numeric_limits<std::int32_t>::min()) Renumber();
    e->m_owner = this;
    e->m_prevInList = nullptr;
    e->m_nextInList = m_head;
    if (m_head) m_head->m_prevInList = e;
    else m_tail = e;
    m_head = e;
    e->m_ownerSeq = --m_firstSeq;
    ++m_size;
    ++m_version;
}

bool ElementList::Detach(CElement* e) {
    if (!Contains(e)) return false;
    Unlink(e);
    return true;
}

void ElementList::TakeAll(ElementList& other) {
    CElement* e = other.m_head;
    other.m_head = other.m_tail = nullptr;
    other.m_size = 0;
    while (e) {
        CElement* next = e->m_nextInList;
        Link(e);
        e = next;
    }
}

void ElementList::DestroyAll() {
    for (CElement* e = m_head; e; e = e->m_nextInList) {
        if (CEdge* edge = e->AsEdge()) edge->ForgetEndpoints();
        else e->AsVertex()->m_edges.clear();
    }
    // Edges go first, as everywhere, in case a caller relies on vertices outliving edges.
    for (int pass = 0; pass < 2; ++pass) {
        CElement* e = m_head;
        while (e) {
            CElement* next = e->m_nextInList;
            if (e->IsEdge() == (pass == 0)) {
                Unlink(e);
                DestroyElement(e);
            }
            e = next;
        }
    }
    m_firstSeq = m_lastSeq = 0;
}

void SelectionList::Append(CElement* e) {
    e->m_selOwner = this;
    e->m_prevSelected = m_tail;
    e->m_nextSelected = nullptr;
    if (m_tail) m_tail->m_nextSelected = e;
    else m_head = e;
    m_tail = e;
    ++m_size;
}

bool SelectionList::Remove(CElement* e) {
    if (!Contains(e)) return false;
    if (e->m_prevSelected) e->m_prevSelected->m_nextSelected = e->m_nextSelected;
    else m_head = e->m_nextSelected;
    if (e->m_nextSelected) e->m_nextSelected->m_prevSelected = e->m_prevSelected;
    else m_tail = e->m_prevSelected;
    e->m_prevSelected = e->m_nextSelected = nullptr;
    e->m_selOwner = nullptr;
    --m_size;
    return true;
}

void SelectionList::Clear() {
    for (CElement* e = m_head; e;) {
        CElement* next = e->m_nextSelected;
        e->m_prevSelected = e->m_nextSelected = nullptr;
        e->m_selOwner = nullptr;
        e = next;
    }
    m_head = m_tail = nullptr;
    m_size = 0;
}
