#pragma once
// The ordered element lists of a document.
//
// ElementList owns its elements (the graph's m_elements and the clipboard), SelectionList
// refers to them. Both are threaded through the elements themselves: order is kept (it is
// significant for drawing, saving and the algorithms), removal takes constant time, and a
// walk touches nothing but the elements. Iteration fetches the element after the current
// one on arrival, so the loop body may delete the current element; elements appended
// while the loop is not yet at the tail are visited.

#include <cstddef>
#include <cstdint>
#include <iterator>
#include <limits>
#include <vector>

#include "model/Element.h"

namespace detail {

template <typename Next>
class SafeListIterator {
public:
    using iterator_category = std::forward_iterator_tag;
    using value_type = CElement*;
    using difference_type = std::ptrdiff_t;
    using pointer = void;
    using reference = CElement*;

    SafeListIterator() = default;
    explicit SafeListIterator(CElement* cur) : m_cur(cur), m_next(cur ? Next{}(cur) : nullptr) {}

    CElement* operator*() const { return m_cur; }
    SafeListIterator& operator++() {
        m_cur = m_next;
        if (m_cur) m_next = Next{}(m_cur);
        return *this;
    }
    bool operator==(const SafeListIterator& o) const { return m_cur == o.m_cur; }

private:
    CElement* m_cur = nullptr;
    CElement* m_next = nullptr;
};

} // namespace detail

class ElementList {
    struct Next {
        CElement* operator()(const CElement* e) const { return e->m_nextInList; }
    };

public:
    using iterator = detail::SafeListIterator<Next>;

    ElementList() = default;
    ElementList(const ElementList&) = delete;
    ElementList& operator=(const ElementList&) = delete;
    ~ElementList() { DestroyAll(); }

    iterator begin() const { return iterator(m_head); }
    iterator end() const { return iterator(); }
    std::size_t size() const { return m_size; }
    bool empty() const { return m_size == 0; }
    CElement* front() const { return m_head; }
    CElement* back() const { return m_tail; }

    bool Contains(const CElement* e) const { return e && e->m_owner == this; }
    // Changes with every insertion, removal or reordering: lets derived lists be reused
    // while the elements stay the same.
    std::uint64_t Version() const { return m_version; }
    // True when a comes before b in this list (both must be here).
    static bool Precedes(const CElement* a, const CElement* b) { return a->m_ownerSeq < b->m_ownerSeq; }
    // Takes ownership and appends.
    void Append(CElement* e);
    void Prepend(CElement* e);
    // Gives up ownership of e without destroying it; returns false when e is not here.
    bool Detach(CElement* e);
    // Moves every element of `other` to the end of this list, in order.
    void TakeAll(ElementList& other);
    // Destroys every element. Edges forget their endpoints first: the whole graph goes at
    // once, so unregistering edge by edge from dying vertices would only cost time.
    void DestroyAll();
    // Reorders the list: the elements of `order` first, in that order, then the others as
    // they were. Every element of `order` must be in this list, each once.
    template <typename Range>
    void Reorder(const Range& order);

private:
    friend struct ElementListProbe; // tests move the sequence counters to their limits

    void Unlink(CElement* e);
    void Link(CElement* e); // at the tail, with the next sequence number
    // Hands out the sequence numbers afresh in list order, when one end runs out of them.
    void Renumber();

    CElement* m_head = nullptr;
    CElement* m_tail = nullptr;
    std::size_t m_size = 0;
    std::int32_t m_firstSeq = 0;
    std::int32_t m_lastSeq = 0;
    std::uint64_t m_version = 0;
};

// A selection is usually empty, short, or everything, so its links live in its own slot
// table rather than in every element: an element holds only its owner and slot number.
// Freed slots are reused; iteration follows the links, as for ElementList.
class SelectionList {
    static constexpr std::uint32_t kNone = std::numeric_limits<std::uint32_t>::max();
    struct Slot {
        CElement* element; // null while the slot is free
        std::uint32_t prev;
        std::uint32_t next; // also links the free slots
    };

public:
    class iterator {
    public:
        using iterator_category = std::forward_iterator_tag;
        using value_type = CElement*;
        using difference_type = std::ptrdiff_t;
        using pointer = void;
        using reference = CElement*;

        iterator() = default;
        iterator(const SelectionList* list, std::uint32_t slot) : m_list(list) { Arrive(slot); }

        CElement* operator*() const { return m_cur; }
        iterator& operator++() {
            Arrive(m_next);
            return *this;
        }
        bool operator==(const iterator& o) const { return m_cur == o.m_cur; }

    private:
        // The next slot is read on arrival, so the loop body may remove the current element;
        // a next slot freed or cleared meanwhile ends the walk.
        void Arrive(std::uint32_t slot) {
            if (slot >= m_list->m_slots.size()) {
                m_cur = nullptr;
                return;
            }
            const Slot& s = m_list->m_slots[slot];
            m_cur = s.element;
            m_next = s.next;
        }

        const SelectionList* m_list = nullptr;
        CElement* m_cur = nullptr;
        std::uint32_t m_next = kNone;
    };

    SelectionList() = default;
    SelectionList(const SelectionList&) = delete;
    SelectionList& operator=(const SelectionList&) = delete;
    ~SelectionList() { Clear(); }

    iterator begin() const { return iterator(this, m_head); }
    iterator end() const { return iterator(); }
    std::size_t size() const { return m_size; }
    bool empty() const { return m_size == 0; }
    CElement* front() const { return m_head == kNone ? nullptr : m_slots[m_head].element; }

    bool Contains(const CElement* e) const { return e && e->m_selOwner == this; }
    void Append(CElement* e);
    bool Remove(CElement* e);
    // Empties the list; the elements' m_selected flags are the caller's business.
    void Clear();
    // Reorders the selection: the elements of `order` first, then the others as they were.
    template <typename Range>
    void Reorder(const Range& order);

private:
    void ResetSlots();

    std::vector<Slot> m_slots;
    std::uint32_t m_head = kNone;
    std::uint32_t m_tail = kNone;
    std::uint32_t m_free = kNone;
    std::size_t m_size = 0;
};

template <typename Range>
void ElementList::Reorder(const Range& order) {
    // Detach the ordered ones, then put them back in front of what is left.
    CElement* restHead = nullptr;
    for (CElement* e : order) {
        Unlink(e);
        e->m_nextInList = restHead; // a temporary chain, reversed
        restHead = e;
    }
    CElement* rest = m_head;
    m_head = m_tail = nullptr;
    const std::size_t remaining = m_size;
    m_size = 0;
    m_lastSeq = m_firstSeq = 0;
    // Reverse the temporary chain back into order.
    CElement* ordered = nullptr;
    while (restHead) {
        CElement* next = restHead->m_nextInList;
        restHead->m_nextInList = ordered;
        ordered = restHead;
        restHead = next;
    }
    while (ordered) {
        CElement* next = ordered->m_nextInList;
        Link(ordered);
        ordered = next;
    }
    for (std::size_t i = 0; i < remaining; ++i) {
        CElement* next = rest->m_nextInList;
        Link(rest);
        rest = next;
    }
}

template <typename Range>
void SelectionList::Reorder(const Range& order) {
    for (CElement* e : order) Remove(e);
    const std::vector<CElement*> rest(begin(), end());
    ResetSlots();
    for (CElement* e : order) Append(e);
    for (CElement* e : rest) Append(e);
}
