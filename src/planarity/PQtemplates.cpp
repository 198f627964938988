// The Booth-Lueker templates. Each one checks its pattern on the label census of x (taken
// from the children that reported to x during this step), records the tree with an arrow
// at x, rewrites the tree, sets its marks and records the result.

#include <algorithm>

#include "model/Element.h"
#include "planarity/PQtree.h"

namespace {

// The pertinent (full or partial) children of a Q-node as one stretch of siblings.
struct PertinentRun {
    CNode* first = nullptr; // in visible order
    CNode* last = nullptr;
    std::int32_t length = 0;
};

PertinentRun RunAround(CNode* seed) {
    PertinentRun run{seed, seed, 1};
    for (CNode* c = seed->PrevSibling(); c && c->m_label != 0; c = c->PrevSibling()) {
        run.first = c;
        ++run.length;
    }
    for (CNode* c = seed->NextSibling(); c && c->m_label != 0; c = c->NextSibling()) {
        run.last = c;
        ++run.length;
    }
    return run;
}

// Whether the full side of a partial child p should face its next sibling when p is
// spliced into its parent: the side where the rest of the pertinent run lies, or, for a
// partial child alone at the end of its parent, the outer end.
bool FullSideTowardsNext(const CNode* p) {
    const CNode* next = p->NextSibling();
    const CNode* prev = p->PrevSibling();
    if (next && next->m_label != 0) return true;
    if (prev && prev->m_label != 0) return false;
    return next == nullptr;
}

} // namespace

CNode* CPQtree::L1(CNode* x, std::int32_t st, bool shade) {
    if (!x->IsLeaf()) return nullptr;
    Detected(x, "L1");
    const CVertex* v = static_cast<CLeafnode*>(x)->m_vertex;
    SetLabel(x, v && v->m_stNumber == st ? 1 : 0);
    SetShaded(x, shade);
    Replaced("L1");
    x->m_shaded = false;
    return x;
}

CNode* CPQtree::P1(CNode* x, bool shade) {
    if (!x->IsPnode() || m_fullCount != m_childCount) return nullptr;
    Detected(x, "P1");
    SetLabel(x, 1);
    SetShaded(x, shade);
    Replaced("P1");
    return x;
}

CNode* CPQtree::P2(CNode* x, bool shade) {
    if (!x->IsPnode() || m_fullCount < 1 || m_fullCount + m_emptyCount != m_childCount) return nullptr;
    // The arrow stays on x for the rest of the step; the shade only while it is detected.
    SetShaded(x, shade);
    SetArrow(x, true);
    if (m_recordSteps) RecordSnapshot("PATTERN P2 Detected", 1);
    x->m_shaded = false;
    CNode* full = Group(FullChildren(x));
    x->AppendChild(full);
    SetLabel(full, 1);
    SetShaded(full, shade);
    m_result = full;
    Replaced("P2");
    return x;
}

CNode* CPQtree::P3(CNode* x, bool shade) {
    if (!x->IsPnode() || m_fullCount < 1 || m_fullCount + m_emptyCount != m_childCount) return nullptr;
    Detected(x, "P3");
    CNode* full = Group(FullChildren(x));
    auto* q = new CQnode();
    PutInPlace(x, q);
    // x keeps its empty children; with two or more it is their group node itself.
    CNode* empty = x;
    if (x->ChildCount() == 1) {
        empty = x->FirstChild();
        x->RemoveChild(empty);
        Destroy(x);
    } else {
        x->m_kind = 0;
    }
    q->AppendChild(empty);
    q->AppendChild(full);
    SetLabel(empty, 0);
    SetLabel(full, 1);
    SetLabel(q, 3);
    SetShaded(q, shade);
    Replaced("P3");
    q->m_shaded = false;
    return q;
}

CNode* CPQtree::P4(CNode* x, bool shade) {
    if (!x->IsPnode() || m_partialCount != 1) return nullptr;
    Detected(x, "P4");
    CNode* q = PartialChildren(x).front();
    if (m_fullCount > 0) {
        CNode* full = Group(FullChildren(x));
        q->AppendChild(full);
        SetLabel(full, 1);
    }
    if (x->ChildCount() == 1) {
        x->RemoveChild(q);
        PutInPlace(x, q);
        Destroy(x);
    } else {
        SetLabel(x, 2);
    }
    SetShaded(q, shade);
    m_result = q;
    Replaced("P4");
    return q;
}

