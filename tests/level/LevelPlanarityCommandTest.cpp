#include <gtest/gtest.h>

#include <random>

#include "LevelTestSupport.h"
#include "io/DocumentFormat.h"

namespace {

const std::string kPlanar = "The graph is level planar";
const std::string kNotPlanar = "The graph is not level planar";

std::vector<std::string> RunTest(TestDoc& t) {
    t.platform.m_messages.clear();
    t.d().OnLevelPlanarityTesting();
    return t.platform.m_messages;
}

// K2,2 between tracks `track` and track + 1, left of x.
void AddK22(TestDoc& t, int track, int x) {
    CVertex* a = OnTrack(t, track, x);
    CVertex* b = OnTrack(t, track, x + 40);
    CVertex* c = OnTrack(t, track + 1, x);
    CVertex* d = OnTrack(t, track + 1, x + 40);
    t.Edge(a, c);
    t.Edge(a, d);
    t.Edge(b, c);
    t.Edge(b, d);
}

} // namespace

TEST(LevelPlanarityTesting, OneVertexPerLevelIsLevelPlanar) {
    TestDoc t;
    CVertex* prev = OnTrack(t, 1, 500);
    for (int track = 2; track <= 5; ++track) {
        CVertex* v = OnTrack(t, track, 100 * track);
        t.Edge(prev, v);
        prev = v;
    }
    EXPECT_EQ(RunTest(t), std::vector<std::string>{kPlanar});
    // The guides show the tracks and hold the vertices on them.
    EXPECT_EQ(t.view->m_guideMode, CLattixView::kGuideHorizontal);
    EXPECT_TRUE(t.view->m_lockToTracks);
}

TEST(LevelPlanarityTesting, K22BetweenAdjacentLevelsIsNotLevelPlanar) {
    TestDoc t;
    AddK22(t, 1, 100);
    EXPECT_EQ(RunTest(t), std::vector<std::string>{kNotPlanar});
}

TEST(LevelPlanarityTesting, CrossingIndependentEdgesAreLevelPlanar) {
    TestDoc t;
    // Spread in creation order: a, b on track 1 and c, d on track 2 are side by side, so
    // a-d and b-c cross; a-c makes them one component.
    CVertex* a = OnTrack(t, 1, 100);
    CVertex* b = OnTrack(t, 1, 200);
    CVertex* c = OnTrack(t, 2, 100);
    CVertex* d = OnTrack(t, 2, 200);
    t.Edge(a, d);
    t.Edge(b, c);
    t.Edge(a, c);
    EXPECT_EQ(RunTest(t), std::vector<std::string>{kPlanar});
    // The test only spreads the vertices along their tracks; it does not uncross them.
    EXPECT_TRUE(DocumentHasLevelCrossing(t));
}

TEST(LevelPlanarityTesting, StopsAtTheFirstComponentThatIsNotLevelPlanar) {
    TestDoc t;
    AddK22(t, 1, 100);
    AddK22(t, 4, 600);
    EXPECT_EQ(RunTest(t), std::vector<std::string>{kNotPlanar});
}

TEST(LevelPlanarityTesting, RefusalsComeFromThePreparation) {
    {
        // Empty: no message, but the guides it switched on are on screen at once.
        struct CountingView : CLattixView {
            int repaints = 0;
            void Repaint() override { ++repaints; }
        } view;
        TestDoc t(false);
        t.d().AddView(&view);
        t.platform.m_activeView = &view;
        EXPECT_TRUE(RunTest(t).empty());
        EXPECT_TRUE(view.m_lockToTracks);
        EXPECT_EQ(view.m_guideMode, CLattixView::kGuideHorizontal);
        EXPECT_GT(view.repaints, 0);
        t.d().RemoveView(&view);
    }
    {
        TestDoc t;
        t.Edge(OnTrack(t, 2, 100), OnTrack(t, 2, 200));
        EXPECT_EQ(RunTest(t), std::vector<std::string>{"There are edges between vertices on the same level."});
    }
    {
        TestDoc t;
        CVertex* a = OnTrack(t, 1, 100);
        CVertex* b = OnTrack(t, 2, 200);
        t.Edge(a, b);
        t.Edge(b, a);
        EXPECT_EQ(RunTest(t), std::vector<std::string>{"The graph is not simple."});
    }
    {
        TestDoc t;
        t.Edge(OnTrack(t, 1, 100), OnTrack(t, 2, 200));
        t.d().m_directed = true;
        EXPECT_EQ(RunTest(t), std::vector<std::string>{"The graph is not undirected."});
    }
    {
        TestDoc t;
        t.Edge(OnTrack(t, 1, 100), OnTrack(t, 3, 200));
        EXPECT_TRUE(RunTest(t).empty()); // the insertion question was declined
        EXPECT_EQ(t.platform.m_questions.size(), 1u);
    }
}

