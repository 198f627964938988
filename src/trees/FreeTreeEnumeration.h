#pragma once
// Every free tree with n vertices exactly once, as level sequences (Beyer and Hedetniemi,
// "Constant time generation of rooted trees", 1980): the rooted trees come in decreasing
// order of their canonical level sequences, and a free tree is kept in the one rooting
// that hangs it from its centre (from the centre with the larger sequence when there are
// two).

#include <cstdint>
#include <utility>
#include <vector>

class FreeTreeEnumeration {
public:
    static constexpr int kMaxVertices = 24;

    explicit FreeTreeEnumeration(int n);

    // Moves to the next free tree; false when there is none left. The first call gives
    // the first tree.
    bool Next();

    int VertexCount() const { return m_n; }
    // Level of each vertex in preorder; vertex 0 is the root, on level 0.
    const std::vector<int>& LevelSequence() const { return m_levels; }
    // Edges (parent, child) in preorder of the child.
    std::vector<std::pair<int, int>> Edges() const;

private:
    bool NextRooted();
    bool RootedAtCentre() const;

    int m_n;
    bool m_started = false;
    std::vector<int> m_levels;
};

// The canonical level sequence of a tree hung from `root`: each vertex followed by its
// subtrees in decreasing order of their sequences.
std::vector<int> CanonicalLevelSequence(int n, const std::vector<std::pair<int, int>>& edges, int root);

// The centre of a tree: one vertex, or the two ends of the central edge.
std::vector<int> TreeCentre(int n, const std::vector<std::pair<int, int>>& edges);
