#include "level/CrossingMinimizer.h"

#include <algorithm>
#include <atomic>
#include <future>
#include <numeric>
#include <system_error>

#include "level/GlobalSifting.h"
#include "level/LayerCrossings.h"

namespace {

// Above this many vertices one search runs alone, with the fixed budget: a second would
// double the memory of the balance matrices, and passes are too dear to add more.
constexpr int kSecondSearchVertices = 30000;

// A small deterministic generator for the shuffled starts (SplitMix64).
class SplitMix {
public:
    explicit SplitMix(std::uint64_t seed) : m_state(seed) {}
    std::uint64_t Next() {
        std::uint64_t z = (m_state += 0x9E3779B97F4A7C15ull);
        z = (z ^ (z >> 30)) * 0xBF58476D1CE4E5B9ull;
        z = (z ^ (z >> 27)) * 0x94D049BB133111EBull;
        return z ^ (z >> 31);
    }
    std::size_t Below(std::size_t n) { return static_cast<std::size_t>(Next() % n); }

private:
    std::uint64_t m_state;
};

enum class Side { Lower, Upper };
enum class Rule { Barycenter, Median };

class Minimizer {
public:
    explicit Minimizer(const LevelGraph& g) : m_g(g), m_pos(g.VertexCount(), 0) {}

    void SetOrders(const LevelOrders& orders) {
        m_orders = orders;
        for (int l = 0; l < m_g.LevelCount(); ++l) Renumber(l);
    }
    const LevelOrders& Orders() const { return m_orders; }

    std::int64_t Total() {
        std::int64_t total = 0;
        for (int l = 0; l + 1 < m_g.LevelCount(); ++l) total += GapCrossings(m_g, l, m_pos, m_counter, m_ends);
        return total;
    }

    // One sweep from the lowest level up (each level ordered by its lower neighbours) or
    // from the highest down (by the upper ones).
    void Sweep(bool upwards, Rule rule) {
        const int h = m_g.LevelCount();
        if (upwards)
            for (int l = 1; l < h; ++l) SortLevel(l, Side::Lower, rule);
        else
            for (int l = h - 2; l >= 0; --l) SortLevel(l, Side::Upper, rule);
    }

    // Exchanges of neighbours on a level while they lower the crossings on both sides.
    bool AdjacentExchanges(int l) {
        auto& order = m_orders[l];
        if (order.size() < 2) return false;
        UseLevel(l);
        bool changed = false;
        for (int pass = 0; pass < 32; ++pass) {
            bool swapped = false;
            for (std::size_t i = 0; i + 1 < order.size(); ++i) {
                const int u = order[i], v = order[i + 1];
                if (PairBalance(u, v) > 0) {
                    std::swap(order[i], order[i + 1]);
                    m_pos[order[i]] = static_cast<int>(i);
                    m_pos[order[i + 1]] = static_cast<int>(i + 1);
                    swapped = changed = true;
                }
            }
            if (!swapped) break;
        }
        if (changed) m_version[l] = ++m_clock;
        return changed;
    }

    // Sifting: every vertex in turn goes to the place on its level where its edges cross
    // the fewest others (Matuszewski, Schoenfeld and Molitor).
    void Sift(int l) {
        auto& order = m_orders[l];
        const int n = static_cast<int>(order.size());
        if (n < 2) return;
        UseLevel(l);
        std::vector<int> sequence(order);
        // The busiest vertices first: their place matters most.
        std::stable_sort(sequence.begin(), sequence.end(), [&](int a, int b) { return Degree(a) > Degree(b); });
        bool moved = false;
        for (int v : sequence) {
            // v at the far left costs 0 extra; passing w changes the count by c(w,v) - c(v,w).
            // Places count the other vertices to v's left.
            std::int64_t cost = 0, best = 0;
            int bestPlace = 0, place = 0;
            const int current = m_pos[v];
            for (int w : order) {
                if (w == v) continue;
                cost += PairBalance(w, v);
                ++place;
                if (cost < best || (cost == best && place == current)) {
                    if (cost < best) best = cost;
                    bestPlace = place;
                }
            }
            if (bestPlace == current) continue;
            if (bestPlace < current)
                std::rotate(order.begin() + bestPlace, order.begin() + current, order.begin() + current + 1);
            else
                std::rotate(order.begin() + current, order.begin() + current + 1, order.begin() + bestPlace + 1);
            for (int r = std::min(current, bestPlace); r <= std::max(current, bestPlace); ++r) m_pos[order[r]] = r;
            moved = true;
        }
        if (moved) m_version[l] = ++m_clock;
    }

