#include <gtest/gtest.h>

#include <climits>

#include "LevelTestSupport.h"
#include "io/DocumentFormat.h"

namespace {

std::vector<CVertex*> Bends(const TestDoc& t) {
    std::vector<CVertex*> out;
    for (CVertex* v : t.Vertices())
        if (v->m_isBend) out.push_back(v);
    return out;
}

} // namespace

TEST(MakeProper, AdjacentLevelsAreOrientedAndPlacedWithoutAsking) {
    TestDoc t;
    t.view->m_guideMode = CLattixView::kGuideHorizontal;
    t.view->m_lockToTracks = true;
    CVertex* a = OnTrack(t, 2, 100, "a");
    CVertex* b = OnTrack(t, 1, 200, "b");
    a->m_offset = {7, 11}; // a drag in progress
    CEdge* e = t.Edge(a, b);
    EXPECT_TRUE(t.d().MakeProper(false));
    EXPECT_TRUE(t.platform.m_questions.empty());
    EXPECT_EQ(e->m_v1, b); // from the lower track to the higher
    EXPECT_EQ(e->m_v2, a);
    EXPECT_EQ(a->m_center.x, 107); // offset committed
    EXPECT_EQ(a->m_center.y + a->m_offset.y, 60); // and locked to track 2
    EXPECT_EQ(t.CountVertices(), 2u);
}

TEST(MakeProper, LongEdgeIsReversedAndSplitOnTheLevelsBetween) {
    TestDoc t(false); // no view: no snapping, positions as computed
    CVertex* a = t.Vertex(1000, 500, "a");
    a->m_trackNumber = 5;
    CVertex* b = t.Vertex(100, 200, "b");
    b->m_trackNumber = 2;
    t.Edge(a, b, kEdgeRed);
    t.platform.m_answers = {true};
    ASSERT_TRUE(t.d().MakeProper(false));
    ASSERT_EQ(t.platform.m_questions, std::vector<std::string>{"The level graph is non proper. Insert dummy vertices?."});

    const std::vector<CVertex*> bends = Bends(t);
    ASSERT_EQ(bends.size(), 2u);
    EXPECT_EQ(bends[0]->m_trackNumber, 3);
    EXPECT_EQ(bends[1]->m_trackNumber, 4);
    EXPECT_EQ(bends[0]->m_radius, 5);
    // The remaining distance over the span of the whole edge: D/3, then 5D/9 from b's side.
    EXPECT_EQ(bends[0]->m_center, (Point{100 + 300, 200 + 100}));
    EXPECT_EQ(bends[1]->m_center, (Point{100 + 500, 200 + 166}));

    const std::vector<CEdge*> edges = t.Edges();
    ASSERT_EQ(edges.size(), 3u);
    EXPECT_TRUE(edges[0]->Joins(b, bends[0]));
    EXPECT_TRUE(edges[1]->Joins(bends[0], bends[1]));
    EXPECT_TRUE(edges[2]->Joins(bends[1], a));
    for (CEdge* e : edges) {
        EXPECT_EQ(e->m_edgeColor, kEdgeRed);
        EXPECT_LT(e->m_v1->m_trackNumber, e->m_v2->m_trackNumber);
    }
}

TEST(MakeProper, SameLevelEdgeIsRefusedBeforeAnythingChanges) {
    TestDoc t;
    CVertex* a = OnTrack(t, 1, 100);
    CVertex* b = OnTrack(t, 1, 200);
    CVertex* c = OnTrack(t, 4, 300);
    t.Edge(a, c);
    t.Edge(a, b);
    const auto before = WriteDocument(t.d());
    EXPECT_FALSE(t.d().MakeProper(false));
    EXPECT_EQ(t.platform.m_messages, std::vector<std::string>{"There are edges between vertices on the same level."});
    EXPECT_TRUE(t.platform.m_questions.empty());
    EXPECT_EQ(WriteDocument(t.d()), before);
}

TEST(MakeProper, DecliningLeavesTheGraphAndQuietModeDoesNotAsk) {
    TestDoc t;
    CVertex* a = OnTrack(t, 1, 100);
    CVertex* b = OnTrack(t, 3, 100);
    t.Edge(a, b);
    const auto before = WriteDocument(t.d());
    EXPECT_FALSE(t.d().MakeProper(false)); // the default answer is Cancel
    EXPECT_EQ(WriteDocument(t.d()), before);

    EXPECT_TRUE(t.d().MakeProper(true));
    EXPECT_EQ(t.platform.m_questions.size(), 1u);
    EXPECT_TRUE(t.platform.m_messages.empty());
    EXPECT_EQ(Bends(t).size(), 1u);
}

TEST(MakeProper, NewBendsAreVisitedAndEndOnTheirTracks) {
    TestDoc t;
    t.view->m_guideMode = CLattixView::kGuideHorizontal;
    t.view->m_lockToTracks = true;
    CVertex* a = OnTrack(t, 1, 100);
    CVertex* b = OnTrack(t, 6, 700);
    b->m_center.y = 171; // off its track; locking pulls it there through the offset
    t.Edge(a, b);
    ASSERT_TRUE(t.d().MakeProper(true));
    for (CVertex* bend : Bends(t)) {
        // The walk reaches the appended edges too, so the bends' offsets are committed.
        EXPECT_EQ(bend->m_center.y, bend->m_trackNumber * 30);
        EXPECT_EQ(bend->m_offset, Point{});
    }
    EXPECT_EQ(Bends(t).size(), 4u);
}

TEST(MakeProper, TracksTooFarApartAreRefusedBeforeAsking) {
    // Track numbers are any 32-bit values: the ends of the range would need billions of
    // bends. Two edges that fit the limit alone but not together are refused as well.
    for (const auto& spans : std::vector<std::vector<std::int32_t>>{{INT32_MIN, INT32_MAX}, {1, 600'002, 1'200'003}}) {
        TestDoc t;
        std::vector<CVertex*> path;
        for (std::int32_t track : spans) path.push_back(OnTrack(t, track, 100));
        for (std::size_t i = 0; i + 1 < path.size(); ++i) t.Edge(path[i], path[i + 1]);
        const auto before = WriteDocument(t.d());
        EXPECT_FALSE(t.d().MakeProper(false));
        EXPECT_FALSE(t.d().MakeProper(true));
        EXPECT_TRUE(t.platform.m_questions.empty());
        EXPECT_EQ(t.platform.m_messages,
                  std::vector<std::string>(2, "The level graph spans too many levels to insert dummy vertices."));
        EXPECT_EQ(WriteDocument(t.d()), before);
    }
}
