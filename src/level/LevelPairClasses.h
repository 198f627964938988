#pragma once
// The steps every exact level planarity method shares: the classes into which the crossing
// equations tie the same-level pairs, and the rejection that needs no pairs at all.

#include <cstdint>
#include <vector>

#include "level/LevelGraph.h"
#include "level/LevelPairs.h"
#include "model/ReleaseStorage.h"

// Union-find over pairs, each link carrying the parity between a pair and its parent in the
// top bit. Its array becomes the classes' array in place, so finding the classes needs five
// bytes a pair (four and a rank) and two bits.
class ParityUnionFind {
public:
    explicit ParityUnionFind(std::size_t n);
    // The root of x and x's parity relative to it.
    std::uint32_t Find(std::uint32_t x, std::uint8_t& parity);
    // Requires value(a) xor value(b) == parity; false on a contradiction.
    bool Join(std::uint32_t a, std::uint32_t b, std::uint8_t parity);
    // The same, made when the buffer fills or at Flush: the pairs' entries lie far apart in
    // a large array, and fetching a batch of them ahead saves most of the waiting for
    // memory. False once some join has met a contradiction.
    bool JoinSoon(std::uint32_t a, std::uint32_t b, std::uint8_t parity) {
        __builtin_prefetch(&m_link[a]);
        __builtin_prefetch(&m_link[b]);
        m_pending[m_pendingCount++] = {a, b | (std::uint32_t(parity) << 31)};
        return m_pendingCount < kBatch || Flush();
    }
    bool Flush();
    // Numbers the classes in the order `forEachPair(visit)` first meets them, with parities
    // relative to the first pair met of each class; the visits must cover every pair once.
    template <typename ForEachPair>
    PairClasses TakeClasses(ForEachPair forEachPair) {
        PrepareNumbering();
        ReleaseStorage(m_rank);
        PairClasses classes;
        // Pairs come in runs of neighbouring indices, their roots from anywhere: the roots are
        // fetched a batch ahead.
        std::uint32_t batch[kBatch];
        int filled = 0;
        auto numberBatch = [&] {
            for (int k = 0; k < filled; ++k) Number(batch[k], classes.count);
            filled = 0;
        };
        forEachPair([&](std::uint32_t p) {
            __builtin_prefetch(&m_link[Parent(p)]);
            batch[filled++] = p;
            if (filled == kBatch) numberBatch();
        });
        numberBatch();
        classes.packed = std::move(m_link);
        ReleaseStorage(m_root);
        ReleaseStorage(m_numbered);
        return classes;
    }

private:
    std::uint32_t Parent(std::uint32_t x) const { return m_link[x] & 0x7FFFFFFFu; }
    void PrepareNumbering();
    void Number(std::uint32_t p, std::int32_t& count);
    static constexpr int kBatch = 32;
    std::vector<std::uint32_t> m_link;
    std::vector<std::uint8_t> m_rank; // while joining
    std::vector<bool> m_root, m_numbered;
    std::pair<std::uint32_t, std::uint32_t> m_pending[kBatch];
    int m_pendingCount = 0;
};

// The classes of the order constraints, or false when they contradict each other (which
// proves the graph not level planar). Classes are numbered in pair index order.
bool FindPairClasses(const LevelGraph& g, const LevelPairs& pairs, PairClasses& classes);

// False when the edges between two adjacent levels contain a cycle. Two levels drawn
// without crossings only hold forests (a cycle between them always crosses itself, a K2,2
// being the smallest), so such a graph is not level planar; and with every gap a forest the
// independent edge pairs of a gap are at most a small multiple of the gap's vertex pairs.
bool GapsAreForests(const LevelGraph& g);

// Whether the graph is level planar, decided without any search: no gap holds a cycle and
// the crossing equations of independent edges do not contradict each other. Equations that
// can be met are enough for orders that are also transitive (Randerath, Speckenmeyer,
// Boros, Hammer, Kogan, Makino, Simeone and Cepek, "A satisfiability formulation of
// problems on level graphs"; shown equivalent to the strong Hanani-Tutte theorem for level
// planarity of Fulek, Pelsmajer, Schaefer and Stefankovic by Brueckner, Rutter and Stumpf,
// "Level planarity: transitivity vs. even crossings", which makes it a theorem). Near
// linear in the equations, and with every gap a forest those are at most a small multiple
// of the pairs of each level.
bool LevelPlanarByEquations(const LevelGraph& g);
