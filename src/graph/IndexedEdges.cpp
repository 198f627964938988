#include "graph/IndexedEdges.h"

#include <algorithm>

#include "model/AddressIndex.h"
#include "model/LattixDoc.h"

IndexedEdges IndexEdges(const std::vector<CVertex*>& vertices, const std::vector<CEdge*>& edges,
                        std::vector<std::uint8_t>* highlighted) {
    const PositionIndex<CVertex> table(vertices);
    IndexedEdges out;
    out.m_ends.reserve(edges.size());
    if (highlighted) highlighted->assign(edges.size(), 1);
    std::size_t hint1 = 0, hint2 = 0;
    for (std::size_t j = 0; j < edges.size(); ++j) {
        const CEdge* e = edges[j];
        if (highlighted) (*highlighted)[j] = e->m_highlight != kNoHighlight;
        const std::int32_t a = table.Of(e->m_v1, &hint1), b = table.Of(e->m_v2, &hint2);
        if (a < 0 || b < 0) {
            out.m_complete = false;
            break;
        }
        out.m_ends.push_back({a, b});
    }
    return out;
}

bool HasRepeatedPair(std::int32_t n, std::span<const VertexPair> pairs) {
    // Each pair under its smaller end (a bucket sort), then one sweep per bucket with a
    // mark per larger end.
    std::vector<std::int32_t> start(std::size_t(n) + 2, 0);
    for (const auto& [a, b] : pairs) ++start[std::size_t(std::min(a, b)) + 2];
    for (std::size_t v = 2; v < start.size(); ++v) start[v] += start[v - 1];
    std::vector<std::int32_t> larger(pairs.size());
    for (const auto& [a, b] : pairs) larger[start[std::size_t(std::min(a, b)) + 1]++] = std::max(a, b);
    std::vector<std::int32_t> mark(std::size_t(n), -1);
    for (std::int32_t v = 0; v < n; ++v)
        for (std::int32_t i = start[v]; i < start[v + 1]; ++i) {
            if (mark[larger[i]] == v) return true;
            mark[larger[i]] = v;
        }
    return false;
}

bool IsSimpleGraph(const std::vector<CVertex*>& vertices, const std::vector<CEdge*>& edges,
                   const IndexedEdges& indexed) {
    if (indexed.m_complete) return !HasRepeatedPair(static_cast<std::int32_t>(vertices.size()), indexed.m_ends);
    // Edges ending outside the vertex list: their ends compared by address.
    std::vector<std::pair<const CVertex*, const CVertex*>> pairs;
    pairs.reserve(edges.size());
    for (const CEdge* e : edges) pairs.push_back(std::minmax<const CVertex*>(e->m_v1, e->m_v2, std::less<>()));
    std::sort(pairs.begin(), pairs.end(), [](const auto& x, const auto& y) {
        const std::less<const CVertex*> less;
        return less(x.first, y.first) || (x.first == y.first && less(x.second, y.second));
    });
    return std::adjacent_find(pairs.begin(), pairs.end()) == pairs.end();
}

bool CLattixDoc::IsSimple() const {
    return IsSimpleGraph(m_allVertices, m_allEdges, IndexEdges(m_allVertices, m_allEdges));
}
