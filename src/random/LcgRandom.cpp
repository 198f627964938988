#include "random/LcgRandom.h"

#include <cmath>

std::uint32_t LcgRandom::UniformBelow(std::uint32_t k) {
    const std::uint32_t limit = kRange - kRange % k;
    for (;;) {
        const std::uint32_t r = Next();
        if (r < limit) return r % k;
    }
}

double LcgRandom::Fraction53() {
    std::uint64_t bits = 0;
    for (int i = 0; i < 4; ++i) bits = (bits << 15) | Next();
    return std::ldexp(double(bits >> 7), -53);
}

bool LcgRandom::Bernoulli(double p) {
    if (!(p > 0.0)) {
        Next();
        return false;
    }
    if (p >= 1.0) {
        Next();
        return true;
    }
    // The draws are the base-32768 digits of a uniform number U; compare U with p digit by
    // digit. x stays exact: scaling by 32768 and taking off an integer below it lose no bit.
    double x = p;
    for (;;) {
        x = x * double(kRange) - double(Next());
        if (x >= 1.0) return true;  // U < p whatever the later digits
        if (x <= 0.0) return false; // U >= p
    }
}

bool LcgRandom::BernoulliLog2(double log2p) {
    if (log2p >= 0.0) return Bernoulli(1.0);
    // While p is far below one digit, only a zero digit keeps the trial alive.
    while (log2p < -30.0) {
        if (Next() != 0) return false;
        log2p += 15.0;
    }
    return Bernoulli(std::exp2(log2p));
}

LcgRandom& SharedRandom() {
    static LcgRandom generator;
    return generator;
}
