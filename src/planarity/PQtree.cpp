// The working tree: marks, tree surgery, the reduction loop and snapshot recording.

#include "planarity/PQtree.h"

#include <algorithm>
#include <deque>

#include "model/LattixDoc.h"
#include "planarity/BlockGraph.h"
#include "planarity/Blocks.h"
#include "planarity/LowerLeaves.h"

struct CPQtree::Work {
    std::deque<CNode*> queue;     // nodes ready for a template; enter at the front
    std::vector<CNode*> touched;  // nodes marked since the last ClearStepMarks
    std::vector<CNode*> bubble;   // nodes reached from the pertinent leaves, in order
    std::vector<CNode*> reported; // scratch: full or partial children of one node
    std::uint32_t reduction = 0;  // numbers the calls of Reduce, for m_reached
    // The block under test, when the tree was made for one: P-nodes then take only the
    // block's edges.
    const BlockGraph* block = nullptr;
    std::vector<std::int32_t> stToLocal;
    std::vector<std::int32_t> stOfLocal;
    LowerLeafBuilder builder;
    VertexLeaves leaves; // by local index of the block, or by vertex
};

CPQtree::CPQtree() = default;

CPQtree::CPQtree(std::vector<PQtreePtr>* sink, CVertex* top) : m_sink(sink), m_work(std::make_unique<Work>()) {
    m_root = new CPnode(top, 2, m_work->leaves);
}

CPQtree::CPQtree(CLattixDoc* doc, CVertex* top) : CPQtree(doc ? &doc->m_pqTrees : nullptr, top) {}

CPQtree::CPQtree(std::vector<PQtreePtr>* sink, const BlockGraph& block, std::vector<std::int32_t> stToLocal,
                 std::int32_t top)
    : m_sink(sink), m_work(std::make_unique<Work>()) {
    m_work->block = &block;
    m_work->stToLocal = std::move(stToLocal);
    m_work->builder.Resize(block.vertices.size());
    m_work->leaves.Resize(block.vertices.size());
    m_work->stOfLocal.resize(block.vertices.size());
    for (std::size_t st = 1; st <= m_work->stToLocal.size(); ++st)
        m_work->stOfLocal[m_work->stToLocal[st - 1]] = static_cast<std::int32_t>(st);
    m_root = VertexNode(block.vertices[top], 2);
}

CPQtree::~CPQtree() {
    if (m_work) Destroy(m_root);
    else delete m_root;
}

// ---------------------------------------------------------------- marks

void CPQtree::Touch(CNode* n) {
    if (!m_work || n->m_touchedIndex >= 0) return;
    n->m_touchedIndex = static_cast<std::int32_t>(m_work->touched.size());
    m_work->touched.push_back(n);
}

void CPQtree::Untouch(CNode* n) {
    if (!m_work || n->m_touchedIndex < 0) return;
    auto& list = m_work->touched;
    CNode* last = list.back();
    list[n->m_touchedIndex] = last;
    last->m_touchedIndex = n->m_touchedIndex;
    list.pop_back();
    n->m_touchedIndex = -1;
}

void CPQtree::SetLabel(CNode* n, std::int32_t label) {
    Touch(n);
    n->m_label = label;
}

void CPQtree::SetArrow(CNode* n, bool on) {
    Touch(n);
    n->m_arrow = on;
}

void CPQtree::SetShaded(CNode* n, bool on) {
    Touch(n);
    n->m_shaded = on;
}

void CPQtree::ClearStepMarks() {
    for (CNode* n : m_work->touched) {
        n->m_label = 0;
        n->m_pertinentChildCount = 0;
        n->m_pertinentLeafCount = 0;
        n->m_arrow = false;
        n->m_shaded = false;
        n->m_fullChildren = n->m_partialChildren = 0;
        n->m_fullHead = n->m_partialHead = nullptr;
        n->m_touchedIndex = -1;
    }
    m_work->touched.clear();
    m_result = nullptr;
}

