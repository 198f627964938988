#include <gtest/gtest.h>

#include "editor/CommandIds.h"
#include "editor/CommandTable.h"
#include "support/TestDoc.h"

namespace {

// Where a vertex is drawn: its centre moved by the offset the guides gave it.
Point Shown(const CVertex& v) { return v.m_center + v.m_offset; }

struct GuidedDoc : TestDoc {
    GuidedDoc() {
        view->m_guideMode = CLattixView::kGuideHorizontal;
        view->m_snapToGuides = true;
    }
};

} // namespace

TEST(Guides, SnappingToTheNearestTrack) {
    GuidedDoc t;
    CVertex* v = t.Vertex(100, 100);
    v->PlaceAt(100, 44, t.view.get());
    EXPECT_EQ(Shown(*v).y, 30);
    v->PlaceAt(100, 45, t.view.get()); // halfway: the lower track wins
    EXPECT_EQ(Shown(*v).y, 60);
    EXPECT_EQ(v->m_rect, (Rect{90, 35, 110, 55}));
    // Near the top the search stops at track 0; the disc stays on the canvas.
    v->PlaceAt(100, 3, t.view.get());
    EXPECT_EQ(Shown(*v).y, 10);
    // Grid lines too, with the grid.
    t.view->m_guideMode = CLattixView::kGuideGrid;
    v->PlaceAt(116, 100, t.view.get());
    EXPECT_EQ(Shown(*v), (Point{120, 90}));
    // Positions at the ends of the 32-bit range (spreading with a huge separation saturates
    // there) still end with the disc on the canvas, in every guide mode.
    for (int mode : {CLattixView::kGuideGrid, CLattixView::kGuideHorizontal}) {
        t.view->m_guideMode = mode;
        v->PlaceAt(INT32_MIN, INT32_MAX, t.view.get()); // the last track or grid line
        EXPECT_EQ(Shown(*v), (Point{10, kCanvasSize / 30 * 30}));
        v->PlaceAt(INT32_MAX, INT32_MIN, nullptr);
        EXPECT_EQ(Shown(*v), (Point{kCanvasSize - 10, 10}));
    }
}

TEST(Guides, ColouredTracksOnlyTakeTheirColour) {
    GuidedDoc t;
    CVertex* red = t.Vertex(100, 100);
    red->m_color = ColorIdToRgb(102);
    for (int i = 3; i <= 6; ++i) t.view->m_trackColors[i] = 101; // blue
    t.view->m_trackColors[2] = 102;                              // red
    red->PlaceAt(100, 118, t.view.get());
    EXPECT_EQ(Shown(*red).y, 60);
    // Uncoloured tracks take anything.
    t.view->m_trackColors[5] = 0;
    red->PlaceAt(100, 140, t.view.get());
    EXPECT_EQ(Shown(*red).y, 150);
    // More than 100 tracks away: the track reached after 101 steps.
    for (int i = 1; i <= 300; ++i) t.view->m_trackColors[i] = 101;
    red->PlaceAt(100, 200 * 30, t.view.get());
    const int track = Shown(*red).y / 30;
    EXPECT_TRUE(track == 199 - 101 || track == 200 + 101) << track;
}

TEST(Guides, LockingAndAutomaticTrackNumbers) {
    GuidedDoc t;
    t.view->m_lockToTracks = true;
    CVertex* v = t.Vertex(100, 100);
    v->m_trackNumber = 3;
    v->PlaceAt(100, 401, t.view.get());
    EXPECT_EQ(Shown(*v).y, 90);
    v->m_trackNumber = 0;
    v->m_offset = {};
    v->PlaceAt(100, 401, t.view.get());
    EXPECT_EQ(Shown(*v).y, 401);

    t.view->m_lockToTracks = false;
    ExecuteCommand(t.d(), t.view.get(), cmd::kAutoTrackNumbers);
    EXPECT_TRUE(t.d().m_autoTrack);
    v->PlaceAt(100, 118, t.view.get());
    EXPECT_EQ(v->m_trackNumber, 4);
}

