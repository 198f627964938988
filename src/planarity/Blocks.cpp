// The block search: a depth-first search with an edge stack, run with an explicit stack
// of frames so that it behaves exactly like the recursive formulation at any depth.

#include "planarity/Blocks.h"

#include <algorithm>

#include "model/Element.h"
#include "planarity/ElementGraph.h"

namespace {

// The block of an edge that waits on the edge stack: not yet in a block, but not to be
// pushed again either.
constexpr std::int32_t kOnEdgeStack = -2;

struct Frame {
    std::int32_t v;
    std::int32_t next; // position in v's edges of the edge being looked at
};

} // namespace

BlockSearch::BlockSearch(const ElementGraph& g)
    : dfs(g.VertexCount(), -1), low(g.VertexCount(), 0), parent(g.VertexCount(), -1), block(g.EdgeCount(), -1),
      m_g(g) {}

std::int32_t BlockSearch::Run(std::span<const std::int32_t> vertices) {
    if (vertices.empty()) return 0;
    const auto count = static_cast<std::int32_t>(vertices.size());
    for (const std::int32_t v : vertices) {
        dfs[v] = -1;
        m_g.vertices[v]->m_level = 0;
        parent[v] = -1;
        low[v] = count;
    }

    std::int32_t blocks = 0;
    std::int32_t counter = 0;
    std::vector<std::int32_t> edgeStack;
    std::vector<Frame> frames;
    auto enter = [&](std::int32_t v) {
        dfs[v] = counter++;
        m_g.vertices[v]->m_level = dfs[v];
        frames.push_back({v, 0});
    };
    enter(vertices.front());
    while (!frames.empty()) {
        Frame& f = frames.back();
        const std::int32_t v = f.v;
        const std::span<const std::int32_t> edges = m_g.EdgesOf(v);
        if (f.next == static_cast<std::int32_t>(edges.size())) {
            frames.pop_back();
            if (frames.empty()) break;
            // Back in the parent, right after the search of the child returned.
            Frame& up = frames.back();
            const std::int32_t u = up.v;
            const std::int32_t e = m_g.EdgesOf(u)[up.next];
            if (low[v] >= dfs[u]) {
                while (!edgeStack.empty()) {
                    const std::int32_t top = edgeStack.back();
                    edgeStack.pop_back();
                    block[top] = blocks;
                    if (top == e) break;
                }
                ++blocks;
            }
            low[u] = std::min(low[u], low[v]);
            ++up.next;
            continue;
        }
        const std::int32_t e = edges[f.next];
        const std::int32_t w = m_g.Other(e, v);
        if (block[e] == -1) {
            edgeStack.push_back(e);
            block[e] = kOnEdgeStack;
        }
        if (dfs[w] < 0) {
            parent[w] = v;
            enter(w); // f is stale from here on
            continue;
        }
        if (w != parent[v]) low[v] = std::min(low[v], dfs[w]);
        ++f.next;
    }
    // Self-loops that no block closed over stay unassigned.
    for (const std::int32_t e : edgeStack) block[e] = -1;
    return blocks;
}

BlockLabels LabelBlocks(const std::vector<CVertex*>& vertices, const std::vector<CEdge*>& edges) {
    const ElementGraph g = BuildElementGraph(vertices, edges);
    BlockSearch search(g);
    std::vector<std::int32_t> all(g.VertexCount());
    for (std::int32_t v = 0; v < g.VertexCount(); ++v) all[v] = v;
    BlockLabels out;
    out.count = search.Run(all);
    out.edgeBlock = std::move(search.block);
    out.low = std::move(search.low);
    out.parent = std::move(search.parent);
    return out;
}
