#include "ReferenceReduction.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <deque>
#include <map>
#include <memory>
#include <set>

#include "planarity/BlockGraph.h"
#include "planarity/Blocks.h"
#include "planarity/PQtree.h"

namespace planarity_test {
namespace {

enum Type { P, Q, L };

struct Node {
    Type type;
    int label = 0, leaves = 0, pertinentChildren = 0, kind = 0;
    bool arrow = false, shaded = false;
    std::vector<Node*> children;
    Node* parent = nullptr;
    CVertex* vertex = nullptr;
    explicit Node(Type t) : type(t) {}
    ~Node() {
        for (Node* c : children) delete c;
    }
};

void Flat(const Node* n, std::vector<int>& out) {
    out.insert(out.end(), {int(n->type), n->label, n->arrow, n->shaded, n->kind});
    if (n->type == L) {
        out.push_back(n->vertex->m_stNumber);
        return;
    }
    out.push_back(static_cast<int>(n->children.size()));
    for (const Node* c : n->children) Flat(c, out);
}

template <class F>
void Walk(Node* n, F f) {
    f(n);
    for (Node* c : n->children) Walk(c, f);
}

class Tree {
public:
    Tree(const std::set<CEdge*>& block, std::map<CVertex*, std::vector<Node*>>& leavesOf,
         std::vector<FlatSnapshot>& out)
        : m_block(block), m_leavesOf(leavesOf), m_out(out) {}
    ~Tree() { Destroy(root); }

    Node* root = nullptr;

    Node* VertexNode(CVertex* v, int kind) {
        auto* n = new Node(P);
        n->kind = kind;
        for (CEdge* e : v->m_edges) {
            if (!m_block.count(e)) continue;
            CVertex* w = e->Other(v);
            if (w == v || w->m_stNumber >= v->m_stNumber) continue;
            auto* leaf = new Node(L);
            leaf->vertex = w;
            leaf->parent = n;
            n->children.push_back(leaf);
            m_leavesOf[w].push_back(leaf);
        }
        return n;
    }

    void Record(const std::string& caption, int kind) {
        FlatSnapshot s{caption, kind, {}};
        if (root) Flat(root, s.tree);
        m_out.push_back(std::move(s));
    }

    void ClearMarks() {
        if (root)
            Walk(root, [](Node* n) {
                n->label = n->leaves = n->pertinentChildren = 0;
                n->arrow = n->shaded = false;
            });
        m_result = nullptr;
    }

    int CountPertinent(Node* n, int st) {
        if (n->type == L) return n->leaves = n->pertinentChildren = n->vertex->m_stNumber == st;
        n->leaves = n->pertinentChildren = 0;
        for (Node* c : n->children) {
            const int k = CountPertinent(c, st);
            n->leaves += k;
            n->pertinentChildren += k > 0;
        }
        return n->leaves;
    }

    bool Reduce(const std::vector<Node*>& s, int st) {
        std::deque<Node*> queue;
        for (Node* leaf : s) {
            queue.push_back(leaf);
            leaf->leaves = 1;
        }
        m_result = root;
        while (!queue.empty()) {
            Node* x = queue.back();
            queue.pop_back();
            Census(x);
            bool applied;
            if (x->leaves < static_cast<int>(s.size())) {
                if (--x->parent->pertinentChildren == 0) queue.push_front(x->parent);
                applied = L1(x, st, false) || P1(x, false) || P3(x, false) || P5(x, false) || Q1(x, false) ||
                          Q2(x, false);
            } else {
                m_result = x;
                applied = L1(x, st, true) || P1(x, true) || P2(x, true) || P4(x, true) || P6(x, true) ||
                          Q1(x, true) || Q2(x, true) || Q3(x, true);
            }
            if (!applied) return false;
        }
        return true;
    }

