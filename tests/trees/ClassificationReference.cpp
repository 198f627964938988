// The searches of the classification as they were first written, on copies of the elements
// themselves: the reference the shape-copy versions are checked against.

#include "trees/ClassificationReference.h"

#include <algorithm>
#include <unordered_set>

#include "model/LattixDoc.h"
#include "trees/Classification.h"
#include "trees/ScratchGraph.h"

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

CVertex* FirstOfDegreeAtLeast(const std::vector<CVertex*>& vertices, std::size_t degree) {
    for (CVertex* v : vertices)
        if (v->Degree() >= degree) return v;
    return nullptr;
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

std::size_t LargestScratchDegree(const std::vector<CVertex*>& vertices) {
    std::size_t largest = 0;
    for (const CVertex* v : vertices) largest = std::max(largest, v->Degree());
    return largest;
}

} // namespace

bool ReferenceWitnessL(CLattixDoc& doc) {
    ScratchGraph g;
    CopyComponent(doc.m_compVertices, g);
    RemoveLeavesOnce(g);
    CVertex* a = FirstOfDegreeAtLeast(g.vertices, 3);
    if (!a) return false;
    CVertex* aSource = a->m_source;

    Collection found;
    found.Add(aSource);
    std::vector<CVertex*> ends;
    for (std::size_t i = 0; i < 3; ++i) {
        CEdge* e = a->m_edges[i];
        ends.push_back(e->Other(a)->m_source);
        found.Add(ends.back());
        found.Add(e->m_source);
    }
    if (!CollectOnward(found, ends, aSource)) return false;
    found.Colour(kWitnessLColor);
    return true;
}

bool ReferenceWitnessF1(CLattixDoc& doc) {
    ScratchGraph g;
    CopyComponent(doc.m_compVertices, g);
    RemoveLeavesOnce(g);
    CVertex* a = FirstOfDegreeAtLeast(g.vertices, 3);
    if (!a) return false;
    CVertex* aSource = a->m_source;
    CVertex* b = nullptr;
    for (CVertex* v : doc.m_compVertices) {
        if (v->Degree() >= 3 && v != aSource) {
            b = v;
            break;
        }
    }
    if (!b) return false;

    // Depth-first search from B that numbers the vertices in m_level and records parents.
    for (CVertex* v : doc.m_compVertices) {
        v->m_dfsNumber = -1;
        v->m_dfsParent = nullptr;
    }
    {
        struct Frame {
            CVertex* v;
            std::size_t next;
        };
        std::int32_t counter = 0;
        b->m_dfsNumber = 0;
        b->m_level = counter++;
        std::vector<Frame> stack{{b, 0}};
        while (!stack.empty()) {
            Frame& f = stack.back();
            if (f.next == f.v->m_edges.size()) {
                stack.pop_back();
                continue;
            }
            CVertex* v = f.v;
            CVertex* w = v->m_edges[f.next++]->Other(v);
            if (!w || w->m_dfsNumber != -1) continue;
            w->m_dfsNumber = 0;
            w->m_level = counter++;
            w->m_dfsParent = v;
            stack.push_back({w, 0});
        }
    }
    if (!aSource->m_dfsParent) return false;

    Collection found;
    for (CVertex* u = aSource; u; u = u->m_dfsParent) {
        found.Add(u);
        if (u == b) break;
        for (CEdge* e : u->m_edges)
            if (e->Joins(u, u->m_dfsParent)) found.Add(e);
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
    for (CEdge* e : a->m_edges) {
        if (arms.size() == 2) break;
        CVertex* w = e->Other(a);
        if (found.Has(w->m_source)) continue;
        found.Add(w->m_source);
        found.Add(e->m_source);
        arms.push_back(w->m_source);
    }
    if (arms.size() < 2 || !CollectOnward(found, arms, aSource)) return false;
    found.Colour(kWitnessF1Color);
    return true;
}

bool ReferenceWitnessF2(CLattixDoc& doc) {
    ScratchGraph s1, s2;
    CopyComponent(doc.m_compVertices, s1);
    RemoveLeavesOnce(s1);
    CopyComponent(s1.vertices, s2);
    RemoveLeavesOnce(s2);

    auto docOf = [](CVertex* scratch2) { return scratch2->m_source->m_source; };
    CVertex* c = nullptr;
    for (CVertex* v : s2.vertices) {
        if (v->m_source->Degree() >= 3 && docOf(v)->Degree() >= 4) {
            c = v;
            break;
        }
    }
    if (!c) return false;
    Collection found;
    CVertex* cS1 = c->m_source;
    CVertex* cDoc = cS1->m_source;
    found.Add(cDoc);
    if (c->m_edges.empty()) return false;

    CEdge* cp = c->m_edges.front();
    CVertex* p = cp->Other(c);
    CVertex* pS1 = p->m_source;
    CVertex* pDoc = pS1->m_source;
    found.Add(pDoc);
    found.Add(cp->m_source->m_source);

    CEdge* pq = FirstEdgeAvoiding(pS1, cS1);
    if (!pq) return false;
    CVertex* qDoc = pq->Other(pS1)->m_source;
    found.Add(qDoc);
    found.Add(pq->m_source);

    if (CEdge* qr = FirstEdgeAvoiding(qDoc, pDoc)) {
        found.Add(qr->Other(qDoc));
        found.Add(qr);
    }

    std::vector<CVertex*> ab;
    for (CEdge* e : cS1->m_edges) {
        if (ab.size() == 2) break;
        CVertex* w = e->Other(cS1);
        if (w == pS1) continue;
        ab.push_back(w->m_source);
        found.Add(w->m_source);
        found.Add(e->m_source);
    }
    if (ab.size() < 2 || !CollectOnward(found, ab, cDoc)) return false;
    if (CEdge* e = FirstEdgeAvoiding(cDoc, {ab[0], pDoc, ab[1]})) {
        found.Add(e->Other(cDoc));
        found.Add(e);
    }
    found.Colour(kWitnessF2Color);
    return true;
}

bool ReferenceIsRadius2Star(CLattixDoc& doc) {
    ScratchGraph g;
    CopyComponent(doc.m_compVertices, g);
    if (LargestScratchDegree(g.vertices) < 3) return false;
    RemoveLeavesOnce(g);
    std::size_t notMiddle = 0;
    const CVertex* remembered = nullptr;
    for (const CVertex* c : g.vertices) {
        if (c->m_source && c->m_source->Degree() != 2) {
            ++notMiddle;
            remembered = c;
        }
    }
    RemoveLeavesOnce(g);
    const bool star = g.vertices.size() == 1 && notMiddle == 1 && g.vertices.front() == remembered;
    if (star) {
        for (CVertex* v : doc.m_compVertices) v->m_highlight = kRadius2StarColor;
        for (CEdge* e : doc.m_compEdges) e->m_highlight = kRadius2StarColor;
    }
    return star;
}

