#include <gtest/gtest.h>

#include <map>
#include <random>

#include "io/ParallelLanes.h"

namespace {

// Making the edges one by one: the lane is the number of edges made before between the pair.
std::vector<std::int32_t> LanesOneByOne(const std::vector<std::pair<std::uint32_t, std::uint32_t>>& ends) {
    std::map<std::pair<std::uint32_t, std::uint32_t>, std::int32_t> made;
    std::vector<std::int32_t> lanes;
    for (const auto& [a, b] : ends) lanes.push_back(made[std::minmax(a, b)]++);
    return lanes;
}

} // namespace

TEST(ParallelLanes, AgreesWithMakingTheEdgesOneByOne) {
    std::mt19937 rng(16);
    for (int round = 0; round < 300; ++round) {
        // Few vertices make many parallel edges, either way round, and self-loops.
        const std::uint32_t n = 1 + rng() % 12;
        std::vector<std::pair<std::uint32_t, std::uint32_t>> ends(rng() % 60);
        for (auto& [a, b] : ends) {
            a = rng() % n;
            b = rng() % n;
        }
        ASSERT_EQ(ParallelLanes(ends, n), LanesOneByOne(ends)) << "round " << round;
    }
}

TEST(ParallelLanes, RefusesAnEndBeyondTheVertices) {
    const std::vector<std::pair<std::uint32_t, std::uint32_t>> ends{{0, 1}, {1, 2}};
    EXPECT_THROW(ParallelLanes(ends, 2), std::out_of_range);
    EXPECT_TRUE(ParallelLanes({}, 0).empty());
}
