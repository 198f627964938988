// The shape copies behind the classification's searches: the adjacency order and the ids
// that copying the elements themselves would have given, and leaf removal.

#include <gtest/gtest.h>

#include "support/TestDoc.h"
#include "trees/ShapeCopy.h"

TEST(ShapeCopy, OrderIdsAndLeafRemovalFollowTheElementCopies) {
    TestDoc t;
    CVertex* a = t.Vertex(100, 100);
    CVertex* b = t.Vertex(200, 100);
    CVertex* c = t.Vertex(300, 100);
    CVertex* d = t.Vertex(200, 200);
    CVertex* outside = t.Vertex(400, 400);
    t.Edge(a, b);       // copy edge 0, made while copying a
    t.Edge(b, d);       // 1, while copying b
    t.Edge(c, b);       // 2, while copying c
    t.Edge(d, outside); // 3, made and dropped again: its far end is not copied

    const std::uint32_t before = g_nextId;
    ShapeCopy g({a, b, c, d});
    // Four vertices and four edges would have taken an id each.
    EXPECT_EQ(g_nextId - before, 8u);
    ASSERT_EQ(g.Vertices(), (std::vector<int>{0, 1, 2, 3}));
    EXPECT_EQ(g.DocVertex(3), d);
    // A vertex lists the edges it starts first, then those ending at it in creation order.
    EXPECT_EQ(g.EdgesOf(1), (std::vector<int>{1, 0, 2}));
    EXPECT_EQ(g.EdgesOf(3), (std::vector<int>{1}));
    EXPECT_EQ(g.Other(2, 1), 2);

    // Every leaf goes with its edge at once; an isolated vertex goes alone, before leaves.
    g.RemoveLeavesOnce();
    EXPECT_EQ(g.Vertices(), (std::vector<int>{1}));
    EXPECT_EQ(g.Degree(1), 0u);

    const std::uint32_t beforeCopy = g_nextId;
    ShapeCopy h(g, 0);
    EXPECT_EQ(g_nextId - beforeCopy, 1u);
    EXPECT_EQ(h.SourceVertex(0), 1);
    EXPECT_EQ(h.DocVertex(0), b);
    h.RemoveLeavesOnce();
    EXPECT_TRUE(h.Vertices().empty());
}
