#pragma once
// Prüfer sequences: n - 2 entries in 0 .. n - 1 stand for one labeled tree on n vertices.

#include <cstdint>
#include <span>
#include <utility>
#include <vector>

class LcgRandom;

using TreeEdge = std::pair<std::int32_t, std::int32_t>;

//! Draws the n - 2 entries of a uniformly random Prüfer sequence.
void DrawPruferSequence(LcgRandom& random, std::int32_t n, std::vector<std::int32_t>& sequence);

//! The n - 1 edges of the tree of a Prüfer sequence, in the order the tree is built: for
//! each entry s, the edge (s, smallest leaf), then the edge between the last two leaves
//! (smaller first). `degree` is scratch space.
void DecodePrufer(std::span<const std::int32_t> sequence, std::int32_t n, std::vector<TreeEdge>& edges,
                  std::vector<std::int32_t>& degree);
