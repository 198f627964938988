#include "trees/FreeTreeEnumeration.h"

#include <algorithm>
#include <stdexcept>

namespace {

std::vector<std::vector<int>> Adjacency(int n, const std::vector<std::pair<int, int>>& edges) {
    std::vector<std::vector<int>> adj(n);
    for (const auto& [a, b] : edges) {
        adj[a].push_back(b);
        adj[b].push_back(a);
    }
    return adj;
}

} // namespace

FreeTreeEnumeration::FreeTreeEnumeration(int n) : m_n(n) {
    if (n < 1 || n > kMaxVertices) throw std::invalid_argument("tree size out of range");
}

bool FreeTreeEnumeration::NextRooted() {
    if (!m_started) {
        // The path hung from one end: the largest sequence of all.
        m_started = true;
        m_levels.resize(m_n);
        for (int i = 0; i < m_n; ++i) m_levels[i] = i;
        return true;
    }
    int p = m_n - 1;
    while (p > 0 && m_levels[p] <= 1) --p;
    if (p == 0) return false; // the star: the smallest sequence
    int q = p - 1;
    while (m_levels[q] != m_levels[p] - 1) --q;
    // The subtree ending at q is copied over and over to the end: the next smaller
    // canonical sequence.
    for (int i = p; i < m_n; ++i) m_levels[i] = m_levels[i - (p - q)];
    return true;
}

bool FreeTreeEnumeration::RootedAtCentre() const {
    const auto edges = Edges();
    const std::vector<int> centre = TreeCentre(m_n, edges);
    if (std::find(centre.begin(), centre.end(), 0) == centre.end()) return false;
    if (centre.size() == 1) return true;
    const int other = centre[0] == 0 ? centre[1] : centre[0];
    // The sequence at hand is canonical for root 0 by construction.
    return m_levels >= CanonicalLevelSequence(m_n, edges, other);
}

bool FreeTreeEnumeration::Next() {
    while (NextRooted())
        if (RootedAtCentre()) return true;
    return false;
}

std::vector<std::pair<int, int>> FreeTreeEnumeration::Edges() const {
    std::vector<std::pair<int, int>> edges;
    std::vector<int> lastOnLevel(m_n, 0);
    for (int v = 1; v < m_n; ++v) {
        edges.emplace_back(lastOnLevel[m_levels[v] - 1], v);
        lastOnLevel[m_levels[v]] = v;
    }
    return edges;
}

std::vector<int> CanonicalLevelSequence(int n, const std::vector<std::pair<int, int>>& edges, int root) {
    const auto adj = Adjacency(n, edges);
    // Breadth-first order from the root; subtrees are then built bottom-up.
    std::vector<int> order{root}, parent(n, -1), depth(n, 0);
    parent[root] = root;
    for (std::size_t i = 0; i < order.size(); ++i)
        for (int w : adj[order[i]])
            if (parent[w] < 0) {
                parent[w] = order[i];
                depth[w] = depth[order[i]] + 1;
                order.push_back(w);
            }
    std::vector<std::vector<int>> sequence(n);
    std::vector<std::vector<int>> children(n);
    for (std::size_t i = order.size(); i-- > 0;) {
        const int v = order[i];
        auto& kids = children[v];
        std::sort(kids.begin(), kids.end(), [&](int a, int b) { return sequence[a] > sequence[b]; });
        sequence[v] = {depth[v]};
        for (int c : kids) {
            sequence[v].insert(sequence[v].end(), sequence[c].begin(), sequence[c].end());
            std::vector<int>().swap(sequence[c]);
        }
        if (v != root) children[parent[v]].push_back(v);
    }
    return sequence[root];
}

std::vector<int> TreeCentre(int n, const std::vector<std::pair<int, int>>& edges) {
    if (n <= 2) {
        std::vector<int> all(n);
        for (int i = 0; i < n; ++i) all[i] = i;
        return all;
    }
    const auto adj = Adjacency(n, edges);
    std::vector<int> degree(n), layer;
    for (int v = 0; v < n; ++v) {
        degree[v] = static_cast<int>(adj[v].size());
        if (degree[v] <= 1) layer.push_back(v);
    }
    int left = n;
    // Strip the leaves layer by layer until one or two vertices remain.
    while (left > 2) {
        left -= static_cast<int>(layer.size());
        std::vector<int> next;
        for (int v : layer)
            for (int w : adj[v])
                if (--degree[w] == 1) next.push_back(w);
        layer = std::move(next);
    }
    std::sort(layer.begin(), layer.end());
    return layer;
}
