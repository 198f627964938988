#include "trees/ScratchGraph.h"

#include <algorithm>
#include <unordered_set>

#include "model/Element.h"

namespace {

void Unlink(CEdge* e) {
    if (e->m_source && e->m_source->m_copy == e) e->m_source->m_copy = nullptr;
}

} // namespace

void DeleteScratchVertex(CVertex* v) {
    if (v->m_source && v->m_source->m_copy == v) v->m_source->m_copy = nullptr;
    delete v;
}

void ScratchGraph::Clear() {
    // Everything goes at once: no edge needs to leave an adjacency list first.
    for (CVertex* v : vertices) v->m_edges.clear();
    for (CEdge* e : edges) {
        Unlink(e);
        e->ForgetEndpoints();
        delete e;
    }
    edges.clear();
    for (CVertex* v : vertices) DeleteScratchVertex(v);
    vertices.clear();
}

void CopyComponent(const std::vector<CVertex*>& vertices, ScratchGraph& out) {
    out.Clear();
    std::unordered_set<const CVertex*> copies;
    for (CVertex* v : vertices) {
        CVertex* copy = v->Clone(false);
        copy->m_name = v->m_name + "'";
        out.vertices.push_back(copy);
        copies.insert(copy);
        // A copy of the list: a self-loop's scratch edge passes through v's own list.
        const std::vector<CEdge*> incident = v->m_edges;
        for (CEdge* e : incident) {
            if (e->m_v1 != v) continue;
            CVertex* far = e->m_v2;
            auto* scratch = new CEdge(copy, far, kEdgeBlack);
            // The far end is a document vertex for now; the scratch edge leaves its list
            // at once and is redirected to the far end's copy below.
            auto& farEdges = far->m_edges;
            if (auto it = std::find(farEdges.rbegin(), farEdges.rend(), scratch); it != farEdges.rend())
                farEdges.erase(std::next(it).base());
            scratch->m_source = e;
            e->m_copy = scratch;
            out.edges.push_back(scratch);
        }
    }
    std::vector<CEdge*> kept;
    kept.reserve(out.edges.size());
    for (CEdge* scratch : out.edges) {
        CVertex* farCopy = scratch->m_v2->m_copy;
        if (!farCopy || !copies.count(farCopy)) {
            // An edge leaving the copied vertices has no far end among the copies.
            scratch->m_v2 = nullptr;
            auto& nearEdges = scratch->m_v1->m_edges;
            nearEdges.erase(std::find(nearEdges.begin(), nearEdges.end(), scratch));
            scratch->m_v1 = nullptr;
            Unlink(scratch);
            delete scratch;
            continue;
        }
        scratch->m_v2 = farCopy;
        farCopy->m_edges.push_back(scratch);
        kept.push_back(scratch);
    }
    out.edges.swap(kept);
}

void RemoveLeavesOnce(ScratchGraph& g) {
    for (auto it = g.vertices.begin(); it != g.vertices.end(); ++it) {
        if ((*it)->m_edges.empty()) {
            DeleteScratchVertex(*it);
            g.vertices.erase(it);
            return;
        }
    }
    std::vector<CVertex*> leaves;
    for (CVertex* v : g.vertices)
        if (v->m_edges.size() == 1) leaves.push_back(v);
    // The leaves' edges leave their other ends' lists in one pass per vertex, so a vertex
    // with many leaves is not rescanned for each of them.
    std::unordered_set<const CEdge*> dyingEdges;
    std::unordered_set<const CVertex*> dyingVertices(leaves.begin(), leaves.end());
    std::unordered_set<CVertex*> touched;
    for (CVertex* v : leaves) {
        CEdge* e = v->m_edges.front();
        if (!dyingEdges.insert(e).second) continue; // two leaves joined by one edge
        CVertex* other = e->Other(v);
        if (other && other != v && !dyingVertices.count(other)) touched.insert(other);
    }
    for (CVertex* w : touched)
        std::erase_if(w->m_edges, [&](const CEdge* e) { return dyingEdges.count(e) != 0; });
    std::erase_if(g.edges, [&](CEdge* e) { return dyingEdges.count(e) != 0; });
    for (const CEdge* e : dyingEdges) {
        auto* edge = const_cast<CEdge*>(e);
        Unlink(edge);
        edge->ForgetEndpoints();
        delete edge;
    }
    for (CVertex* v : leaves) {
        v->m_edges.clear();
        DeleteScratchVertex(v);
    }
    std::erase_if(g.vertices, [&](CVertex* v) { return dyingVertices.count(v) != 0; });
}
