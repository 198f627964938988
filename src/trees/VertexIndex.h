#pragma once
// Positions 0..n-1 of the vertices of a list, so that a search can keep its work state in
// arrays of its own instead of on the vertices.

#include <cstdint>
#include <unordered_map>
#include <vector>

class CVertex;

class VertexIndex {
public:
    explicit VertexIndex(const std::vector<CVertex*>& vertices) {
        m_index.reserve(vertices.size());
        for (std::size_t i = 0; i < vertices.size(); ++i) m_index.emplace(vertices[i], std::int32_t(i));
    }
    // The vertex's position in the list; -1 for a vertex that is not in it.
    std::int32_t Of(const CVertex* v) const {
        const auto it = m_index.find(v);
        return it == m_index.end() ? -1 : it->second;
    }

private:
    std::unordered_map<const CVertex*, std::int32_t> m_index;
};
