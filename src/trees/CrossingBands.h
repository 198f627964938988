#pragma once
// Pairs within one band of the crossing count: edges of one colour between the same two
// heights, or along one height, each edge with both ends at vertices.

#include <cstdint>
#include <vector>

namespace crossings {

// Fenwick tree of counts over ranks 0..n-1.
class RankCounts {
public:
    void Reset(std::size_t n) { m_tree.assign(n + 1, 0); }
    void Add(std::size_t rank) {
        for (++rank; rank < m_tree.size(); rank += rank & (~rank + 1)) ++m_tree[rank];
    }
    // How many added ranks are below `rank`.
    std::int64_t Below(std::size_t rank) const {
        std::int64_t sum = 0;
        for (; rank > 0; rank -= rank & (~rank + 1)) sum += m_tree[rank];
        return sum;
    }

private:
    std::vector<std::uint32_t> m_tree;
};

inline std::int64_t PairsOf(std::int64_t k) { return k * (k - 1) / 2; }

// Calls `run(first, last)` for each run of elements of [begin, end) equal under `same`.
template <class T, class Same, class Run>
void ForEachRunIn(const std::vector<T>& v, std::size_t begin, std::size_t end, Same same, Run run) {
    for (std::size_t i = begin; i < end;) {
        std::size_t j = i + 1;
        while (j < end && same(v[i], v[j])) ++j;
        run(i, j);
        i = j;
    }
}

template <class T, class Same, class Run>
void ForEachRun(const std::vector<T>& v, Same same, Run run) {
    ForEachRunIn(v, 0, v.size(), same, run);
}

// Scratch of one worker counting bands.
struct BandScratch {
    struct Steep {
        std::int32_t lowX, highX;
        std::uintptr_t lowV, highV;
        std::uint32_t rank;
    };
    struct Along {
        std::int32_t left, right;
        std::uintptr_t leftV, rightV;
    };
    std::vector<Steep> steep;
    std::vector<Along> along;
    std::vector<std::int32_t> rights;
    std::vector<std::uintptr_t> ends;
    RankCounts added;
};

// The intersecting pairs among the band in `s.steep` (ends at two different heights, "low"
// the smaller y) or `s.along` (ends at one height), pairs with a common end vertex aside;
// both reorder their list.
std::int64_t CountSteepBand(BandScratch& s);
std::int64_t CountAlongBand(BandScratch& s);

} // namespace crossings