void CPQtree::ClearMarks() {
    if (m_root) m_root->ClearMarks();
    if (m_work) ClearStepMarks();
    m_result = nullptr;
}

std::int32_t CPQtree::CountPertinent(std::int32_t st) { return m_root ? m_root->CountPertinent(st) : 0; }

void CPQtree::CountChildLabels(CNode* x) {
    m_fullCount = m_emptyCount = m_partialCount = m_childCount = 0;
    if (!x || x->IsLeaf()) return;
    for (CNode* c = x->FirstChild(); c; c = c->NextSibling()) {
        ++m_childCount;
        if (c->m_label == 1) ++m_fullCount;
        else if (c->m_label == 0) ++m_emptyCount;
        else ++m_partialCount;
    }
}

// ---------------------------------------------------------------- snapshots

void CPQtree::RecordSnapshot(std::string caption, std::int32_t stepKind) {
    if (!m_sink) return;
    PQtreePtr snapshot(new CPQtree(), PQtreeDeleter{[](CPQtree* tree) { delete tree; }});
    snapshot->m_image = PQtreeImage::Of(m_root);
    snapshot->m_width = m_width;
    snapshot->m_height = m_height;
    snapshot->m_depth = m_depth;
    snapshot->m_caption = std::move(caption);
    snapshot->m_stepKind = stepKind;
    m_sink->push_back(std::move(snapshot));
}

void CPQtree::Detected(CNode* x, const char* pattern) {
    SetArrow(x, true);
    if (m_recordSteps) RecordSnapshot(std::string("PATTERN ") + pattern + " Detected", 1);
    x->m_arrow = false;
}

void CPQtree::Replaced(const char* pattern) {
    if (m_recordSteps) RecordSnapshot(std::string("Replacement for PATTERN ") + pattern, 2);
}

// ---------------------------------------------------------------- tree surgery

void CPQtree::PutInPlace(CNode* x, CNode* y) {
    CNode* parent = x->m_parent;
    if (!parent) {
        if (m_root == x) m_root = y;
        y->m_parent = nullptr;
        return;
    }
    y->m_parent = parent;
    y->m_left = x->m_left;
    y->m_right = x->m_right;
    y->m_key = x->m_key;
    (x->m_left ? x->m_left->m_right : parent->m_head) = y;
    (x->m_right ? x->m_right->m_left : parent->m_tail) = y;
    x->m_parent = x->m_left = x->m_right = nullptr;
}

CNode* CPQtree::Group(const std::vector<CNode*>& members) {
    if (members.empty()) return nullptr;
    if (members.size() == 1) {
        CNode* only = members.front();
        if (only->m_parent) only->m_parent->RemoveChild(only);
        return only;
    }
    auto* group = new CPnode();
    for (CNode* m : members) {
        m->m_parent->RemoveChild(m);
        group->AppendChild(m);
    }
    return group;
}

CNode* CPQtree::Dissolve(CNode* host, CNode* child, bool forward) {
    // Whichever list is shorter moves, so that a child changes parents only when its new
    // list is at least twice as long as its old one: Q-nodes that keep absorbing their
    // partial children stay cheap.
    if (child->ChildCount() <= host->ChildCount() - 1) {
        CNode* after = child->PrevSibling();
        host->RemoveChild(child);
        std::vector<CNode*> moving = child->Children();
        if (!forward) std::reverse(moving.begin(), moving.end());
        for (CNode* c : moving) {
            child->RemoveChild(c);
            host->InsertChildAfter(c, after);
            after = c;
        }
        Destroy(child);
        return host;
    }
    std::vector<CNode*> before, after; // nearest first
    for (CNode* c = child->PrevSibling(); c; c = c->PrevSibling()) before.push_back(c);
    for (CNode* c = child->NextSibling(); c; c = c->NextSibling()) after.push_back(c);
    host->RemoveChild(child);
    if (!forward) child->ReverseChildren();
    for (CNode* c : before) {
        host->RemoveChild(c);
        child->PrependChild(c);
    }
    for (CNode* c : after) {
        host->RemoveChild(c);
        child->AppendChild(c);
    }
    // The child now holds the host's list and takes over its place and its marks.
    PutInPlace(host, child);
    SetLabel(child, host->m_label);
    SetArrow(child, host->m_arrow);
    SetShaded(child, host->m_shaded);
    child->m_kind = host->m_kind;
    if (m_result == host) m_result = child;
    Destroy(host);
    return child;
}

