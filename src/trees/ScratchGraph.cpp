#include "trees/ScratchGraph.h"

#include <algorithm>
#include <unordered_set>

#include "model/Element.h"

CEdge* ScratchGraph::SourceOf(const CEdge* scratch) const {
    const auto it = sourceEdge.find(scratch);
    return it == sourceEdge.end() ? nullptr : it->second;
}

void ScratchGraph::Clear() {
    // Everything goes at once: no edge needs to leave an adjacency list first.
    for (CVertex* v : vertices) v->m_edges.clear();
    for (CEdge* e : edges) {
        e->ForgetEndpoints();
        delete e;
    }
    edges.clear();
    sourceEdge.clear();
    for (CVertex* v : vertices) delete v;
    vertices.clear();
}

void CopyComponent(const std::vector<CVertex*>& vertices, ScratchGraph& out) {
    out.Clear();
    std::unordered_map<const CVertex*, CVertex*> copyOf;
    copyOf.reserve(vertices.size());
    for (CVertex* v : vertices) {
        CVertex* copy = v->Clone(false);
        copy->m_name = v->m_name + "'";
        out.vertices.push_back(copy);
        copyOf[v] = copy;
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
            out.sourceEdge[scratch] = e;
            out.edges.push_back(scratch);
        }
    }
    std::vector<CEdge*> kept;
    kept.reserve(out.edges.size());
    for (CEdge* scratch : out.edges) {
        const auto far = copyOf.find(scratch->m_v2);
        if (far == copyOf.end()) {
            // An edge leaving the copied vertices has no far end among the copies.
            scratch->m_v2 = nullptr;
            auto& nearEdges = scratch->m_v1->m_edges;
            nearEdges.erase(std::find(nearEdges.begin(), nearEdges.end(), scratch));
            scratch->m_v1 = nullptr;
            out.ForgetEdge(scratch);
            delete scratch;
            continue;
        }
        CVertex* farCopy = far->second;
        scratch->m_v2 = farCopy;
        farCopy->m_edges.push_back(scratch);
        kept.push_back(scratch);
    }
    out.edges.swap(kept);
}
