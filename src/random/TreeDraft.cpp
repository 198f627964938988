#include "random/TreeDraft.h"

void TreeDraft::Reserve(std::size_t items) {
    m_items.reserve(items);
    m_next.reserve(items);
    m_copy.reserve(items);
}

TreeDraft::Item TreeDraft::NewVertex(Rgb color) {
    m_items.push_back({kNone, kNone, color});
    m_next.push_back(kNone);
    m_copy.push_back(kNone);
    ++m_vertexCount;
    return Item(m_items.size() - 1);
}

TreeDraft::Item TreeDraft::NewEdge(Item a, Item b) {
    m_items.push_back({a, b, 0});
    m_next.push_back(kNone);
    m_copy.push_back(kNone);
    return Item(m_items.size() - 1);
}

void TreeDraft::Append(Chain& chain, Item item) {
    m_next[item] = kNone;
    if (chain.Empty()) {
        chain.head = chain.tail = item;
    } else {
        m_next[chain.tail] = item;
        chain.tail = item;
    }
}

void TreeDraft::Prepend(Chain& chain, Item item) {
    m_next[item] = chain.head;
    chain.head = item;
    if (chain.tail == kNone) chain.tail = item;
}

void TreeDraft::Splice(Chain& to, Chain from) {
    if (from.Empty()) return;
    if (to.Empty()) {
        to = from;
        return;
    }
    m_next[to.tail] = from.head;
    to.tail = from.tail;
}

TreeDraft::Item TreeDraft::PopFront(Chain& chain) {
    const Item first = chain.head;
    if (first == kNone) return kNone;
    if (first == chain.tail) {
        chain = Chain{};
    } else {
        chain.head = m_next[first];
    }
    m_next[first] = kNone;
    return first;
}

TreeDraft::Item TreeDraft::AppendCopy(Chain& out, Chain source, Item root, Rgb color) {
    // The source may already sit inside `out`; its range is read before anything is added
    // behind its tail, and the walks stop at its tail.
    ForEach(source, [&](Item x) {
        if (!m_items[x].IsEdge()) m_copy[x] = NewVertex(color);
    });
    ForEach(source, [&](Item x) {
        if (!m_items[x].IsEdge()) Append(out, m_copy[x]);
    });
    ForEach(source, [&](Item x) {
        if (m_items[x].IsEdge()) Append(out, NewEdge(m_copy[m_items[x].v1], m_copy[m_items[x].v2]));
    });
    return m_copy[root];
}
