// Witness searches: each colours a small subtree of the extracted tree that shows why the
// tree has (or lacks) a class. They work on shape copies, collect document elements, and
// colour them only when the whole search succeeds.

#include <algorithm>
#include <unordered_set>

#include "model/AddressIndex.h"
#include "model/Element.h"
#include "trees/Classification.h"
#include "trees/ShapeCopy.h"

namespace {

class Collection {
public:
    void Add(CElement* e) {
        if (!e) return;
        m_items.push_back(e);
        m_set.insert(e);
    }
    bool Has(const CElement* e) const { return m_set.count(e) != 0; }
    void Colour(Rgb color) const {
        for (CElement* e : m_items) e->m_highlight = color;
    }

private:
    std::vector<CElement*> m_items;
    std::unordered_set<const CElement*> m_set;
};

int FirstOfDegreeAtLeast(const ShapeCopy& g, std::size_t degree) {
    for (int v : g.Vertices())
        if (g.Degree(v) >= degree) return v;
    return -1;
}

// The first edge of v whose other end is not `avoid`.
CEdge* FirstEdgeAvoiding(const CVertex* v, const CVertex* avoid) {
    for (CEdge* e : v->m_edges)
        if (e->Other(v) != avoid) return e;
    return nullptr;
}

// The first edge of v whose other end is none of `avoid`.
CEdge* FirstEdgeAvoiding(const CVertex* v, std::initializer_list<const CVertex*> avoid) {
    for (CEdge* e : v->m_edges) {
        const CVertex* w = e->Other(v);
        if (std::find(avoid.begin(), avoid.end(), w) == avoid.end()) return e;
    }
    return nullptr;
}

// For each vertex, the first edge of its that does not lead back to `from`, with its far
// end; false when some vertex has none.
bool CollectOnward(Collection& found, const std::vector<CVertex*>& vertices, const CVertex* from) {
    for (CVertex* v : vertices) {
        CEdge* e = FirstEdgeAvoiding(v, from);
        if (!e) return false;
        found.Add(e->Other(v));
        found.Add(e);
    }
    return true;
}

} // namespace

bool WitnessSearchL(const std::vector<CVertex*>& vertices) {
    ShapeCopy g(vertices);
    g.RemoveLeavesOnce();
    const int a = FirstOfDegreeAtLeast(g, 3);
    if (a < 0) return false;
    CVertex* aSource = g.DocVertex(a);

    Collection found;
    found.Add(aSource);
    std::vector<CVertex*> ends;
    for (std::size_t i = 0; i < 3; ++i) {
        const int e = g.EdgesOf(a)[i];
        ends.push_back(g.DocVertex(g.Other(e, a)));
        found.Add(ends.back());
        found.Add(g.DocEdge(e));
    }
    if (!CollectOnward(found, ends, aSource)) return false;
    found.Colour(kWitnessLColor);
    return true;
}

