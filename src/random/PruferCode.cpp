#include "random/PruferCode.h"

#include "random/LcgRandom.h"

void DrawPruferSequence(LcgRandom& random, std::int32_t n, std::vector<std::int32_t>& sequence) {
    // Unbiased entries: with rand mod n the small labels would be favoured whenever n does
    // not divide 32768, and at large n that skews the trees by orders of magnitude.
    sequence.resize(n > 2 ? std::size_t(n - 2) : 0);
    for (std::int32_t& entry : sequence) entry = std::int32_t(random.UniformBelow(std::uint32_t(n)));
}

void DecodePrufer(std::span<const std::int32_t> sequence, std::int32_t n, std::vector<TreeEdge>& edges,
                  std::vector<std::int32_t>& degree) {
    edges.clear();
    if (n < 2) return;
    degree.assign(std::size_t(n), 1);
    for (const std::int32_t v : sequence) ++degree[v];

    // `scan` only moves forward: a vertex that becomes a leaf below it is taken at once,
    // since it is then the smallest leaf.
    std::int32_t scan = 0;
    while (degree[scan] != 1) ++scan;
    std::int32_t leaf = scan;
    for (const std::int32_t v : sequence) {
        edges.emplace_back(v, leaf);
        --degree[leaf];
        if (--degree[v] == 1 && v < scan) {
            leaf = v;
        } else {
            ++scan;
            while (degree[scan] != 1) ++scan;
            leaf = scan;
        }
    }
    std::int32_t u = -1, w = -1;
    for (std::int32_t v = 0; v < n; ++v) {
        if (degree[v] != 1) continue;
        if (u < 0)
            u = v;
        else
            w = v;
    }
    edges.emplace_back(u, w);
}
