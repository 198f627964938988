#include "level/ExperimentSimulation.h"

#include <algorithm>

ExperimentSimulation::ExperimentSimulation(int vertexCount, const std::vector<ExperimentEdge>& edges,
                                           std::uint32_t nextId)
    : m_edges(edges), m_adjacency(vertexCount), m_nextId(nextId) {
    for (int e = 0; e < static_cast<int>(edges.size()); ++e) {
        m_order.push_back(e);
        m_adjacency[edges[e].v1].push_back(e);
        m_adjacency[edges[e].v2].push_back(e);
    }
    m_span.resize(edges.size());
    m_rank.resize(edges.size());
}

void ExperimentSimulation::Advance(const int* tracks) {
    // The pass splits the edges in element order; the bends it makes take 3 ids each.
    std::uint32_t bends = 0;
    for (int e : m_order) {
        ExperimentEdge& edge = m_edges[e];
        if (tracks[edge.v2] < tracks[edge.v1]) std::swap(edge.v1, edge.v2);
        m_span[e] = tracks[edge.v2] - tracks[edge.v1];
        if (m_span[e] > 1) bends += static_cast<std::uint32_t>(m_span[e] - 1);
    }
    std::uint32_t joining = m_nextId + 3 * bends;

    // The next pass removes the bends chain by chain in the same order; the last removal
    // of a chain makes the edge that stays.
    m_kept.clear();
    m_moved.clear();
    for (int e : m_order) {
        if (m_span[e] <= 1) {
            m_kept.push_back(e);
            continue;
        }
        ExperimentEdge& edge = m_edges[e];
        joining += static_cast<std::uint32_t>(m_span[e] - 1);
        edge.id = joining - 1;
        if (m_span[e] > 2) std::swap(edge.v1, edge.v2);
        m_moved.push_back(e);
    }
    m_nextId = joining;
    for (std::size_t i = 0; i < m_moved.size(); ++i) m_rank[m_moved[i]] = static_cast<int>(i);
    m_order = m_kept;
    m_order.insert(m_order.end(), m_moved.begin(), m_moved.end());

    for (auto& list : m_adjacency) {
        // Edges not split keep their order; the new ones follow in the order they were made.
        m_scratch.clear();
        for (int e : list)
            if (m_span[e] > 1) m_scratch.push_back(e);
        if (m_scratch.empty()) continue;
        std::sort(m_scratch.begin(), m_scratch.end(), [&](int a, int b) { return m_rank[a] < m_rank[b]; });
        std::size_t kept = 0;
        for (int e : list)
            if (m_span[e] <= 1) list[kept++] = e;
        std::copy(m_scratch.begin(), m_scratch.end(), list.begin() + static_cast<std::ptrdiff_t>(kept));
    }
}