    void ReplacePertinent(CVertex* v) {
        Node* r = m_result;
        Node* target = r->label == 1 ? r->parent : r;
        int kind;
        Node* left = nullptr;
        if (!target) {
            root = nullptr;
            Destroy(r);
            kind = 1;
        } else {
            bool k0 = false, k1 = false, other = false;
            for (std::size_t i = 0; i < target->children.size();) {
                Node* c = target->children[i];
                if (c->label != 1) {
                    ++i;
                    continue;
                }
                left = i > 0 ? target->children[i - 1] : nullptr;
                target->children.erase(target->children.begin() + i);
                k0 |= c->kind == 0;
                k1 |= c->kind == 1;
                other |= c->kind > 1;
                Destroy(c);
            }
            kind = (k0 && k1) || other ? 2 : k0 ? 0 : 1;
        }
        Node* n = VertexNode(v, kind);
        if (n->children.empty()) {
            Destroy(n);
            return;
        }
        if (!target) {
            root = n;
        } else {
            const auto at = left ? std::find(target->children.begin(), target->children.end(), left) + 1
                                 : target->children.begin();
            target->children.insert(at, n);
            n->parent = target;
        }
        if (n->children.size() == 1) {
            Node* only = Take(n, 0);
            Place(n, only);
            Destroy(n);
        }
        if (!target) return;
        if (target->children.size() == 1) {
            Node* only = Take(target, 0);
            Place(target, only);
            Destroy(target);
        } else if (target->type == Q && target->children.size() == 2) {
            auto* p = new Node(P);
            Node* a = Take(target, 0);
            Node* b = Take(target, 0);
            Adopt(p, a);
            Adopt(p, b);
            Place(target, p);
            Destroy(target);
        }
    }

private:
    void Destroy(Node* n) {
        if (!n) return;
        Walk(n, [&](Node* x) {
            if (x->type == L) std::erase(m_leavesOf[x->vertex], x);
        });
        delete n;
    }
    static Node* Take(Node* parent, std::size_t i) {
        Node* c = parent->children[i];
        parent->children.erase(parent->children.begin() + i);
        c->parent = nullptr;
        return c;
    }
    static void Detach(Node* c) {
        if (c->parent) std::erase(c->parent->children, c);
        c->parent = nullptr;
    }
    static void Adopt(Node* parent, Node* c, bool front = false) {
        c->parent = parent;
        if (front) parent->children.insert(parent->children.begin(), c);
        else parent->children.push_back(c);
    }
    void Place(Node* x, Node* y) {
        if (!x->parent) {
            if (root == x) root = y;
            y->parent = nullptr;
            return;
        }
        *std::find(x->parent->children.begin(), x->parent->children.end(), x) = y;
        y->parent = x->parent;
        x->parent = nullptr;
    }
    static Node* Group(const std::vector<Node*>& members) {
        if (members.empty()) return nullptr;
        if (members.size() == 1) {
            Detach(members[0]);
            return members[0];
        }
        auto* g = new Node(P);
        for (Node* m : members) {
            Detach(m);
            Adopt(g, m);
        }
        return g;
    }
    std::vector<Node*> WithLabel(Node* x, bool full) {
        std::vector<Node*> out;
        for (Node* c : x->children)
            if (full ? c->label == 1 : c->label == 0) out.push_back(c);
        return out;
    }
    std::vector<Node*> Partials(Node* x) {
        std::vector<Node*> out;
        for (Node* c : x->children)
            if (c->label > 1) out.push_back(c);
        return out;
    }
    void Census(Node* x) {
        m_full = m_empty = m_partial = m_count = 0;
        if (x->type == L) return;
        for (Node* c : x->children) {
            ++m_count;
            if (c->label == 1) ++m_full;
            else if (c->label == 0) ++m_empty;
            else ++m_partial;
        }
    }
    void Detected(Node* x, const std::string& name, bool keepArrow = false) {
        x->arrow = true;
        Record("PATTERN " + name + " Detected", 1);
        if (!keepArrow) x->arrow = false;
    }
    void Replaced(const std::string& name) { Record("Replacement for PATTERN " + name, 2); }

