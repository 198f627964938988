#include "random/BigCount.h"

#include <algorithm>
#include <cmath>
#include <limits>

namespace {
using Wide = unsigned __int128;
} // namespace

BigCount::BigCount(std::uint64_t value) {
    if (value) m_limbs.push_back(value);
}

void BigCount::Trim() {
    while (!m_limbs.empty() && m_limbs.back() == 0) m_limbs.pop_back();
}

BigCount& BigCount::operator+=(const BigCount& other) {
    if (m_limbs.size() < other.m_limbs.size()) m_limbs.resize(other.m_limbs.size(), 0);
    std::uint64_t carry = 0;
    for (std::size_t i = 0; i < m_limbs.size(); ++i) {
        const Wide sum = Wide(m_limbs[i]) + (i < other.m_limbs.size() ? other.m_limbs[i] : 0) + carry;
        m_limbs[i] = std::uint64_t(sum);
        carry = std::uint64_t(sum >> 64);
        if (!carry && i >= other.m_limbs.size()) break;
    }
    if (carry) m_limbs.push_back(carry);
    return *this;
}

BigCount& BigCount::operator-=(const BigCount& other) {
    std::uint64_t borrow = 0;
    for (std::size_t i = 0; i < m_limbs.size(); ++i) {
        const std::uint64_t b = i < other.m_limbs.size() ? other.m_limbs[i] : 0;
        if (!borrow && i >= other.m_limbs.size()) break;
        const Wide sub = Wide(b) + borrow;
        borrow = Wide(m_limbs[i]) < sub ? 1 : 0;
        m_limbs[i] = std::uint64_t(Wide(m_limbs[i]) - sub);
    }
    Trim();
    return *this;
}

BigCount& BigCount::operator*=(std::uint64_t factor) {
    if (factor == 0) {
        m_limbs.clear();
        return *this;
    }
    std::uint64_t carry = 0;
    for (std::uint64_t& limb : m_limbs) {
        const Wide p = Wide(limb) * factor + carry;
        limb = std::uint64_t(p);
        carry = std::uint64_t(p >> 64);
    }
    if (carry) m_limbs.push_back(carry);
    return *this;
}

void BigCount::AddProduct(const BigCount& a, const BigCount& b) {
    if (a.IsZero() || b.IsZero()) return;
    const std::size_t n = a.m_limbs.size() + b.m_limbs.size();
    if (m_limbs.size() < n + 1) m_limbs.resize(n + 1, 0);
    for (std::size_t i = 0; i < a.m_limbs.size(); ++i) {
        std::uint64_t carry = 0;
        const Wide ai = a.m_limbs[i];
        for (std::size_t j = 0; j < b.m_limbs.size(); ++j) {
            const Wide p = ai * b.m_limbs[j] + m_limbs[i + j] + carry;
            m_limbs[i + j] = std::uint64_t(p);
            carry = std::uint64_t(p >> 64);
        }
        for (std::size_t k = i + b.m_limbs.size(); carry; ++k) {
            if (k == m_limbs.size()) m_limbs.push_back(0);
            const Wide s = Wide(m_limbs[k]) + carry;
            m_limbs[k] = std::uint64_t(s);
            carry = std::uint64_t(s >> 64);
        }
    }
    Trim();
}

BigCount operator*(const BigCount& a, const BigCount& b) {
    BigCount product;
    product.AddProduct(a, b);
    return product;
}

std::uint64_t BigCount::DivideBy(std::uint64_t divisor) {
    Wide rest = 0;
    for (std::size_t i = m_limbs.size(); i-- > 0;) {
        const Wide cur = (rest << 64) | m_limbs[i];
        m_limbs[i] = std::uint64_t(cur / divisor);
        rest = cur % divisor;
    }
    Trim();
    return std::uint64_t(rest);
}

std::strong_ordering operator<=>(const BigCount& a, const BigCount& b) {
    if (a.m_limbs.size() != b.m_limbs.size()) return a.m_limbs.size() <=> b.m_limbs.size();
    for (std::size_t i = a.m_limbs.size(); i-- > 0;)
        if (a.m_limbs[i] != b.m_limbs[i]) return a.m_limbs[i] <=> b.m_limbs[i];
    return std::strong_ordering::equal;
}

bool BigCount::FitsInt64() const {
    return m_limbs.size() < 1 ||
           (m_limbs.size() == 1 && m_limbs[0] <= std::uint64_t(std::numeric_limits<std::int64_t>::max()));
}

std::int64_t BigCount::ToInt64() const { return m_limbs.empty() ? 0 : std::int64_t(m_limbs[0]); }

double BigCount::Log2() const {
    if (m_limbs.empty()) return -std::numeric_limits<double>::infinity();
    const std::size_t n = m_limbs.size();
    // The top two limbs carry more bits than a double holds.
    double top = double(m_limbs[n - 1]);
    if (n >= 2) top = top * 18446744073709551616.0 + double(m_limbs[n - 2]);
    const double shift = n >= 2 ? 64.0 * double(n - 2) : 0.0;
    return std::log2(top) + shift;
}

std::string BigCount::ToDecimal() const {
    if (m_limbs.empty()) return "0";
    constexpr std::uint64_t kChunk = 10000000000000000000ull; // 10^19
    BigCount rest = *this;
    std::vector<std::uint64_t> chunks;
    while (!rest.IsZero()) chunks.push_back(rest.DivideBy(kChunk));
    std::string text = std::to_string(chunks.back());
    for (std::size_t i = chunks.size() - 1; i-- > 0;) {
        const std::string part = std::to_string(chunks[i]);
        text.append(19 - part.size(), '0');
        text += part;
    }
    return text;
}

BigCount BigCount::FromDecimal(std::string_view digits) {
    BigCount value;
    for (const char c : digits) {
        if (c < '0' || c > '9') return BigCount();
        value *= 10;
        value += BigCount(std::uint64_t(c - '0'));
    }
    return value;
}
