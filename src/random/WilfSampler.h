#pragma once
// Wilf's method for a uniformly random free tree, built in a TreeDraft. A free tree has
// one centroid, whose branches have at most (n - 1) / 2 vertices each (a random rooted
// forest under a new vertex), or, for even n only, two adjacent centroids that split it
// into two rooted trees on n / 2 vertices; the two kinds are chosen in proportion to
// their numbers.

#include <vector>

#include "random/RanrutSampler.h"

// 64-bit forest counts: the sums behind f(m, q) leave 64 bits from 47 vertices on.
inline constexpr int kMaxFixed64Wilf = 46;

inline constexpr Rgb kCentroidColor = MakeRgb(255, 0, 0);
inline constexpr Rgb kBicentroidColor = MakeRgb(0, 0, 255);

class WilfSampler {
public:
    struct ForestSplit {
        int a; // multiplicity
        int s; // tree size
    };

    // The tree: for a centroidal tree `first` holds the forest, then the red centroid, then
    // the edges from the forest's roots to it; for a bicentroidal tree `first` and `second`
    // are the two halves and `link` the edge between their roots.
    struct Result {
        bool bicentroidal = false;
        TreeDraft::Chain first, second;
        TreeDraft::Item link = TreeDraft::kNone;
    };

    WilfSampler(LcgRandom& random, TreeDraft& draft, CountArithmetic arithmetic)
        : m_random(random), m_draft(draft), m_arithmetic(arithmetic), m_ranrut(random, draft, arithmetic) {}

    //! A random free tree on n >= 3 vertices.
    Result FreeTreeWilf(int n);
    //! Probability that the free tree on n vertices is bicentroidal.
    double BicentroidProbability(int n) const;
    //! Draws the multiplicity a and the tree size s for a forest on m >= 1 vertices.
    ForestSplit ChooseForestSplit(int m, int q);
    //! A random rooted forest on m vertices with trees of at most q vertices.
    void RandomForest(int m, int q, TreeDraft::Chain& elements, std::vector<TreeDraft::Item>& roots);
    //! Two random rooted trees on n / 2 vertices each, as an unordered pair.
    void RandomBicentroid(int n, TreeDraft::Chain& first, TreeDraft::Chain& second);

private:
    ForestSplit ChooseForestSplitFixed64(int m, int q);
    ForestSplit ChooseForestSplitWide(int m, int q);

    LcgRandom& m_random;
    TreeDraft& m_draft;
    CountArithmetic m_arithmetic;
    RanrutSampler m_ranrut;
    std::vector<ForestSplit> m_splits;
    std::vector<TreeDraft::Item> m_roots;
};
