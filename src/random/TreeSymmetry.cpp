#include "random/TreeSymmetry.h"

#include <algorithm>

#include "random/TreeCounts.h"

namespace {

bool MultiplyExact(std::uint64_t& value, std::uint64_t factor) {
    return !__builtin_mul_overflow(value, factor, &value);
}

} // namespace

TreeSymmetry::Result TreeSymmetry::Analyse(std::int32_t n, const std::vector<Edge>& edges) {
    Result result;
    if (n <= 0) return result;
    m_degree.assign(std::size_t(n), 0);
    for (const Edge& e : edges) {
        ++m_degree[e.first];
        ++m_degree[e.second];
    }
    m_adjStart.assign(std::size_t(n) + 1, 0);
    for (std::int32_t v = 0; v < n; ++v) m_adjStart[v + 1] = m_adjStart[v] + m_degree[v];
    m_adj.resize(m_adjStart[n]);
    // m_firstChild serves as the fill cursor here; it is rebuilt below.
    m_firstChild.assign(m_adjStart.begin(), m_adjStart.end() - 1);
    for (const Edge& e : edges) {
        m_adj[m_firstChild[e.first]++] = e.second;
        m_adj[m_firstChild[e.second]++] = e.first;
    }
    FindCentre(n);
    OrderFromCentre(n);
    ClassifyLevels(result);
    return result;
}

void TreeSymmetry::FindCentre(std::int32_t n) {
    // Peel the leaves layer by layer; the last one or two vertices are the centre.
    m_centre[0] = 0;
    m_centre[1] = -1;
    if (n <= 2) {
        if (n == 2) m_centre[1] = 1;
        return;
    }
    std::vector<std::int32_t>& degree = m_degree; // consumed
    m_leaves.clear();
    for (std::int32_t v = 0; v < n; ++v)
        if (degree[v] <= 1) m_leaves.push_back(v);
    std::int32_t remaining = n;
    while (remaining > 2) {
        remaining -= std::int32_t(m_leaves.size());
        m_nextLeaves.clear();
        for (const std::int32_t leaf : m_leaves) {
            degree[leaf] = 0;
            for (std::int32_t k = m_adjStart[leaf]; k < m_adjStart[leaf + 1]; ++k) {
                const std::int32_t w = m_adj[k];
                if (degree[w] > 0 && --degree[w] == 1) m_nextLeaves.push_back(w);
            }
        }
        m_leaves.swap(m_nextLeaves);
    }
    m_centre[0] = m_leaves[0];
    m_centre[1] = m_leaves.size() > 1 ? m_leaves[1] : -1;
}

void TreeSymmetry::OrderFromCentre(std::int32_t n) {
    const bool twoCentres = m_centre[1] >= 0;
    const std::size_t positions = std::size_t(n) + (twoCentres ? 1 : 0);
    m_order.clear();
    m_depthOf.assign(positions, 0);
    m_firstChild.assign(positions, 0);
    m_childCount.assign(positions, 0);
    m_levelStart.clear();
    // m_degree now holds the parent of each vertex (+1, 0 for none).
    std::vector<std::int32_t>& parent = m_degree;
    parent.assign(std::size_t(n), 0);

    if (twoCentres) {
        m_order.push_back(-1); // the virtual root on the middle edge
        m_order.push_back(m_centre[0]);
        m_order.push_back(m_centre[1]);
        m_firstChild[0] = 1;
        m_childCount[0] = 2;
        m_depthOf[1] = m_depthOf[2] = 1;
        // Each centre counts the other as its parent, so neither walks into the other half.
        parent[m_centre[0]] = m_centre[1] + 1;
        parent[m_centre[1]] = m_centre[0] + 1;
    } else {
        m_order.push_back(m_centre[0]);
    }
    for (std::size_t pos = twoCentres ? 1 : 0; pos < m_order.size(); ++pos) {
        const std::int32_t v = m_order[pos];
        m_firstChild[pos] = std::int32_t(m_order.size());
        for (std::int32_t k = m_adjStart[v]; k < m_adjStart[v + 1]; ++k) {
            const std::int32_t w = m_adj[k];
            if (parent[v] == w + 1) continue;
            parent[w] = v + 1;
            m_depthOf[m_order.size()] = m_depthOf[pos] + 1;
            m_order.push_back(w);
        }
        m_childCount[pos] = std::int32_t(m_order.size()) - m_firstChild[pos];
    }
    for (std::size_t pos = 0; pos < m_order.size(); ++pos)
        if (pos == 0 || m_depthOf[pos] != m_depthOf[pos - 1]) m_levelStart.push_back(std::int32_t(pos));
    m_levelStart.push_back(std::int32_t(m_order.size()));
}

