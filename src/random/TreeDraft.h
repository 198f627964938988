#pragma once
// A tree under construction, before any document element exists: vertices and edges are
// numbered items in the order the generator creates them (the order that gives them their
// ids once they become elements), and the generators' lists are chains of items that can
// be joined and extended at both ends in constant time.

#include <cstdint>
#include <vector>

#include "model/Colors.h"

class TreeDraft {
public:
    using Item = std::int32_t;
    static constexpr Item kNone = -1;

    struct ItemData {
        Item v1 = kNone; // edges: the endpoints, in order; vertices: kNone
        Item v2 = kNone;
        Rgb color = kWhite; // vertices: the fill colour
        bool IsEdge() const { return v1 != kNone; }
    };

    // An ordered list of items; every item is in at most one chain.
    struct Chain {
        Item head = kNone;
        Item tail = kNone;
        bool Empty() const { return head == kNone; }
    };

    void Clear() {
        m_items.clear();
        m_next.clear();
        m_copy.clear();
    }
    void Reserve(std::size_t items);

    Item NewVertex(Rgb color);
    Item NewEdge(Item a, Item b);

    void Append(Chain& chain, Item item);
    void Prepend(Chain& chain, Item item);
    // Moves every item of `from` to the end of `to`.
    void Splice(Chain& to, Chain from);
    // Takes the first item off a chain.
    Item PopFront(Chain& chain);
    // Appends a copy of the tree in `source` to `out`: new vertices of colour `color` first,
    // then new edges between them, both in `source` order. Returns the copy of `root`.
    Item AppendCopy(Chain& out, Chain source, Item root, Rgb color);

    Item Next(Item item) const { return m_next[item]; }
    const ItemData& operator[](Item item) const { return m_items[item]; }
    std::size_t Size() const { return m_items.size(); }
    std::size_t VertexCount() const { return m_vertexCount; }

    template <typename F>
    void ForEach(Chain chain, F&& f) const {
        if (chain.Empty()) return;
        for (Item i = chain.head;; i = m_next[i]) {
            f(i);
            if (i == chain.tail) break;
        }
    }

private:
    std::vector<ItemData> m_items;
    std::vector<Item> m_next;
    std::vector<Item> m_copy; // scratch: the copy of each vertex made by the last AppendCopy
    std::size_t m_vertexCount = 0;
};
