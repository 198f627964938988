#include "trees/ShapeCopy.h"

#include <algorithm>

#include "model/AddressIndex.h"
#include "model/Element.h"

ShapeCopy::ShapeCopy(const std::vector<CVertex*>& vertices) {
    // A component's vertices are mostly neighbours in memory: their positions need no table.
    const PositionIndex<CVertex> index(vertices);
    std::size_t hint = 0;
    m_vertices.reserve(vertices.size());
    m_live.reserve(vertices.size());
    std::vector<int> farEnds;
    for (std::size_t i = 0; i < vertices.size(); ++i) {
        const CVertex* v = vertices[i];
        m_vertices.push_back({vertices[i], -1, {}});
        m_live.push_back(int(i));
        for (CEdge* e : v->m_edges) {
            if (e->m_v1 != v) continue;
            m_vertices[i].adj.push_back(int(m_edges.size()));
            m_edges.push_back({int(i), -1, e, -1});
            farEnds.push_back(index.Of(e->m_v2, &hint));
        }
    }
    AddFarEnds(farEnds);
}

ShapeCopy::ShapeCopy(const ShapeCopy& source, int) {
    std::vector<int> index(source.m_vertices.size(), -1);
    for (std::size_t i = 0; i < source.m_live.size(); ++i) index[source.m_live[i]] = int(i);

    std::vector<int> farEnds;
    for (std::size_t i = 0; i < source.m_live.size(); ++i) {
        const int sv = source.m_live[i];
        m_vertices.push_back({source.m_vertices[sv].doc, sv, {}});
        m_live.push_back(int(i));
        for (int e : source.m_vertices[sv].adj) {
            const Edge& se = source.m_edges[e];
            if (se.a != sv) continue;
            m_vertices[i].adj.push_back(int(m_edges.size()));
            m_edges.push_back({int(i), -1, se.doc, e});
            farEnds.push_back(se.b >= 0 ? index[se.b] : -1);
        }
    }
    AddFarEnds(farEnds);
}

void ShapeCopy::AddFarEnds(const std::vector<int>& farEnds) {
    for (std::size_t k = 0; k < farEnds.size(); ++k) {
        Edge& e = m_edges[k];
        if (farEnds[k] >= 0) {
            e.b = farEnds[k];
            m_vertices[e.b].adj.push_back(int(k));
        } else {
            // An edge leaving the copied vertices goes again.
            auto& adj = m_vertices[e.a].adj;
            adj.erase(std::find(adj.begin(), adj.end(), int(k)));
        }
    }
    // Each copied vertex and each edge made would have taken an element id.
    SkipIds(m_vertices.size() + m_edges.size());
}

void ShapeCopy::RemoveLeavesOnce() {
    for (auto it = m_live.begin(); it != m_live.end(); ++it) {
        if (m_vertices[*it].adj.empty()) {
            m_live.erase(it);
            return;
        }
    }
    std::vector<char> leaf(m_vertices.size(), 0), dying(m_edges.size(), 0), touched(m_vertices.size(), 0);
    std::vector<int> leaves, others;
    for (int v : m_live)
        if (m_vertices[v].adj.size() == 1) {
            leaves.push_back(v);
            leaf[v] = 1;
        }
    for (int v : leaves) {
        const int e = m_vertices[v].adj.front();
        if (dying[e]) continue; // two leaves joined by one edge
        dying[e] = 1;
        const int w = Other(e, v);
        if (w != v && !leaf[w] && !touched[w]) {
            touched[w] = 1;
            others.push_back(w);
        }
    }
    for (int w : others) std::erase_if(m_vertices[w].adj, [&](int e) { return dying[e] != 0; });
    for (int v : leaves) m_vertices[v].adj.clear();
    std::erase_if(m_live, [&](int v) { return leaf[v] != 0; });
}