    // Crossings gap by gap, kept so that a change on one level is recounted on its two gaps.
    std::int64_t Recount() {
        m_gaps.assign(std::max(m_g.LevelCount() - 1, 0), 0);
        std::int64_t total = 0;
        for (int l = 0; l + 1 < m_g.LevelCount(); ++l) total += m_gaps[l] = GapCrossings(m_g, l, m_pos, m_counter, m_ends);
        return total;
    }
    std::int64_t RecountAround(int l) {
        std::int64_t change = 0;
        for (int gap : {l - 1, l})
            if (gap >= 0 && gap + 1 < m_g.LevelCount()) {
                const std::int64_t now = GapCrossings(m_g, gap, m_pos, m_counter, m_ends);
                change += now - m_gaps[gap];
                m_gaps[gap] = now;
            }
        return change;
    }

    // Iterated local search (Lourenco, Martin and Stuetzle): one to all vertices of one level
    // are thrown to random places, then sifting and exchanges repair that level and, while
    // they change something, its neighbours. The result is kept when it has no more
    // crossings than the best so far, so the search also walks along plateaus. The budget is
    // counted in sifting steps (m_work), which keeps the search deterministic where a clock
    // would not be.
    std::int64_t Perturbations(std::int64_t total, SplitMix& random, std::int64_t budget,
                               const std::function<bool()>& keepGoing) {
        const int h = m_g.LevelCount();
        std::vector<int> wide;
        for (int l = 0; l < h; ++l)
            if (m_g.Level(l).size() > 1) wide.push_back(l);
        if (wide.empty()) return total;
        LevelOrders saved = m_orders;
        std::vector<std::int64_t> savedGaps = m_gaps;
        std::vector<std::uint64_t> savedVersions = m_version;
        const std::int64_t n0 = m_g.VertexCount();
        std::vector<int> queue;
        std::vector<char> queued(h, 0);
        std::vector<int> before;
        // Small graphs run out of new throws long before the budget: the search ends when
        // many rounds in a row found nothing better.
        const std::int64_t patience = 40 * static_cast<std::int64_t>(m_g.VertexCount()) + 200;
        const std::int64_t end = m_work + budget;
        // Groups moved whole pay off where the graph is nearly a forest; on denser graphs
        // they mostly waste rounds.
        const bool treeLike = 4 * static_cast<std::int64_t>(m_g.Edges().size()) <= 5 * n0;
        std::int64_t idle = 0;
        for (int round = 0; m_work < end && total > 0 && idle < patience; ++round, ++idle) {
            if (round % 64 == 63 && !keepGoing()) break;
            m_work += h + n0;
            queue.clear();
            if (treeLike && random.Below(2) == 0) {
                ThrowGroup(random, queue);
            } else {
                const int l = wide[random.Below(wide.size())];
                auto& order = m_orders[l];
                const int n = static_cast<int>(order.size());
                const int moves = 1 + static_cast<int>(random.Below(n));
                for (int k = 0; k < moves; ++k) {
                    const int from = static_cast<int>(random.Below(n)), to = static_cast<int>(random.Below(n));
                    const int v = order[from];
                    order.erase(order.begin() + from);
                    order.insert(order.begin() + to, v);
                }
                Renumber(l);
                queue.push_back(l);
            }
            std::int64_t now = total;
            for (int l : queue) {
                now += RecountAround(l);
                queued[l] = 1;
            }
            // On a big graph far from a local optimum the repairs could spread over every
            // level many times: the budget also ends a round, which leaves a valid count.
            while (!queue.empty() && m_work < end) {
                const int at = queue.back();
                queue.pop_back();
                queued[at] = 0;
                before = m_orders[at];
                Sift(at);
                AdjacentExchanges(at);
                if (m_orders[at] != before) now += RecountAround(at);
                // Back where it was before the throw: the neighbours have nothing new to
                // answer to.
                if (m_orders[at] == before || m_orders[at] == saved[at]) continue;
                for (int next : {at - 1, at + 1})
                    if (next >= 0 && next < h && !queued[next]) {
                        queued[next] = 1;
                        queue.push_back(next);
                    }
            }
            for (int at : queue) queued[at] = 0;
            if (now <= total) {
                if (now < total) idle = 0;
                total = now;
                for (int k = 0; k < h; ++k)
                    if (saved[k] != m_orders[k]) saved[k] = m_orders[k];
                savedGaps = m_gaps;
                savedVersions = m_version;
            } else {
                for (int k = 0; k < h; ++k)
                    if (saved[k] != m_orders[k]) {
                        m_orders[k] = saved[k];
                        Renumber(k);
                    }
                m_gaps = savedGaps;
                m_version = savedVersions;
            }
        }
        return total;
    }

