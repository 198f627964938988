#pragma once
// Lanes of parallel edges for a whole graph at once.

#include <cstdint>
#include <span>
#include <utility>
#include <vector>

// The lane of every edge, given the keys of its two ends in the order the edges were made:
// the k-th edge between the same two ends (either way round) takes lane k, as making the
// edges one by one does. One sort, so that a high degree costs nothing.
std::vector<std::int32_t> ParallelLanes(std::span<const std::pair<std::uint64_t, std::uint64_t>> ends);
