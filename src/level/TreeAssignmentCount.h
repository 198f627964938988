#pragma once
// How many of the n! assignments of the levels 1..n to the n vertices of a tree (one
// vertex per level) are not level planar.
//
// Two assignments that differ by an automorphism of the tree are the same drawing problem,
// and so are an assignment and its reversal (level k to n + 1 - k). The tree is hung from
// its centre (a new middle vertex on the central edge when there are two); its
// automorphisms permute isomorphic sibling subtrees, so each orbit holds exactly one
// assignment whose isomorphic siblings have increasing levels: only those are visited,
// each weighing as many as the group has elements (the group acts freely, no two
// vertices share a level). Of an assignment and the representative of its reversal, only
// the smaller is tested.

#include <atomic>
#include <span>
#include <cstdint>
#include <string>
#include <utility>
#include <vector>

struct TreeAssignmentTally {
    std::int64_t failing = 0; // assignments that are not level planar
    std::int64_t total = 0;   // assignments covered: n! unless stopped early
    std::vector<int> firstFailing; // levels of the first failing representative, or empty
    std::int64_t visited = 0;      // representatives under the automorphisms visited
    std::int64_t tested = 0;       // level planarity tests run
    std::int64_t cutOff = 0;       // assignments settled by a partial drawing that fails
    bool complete = true;
};

struct TreePruning {
    bool automorphisms = true;
    bool reversal = true;
    // Search only: a partial assignment whose drawing of the placed vertices is not level
    // planar fails with every completion (level planarity passes to subgraphs), so its
    // completions are counted without being visited. The search draws vertex by vertex,
    // so noticing it costs nothing.
    bool partial = true;
    // Fewer placed vertices are never tested: their drawing is an assignment of a smaller
    // tree (empty levels taken out), and every tree below this size passes all of them,
    // as the census of those sizes shows (its test checks it).
    int cutFrom = 8;
};

class TreeAssignmentCount {
public:
    static constexpr int kMaxVertices = 16;

    TreeAssignmentCount(int n, const std::vector<std::pair<int, int>>& edges, TreePruning pruning = {});

    std::int64_t AutomorphismCount() const { return m_automorphisms; }

    // Visits the assignments in lexicographic order of their levels by vertex. `done`
    // grows by the assignments covered as the work goes on; `stop` ends it early. With
    // several shares, share k takes the k-th of every `shares` chunks of representatives;
    // Merge adds the tallies of all shares up.
    TreeAssignmentTally Run(const std::atomic<bool>& stop, std::atomic<std::int64_t>& done, int share = 0,
                            int shares = 1) const;
    // The same counts by a depth-first search that places the vertices from the centre
    // outwards and cuts off partial assignments that already fail. Reversal pairs an
    // assignment whose centre levels sum below n + 1 with one summing above it, so only
    // the former are searched. The first failing assignment is the first the search meets.
    TreeAssignmentTally Search(const std::atomic<bool>& stop, std::atomic<std::int64_t>& done) const;
    // The search's first `depth` levels (by its own vertex numbering), in its order: the
    // searches below them split the work of Search, and taken in this order, their tallies
    // add up to its tally (the first failing assignment is the first share's that has one).
    std::vector<std::vector<int>> Prefixes(int depth) const;
    TreeAssignmentTally Search(const std::vector<int>& prefix, const std::atomic<bool>& stop,
                               std::atomic<std::int64_t>& done) const;
    static TreeAssignmentTally MergeInOrder(const std::vector<TreeAssignmentTally>& parts);

    // The representative of the orbit of `levels` under the automorphisms (in place).
    void Canonicalize(std::vector<int>& levels) const;
    // The same with scratch lists of the caller's, so that nothing is allocated.
    void Canonicalize(std::vector<int>& levels, std::vector<int>& sorted, std::vector<int>& saved) const;

private:
    // Moves vertex i to the next free level it may take, freeing the one it had; false (and
    // level 0) when none is left.
    bool TakeNextLevel(int i, std::span<int> track, std::span<char> used) const;
    void BuildSearchOrder(int root, const std::vector<std::vector<int>>& children, const std::vector<std::string>& code);

    struct SiblingGroup {
        std::vector<int> roots; // isomorphic children of one vertex, in chain order
    };

    int m_n;
    std::vector<std::pair<int, int>> m_edges;
    TreePruning m_pruning;
    std::int64_t m_automorphisms = 1;
    std::vector<SiblingGroup> m_groups;           // top down
    std::vector<std::vector<int>> m_preorder;     // per node (with the middle one): its subtree
    // checks[v]: (u, v must be above u) for chain neighbours u < v, tested when v is set.
    std::vector<std::vector<std::pair<int, bool>>> m_checks;

    // The search's own numbering: breadth first from the centre, isomorphic siblings
    // next to each other in chain order.
    std::vector<int> m_searchVertex;                  // search index -> vertex
    std::vector<std::pair<int, int>> m_searchEdges;   // on search indices
    std::vector<int> m_chainPrev;                     // sibling that must lie below, or -1
    std::vector<std::int64_t> m_completions;          // after placing 0..i, where no chain is split
    int m_centreLast = 0;                             // search index of the last centre
};