    // A connected group of vertices around a random one, moved as one block to the same
    // relative place on each of its levels and mirrored half the time. Subtrees and chains
    // that pay off only when they move together are out of reach of single-vertex moves.
    // The levels changed are added to `levels`.
    void ThrowGroup(SplitMix& random, std::vector<int>& levels) {
        const int n0 = m_g.VertexCount();
        const int size = 2 + static_cast<int>(random.Below(std::clamp(n0 / 4, 1, 40)));
        m_group.assign(1, static_cast<int>(random.Below(n0)));
        m_inGroup.resize(n0, 0);
        m_inGroup[m_group[0]] = 1;
        for (std::size_t i = 0; i < m_group.size() && static_cast<int>(m_group.size()) < size; ++i)
            for (auto nb : {m_g.LowerNeighbours(m_group[i]), m_g.UpperNeighbours(m_group[i])})
                for (int u : nb)
                    if (!m_inGroup[u] && static_cast<int>(m_group.size()) < size) {
                        m_inGroup[u] = 1;
                        m_group.push_back(u);
                    }
        const double at = static_cast<double>(random.Below(1025)) / 1024.0;
        const bool mirror = random.Below(2) != 0;
        for (int v : m_group) {
            const int l = m_g.LevelOf(v);
            if (std::find(levels.begin(), levels.end(), l) != levels.end()) continue;
            levels.push_back(l);
            auto& order = m_orders[l];
            std::vector<int> block, rest;
            for (int w : order) (m_inGroup[w] ? block : rest).push_back(w);
            if (mirror) std::reverse(block.begin(), block.end());
            const auto place = static_cast<std::ptrdiff_t>(at * static_cast<double>(rest.size()) + 0.5);
            rest.insert(rest.begin() + place, block.begin(), block.end());
            order.swap(rest);
            Renumber(l);
        }
        for (int v : m_group) m_inGroup[v] = 0;
    }

    // Local improvement never makes things worse; it runs until a round gains nothing,
    // each round visiting the levels in the other direction so no end is favoured. As every
    // change it makes lowers the count, a round without gain leaves no vertex a better place.
    std::int64_t Polish(std::int64_t total, bool sift, const std::function<bool()>& keepGoing) {
        const int h = m_g.LevelCount();
        for (int round = 0; round < 40 && total > 0 && keepGoing(); ++round) {
            for (int i = 0; i < h; ++i) {
                const int l = round % 2 ? h - 1 - i : i;
                if (sift) Sift(l);
                AdjacentExchanges(l);
            }
            const std::int64_t now = Total();
            if (now >= total) break;
            total = now;
        }
        return total;
    }

