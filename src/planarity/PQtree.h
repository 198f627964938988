#pragma once
// The PQ-tree of one biconnected block during the vertex-addition planarity test, and the
// snapshots of it that the PQ-tree window replays.
//
// A working tree is reduced once per vertex, in decreasing st-number order: the leaves of
// the vertex are made consecutive by the Booth-Lueker templates and then replaced by the
// P-node of the vertex. Each template application is recorded as two snapshots (detected,
// replaced) in the snapshot list the run was given. A snapshot is a CPQtree holding an
// immutable image of the tree instead of live nodes.
//
// The reduction touches only the pertinent part of the tree: the pertinent leaves come
// from the vertex's list of live leaves, counts are gathered by bubbling up from them, and marks are
// cleared only on the nodes that received them, so a step costs about as much as the part
// of the tree it changes.

#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "model/Geometry.h"
#include "model/PQtreePtr.h"
#include "planarity/PQnode.h"
#include "planarity/PQtreeImage.h"

class CLattixDoc;
class CVertex;
class DrawTarget;
struct BlockGraph;

// What TestBlock records.
struct BlockTestRecording {
    bool ends = true;  // the initial snapshot of each step and the final one
    bool steps = true; // the two snapshots of each template application
};

class CPQtree {
public:
    // A working tree whose root is the P-node of `top` (edge class 2). Snapshots go to
    // `sink`; without one nothing is recorded.
    CPQtree(std::vector<PQtreePtr>* sink, CVertex* top);
    // The same, recording into doc->m_pqTrees.
    CPQtree(CLattixDoc* doc, CVertex* top);
    ~CPQtree();
    CPQtree(const CPQtree&) = delete;
    CPQtree& operator=(const CPQtree&) = delete;

    // Tests the block, its vertices carrying their st-numbers; false means not planar.
    // Throws PlanarityError when the st-numbers are not 1..n once each. Snapshots go to
    // `sink` (none without one).
    static bool TestBlock(std::vector<PQtreePtr>* sink, const BlockGraph& block, BlockTestRecording recording);

    // Zeroes the marks of the whole tree.
    void ClearMarks();
    std::int32_t CountPertinent(std::int32_t st);
    // The label census of x's children into the four counters.
    void CountChildLabels(CNode* x);
    // Makes the pertinent leaves S of the vertex numbered st consecutive; false when no
    // template applies (the block is not planar).
    bool Reduce(const std::vector<CNode*>& leaves, std::int32_t st);
    // Replaces the full part of the reduced tree by the P-node of v.
    void ReplacePertinent(CVertex* v);
    // The live leaves that stand for edges to v (working trees only).
    std::vector<CNode*>& LeavesOf(const CVertex* v);
    // Records a snapshot of this tree in the sink.
    void RecordSnapshot(std::string caption, std::int32_t stepKind);

    // Draws the caption and the tree at (x, y); returns (0, 0, width, height), or an empty
    // rectangle (drawing nothing) for a tree without root.
    Rect Draw(DrawTarget& dc, std::int32_t x, std::int32_t y);

    bool IsSnapshot() const { return !m_work; }
    // The tree of a snapshot, rebuilt as detached nodes; of a working tree, null.
    std::unique_ptr<CNode> SnapshotTree() const { return m_image.Build(); }
    // Memory held by a snapshot's image.
    std::size_t ImageBytes() const { return m_image.Bytes(); }

    CNode* m_root = nullptr; // owned; null in a snapshot
    std::int32_t m_height = 0;
    std::int32_t m_width = 0;
    std::int32_t m_depth = 0;
    std::vector<PQtreePtr>* m_sink = nullptr; // where snapshots go; null in a snapshot
    std::string m_caption;
    std::int32_t m_stepKind = 0; // 0 plain, 1 template detected, 2 template replacement
    std::int32_t m_fullCount = 0;
    std::int32_t m_emptyCount = 0;
    std::int32_t m_partialCount = 0;
    std::int32_t m_childCount = 0;
    CNode* m_result = nullptr; // the pertinent root, or the node that replaced it
    // Whether template applications are recorded (the replay can be switched off).
    bool m_recordSteps = true;

private:
    struct Work;
    CPQtree(); // a snapshot
    CPQtree(std::vector<PQtreePtr>* sink, const BlockGraph& block, std::vector<std::int32_t> stToLocal, std::int32_t top);

    // Marks, with the node remembered for the next ClearStepMarks.
    void Touch(CNode* n);
    void Untouch(CNode* n);
    void SetLabel(CNode* n, std::int32_t label);
    void SetArrow(CNode* n, bool on);
    void SetShaded(CNode* n, bool on);
    // Clears the marks of the nodes marked since the last call; what ClearMarks does for
    // a tree whose marks were all set by Reduce.
    void ClearStepMarks();

    // Tree surgery.
    void PutInPlace(CNode* x, CNode* y);
    CNode* Group(const std::vector<CNode*>& members);
    CNode* Dissolve(CNode* host, CNode* child, bool forward);
    void Destroy(CNode* n);
    CNode* VertexNode(CVertex* v, std::int32_t edgeClass);
    // v's index in the block under test, or -1.
    std::int32_t LocalIndex(const CVertex* v) const;

    // Reduction.
    void Bubble(const std::vector<CNode*>& leaves);
    void TakeCensus(CNode* x);
    void Report(CNode* parent, CNode* child);
    const std::vector<CNode*>& FullChildren(CNode* x);
    const std::vector<CNode*>& PartialChildren(CNode* x);
    CNode* MatchNonRoot(CNode* x, std::int32_t st);
    bool MatchRoot(CNode* x, std::int32_t st);
    void Detected(CNode* x, const char* pattern);
    void Replaced(const char* pattern);

    // The templates; each returns the node that stands where x stood, or null when its
    // pattern does not match (and then nothing has changed).
    CNode* L1(CNode* x, std::int32_t st, bool shade);
    CNode* P1(CNode* x, bool shade);
    CNode* P2(CNode* x, bool shade);
    CNode* P3(CNode* x, bool shade);
    CNode* P4(CNode* x, bool shade);
    CNode* P5(CNode* x, bool shade);
    CNode* P6(CNode* x, bool shade);
    CNode* Q1(CNode* x, bool shade);
    CNode* Q2(CNode* x, bool shade);
    CNode* Q3(CNode* x, bool shade);

    std::unique_ptr<Work> m_work; // working trees only
    PQtreeImage m_image;          // snapshots only
};
