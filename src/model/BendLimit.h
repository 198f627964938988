#pragma once
// Bends that route edges over the tracks between their ends. Track numbers are any 32-bit
// values, so one edge between far tracks could ask for billions of bend vertices; a
// command refuses such work rather than exhaust memory.

#include <cstdint>

// Bend vertices one command may insert at most.
inline constexpr std::int64_t kMaxInsertedBends = 1'000'000;
// Dummy vertices the level commands may insert at most: as many as bends. Each becomes a
// document vertex with two edges; what the level test makes of them is bounded separately,
// by the pairs of vertices on a common track.
inline constexpr std::int64_t kMaxDummyVertices = kMaxInsertedBends;

// Bends an edge between tracks a and b needs: one on every track strictly between them.
inline std::int64_t BendsBetweenTracks(std::int32_t a, std::int32_t b) {
    const std::int64_t span = a < b ? std::int64_t(b) - a : std::int64_t(a) - b;
    return span > 1 ? span - 1 : 0;
}