    std::int64_t LevelWork(int l) const {
        std::int64_t edges = 0;
        for (int v : m_g.Level(l)) edges += Degree(v);
        return static_cast<std::int64_t>(m_g.Level(l).size()) * (edges + 1);
    }

    std::int64_t SiftWork() const {
        std::int64_t work = 0;
        for (int l = 0; l < m_g.LevelCount(); ++l) {
            std::int64_t edges = 0;
            for (int v : m_g.Level(l)) edges += Degree(v);
            work += static_cast<std::int64_t>(m_g.Level(l).size()) * edges;
        }
        return work;
    }

private:
    int Degree(int v) const {
        return static_cast<int>(m_g.UpperNeighbours(v).size() + m_g.LowerNeighbours(v).size());
    }

    void Renumber(int l) {
        m_version[l] = ++m_clock;
        const auto& order = m_orders[l];
        for (int r = 0; r < static_cast<int>(order.size()); ++r) m_pos[order[r]] = r;
    }

    void SortLevel(int l, Side side, Rule rule) {
        auto& order = m_orders[l];
        // Vertices without neighbours on that side keep their places; the others are
        // ordered by their key among the remaining places.
        m_keyed.clear();
        m_values.clear();
        for (int v : order) {
            const auto nb = side == Side::Lower ? m_g.LowerNeighbours(v) : m_g.UpperNeighbours(v);
            if (nb.empty()) continue;
            m_values.clear();
            for (int u : nb) m_values.push_back(m_pos[u]);
            double key;
            if (rule == Rule::Barycenter) {
                key = std::accumulate(m_values.begin(), m_values.end(), 0.0) / m_values.size();
            } else {
                std::sort(m_values.begin(), m_values.end());
                const std::size_t m = m_values.size();
                key = m % 2 ? m_values[m / 2] : (m_values[m / 2 - 1] + m_values[m / 2]) / 2.0;
            }
            m_keyed.push_back({key, v});
        }
        std::stable_sort(m_keyed.begin(), m_keyed.end(), [](const auto& a, const auto& b) { return a.first < b.first; });
        std::size_t next = 0;
        for (int& slot : order) {
            const auto nb = side == Side::Lower ? m_g.LowerNeighbours(slot) : m_g.UpperNeighbours(slot);
            if (!nb.empty()) slot = m_keyed[next++].second;
        }
        Renumber(l);
    }

    // Sorted neighbour positions of every vertex of level l, both sides, for PairCrossings.
    void PrepareLevel(int l) {
        m_lists.clear();
        for (int v : m_g.Level(l)) {
            m_downAt[v] = {static_cast<int>(m_lists.size()), 0};
            for (int u : m_g.LowerNeighbours(v)) m_lists.push_back(m_pos[u]);
            m_downAt[v].second = static_cast<int>(m_lists.size());
            std::sort(m_lists.begin() + m_downAt[v].first, m_lists.end());
            m_upAt[v] = {static_cast<int>(m_lists.size()), 0};
            for (int u : m_g.UpperNeighbours(v)) m_lists.push_back(m_pos[u]);
            m_upAt[v].second = static_cast<int>(m_lists.size());
            std::sort(m_lists.begin() + m_upAt[v].first, m_lists.end());
        }
    }

