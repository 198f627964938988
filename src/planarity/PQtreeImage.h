#pragma once
// A PQ-tree frozen for the replay window: the visible shape of the tree with every mark a
// drawing shows, as one word per node in preorder. A working tree changes a little at each
// template step; an image costs four bytes a node and nothing else, so the replay of a
// large graph stays small.

#include <cstdint>
#include <memory>
#include <vector>

class CNode;

class PQtreeImage {
public:
    // The image of a subtree; empty for null.
    static PQtreeImage Of(const CNode* root);

    bool Empty() const { return m_words.empty(); }
    std::size_t Bytes() const { return m_words.size() * sizeof(std::uint32_t); }
    // Rebuilds the tree as detached nodes (leaves carry only their st-number).
    std::unique_ptr<CNode> Build() const;

private:
    std::vector<std::uint32_t> m_words;
};
