#pragma once
// The pseudo-random generator of the random commands: a linear congruential generator
// whose draws are 15-bit integers, seeded from the tick count at the start of a command.
//
// Besides the plain draws (a fraction, a remainder) it offers the draws the generators
// need to stay uniform: an index without modulo bias, a fraction with 53 bits, and a
// Bernoulli trial that is exact for any probability. Each of these spends exactly one
// draw and agrees with the plain draw whenever that draw alone decides; only then do
// they draw more.

#include <cstdint>

class LcgRandom {
public:
    static constexpr std::uint32_t kRange = 32768; // draws are 0 .. kRange - 1

    explicit LcgRandom(std::uint32_t seed = 0) : m_state(seed) {}

    // Seeding sets the state directly.
    void Seed(std::uint32_t seed) { m_state = seed; }
    std::uint32_t State() const { return m_state; }

    // One draw, 0 .. 32767.
    std::uint32_t Next() {
        m_state = m_state * 214013u + 2531011u;
        return (m_state >> 16) & 0x7FFFu;
    }
    // A draw as a fraction from 0 to 1 inclusive (draw / 32767).
    double Fraction() { return double(Next()) / 32767.0; }
    // A draw modulo k (k >= 1); slightly favours small values when k does not divide 32768.
    std::uint32_t Below(std::uint32_t k) { return Next() % k; }
    // A uniformly distributed value 0 .. k - 1 (1 <= k <= 32768): draws that would favour
    // small values are drawn again.
    std::uint32_t UniformBelow(std::uint32_t k);
    // A fraction in [0, 1) with 53 random bits, from four draws.
    double Fraction53();
    // True with probability p, exactly (p is clamped to [0, 1]). The first draw r decides
    // as the test r / 32767 < p does, unless p lies in r's bucket of width 1 / 32768.
    bool Bernoulli(double p);
    // The same trial for p = 2^log2p, for probabilities below the range of a double.
    bool BernoulliLog2(double log2p);

private:
    std::uint32_t m_state;
};

// The one generator that the commands of the process share.
LcgRandom& SharedRandom();