    // Sifting and exchanges on level l ask for PairBalance of its vertices. With the level's
    // matrix of balances, kept while the levels around it stay as they are, each answer is
    // one look-up (Matuszewski, Schoenfeld and Molitor); without, it is a merge.
    void UseLevel(int l) {
        m_matrix = nullptr;
        if (m_matrices.empty()) {
            PrepareLevel(l);
            m_work += LevelWork(l);
            return;
        }
        const auto& level = m_g.Level(l);
        const int n = static_cast<int>(level.size());
        const std::pair<std::uint64_t, std::uint64_t> stamp{l > 0 ? m_version[l - 1] : 0,
                                                            l + 1 < m_g.LevelCount() ? m_version[l + 1] : 0};
        // Two matrices per level: a change that is taken back finds the old one again.
        int slot = 0;
        while (slot < 2 && (m_matrices[2 * l + slot].empty() || m_stamps[2 * l + slot] != stamp)) ++slot;
        if (slot == 2) slot = m_lastSlot[l] ^ 1;
        m_lastSlot[l] = slot;
        auto& matrix = m_matrices[2 * l + slot];
        if (matrix.empty() || m_stamps[2 * l + slot] != stamp) {
            FillMatrix(l, matrix);
            m_stamps[2 * l + slot] = stamp;
            m_work += LevelWork(l);
        }
        m_work += static_cast<std::int64_t>(n) * n / 2;
        m_matrix = matrix.data();
        m_matrixWidth = n;
    }

    // The balances of all pairs of level l. For each vertex v a table over the places p of
    // both neighbouring levels holds (neighbours of v left of p) - (those right of p); a
    // pair's balance is then the sum of v's table at w's neighbours, which costs one look-up
    // per edge instead of a merge of two lists per pair.
    void FillMatrix(int l, std::vector<std::int32_t>& matrix) {
        const auto& level = m_g.Level(l);
        const int n = static_cast<int>(level.size());
        const int below = l > 0 ? static_cast<int>(m_g.Level(l - 1).size()) : 0;
        const int width = below + (l + 1 < m_g.LevelCount() ? static_cast<int>(m_g.Level(l + 1).size()) : 0);
        m_table.assign(static_cast<std::size_t>(n) * width, 0);
        m_places.clear();
        m_placesAt.assign(n + 1, 0);
        for (int j = 0; j < n; ++j) {
            const int v = level[j];
            std::int32_t* row = m_table.data() + static_cast<std::size_t>(j) * width;
            for (int u : m_g.LowerNeighbours(v)) m_places.push_back(m_pos[u]);
            for (int u : m_g.UpperNeighbours(v)) m_places.push_back(below + m_pos[u]);
            m_placesAt[j + 1] = static_cast<int>(m_places.size());
            // Each neighbour at place q adds +1 to the places right of q and -1 to those
            // left of it, within its own level's part of the row.
            for (int k = m_placesAt[j]; k < m_placesAt[j + 1]; ++k) {
                const int q = m_places[k];
                const int from = q < below ? 0 : below, to = q < below ? below : width;
                for (int p = from; p < q; ++p) --row[p];
                for (int p = q + 1; p < to; ++p) ++row[p];
            }
        }
        matrix.assign(static_cast<std::size_t>(n) * n, 0);
        for (int i = 0; i < n; ++i)
            for (int j = i + 1; j < n; ++j) {
                const std::int32_t* row = m_table.data() + static_cast<std::size_t>(j) * width;
                std::int32_t d = 0;
                for (int k = m_placesAt[i]; k < m_placesAt[i + 1]; ++k) d += row[m_places[k]];
                matrix[i * n + j] = d;
                matrix[j * n + i] = -d;
            }
    }

    // c(w,v) - c(v,w): what passing w to its right changes for v, both sides.
    std::int64_t PairBalance(int w, int v) const {
        if (m_matrix) return m_matrix[m_g.RankOf(w) * m_matrixWidth + m_g.RankOf(v)];
        return MergedBalance(w, v);
    }

    // The same in one merge per side (pairs with equal ends cross in neither order).
    std::int64_t MergedBalance(int w, int v) const {
        return Balance(m_downAt[w], m_downAt[v]) + Balance(m_upAt[w], m_upAt[v]);
    }

