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

class SelectionList {
    struct Next {
        CElement* operator()(const CElement* e) const { return e->m_nextSelected; }
    };

public:
    using iterator = detail::SafeListIterator<Next>;

    SelectionList() = default;
    SelectionList(const SelectionList&) = delete;
    SelectionList& operator=(const SelectionList&) = delete;
    ~SelectionList() { Clear(); }

    iterator begin() const { return iterator(m_head); }
    iterator end() const { return iterator(); }
    std::size_t size() const { return m_size; }
    bool empty() const { return m_size == 0; }
    CElement* front() const { return m_head; }

    bool Contains(const CElement* e) const { return e && e->m_selOwner == this; }
    void Append(CElement* e);
    bool Remove(CElement* e);
    // Empties the list; the elements' m_selected flags are the caller's business.
    void Clear();
    // Reorders the selection: the elements of `order` first, then the others as they were.
    template <typename Range>
    void Reorder(const Range& order);

private:
    CElement* m_head = nullptr;
    CElement* m_tail = nullptr;
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
    CElement* rest = m_head;
    m_head = m_tail = nullptr;
    const std::size_t remaining = m_size;
    m_size = 0;
    for (CElement* e : order) Append(e);
    for (std::size_t i = 0; i < remaining; ++i) {
        CElement* next = rest->m_nextSelected;
        Append(rest);
        rest = next;
    }
}
