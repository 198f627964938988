#include "random/RanrutSampler.h"

#include <cassert>

#include "random/TreeCounts.h"

RanrutSampler::Split RanrutSampler::ChooseSplit(int n) {
    return m_arithmetic == CountArithmetic::Fixed64 ? ChooseSplitFixed64(n) : ChooseSplitWide(n);
}

RanrutSampler::Split RanrutSampler::ChooseSplitFixed64(int n) {
    assert(n >= 3 && n <= kMaxFixed64Ranrut);
    const std::int64_t* t = treecount::Rooted64();
    const double u = m_random.Fraction();
    const double total = double(t[n]) * double(n - 1);
    double s = 0.0;
    // The pairs with d = n - 1 are not walked: only (1, n - 1) has it, and it is what is
    // left when the others do not reach u.
    for (int d = 1; d < n - 1; ++d) {
        for (int j = 1; j <= (n - 1) / d; ++j) {
            s += double(std::int64_t(d) * t[d] * t[n - j * d]) / total;
            if (s >= u) return {j, d};
        }
    }
    return {1, n - 1};
}

RanrutSampler::Split RanrutSampler::ChooseSplitWide(int n) {
    assert(n >= 3 && n <= treecount::kMaxScaled);
    // t(d)·t(n - j·d) / t(n) = t~(d)·t~(n - j·d) / t~(n) · alpha^-((j - 1)·d) with t~(k) = t(k) / alpha^k.
    // The heavy pairs have a large d, so the walk starts there and usually stops soon.
    const double* t = treecount::ScaledRooted(n);
    const double* inverse = treecount::InverseAlphaPowers();
    const double u = m_random.Fraction53();
    const double norm = 1.0 / (double(n - 1) * t[n]);
    double s = 0.0;
    Split last{1, n - 1};
    for (int d = n - 1; d >= 1; --d) {
        const double wd = double(d) * t[d] * norm;
        for (int j = 1; j <= (n - 1) / d; ++j) {
            const double decay = inverse[(j - 1) * d];
            if (decay == 0.0) break;
            s += wd * t[n - j * d] * decay;
            last = {j, d};
            if (s > u) return last;
        }
    }
    return last;
}

TreeDraft::Chain RanrutSampler::Ranrut(int n) {
    TreeDraft::Chain result;
    m_stack.clear();
    m_stack.push_back({n, 0, {0, 0}, {}});
    while (!m_stack.empty()) {
        Frame& f = m_stack.back();
        if (f.stage == 0) {
            result = {};
            if (f.n <= 1) {
                m_draft.Append(result, m_draft.NewVertex(kWhite));
                m_stack.pop_back();
            } else if (f.n == 2) {
                const TreeDraft::Item a = m_draft.NewVertex(kWhite);
                const TreeDraft::Item b = m_draft.NewVertex(kWhite);
                const TreeDraft::Item e = m_draft.NewEdge(a, b);
                m_draft.Append(result, a);
                m_draft.Append(result, b);
                m_draft.Append(result, e);
                m_stack.pop_back();
            } else {
                f.split = ChooseSplit(f.n);
                f.stage = 1;
                const int rest = f.n - f.split.j * f.split.d;
                m_stack.push_back({rest, 0, {0, 0}, {}});
            }
        } else if (f.stage == 1) {
            f.first = result;
            f.stage = 2;
            const int d = f.split.d;
            m_stack.push_back({d, 0, {0, 0}, {}});
        } else {
            result = Graft(f.first, result, f.split.j);
            m_stack.pop_back();
        }
    }
    return result;
}

TreeDraft::Chain RanrutSampler::Graft(TreeDraft::Chain first, TreeDraft::Chain second, int j) {
    const TreeDraft::Item r1 = first.head;
    const TreeDraft::Item r2 = second.head;
    TreeDraft::Chain out;
    m_draft.Append(out, m_draft.NewEdge(r1, r2));
    m_draft.PopFront(first);
    m_draft.Splice(out, first);
    m_draft.Splice(out, second);
    for (int copy = 1; copy < j; ++copy) {
        const TreeDraft::Item root = m_draft.AppendCopy(out, second, r2, kWhite);
        const TreeDraft::Item link = m_draft.NewEdge(root, r1);
        if (m_random.Fraction() >= 0.5)
            m_draft.Prepend(out, link);
        else
            m_draft.Append(out, link);
    }
    m_draft.Prepend(out, r1);
    return out;
}
