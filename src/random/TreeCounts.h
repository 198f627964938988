#pragma once
// Numbers of unlabeled trees, exact and of any size, remembered for the whole run.
//
//   t(k)     rooted trees on k vertices (t(0) = 1, the empty tree), OEIS A000081
//   F(n)     free trees on n vertices (F(0) = 1), OEIS A000055, by Otter's formula
//   f(m, q)  rooted forests on m vertices whose trees have at most q vertices
//
// The generators draw from these counts. Where the counts fit in 64 bits they use them as
// 64-bit integers (that arithmetic fixes which tree a seed gives); beyond that they use
// the counts divided by alpha^k, alpha = 2.9557... the growth rate of t(k), which keeps
// every ratio they need within the range of a double.

#include <cstdint>
#include <vector>

#include "random/BigCount.h"

namespace treecount {

// Growth rate of the rooted tree counts (Otter's constant).
inline constexpr double kAlpha = 2.95576528565199497471481752412319;

// t(k), k >= 0.
const BigCount& CountRooted(int k);
// F(n), n >= 0.
BigCount CountFree(int n);
// log2 F(n), remembered.
double Log2CountFree(int n);
// f(0 .. mMax, q), q >= 1.
std::vector<BigCount> CountForests(int mMax, int q);
// f(m, q) alone.
BigCount CountForest(int m, int q);
// log2 of n!.
double Log2Factorial(int n);

// The tables below stay valid for the whole run; the generators read them in their loops.

// t(0 .. kMaxRooted64) as 64-bit integers: every count that fits.
inline constexpr int kMaxRooted64 = 46;
const std::int64_t* Rooted64();
// f(m, q) for m = 0 .. 2q + 1 as 64-bit integers; only for q small enough that they fit
// (q <= 22).
const std::vector<std::int64_t>& Forests64(int q);

// t(k) / alpha^k for k = 0 .. kMax (kMax <= kMaxScaled).
inline constexpr int kMaxScaled = 1023;
const double* ScaledRooted(int kMax);
// f(m, q) / alpha^m for m = 0 .. 2q + 1, the largest forest that a free tree whose
// centroid branches have at most q vertices needs.
const std::vector<double>& ScaledForests(int q);
// alpha^-i for i = 0 .. kMaxInversePower (0 once it leaves the range of a double).
inline constexpr int kMaxInversePower = 2047;
const double* InverseAlphaPowers();

} // namespace treecount
