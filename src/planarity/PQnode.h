#pragma once
// Nodes of the PQ-trees of the planarity test: P-nodes (children in any order), Q-nodes
// (children in a fixed order up to reversal) and leaves (one graph edge whose upper end has
// been processed and whose lower end has not).
//
// A node owns its children. The children form a doubly linked list; a Q-node can reverse
// the visible order of its list in constant time (m_reversed), which the reduction needs
// when it reads a Q-node backwards or splices one into another. Every walk over a subtree
// uses an explicit stack: PQ-trees can be as deep as the graph is large.

#include <cstdint>
#include <unordered_map>
#include <vector>

class CVertex;
class CPQtree;
class DrawTarget;

enum class PQNodeType : std::uint8_t { P, Q, Leaf };

class CNode {
public:
    virtual ~CNode();
    CNode(const CNode&) = delete;
    CNode& operator=(const CNode&) = delete;

    PQNodeType Type() const { return m_type; }
    bool IsPnode() const { return m_type == PQNodeType::P; }
    bool IsQnode() const { return m_type == PQNodeType::Q; }
    bool IsLeaf() const { return m_type == PQNodeType::Leaf; }

    // Drawing width of the subtree: 40 per leaf; an inner node without children is 0 wide.
    std::int32_t ComputeWidth();
    // Stores the level of every node of the subtree (this one at `level`) and returns the
    // deepest level.
    std::int32_t SetDepth(std::int32_t level);
    // Draws the subtree with its top-left corner at (x, y); widths must be computed first.
    void Draw(DrawTarget& dc, std::int32_t x, std::int32_t y);
    // Zeroes the reduction marks (label, both counts, arrow, shade) of the whole subtree.
    void ClearMarks();
    // Leaves keep only the st-number of their vertex and forget the vertex.
    void Detach();
    // Counts the leaves whose vertex has st-number `st` into both counts of every node.
    std::int32_t CountPertinent(std::int32_t st);

    // Children in visible order.
    std::int32_t ChildCount() const { return m_childCount; }
    CNode* FirstChild() const { return m_reversed ? m_tail : m_head; }
    CNode* LastChild() const { return m_reversed ? m_head : m_tail; }
    // Visible neighbours among the parent's children.
    CNode* NextSibling() const;
    CNode* PrevSibling() const;
    std::vector<CNode*> Children() const;

    // Adds a child at the visible end (or front) of the list.
    void AppendChild(CNode* child) { InsertChildAfter(child, LastChild()); }
    void PrependChild(CNode* child) { InsertChildAfter(child, nullptr); }
    // Inserts `child` right after `after` in visible order; at the front for null.
    void InsertChildAfter(CNode* child, CNode* after);
    // Unlinks a child from this node's list; the caller owns it afterwards.
    void RemoveChild(CNode* child);
    // Reverses the visible order of the children (Q-nodes only).
    void ReverseChildren() { m_reversed = !m_reversed; }

    std::int32_t m_width = 0;
    std::int32_t m_depth = 0;
    // 0 empty, 1 full, 2 partial root P-node, 3 partial (full run at the tail end),
    // 4 doubly partial (full run strictly inside).
    std::int32_t m_label = 0;
    std::int32_t m_pertinentChildCount = 0;
    std::int32_t m_pertinentLeafCount = 0;
    bool m_arrow = false;
    bool m_shaded = false;
    // Edge class 0, 1 or 2: the colour of the line from the parent.
    std::int32_t m_kind = 0;
    CNode* m_parent = nullptr;
    // Neighbours in the parent's storage order; the parent's m_reversed says whether that
    // is the visible order read backwards. Use NextSibling/PrevSibling for visible order.
    CNode* m_left = nullptr;
    CNode* m_right = nullptr;

protected:
    explicit CNode(PQNodeType type) : m_type(type) {}

private:
    friend class CPQtree;

    void LinkBetween(CNode* child, CNode* left, CNode* right);
    void AssignKey(CNode* child);
    void RelabelKeys();

    PQNodeType m_type;
    bool m_reversed = false;
    CNode* m_head = nullptr; // storage order ends of the children
    CNode* m_tail = nullptr;
    std::int32_t m_childCount = 0;
    // Position among the children of a P-node, increasing along the list; lets the
    // reduction put a few children in list order without walking all of them.
    std::int64_t m_key = 0;

    // Bookkeeping of the reduction in a working tree (CPQtree); reset with the marks.
    std::int32_t m_touchedIndex = -1; // position in the tree's list of marked nodes
    std::uint32_t m_reached = 0;      // the reduction that last reached the node bubbling up
    bool m_dying = false;             // part of a subtree being destroyed
    std::int32_t m_fullChildren = 0;  // children reported full during this step
    std::int32_t m_partialChildren = 0;
    CNode* m_fullHead = nullptr;      // those children, chained through m_nextReported
    CNode* m_partialHead = nullptr;
    CNode* m_nextReported = nullptr;
};

// The live leaves of each vertex during one test: the leaves that stand for edges to it,
// which the reduction at the vertex's step starts from. A leaf knows the list it is in and
// leaves it when it dies, so the lists must outlive the leaves.
class VertexLeaves {
public:
    // Lists 0..n-1 for the local indices of a block. Only before any leaf is registered:
    // the lists must keep their addresses.
    void Resize(std::size_t n) { m_dense.resize(n); }
    std::vector<CNode*>& operator[](std::size_t i) { return m_dense[i]; }
    // The list of a vertex that has no local index (a tree built by hand or a lone P-node).
    std::vector<CNode*>& Of(const CVertex* v) { return m_byVertex[v]; }

private:
    std::vector<std::vector<CNode*>> m_dense;
    std::unordered_map<const CVertex*, std::vector<CNode*>> m_byVertex; // nodes: lists never move
};

class CPnode final : public CNode {
public:
    CPnode() : CNode(PQNodeType::P) {}
    // The P-node of `v`: one leaf per edge to a lower st-number, in adjacency order, each
    // registered in its lower vertex's list of `leaves`. Of parallel edges with different
    // colours only the first gets a leaf, of class 2. This looks at all of v's edges; the
    // block test builds its P-nodes from the edges of the block alone, since an edge
    // into another block would stay in the tree as a leaf that never becomes pertinent.
    CPnode(CVertex* v, std::int32_t edgeClass, VertexLeaves& leaves);
};

class CQnode final : public CNode {
public:
    CQnode() : CNode(PQNodeType::Q) {}
};

class CLeafnode final : public CNode {
public:
    // A leaf for an edge to `vertex`, registered at the end of `list`, the vertex's list of
    // live leaves.
    CLeafnode(CVertex* vertex, std::int32_t edgeClass, std::vector<CNode*>& list)
        : CNode(PQNodeType::Leaf), m_vertex(vertex), m_list(&list) {
        m_kind = edgeClass;
        list.push_back(this);
    }
    // A detached leaf that shows `stNumber`.
    explicit CLeafnode(std::int32_t stNumber) : CNode(PQNodeType::Leaf), m_stNumber(stNumber) {}
    ~CLeafnode() override;

    // The st-number a drawing shows: the vertex's while attached.
    std::int32_t ShownStNumber() const;

    CVertex* m_vertex = nullptr; // the lower end of the edge; null once detached
    std::int32_t m_stNumber = 0;
    std::vector<CNode*>* m_list = nullptr; // where the leaf is listed while live
};
