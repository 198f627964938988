// The vertex-addition test of one block: the P-node of the top vertex, then one reduction
// per vertex in decreasing st-number order.

#include <string>

#include "model/Element.h"
#include "planarity/BlockGraph.h"
#include "planarity/Blocks.h"
#include "planarity/PQtree.h"

bool CPQtree::TestBlock(std::vector<PQtreePtr>* sink, const BlockGraph& block, BlockTestRecording recording) {
    const std::int32_t n = block.Size();
    if (n == 0) return true;
    std::vector<std::int32_t> byNumber(n, -1);
    for (std::int32_t i = 0; i < n; ++i) {
        const std::int32_t st = block.vertices[i]->m_stNumber;
        if (st < 1 || st > n || byNumber[st - 1] >= 0)
            throw PlanarityError("the st-numbers of a block are not 1..n once each");
        byNumber[st - 1] = i;
    }

    const std::int32_t top = byNumber[n - 1];
    CPQtree tree(sink, block, byNumber, top);
    tree.m_recordSteps = recording.steps;
    bool planar = true;
    for (std::int32_t i = n - 1; i >= 1; --i) {
        CVertex* v = block.vertices[byNumber[i - 1]];
        tree.ClearStepMarks();
        if (recording.ends)
            tree.RecordSnapshot("Initial PQ-tree for processing of vertex " + v->m_name + " (" + std::to_string(i) + ")",
                                0);
        if (!tree.Reduce(tree.LeavesOf(v), i)) {
            planar = false;
            break;
        }
        tree.ReplacePertinent(v);
    }
    if (recording.ends) tree.RecordSnapshot("Final PQ-Tree for this biconnected component", 0);
    return planar;
}
