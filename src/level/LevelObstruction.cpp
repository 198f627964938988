#include "level/LevelObstruction.h"

#include <algorithm>
#include <cstdint>
#include <numeric>
#include <unordered_map>

#include "graph/DisjointSets.h"
#include "level/LevelPairClasses.h"

namespace {

// Beyond this many order constraints the odd-cycle shortcut is not worth building.
constexpr std::int64_t kMaxConstraints = 3000000;

class Filter {
public:
    Filter(const LevelGraph& g, const std::vector<int>& groupOfEdge) : m_g(g), m_groupOf(groupOfEdge) {
        int groups = 0;
        for (int group : groupOfEdge) groups = std::max(groups, group + 1);
        m_edgesOf.resize(groups);
        for (int e = 0; e < static_cast<int>(groupOfEdge.size()); ++e) m_edgesOf[groupOfEdge[e]].push_back(e);
    }

    int GroupCount() const { return static_cast<int>(m_edgesOf.size()); }

    bool Planar(const std::vector<int>& groups) const {
        LevelGraph sub;
        std::vector<int> index(m_g.VertexCount(), -1);
        auto vertex = [&](int v) {
            if (index[v] < 0) index[v] = sub.AddVertex(m_g.LevelOf(v), m_g.RankOf(v));
            return index[v];
        };
        for (int group : groups)
            for (int e : m_edgesOf[group]) {
                const auto& edge = m_g.Edges()[e];
                const int a = vertex(edge.lower), b = vertex(edge.upper);
                sub.AddEdge(a, b);
            }
        // Empty levels below the lowest vertex would only be skipped.
        sub.Finish();
        return LevelPlanarByEquations(sub);
    }

    // The groups of each connected component of the given groups' edges.
    std::vector<std::vector<int>> Components(const std::vector<int>& groups) const {
        DisjointSets sets(m_g.VertexCount());
        for (int group : groups)
            for (int e : m_edgesOf[group]) sets.Join(m_g.Edges()[e].lower, m_g.Edges()[e].upper);
        std::unordered_map<int, int> slot;
        std::vector<std::vector<int>> components;
        for (int group : groups) {
            const int r = sets.Find(m_g.Edges()[m_edgesOf[group].front()].lower);
            auto [it, fresh] = slot.emplace(r, static_cast<int>(components.size()));
            if (fresh) components.emplace_back();
            components[it->second].push_back(group);
        }
        return components;
    }

