#pragma once
// A deliberately plain PQ-tree reduction for the tests: child vectors, whole-tree walks for
// the marks and counts, sequential pattern scans, a copy of the whole tree per snapshot.
// It follows the written rules step by step, so the fast implementation can be compared
// with it snapshot by snapshot.

#include <string>
#include <vector>

#include "support/TestDoc.h"

namespace planarity_test {

// A snapshot as a flat preorder list: per node its type (0 P, 1 Q, 2 leaf), label, arrow,
// shade, edge class and, for a leaf its st-number, for an inner node its child count.
struct FlatSnapshot {
    std::string caption;
    int kind = 0;
    std::vector<int> tree;
    friend bool operator==(const FlatSnapshot&, const FlatSnapshot&) = default;
};

// The snapshots of the test of one block (the document's m_blockEdges, its vertices with
// st-numbers in m_compVertices); returns false when the block is not planar.
bool ReferenceTestBlock(CLattixDoc& doc, std::vector<FlatSnapshot>& out);

// Runs the whole test the plain way (components, blocks, StNumber, reference reduction)
// and returns the snapshots and the verdict.
bool ReferencePlanarity(CLattixDoc& doc, std::vector<FlatSnapshot>& out);

// The snapshots the document recorded.
std::vector<FlatSnapshot> Flatten(const CLattixDoc& doc);

} // namespace planarity_test
