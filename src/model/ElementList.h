#pragma once
// The ordered element lists of a document.
//
// ElementList owns its elements (the graph's m_elements and the clipboard), SelectionList
// refers to them. Both keep list order (it is significant for drawing, saving and the
// algorithms), remove in constant time, and iterate the way the editor expects: the
// element after the current one is fetched on arrival, so the loop body may delete the
// current element; elements appended while the loop is not yet at the tail are visited.

#include <cstddef>
#include <iterator>
#include <list>
#include <memory>

#include "model/Element.h"

namespace detail {

template <typename Base, typename Value, typename Deref>
class SafeListIterator {
public:
    using iterator_category = std::forward_iterator_tag;
    using value_type = Value*;
    using difference_type = std::ptrdiff_t;
    using pointer = void;
    using reference = Value*;

    SafeListIterator() = default;
    SafeListIterator(Base cur, Base end) : m_cur(cur), m_end(end) { m_next = cur == end ? end : std::next(cur); }

    Value* operator*() const { return Deref{}(m_cur); }
    SafeListIterator& operator++() {
        m_cur = m_next;
        if (m_cur != m_end) m_next = std::next(m_cur);
        return *this;
    }
    bool operator==(const SafeListIterator& o) const { return m_cur == o.m_cur; }

private:
    Base m_cur{}, m_next{}, m_end{};
};

} // namespace detail

class ElementList {
    using Storage = std::list<std::unique_ptr<CElement>>;
    struct Deref {
        CElement* operator()(Storage::const_iterator it) const { return it->get(); }
    };

public:
    using iterator = detail::SafeListIterator<Storage::const_iterator, CElement, Deref>;

    ElementList() = default;
    ElementList(const ElementList&) = delete;
    ElementList& operator=(const ElementList&) = delete;
    ~ElementList() { DestroyAll(); }

    iterator begin() const { return iterator(m_items.begin(), m_items.end()); }
    iterator end() const { return iterator(m_items.end(), m_items.end()); }
    std::size_t size() const { return m_items.size(); }
    bool empty() const { return m_items.empty(); }
    CElement* front() const { return m_items.empty() ? nullptr : m_items.front().get(); }
    CElement* back() const { return m_items.empty() ? nullptr : m_items.back().get(); }

    bool Contains(const CElement* e) const { return e && e->m_owner == this; }
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
    // Reorders the list to `order`, which must hold exactly the elements of this list.
    template <typename Range>
    void Reorder(const Range& order);

private:
    void Renumber();

    Storage m_items;
    std::int64_t m_firstSeq = 0;
    std::int64_t m_lastSeq = 0;
};

class SelectionList {
    using Storage = std::list<CElement*>;
    struct Deref {
        CElement* operator()(Storage::const_iterator it) const { return *it; }
    };

public:
    using iterator = detail::SafeListIterator<Storage::const_iterator, CElement, Deref>;

    SelectionList() = default;
    SelectionList(const SelectionList&) = delete;
    SelectionList& operator=(const SelectionList&) = delete;
    ~SelectionList() { Clear(); }

    iterator begin() const { return iterator(m_items.begin(), m_items.end()); }
    iterator end() const { return iterator(m_items.end(), m_items.end()); }
    std::size_t size() const { return m_items.size(); }
    bool empty() const { return m_items.empty(); }
    CElement* front() const { return m_items.empty() ? nullptr : m_items.front(); }

    bool Contains(const CElement* e) const { return e && e->m_selOwner == this; }
    void Append(CElement* e);
    bool Remove(CElement* e);
    // Empties the list; the elements' m_selected flags are the caller's business.
    void Clear();
    template <typename Range>
    void Reorder(const Range& order);

private:
    Storage m_items;
};

template <typename Range>
void ElementList::Reorder(const Range& order) {
    Storage reordered;
    for (CElement* e : order) reordered.splice(reordered.end(), m_items, e->m_ownerPos);
    reordered.splice(reordered.end(), m_items); // anything the caller left out keeps its order at the end
    m_items.swap(reordered);
    Renumber();
}

template <typename Range>
void SelectionList::Reorder(const Range& order) {
    Storage reordered;
    for (CElement* e : order) reordered.splice(reordered.end(), m_items, e->m_selPos);
    reordered.splice(reordered.end(), m_items);
    m_items.swap(reordered);
}
