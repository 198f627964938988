#include "planarity/BlockGraph.h"

#include <unordered_map>
#include <unordered_set>

#include "model/Element.h"

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
    const std::unordered_set<const CEdge*> inBlock(edges.begin(), edges.end());
    out.edges = edges;
    for (const CEdge* e : edges) {
        const auto a = local.find(e->m_v1), b = local.find(e->m_v2);
        out.edgeEnds.push_back({a == local.end() ? -1 : a->second, b == local.end() ? -1 : b->second});
    }
    out.start.assign(1, 0);
    for (CVertex* v : out.vertices) {
        for (CEdge* e : v->m_edges) {
            CVertex* w = e->Other(v);
            if (w == v || !inBlock.count(e)) continue;
            if (auto it = local.find(w); it != local.end()) out.ends.push_back({e, w, it->second});
        }
        out.start.push_back(static_cast<std::int32_t>(out.ends.size()));
    }
}

ComponentBlocks::ComponentBlocks(const std::vector<CVertex*>& vertices, const std::vector<CEdge*>& edges,
                                 std::int32_t blockCount)
    : m_edgeStart(blockCount + 1, 0), m_incidenceStart(blockCount + 1, 0), m_localOf(vertices.size(), -1),
      m_stamp(vertices.size(), -1) {
    // Counting sort by block keeps list order within each block, and adjacency order
    // within each vertex.
    auto inBlock = [blockCount](const CEdge* e) { return e->m_block >= 0 && e->m_block < blockCount; };
    for (const CEdge* e : edges)
        if (inBlock(e)) ++m_edgeStart[e->m_block + 1];
    for (const CVertex* v : vertices)
        for (const CEdge* e : v->m_edges)
            if (inBlock(e) && !e->IsSelfLoop()) ++m_incidenceStart[e->m_block + 1];
    for (std::int32_t k = 0; k < blockCount; ++k) {
        m_edgeStart[k + 1] += m_edgeStart[k];
        m_incidenceStart[k + 1] += m_incidenceStart[k];
    }
    m_edges.resize(m_edgeStart[blockCount]);
    m_incidences.resize(m_incidenceStart[blockCount]);
    std::vector<std::int32_t> fill(m_edgeStart.begin(), m_edgeStart.end() - 1);
    for (CEdge* e : edges)
        if (inBlock(e)) m_edges[fill[e->m_block]++] = e;
    fill.assign(m_incidenceStart.begin(), m_incidenceStart.end() - 1);
    for (CVertex* v : vertices)
        for (CEdge* e : v->m_edges)
            if (inBlock(e) && !e->IsSelfLoop()) m_incidences[fill[e->m_block]++] = {v, e};
}

void ComponentBlocks::Build(std::int32_t k, std::vector<CEdge*>& blockEdges, std::vector<CVertex*>& blockVertices,
                            BlockGraph& out) {
    out.Clear();
    blockEdges.assign(m_edges.begin() + m_edgeStart[k], m_edges.begin() + m_edgeStart[k + 1]);
    auto localOf = [&](CVertex* v) {
        const std::int32_t dfs = v->m_level;
        if (m_stamp[dfs] != k) {
            m_stamp[dfs] = k;
            m_localOf[dfs] = static_cast<std::int32_t>(out.vertices.size());
            out.vertices.push_back(v);
        }
        return m_localOf[dfs];
    };
    for (CEdge* e : blockEdges) {
        const std::int32_t a = localOf(e->m_v1);
        const std::int32_t b = localOf(e->m_v2);
        out.edgeEnds.push_back({a, b});
    }
    blockVertices = out.vertices;
    out.edges = blockEdges;
    const std::int32_t n = out.Size();
    out.start.assign(n + 1, 0);
    const auto first = m_incidences.begin() + m_incidenceStart[k];
    const auto last = m_incidences.begin() + m_incidenceStart[k + 1];
    for (auto it = first; it != last; ++it) ++out.start[m_localOf[it->vertex->m_level] + 1];
    for (std::int32_t i = 0; i < n; ++i) out.start[i + 1] += out.start[i];
    out.ends.resize(out.start[n]);
    std::vector<std::int32_t> fill(out.start.begin(), out.start.end() - 1);
    for (auto it = first; it != last; ++it) {
        CVertex* w = OtherEnd(it->edge, it->vertex);
        out.ends[fill[m_localOf[it->vertex->m_level]]++] = {it->edge, w, m_localOf[w->m_level]};
    }
}
