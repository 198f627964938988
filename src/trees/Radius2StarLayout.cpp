// The radius-2 star layout: the centre in column k, the legs that climb to higher tracks
// (and the plain leaves) to its left, the others to its right. A leg's outer edge runs one
// column per track, so the outer edges on a side are parallel and never meet.

#include <algorithm>

#include "trees/UlpLayout.h"

namespace {

// The edge from a leg's middle vertex w to its other neighbour (not the centre); -1 when none.
std::int32_t OuterEdge(const UlpTree& t, std::int32_t w, std::int32_t centre) {
    for (std::int32_t e : t.incidence[w])
        if (t.Other(e, w) != centre) return e;
    return -1;
}

} // namespace

UlpLayout Radius2StarLayoutOf(const UlpTree& t) {
    UlpLayout out;
    std::int32_t centre = -1;
    for (std::int32_t v = 0; v < t.vertexCount && centre < 0; ++v)
        if (t.Degree(v) > 2) centre = v;
    if (centre < 0) return out;

    // Enough columns left of the centre for the longest climbing leg.
    std::int64_t k = 1;
    for (std::int32_t e : t.incidence[centre]) {
        const std::int32_t w = t.Other(e, centre);
        if (t.Degree(w) != 2) continue;
        const std::int32_t outer = OuterEdge(t, w, centre);
        if (outer < 0) continue;
        const std::int32_t z = t.Other(outer, w);
        if (t.tracks[z] > t.tracks[w]) k = std::max<std::int64_t>(k, std::int64_t(t.tracks[z]) - t.tracks[w] + 1);
    }

    out.drawn = true;
    out.steps.push_back({centre, k, -1});
    for (std::int32_t e : t.incidence[centre]) {
        const std::int32_t w = t.Other(e, centre);
        const std::int32_t outer = t.Degree(w) >= 2 ? OuterEdge(t, w, centre) : -1;
        if (outer < 0) {
            out.steps.push_back({w, k - 1, e});
            continue;
        }
        const std::int32_t z = t.Other(outer, w);
        const std::int64_t tw = t.tracks[w], tz = t.tracks[z];
        if (tz <= tw) {
            out.steps.push_back({w, k + 1, e});
            out.steps.push_back({z, k + 1 + (tw - tz), outer});
        } else {
            out.steps.push_back({w, k - 1, e});
            out.steps.push_back({z, k - 1 - (tz - tw), outer});
        }
    }
    return out;
}
