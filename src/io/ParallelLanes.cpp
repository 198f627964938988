#include "io/ParallelLanes.h"

#include <algorithm>
#include <stdexcept>

std::vector<std::int32_t> ParallelLanes(std::span<const std::pair<std::uint32_t, std::uint32_t>> ends,
                                        std::size_t vertexCount) {
    // The edges bucketed by their smaller end, keeping their order within a bucket; within
    // one bucket the larger ends then number their edges with a counter each, reset by a
    // marker that says which bucket last used it.
    std::vector<std::uint32_t> bucketEnd(vertexCount + 1, 0);
    for (const auto& [a, b] : ends) {
        if (a >= vertexCount || b >= vertexCount) throw std::out_of_range("ParallelLanes: an end beyond the vertices");
        ++bucketEnd[std::min(a, b) + 1];
    }
    for (std::size_t v = 1; v <= vertexCount; ++v) bucketEnd[v] += bucketEnd[v - 1];
    std::vector<std::uint32_t> order(ends.size());
    for (std::size_t i = 0; i < ends.size(); ++i) order[bucketEnd[std::min(ends[i].first, ends[i].second)]++] = std::uint32_t(i);
    // bucketEnd[v] now ends bucket v (and begins bucket v + 1).

    std::vector<std::int32_t> lanes(ends.size(), 0);
    std::vector<std::uint32_t> markedBy(vertexCount, 0); // smaller end + 1 of the last edge counted
    std::vector<std::int32_t> made(vertexCount, 0);
    std::size_t k = 0;
    for (std::uint32_t a = 0; a < vertexCount; ++a) {
        for (; k < bucketEnd[a]; ++k) {
            const std::uint32_t i = order[k];
            const std::uint32_t b = std::max(ends[i].first, ends[i].second);
            if (markedBy[b] != a + 1) {
                markedBy[b] = a + 1;
                made[b] = 0;
            }
            lanes[i] = made[b]++;
        }
    }
    return lanes;
}
