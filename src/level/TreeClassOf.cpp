#include "level/TreeClassOf.h"

#include <algorithm>
#include <stdexcept>
#include <unordered_set>

#include "graph/ComponentLabels.h"
#include "trees/TreeShapes.h"

namespace {

// No two edges join the same pair; a loop alone does not count, as in the mode.
bool NoRepeatedPair(const LightGraph& g) {
    std::vector<std::pair<std::int32_t, std::int32_t>> pairs;
    pairs.reserve(g.edges.size());
    for (const auto& [a, b] : g.edges) pairs.push_back(std::minmax(a, b));
    std::sort(pairs.begin(), pairs.end());
    return std::adjacent_find(pairs.begin(), pairs.end()) == pairs.end();
}

} // namespace

std::vector<TreeClass> ClassifyComponents(const LightGraph& g, std::span<const std::int32_t> tracks) {
    if (!g.Valid() || (!tracks.empty() && tracks.size() != static_cast<std::size_t>(g.vertexCount)))
        throw std::invalid_argument("ClassifyComponents: every vertex needs a track");
    std::vector<TreeClass> classes;
    if (!NoRepeatedPair(g)) return classes;

    const std::vector<std::int32_t> label = ComponentLabels(g);
    const std::int32_t count = label.empty() ? 0 : *std::max_element(label.begin(), label.end()) + 1;
    // Each component with its own vertex numbers, in vertex order.
    std::vector<std::int32_t> local(g.vertexCount);
    std::vector<TreeAdjacency> adj(count);
    std::vector<std::vector<std::int32_t>> members(count);
    std::vector<std::int64_t> edgeCount(count, 0);
    for (std::int32_t v = 0; v < g.vertexCount; ++v) {
        local[v] = static_cast<std::int32_t>(members[label[v]].size());
        members[label[v]].push_back(v);
        adj[label[v]].emplace_back();
    }
    for (const auto& [a, b] : g.edges) {
        ++edgeCount[label[a]];
        adj[label[a]][local[a]].push_back(local[b]);
        if (a != b) adj[label[a]][local[b]].push_back(local[a]);
    }
    for (std::int32_t k = 0; k < count; ++k) {
        TreeClass c = TreeClass::OtherTree;
        std::unordered_set<std::int32_t> seen;
        bool shared = false;
        for (std::int32_t v : members[k]) shared = shared || !seen.insert(tracks.empty() ? v : tracks[v]).second;
        if (edgeCount[k] + 1 != static_cast<std::int64_t>(members[k].size())) c = TreeClass::NotATree;
        else if (shared) c = IsCaterpillarShape(adj[k]) ? TreeClass::Caterpillar : TreeClass::OtherTree;
        else if (IsCaterpillarShape(adj[k])) c = TreeClass::Caterpillar;
        else if (IsRadius2StarShape(adj[k])) c = TreeClass::Radius2Star;
        else if (Is3SpiderShape(adj[k])) c = TreeClass::Spider3;
        classes.push_back(c);
    }
    return classes;
}

UlpTreeClass ClassifyTree(int n, const std::vector<std::pair<int, int>>& edges) {
    LightGraph g;
    g.vertexCount = n;
    for (const auto& [a, b] : edges) g.edges.emplace_back(a, b);
    const std::vector<TreeClass> classes = ClassifyComponents(g);
    if (classes.size() != 1) return UlpTreeClass::None;
    switch (classes.front()) {
    case TreeClass::Caterpillar: return UlpTreeClass::Caterpillar;
    case TreeClass::Radius2Star: return UlpTreeClass::Radius2Star;
    case TreeClass::Spider3: return UlpTreeClass::Spider3;
    default: return UlpTreeClass::None;
    }
}

std::string_view UlpTreeClassName(UlpTreeClass c) {
    switch (c) {
    case UlpTreeClass::Caterpillar: return "caterpillar";
    case UlpTreeClass::Radius2Star: return "radius-2 star";
    case UlpTreeClass::Spider3: return "3-spider";
    case UlpTreeClass::None: break;
    }
    return "none";
}
