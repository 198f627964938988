#include "graph/IndexedEdges.h"

#include <algorithm>

#include "model/LattixDoc.h"

namespace {

// Positions of vertices looked up by address, in an open-addressing table: a node-based
// map costs an allocation per vertex, and the lookups of the edge ends dominate otherwise.
class VertexTable {
public:
    explicit VertexTable(const std::vector<CVertex*>& vertices) {
        std::size_t capacity = 16;
        while (capacity < 2 * vertices.size()) capacity *= 2;
        m_mask = capacity - 1;
        m_keys.assign(capacity, nullptr);
        m_positions.resize(capacity);
        for (std::size_t i = 0; i < vertices.size(); ++i) {
            if (!vertices[i]) continue;
            std::size_t h = Hash(vertices[i]);
            while (m_keys[h] && m_keys[h] != vertices[i]) h = (h + 1) & m_mask;
            if (m_keys[h]) continue; // listed twice: the first position counts
            m_keys[h] = vertices[i];
            m_positions[h] = static_cast<std::int32_t>(i);
        }
    }
    // The position of v, or -1 when it is not listed.
    std::int32_t Of(const CVertex* v) const {
        if (!v) return -1;
        for (std::size_t h = Hash(v);; h = (h + 1) & m_mask) {
            if (m_keys[h] == v) return m_positions[h];
            if (!m_keys[h]) return -1;
        }
    }

private:
    std::size_t Hash(const CVertex* v) const {
        return static_cast<std::size_t>((reinterpret_cast<std::uintptr_t>(v) >> 4) * 0x9E3779B97F4A7C15ull >> 20) &
               m_mask;
    }
    std::vector<const CVertex*> m_keys;
    std::vector<std::int32_t> m_positions;
    std::size_t m_mask = 0;
};

} // namespace

IndexedEdges IndexEdges(const std::vector<CVertex*>& vertices, const std::vector<CEdge*>& edges) {
    const VertexTable table(vertices);
    IndexedEdges out;
    out.m_ends.reserve(edges.size());
    for (const CEdge* e : edges) {
        const std::int32_t a = table.Of(e->m_v1), b = table.Of(e->m_v2);
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

bool CLattixDoc::IsSimple() const {
    const IndexedEdges indexed = IndexEdges(m_allVertices, m_allEdges);
    if (indexed.m_complete)
        return !HasRepeatedPair(static_cast<std::int32_t>(m_allVertices.size()), indexed.m_ends);
    // Edges ending outside the vertex list: their ends compared by address.
    std::vector<std::pair<const CVertex*, const CVertex*>> pairs;
    pairs.reserve(m_allEdges.size());
    for (const CEdge* e : m_allEdges) pairs.push_back(std::minmax<const CVertex*>(e->m_v1, e->m_v2, std::less<>()));
    std::sort(pairs.begin(), pairs.end(), [](const auto& x, const auto& y) {
        const std::less<const CVertex*> less;
        return less(x.first, y.first) || (x.first == y.first && less(x.second, y.second));
    });
    return std::adjacent_find(pairs.begin(), pairs.end()) == pairs.end();
}