CNode* CPQtree::P5(CNode* x, bool shade) {
    if (!x->IsPnode() || m_partialCount != 1) return nullptr;
    Detected(x, "P5");
    CNode* q = PartialChildren(x).front();
    x->RemoveChild(q);
    CNode* full = m_fullCount > 0 ? Group(FullChildren(x)) : nullptr;
    PutInPlace(x, q);
    CNode* empty = nullptr;
    if (x->ChildCount() == 0) {
        Destroy(x);
    } else if (x->ChildCount() == 1) {
        empty = x->FirstChild();
        x->RemoveChild(empty);
        Destroy(x);
    } else {
        empty = x; // the group node of the empty children
        x->m_kind = 0;
    }
    if (full) {
        q->AppendChild(full);
        SetLabel(full, 1);
    }
    if (empty) {
        q->PrependChild(empty);
        SetLabel(empty, 0);
    }
    SetShaded(q, false);
    m_result = q;
    Replaced("P5");
    return q;
}

CNode* CPQtree::P6(CNode* x, bool shade) {
    if (!x->IsPnode() || m_partialCount != 2) return nullptr;
    const std::vector<CNode*> partial = PartialChildren(x);
    if (partial[0]->m_label != 3 || partial[1]->m_label != 3) return nullptr;
    Detected(x, "P6");
    CNode* q1 = partial[0];
    CNode* q2 = partial[1];
    if (m_fullCount > 0) {
        CNode* full = Group(FullChildren(x));
        q1->AppendChild(full);
        SetLabel(full, 1);
    }
    // q2's children join q1's end from q2's last to its first.
    x->RemoveChild(q2);
    q1->AppendChild(q2);
    q1 = Dissolve(q1, q2, false);
    if (x->ChildCount() == 1) {
        x->RemoveChild(q1);
        PutInPlace(x, q1);
        Destroy(x);
    } else {
        SetLabel(x, 2);
        SetShaded(x, false);
    }
    SetLabel(q1, 4);
    SetShaded(q1, shade);
    m_result = q1;
    Replaced("P6");
    q1->m_shaded = false;
    return q1;
}

CNode* CPQtree::Q1(CNode* x, bool shade) {
    if (!x->IsQnode() || m_fullCount != m_childCount) return nullptr;
    Detected(x, "Q1");
    SetLabel(x, 1);
    SetShaded(x, shade);
    Replaced("Q1");
    return x;
}

CNode* CPQtree::Q2(CNode* x, bool shade) {
    if (!x->IsQnode() || m_partialCount > 1 || m_fullCount == m_childCount || m_fullCount + m_partialCount == 0)
        return nullptr;
    // The pertinent children must be one stretch at an end of x, with the partial child,
    // if any, on the side of the empty children (unless the stretch is all of x).
    CNode* partial = m_partialCount ? x->m_partialHead : nullptr;
    const PertinentRun run = RunAround(partial ? partial : x->m_fullHead);
    if (run.length != m_fullCount + m_partialCount) return nullptr;
    const bool atFirst = run.first == x->FirstChild();
    const bool atLast = run.last == x->LastChild();
    if (!atFirst && !atLast) return nullptr;
    if (partial) {
        if (partial != run.first && partial != run.last) return nullptr;
        if (atFirst != atLast && partial != (atLast ? run.first : run.last)) return nullptr;
    }
    Detected(x, "Q2");
    // The result reads empty children first and full children last; x is read backwards
    // when its full side is at its front.
    const bool backwards = atFirst && atLast ? partial == x->LastChild() : atFirst;
    CNode* r = x;
    if (partial) r = Dissolve(x, partial, FullSideTowardsNext(partial));
    else x->m_kind = 0;
    if (backwards) r->ReverseChildren();
    SetLabel(r, 3);
    SetShaded(r, shade);
    m_result = r;
    Replaced("Q2");
    return r;
}

CNode* CPQtree::Q3(CNode* x, bool shade) {
    if (!x->IsQnode() || m_partialCount > 2) return nullptr;
    // One stretch of pertinent children with the partial ones at its ends.
    const std::vector<CNode*> partial = PartialChildren(x);
    const PertinentRun run = RunAround(partial.empty() ? x->m_fullHead : partial.front());
    if (run.length != m_fullCount + m_partialCount) return nullptr;
    for (const CNode* p : partial)
        if (p != run.first && p != run.last) return nullptr;
    if (partial.size() == 2 && partial[0] == partial[1]) return nullptr;
    Detected(x, "Q3");
    // Each partial child opens with its full side towards the rest of the stretch.
    for (CNode* p : partial) x = Dissolve(x, p, FullSideTowardsNext(p));
    SetLabel(x, 4);
    SetShaded(x, shade);
    m_result = x;
    Replaced("Q3");
    return x;
}
