#include "KuratowskiOracle.h"

#include <algorithm>
#include <array>
#include <set>

namespace {

class SubdivisionSearch {
public:
    SubdivisionSearch(int n, const EdgeList& edges) : m_n(n), m_adj(n), m_used(n, false), m_branch(n, false) {
        std::set<std::pair<int, int>> seen;
        for (auto [a, b] : edges) {
            if (a == b) continue;
            if (seen.insert({std::min(a, b), std::max(a, b)}).second) {
                m_adj[a].push_back(b);
                m_adj[b].push_back(a);
            }
        }
    }

    bool HasSubdivision() {
        std::vector<int> deg3, deg4;
        for (int v = 0; v < m_n; ++v) {
            if (m_adj[v].size() >= 3) deg3.push_back(v);
            if (m_adj[v].size() >= 4) deg4.push_back(v);
        }
        std::vector<int> pick;
        return ChooseK5(deg4, 0, pick) || ChooseK33(deg3, 0, pick);
    }

private:
    bool ChooseK5(const std::vector<int>& candidates, std::size_t from, std::vector<int>& pick) {
        if (pick.size() == 5) {
            std::vector<std::pair<int, int>> pairs;
            for (int i = 0; i < 5; ++i)
                for (int j = i + 1; j < 5; ++j) pairs.push_back({pick[i], pick[j]});
            return Connect(pick, pairs);
        }
        for (std::size_t i = from; i < candidates.size(); ++i) {
            pick.push_back(candidates[i]);
            if (ChooseK5(candidates, i + 1, pick)) return true;
            pick.pop_back();
        }
        return false;
    }

    bool ChooseK33(const std::vector<int>& candidates, std::size_t from, std::vector<int>& pick) {
        if (pick.size() == 6) {
            // pick[0] is on side A; choose its two companions among the other five.
            for (int i = 1; i < 6; ++i)
                for (int j = i + 1; j < 6; ++j) {
                    std::vector<int> a{pick[0], pick[i], pick[j]}, b;
                    for (int k = 1; k < 6; ++k)
                        if (k != i && k != j) b.push_back(pick[k]);
                    std::vector<std::pair<int, int>> pairs;
                    for (int x : a)
                        for (int y : b) pairs.push_back({x, y});
                    if (Connect(pick, pairs)) return true;
                }
            return false;
        }
        for (std::size_t i = from; i < candidates.size(); ++i) {
            pick.push_back(candidates[i]);
            if (ChooseK33(candidates, i + 1, pick)) return true;
            pick.pop_back();
        }
        return false;
    }

    // Internally disjoint paths for all pairs, avoiding the other branch vertices.
    bool Connect(const std::vector<int>& branch, const std::vector<std::pair<int, int>>& pairs) {
        for (int v : branch) m_branch[v] = true;
        const bool found = Route(pairs, 0);
        for (int v : branch) m_branch[v] = false;
        return found;
    }

    bool Route(const std::vector<std::pair<int, int>>& pairs, std::size_t k) {
        if (k == pairs.size()) return true;
        return Extend(pairs, k, pairs[k].first, pairs[k].second);
    }

    bool Extend(const std::vector<std::pair<int, int>>& pairs, std::size_t k, int at, int target) {
        for (int w : m_adj[at]) {
            if (w == target) {
                if (Route(pairs, k + 1)) return true;
                continue;
            }
            if (m_branch[w] || m_used[w]) continue;
            m_used[w] = true;
            const bool found = Extend(pairs, k, w, target);
            m_used[w] = false;
            if (found) return true;
        }
        return false;
    }

    int m_n;
    std::vector<std::vector<int>> m_adj;
    std::vector<bool> m_used, m_branch;
};

} // namespace

bool IsPlanarByKuratowski(int n, const EdgeList& edges) { return !SubdivisionSearch(n, edges).HasSubdivision(); }
