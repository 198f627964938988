#pragma once
// The RANRUT and Wilf generators written out the plain way (recursion, deques with
// insertion at the front, 64-bit counts), as a reference for the element order, ids,
// colours and rows that the generators must give for a seed. Small sizes only.

#include <deque>
#include <utility>
#include <vector>

#include "model/LattixDoc.h"
#include "random/LcgRandom.h"
#include "random/TreeCounts.h"
#include "random/WilfSampler.h"

namespace reference {

struct Item {
    bool edge;
    int v1, v2;
    Rgb color;
};

// One element as the document should end up holding it.
struct Placed {
    int creation;  // creation index: id minus the first new id
    int v1, v2;    // edges: creation indices of the ends
    int number;    // vertices: name and track number
    int column;    // vertices: 1 .. n
    Rgb color;
    bool operator==(const Placed&) const = default;
};

using List = std::deque<int>;

struct Generator {
    LcgRandom& rng;
    std::vector<Item> items;
    std::vector<int> copy;

    int NewVertex(Rgb c) {
        items.push_back({false, -1, -1, c});
        copy.push_back(-1);
        return int(items.size()) - 1;
    }
    int NewEdge(int a, int b) {
        items.push_back({true, a, b, 0});
        copy.push_back(-1);
        return int(items.size()) - 1;
    }
    std::pair<int, int> ChooseSplit(int n) { // (j, d)
        const std::int64_t* t = treecount::Rooted64();
        const double u = rng.Fraction();
        const double total = double(t[n]) * double(n - 1);
        double s = 0;
        std::pair<int, int> last;
        for (int d = 1; d <= n - 1; ++d)
            for (int j = 1; j <= (n - 1) / d; ++j) {
                s += double(__int128(d) * t[d] * t[n - j * d]) / total;
                last = {j, d};
                if (s >= u) return last;
            }
        return last;
    }
    void CopyInto(List& out, const List& tree) {
        for (int x : tree)
            if (!items[x].edge) out.push_back(copy[x] = NewVertex(kWhite));
        for (int x : tree)
            if (items[x].edge) out.push_back(NewEdge(copy[items[x].v1], copy[items[x].v2]));
    }
    List Graft(const List& t1, const List& t2, int j) {
        const int r1 = t1.front(), r2 = t2.front();
        List out{NewEdge(r1, r2)};
        out.insert(out.end(), t1.begin() + 1, t1.end());
        out.insert(out.end(), t2.begin(), t2.end());
        for (int c = 1; c < j; ++c) {
            CopyInto(out, t2);
            const int link = NewEdge(copy[r2], r1);
            if (rng.Fraction() >= 0.5)
                out.push_front(link);
            else
                out.push_back(link);
        }
        out.push_front(r1);
        return out;
    }
    List Ranrut(int n) {
        if (n == 1) return {NewVertex(kWhite)};
        if (n == 2) {
            const int a = NewVertex(kWhite), b = NewVertex(kWhite);
            return {a, b, NewEdge(a, b)};
        }
        const auto [j, d] = ChooseSplit(n);
        const List t1 = Ranrut(n - j * d);
        const List t2 = Ranrut(d);
        return Graft(t1, t2, j);
    }
    std::pair<int, int> ChooseForestSplit(int m, int q) { // (a, s)
        const std::int64_t* t = treecount::Rooted64();
        const std::vector<std::int64_t>& f = treecount::Forests64(q);
        const double u = rng.Fraction();
        const double total = double(f[m]) * double(m);
        double sum = 0;
        for (int a = 1; a < m; ++a)
            for (int s = 1; a * s <= m && s <= q; ++s) {
                sum += double(std::int64_t(s) * t[s] * f[m - a * s]) / total;
                if (sum >= u) return {a, s};
            }
        return {m, 1};
    }
    void RandomForest(List& elements, List& roots, int m, int q) {
        elements.clear();
        roots.clear();
        if (m <= 0) return;
        const auto [a, s] = ChooseForestSplit(m, q);
        RandomForest(elements, roots, m - a * s, q);
        const List tree = Ranrut(s);
        elements.insert(elements.end(), tree.begin(), tree.end());
        roots.push_back(tree.front());
        for (int c = 1; c < a; ++c) {
            CopyInto(elements, tree);
            roots.push_back(copy[tree.front()]);
        }
    }
    // Layout: the vertices of `list` in order get numbers from `number` and a column draw each.
    void Layout(const List& list, int n, int& number, std::vector<Placed>& out) {
        for (int x : list) {
            const Item& it = items[x];
            if (it.edge)
                out.push_back({x, it.v1, it.v2, 0, 0, 0});
            else
                out.push_back({x, -1, -1, number++, int(rng.Below(n)) + 1, it.color});
        }
    }
    std::vector<Placed> RootedTree(int n) {
        std::vector<Placed> out;
        int number = 1;
        Layout(Ranrut(n), n, number, out);
        return out;
    }
    std::vector<Placed> Wilf(int n) {
        std::vector<Placed> out;
        int number = 1;
        double p = 0.0;
        if (n % 2 == 0) {
            const std::int64_t h = treecount::Rooted64()[n / 2];
            p = double((h + 1) * h / 2) / double(treecount::CountFree(n).ToInt64());
        }
        if (rng.Bernoulli(p)) {
            const int h = n / 2;
            const bool twin = rng.Bernoulli(1.0 / double(treecount::Rooted64()[h] + 1));
            const List a = Ranrut(h);
            List b;
            if (twin)
                CopyInto(b, a);
            else
                b = Ranrut(h);
            const int link = NewEdge(a.front(), b.front());
            Layout(a, n, number, out);
            Layout(b, n, number, out);
            out.push_back({link, a.front(), b.front(), 0, 0, 0});
            for (Placed& p : out)
                if (p.creation == a.front() || p.creation == b.front()) p.color = kBicentroidColor;
            return out;
        }
        List elements, roots;
        RandomForest(elements, roots, n - 1, (n - 1) / 2);
        const int centroid = NewVertex(kCentroidColor);
        elements.push_back(centroid);
        for (int r : roots) elements.push_back(NewEdge(r, centroid));
        Layout(elements, n, number, out);
        return out;
    }
};

// The document's elements in order, described the same way (ids relative to `base`,
// columns from x on a grid of 30).
inline std::vector<Placed> Observed(const CLattixDoc& doc, std::uint32_t base) {
    std::vector<Placed> out;
    for (CElement* e : doc.m_elements) {
        if (const CEdge* edge = e->AsEdge()) {
            out.push_back({int(e->m_id - base), int(edge->m_v1->m_id - base), int(edge->m_v2->m_id - base), 0, 0, 0});
        } else {
            const CVertex* v = e->AsVertex();
            out.push_back({int(e->m_id - base), -1, -1, v->m_trackNumber, v->m_center.x / 30, v->m_color});
        }
    }
    return out;
}

} // namespace reference