    bool L1(Node* x, int st, bool shade) {
        if (x->type != L) return false;
        Detected(x, "L1");
        x->label = x->vertex->m_stNumber == st;
        x->shaded = shade;
        Replaced("L1");
        x->shaded = false;
        return true;
    }
    bool P1(Node* x, bool shade) {
        if (x->type != P || m_full != m_count) return false;
        Detected(x, "P1");
        x->label = 1;
        x->shaded = shade;
        Replaced("P1");
        return true;
    }
    bool P2(Node* x, bool shade) {
        if (x->type != P || m_full < 1 || m_full + m_empty != m_count) return false;
        x->shaded = shade;
        Detected(x, "P2", true);
        x->shaded = false;
        Node* f = Group(WithLabel(x, true));
        Adopt(x, f);
        f->label = 1;
        f->shaded = shade;
        m_result = f;
        Replaced("P2");
        return true;
    }
    bool P3(Node* x, bool shade) {
        if (x->type != P || m_full < 1 || m_full + m_empty != m_count) return false;
        Detected(x, "P3");
        Node* f = Group(WithLabel(x, true));
        Node* e = Group(WithLabel(x, false));
        auto* q = new Node(Q);
        Place(x, q);
        delete x;
        Adopt(q, e);
        Adopt(q, f);
        e->label = 0;
        f->label = 1;
        q->label = 3;
        q->shaded = shade;
        Replaced("P3");
        q->shaded = false;
        return true;
    }
    bool P4(Node* x, bool shade) {
        if (x->type != P || m_partial != 1) return false;
        Detected(x, "P4");
        Node* q = Partials(x).back();
        if (m_full > 0) {
            Node* f = Group(WithLabel(x, true));
            Adopt(q, f);
            f->label = 1;
        }
        if (x->children.size() == 1) {
            Detach(q);
            Place(x, q);
            delete x;
        } else {
            x->label = 2;
        }
        q->shaded = shade;
        m_result = q;
        Replaced("P4");
        return true;
    }
    bool P5(Node* x, bool shade) {
        if (x->type != P || m_partial != 1) return false;
        Detected(x, "P5");
        Node* q = Partials(x).back();
        Node* f = Group(WithLabel(x, true));
        Node* e = Group(WithLabel(x, false));
        Detach(q);
        Place(x, q);
        delete x;
        if (f) {
            Adopt(q, f);
            f->label = 1;
        }
        if (e) {
            Adopt(q, e, true);
            e->label = 0;
        }
        q->shaded = false;
        m_result = q;
        Replaced("P5");
        return true;
    }
    bool P6(Node* x, bool shade) {
        if (x->type != P || m_partial != 2) return false;
        const std::vector<Node*> part = Partials(x);
        if (part[0]->label != 3 || part[1]->label != 3) return false;
        Detected(x, "P6");
        Node* q1 = part[0];
        Node* q2 = part[1];
        if (m_full > 0) {
            Node* f = Group(WithLabel(x, true));
            Adopt(q1, f);
            f->label = 1;
        }
        for (auto it = q2->children.rbegin(); it != q2->children.rend(); ++it) Adopt(q1, *it);
        q2->children.clear();
        Detach(q2);
        delete q2;
        if (x->children.size() == 1) {
            Detach(q1);
            Place(x, q1);
            delete x;
        } else {
            x->label = 2;
            x->shaded = false;
        }
        q1->label = 4;
        q1->shaded = shade;
        m_result = q1;
        Replaced("P6");
        q1->shaded = false;
        return true;
    }
    bool Q1(Node* x, bool shade) {
        if (x->type != Q || m_full != m_count) return false;
        Detected(x, "Q1");
        x->label = 1;
        x->shaded = shade;
        Replaced("Q1");
        return true;
    }
    bool Q2(Node* x, bool shade) {
        if (x->type != Q || m_partial > 1 || m_full == m_count || m_full + m_partial == 0) return false;
        std::vector<Node*> seq;
        for (Node* c : x->children)
            if (c->label != 2 && c->label != 4) seq.push_back(c);
        auto is = [&](std::size_t i, int label) { return i < seq.size() && seq[i]->label == label; };
        std::size_t i = 0;
        bool backwards = false;
        if (is(0, 0)) {
            while (is(i, 0)) ++i;
            if (is(i, 3)) ++i;
            while (is(i, 1)) ++i;
        } else if (is(0, 1)) {
            backwards = true;
            while (is(i, 1)) ++i;
            if (is(i, 3)) ++i;
            while (is(i, 0)) ++i;
        } else {
            i = 1;
            const int rest = i < seq.size() ? seq[i]->label : 1;
            backwards = rest == 0;
            while (is(i, rest)) ++i;
        }
        if (i != seq.size()) return false;
        Detected(x, "Q2");
        std::vector<Node*> read = x->children;
        if (backwards) std::reverse(read.begin(), read.end());
        Node* partial = nullptr;
        for (Node* c : read)
            if (c->label == 3) partial = c;
        Node* r = partial ? partial : new Node(Q);
        std::vector<Node*> result;
        for (Node* c : read)
            if (c->label == 0) result.push_back(c);
        result.insert(result.end(), r->children.begin(), r->children.end());
        for (Node* c : read)
            if (c->label == 1) result.push_back(c);
        x->children.clear();
        if (partial) partial->parent = nullptr;
        r->children.clear();
        for (Node* c : result) Adopt(r, c);
        Place(x, r);
        delete x;
        r->label = 3;
        r->shaded = shade;
        m_result = r;
        Replaced("Q2");
        return true;
    }
    bool Q3(Node* x, bool shade) {
        if (x->type != Q || m_partial > 2) return false;
        // empty*, [partial], full*, [partial], empty*; a partial child before the full
        // children opens in its own order, one after them in reverse order.
        const auto& c = x->children;
        auto is = [&](std::size_t i, int label) { return i < c.size() && c[i]->label == label; };
        std::size_t i = 0;
        std::vector<std::pair<Node*, bool>> splice; // partial child, reversed
        while (is(i, 0)) ++i;
        if (is(i, 3)) splice.push_back({c[i++], false});
        while (is(i, 1)) ++i;
        if (is(i, 3)) splice.push_back({c[i++], true});
        while (is(i, 0)) ++i;
        if (i != c.size()) return false;
        Detected(x, "Q3");
        for (auto [p, reversed] : splice) {
            std::vector<Node*> kids = p->children;
            if (reversed) std::reverse(kids.begin(), kids.end());
            p->children.clear();
            auto at = std::find(x->children.begin(), x->children.end(), p);
            at = x->children.erase(at);
            x->children.insert(at, kids.begin(), kids.end());
            for (Node* k : kids) k->parent = x;
            delete p;
        }
        x->label = 4;
        x->shaded = shade;
        Replaced("Q3");
        return true;
    }

