#include "level/ExperimentSimulation.h"

#include <stdexcept>
#include <utility>

ExperimentSimulation::ExperimentSimulation(int vertexCount, const std::vector<ExperimentEdge>& edges,
                                           std::uint32_t nextId)
    : m_vertexCount(vertexCount), m_edgeCount(static_cast<int>(edges.size())), m_adjacency(vertexCount),
      m_degree(vertexCount, 0), m_incident(vertexCount, 0), m_nextId(nextId) {
    if (m_edgeCount > kMaxEdges) throw std::invalid_argument("tree too large");
    for (int e = 0; e < m_edgeCount; ++e) {
        m_edges[e] = edges[e];
        m_order[e] = static_cast<std::uint8_t>(e);
        m_adjacency[edges[e].v1][m_degree[edges[e].v1]++] = static_cast<std::uint8_t>(e);
        m_adjacency[edges[e].v2][m_degree[edges[e].v2]++] = static_cast<std::uint8_t>(e);
        m_incident[edges[e].v1] |= 1u << e;
        m_incident[edges[e].v2] |= 1u << e;
    }
}

void ExperimentSimulation::Advance(const int* tracks) {
    // The pass splits the edges in element order; the bends it makes take 3 ids each.
    std::array<int, kMaxEdges> span{};
    std::uint32_t bends = 0;
    for (int i = 0; i < m_edgeCount; ++i) {
        ExperimentEdge& edge = m_edges[m_order[i]];
        if (tracks[edge.v2] < tracks[edge.v1]) std::swap(edge.v1, edge.v2);
        span[m_order[i]] = tracks[edge.v2] - tracks[edge.v1];
        if (span[m_order[i]] > 1) bends += static_cast<std::uint32_t>(span[m_order[i]] - 1);
    }
    std::uint32_t joining = m_nextId + 3 * bends;

    // The next pass removes the bends chain by chain in the same order; the last removal
    // of a chain makes the edge that stays.
    std::array<std::uint8_t, kMaxEdges> order{};
    std::array<int, kMaxEdges> rank{};
    int kept = 0;
    for (int i = 0; i < m_edgeCount; ++i)
        if (span[m_order[i]] <= 1) order[kept++] = m_order[i];
    int made = kept;
    for (int i = 0; i < m_edgeCount; ++i) {
        const int e = m_order[i];
        if (span[e] <= 1) continue;
        ExperimentEdge& edge = m_edges[e];
        joining += static_cast<std::uint32_t>(span[e] - 1);
        edge.id = joining - 1;
        if (span[e] > 2) std::swap(edge.v1, edge.v2);
        rank[e] = made;
        order[made++] = static_cast<std::uint8_t>(e);
    }
    m_nextId = joining;
    m_order = order;

    // Edges not split keep their order at each vertex; the new ones follow in the order
    // they were made.
    std::uint32_t split = 0;
    for (int e = 0; e < m_edgeCount; ++e)
        if (span[e] > 1) split |= 1u << e;
    // With the same edges split as in the pass before, every list is already in the order
    // this pass would give it.
    const bool sameSplit = split == m_lastSplit;
    m_lastSplit = split;
    for (int v = 0; !sameSplit && v < m_vertexCount; ++v) {
        if (!(m_incident[v] & split)) continue; // nothing of its own moves
        auto& list = m_adjacency[v];
        const int degree = m_degree[v];
        std::array<std::uint8_t, kMaxEdges> rearranged{};
        int n = 0;
        for (int k = 0; k < degree; ++k)
            if (span[list[k]] <= 1) rearranged[n++] = list[k];
        const int first = n;
        for (int k = 0; k < degree; ++k) {
            if (span[list[k]] <= 1) continue;
            int at = n++;
            while (at > first && rank[rearranged[at - 1]] > rank[list[k]]) {
                rearranged[at] = rearranged[at - 1];
                --at;
            }
            rearranged[at] = list[k];
        }
        list = rearranged;
    }
}
