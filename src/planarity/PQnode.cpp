#include "planarity/PQnode.h"

#include <algorithm>

#include "model/Element.h"
#include "planarity/LowerLeaves.h"

namespace {

// The nodes of a subtree, each parent before its children.
std::vector<CNode*> Preorder(CNode* root) {
    std::vector<CNode*> order;
    std::vector<CNode*> stack{root};
    while (!stack.empty()) {
        CNode* n = stack.back();
        stack.pop_back();
        order.push_back(n);
        const std::vector<CNode*> children = n->Children();
        for (auto it = children.rbegin(); it != children.rend(); ++it) stack.push_back(*it);
    }
    return order;
}

} // namespace

CNode::~CNode() {
    if (!m_head) return;
    // Children are detached before they are deleted, so no destructor ever sees a subtree
    // and the depth of the tree never becomes the depth of the call stack.
    std::vector<CNode*> stack;
    auto takeChildren = [&stack](CNode* n) {
        for (CNode* c = n->m_head; c;) {
            CNode* next = c->m_right;
            c->m_parent = c->m_left = c->m_right = nullptr;
            stack.push_back(c);
            c = next;
        }
        n->m_head = n->m_tail = nullptr;
        n->m_childCount = 0;
    };
    takeChildren(this);
    while (!stack.empty()) {
        CNode* n = stack.back();
        stack.pop_back();
        takeChildren(n);
        delete n;
    }
}

CLeafnode::~CLeafnode() {
    if (!m_list) return;
    auto& leaves = *m_list;
    if (auto it = std::find(leaves.begin(), leaves.end(), this); it != leaves.end()) leaves.erase(it);
}

std::int32_t CLeafnode::ShownStNumber() const { return m_vertex ? m_vertex->m_stNumber : m_stNumber; }

CPnode::CPnode(CVertex* v, std::int32_t edgeClass, VertexLeaves& leaves) : CNode(PQNodeType::P) {
    m_kind = edgeClass;
    if (!v) return;
    const std::vector<EdgeEnd> ends = AdjacencyEnds(*v);
    LowerLeafBuilder builder(ends.size());
    builder.Append(*this, *v, ends, leaves);
}

// ---------------------------------------------------------------- the child list

CNode* CNode::NextSibling() const {
    if (!m_parent) return nullptr;
    return m_parent->m_reversed ? m_left : m_right;
}

CNode* CNode::PrevSibling() const {
    if (!m_parent) return nullptr;
    return m_parent->m_reversed ? m_right : m_left;
}

std::vector<CNode*> CNode::Children() const {
    std::vector<CNode*> out;
    out.reserve(static_cast<std::size_t>(m_childCount));
    for (CNode* c = FirstChild(); c; c = m_reversed ? c->m_left : c->m_right) out.push_back(c);
    return out;
}

void CNode::InsertChildAfter(CNode* child, CNode* after) {
    if (!m_reversed) LinkBetween(child, after, after ? after->m_right : m_head);
    else LinkBetween(child, after ? after->m_left : m_tail, after);
}

void CNode::LinkBetween(CNode* child, CNode* left, CNode* right) {
    child->m_parent = this;
    child->m_left = left;
    child->m_right = right;
    (left ? left->m_right : m_head) = child;
    (right ? right->m_left : m_tail) = child;
    ++m_childCount;
    if (IsPnode()) AssignKey(child);
}

void CNode::AssignKey(CNode* child) {
    const CNode* left = child->m_left;
    const CNode* right = child->m_right;
    if (!left && !right) child->m_key = 0;
    else if (!right) child->m_key = left->m_key + 1;
    else if (!left) child->m_key = right->m_key - 1;
    else if (right->m_key - left->m_key >= 2) child->m_key = left->m_key + (right->m_key - left->m_key) / 2;
    else RelabelKeys();
}

void CNode::RelabelKeys() {
    std::int64_t key = 0;
    for (CNode* c = m_head; c; c = c->m_right, key += 1024) c->m_key = key;
}

void CNode::RemoveChild(CNode* child) {
    (child->m_left ? child->m_left->m_right : m_head) = child->m_right;
    (child->m_right ? child->m_right->m_left : m_tail) = child->m_left;
    child->m_parent = child->m_left = child->m_right = nullptr;
    --m_childCount;
}

// ---------------------------------------------------------------- subtree walks

std::int32_t CNode::ComputeWidth() {
    const std::vector<CNode*> order = Preorder(this);
    // Children come after their parent in preorder, so the reverse sees them first.
    for (auto it = order.rbegin(); it != order.rend(); ++it) {
        CNode* n = *it;
        if (n->IsLeaf()) {
            n->m_width = 40;
            continue;
        }
        std::int32_t sum = 0;
        for (CNode* c = n->m_head; c; c = c->m_right) sum += c->m_width;
        n->m_width = sum;
    }
    return m_width;
}

std::int32_t CNode::SetDepth(std::int32_t level) {
    std::int32_t deepest = level;
    std::vector<std::pair<CNode*, std::int32_t>> stack{{this, level}};
    while (!stack.empty()) {
        auto [n, l] = stack.back();
        stack.pop_back();
        n->m_depth = l;
        deepest = std::max(deepest, l);
        for (CNode* c = n->m_head; c; c = c->m_right) stack.push_back({c, l + 1});
    }
    return deepest;
}

void CNode::ClearMarks() {
    for (CNode* n : Preorder(this)) {
        n->m_label = 0;
        n->m_pertinentChildCount = 0;
        n->m_pertinentLeafCount = 0;
        n->m_arrow = false;
        n->m_shaded = false;
    }
}

void CNode::Detach() {
    for (CNode* n : Preorder(this)) {
        if (!n->IsLeaf()) continue;
        auto* leaf = static_cast<CLeafnode*>(n);
        if (!leaf->m_vertex) continue;
        leaf->m_stNumber = leaf->m_vertex->m_stNumber;
        // A leaf of a live tree must not stay listed with a vertex it no longer knows.
        if (auto* leaves = leaf->m_list) {
            if (auto it = std::find(leaves->begin(), leaves->end(), n); it != leaves->end()) leaves->erase(it);
        }
        leaf->m_vertex = nullptr;
        leaf->m_list = nullptr;
    }
}

std::int32_t CNode::CountPertinent(std::int32_t st) {
    const std::vector<CNode*> order = Preorder(this);
    for (auto it = order.rbegin(); it != order.rend(); ++it) {
        CNode* n = *it;
        if (n->IsLeaf()) {
            const CVertex* v = static_cast<CLeafnode*>(n)->m_vertex;
            const std::int32_t value = v && v->m_stNumber == st ? 1 : 0;
            n->m_pertinentLeafCount = n->m_pertinentChildCount = value;
            continue;
        }
        std::int32_t leaves = 0, children = 0;
        for (CNode* c = n->m_head; c; c = c->m_right) {
            leaves += c->m_pertinentLeafCount;
            if (c->m_pertinentLeafCount > 0) ++children;
        }
        n->m_pertinentLeafCount = leaves;
        n->m_pertinentChildCount = children;
    }
    return m_pertinentLeafCount;
}
