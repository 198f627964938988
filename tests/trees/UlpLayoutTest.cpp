// The ULP layouts on light trees: each placement reached by an edge to a vertex already
// placed, and the columns, turned into positions, exactly where Draw ULP Trees puts the
// vertices of the same tree in a document.

#include <gtest/gtest.h>

#include <algorithm>
#include <random>

#include "support/TestDoc.h"
#include "trees/Classification.h"
#include "trees/UlpLayout.h"

namespace {

constexpr std::int64_t kSep = 30; // the editor view's default separations

// A random tree of one of the three shapes, over vertices 0..n-1, with its edges shuffled
// and turned at random (adjacency order and first ends both matter to the layouts).
UlpTree RandomShape(std::mt19937& rng, int shape) {
    std::vector<std::pair<std::int32_t, std::int32_t>> edges;
    int n = 1;
    auto leg = [&](int from, int length) {
        for (int prev = from; length > 0; --length, prev = n++) edges.emplace_back(prev, n);
    };
    auto count = [&](int lo, int hi) { return std::uniform_int_distribution<int>(lo, hi)(rng); };
    if (shape == 0) { // caterpillar
        n = count(1, 5);
        for (int i = 1; i < n; ++i) edges.emplace_back(i - 1, i);
        for (int i = 0, spine = n; i < spine; ++i)
            for (int l = count(0, 3); l > 0; --l) leg(i, 1);
    } else if (shape == 1) { // radius-2 star
        for (int legs = count(3, 5); legs > 0; --legs) leg(0, 2);
        for (int leaves = count(0, 2); leaves > 0; --leaves) leg(0, 1);
    } else { // 3-spider
        for (int i = 0; i < 3; ++i) leg(0, count(2, 5));
    }
    std::shuffle(edges.begin(), edges.end(), rng);
    for (auto& e : edges)
        if (rng() % 2) std::swap(e.first, e.second);
    std::vector<std::int32_t> tracks(n);
    for (int v = 0; v < n; ++v) tracks[v] = v + 1;
    std::shuffle(tracks.begin(), tracks.end(), rng);
    return UlpTree::FromEdges(n, std::move(edges), std::move(tracks));
}

// Every vertex placed once; a placement with an edge is reached from a vertex placed before.
void ExpectTreeOrder(const UlpTree& t, const UlpLayout& layout) {
    std::vector<int> placed(t.vertexCount, 0);
    for (std::size_t i = 0; i < layout.steps.size(); ++i) {
        const UlpStep& s = layout.steps[i];
        ASSERT_GE(s.vertex, 0);
        ASSERT_LT(s.vertex, t.vertexCount);
        EXPECT_EQ(placed[s.vertex]++, 0) << "vertex " << s.vertex << " placed twice";
        if (i == 0) {
            EXPECT_EQ(s.via, -1);
            continue;
        }
        ASSERT_GE(s.via, 0) << "step " << i;
        const auto [a, b] = t.edges[s.via];
        ASSERT_TRUE(a == s.vertex || b == s.vertex) << "step " << i;
        EXPECT_EQ(placed[t.Other(s.via, s.vertex)], 1) << "step " << i;
    }
    EXPECT_EQ(layout.steps.size(), static_cast<std::size_t>(t.vertexCount));
}

} // namespace

