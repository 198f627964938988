#include "graph/ComponentLabels.h"

#include <algorithm>

#include "graph/DisjointSets.h"

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
    DisjointSets sets(n);
    for (const auto& [a, b] : pairs) sets.Join(a, b);
    // Numbered by first vertex: the root's label is handed out when its set is first met.
    std::vector<std::int32_t> rootLabel(std::size_t(n), -1);
    std::vector<std::int32_t> label(static_cast<std::size_t>(n));
    count = 0;
    for (std::int32_t v = 0; v < n; ++v) {
        std::int32_t& root = rootLabel[std::size_t(sets.Find(v))];
        if (root < 0) root = count++;
        label[std::size_t(v)] = root;
    }
    return label;
}
