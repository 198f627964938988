#pragma once
// Test helpers for tree shapes: canonical forms computed the slow, obvious way (rooted at
// every vertex in turn), so that they check the generators' own symmetry code instead of
// repeating it; and a chi-square bound for frequency tests.

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <map>
#include <string>
#include <utility>
#include <vector>

#include "model/LattixDoc.h"

using ShapeEdges = std::vector<std::pair<int, int>>;

// Canonical parenthesis string of the tree rooted at `root`.
inline std::string RootedShape(int n, const ShapeEdges& edges, int root) {
    std::vector<std::vector<int>> adj(n);
    for (auto [a, b] : edges) {
        adj[a].push_back(b);
        adj[b].push_back(a);
    }
    std::vector<int> order{root}, parent(n, -1);
    parent[root] = root;
    for (std::size_t i = 0; i < order.size(); ++i)
        for (int w : adj[order[i]])
            if (parent[w] < 0) {
                parent[w] = order[i];
                order.push_back(w);
            }
    std::vector<std::vector<std::string>> parts(n);
    std::vector<std::string> code(n);
    for (std::size_t i = order.size(); i-- > 0;) {
        const int v = order[i];
        std::sort(parts[v].begin(), parts[v].end());
        code[v] = "(";
        for (const std::string& p : parts[v]) code[v] += p;
        code[v] += ")";
        if (v != root) parts[parent[v]].push_back(code[v]);
    }
    return code[root];
}

// The same string for every tree of one isomorphism class.
inline std::string FreeShape(int n, const ShapeEdges& edges) {
    std::string best;
    for (int r = 0; r < n; ++r) {
        std::string s = RootedShape(n, edges, r);
        if (r == 0 || s < best) best = std::move(s);
    }
    return best;
}

// Vertices numbered in element order, edges between those numbers.
inline ShapeEdges DocumentEdges(const CLattixDoc& doc, int* vertexCount = nullptr, CVertex** root = nullptr) {
    std::map<const CVertex*, int> number;
    for (CElement* e : doc.m_elements)
        if (CVertex* v = e->AsVertex()) {
            if (number.empty() && root) *root = v;
            number.emplace(v, int(number.size()));
        }
    ShapeEdges edges;
    for (CElement* e : doc.m_elements)
        if (CEdge* edge = e->AsEdge()) edges.emplace_back(number.at(edge->m_v1), number.at(edge->m_v2));
    if (vertexCount) *vertexCount = int(number.size());
    return edges;
}

// Upper bound of the chi-square distribution with `dof` degrees of freedom that a correct
// sampler exceeds with probability about 1e-6 (Wilson-Hilferty).
inline double ChiSquareBound(int dof) {
    const double k = dof, z = 4.75;
    const double c = 1.0 - 2.0 / (9.0 * k) + z * std::sqrt(2.0 / (9.0 * k));
    return k * c * c * c;
}

// Chi-square statistic of observed class counts against equal expected counts over
// `classes` classes (classes never seen count as observed 0).
inline double ChiSquareUniform(const std::map<std::string, int>& counts, int classes) {
    int total = 0;
    for (const auto& [shape, c] : counts) total += c;
    const double expected = double(total) / classes;
    double x2 = 0.0;
    for (const auto& [shape, c] : counts) x2 += (c - expected) * (c - expected) / expected;
    x2 += double(classes - int(counts.size())) * expected;
    return x2;
}
