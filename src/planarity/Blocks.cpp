// The block search: a depth-first search with an edge stack, run with an explicit stack
// of frames so that it behaves exactly like the recursive formulation at any depth.

#include "planarity/Blocks.h"

#include <algorithm>

#include "model/Element.h"
#include "model/LattixDoc.h"

namespace {

// m_block of an edge that waits on the edge stack: not yet in a block, but not to be
// pushed again either.
constexpr std::int32_t kOnEdgeStack = -2;

struct Frame {
    CVertex* v;
    std::size_t next; // index into v->m_edges of the edge being looked at
};

} // namespace

std::int32_t LabelBlocks(const std::vector<CVertex*>& vertices, const std::vector<CEdge*>& resetEdges) {
    if (vertices.empty()) return 0;
    const auto count = static_cast<std::int32_t>(vertices.size());
    for (CVertex* v : vertices) {
        v->m_bcVisited = false;
        v->m_level = 0;
        v->m_bcParent = nullptr;
        v->m_bcLow = count;
    }
    for (CEdge* e : resetEdges) e->m_block = -1;

    std::int32_t blocks = 0;
    std::int32_t dfs = 0;
    std::vector<CEdge*> edgeStack;
    std::vector<Frame> frames;
    auto enter = [&](CVertex* v) {
        v->m_bcVisited = true;
        v->m_level = dfs++;
        frames.push_back({v, 0});
    };
    enter(vertices.front());
    while (!frames.empty()) {
        Frame& f = frames.back();
        CVertex* v = f.v;
        if (f.next == v->m_edges.size()) {
            frames.pop_back();
            if (frames.empty()) break;
            // Back in the parent, right after the search of the child returned.
            Frame& up = frames.back();
            CVertex* u = up.v;
            CEdge* e = u->m_edges[up.next];
            if (v->m_bcLow >= u->m_level) {
                while (!edgeStack.empty()) {
                    CEdge* top = edgeStack.back();
                    edgeStack.pop_back();
                    top->m_block = blocks;
                    if (top == e) break;
                }
                ++blocks;
            }
            u->m_bcLow = std::min(u->m_bcLow, v->m_bcLow);
            ++up.next;
            continue;
        }
        CEdge* e = v->m_edges[f.next];
        CVertex* w = e->m_v1 == v ? e->m_v2 : e->m_v1;
        if (e->m_block == -1) {
            edgeStack.push_back(e);
            e->m_block = kOnEdgeStack;
        }
        if (!w->m_bcVisited) {
            w->m_bcParent = v;
            enter(w); // f is stale from here on
            continue;
        }
        if (w != v->m_bcParent) v->m_bcLow = std::min(v->m_bcLow, w->m_level);
        ++f.next;
    }
    // Self-loops that no block closed over stay unassigned.
    for (CEdge* e : edgeStack) e->m_block = -1;
    return blocks;
}

std::int32_t CLattixDoc::CountBlocks() { return LabelBlocks(m_compVertices, m_allEdges); }
