#pragma once
// Symmetries of a free tree: the order of its automorphism group and the number of orbits
// of its vertices (the number of pairwise non-isomorphic rooted trees it gives when rooted
// at each vertex in turn).
//
// The tree is rooted at its centre (at a virtual vertex on the middle edge when there are
// two centres), and the rooted subtrees get canonical class numbers level by level from
// the bottom, so that two subtrees on one level are isomorphic exactly when their numbers
// agree. With the children of a vertex sorted by class, runs of equal classes are the
// children that automorphisms may permute:
//   aut(v) = product over children c of aut(c), times m! for every run of m equal classes
//   orb(v) = 1 + sum over the runs of orb(one child of the run)
// No recursion: the work is one breadth-first pass and one pass per level.

#include <cstdint>
#include <utility>
#include <vector>

class TreeSymmetry {
public:
    using Edge = std::pair<std::int32_t, std::int32_t>;

    struct Result {
        double log2Automorphisms = 0.0;
        // The order itself when it fits in 64 bits (always for 20 vertices or fewer).
        std::uint64_t automorphisms = 1;
        bool automorphismsExact = true;
        std::int32_t orbits = 0;
    };

    //! Analyses the tree on vertices 0 .. n - 1 given by its n - 1 edges.
    Result Analyse(std::int32_t n, const std::vector<Edge>& edges);

private:
    void FindCentre(std::int32_t n);
    void OrderFromCentre(std::int32_t n);
    void ClassifyLevels(Result& result);

    // Adjacency in compressed form.
    std::vector<std::int32_t> m_adjStart, m_adj, m_degree;
    std::vector<std::int32_t> m_leaves, m_nextLeaves;
    std::int32_t m_centre[2] = {0, -1};
    // Breadth-first order from the root; position 0 is the root (virtual when there are two
    // centres). The children of a vertex are consecutive in it, and so are the levels.
    std::vector<std::int32_t> m_order, m_depthOf, m_firstChild, m_childCount, m_levelStart;
    // Per position: class number within its level, after the level is classified.
    std::vector<std::int32_t> m_class;
    // Per position: the values of the class that has this position's number (the class
    // numbers of a level are below its size, so the level's positions can hold them).
    std::vector<double> m_classLog2Aut;
    std::vector<std::uint64_t> m_classAut;
    std::vector<std::int32_t> m_classOrbits;
    // Per position: the values of the vertex there.
    std::vector<double> m_log2Aut;
    std::vector<std::uint64_t> m_aut;
    std::vector<std::int32_t> m_orbits;
    std::vector<std::int32_t> m_sorted;
    bool m_exact = true;
};