void CPQtree::Destroy(CNode* n) {
    if (!n) return;
    if (!n->m_head && !(n->IsLeaf() && static_cast<CLeafnode*>(n)->m_list)) {
        Untouch(n);
        delete n;
        return;
    }
    // Leaves leave their vertices' lists in one sweep per vertex instead of one search per
    // leaf: a vertex can have many leaves, and all of them go at its step.
    std::vector<CNode*> nodes{n};
    std::vector<std::vector<CNode*>*> owners;
    for (std::size_t i = 0; i < nodes.size(); ++i) {
        CNode* x = nodes[i];
        Untouch(x);
        for (CNode* c = x->m_head; c; c = c->m_right) nodes.push_back(c);
        if (x->IsLeaf()) {
            if (std::vector<CNode*>* list = static_cast<CLeafnode*>(x)->m_list) {
                x->m_dying = true;
                owners.push_back(list);
            }
        }
    }
    std::sort(owners.begin(), owners.end());
    owners.erase(std::unique(owners.begin(), owners.end()), owners.end());
    for (std::vector<CNode*>* list : owners) std::erase_if(*list, [](const CNode* leaf) { return leaf->m_dying; });
    for (CNode* x : nodes)
        if (x->IsLeaf()) {
            static_cast<CLeafnode*>(x)->m_vertex = nullptr;
            static_cast<CLeafnode*>(x)->m_list = nullptr;
        }
    delete n;
}

std::int32_t CPQtree::LocalIndex(const CVertex* v) const {
    const Work& w = *m_work;
    const std::int32_t st = v->m_stNumber;
    if (!w.block || st < 1 || st > static_cast<std::int32_t>(w.stToLocal.size())) return -1;
    const std::int32_t local = w.stToLocal[st - 1];
    return w.block->vertices[local] == v ? local : -1;
}

std::vector<CNode*>& CPQtree::LeavesOf(const CVertex* v) {
    const std::int32_t local = LocalIndex(v);
    return local >= 0 ? m_work->leaves[local] : m_work->leaves.Of(v);
}

CNode* CPQtree::VertexNode(CVertex* v, std::int32_t edgeClass) {
    Work& w = *m_work;
    if (const std::int32_t local = LocalIndex(v); local >= 0) {
        auto* node = new CPnode();
        node->m_kind = edgeClass;
        w.builder.Append(*node, *v, w.block->EndsOf(local), w.leaves, w.stOfLocal);
        return node;
    }
    return new CPnode(v, edgeClass, w.leaves);
}

// ---------------------------------------------------------------- the reduction

void CPQtree::Bubble(const std::vector<CNode*>& leaves) {
    Work& w = *m_work;
    const std::uint32_t mark = ++w.reduction;
    auto reach = [&](CNode* n) {
        n->m_reached = mark;
        Touch(n);
        n->m_pertinentChildCount = n->m_pertinentLeafCount = 0;
        n->m_fullChildren = n->m_partialChildren = 0;
        n->m_fullHead = n->m_partialHead = nullptr;
        w.bubble.push_back(n);
    };
    w.bubble.clear();
    for (CNode* leaf : leaves)
        if (leaf->m_reached != mark) reach(leaf);
    // Nodes are taken level by level until a single one is left open; that one holds
    // every pertinent leaf. Climbing past the pertinent root takes at most as many
    // steps as the deepest pertinent branch, and climbing off the top of the tree keeps
    // the loop going until the queue is empty.
    std::size_t head = 0;
    bool offTop = false;
    while (w.bubble.size() - head + (offTop ? 1 : 0) > 1) {
        CNode* x = w.bubble[head++];
        CNode* p = x->m_parent;
        if (!p) {
            offTop = true;
            continue;
        }
        if (p->m_reached != mark) reach(p);
        ++p->m_pertinentChildCount;
    }
}

