#pragma once
// The pairs of vertices that share a level, numbered level by level: pair (r1, r2), r1 < r2
// ranks on level L, has index Base(L) + its place in the triangle of L's pairs.

#include <cstdint>
#include <vector>

#include "level/LevelGraph.h"

class LevelPairs {
public:
    explicit LevelPairs(const LevelGraph& g) {
        m_base.assign(g.LevelCount() + 1, 0);
        m_width.assign(g.LevelCount(), 0);
        for (int l = 0; l < g.LevelCount(); ++l) {
            const std::int64_t w = static_cast<std::int64_t>(g.Level(l).size());
            m_width[l] = w;
            m_base[l + 1] = m_base[l] + w * (w - 1) / 2;
        }
    }
    std::int64_t Count() const { return m_base.back(); }
    // Ranks r1 != r2 in either order.
    std::int64_t Index(int level, std::int64_t r1, std::int64_t r2) const {
        if (r1 > r2) std::swap(r1, r2);
        return m_base[level] + r1 * (2 * m_width[level] - r1 - 1) / 2 + (r2 - r1 - 1);
    }

private:
    std::vector<std::int64_t> m_base, m_width;
};

// The classes into which the order constraints tie the pairs: pairs of one class all keep
// or all swap together; parity 1 marks the pairs that do the opposite of the class's first.
// Four bytes a pair, the class in the low 31 bits and the parity in the top one: the pairs
// grow with the square of the levels' widths, and this array is all that is kept of them.
struct PairClasses {
    std::vector<std::uint32_t> packed; // by pair index
    std::int32_t count = 0;

    std::int32_t ClassOf(std::int64_t p) const { return static_cast<std::int32_t>(packed[p] & 0x7FFFFFFFu); }
    std::uint8_t ParityOf(std::int64_t p) const { return static_cast<std::uint8_t>(packed[p] >> 31); }
};
