#include "level/TreeAssignmentCount.h"

#include <algorithm>
#include <stdexcept>
#include <string>

#include "level/TreeLevelPlanarity.h"
#include "trees/FreeTreeEnumeration.h"

namespace {

constexpr std::int64_t kPublishEvery = 4096;
constexpr std::int64_t kShareChunk = 64;

} // namespace

TreeAssignmentCount::TreeAssignmentCount(int n, const std::vector<std::pair<int, int>>& edges, TreePruning pruning)
    : m_n(n), m_edges(edges), m_pruning(pruning), m_checks(n) {
    if (n < 1 || n > kMaxVertices || static_cast<int>(edges.size()) != n - 1)
        throw std::invalid_argument("not a tree of a supported size");
    const std::vector<int> centre = TreeCentre(n, edges);
    // With two centres a middle node (index n) takes the central edge's place, so that
    // the automorphism swapping the halves is a swap of isomorphic siblings too.
    const bool bicentral = centre.size() == 2;
    const int nodes = bicentral ? n + 1 : n;
    std::vector<std::vector<int>> adj(nodes);
    for (const auto& [a, b] : edges) {
        if (bicentral && std::min(a, b) == centre[0] && std::max(a, b) == centre[1]) continue;
        adj[a].push_back(b);
        adj[b].push_back(a);
    }
    const int root = bicentral ? n : centre[0];
    if (bicentral)
        for (int c : centre) {
            adj[n].push_back(c);
            adj[c].push_back(n);
        }

    std::vector<int> order{root}, parent(nodes, -1);
    parent[root] = root;
    for (std::size_t i = 0; i < order.size(); ++i)
        for (int w : adj[order[i]])
            if (parent[w] < 0) {
                parent[w] = order[i];
                order.push_back(w);
            }
    if (static_cast<int>(order.size()) != nodes) throw std::invalid_argument("not a tree");

    std::vector<std::string> code(nodes);
    std::vector<std::vector<int>> children(nodes);
    for (std::size_t i = order.size(); i-- > 0;) {
        const int v = order[i];
        auto& kids = children[v];
        std::sort(kids.begin(), kids.end(),
                  [&](int a, int b) { return code[a] != code[b] ? code[a] < code[b] : a < b; });
        code[v] = "(";
        for (int c : kids) code[v] += code[c];
        code[v] += ")";
        if (v != root) children[parent[v]].push_back(v);
    }
    // Preorders with the children in code order: two isomorphic subtrees match place by
    // place.
    m_preorder.resize(nodes);
    for (std::size_t i = order.size(); i-- > 0;) {
        const int v = order[i];
        if (v < n) m_preorder[v].push_back(v);
        for (int c : children[v]) m_preorder[v].insert(m_preorder[v].end(), m_preorder[c].begin(), m_preorder[c].end());
    }
    if (!m_pruning.automorphisms) return;
    for (int v : order) {
        const auto& kids = children[v];
        for (std::size_t s = 0; s < kids.size();) {
            std::size_t e = s + 1;
            while (e < kids.size() && code[kids[e]] == code[kids[s]]) ++e;
            if (e - s >= 2) {
                m_groups.push_back({{kids.begin() + static_cast<std::ptrdiff_t>(s), kids.begin() + static_cast<std::ptrdiff_t>(e)}});
                for (std::size_t k = 2; k <= e - s; ++k) m_automorphisms *= static_cast<std::int64_t>(k);
                for (std::size_t k = s; k + 1 < e; ++k) {
                    const int a = kids[k], b = kids[k + 1]; // level of a below level of b
                    if (a < b) m_checks[b].emplace_back(a, true);
                    else m_checks[a].emplace_back(b, false);
                }
            }
            s = e;
        }
    }
}

void TreeAssignmentCount::Canonicalize(std::vector<int>& levels) const {
    std::vector<int> sorted, saved;
    Canonicalize(levels, sorted, saved);
}

void TreeAssignmentCount::Canonicalize(std::vector<int>& levels, std::vector<int>& sorted, std::vector<int>& saved) const {
    for (const SiblingGroup& g : m_groups) {
        sorted = g.roots;
        std::sort(sorted.begin(), sorted.end(), [&](int a, int b) { return levels[a] < levels[b]; });
        saved.clear();
        for (int r : sorted)
            for (int v : m_preorder[r]) saved.push_back(levels[v]);
        std::size_t k = 0;
        for (int r : g.roots)
            for (int v : m_preorder[r]) levels[v] = saved[k++];
    }
}

TreeAssignmentTally TreeAssignmentCount::Merge(const std::vector<TreeAssignmentTally>& shares) {
    TreeAssignmentTally all;
    for (const TreeAssignmentTally& t : shares) {
        all.failing += t.failing;
        all.total += t.total;
        all.visited += t.visited;
        all.tested += t.tested;
        all.complete = all.complete && t.complete;
        // Each share meets its failures in order, so the first of all is the least first.
        if (!t.firstFailing.empty() && (all.firstFailing.empty() || t.firstFailing < all.firstFailing))
            all.firstFailing = t.firstFailing;
    }
    return all;
}

TreeAssignmentTally TreeAssignmentCount::Run(const std::atomic<bool>& stop, std::atomic<std::int64_t>& done, int share,
                                             int shares) const {
    TreeAssignmentTally tally;
    TreeLevelPlanarity judge(m_n, m_edges);
    const int n = m_n;
    std::vector<int> levels(n, 0), mirror(n), sorted, saved;
    sorted.reserve(n);
    saved.reserve(n);
    std::vector<char> used(n + 2, 0);
    std::int64_t unpublished = 0, leaves = 0;
    int v = 0;
    while (v >= 0) {
        if (levels[v]) used[levels[v]] = 0;
        int x = levels[v] + 1;
        for (; x <= n; ++x) {
            if (used[x]) continue;
            bool fits = true;
            for (const auto& [u, above] : m_checks[v])
                if (above ? x < levels[u] : x > levels[u]) {
                    fits = false;
                    break;
                }
            if (fits) break;
        }
        if (x > n) {
            levels[v] = 0;
            --v;
            continue;
        }
        levels[v] = x;
        used[x] = 1;
        if (v + 1 < n) {
            levels[++v] = 0;
            continue;
        }

        if (shares == 1 || (leaves / kShareChunk) % shares == share) {
            ++tally.visited;
            std::int64_t weight = m_automorphisms;
            bool test = true;
            if (m_pruning.reversal) {
                for (int w = 0; w < n; ++w) mirror[w] = n + 1 - levels[w];
                Canonicalize(mirror, sorted, saved);
                if (levels < mirror) weight *= 2;
                else if (mirror < levels) test = false; // counted with the mirror, met earlier
            }
            if (test) {
                ++tally.tested;
                if (!judge.IsLevelPlanar(levels.data())) {
                    tally.failing += weight;
                    if (tally.firstFailing.empty()) tally.firstFailing = levels;
                }
                tally.total += weight;
                unpublished += weight;
            }
        }
        if (++leaves % kPublishEvery == 0) {
            done += unpublished;
            unpublished = 0;
            if (stop.load(std::memory_order_relaxed)) {
                tally.complete = false;
                break;
            }
        }
    }
    done += unpublished;
    return tally;
}
