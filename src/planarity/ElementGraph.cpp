#include "planarity/ElementGraph.h"

#include "model/AddressIndex.h"
#include "model/Element.h"

ElementGraph BuildElementGraph(std::vector<CVertex*> vertices, std::vector<CEdge*> edges) {
    ElementGraph g;
    g.vertices = std::move(vertices);
    g.edges = std::move(edges);
    const std::int32_t n = g.VertexCount();
    {
        const PositionIndex<CVertex> vertexAt(g.vertices);
        g.ends.resize(g.edges.size());
        for (std::size_t e = 0; e < g.edges.size(); ++e)
            g.ends[e] = {vertexAt.Of(g.edges[e]->m_v1), vertexAt.Of(g.edges[e]->m_v2)};
    }
    const PositionIndex<CEdge> edgeAt(g.edges);
    g.start.assign(n + 1, 0);
    std::size_t total = 0;
    for (const CVertex* v : g.vertices) total += v->m_edges.size();
    g.adjacency.reserve(total);
    for (std::int32_t v = 0; v < n; ++v) {
        for (const CEdge* edge : g.vertices[v]->m_edges) {
            const std::int32_t e = edgeAt.Of(edge);
            if (e >= 0 && g.ends[e].first >= 0 && g.ends[e].second >= 0) g.adjacency.push_back(e);
        }
        g.start[v + 1] = static_cast<std::int32_t>(g.adjacency.size());
    }
    return g;
}
