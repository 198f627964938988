#include "GraphFamilies.h"

#include <algorithm>
#include <array>
#include <map>
#include <set>

#include <gtest/gtest.h>

namespace {

using Face = std::array<int, 3>;

} // namespace

EdgeList StackedTriangulation(int n, std::mt19937& rng) {
    EdgeList edges{{0, 1}, {1, 2}, {2, 0}};
    std::vector<Face> faces{{0, 1, 2}, {0, 2, 1}};
    for (int v = 3; v < n; ++v) {
        const std::size_t f = std::uniform_int_distribution<std::size_t>(0, faces.size() - 1)(rng);
        const Face face = faces[f];
        for (int c : face) edges.push_back({c, v});
        faces[f] = {face[0], face[1], v};
        faces.push_back({face[1], face[2], v});
        faces.push_back({face[2], face[0], v});
    }
    return edges;
}

EdgeList FlippedTriangulation(int n, int flips, std::mt19937& rng) {
    // Faces as oriented triangles; an edge flip replaces the two faces at an edge.
    std::vector<Face> faces{{0, 1, 2}, {0, 2, 1}};
    for (int v = 3; v < n; ++v) {
        const std::size_t f = std::uniform_int_distribution<std::size_t>(0, faces.size() - 1)(rng);
        const Face face = faces[f];
        faces[f] = {face[0], face[1], v};
        faces.push_back({face[1], face[2], v});
        faces.push_back({face[2], face[0], v});
    }
    auto key = [](int a, int b) { return std::make_pair(std::min(a, b), std::max(a, b)); };
    // Directed edge (a, b) -> the face that has it in this orientation.
    std::map<std::pair<int, int>, std::size_t> owner;
    for (std::size_t f = 0; f < faces.size(); ++f)
        for (int k = 0; k < 3; ++k) owner[{faces[f][k], faces[f][(k + 1) % 3]}] = f;
    for (int i = 0; i < flips; ++i) {
        const std::size_t f = std::uniform_int_distribution<std::size_t>(0, faces.size() - 1)(rng);
        const int k = std::uniform_int_distribution<int>(0, 2)(rng);
        const int a = faces[f][k], b = faces[f][(k + 1) % 3], c = faces[f][(k + 2) % 3];
        const std::size_t g = owner[{b, a}];
        int d = -1;
        for (int j = 0; j < 3; ++j)
            if (faces[g][j] != a && faces[g][j] != b) d = faces[g][j];
        if (c == d || owner.count({c, d})) continue; // the flip would double an edge
        // (a, b, c) and (b, a, d) become (a, d, c) and (b, c, d).
        faces[f] = {a, d, c};
        faces[g] = {b, c, d};
        owner.erase({a, b});
        owner.erase({b, a});
        owner[{a, d}] = f;
        owner[{d, c}] = f;
        owner[{c, a}] = f;
        owner[{b, c}] = g;
        owner[{c, d}] = g;
        owner[{d, b}] = g;
    }
    std::set<std::pair<int, int>> seen;
    EdgeList edges;
    for (const Face& face : faces)
        for (int k = 0; k < 3; ++k) {
            const auto e = key(face[k], face[(k + 1) % 3]);
            if (seen.insert(e).second) edges.push_back(e);
        }
    return edges;
}

EdgeList Grid(int rows, int columns) {
    EdgeList edges;
    for (int r = 0; r < rows; ++r)
        for (int c = 0; c < columns; ++c) {
            const int v = r * columns + c;
            if (c + 1 < columns) edges.push_back({v, v + 1});
            if (r + 1 < rows) edges.push_back({v, v + columns});
        }
    return edges;
}

EdgeList Complete(int n) {
    EdgeList edges;
    for (int a = 0; a < n; ++a)
        for (int b = a + 1; b < n; ++b) edges.push_back({a, b});
    return edges;
}

EdgeList CompleteBipartite(int a, int b) {
    EdgeList edges;
    for (int i = 0; i < a; ++i)
        for (int j = 0; j < b; ++j) edges.push_back({i, a + j});
    return edges;
}

EdgeList Petersen() {
    EdgeList edges;
    for (int i = 0; i < 5; ++i) {
        edges.push_back({i, (i + 1) % 5});
        edges.push_back({i, i + 5});
        edges.push_back({5 + i, 5 + (i + 2) % 5});
    }
    return edges;
}

EdgeList Subdivide(const EdgeList& edges, int n, int extra, int& vertexCount) {
    EdgeList out;
    vertexCount = n;
    for (auto [a, b] : edges) {
        int prev = a;
        for (int i = 0; i < extra; ++i) {
            out.push_back({prev, vertexCount});
            prev = vertexCount++;
        }
        out.push_back({prev, b});
    }
    return out;
}

int VertexCount(const EdgeList& edges) {
    int n = 0;
    for (auto [a, b] : edges) n = std::max({n, a + 1, b + 1});
    return n;
}

void Shuffle(EdgeList& edges, std::mt19937& rng) {
    std::shuffle(edges.begin(), edges.end(), rng);
    for (auto& e : edges)
        if (rng() & 1) std::swap(e.first, e.second);
}

void BuildDocument(TestDoc& t, int n, const EdgeList& edges) {
    std::vector<CVertex*> vs;
    for (int i = 0; i < n; ++i) vs.push_back(t.Vertex(100 + 40 * (i % 100), 100 + 40 * (i / 100), "v" + std::to_string(i)));
    for (auto [a, b] : edges) t.Edge(vs[a], vs[b]);
}

bool CommandSaysPlanar(int n, const EdgeList& edges) {
    TestDoc t;
    t.d().m_autoCrossings = false;
    BuildDocument(t, n, edges);
    t.d().RunPlanarityTesting(false);
    EXPECT_EQ(t.platform.m_messages.size(), 1u);
    EXPECT_TRUE(t.d().m_pqTrees.empty());
    return !t.platform.m_messages.empty() && t.platform.m_messages.back() == "The graph is planar.";
}
