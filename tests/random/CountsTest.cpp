// Tree counts: the known sequences, including values past 64 bits, and the identities the
// samplers rely on.

#include <gtest/gtest.h>

#include <cmath>

#include "random/TreeCounts.h"

using namespace treecount;

TEST(BigCount, ArithmeticAndDecimalText) {
    const BigCount a = BigCount::FromDecimal("123456789012345678901234567890123456789");
    const BigCount b = BigCount::FromDecimal("987654321098765432109876543210");
    EXPECT_EQ((a * b).ToDecimal(), "121932631137021795226185032733744855963362292333223746380111126352690");
    EXPECT_EQ((a + b - b), a);
    BigCount c = a;
    EXPECT_EQ(c.DivideBy(1000), 789u);
    EXPECT_EQ(c.ToDecimal(), "123456789012345678901234567890123456");
    EXPECT_LT(b, a);
    EXPECT_EQ(BigCount(0).ToDecimal(), "0");
    EXPECT_NEAR(BigCount::FromDecimal("1267650600228229401496703205376").Log2(), 100.0, 1e-12); // 2^100
    EXPECT_TRUE(BigCount(std::uint64_t(INT64_MAX)).FitsInt64());
    EXPECT_FALSE(BigCount(std::uint64_t(INT64_MAX) + 1).FitsInt64());
}

TEST(TreeCounts, RootedTreesFollowA000081) {
    const std::int64_t known[] = {1, 1, 1, 2, 4, 9, 20, 48, 115, 286, 719, 1842, 4766, 12486, 32973, 87811};
    for (int k = 0; k < 16; ++k) EXPECT_EQ(CountRooted(k), BigCount(std::uint64_t(known[k]))) << k;
    EXPECT_EQ(CountRooted(46).ToDecimal(), "6325843306177425928");
    EXPECT_TRUE(CountRooted(46).FitsInt64());
    EXPECT_FALSE(CountRooted(47).FitsInt64());
    EXPECT_EQ(CountRooted(47).ToDecimal(), "18103111141539779470");
    EXPECT_EQ(CountRooted(100).ToDecimal(), "51384328351659326880337136395054298255277970");
    EXPECT_EQ(Rooted64()[44], 774088023431472074);
}

TEST(TreeCounts, FreeTreesFollowA000055) {
    const std::int64_t known[] = {1, 1, 1, 1, 2, 3, 6, 11, 23, 47, 106, 235, 551, 1301, 3159, 7741, 19320};
    for (int n = 0; n < 17; ++n) EXPECT_EQ(CountFree(n), BigCount(std::uint64_t(known[n]))) << n;
    EXPECT_EQ(CountFree(49).ToDecimal(), "3754194185716399992");
    EXPECT_EQ(CountFree(50).ToDecimal(), "10545233702911509534");
    EXPECT_FALSE(CountFree(50).FitsInt64());
    EXPECT_EQ(CountFree(100).ToDecimal(), "630134658347465720563607281977639527019590");
}

TEST(TreeCounts, ForestsSplitFreeTreesByCentroid) {
    // Unbounded forests on m vertices are rooted trees on m + 1; a free tree is centroidal
    // (a forest of branches of at most (n - 1) / 2 vertices under one vertex) or, for even n,
    // an unordered pair of rooted trees on n / 2 vertices.
    const std::vector<BigCount> unbounded = CountForests(30, 30);
    for (int m = 0; m <= 30; ++m) EXPECT_EQ(unbounded[m], CountRooted(m + 1)) << m;
    for (int n : {3, 4, 5, 10, 11, 46, 47, 50, 51, 100, 101, 400}) {
        BigCount total = CountForest(n - 1, (n - 1) / 2);
        if (n % 2 == 0) {
            BigCount pairs = CountRooted(n / 2) * (CountRooted(n / 2) + BigCount(1));
            pairs.DivideBy(2);
            total += pairs;
        }
        EXPECT_EQ(total, CountFree(n)) << n;
    }
    // Forests of single vertices, and of paths and single vertices.
    EXPECT_EQ(CountForest(20, 1), BigCount(1));
    EXPECT_EQ(CountForest(6, 2), BigCount(4));
}

TEST(TreeCounts, ScaledTablesMatchTheExactCounts) {
    const double* scaled = ScaledRooted(1000);
    for (int k : {1, 10, 47, 300, 1000}) {
        const double expected = CountRooted(k).Log2() - k * std::log2(kAlpha);
        EXPECT_NEAR(std::log2(scaled[k]), expected, 1e-9) << k;
    }
    const std::vector<double>& forests = ScaledForests(499);
    ASSERT_EQ(forests.size(), 1000u);
    const double expected = CountForest(999, 499).Log2() - 999 * std::log2(kAlpha);
    EXPECT_NEAR(std::log2(forests[999]), expected, 1e-9);
    EXPECT_EQ(Forests64(22)[45], CountForest(45, 22).ToInt64());
}
