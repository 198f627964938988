#pragma once
// RANRUT (Nijenhuis and Wilf): a uniformly random rooted unlabeled tree, built in a
// TreeDraft. A tree on n > 2 vertices is a tree on n - j·d vertices whose root gets j
// copies of one tree on d vertices; the pair (j, d) is drawn with probability
// d·t(d)·t(n - j·d) / ((n - 1)·t(n)).

#include <vector>

#include "random/LcgRandom.h"
#include "random/TreeDraft.h"

// How the generators do their arithmetic on the tree counts.
enum class CountArithmetic {
    // 64-bit counts and one 15-bit draw per choice, walking the choices in their natural
    // order; this is what fixes the tree a seed gives. Only where the counts fit.
    Fixed64,
    // Counts scaled into doubles and 53-bit draws; uniform for every size.
    Wide,
};

// The largest sizes for which the 64-bit arithmetic is exact: RANRUT multiplies
// d·t(d)·t(n - j·d), which leaves 64 bits from 45 vertices on.
inline constexpr int kMaxFixed64Ranrut = 44;

class RanrutSampler {
public:
    struct Split {
        int j; // multiplicity
        int d; // size of the repeated subtree
    };

    RanrutSampler(LcgRandom& random, TreeDraft& draft, CountArithmetic arithmetic)
        : m_random(random), m_draft(draft), m_arithmetic(arithmetic) {}

    //! Draws the pair (j, d) for a tree on n >= 3 vertices.
    Split ChooseSplit(int n);
    //! A random rooted tree on n >= 1 vertices; its root is the chain's first item.
    TreeDraft::Chain Ranrut(int n);
    //! Joins j copies of `second` to the root of `first` (both are consumed).
    TreeDraft::Chain Graft(TreeDraft::Chain first, TreeDraft::Chain second, int j);

private:
    Split ChooseSplitFixed64(int n);
    Split ChooseSplitWide(int n);

    struct Frame {
        int n;
        int stage; // 0 split, 1 first part built, 2 both parts built
        Split split;
        TreeDraft::Chain first;
    };

    LcgRandom& m_random;
    TreeDraft& m_draft;
    CountArithmetic m_arithmetic;
    std::vector<Frame> m_stack;
};