    std::int64_t Balance(std::pair<int, int> left, std::pair<int, int> right) const {
        // greater: pairs with left end > right end; equal: pairs with equal ends.
        std::int64_t greater = 0, equal = 0;
        int lo = right.first, hi = right.first;
        for (int i = left.first; i < left.second; ++i) {
            const int a = m_lists[i];
            while (lo < right.second && m_lists[lo] < a) ++lo;
            if (hi < lo) hi = lo;
            while (hi < right.second && m_lists[hi] == a) ++hi;
            greater += lo - right.first;
            equal += hi - lo;
        }
        const std::int64_t all = std::int64_t(left.second - left.first) * (right.second - right.first);
        return greater - (all - greater - equal);
    }

public:
    void Reserve() {
        m_downAt.assign(m_g.VertexCount(), {0, 0});
        m_upAt.assign(m_g.VertexCount(), {0, 0});
        m_version.assign(m_g.LevelCount(), 0);
    }

    // Matrices of balances for the levels, where all of them together stay below `entries`.
    void KeepMatrices(std::int64_t entries) {
        std::int64_t need = 0;
        for (int l = 0; l < m_g.LevelCount(); ++l) need += static_cast<std::int64_t>(m_g.Level(l).size()) * m_g.Level(l).size();
        if (2 * need > entries) return;
        m_matrices.assign(2 * m_g.LevelCount(), {});
        m_stamps.assign(2 * m_g.LevelCount(), {0, 0});
        m_lastSlot.assign(m_g.LevelCount(), 0);
    }

private:
    const LevelGraph& m_g;
    LevelOrders m_orders;
    std::vector<int> m_pos;
    LayerCrossingCounter m_counter;
    std::vector<std::pair<int, int>> m_ends;
    std::vector<std::pair<double, int>> m_keyed;
    std::vector<double> m_values;
    std::vector<int> m_lists;
    std::vector<std::int32_t> m_table;
    std::vector<int> m_places, m_placesAt;
    std::vector<int> m_group;
    std::vector<char> m_inGroup;
    std::vector<std::pair<int, int>> m_downAt, m_upAt;
    std::vector<std::int64_t> m_gaps;
    // A fresh number from m_clock whenever a level's order changes, so that one number
    // always stands for one order, also after a rejected change is taken back.
    std::vector<std::uint64_t> m_version;
    std::uint64_t m_clock = 0;
    std::vector<std::vector<std::int32_t>> m_matrices;
    std::vector<std::pair<std::uint64_t, std::uint64_t>> m_stamps; // neighbours' versions
    std::vector<int> m_lastSlot;
    const std::int32_t* m_matrix = nullptr;
    int m_matrixWidth = 0;
    std::int64_t m_work = 0; // sifting steps and look-ups so far
};

// Orders met by a breadth-first search from the vertices of the lowest levels: connected
// vertices start close together.
LevelOrders BreadthFirstOrders(const LevelGraph& g, const LevelOrders& start) {
    LevelOrders orders(g.LevelCount());
    std::vector<char> seen(g.VertexCount(), 0);
    std::vector<int> queue;
    for (const auto& level : start)
        for (int root : level) {
            if (seen[root]) continue;
            seen[root] = 1;
            queue.assign(1, root);
            for (std::size_t i = 0; i < queue.size(); ++i) {
                const int v = queue[i];
                orders[g.LevelOf(v)].push_back(v);
                for (auto nb : {g.LowerNeighbours(v), g.UpperNeighbours(v)})
                    for (int u : nb)
                        if (!seen[u]) {
                            seen[u] = 1;
                            queue.push_back(u);
                        }
            }
        }
    return orders;
}

LevelOrders ShuffledOrders(const LevelOrders& start, std::uint64_t seed) {
    SplitMix random(seed);
    LevelOrders orders = start;
    for (auto& level : orders)
        for (std::size_t i = level.size(); i > 1; --i) std::swap(level[i - 1], level[random.Below(i)]);
    return orders;
}

// A fixed budget gives a graph of a few hundred vertices a dozen sifting passes and a small
// one far more than it needs (small searches end when they stop finding anything), so up to
// the size where a second search runs, the budget follows the graph within bounds. Above
// it, more passes cost far more time than they gain.
std::int64_t SearchBudget(const CrossingMinimizerOptions& options, const LevelGraph& g, std::int64_t passWork) {
    if (options.searchWork <= 0 || g.VertexCount() > kSecondSearchVertices) return std::max<std::int64_t>(options.searchWork, 0);
    return std::clamp(options.searchPasses * passWork, options.searchWork,
                      std::max(options.searchWork, options.searchWorkLimit));
}

// One search: the starts, block sifting and the perturbation search, with its shuffles and
// throws drawn from `seed`. `report` gets the fraction done and says whether to go on; a
// stopped search gives back `start` and `cancelled`. A second search leaves the given and
// the breadth-first starts to the first, where it has two shuffled starts or more: they end
// the same in both.
CrossingMinimizerResult Search(const LevelGraph& g, const LevelOrders& start, const CrossingMinimizerOptions& options,
                               std::uint64_t seed, const std::function<bool(double)>& report, bool second) {
    CrossingMinimizerResult result;
    result.orders = start;
    result.orders.resize(g.LevelCount());

    Minimizer m(g);
    m.Reserve();
    m.KeepMatrices(8 << 20);
    m.SetOrders(result.orders);
    result.crossings = m.Total();
    const int vertices = g.VertexCount();
    // Restarts and sifting cost time in proportion to the graph; big graphs get fewer. Small
    // sparse graphs are cheap to restart and their local optima lie far apart, so the number
    // of restarts follows the cost of a sifting pass.
    const std::int64_t passWork = std::max<std::int64_t>(m.SiftWork(), 1);
    const int affordable = static_cast<int>(std::min<std::int64_t>(options.restartWork / passWork, options.restarts));
    const int restarts = vertices <= 3000 ? std::clamp(affordable, std::min(options.restarts, 1), options.restarts)
                         : vertices <= 30000 ? std::min(options.restarts, 1) : 0;
    const bool sift = m.SiftWork() <= 400000000;
    const int starts = 1 + (restarts > 0 ? 1 + restarts : 0);
    // Rounds of sifting on big graphs take a while, so they ask too.
    bool stopped = false;
    int startsDone = 0;
    const std::function<bool()> keepGoing = [&] {
        stopped = stopped || !report(double(startsDone) / (starts + 1));
        return !stopped;
    };
    auto cancelled = [&] {
        result.cancelled = true;
        result.orders = start;
        result.orders.resize(g.LevelCount());
        return result;
    };

    // Long edges moved whole: kept only where they lower the count, polished level by level.
    // A round passes every block by every other, so where one round would not fit in the
    // budget (big graphs) it is not tried.
    const std::int64_t n = g.VertexCount();
    std::int64_t blockWork = n * n <= options.blockSiftWork ? options.blockSiftWork : 0;
    auto siftBlocks = [&](std::int64_t total) {
        if (total == 0 || blockWork <= 0) return total;
        GlobalSiftingResult moved = GlobalSifting(g, m.Orders(), blockWork);
        if (moved.crossings >= total) return total;
        m.SetOrders(moved.orders);
        return m.Polish(moved.crossings, sift, keepGoing);
    };

    for (int s = second && starts > 3 ? 2 : 0; s < starts && result.crossings > 0; ++s) {
        startsDone = s;
        if (!keepGoing()) return cancelled();
        m.SetOrders(s == 0 ? result.orders
                   : s == 1 ? BreadthFirstOrders(g, start)
                            : ShuffledOrders(start, seed * 0x100000001B3ull + static_cast<std::uint64_t>(s)));
        std::int64_t best = m.Total();
        LevelOrders bestOrders = m.Orders();
        // Sweeps, alternating the two rules, until a few rounds bring nothing better.
        for (int round = 0, idle = 0; round < 24 && idle < 4 && best > 0; ++round) {
            const Rule rule = round % 2 ? Rule::Median : Rule::Barycenter;
            m.Sweep(true, rule);
            m.Sweep(false, rule);
            const std::int64_t now = m.Total();
            if (now < best) {
                best = now;
                bestOrders = m.Orders();
                idle = 0;
            } else {
                ++idle;
            }
        }
        m.SetOrders(bestOrders);
        best = m.Polish(best, sift, keepGoing);
        if (stopped) return cancelled();
        if (best < result.crossings) {
            result.crossings = best;
            result.orders = m.Orders();
        }
    }
    const std::int64_t searchBudget = SearchBudget(options, g, m.SiftWork());
    if (result.crossings > 0 && searchBudget > 0) {
        m.SetOrders(result.orders);
        // The search starts from the best start with its long edges moved whole, and what it
        // finds gets the same treatment.
        const std::int64_t moved = siftBlocks(result.crossings);
        if (stopped) return cancelled();
        if (moved < result.crossings) {
            result.crossings = moved;
            result.orders = m.Orders();
        }
        m.Recount();
        SplitMix random(seed ^ 0xC2B2AE3D27D4EB4Full);
        startsDone = starts;
        const std::int64_t found = m.Perturbations(result.crossings, random, searchBudget, keepGoing);
        std::int64_t polished = stopped ? found : m.Polish(found, sift, keepGoing);
        if (stopped) return cancelled();
        polished = siftBlocks(polished);
        if (stopped) return cancelled();
        if (polished < result.crossings) {
            result.crossings = polished;
            result.orders = m.Orders();
        }
    }
    return result;
}

// A seed of its own for the search beside the first, so that its random starts and moves differ.
std::uint64_t SecondSeed(std::uint64_t seed) { return seed * 0xD1B54A32D192ED03ull + 0x8BB84B93962EACC9ull; }

} // namespace