TEST(Guides, ToolbarCommandsAndTheirInterlocks) {
    TestDoc t;
    ExecuteCommand(t.d(), t.view.get(), cmd::kSnapToGuides);
    EXPECT_EQ(t.view->m_guideMode, CLattixView::kGuideGrid);
    EXPECT_TRUE(QueryCommand(t.d(), t.view.get(), cmd::kSnapToGuides)->checked);
    ExecuteCommand(t.d(), t.view.get(), cmd::kShowGrid);
    EXPECT_EQ(t.view->m_guideMode, CLattixView::kGuideNone);
    EXPECT_FALSE(QueryCommand(t.d(), t.view.get(), cmd::kSnapToGuides)->checked);
    t.view->m_guideMode = CLattixView::kGuideVertical;
    ExecuteCommand(t.d(), t.view.get(), cmd::kLockToTracks);
    EXPECT_EQ(t.view->m_guideMode, CLattixView::kGuideGrid);
    ExecuteCommand(t.d(), t.view.get(), cmd::kShowTracks);
    EXPECT_EQ(t.view->m_guideMode, CLattixView::kGuideHorizontal);
    EXPECT_TRUE(QueryCommand(t.d(), t.view.get(), cmd::kShowTracks)->checked);
}

TEST(Guides, PickingATrackWithTheRightButton) {
    TestDoc t;
    t.view->m_guideMode = CLattixView::kGuideHorizontal;
    t.d().PickTrack(300 + 6, t.view.get());
    EXPECT_EQ(t.d().m_selectedTrack, -1);
    t.d().PickTrack(300 + 5, t.view.get());
    EXPECT_EQ(t.d().m_selectedTrack, 10);
    t.d().PickTrack(300 - 3, t.view.get());
    EXPECT_EQ(t.d().m_selectedTrack, 10);
    t.d().PickTrack(2, t.view.get()); // track 0 is never picked
    EXPECT_EQ(t.d().m_selectedTrack, -1);
    t.view->m_guideMode = CLattixView::kGuideVertical;
    t.d().PickTrack(305, t.view.get());
    EXPECT_EQ(t.d().m_selectedTrack, -1);
}

TEST(Guides, RenumberingTopToBottom) {
    TestDoc t;
    CVertex* u = t.Vertex(100, 100, "u");
    CVertex* v = t.Vertex(200, 50, "v");
    CVertex* w = t.Vertex(300, 50, "w");
    CVertex* bend = t.Vertex(400, 10, "");
    bend->m_isBend = true;
    bend->m_trackNumber = 9;
    t.d().OnRenumberTopToBottom();
    EXPECT_EQ(u->m_trackNumber, 3);
    EXPECT_EQ(v->m_trackNumber, 1);
    EXPECT_EQ(w->m_trackNumber, 2);
    EXPECT_EQ(bend->m_trackNumber, 9);
    EXPECT_TRUE(QueryCommand(t.d(), t.view.get(), cmd::kRenumberTopToBottom)->checked);
}

TEST(Guides, PreferencesDialogRaisesSmallSeparations) {
    TestDoc t;
    GuidesDialogValues values;
    values.mode = 3;
    values.xSeparation = 5;
    values.ySeparation = 40;
    t.platform.m_guidesAnswers = {values};
    ExecuteCommand(t.d(), t.view.get(), cmd::kGuidesPreferences);
    EXPECT_EQ(t.view->m_xSeparation, 10);
    EXPECT_EQ(t.view->m_ySeparation, 40);
    EXPECT_EQ(t.view->m_guideMode, 3);
    EXPECT_EQ(t.platform.m_messages.back(), "Minimum X and Y separation is 10");
}

TEST(Guides, RandomTrackColours) {
    TestDoc t;
    t.platform.m_colorTracksAnswers = {ColorTracksDialogValues{50, 10, 2}};
    ExecuteCommand(t.d(), t.view.get(), cmd::kColorTracksRandomly);
    EXPECT_EQ(t.view->m_trackColors[9], 0);
    EXPECT_EQ(t.view->m_trackColors[51], 0);
    for (int i = 10; i <= 50; ++i) {
        EXPECT_GE(t.view->m_trackColors[i], 101);
        EXPECT_LE(t.view->m_trackColors[i], 103);
    }
    ExecuteCommand(t.d(), t.view.get(), cmd::kRemoveAllTrackColors);
    EXPECT_EQ(t.view->m_trackColors[20], 0);
}
