#pragma once
// Level graph families that stress the level planarity methods, shared by the tests and
// the benchmarks. Vertex x positions are their places in the level, in creation order or,
// with a seed, shuffled.

#include <algorithm>
#include <numeric>
#include <random>
#include <vector>

#include "level/LevelGraph.h"

// Collects vertices per level, then gives them x positions (shuffled when asked) and
// builds the graph.
class LevelGraphSketch {
public:
    int Add(int level) {
        if (level >= static_cast<int>(m_count.size())) m_count.resize(level + 1, 0);
        m_level.push_back(level);
        m_place.push_back(m_count[level]++);
        return static_cast<int>(m_level.size()) - 1;
    }
    void Join(int a, int b) { m_edges.push_back({a, b}); }
    // seed 0 keeps the creation order on every level.
    LevelGraph Build(std::uint32_t seed = 0) const {
        std::vector<int> place = m_place;
        if (seed != 0) {
            std::mt19937 rng(seed);
            std::vector<std::vector<int>> byLevel(m_count.size());
            for (std::size_t v = 0; v < m_level.size(); ++v) byLevel[m_level[v]].push_back(static_cast<int>(v));
            for (auto& level : byLevel) {
                std::vector<int> places(level.size());
                std::iota(places.begin(), places.end(), 0);
                std::shuffle(places.begin(), places.end(), rng);
                for (std::size_t i = 0; i < level.size(); ++i) place[level[i]] = places[i];
            }
        }
        LevelGraph g;
        for (std::size_t v = 0; v < m_level.size(); ++v) g.AddVertex(m_level[v], place[v]);
        for (auto [a, b] : m_edges) {
            if (m_level[a] > m_level[b]) std::swap(a, b);
            g.AddEdge(a, b);
        }
        g.Finish();
        return g;
    }

private:
    std::vector<int> m_level, m_place, m_count;
    std::vector<std::pair<int, int>> m_edges;
};

// Tracks 0..4: a root r, w paths r - p - u up to track 2, w paths d - q - s down from track
// 2 to the root s on track 4, one connector path r - x1 - x2 - x3 - s, and `mixed` paths
// r - a - m - b - s whose middle vertex has edges both ways. Level planar; the w*w pairs
// (u, d) meet no crossing equation.
inline LevelGraphSketch TwoChains(int w, int mixed) {
    LevelGraphSketch s;
    const int r = s.Add(0), top = s.Add(4);
    for (int i = 0; i < w; ++i) {
        const int p = s.Add(1), u = s.Add(2);
        s.Join(r, p);
        s.Join(p, u);
    }
    for (int i = 0; i < w; ++i) {
        const int d = s.Add(2), q = s.Add(3);
        s.Join(d, q);
        s.Join(q, top);
    }
    for (int i = 0; i < 1 + mixed; ++i) {
        const int a = s.Add(1), m = s.Add(2), b = s.Add(3);
        s.Join(r, a);
        s.Join(a, m);
        s.Join(m, b);
        s.Join(b, top);
    }
    return s;
}

// K(w, w) between two adjacent tracks.
inline LevelGraphSketch CompleteBipartite(int w) {
    LevelGraphSketch s;
    std::vector<int> lower, upper;
    for (int i = 0; i < w; ++i) lower.push_back(s.Add(0));
    for (int i = 0; i < w; ++i) upper.push_back(s.Add(1));
    for (int a : lower)
        for (int b : upper) s.Join(a, b);
    return s;
}

// `levels` tracks of `width` vertices; between adjacent tracks a staircase of edges that
// does not cross when every track is in creation order. Level planar; with `components`
// > 1 the tracks are cut into that many independent blocks.
inline LevelGraphSketch Staircases(int levels, int width, std::uint32_t seed, int components = 1) {
    std::mt19937 rng(seed);
    LevelGraphSketch s;
    std::vector<std::vector<int>> tracks(levels);
    for (int l = 0; l < levels; ++l)
        for (int i = 0; i < width; ++i) tracks[l].push_back(s.Add(l));
    std::uniform_int_distribution<int> step(0, 2);
    const int block = std::max(1, width / std::max(1, components));
    for (int l = 0; l + 1 < levels; ++l)
        for (int start = 0; start < width; start += block) {
            const int end = std::min(width, start + block);
            for (int a = start, b = start; a < end && b < end;) {
                s.Join(tracks[l][a], tracks[l + 1][b]);
                const int k = step(rng);
                a += k != 1;
                b += k != 0;
            }
        }
    return s;
}

// A random tree of n vertices whose every edge joins adjacent levels: each new vertex
// hangs one level above or below a random earlier one (levels kept non-negative).
inline LevelGraphSketch RandomLevelTree(std::mt19937& rng, int n) {
    std::vector<int> level{1};
    std::vector<std::pair<int, int>> edges;
    for (int v = 1; v < n; ++v) {
        const int parent = std::uniform_int_distribution<int>(0, v - 1)(rng);
        int l = level[parent] + (std::bernoulli_distribution(0.5)(rng) ? 1 : -1);
        if (l < 0) l = 1;
        level.push_back(l);
        edges.push_back({parent, v});
    }
    LevelGraphSketch s;
    std::vector<int> id;
    for (int l : level) id.push_back(s.Add(l));
    for (auto [a, b] : edges) s.Join(id[a], id[b]);
    return s;
}
