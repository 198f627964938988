#include "planarity/BlockGraph.h"

#include <unordered_map>

#include "model/Element.h"
#include "planarity/Blocks.h"
#include "planarity/ElementGraph.h"

void BlockGraph::Clear() {
    vertices.clear();
    edges.clear();
    edgeEnds.clear();
    start.clear();
    ends.clear();
}

void BuildBlockGraph(const std::vector<CVertex*>& vertices, const std::vector<CEdge*>& edges, BlockGraph& out) {
    out.Clear();
    std::unordered_map<const CVertex*, std::int32_t> local;
    for (CVertex* v : vertices) {
        if (local.emplace(v, static_cast<std::int32_t>(out.vertices.size())).second) out.vertices.push_back(v);
    }
    std::unordered_map<const CEdge*, std::int32_t> edgeId;
    for (std::size_t i = 0; i < edges.size(); ++i) edgeId.emplace(edges[i], static_cast<std::int32_t>(i));
    out.edges = edges;
    for (const CEdge* e : edges) {
        const auto a = local.find(e->m_v1), b = local.find(e->m_v2);
        out.edgeEnds.push_back({a == local.end() ? -1 : a->second, b == local.end() ? -1 : b->second});
    }
    out.start.assign(1, 0);
    for (CVertex* v : out.vertices) {
        for (CEdge* e : v->m_edges) {
            CVertex* w = e->Other(v);
            const auto id = edgeId.find(e);
            if (w == v || id == edgeId.end()) continue;
            if (auto it = local.find(w); it != local.end()) out.ends.push_back({e, w, it->second, id->second});
        }
        out.start.push_back(static_cast<std::int32_t>(out.ends.size()));
    }
}

ComponentBlocks::ComponentBlocks(const ElementGraph& g)
    : m_g(g), m_slot(g.EdgeCount(), -1), m_localOf(g.VertexCount(), -1), m_stamp(g.VertexCount(), -1) {}

void ComponentBlocks::Split(const BlockSearch& search, std::span<const std::int32_t> vertices,
                            std::span<const std::int32_t> edges, std::int32_t blockCount) {
    m_firstBlock = m_nextBlock;
    m_nextBlock += blockCount;
    m_edgeStart.assign(blockCount + 1, 0);
    m_incidenceStart.assign(blockCount + 1, 0);
    // Counting sort by block keeps list order within each block, and adjacency order
    // within each vertex.
    const std::vector<std::int32_t>& block = search.block;
    auto inBlock = [&](std::int32_t e) { return block[e] >= 0 && block[e] < blockCount; };
    auto selfLoop = [&](std::int32_t e) { return m_g.ends[e].first == m_g.ends[e].second; };
    for (const std::int32_t e : edges)
        if (inBlock(e)) ++m_edgeStart[block[e] + 1];
    for (const std::int32_t v : vertices)
        for (const std::int32_t e : m_g.EdgesOf(v))
            if (inBlock(e) && !selfLoop(e)) ++m_incidenceStart[block[e] + 1];
    for (std::int32_t k = 0; k < blockCount; ++k) {
        m_edgeStart[k + 1] += m_edgeStart[k];
        m_incidenceStart[k + 1] += m_incidenceStart[k];
    }
    m_edges.resize(m_edgeStart[blockCount]);
    m_incidences.resize(m_incidenceStart[blockCount]);
    std::vector<std::int32_t> fill(m_edgeStart.begin(), m_edgeStart.end() - 1);
    for (const std::int32_t e : edges)
        if (inBlock(e)) {
            m_slot[e] = fill[block[e]];
            m_edges[fill[block[e]]++] = e;
        }
    fill.assign(m_incidenceStart.begin(), m_incidenceStart.end() - 1);
    for (const std::int32_t v : vertices)
        for (const std::int32_t e : m_g.EdgesOf(v))
            if (inBlock(e) && !selfLoop(e)) m_incidences[fill[block[e]]++] = {v, e};
}

void ComponentBlocks::Build(std::int32_t k, std::vector<CEdge*>& blockEdges, std::vector<CVertex*>& blockVertices,
                            BlockGraph& out) {
    out.Clear();
    const std::int64_t stamp = m_firstBlock + k;
    const std::int32_t first = m_edgeStart[k];
    blockEdges.clear();
    auto localOf = [&](std::int32_t v) {
        if (m_stamp[v] != stamp) {
            m_stamp[v] = stamp;
            m_localOf[v] = static_cast<std::int32_t>(out.vertices.size());
            out.vertices.push_back(m_g.vertices[v]);
        }
        return m_localOf[v];
    };
    for (std::int32_t i = first; i < m_edgeStart[k + 1]; ++i) {
        const std::int32_t e = m_edges[i];
        blockEdges.push_back(m_g.edges[e]);
        const std::int32_t a = localOf(m_g.ends[e].first);
        const std::int32_t b = localOf(m_g.ends[e].second);
        out.edgeEnds.push_back({a, b});
    }
    blockVertices = out.vertices;
    out.edges = blockEdges;
    const std::int32_t n = out.Size();
    out.start.assign(n + 1, 0);
    const auto begin = m_incidences.begin() + m_incidenceStart[k];
    const auto end = m_incidences.begin() + m_incidenceStart[k + 1];
    for (auto it = begin; it != end; ++it) ++out.start[m_localOf[it->vertex] + 1];
    for (std::int32_t i = 0; i < n; ++i) out.start[i + 1] += out.start[i];
    out.ends.resize(out.start[n]);
    std::vector<std::int32_t> fill(out.start.begin(), out.start.end() - 1);
    for (auto it = begin; it != end; ++it) {
        const std::int32_t w = m_g.Other(it->edge, it->vertex);
        out.ends[fill[m_localOf[it->vertex]]++] = {m_g.edges[it->edge], m_g.vertices[w], m_localOf[w],
                                                   m_slot[it->edge] - first};
    }
}
