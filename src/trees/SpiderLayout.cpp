// The 3-spider layout: the plan of SpiderPlan.h turned into placements of the tree's
// vertices. Legs are followed from the centre outward in the centre's adjacency order.

#include "trees/SpiderPlan.h"
#include "trees/UlpLayout.h"

namespace {

struct Leg {
    std::vector<std::int32_t> vertices; // from the centre outward
    std::vector<std::int32_t> edges;    // edges[i] reaches vertices[i]
};

// Follows a leg from the centre's edge outward until a vertex without a single way on.
Leg FollowLeg(const UlpTree& t, std::int32_t centre, std::int32_t first) {
    Leg leg;
    std::int32_t previous = centre, edge = first;
    while (edge >= 0) {
        const std::int32_t v = t.Other(edge, previous);
        if (v == centre) break;
        leg.vertices.push_back(v);
        leg.edges.push_back(edge);
        if (t.Degree(v) != 2) break;
        const auto& at = t.incidence[v];
        const std::int32_t onward = at[0] == edge ? at[1] : at[0];
        previous = v;
        edge = onward;
    }
    return leg;
}

} // namespace

UlpLayout SpiderLayoutOf(const UlpTree& t) {
    UlpLayout out;
    std::int32_t centre = -1;
    for (std::int32_t v = 0; v < t.vertexCount && centre < 0; ++v)
        if (t.Degree(v) == 3) centre = v;
    if (centre < 0) return out;

    std::array<Leg, 3> legs;
    SpiderLegTracks tracks;
    for (int i = 0; i < 3; ++i) {
        legs[i] = FollowLeg(t, centre, t.incidence[centre][i]);
        for (std::int32_t v : legs[i].vertices) tracks[i].push_back(t.tracks[v]);
    }
    const SpiderPlan plan = PlanSpider(t.tracks[centre], tracks);
    if (plan.steps.empty()) return out;

    out.drawn = true;
    out.leftmost = plan.leftmost;
    out.steps.reserve(plan.steps.size() + 1);
    out.steps.push_back({centre, 0, -1});
    for (const SpiderStep& step : plan.steps) {
        const Leg& leg = legs[step.leg];
        out.steps.push_back({leg.vertices[step.index], step.column, leg.edges[step.index]});
    }
    return out;
}
