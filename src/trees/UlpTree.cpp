#include "trees/UlpLayout.h"

UlpTree UlpTree::FromEdges(std::int32_t n, std::vector<std::pair<std::int32_t, std::int32_t>> edges,
                           std::vector<std::int32_t> tracks) {
    UlpTree t{n, std::move(edges), std::move(tracks), std::vector<std::vector<std::int32_t>>(std::max(n, 0))};
    for (std::int32_t e = 0; e < static_cast<std::int32_t>(t.edges.size()); ++e) {
        t.incidence[t.edges[e].first].push_back(e);
        t.incidence[t.edges[e].second].push_back(e);
    }
    return t;
}