    const std::set<CEdge*>& m_block;
    std::map<CVertex*, std::vector<Node*>>& m_leavesOf;
    std::vector<FlatSnapshot>& m_out;
    Node* m_result = nullptr;
    int m_full = 0, m_empty = 0, m_partial = 0, m_count = 0;
};

} // namespace

bool ReferenceTestBlock(CLattixDoc& doc, std::vector<FlatSnapshot>& out) {
    const int n = static_cast<int>(doc.m_compVertices.size());
    std::vector<CVertex*> byNumber(n);
    for (CVertex* v : doc.m_compVertices) byNumber[v->m_stNumber - 1] = v;
    const std::set<CEdge*> block(doc.m_blockEdges.begin(), doc.m_blockEdges.end());
    std::map<CVertex*, std::vector<Node*>> leavesOf;
    Tree tree(block, leavesOf, out);
    tree.root = tree.VertexNode(byNumber[n - 1], 2);
    for (int i = n - 1; i >= 1; --i) {
        CVertex* v = byNumber[i - 1];
        tree.ClearMarks();
        if (tree.root) tree.CountPertinent(tree.root, i);
        tree.Record("Initial PQ-tree for processing of vertex " + v->m_name + " (" + std::to_string(i) + ")", 0);
        if (!tree.Reduce(leavesOf[v], i)) {
            tree.Record("Final PQ-Tree for this biconnected component", 0);
            return false;
        }
        tree.ReplacePertinent(v);
    }
    tree.Record("Final PQ-Tree for this biconnected component", 0);
    return true;
}

bool ReferencePlanarity(CLattixDoc& doc, std::vector<FlatSnapshot>& out) {
    doc.RebuildAllLists();
    const int components = doc.CountComponents(&doc.m_allVertices);
    for (int c = 0; c < components; ++c) {
        doc.m_compVertices.clear();
        for (CVertex* v : doc.m_allVertices)
            if (doc.ComponentOf(v) == c) doc.m_compVertices.push_back(v);
        const BlockLabels labels = LabelBlocks(doc.m_compVertices, doc.m_allEdges);
        for (int k = 0; k < labels.count; ++k) {
            doc.m_blockEdges.clear();
            doc.m_compVertices.clear();
            for (std::size_t i = 0; i < doc.m_allEdges.size(); ++i) {
                CEdge* e = doc.m_allEdges[i];
                if (labels.edgeBlock[i] != k) continue;
                doc.m_blockEdges.push_back(e);
                for (CVertex* v : {e->m_v1, e->m_v2})
                    if (std::find(doc.m_compVertices.begin(), doc.m_compVertices.end(), v) == doc.m_compVertices.end())
                        doc.m_compVertices.push_back(v);
            }
            BlockGraph block;
            BuildBlockGraph(doc.m_compVertices, doc.m_blockEdges, block);
            EXPECT_TRUE(StNumberBlock(block));
            if (!ReferenceTestBlock(doc, out)) return false;
        }
    }
    return true;
}

std::vector<FlatSnapshot> Flatten(const CLattixDoc& doc) {
    std::vector<FlatSnapshot> out;
    for (const PQtreePtr& s : doc.m_pqTrees) {
        FlatSnapshot f{s->m_caption, s->m_stepKind, {}};
        std::unique_ptr<CNode> root = s->SnapshotTree();
        std::vector<const CNode*> stack;
        if (root) stack.push_back(root.get());
        while (!stack.empty()) {
            const CNode* n = stack.back();
            stack.pop_back();
            const int type = n->IsPnode() ? 0 : n->IsQnode() ? 1 : 2;
            f.tree.insert(f.tree.end(), {type, n->m_label, n->m_arrow, n->m_shaded, n->m_kind});
            f.tree.push_back(n->IsLeaf() ? static_cast<const CLeafnode*>(n)->m_stNumber : n->ChildCount());
            for (const CNode* c = n->LastChild(); c; c = c->PrevSibling()) stack.push_back(c);
        }
        out.push_back(std::move(f));
    }
    return out;
}

} // namespace planarity_test
