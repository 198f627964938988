// The classes of pairs: numbered in place inside the union-find's own array, in the order a
// walk first meets them, with parities relative to each class's first pair.

#include <gtest/gtest.h>

#include <algorithm>
#include <numeric>
#include <random>

#include "level/LevelPairClasses.h"

namespace {

struct Tie {
    std::uint32_t a, b;
    std::uint8_t parity;
};

// Classes by a search over the ties, numbered as `order` first meets them; false when the
// parities contradict each other.
bool PlainClasses(std::size_t n, const std::vector<Tie>& ties, const std::vector<std::uint32_t>& order,
                  std::vector<int>& classOf, std::vector<int>& parityOf) {
    std::vector<std::vector<std::pair<std::uint32_t, std::uint8_t>>> next(n);
    for (const Tie& t : ties) {
        next[t.a].push_back({t.b, t.parity});
        next[t.b].push_back({t.a, t.parity});
    }
    classOf.assign(n, -1);
    parityOf.assign(n, 0);
    int count = 0;
    for (std::uint32_t first : order) {
        if (classOf[first] >= 0) continue;
        classOf[first] = count;
        std::vector<std::uint32_t> stack{first};
        while (!stack.empty()) {
            const std::uint32_t x = stack.back();
            stack.pop_back();
            for (const auto& [y, parity] : next[x]) {
                const int wanted = parityOf[x] ^ parity;
                if (classOf[y] < 0) {
                    classOf[y] = count;
                    parityOf[y] = wanted;
                    stack.push_back(y);
                } else if (parityOf[y] != wanted) {
                    return false;
                }
            }
        }
        ++count;
    }
    return true;
}

} // namespace

TEST(ParityUnionFind, NumbersClassesInWalkOrderWithParitiesFromTheFirstPair) {
    std::mt19937 rng(7);
    int contradictions = 0, checked = 0;
    for (int round = 0; round < 3000; ++round) {
        const std::size_t n = 1 + rng() % 40;
        std::vector<Tie> ties(rng() % (n + 5));
        for (Tie& t : ties) t = {static_cast<std::uint32_t>(rng() % n), static_cast<std::uint32_t>(rng() % n),
                                 static_cast<std::uint8_t>(rng() % 2)};
        // Ties of a pair with itself and odd cycles make contradictions now and then.
        std::vector<std::uint32_t> order(n);
        std::iota(order.begin(), order.end(), 0u);
        std::shuffle(order.begin(), order.end(), rng);

        std::vector<int> classOf, parityOf;
        const bool plain = PlainClasses(n, ties, order, classOf, parityOf);
        ParityUnionFind links(n);
        bool ok = true;
        for (const Tie& t : ties) ok &= round % 2 ? links.JoinSoon(t.a, t.b, t.parity) : links.Join(t.a, t.b, t.parity);
        ok &= links.Flush();
        ASSERT_EQ(ok, plain) << "round " << round;
        if (!ok) {
            ++contradictions;
            continue;
        }
        const PairClasses classes = links.TakeClasses([&](auto visit) {
            for (std::uint32_t p : order) visit(p);
        });
        ASSERT_EQ(classes.count, *std::max_element(classOf.begin(), classOf.end()) + 1) << "round " << round;
        for (std::size_t p = 0; p < n; ++p) {
            ASSERT_EQ(classes.ClassOf(p), classOf[p]) << "round " << round << " pair " << p;
            ASSERT_EQ(classes.ParityOf(p), parityOf[p]) << "round " << round << " pair " << p;
        }
        ++checked;
    }
    EXPECT_GT(contradictions, 300);
    EXPECT_GT(checked, 1000);
}