CrossingMinimizerResult MinimizeCrossings(const LevelGraph& g, const LevelOrders& start,
                                          const CrossingMinimizerOptions& options) {
    CrossingMinimizerResult result;
    result.orders = start;
    result.orders.resize(g.LevelCount());
    if (ExactMinimumCrossings(g, options.exactBudget, result.orders, result.crossings)) {
        result.optimal = true;
        return result;
    }
    auto report = [&](double fraction) { return !options.progress || options.progress(fraction); };

    // The local optima that different searches reach lie far apart: a second search from
    // other shuffles and throws gains about as much as a first one twice as long, and it runs
    // on a core of its own. It never calls `progress`; the first search does, and a cancel
    // there stops both. The better result wins, the first on a tie, so the orders are the
    // same whether the second search ran beside the first or after it.
    const bool second = options.secondSearch && g.VertexCount() <= kSecondSearchVertices;
    std::atomic<bool> stop{false};
    auto secondSearch = [&](const std::function<bool(double)>& reportSecond) {
        return Search(g, start, options, SecondSeed(options.seed), reportSecond, true);
    };
    std::future<CrossingMinimizerResult> beside;
    if (second && options.parallel) {
        try {
            beside = std::async(std::launch::async, secondSearch,
                                [&](double) { return !stop.load(std::memory_order_relaxed); });
        } catch (const std::system_error&) {
            // No thread to be had: the second search runs after the first.
        }
    }
    // However the first search ends, the second one stops and is waited for.
    struct Settle {
        std::atomic<bool>& stop;
        std::future<CrossingMinimizerResult>& beside;
        ~Settle() {
            stop = true;
            if (beside.valid()) beside.wait();
        }
    } settle{stop, beside};

    // Searches one after the other share the progress bar.
    const double share = second && !beside.valid() ? 0.5 : 1.0;
    CrossingMinimizerResult best = Search(g, start, options, options.seed, [&](double fraction) {
        const bool go = report(share * fraction);
        if (!go) stop = true;
        return go;
    }, false);
    if (best.cancelled) return best;
    if (second) {
        CrossingMinimizerResult other =
            beside.valid() ? beside.get() : secondSearch([&](double fraction) { return report(0.5 + 0.5 * fraction); });
        if (other.cancelled) return other;
        if (other.crossings < best.crossings) best = std::move(other);
    }
    if (best.crossings == 0) best.optimal = true;
    report(1.0);
    return best;
}
