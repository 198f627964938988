#pragma once
// Unsigned integers of any size, for counting trees: the numbers of rooted and free trees
// pass 64 bits at 47 and 50 vertices and reach some 1500 bits at 1000 vertices.
// Only what the counting needs: sums, products, division by small numbers, comparison,
// decimal text and the binary logarithm.

#include <compare>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

class BigCount {
public:
    BigCount() = default;
    BigCount(std::uint64_t value); // NOLINT: counts mix freely with small numbers

    bool IsZero() const { return m_limbs.empty(); }

    BigCount& operator+=(const BigCount& other);
    // Requires *this >= other.
    BigCount& operator-=(const BigCount& other);
    BigCount& operator*=(std::uint64_t factor);
    // *this += a * b, without a temporary for the product.
    void AddProduct(const BigCount& a, const BigCount& b);
    // Divides by a small number and returns the remainder.
    std::uint64_t DivideBy(std::uint64_t divisor);

    friend BigCount operator+(BigCount a, const BigCount& b) { return a += b; }
    friend BigCount operator-(BigCount a, const BigCount& b) { return a -= b; }
    friend BigCount operator*(const BigCount& a, const BigCount& b);
    friend BigCount operator*(BigCount a, std::uint64_t b) { return a *= b; }
    friend std::strong_ordering operator<=>(const BigCount& a, const BigCount& b);
    friend bool operator==(const BigCount& a, const BigCount& b) { return a.m_limbs == b.m_limbs; }

    bool FitsInt64() const;
    // The value when it fits in a signed 64-bit integer.
    std::int64_t ToInt64() const;
    // log2 of the value, with the precision of a double; minus infinity for 0.
    double Log2() const;
    std::string ToDecimal() const;
    // Parses decimal digits; anything else gives 0.
    static BigCount FromDecimal(std::string_view digits);

private:
    void Trim();

    std::vector<std::uint64_t> m_limbs; // least significant first, no leading zero limbs
};