TEST(LevelPlanarityTesting, TheWholeCommandIsOneUndoStep) {
    TestDoc t;
    CVertex* a = OnTrack(t, 1, 900);
    CVertex* b = OnTrack(t, 1, 700);
    t.Edge(a, OnTrack(t, 3, 100));
    t.Edge(b, OnTrack(t, 2, 300));
    t.d().CheckPoint();
    const auto before = WriteDocument(t.d());
    t.platform.m_defaultAnswer = true;
    EXPECT_EQ(RunTest(t), std::vector<std::string>{kPlanar});
    EXPECT_NE(WriteDocument(t.d()), before);
    t.d().OnEditUndo();
    // Undo keeps the guide settings; the graph itself is back.
    t.view->m_guideMode = CLattixView::kGuideNone;
    t.view->m_lockToTracks = false;
    EXPECT_EQ(WriteDocument(t.d()), before);
}

// Random level graphs, proper or with long edges: the verdict agrees with a search over all
// vertex orders of the proper graph the command made.
TEST(LevelPlanarityTesting, VerdictAgreesWithExhaustiveSearch) {
    std::mt19937 rng(77);
    int planar = 0;
    for (int round = 0; round < 400; ++round) {
        TestDoc t;
        t.platform.m_defaultAnswer = true;
        const int tracks = 2 + round % 4;
        std::vector<std::vector<CVertex*>> levels(tracks);
        std::uniform_int_distribution<int> width(1, 4), x(0, 40);
        for (int l = 0; l < tracks; ++l)
            for (int i = width(rng); i > 0; --i) levels[l].push_back(OnTrack(t, l + 1, 60 + 30 * x(rng)));
        const bool proper = round % 2 == 0;
        // Long edges span two tracks at most, to keep the search over orders quick.
        std::bernoulli_distribution coin(proper ? 0.6 : 0.3);
        for (int l = 0; l < tracks; ++l)
            for (int m = l + 1; m < tracks && m <= l + (proper ? 1 : 2); ++m)
                for (CVertex* a : levels[l])
                    for (CVertex* b : levels[m])
                        if (coin(rng)) t.Edge(a, b);
        const std::vector<std::string> messages = RunTest(t);
        ASSERT_EQ(messages.size(), 1u);
        const bool truth = DocumentIsLevelPlanar(t);
        EXPECT_EQ(messages[0], truth ? kPlanar : kNotPlanar) << "round " << round;
        planar += truth;
    }
    EXPECT_GT(planar, 50);
    EXPECT_LT(planar, 350);
}

TEST(LevelPlanarityTesting, AComponentTooWideForTheExchangeGraphIsRefused) {
    // 22 400 leaves on one level make 250 868 800 pairs (250 918 529 with the hubs and
    // links), past what the exchange graph may hold:
    // 224 hubs on level 5 with 100 leaves each, the hubs joined through level 4. A small
    // component before it is still tested.
    TestDoc t;
    t.Edge(OnTrack(t, 1, 100), OnTrack(t, 2, 100));
    CVertex* previous = nullptr;
    for (int h = 0; h < 224; ++h) {
        CVertex* hub = OnTrack(t, 5, 300 + 200 * h);
        if (previous) {
            CVertex* link = OnTrack(t, 4, 200 + 200 * h);
            t.Edge(previous, link);
            t.Edge(link, hub);
        }
        for (int i = 0; i < 100; ++i) t.Edge(hub, OnTrack(t, 6, 300 + 200 * h + i));
        previous = hub;
    }
    const std::size_t elements = t.d().m_elements.size();
    const std::vector<std::string> messages = RunTest(t);
    ASSERT_EQ(messages.size(), 1u);
    EXPECT_NE(messages[0].find("too large for the level planarity test"), std::string::npos) << messages[0];
    EXPECT_NE(messages[0].find("250918529 pairs"), std::string::npos) << messages[0];
    EXPECT_EQ(t.d().m_elements.size(), elements);

    t.platform.m_messages.clear();
    t.platform.m_drawAnswers.push_back(DrawDialogValues{false, "0"});
    t.d().OnDrawLevelPlanarGraph();
    ASSERT_EQ(t.platform.m_messages.size(), 1u);
    EXPECT_NE(t.platform.m_messages[0].find("too large"), std::string::npos);
}