TEST(UlpLayout, ColumnsAreWhereTheCommandDrawsTheTree) {
    std::mt19937 rng(1830);
    int compared[3] = {0, 0, 0};
    for (int round = 0; round < 60; ++round) {
        const UlpTree tree = RandomShape(rng, round % 3);
        TestDoc t;
        std::vector<CVertex*> vs;
        for (std::int32_t v = 0; v < tree.vertexCount; ++v) {
            vs.push_back(t.Vertex(400 + 10 * v, 700));
            vs.back()->m_trackNumber = tree.tracks[v];
        }
        for (auto [a, b] : tree.edges) t.Edge(vs[a], vs[b]);
        ASSERT_EQ(t.d().DrawUlpTrees(), CLattixDoc::UlpDrawResult::Drawn);

        // The classification decides which layout the command used, in its order of tests.
        const Rgb kind = vs[0]->m_highlight;
        UlpLayout layout;
        std::int64_t origin = 0;
        if (kind == kCaterpillarColor) {
            layout = CaterpillarLayoutOf(tree);
            origin = kSep;
            ++compared[0];
        } else if (kind == kRadius2StarColor) {
            layout = Radius2StarLayoutOf(tree);
            origin = 2 * kSep;
            ++compared[1];
        } else {
            ASSERT_EQ(kind, kSpiderColor) << "round " << round;
            layout = SpiderLayoutOf(tree);
            // Half the spider's width of room, moved right when its left side would reach x = 0.
            origin = kSep * tree.vertexCount / 2;
            const std::int64_t leftmost = origin + layout.leftmost * kSep;
            if (leftmost <= 0) origin += kSep - leftmost;
            ++compared[2];
        }
        ASSERT_TRUE(layout.drawn) << "round " << round;
        ExpectTreeOrder(tree, layout);
        for (const UlpStep& s : layout.steps)
            EXPECT_EQ(vs[s.vertex]->m_center, (Point{std::int32_t(origin + s.column * kSep), tree.tracks[s.vertex] * 30}))
                << "round " << round << " vertex " << s.vertex;
    }
    for (int c : compared) EXPECT_GT(c, 5);
}

TEST(UlpLayout, TreesOfOtherShapesAreNotDrawn) {
    // A path has no vertex of degree three, so neither the star nor the spider draws it; a
    // star with four legs is no spider.
    const UlpTree path = UlpTree::FromEdges(4, {{0, 1}, {1, 2}, {2, 3}}, {1, 2, 3, 4});
    EXPECT_FALSE(Radius2StarLayoutOf(path).drawn);
    EXPECT_FALSE(SpiderLayoutOf(path).drawn);
    const UlpTree fourLegs = UlpTree::FromEdges(5, {{0, 1}, {0, 2}, {0, 3}, {0, 4}}, {3, 1, 2, 4, 5});
    EXPECT_FALSE(SpiderLayoutOf(fourLegs).drawn);
    const UlpLayout two = CaterpillarLayoutOf(UlpTree::FromEdges(2, {{0, 1}}, {2, 1}));
    EXPECT_EQ(two.steps, (std::vector<UlpStep>{{0, 1, -1}, {1, 4, 0}}));
}

TEST(UlpLayout, PlacementsFollowTheAdjacencyOrderNotTheEdgeOrder) {
    // A radius-2 star whose centre lists its edges backwards: the legs are drawn in that
    // order (the animation shows them so), each in the same columns as before.
    UlpTree t = UlpTree::FromEdges(7, {{0, 1}, {1, 2}, {0, 3}, {3, 4}, {0, 5}, {5, 6}}, {4, 5, 7, 3, 1, 6, 2});
    const UlpLayout forward = Radius2StarLayoutOf(t);
    std::reverse(t.incidence[0].begin(), t.incidence[0].end());
    const UlpLayout backward = Radius2StarLayoutOf(t);
    ASSERT_TRUE(forward.drawn && backward.drawn);
    ExpectTreeOrder(t, backward);
    auto middles = [](const UlpLayout& l) {
        std::vector<std::int32_t> order;
        for (const UlpStep& s : l.steps)
            if (s.vertex % 2 == 1) order.push_back(s.vertex);
        return order;
    };
    EXPECT_EQ(middles(forward), (std::vector<std::int32_t>{1, 3, 5}));
    EXPECT_EQ(middles(backward), (std::vector<std::int32_t>{5, 3, 1}));
    auto columns = [](const UlpLayout& l) {
        std::vector<std::int64_t> at(7);
        for (const UlpStep& s : l.steps) at[s.vertex] = s.column;
        return at;
    };
    EXPECT_EQ(columns(forward), columns(backward));
}