void TreeSymmetry::ClassifyLevels(Result& result) {
    const std::size_t positions = m_order.size();
    m_class.assign(positions, 0);
    m_classLog2Aut.assign(positions, 0.0);
    m_classAut.assign(positions, 1);
    m_classOrbits.assign(positions, 0);
    std::vector<double>& log2Aut = m_log2Aut;
    std::vector<std::uint64_t>& aut = m_aut;
    std::vector<std::int32_t>& orbits = m_orbits;
    log2Aut.assign(positions, 0.0);
    aut.assign(positions, 1);
    orbits.assign(positions, 0);
    m_exact = true;

    for (std::size_t level = m_levelStart.size() - 1; level-- > 0;) {
        const std::int32_t begin = m_levelStart[level], end = m_levelStart[level + 1];
        const std::int32_t childLevel = end; // the classes of the children live from here
        for (std::int32_t pos = begin; pos < end; ++pos) {
            const std::int32_t c0 = m_firstChild[pos], c1 = c0 + m_childCount[pos];
            // The key of a vertex is the sorted list of its children's classes.
            std::sort(m_class.begin() + c0, m_class.begin() + c1);
            double l2 = 0.0;
            std::uint64_t a = 1;
            std::int32_t orb = 1;
            for (std::int32_t k = c0; k < c1;) {
                std::int32_t run = k;
                while (run < c1 && m_class[run] == m_class[k]) ++run;
                const std::int32_t m = run - k;
                const std::int32_t info = childLevel + m_class[k];
                l2 += double(m) * m_classLog2Aut[info] + treecount::Log2Factorial(m);
                for (std::int32_t i = 0; i < m; ++i) m_exact = m_exact && MultiplyExact(a, m_classAut[info]);
                for (std::int32_t i = 2; i <= m; ++i) m_exact = m_exact && MultiplyExact(a, std::uint64_t(i));
                orb += m_classOrbits[info];
                k = run;
            }
            log2Aut[pos] = l2;
            aut[pos] = a;
            orbits[pos] = orb;
        }
        // Number the classes of this level: sort its positions by key.
        m_sorted.resize(std::size_t(end - begin));
        for (std::int32_t pos = begin; pos < end; ++pos) m_sorted[pos - begin] = pos;
        auto keyLess = [&](std::int32_t x, std::int32_t y) {
            const auto xb = m_class.begin() + m_firstChild[x], xe = xb + m_childCount[x];
            const auto yb = m_class.begin() + m_firstChild[y], ye = yb + m_childCount[y];
            if (m_childCount[x] != m_childCount[y]) return m_childCount[x] < m_childCount[y];
            return std::lexicographical_compare(xb, xe, yb, ye);
        };
        std::sort(m_sorted.begin(), m_sorted.end(), keyLess);
        std::int32_t id = -1;
        for (std::size_t i = 0; i < m_sorted.size(); ++i) {
            const std::int32_t pos = m_sorted[i];
            if (i == 0 || keyLess(m_sorted[i - 1], pos)) {
                ++id;
                m_classLog2Aut[begin + id] = log2Aut[pos];
                m_classAut[begin + id] = aut[pos];
                m_classOrbits[begin + id] = orbits[pos];
            }
            m_class[pos] = id;
        }
    }

    const bool virtualRoot = m_order[0] < 0;
    result.log2Automorphisms = log2Aut[0];
    result.automorphisms = aut[0];
    result.automorphismsExact = m_exact;
    result.orbits = orbits[0] - (virtualRoot ? 1 : 0);
}
