// After a successful reduction: the full part of the tree goes, the P-node of the vertex
// comes in its place.

#include "model/Element.h"
#include "planarity/PQtree.h"

namespace {

// The children of `target` labelled full. They form one stretch; it is found from one
// of them, which is either r itself or the child of target above a pertinent leaf.
std::vector<CNode*> FullChildrenOf(CNode* target, CNode* r, const std::vector<CNode*>& leaves) {
    CNode* seed = r->m_label == 1 ? r : nullptr;
    if (!seed && !leaves.empty()) {
        for (CNode* n = leaves.front(); n; n = n->m_parent) {
            if (n->m_parent == target) {
                if (n->m_label == 1) seed = n;
                break;
            }
        }
    }
    std::vector<CNode*> run;
    if (!seed) {
        for (CNode* c = target->FirstChild(); c; c = c->NextSibling())
            if (c->m_label == 1) run.push_back(c);
        return run;
    }
    CNode* first = seed;
    while (first->PrevSibling() && first->PrevSibling()->m_label == 1) first = first->PrevSibling();
    for (CNode* c = first; c && c->m_label == 1; c = c->NextSibling()) run.push_back(c);
    return run;
}

} // namespace

void CPQtree::ReplacePertinent(CVertex* v) {
    CNode* r = m_result;
    if (!r || !v) return;
    CNode* target = r->m_label == 1 ? r->m_parent : r;
    std::int32_t edgeClass = 1;
    CNode* left = nullptr; // the neighbour before the removed children
    if (!target) {
        m_root = nullptr;
        m_result = nullptr;
        Destroy(r);
    } else {
        const std::vector<CNode*> full = FullChildrenOf(target, r, LeavesOf(v));
        bool class0 = false, class1 = false, other = false;
        for (CNode* c : full) {
            left = c->PrevSibling();
            target->RemoveChild(c);
            class0 |= c->m_kind == 0;
            class1 |= c->m_kind == 1;
            other |= c->m_kind != 0 && c->m_kind != 1;
        }
        for (CNode* c : full) Destroy(c);
        edgeClass = (class0 && class1) || other ? 2 : class0 ? 0 : 1;
    }
    CNode* n = VertexNode(v, edgeClass);
    if (n->ChildCount() == 0) {
        Destroy(n);
        return;
    }
    if (target) target->InsertChildAfter(n, left);
    else m_root = n;
    if (n->ChildCount() == 1) {
        CNode* only = n->FirstChild();
        n->RemoveChild(only);
        PutInPlace(n, only);
        Destroy(n);
    }
    if (!target) return;
    if (target->ChildCount() == 1) {
        CNode* only = target->FirstChild();
        target->RemoveChild(only);
        PutInPlace(target, only);
        Destroy(target);
    } else if (target->IsQnode() && target->ChildCount() == 2) {
        auto* p = new CPnode();
        CNode* a = target->FirstChild();
        CNode* b = target->LastChild();
        target->RemoveChild(a);
        target->RemoveChild(b);
        p->AppendChild(a);
        p->AppendChild(b);
        PutInPlace(target, p);
        Destroy(target);
    }
}
