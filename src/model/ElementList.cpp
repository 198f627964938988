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
    std::uint32_t slot = m_free;
    if (slot != kNone) {
        m_free = m_slots[slot].next;
    } else {
        slot = static_cast<std::uint32_t>(m_slots.size());
        m_slots.push_back({});
    }
    m_slots[slot] = {e, m_tail, kNone};
    if (m_tail != kNone) m_slots[m_tail].next = slot;
    else m_head = slot;
    m_tail = slot;
    e->m_selOwner = this;
    e->m_selSlot = slot;
    ++m_size;
}

bool SelectionList::Remove(CElement* e) {
    if (!Contains(e)) return false;
    const std::uint32_t slot = e->m_selSlot;
    const Slot s = m_slots[slot];
    if (s.prev != kNone) m_slots[s.prev].next = s.next;
    else m_head = s.next;
    if (s.next != kNone) m_slots[s.next].prev = s.prev;
    else m_tail = s.prev;
    e->m_selOwner = nullptr;
    e->m_selSlot = 0;
    if (--m_size == 0) {
        ResetSlots(); // an emptied selection starts afresh, keeping its capacity
    } else {
        m_slots[slot] = {nullptr, kNone, m_free};
        m_free = slot;
    }
    return true;
}

void SelectionList::ResetSlots() {
    m_slots.clear();
    m_head = m_tail = m_free = kNone;
    m_size = 0;
}

void SelectionList::Clear() {
    for (const Slot& s : m_slots)
        if (s.element) {
            s.element->m_selOwner = nullptr;
            s.element->m_selSlot = 0;
        }
    ResetSlots();
    // A cleared selection may have held the whole graph; its table goes with it.
    m_slots.shrink_to_fit();
}
