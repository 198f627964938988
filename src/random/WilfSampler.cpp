#include "random/WilfSampler.h"

#include <algorithm>
#include <cassert>
#include <cmath>

#include "random/TreeCounts.h"

double WilfSampler::BicentroidProbability(int n) const {
    if (n % 2 != 0) return 0.0;
    const int h = n / 2;
    if (m_arithmetic == CountArithmetic::Fixed64) {
        const std::int64_t t = treecount::Rooted64()[h];
        const std::int64_t pairs = (t + 1) * t / 2;
        return double(pairs) / double(treecount::CountFree(n).ToInt64());
    }
    BigCount pairs = treecount::CountRooted(h) * (treecount::CountRooted(h) + BigCount(1));
    pairs.DivideBy(2);
    return std::exp2(pairs.Log2() - treecount::Log2CountFree(n));
}

WilfSampler::Result WilfSampler::FreeTreeWilf(int n) {
    Result result;
    result.bicentroidal = m_random.Bernoulli(BicentroidProbability(n));
    if (result.bicentroidal) {
        RandomBicentroid(n, result.first, result.second);
        result.link = m_draft.NewEdge(result.first.head, result.second.head);
        return result;
    }
    RandomForest(n - 1, (n - 1) / 2, result.first, m_roots);
    const TreeDraft::Item centroid = m_draft.NewVertex(kCentroidColor);
    m_draft.Append(result.first, centroid);
    for (const TreeDraft::Item root : m_roots) m_draft.Append(result.first, m_draft.NewEdge(root, centroid));
    return result;
}

void WilfSampler::RandomBicentroid(int n, TreeDraft::Chain& first, TreeDraft::Chain& second) {
    const int h = n / 2;
    // Unordered pairs {A, B}: t(h) of them have A = B, so a copy is made with probability
    // 1 / (t(h) + 1) and two independent trees otherwise.
    bool twin;
    if (m_arithmetic == CountArithmetic::Fixed64)
        twin = m_random.Bernoulli(1.0 / double(treecount::Rooted64()[h] + 1));
    else
        twin = m_random.BernoulliLog2(-(treecount::CountRooted(h) + BigCount(1)).Log2());
    first = m_ranrut.Ranrut(h);
    second = {};
    if (twin)
        m_draft.AppendCopy(second, first, first.head, kWhite);
    else
        second = m_ranrut.Ranrut(h);
}

void WilfSampler::RandomForest(int m, int q, TreeDraft::Chain& elements, std::vector<TreeDraft::Item>& roots) {
    elements = {};
    roots.clear();
    // The forest is a smaller forest plus a copies of one tree on s vertices. The splits
    // are drawn outermost first, but the innermost forest comes first in the lists.
    m_splits.clear();
    while (m > 0) {
        const ForestSplit split = ChooseForestSplit(m, q);
        m_splits.push_back(split);
        m -= split.a * split.s;
    }
    for (std::size_t i = m_splits.size(); i-- > 0;) {
        const TreeDraft::Chain tree = m_ranrut.Ranrut(m_splits[i].s);
        const TreeDraft::Item root = tree.head;
        m_draft.Splice(elements, tree);
        roots.push_back(root);
        for (int copy = 1; copy < m_splits[i].a; ++copy)
            roots.push_back(m_draft.AppendCopy(elements, tree, root, kWhite));
    }
}

WilfSampler::ForestSplit WilfSampler::ChooseForestSplit(int m, int q) {
    return m_arithmetic == CountArithmetic::Fixed64 ? ChooseForestSplitFixed64(m, q) : ChooseForestSplitWide(m, q);
}

WilfSampler::ForestSplit WilfSampler::ChooseForestSplitFixed64(int m, int q) {
    assert(m >= 1 && m <= 2 * q + 1);
    const std::int64_t* t = treecount::Rooted64();
    const std::vector<std::int64_t>& f = treecount::Forests64(q);
    const double u = m_random.Fraction();
    const double total = double(f[m]) * double(m);
    double sum = 0.0;
    // (m, 1) is the last pair; it is what is left when the others do not reach u.
    for (int a = 1; a < m; ++a) {
        for (int s = 1; a * s <= m && s <= q; ++s) {
            sum += double(std::int64_t(s) * t[s] * f[m - a * s]) / total;
            if (sum >= u) return {a, s};
        }
    }
    return {m, 1};
}

WilfSampler::ForestSplit WilfSampler::ChooseForestSplitWide(int m, int q) {
    assert(m >= 1 && m <= 2 * q + 1);
    // As in RANRUT, with f~(m) = f(m, q) / alpha^m; single large trees carry most weight.
    const std::vector<double>& f = treecount::ScaledForests(q);
    const double* t = treecount::ScaledRooted(std::min(q, m));
    const double* inverse = treecount::InverseAlphaPowers();
    const double u = m_random.Fraction53();
    const double norm = 1.0 / (double(m) * f[m]);
    double sum = 0.0;
    ForestSplit last{m, 1};
    for (int a = 1; a <= m; ++a) {
        for (int s = std::min(q, m / a); s >= 1; --s) {
            sum += double(s) * t[s] * f[m - a * s] * inverse[(a - 1) * s] * norm;
            last = {a, s};
            if (sum > u) return last;
        }
    }
    return last;
}
