#pragma once
// Union-find over 0..n-1 with path halving.

#include <cstdint>
#include <numeric>
#include <vector>

class DisjointSets {
public:
    explicit DisjointSets(std::int32_t n) : m_parent(n) { std::iota(m_parent.begin(), m_parent.end(), 0); }
    std::int32_t Find(std::int32_t v) {
        while (m_parent[v] != v) v = m_parent[v] = m_parent[m_parent[v]];
        return v;
    }
    // Joins the sets of a and b; false when they were one set already.
    bool Join(std::int32_t a, std::int32_t b) {
        const std::int32_t ra = Find(a), rb = Find(b);
        if (ra == rb) return false;
        m_parent[ra] = rb;
        return true;
    }

private:
    std::vector<std::int32_t> m_parent;
};
