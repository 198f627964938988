// Even-Tarjan st-numbering: a depth-first search for DFS numbers and low points, then
// paths found from a stack of vertices. Both run without recursion and walk only the
// block's own edges. The vertex values and the edge marks live in arrays over the block's
// local indices; only the st-numbers are written to the vertices at the end.

#include <algorithm>

#include "model/Element.h"
#include "planarity/BlockGraph.h"
#include "planarity/Blocks.h"

namespace {

class StNumbering {
public:
    explicit StNumbering(const BlockGraph& block) : m_g(block) {}

    // Numbers the block; false when a step found nothing to continue with (which cannot
    // happen on a biconnected block when {A, B} is the first tree edge).
    // With `search`, the values of the search are copied there at the end.
    bool Run(bool firstEdgeFirst, StSearch* search);

private:
    void NumberSearch(std::int32_t root, std::int32_t firstEnd);
    // Fills m_path with local indices; empty when v has no new edge left.
    void PathFinder(std::int32_t v);
    bool FindPaths(std::int32_t a, std::int32_t b);
    void WriteBack(StSearch* search) const;

    const BlockGraph& m_g;
    std::vector<std::int32_t> m_dfn, m_low, m_parent, m_number;
    std::vector<char> m_new;
    // By edge id: a tree edge of the search; not yet on a path.
    std::vector<char> m_tree, m_newEdge;
    std::vector<std::int32_t> m_parentEdge;
    std::vector<std::int32_t> m_path;
    std::vector<std::int32_t> m_stack;
    // Where each of the three path cases resumes its scan of a vertex's edges. An edge
    // that one case passes over never qualifies for that case again (used edges stay
    // used), so no edge is looked at twice by the same case.
    std::vector<std::int32_t> m_resume[3];
    bool m_stuck = false;
};

void StNumbering::NumberSearch(std::int32_t root, std::int32_t firstEnd) {
    struct Frame {
        std::int32_t v;
        std::int32_t next; // the end being looked at
        bool viaFirst;     // the current child was reached through the forced first edge
    };
    std::int32_t counter = 1;
    std::vector<Frame> frames;
    auto enter = [&](std::int32_t v) {
        m_new[v] = false;
        m_dfn[v] = m_low[v] = counter++;
        frames.push_back({v, 0, false});
    };
    auto descend = [&](std::int32_t v, const EdgeEnd& end) {
        m_tree[end.edgeId] = true;
        m_parent[end.id] = v;
        m_parentEdge[end.id] = end.edgeId;
        enter(end.id);
    };
    enter(root);
    if (firstEnd >= 0) {
        frames.back().viaFirst = true;
        descend(root, m_g.EndsOf(root)[firstEnd]);
    }
    while (!frames.empty()) {
        const std::int32_t v = frames.back().v;
        const auto ends = m_g.EndsOf(v);
        const std::int32_t i = frames.back().next;
        if (i == static_cast<std::int32_t>(ends.size())) {
            frames.pop_back();
            if (frames.empty()) break;
            Frame& up = frames.back();
            m_low[up.v] = std::min(m_low[up.v], m_low[v]);
            if (up.viaFirst) up.viaFirst = false;
            else ++up.next;
            continue;
        }
        const EdgeEnd& end = ends[i];
        if (m_new[end.id]) {
            descend(v, end);
            continue;
        }
        if (end.id != m_parent[v]) m_low[v] = std::min(m_low[v], m_dfn[end.id]);
        ++frames.back().next;
    }
}

void StNumbering::PathFinder(std::int32_t v) {
    m_path.clear();
    const auto ends = m_g.EndsOf(v);
    const auto n = static_cast<std::int32_t>(ends.size());
    auto scan = [&](int which, auto qualifies) -> const EdgeEnd* {
        std::int32_t& i = m_resume[which][v];
        for (; i < n; ++i) {
            const EdgeEnd& end = ends[i];
            if (m_newEdge[end.edgeId] && qualifies(end)) return &ends[i++];
        }
        return nullptr;
    };
    // 1. A back edge to a lower DFS number.
    if (const EdgeEnd* end =
            scan(0, [&](const EdgeEnd& e) { return !m_tree[e.edgeId] && m_dfn[e.id] < m_dfn[v]; })) {
        m_newEdge[end->edgeId] = false;
        m_path = {v, end->id};
        return;
    }
    // 2. A tree edge, then down the tree along the low points until an old vertex.
    if (const EdgeEnd* end = scan(1, [&](const EdgeEnd& e) { return m_tree[e.edgeId] != 0; })) {
        m_newEdge[end->edgeId] = false;
        m_path = {v, end->id};
        for (std::int32_t w = end->id; m_new[w];) {
            const EdgeEnd* next = nullptr;
            for (const EdgeEnd& e : m_g.EndsOf(w)) {
                if (m_newEdge[e.edgeId] &&
                    (m_tree[e.edgeId] ? m_low[e.id] == m_low[w] : m_dfn[e.id] == m_low[w])) {
                    next = &e;
                    break;
                }
            }
            if (!next) {
                m_stuck = true;
                return;
            }
            m_new[w] = false;
            m_newEdge[next->edgeId] = false;
            m_path.push_back(next->id);
            w = next->id;
        }
        return;
    }
    // 3. A back edge to a higher DFS number, then up the tree until an old vertex.
    if (const EdgeEnd* end =
            scan(2, [&](const EdgeEnd& e) { return !m_tree[e.edgeId] && m_dfn[e.id] > m_dfn[v]; })) {
        m_newEdge[end->edgeId] = false;
        m_path = {v, end->id};
        for (std::int32_t w = end->id; m_new[w];) {
            const std::int32_t u = m_parent[w];
            if (u < 0) {
                m_stuck = true;
                return;
            }
            m_new[w] = false;
            m_newEdge[m_parentEdge[w]] = false;
            m_path.push_back(u);
            w = u;
        }
    }
}

bool StNumbering::FindPaths(std::int32_t a, std::int32_t b) {
    m_stack = {a, b};
    std::int32_t number = 1;
    std::int32_t v = b;
    m_stack.pop_back();
    while (v != a) {
        PathFinder(v);
        if (m_stuck) return false;
        if (m_path.empty()) {
            m_number[v] = number++;
        } else {
            // The last vertex of a path is old: already numbered or waiting on the stack.
            m_path.pop_back();
            for (auto it = m_path.rbegin(); it != m_path.rend(); ++it)
                if (m_stack.empty() || m_stack.back() != *it) m_stack.push_back(*it);
        }
        if (m_stack.empty()) return false;
        v = m_stack.back();
        m_stack.pop_back();
    }
    m_number[a] = number;
    return true;
}

void StNumbering::WriteBack(StSearch* search) const {
    for (std::int32_t i = 0; i < m_g.Size(); ++i) m_g.vertices[i]->m_stNumber = m_number[i];
    if (search) *search = {m_dfn, m_low, m_parent};
}

bool StNumbering::Run(bool firstEdgeFirst, StSearch* search) {
    const std::int32_t n = m_g.Size();
    // The first edge that is not a self-loop plays {A, B}.
    std::size_t first = 0;
    while (first < m_g.edges.size() && (m_g.edges[first]->IsSelfLoop() || m_g.edgeEnds[first].first < 0 ||
                                        m_g.edgeEnds[first].second < 0))
        ++first;
    if (first == m_g.edges.size()) return false;
    const auto [a, b] = m_g.edgeEnds[first];

    m_dfn.assign(n, 0);
    m_low.assign(n, 0);
    m_parent.assign(n, -1);
    m_parentEdge.assign(n, -1);
    m_new.assign(n, true);
    m_number.assign(n, -1);
    m_tree.assign(m_g.edges.size(), false);
    m_newEdge.assign(m_g.edges.size(), true);
    std::int32_t firstEnd = -1;
    if (firstEdgeFirst) {
        const auto ends = m_g.EndsOf(a);
        const auto it = std::find_if(ends.begin(), ends.end(),
                                     [&](const EdgeEnd& end) { return end.edgeId == static_cast<std::int32_t>(first); });
        if (it != ends.end()) firstEnd = static_cast<std::int32_t>(it - ends.begin());
    }
    NumberSearch(a, firstEnd);

    m_new.assign(n, true);
    m_newEdge.assign(m_g.edges.size(), true);
    m_newEdge[first] = false;
    m_new[a] = m_new[b] = false;
    for (auto& r : m_resume) r.assign(n, 0);
    m_stuck = false;
    const bool complete = FindPaths(a, b);
    WriteBack(search);
    return complete;
}

} // namespace

bool IsStNumbering(const BlockGraph& block) {
    const std::int32_t n = block.Size();
    if (n < 2) return false;
    std::vector<bool> taken(n + 1, false);
    for (const CVertex* v : block.vertices) {
        const std::int32_t s = v->m_stNumber;
        if (s < 1 || s > n || taken[s]) return false;
        taken[s] = true;
    }
    bool endsAdjacent = false;
    for (std::int32_t i = 0; i < n; ++i) {
        const std::int32_t s = block.vertices[i]->m_stNumber;
        bool lower = false, higher = false;
        for (const EdgeEnd& e : block.EndsOf(i)) {
            const std::int32_t t = block.vertices[e.id]->m_stNumber;
            lower |= t < s;
            higher |= t > s;
            endsAdjacent |= s == 1 && t == n;
        }
        if ((s > 1 && !lower) || (s < n && !higher)) return false;
    }
    return endsAdjacent;
}

bool StNumberBlock(const BlockGraph& block, StSearch* search) {
    StNumbering numbering(block);
    if (numbering.Run(false, search) && IsStNumbering(block)) return true;
    return numbering.Run(true, search) && IsStNumbering(block);
}