TEST(DrawLevelPlanarGraph, NoSeparationStillSpreadsTheVerticesApart) {
    // A diamond drawn crossed, with no horizontal separation: the spread keeps one unit
    // between the vertices of a track, so the drawing has distinct places and no crossing.
    TestDoc t;
    t.view->m_xSeparation = 0;
    CVertex* bottom = OnTrack(t, 1, 300);
    CVertex* left = OnTrack(t, 2, 400);
    CVertex* right = OnTrack(t, 2, 100);
    CVertex* top = OnTrack(t, 3, 300);
    CVertex* side = OnTrack(t, 3, 50);
    t.Edge(bottom, left);
    t.Edge(bottom, right);
    t.Edge(left, top);
    t.Edge(right, top);
    t.Edge(left, side);
    t.platform.m_drawAnswers.push_back(DrawDialogValues{false, "0"});
    t.d().OnDrawLevelPlanarGraph();
    EXPECT_TRUE(t.platform.m_messages.empty());
    EXPECT_NE(left->m_center.x, right->m_center.x);
    EXPECT_NE(top->m_center.x, side->m_center.x);
    EXPECT_FALSE(DocumentHasLevelCrossing(t));
    t.d().CountCrossings();
    EXPECT_EQ(t.d().TotalCrossings(), 0);
}

// The test's verdict needs no search, so it shows no progress; the drawing does search
// where the labels' orders cross, shows its progress, and Cancel ends it without a message,
// what it changed being one undo step.
TEST(LevelPlanarityTesting, VerdictWithoutSearchAndCancelDuringTheDrawingSearch) {
    std::mt19937 rng(5);
    int cancelled = 0;
    for (int round = 0; round < 400 && cancelled < 3; ++round) {
        const LevelGraph g = RandomLevelGraph(rng, 2 + round % 4, 5, 0.4);
        TestDoc t;
        std::vector<CVertex*> vs;
        for (int v = 0; v < g.VertexCount(); ++v) vs.push_back(OnTrack(t, g.LevelOf(v) + 1, 100 + 40 * g.RankOf(v)));
        for (const auto& e : g.Edges()) t.Edge(vs[e.lower], vs[e.upper]);
        t.d().CheckPoint();
        const auto before = WriteDocument(t.d());
        int shown = 0;
        t.platform.m_progress = [&](std::string_view caption, std::int64_t, std::int64_t) {
            shown += caption == "Testing level planarity";
            return false;
        };
        const bool truth = BruteForceLevelOrders(g).has_value();
        EXPECT_EQ(RunTest(t), std::vector<std::string>{truth ? kPlanar : kNotPlanar}) << "round " << round;
        ASSERT_EQ(shown, 0) << "round " << round;
        t.d().OnEditUndo();
        t.view->m_guideMode = CLattixView::kGuideNone; // undo keeps the guide settings
        t.view->m_lockToTracks = false;
        ASSERT_EQ(WriteDocument(t.d()), before) << "round " << round;

        t.platform.m_messages.clear();
        t.platform.m_drawAnswers.push_back(DrawDialogValues{false, "0"});
        t.d().OnDrawLevelPlanarGraph();
        if (shown == 0) {
            EXPECT_EQ(t.platform.m_messages, truth ? std::vector<std::string>{} : std::vector<std::string>{kNotPlanar})
                << "round " << round;
            continue;
        }
        ++cancelled;
        EXPECT_TRUE(t.platform.m_messages.empty()) << "round " << round;
        t.d().OnEditUndo();
        t.view->m_guideMode = CLattixView::kGuideNone;
        t.view->m_lockToTracks = false;
        EXPECT_EQ(WriteDocument(t.d()), before) << "round " << round;
    }
    EXPECT_EQ(cancelled, 3);
}
