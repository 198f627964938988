#include "level/TreeAssignmentCount.h"

#include <algorithm>
#include <array>
#include <stdexcept>
#include <string>

#include "level/GrowingTreeLevelPlanarity.h"
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
        code[v].assign(1, '(');
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
    BuildSearchOrder(root, children, code);
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

TreeAssignmentTally TreeAssignmentCount::MergeInOrder(const std::vector<TreeAssignmentTally>& parts) {
    TreeAssignmentTally all;
    for (const TreeAssignmentTally& t : parts) {
        all.failing += t.failing;
        all.total += t.total;
        all.visited += t.visited;
        all.tested += t.tested;
        all.cutOff += t.cutOff;
        all.complete = all.complete && t.complete;
        if (all.firstFailing.empty()) all.firstFailing = t.firstFailing;
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

void TreeAssignmentCount::BuildSearchOrder(int root, const std::vector<std::vector<int>>& children,
                                           const std::vector<std::string>& code) {
    const int n = m_n;
    // Breadth first keeps every placed set connected (more constraints early) and puts the
    // centres first, so the reversal cut is known after one or two vertices.
    std::vector<int> queue{root}, index(children.size(), -1);
    m_chainPrev.clear();
    for (std::size_t q = 0; q < queue.size(); ++q) {
        const int v = queue[q];
        if (v < n) {
            index[v] = static_cast<int>(m_searchVertex.size());
            m_searchVertex.push_back(v);
        }
        const auto& kids = children[v];
        for (std::size_t k = 0; k < kids.size(); ++k) queue.push_back(kids[k]);
    }
    m_centreLast = root == n ? 1 : 0;
    m_chainPrev.assign(n, -1);
    std::vector<int> chainLength; // of each chain, by its first member's search index
    std::vector<int> chainStart(n, 0);
    if (m_pruning.automorphisms)
        for (std::size_t q = 0; q < queue.size(); ++q) {
            const auto& kids = children[queue[q]];
            for (std::size_t k = 1; k < kids.size(); ++k)
                if (code[kids[k]] == code[kids[k - 1]]) m_chainPrev[index[kids[k]]] = index[kids[k - 1]];
        }
    for (int i = 0; i < n; ++i)
        if (m_chainPrev[i] >= 0) chainStart[i] = chainStart[m_chainPrev[i]];
        else chainStart[i] = i;
    std::vector<int> length(n, 0);
    for (int i = 0; i < n; ++i) ++length[chainStart[i]];
    // Completions of 0..i: the other n - 1 - i vertices take the free levels in any order
    // that keeps each of their chains increasing.
    m_completions.assign(n, 0);
    for (int i = 0; i < n; ++i) {
        std::int64_t c = 1;
        for (int r = 2; r <= n - 1 - i; ++r) c *= r;
        for (int j = i + 1; j < n; ++j)
            if (chainStart[j] == j)
                for (int r = 2; r <= length[j]; ++r) c /= r;
        m_completions[i] = c;
    }
    for (const auto& [a, b] : m_edges) m_searchEdges.emplace_back(index[a], index[b]);
}

bool TreeAssignmentCount::TakeNextLevel(int i, std::span<int> track, std::span<char> used) const {
    if (track[i]) used[track[i]] = 0;
    // Isomorphic siblings take increasing levels, so vertex i starts above its chain's previous one.
    int x = std::max(track[i], m_chainPrev[i] >= 0 ? track[m_chainPrev[i]] : 0) + 1;
    while (x <= m_n && used[x]) ++x;
    if (x > m_n) {
        track[i] = 0;
        return false;
    }
    track[i] = x;
    used[x] = 1;
    return true;
}

std::vector<std::vector<int>> TreeAssignmentCount::Prefixes(int depth) const {
    // The search's own first steps, in its order, down to `depth` placed vertices.
    const int n = m_n;
    std::vector<std::vector<int>> prefixes;
    std::vector<int> track(depth, 0);
    std::vector<char> used(n + 2, 0);
    int i = 0;
    while (i >= 0 && depth > 0) {
        if (!TakeNextLevel(i, track, used)) {
            --i;
            continue;
        }
        if (i == m_centreLast && m_pruning.reversal) {
            const int sum = m_centreLast ? track[0] + track[1] : 2 * track[0];
            if (sum > n + 1) continue;
        }
        if (i + 1 == depth) prefixes.push_back(track);
        else track[++i] = 0;
    }
    return prefixes;
}

TreeAssignmentTally TreeAssignmentCount::Search(const std::atomic<bool>& stop, std::atomic<std::int64_t>& done) const {
    return Search(std::vector<int>{}, stop, done);
}

TreeAssignmentTally TreeAssignmentCount::Search(const std::vector<int>& prefix, const std::atomic<bool>& stop,
                                                std::atomic<std::int64_t>& done) const {
    TreeAssignmentTally tally;
    const int n = m_n;
    const int floor = static_cast<int>(prefix.size());
    if (floor >= n) throw std::invalid_argument("prefix too long");
    GrowingTreeLevelPlanarity judge(n, m_searchEdges);
    std::array<int, kMaxVertices> track{}; // by search index, 0 while not placed
    std::array<char, kMaxVertices + 2> used{};
    std::array<char, kMaxVertices> placed{}; // handed to the judge
    std::int64_t unpublished = 0, steps = 0;
    std::int64_t factor = 1; // 2 where the mirror image stands in the same count
    auto weigh = [&] {
        factor = 1;
        if (!m_pruning.reversal) return true;
        const int sum = m_centreLast ? track[0] + track[1] : 2 * track[0];
        if (sum > n + 1) return false; // the mirror of one already counted
        if (sum < n + 1) factor = 2;
        return true;
    };
    for (int i = 0; i < floor; ++i) {
        track[i] = prefix[i];
        used[track[i]] = 1;
        judge.Place(i, track[i]);
    }
    if (floor > m_centreLast && !weigh()) return tally;

    auto count = [&](std::int64_t weight, bool fails, int placedCount) {
        tally.total += weight;
        unpublished += weight;
        if (!fails) return;
        tally.failing += weight;
        if (!tally.firstFailing.empty()) return;
        // The least completion: the free levels in increasing order keep every chain
        // increasing.
        std::array<int, kMaxVertices> full = track;
        int next = 1;
        for (int i = placedCount; i < n; ++i) {
            while (used[next]) ++next;
            full[i] = next++;
        }
        tally.firstFailing.assign(n, 0);
        for (int i = 0; i < n; ++i) tally.firstFailing[m_searchVertex[i]] = full[i];
    };

    int i = floor;
    while (i >= floor) {
        // Take the next level for vertex i, or go back.
        if (placed[i]) {
            judge.TakeBack();
            placed[i] = 0;
        }
        if (!TakeNextLevel(i, track, used)) {
            --i;
            continue;
        }
        if (i == m_centreLast && !weigh()) continue;
        if (++steps % kPublishEvery == 0) {
            done += unpublished;
            unpublished = 0;
            if (stop.load(std::memory_order_relaxed)) {
                tally.complete = false;
                break;
            }
        }
        const bool drawable = judge.Place(i, track[i]);
        placed[i] = 1;
        if (i + 1 == n) {
            ++tally.visited;
            ++tally.tested;
            count(m_automorphisms * factor, !(drawable && judge.IsLevelPlanar()), n);
            continue;
        }
        // A placed drawing that already fails fails in every completion. Counting them
        // needs the placed set to be closed under the chains (m_completions[i]) and the
        // mirror weight known.
        if (!drawable && m_pruning.partial && i + 1 >= m_pruning.cutFrom && i >= m_centreLast &&
            m_chainPrev[i + 1] != i) {
            const std::int64_t weight = m_automorphisms * factor * m_completions[i];
            tally.cutOff += weight;
            count(weight, true, i + 1);
            continue;
        }
        track[++i] = 0;
    }
    done += unpublished;
    return tally;
}