void CPQtree::TakeCensus(CNode* x) {
    m_fullCount = m_emptyCount = m_partialCount = m_childCount = 0;
    if (x->IsLeaf()) return;
    m_fullCount = x->m_fullChildren;
    m_partialCount = x->m_partialChildren;
    m_childCount = x->ChildCount();
    m_emptyCount = m_childCount - m_fullCount - m_partialCount;
}

void CPQtree::Report(CNode* parent, CNode* child) {
    if (child->m_label == 0) return;
    Touch(parent);
    if (child->m_label == 1) {
        child->m_nextReported = parent->m_fullHead;
        parent->m_fullHead = child;
        ++parent->m_fullChildren;
    } else {
        child->m_nextReported = parent->m_partialHead;
        parent->m_partialHead = child;
        ++parent->m_partialChildren;
    }
}

const std::vector<CNode*>& CPQtree::FullChildren(CNode* x) {
    auto& out = m_work->reported;
    out.clear();
    for (CNode* c = x->m_fullHead; c; c = c->m_nextReported) out.push_back(c);
    if (x->IsPnode()) std::sort(out.begin(), out.end(), [](CNode* a, CNode* b) { return a->m_key < b->m_key; });
    return out;
}

const std::vector<CNode*>& CPQtree::PartialChildren(CNode* x) {
    auto& out = m_work->reported;
    out.clear();
    for (CNode* c = x->m_partialHead; c; c = c->m_nextReported) out.push_back(c);
    if (x->IsPnode()) std::sort(out.begin(), out.end(), [](CNode* a, CNode* b) { return a->m_key < b->m_key; });
    return out;
}

bool CPQtree::Reduce(const std::vector<CNode*>& leaves, std::int32_t st) {
    Work& w = *m_work;
    Bubble(leaves);
    w.queue.clear();
    for (CNode* leaf : leaves) {
        w.queue.push_back(leaf);
        leaf->m_pertinentLeafCount = 1;
    }
    const auto pertinent = static_cast<std::int32_t>(leaves.size());
    m_result = m_root;
    while (!w.queue.empty()) {
        CNode* x = w.queue.back();
        w.queue.pop_back();
        TakeCensus(x);
        if (x->m_pertinentLeafCount < pertinent) {
            CNode* parent = x->m_parent;
            if (!parent) throw PlanarityError("pertinent leaves outside the PQ-tree");
            parent->m_pertinentLeafCount += x->m_pertinentLeafCount;
            if (--parent->m_pertinentChildCount == 0) w.queue.push_front(parent);
            CNode* placed = MatchNonRoot(x, st);
            if (!placed) return false;
            Report(parent, placed);
        } else {
            m_result = x;
            if (!MatchRoot(x, st)) return false;
        }
    }
    return true;
}

CNode* CPQtree::MatchNonRoot(CNode* x, std::int32_t st) {
    if (CNode* r = L1(x, st, false)) return r;
    if (CNode* r = P1(x, false)) return r;
    if (CNode* r = P3(x, false)) return r;
    if (CNode* r = P5(x, false)) return r;
    if (CNode* r = Q1(x, false)) return r;
    return Q2(x, false);
}

bool CPQtree::MatchRoot(CNode* x, std::int32_t st) {
    return L1(x, st, true) || P1(x, true) || P2(x, true) || P4(x, true) || P6(x, true) || Q1(x, true) ||
           Q2(x, true) || Q3(x, true);
}