    // The groups met by an odd cycle of order constraints, or nothing.
    std::vector<int> OddCycle() const {
        std::int64_t constraints = 0;
        for (int l = 0; l + 1 < m_g.LevelCount(); ++l) {
            const std::int64_t k = static_cast<std::int64_t>(m_g.EdgesBelowGap(l).size());
            constraints += k * (k - 1) / 2;
            if (constraints > kMaxConstraints) return {};
        }
        // Pair nodes: two vertices of a level, the one with the smaller index first; its
        // value says whether that one lies to the left.
        std::unordered_map<std::uint64_t, int> node;
        auto pairNode = [&](int a, int b) {
            const std::uint64_t key = (std::uint64_t(std::uint32_t(std::min(a, b))) << 32) | std::uint32_t(std::max(a, b));
            return node.emplace(key, static_cast<int>(node.size())).first->second;
        };
        struct Tie {
            int x, y, parity, e1, e2;
        };
        std::vector<Tie> ties;
        for (int l = 0; l + 1 < m_g.LevelCount(); ++l) {
            const auto gap = m_g.EdgesBelowGap(l);
            for (std::size_t i = 0; i < gap.size(); ++i)
                for (std::size_t j = i + 1; j < gap.size(); ++j) {
                    const auto& p = m_g.Edges()[gap[i]];
                    const auto& q = m_g.Edges()[gap[j]];
                    if (p.lower == q.lower || p.upper == q.upper) continue;
                    // p.lower left of q.lower exactly when p.upper is left of q.upper.
                    const int parity = (p.lower > q.lower) != (p.upper > q.upper);
                    ties.push_back({pairNode(p.lower, q.lower), pairNode(p.upper, q.upper), parity, gap[i], gap[j]});
                }
        }
        const int nodes = static_cast<int>(node.size());
        std::vector<int> start(nodes + 1, 0), adjacent(2 * ties.size());
        for (const Tie& t : ties) {
            ++start[t.x + 1];
            ++start[t.y + 1];
        }
        std::partial_sum(start.begin(), start.end(), start.begin());
        std::vector<int> fill(start.begin(), start.end() - 1);
        for (int t = 0; t < static_cast<int>(ties.size()); ++t) {
            adjacent[fill[ties[t].x]++] = t;
            adjacent[fill[ties[t].y]++] = t;
        }
        // Breadth-first two-colouring; the first tie that disagrees closes an odd cycle.
        std::vector<int> colour(nodes, -1), parentTie(nodes, -1), depth(nodes, 0), queue;
        for (int s = 0; s < nodes; ++s) {
            if (colour[s] >= 0) continue;
            colour[s] = 0;
            queue.assign(1, s);
            for (std::size_t qi = 0; qi < queue.size(); ++qi) {
                const int x = queue[qi];
                for (int k = start[x]; k < start[x + 1]; ++k) {
                    const Tie& t = ties[adjacent[k]];
                    const int y = t.x == x ? t.y : t.x;
                    const int want = colour[x] ^ t.parity;
                    if (colour[y] < 0) {
                        colour[y] = want;
                        parentTie[y] = adjacent[k];
                        depth[y] = depth[x] + 1;
                        queue.push_back(y);
                    } else if (colour[y] != want) {
                        return CycleGroups(ties, parentTie, depth, x, y, adjacent[k]);
                    }
                }
            }
        }
        return {};
    }

private:
    template <typename Ties>
    std::vector<int> CycleGroups(const Ties& ties, const std::vector<int>& parentTie, const std::vector<int>& depth, int a,
                                 int b, int closing) const {
        std::vector<int> groups;
        auto take = [&](int tie) {
            groups.push_back(m_groupOf[ties[tie].e1]);
            groups.push_back(m_groupOf[ties[tie].e2]);
        };
        auto up = [&](int v) {
            const auto& t = ties[parentTie[v]];
            take(parentTie[v]);
            return t.x == v ? t.y : t.x;
        };
        take(closing);
        while (a != b) {
            if (depth[a] >= depth[b]) a = up(a);
            else b = up(b);
        }
        std::sort(groups.begin(), groups.end());
        groups.erase(std::unique(groups.begin(), groups.end()), groups.end());
        return groups;
    }

    const LevelGraph& m_g;
    const std::vector<int>& m_groupOf;
    std::vector<std::vector<int>> m_edgesOf;
};

} // namespace

bool GroupsLevelPlanar(const LevelGraph& g, const std::vector<int>& groupOfEdge, const std::vector<int>& groups) {
    return Filter(g, groupOfEdge).Planar(groups);
}

LevelObstruction FindLevelObstruction(const LevelGraph& g, const std::vector<int>& groupOfEdge,
                                      const std::function<bool()>& keepGoing) {
    LevelObstruction result;
    const Filter filter(g, groupOfEdge);
    auto going = [&] {
        if (!keepGoing || keepGoing()) return true;
        result.cancelled = true;
        return false;
    };

    std::vector<int> all(filter.GroupCount());
    std::iota(all.begin(), all.end(), 0);
    std::vector<int> w;
    // The odd cycle, when there is one, is a reason already, and usually a small one.
    if (std::vector<int> cycle = filter.OddCycle(); !cycle.empty() && !filter.Planar(cycle)) {
        w = std::move(cycle);
    } else {
        // A union of level planar components is level planar, so some component is not.
        for (auto& component : filter.Components(all)) {
            if (!going()) return result;
            if (!filter.Planar(component)) {
                w = std::move(component);
                break;
            }
        }
        if (w.empty()) {
            result.planar = true;
            return result;
        }
    }

    // Deletion filtering, first in halves and quarters to shed the bulk quickly; the last
    // pass, one group at a time, makes the set minimal: removing any group that remains
    // made the graph of that moment level planar, and so every smaller one too.
    std::vector<int> trial;
    for (std::size_t chunk = std::max<std::size_t>(1, w.size() / 2);; chunk = std::max<std::size_t>(1, chunk / 2)) {
        for (std::size_t i = 0; i < w.size();) {
            if (!going()) return result;
            trial.assign(w.begin(), w.begin() + i);
            trial.insert(trial.end(), w.begin() + std::min(w.size(), i + chunk), w.end());
            if (!trial.empty() && !filter.Planar(trial)) w.swap(trial);
            else i += chunk;
        }
        if (chunk == 1) break;
    }
    std::sort(w.begin(), w.end());
    result.groups = std::move(w);
    return result;
}
