#include "random/TreeCounts.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <deque>
#include <map>
#include <mutex>

namespace treecount {
namespace {

std::mutex& TablesMutex() {
    static std::mutex m;
    return m;
}

// t(k) and s(k) = sum over the divisors d of k of d * t(d), grown on demand. A deque keeps
// references to earlier entries valid while it grows.
struct RootedTable {
    std::deque<BigCount> t{BigCount(1), BigCount(1)};
    std::deque<BigCount> s{BigCount(0)};

    void GrowTo(int k) {
        // t(K + 1) = (1 / K) * sum_{i=1..K} s(i) * t(K + 1 - i)
        while (int(t.size()) <= k) {
            const int K = int(t.size()) - 1;
            BigCount sK;
            for (int d = 1; d <= K; ++d)
                if (K % d == 0) sK += t[d] * std::uint64_t(d);
            s.push_back(std::move(sK));
            BigCount sum;
            for (int i = 1; i <= K; ++i) sum.AddProduct(s[i], t[K + 1 - i]);
            sum.DivideBy(std::uint64_t(K));
            t.push_back(std::move(sum));
        }
    }
};

RootedTable& Rooted() {
    static RootedTable table;
    return table;
}

const BigCount& RootedLocked(int k) {
    RootedTable& table = Rooted();
    table.GrowTo(k);
    return table.t[k];
}

double Log2Alpha() {
    static const double value = std::log2(kAlpha);
    return value;
}

double Scale(const BigCount& count, int k) {
    if (count.IsZero()) return 0.0;
    return std::exp2(count.Log2() - double(k) * Log2Alpha());
}

} // namespace

const BigCount& CountRooted(int k) {
    std::lock_guard lock(TablesMutex());
    return RootedLocked(k < 0 ? 0 : k);
}

BigCount CountFree(int n) {
    if (n <= 0) return BigCount(1);
    std::lock_guard lock(TablesMutex());
    // Otter: F(n) = t(n) - (sum_{i=1..n-1} t(i) t(n-i) - [n even] t(n/2)) / 2
    RootedLocked(n);
    const std::deque<BigCount>& t = Rooted().t;
    BigCount pairs;
    for (int i = 1; i < n; ++i) pairs.AddProduct(t[i], t[n - i]);
    if (n % 2 == 0) pairs -= t[n / 2];
    pairs.DivideBy(2);
    return t[n] - pairs;
}

double Log2CountFree(int n) {
    static std::map<int, double> cache;
    {
        std::lock_guard lock(TablesMutex());
        auto it = cache.find(n);
        if (it != cache.end()) return it->second;
    }
    const double value = CountFree(n).Log2();
    std::lock_guard lock(TablesMutex());
    cache.emplace(n, value);
    return value;
}

std::vector<BigCount> CountForests(int mMax, int q) {
    if (mMax < 0) return {};
    std::vector<BigCount> f(std::size_t(mMax) + 1);
    f[0] = BigCount(1);
    if (q < 1) return f; // only the empty forest
    std::vector<BigCount> sigma(std::size_t(mMax) + 1); // sum over divisors s <= q of i: s * t(s)
    {
        std::lock_guard lock(TablesMutex());
        RootedLocked(std::min(q, mMax));
        const std::deque<BigCount>& t = Rooted().t;
        for (int s = 1; s <= std::min(q, mMax); ++s) {
            const BigCount st = t[s] * std::uint64_t(s);
            for (int i = s; i <= mMax; i += s) sigma[i] += st;
        }
    }
    // f(m) = (1 / m) * sum_{i=1..m} sigma(i) * f(m - i)
    for (int m = 1; m <= mMax; ++m) {
        BigCount sum;
        for (int i = 1; i <= m; ++i) sum.AddProduct(sigma[i], f[m - i]);
        sum.DivideBy(std::uint64_t(m));
        f[m] = std::move(sum);
    }
    return f;
}

BigCount CountForest(int m, int q) {
    if (m < 0) return BigCount(0);
    return CountForests(m, q)[m];
}

double Log2Factorial(int n) {
    static const std::vector<double> table = [] {
        std::vector<double> v(1025, 0.0);
        for (std::size_t i = 2; i < v.size(); ++i) v[i] = v[i - 1] + std::log2(double(i));
        return v;
    }();
    if (n < 2) return 0.0;
    if (std::size_t(n) < table.size()) return table[n];
    return std::lgamma(double(n) + 1.0) / std::log(2.0);
}

const std::int64_t* Rooted64() {
    static const std::array<std::int64_t, kMaxRooted64 + 1> table = [] {
        std::array<std::int64_t, kMaxRooted64 + 1> v{};
        for (int k = 0; k <= kMaxRooted64; ++k) v[k] = CountRooted(k).ToInt64();
        return v;
    }();
    return table.data();
}

const std::vector<std::int64_t>& Forests64(int q) {
    static std::map<int, std::vector<std::int64_t>> cache;
    {
        std::lock_guard lock(TablesMutex());
        auto it = cache.find(q);
        if (it != cache.end()) return it->second;
    }
    std::vector<std::int64_t> values;
    for (const BigCount& c : CountForests(2 * q + 1, q)) values.push_back(c.ToInt64());
    std::lock_guard lock(TablesMutex());
    return cache.emplace(q, std::move(values)).first->second;
}

const double* ScaledRooted(int kMax) {
    // Filled as far as asked; entries never move, so earlier pointers stay good.
    static std::array<double, kMaxScaled + 1> table{};
    static int filled = 0;
    kMax = std::clamp(kMax, 0, kMaxScaled);
    std::lock_guard lock(TablesMutex());
    for (; filled <= kMax; ++filled) table[filled] = Scale(RootedLocked(filled), filled);
    return table.data();
}

const std::vector<double>& ScaledForests(int q) {
    static std::map<int, std::vector<double>> cache;
    {
        std::lock_guard lock(TablesMutex());
        auto it = cache.find(q);
        if (it != cache.end()) return it->second;
    }
    const int mMax = 2 * q + 1;
    const std::vector<BigCount> exact = CountForests(mMax, q);
    std::vector<double> values(exact.size());
    for (int m = 0; m <= mMax; ++m) values[m] = Scale(exact[m], m);
    std::lock_guard lock(TablesMutex());
    return cache.emplace(q, std::move(values)).first->second;
}

const double* InverseAlphaPowers() {
    static const std::array<double, kMaxInversePower + 1> table = [] {
        std::array<double, kMaxInversePower + 1> v{};
        for (int j = 0; j <= kMaxInversePower; ++j) v[j] = std::exp2(-double(j) * Log2Alpha());
        return v;
    }();
    return table.data();
}

} // namespace treecount
