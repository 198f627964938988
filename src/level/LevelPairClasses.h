#pragma once
// The steps every exact level planarity method shares: the classes into which the crossing
// equations tie the same-level pairs, and the rejection that needs no pairs at all.

#include <cstdint>
#include <vector>

#include "level/LevelGraph.h"
#include "level/LevelPairs.h"

// Union-find over pairs, each link carrying the parity between a pair and its parent in the
// top bit. Its array becomes the classes' array in place, so finding the classes needs four
// bytes a pair and two bits.
class ParityUnionFind {
public:
    explicit ParityUnionFind(std::size_t n);
    // The root of x and x's parity relative to it.
    std::uint32_t Find(std::uint32_t x, std::uint8_t& parity);
    // Requires value(a) xor value(b) == parity; false on a contradiction.
    bool Join(std::uint32_t a, std::uint32_t b, std::uint8_t parity);
    // Numbers the classes in the order `forEachPair(visit)` first meets them, with parities
    // relative to the first pair met of each class; the visits must cover every pair once.
    template <typename ForEachPair>
    PairClasses TakeClasses(ForEachPair forEachPair) {
        PrepareNumbering();
        PairClasses classes;
        forEachPair([&](std::uint32_t p) { Number(p, classes.count); });
        classes.packed = std::move(m_link);
        m_root = {};
        m_numbered = {};
        return classes;
    }

private:
    std::uint32_t Parent(std::uint32_t x) const { return m_link[x] & 0x7FFFFFFFu; }
    void PrepareNumbering();
    void Number(std::uint32_t p, std::int32_t& count);
    std::vector<std::uint32_t> m_link;
    std::vector<bool> m_root, m_numbered;
};

// The classes of the order constraints, or false when they contradict each other (which
// proves the graph not level planar). Classes are numbered in pair index order.
bool FindPairClasses(const LevelGraph& g, const LevelPairs& pairs, PairClasses& classes);

// False when the edges between two adjacent levels contain a cycle. Two levels drawn
// without crossings only hold forests (a cycle between them always crosses itself, a K2,2
// being the smallest), so such a graph is not level planar; and with every gap a forest the
// independent edge pairs of a gap are at most a small multiple of the gap's vertex pairs.
bool GapsAreForests(const LevelGraph& g);
