#pragma once
// Lanes of parallel edges for a whole graph at once.

#include <cstddef>
#include <cstdint>
#include <span>
#include <utility>
#include <vector>

// The lane of every edge, given the ordinals (below `vertexCount`) of its two ends in the
// order the edges were made: the k-th edge between the same two ends (either way round)
// takes lane k, as making the edges one by one does. Linear time, so that neither a high
// degree nor millions of edges cost a sort.
std::vector<std::int32_t> ParallelLanes(std::span<const std::pair<std::uint32_t, std::uint32_t>> ends,
                                        std::size_t vertexCount);
