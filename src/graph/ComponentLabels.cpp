#include "graph/ComponentLabels.h"

#include <algorithm>

std::vector<std::int32_t> ComponentLabels(const LightGraph& g) {
    const std::int32_t n = g.vertexCount;
    // Adjacency in compressed rows, so that a graph of millions of edges costs two arrays.
    std::vector<std::int32_t> start(n + 1, 0), next;
    for (const auto& [a, b] : g.edges) {
        ++start[a + 1];
        ++start[b + 1];
    }
    for (std::int32_t v = 0; v < n; ++v) start[v + 1] += start[v];
    next.resize(start[n]);
    std::vector<std::int32_t> fill(start.begin(), start.end() - 1);
    for (const auto& [a, b] : g.edges) {
        next[fill[a]++] = b;
        next[fill[b]++] = a;
    }

    std::vector<std::int32_t> label(n, -1), stack;
    std::int32_t counter = 0;
    for (std::int32_t s = 0; s < n; ++s) {
        if (label[s] != -1) continue;
        label[s] = counter;
        stack.push_back(s);
        while (!stack.empty()) {
            const std::int32_t v = stack.back();
            stack.pop_back();
            for (std::int32_t i = start[v]; i < start[v + 1]; ++i)
                if (label[next[i]] == -1) {
                    label[next[i]] = counter;
                    stack.push_back(next[i]);
                }
        }
        ++counter;
    }
    return label;
}

std::vector<std::int32_t> ComponentLabels(std::int32_t n, std::span<const std::pair<std::int32_t, std::int32_t>> pairs,
                                          std::int32_t& count) {
    // Union-find that hangs the later root under the earlier one: the edges of a document
    // mostly join vertices made close together, and the trees stay flat.
    std::vector<std::int32_t> parent(static_cast<std::size_t>(n));
    for (std::int32_t v = 0; v < n; ++v) parent[std::size_t(v)] = v;
    auto find = [&](std::int32_t v) {
        while (parent[std::size_t(v)] != v) v = parent[std::size_t(v)] = parent[std::size_t(parent[std::size_t(v)])];
        return v;
    };
    for (const auto& [a, b] : pairs) {
        const std::int32_t ra = find(a), rb = find(b);
        if (ra < rb) parent[std::size_t(rb)] = ra;
        else if (rb < ra) parent[std::size_t(ra)] = rb;
    }
    // Every root is the smallest vertex of its set, so the sets are met in the order of
    // their first vertex: a root takes the next label, any other vertex its root's.
    std::vector<std::int32_t> label(static_cast<std::size_t>(n));
    count = 0;
    for (std::int32_t v = 0; v < n; ++v) {
        const std::int32_t r = find(v);
        label[std::size_t(v)] = r == v ? count++ : label[std::size_t(r)];
    }
    return label;
}