bool WitnessSearchF1(const std::vector<CVertex*>& vertices) {
    ShapeCopy g(vertices);
    g.RemoveLeavesOnce();
    const int a = FirstOfDegreeAtLeast(g, 3);
    if (a < 0) return false;
    CVertex* aSource = g.DocVertex(a);
    CVertex* b = nullptr;
    for (CVertex* v : vertices) {
        if (v->Degree() >= 3 && v != aSource) {
            b = v;
            break;
        }
    }
    if (!b) return false;

    // Depth-first search from B that numbers the vertices in m_level and records parents,
    // by position in the component's list (-1 for B and for what it does not reach).
    const PositionIndex<CVertex> index(vertices);
    std::vector<char> reached(vertices.size(), 0);
    std::vector<std::int32_t> parent(vertices.size(), -1);
    {
        struct Frame {
            std::int32_t v;
            std::size_t next;
        };
        std::int32_t counter = 0;
        const std::int32_t root = index.Of(b);
        reached[root] = 1;
        b->m_level = counter++;
        std::vector<Frame> stack{{root, 0}};
        while (!stack.empty()) {
            Frame& f = stack.back();
            CVertex* v = vertices[f.v];
            if (f.next == v->m_edges.size()) {
                stack.pop_back();
                continue;
            }
            const std::int32_t from = f.v;
            CVertex* w = v->m_edges[f.next++]->Other(v);
            const std::int32_t wi = index.Of(w);
            if (wi < 0 || reached[wi]) continue;
            reached[wi] = 1;
            w->m_level = counter++;
            parent[wi] = from;
            stack.push_back({wi, 0});
        }
    }
    const std::int32_t aIndex = index.Of(aSource);
    if (aIndex < 0 || parent[aIndex] < 0) return false;

    Collection found;
    for (std::int32_t u = aIndex; u >= 0; u = parent[u]) {
        CVertex* uv = vertices[u];
        found.Add(uv);
        if (uv == b) break;
        const CVertex* up = parent[u] >= 0 ? vertices[parent[u]] : nullptr;
        for (CEdge* e : uv->m_edges)
            if (e->Joins(uv, up)) found.Add(e);
    }

    int taken = 0;
    for (CEdge* e : b->m_edges) {
        if (taken == 2) break;
        CVertex* w = e->Other(b);
        if (found.Has(w)) continue;
        found.Add(w);
        found.Add(e);
        ++taken;
    }
    if (taken < 2) return false;

    std::vector<CVertex*> arms;
    for (int e : g.EdgesOf(a)) {
        if (arms.size() == 2) break;
        CVertex* w = g.DocVertex(g.Other(e, a));
        if (found.Has(w)) continue;
        found.Add(w);
        found.Add(g.DocEdge(e));
        arms.push_back(w);
    }
    if (arms.size() < 2 || !CollectOnward(found, arms, aSource)) return false;
    found.Colour(kWitnessF1Color);
    return true;
}

bool WitnessSearchF2(const std::vector<CVertex*>& vertices) {
    ShapeCopy s1(vertices);
    s1.RemoveLeavesOnce();
    ShapeCopy s2(s1, 0);
    s2.RemoveLeavesOnce();

    int c = -1;
    for (int v : s2.Vertices()) {
        if (s1.Degree(s2.SourceVertex(v)) >= 3 && s2.DocVertex(v)->Degree() >= 4) {
            c = v;
            break;
        }
    }
    if (c < 0) return false;
    Collection found;
    const int cS1 = s2.SourceVertex(c);
    CVertex* cDoc = s2.DocVertex(c);
    found.Add(cDoc);
    if (s2.EdgesOf(c).empty()) return false;

    const int cp = s2.EdgesOf(c).front();
    const int p = s2.Other(cp, c);
    const int pS1 = s2.SourceVertex(p);
    CVertex* pDoc = s2.DocVertex(p);
    found.Add(pDoc);
    found.Add(s2.DocEdge(cp));

    int pq = -1;
    for (int e : s1.EdgesOf(pS1))
        if (s1.Other(e, pS1) != cS1) {
            pq = e;
            break;
        }
    if (pq < 0) return false;
    CVertex* qDoc = s1.DocVertex(s1.Other(pq, pS1));
    found.Add(qDoc);
    found.Add(s1.DocEdge(pq));

    if (CEdge* qr = FirstEdgeAvoiding(qDoc, pDoc)) {
        found.Add(qr->Other(qDoc));
        found.Add(qr);
    }

    std::vector<CVertex*> ab;
    for (int e : s1.EdgesOf(cS1)) {
        if (ab.size() == 2) break;
        const int w = s1.Other(e, cS1);
        if (w == pS1) continue;
        ab.push_back(s1.DocVertex(w));
        found.Add(s1.DocVertex(w));
        found.Add(s1.DocEdge(e));
    }
    if (ab.size() < 2 || !CollectOnward(found, ab, cDoc)) return false;
    if (CEdge* e = FirstEdgeAvoiding(cDoc, {ab[0], pDoc, ab[1]})) {
        found.Add(e->Other(cDoc));
        found.Add(e);
    }
    found.Colour(kWitnessF2Color);
    return true;
}
