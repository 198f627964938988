#include "trees/CrossingBands.h"

#include <algorithm>
#include <functional>
#include <tuple>
#include <utility>

namespace crossings {

// The intersecting pairs among the items of one band between two different heights, none
// of them sharing an end vertex. Two such segments miss each other exactly when one lies
// strictly left of the other at both heights; every other pair meets, pairs with a common
// end vertex included (a vertex has one position), and those are taken out again.
std::int64_t CountSteepBand(BandScratch& s) {
    using Steep = BandScratch::Steep;
    auto& m = s.steep;
    const std::int64_t n = std::int64_t(m.size());
    // Runs of one x are short, and nearly always of one vertex: a sort by x alone, and the
    // ends of each run sorted by vertex only where it holds several.
    auto byVertices = [&](std::size_t i, std::size_t j, auto first, auto second) {
        if (j - i > 2 || (j - i == 2 && first(m[i]) != first(m[i + 1])))
            std::sort(m.begin() + std::ptrdiff_t(i), m.begin() + std::ptrdiff_t(j),
                      [&](const Steep& p, const Steep& q) { return std::pair(first(p), second(p)) < std::pair(first(q), second(q)); });
    };
    auto lowV = [](const Steep& p) { return p.lowV; };
    auto highV = [](const Steep& p) { return p.highV; };
    // By high end: the ranks of high x, and the pairs sharing the high vertex or both.
    std::sort(m.begin(), m.end(), [](const Steep& p, const Steep& q) { return p.highX < q.highX; });
    std::int64_t shared = 0;
    std::uint32_t ranks = 0;
    ForEachRun(m, [](const Steep& p, const Steep& q) { return p.highX == q.highX; }, [&](std::size_t i, std::size_t j) {
        for (std::size_t k = i; k < j; ++k) m[k].rank = ranks;
        ++ranks;
        if (j - i < 2) return;
        byVertices(i, j, highV, lowV);
        for (std::size_t k = i; k < j;) {
            std::size_t l = k + 1, sameBoth = 1;
            for (; l < j && m[l].highV == m[k].highV; ++l) {
                // Edges joining the same two vertices share two ends but are one pair.
                sameBoth = m[l].lowV == m[l - 1].lowV ? sameBoth + 1 : 1;
                shared -= std::int64_t(sameBoth - 1);
            }
            shared += PairsOf(std::int64_t(l - k));
            k = l;
        }
    });
    // By low end: each group of equal low x asks how many high x ranks added before it
    // are below its own.
    std::sort(m.begin(), m.end(), [](const Steep& p, const Steep& q) { return p.lowX < q.lowX; });
    s.added.Reset(ranks);
    std::int64_t apart = 0;
    ForEachRun(m, [](const Steep& p, const Steep& q) { return p.lowX == q.lowX; }, [&](std::size_t i, std::size_t j) {
        for (std::size_t k = i; k < j; ++k) apart += s.added.Below(m[k].rank);
        for (std::size_t k = i; k < j; ++k) s.added.Add(m[k].rank);
        if (j - i < 2) return;
        byVertices(i, j, lowV, highV);
        ForEachRunIn(m, i, j, [](const Steep& p, const Steep& q) { return p.lowV == q.lowV; },
                     [&](std::size_t a, std::size_t b) { shared += PairsOf(std::int64_t(b - a)); });
    });
    return PairsOf(n) - apart - shared;
}

// The intersecting pairs among items along one height (points included): closed intervals
// of x meet unless one ends before the other begins.
std::int64_t CountAlongBand(BandScratch& s) {
    auto& a = s.along;
    const std::int64_t n = std::int64_t(a.size());
    s.rights.clear();
    s.ends.clear();
    for (const auto& it : a) {
        s.rights.push_back(it.right);
        s.ends.push_back(it.leftV);
        if (it.rightV != it.leftV) s.ends.push_back(it.rightV);
    }
    std::sort(s.rights.begin(), s.rights.end());
    std::sort(s.ends.begin(), s.ends.end());
    std::int64_t shared = 0;
    ForEachRun(s.ends, std::equal_to<>(), [&](std::size_t i, std::size_t j) { shared += PairsOf(std::int64_t(j - i)); });
    // Edges joining the same two vertices share two ends but are one pair.
    auto key = [](const BandScratch::Along& p) {
        return std::tuple(p.left, p.right, std::min(p.leftV, p.rightV), std::max(p.leftV, p.rightV));
    };
    std::sort(a.begin(), a.end(), [&](const auto& p, const auto& q) { return key(p) < key(q); });
    ForEachRun(a, [&](const auto& p, const auto& q) { return key(p) == key(q); }, [&](std::size_t i, std::size_t j) {
        if (a[i].leftV != a[i].rightV) shared -= PairsOf(std::int64_t(j - i));
    });
    std::int64_t apart = 0;
    std::size_t below = 0;
    for (const auto& it : a) {
        while (below < s.rights.size() && s.rights[below] < it.left) ++below;
        apart += std::int64_t(below);
    }
    return PairsOf(n) - apart - shared;
}

} // namespace crossings
