#include "graph/LightGraph.h"

#include <algorithm>

bool LightGraph::Valid() const {
    return vertexCount >= 0 && std::all_of(edges.begin(), edges.end(), [&](const auto& e) {
        return e.first >= 0 && e.first < vertexCount && e.second >= 0 && e.second < vertexCount;
    });
}

bool LightGraph::Simple() const {
    std::vector<std::pair<std::int32_t, std::int32_t>> pairs;
    pairs.reserve(edges.size());
    for (const auto& [a, b] : edges) {
        if (a == b) return false;
        pairs.push_back(std::minmax(a, b));
    }
    std::sort(pairs.begin(), pairs.end());
    return std::adjacent_find(pairs.begin(), pairs.end()) == pairs.end();
}
