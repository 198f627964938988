#include <gtest/gtest.h>

#include <random>

#include "LevelTestSupport.h"
#include "io/DocumentFormat.h"
#include "level/ComponentExchangeGraph.h"
#include "level/LevelDrawing.h"
#include "level/LevelDrawingPlan.h"
#include "model/AlgorithmWorkspace.h"

namespace {

void Draw(TestDoc& t, bool animate = false, const std::string& delay = "0") {
    t.platform.m_drawAnswers.push_back(DrawDialogValues{animate, delay});
    t.d().OnDrawLevelPlanarGraph();
}

// A component with two independent edges, a-d and b-c, that cross once the vertices are
// spread in creation order; a-c joins them.
void AddCrossingPair(TestDoc& t, int track) {
    CVertex* a = OnTrack(t, track, 100);
    CVertex* b = OnTrack(t, track, 200);
    CVertex* c = OnTrack(t, track + 1, 100);
    CVertex* d = OnTrack(t, track + 1, 200);
    t.Edge(a, d);
    t.Edge(b, c);
    t.Edge(a, c);
}

std::vector<Point> Centres(const TestDoc& t) {
    std::vector<Point> out;
    for (const CVertex* v : t.Vertices()) out.push_back(v->m_center + v->m_offset);
    return out;
}

bool HasCrossingAmong(const std::vector<CVertex*>& component) {
    std::vector<CEdge*> edges;
    for (CVertex* v : component)
        for (CEdge* e : v->m_edges)
            if (e->m_v1 == v) edges.push_back(e);
    std::vector<CVertex*> vertices;
    const LevelGraph g = LevelGraphOf(component, edges, vertices);
    return HasLevelCrossing(g, g.Levels());
}

// A random level graph of `tracks` tracks, each edge joining adjacent tracks.
std::vector<CVertex*> AddRandomLevelGraph(TestDoc& t, std::mt19937& rng, int tracks, int maxWidth, double p) {
    std::vector<std::vector<CVertex*>> levels(tracks);
    std::vector<CVertex*> all;
    std::uniform_int_distribution<int> width(1, maxWidth), x(0, 60);
    for (int l = 0; l < tracks; ++l)
        for (int i = width(rng); i > 0; --i) {
            levels[l].push_back(OnTrack(t, l + 1, 60 + 30 * x(rng)));
            all.push_back(levels[l].back());
        }
    std::bernoulli_distribution coin(p);
    for (int l = 0; l + 1 < tracks; ++l)
        for (CVertex* a : levels[l])
            for (CVertex* b : levels[l + 1])
                if (coin(rng)) t.Edge(a, b);
    return all;
}

// A level planar graph whose planar orders are shuffled against the creation order (which
// is the order the test spreads the vertices in): between adjacent tracks a staircase of
// edges that do not cross in the planar orders.
void AddShuffledPlanarGraph(TestDoc& t, std::mt19937& rng, int tracks, int width) {
    std::vector<std::vector<CVertex*>> planar(tracks);
    for (int l = 0; l < tracks; ++l) {
        for (int i = 0; i < width; ++i) planar[l].push_back(OnTrack(t, l + 1, 60 + 30 * i));
        std::shuffle(planar[l].begin(), planar[l].end(), rng);
    }
    std::uniform_int_distribution<int> step(0, 2);
    std::bernoulli_distribution skip(0.3);
    for (int l = 0; l + 1 < tracks; ++l)
        for (int a = 0, b = 0; a < width && b < width;) {
            if (!skip(rng)) t.Edge(planar[l][a], planar[l + 1][b]);
            const int s = step(rng);
            a += s != 1;
            b += s != 0;
        }
}

} // namespace

TEST(DrawLevelPlanarGraph, CancelInTheDialogDoesNothing) {
    TestDoc t;
    AddCrossingPair(t, 1);
    const auto before = WriteDocument(t.d());
    const std::size_t depth = t.d().UndoDepth();
    t.platform.m_drawAnswers.push_back(std::nullopt);
    t.d().OnDrawLevelPlanarGraph();
    EXPECT_EQ(WriteDocument(t.d()), before);
    EXPECT_EQ(t.d().UndoDepth(), depth);
    EXPECT_EQ(t.view->m_guideMode, CLattixView::kGuideNone);
}

TEST(DrawLevelPlanarGraph, CrossingEdgesAreUncrossedByOneExchangeThatIsOneUndoStep) {
    TestDoc t;
    AddCrossingPair(t, 1);
    Draw(t);
    EXPECT_TRUE(t.platform.m_messages.empty());
    EXPECT_FALSE(DocumentHasLevelCrossing(t));
    // New document, opening checkpoint, the exchange and the closing checkpoint.
    EXPECT_EQ(t.d().UndoDepth(), 4u);
    t.d().OnEditUndo();
    t.d().OnEditUndo();
    EXPECT_TRUE(DocumentHasLevelCrossing(t)); // as spread, before the exchange
}

TEST(DrawLevelPlanarGraph, StepDelayIsClampedAndPausesEachExchange) {
    const std::pair<std::string, std::int64_t> cases[] = {{"20000", 10000}, {"-5", 0}, {"soon", 0}, {"250ms", 250}};
    for (const auto& [text, ms] : cases) {
        TestDoc t;
        AddCrossingPair(t, 1);
        Draw(t, true, text);
        EXPECT_EQ(t.platform.m_sleptMs, ms) << text;
    }
    TestDoc t;
    AddCrossingPair(t, 1);
    Draw(t, false, "300");
    EXPECT_EQ(t.platform.m_sleptMs, 0);
}

TEST(DrawLevelPlanarGraph, DrawingThatNeedsNoExchangeIsLeftAsSpread) {
    auto build = [](TestDoc& t) {
        CVertex* a = OnTrack(t, 1, 500);
        CVertex* b = OnTrack(t, 2, 50);
        CVertex* c = OnTrack(t, 2, 800);
        t.Edge(a, b);
        t.Edge(a, c);
        t.Edge(c, OnTrack(t, 3, 10));
    };
    TestDoc drawn, tested;
    build(drawn);
    build(tested);
    Draw(drawn);
    tested.d().OnLevelPlanarityTesting();
    EXPECT_EQ(Centres(drawn), Centres(tested));
    EXPECT_EQ(drawn.d().UndoDepth(), 3u); // no exchange took an undo step
}

TEST(DrawLevelPlanarGraph, ComponentsThatAreNotLevelPlanarAreReportedAndTheOthersDrawn) {
    TestDoc t;
    AddCrossingPair(t, 1);
    std::vector<CVertex*> first = t.Vertices();
    // K2,2 between tracks 4 and 5.
    CVertex* a = OnTrack(t, 4, 100);
    CVertex* b = OnTrack(t, 4, 200);
    CVertex* c = OnTrack(t, 5, 100);
    CVertex* d = OnTrack(t, 5, 200);
    for (CVertex* up : {c, d}) {
        t.Edge(a, up);
        t.Edge(b, up);
    }
    const std::size_t before = t.Vertices().size();
    AddCrossingPair(t, 7);
    const std::vector<CVertex*> all = t.Vertices();
    const std::vector<CVertex*> third(all.begin() + before, all.end());
    Draw(t);
    EXPECT_EQ(t.platform.m_messages, std::vector<std::string>{"The graph is not level planar"});
    EXPECT_FALSE(HasCrossingAmong(first));
    EXPECT_FALSE(HasCrossingAmong(third));
}

TEST(DrawLevelPlanarGraph, CancelStopsAfterTheCurrentExchange) {
    TestDoc t;
    AddCrossingPair(t, 1);
    AddCrossingPair(t, 4);
    int updates = 0;
    t.platform.m_progress = [&](std::string_view, std::int64_t, std::int64_t) { return ++updates < 1; };
    Draw(t, true, "10");
    EXPECT_EQ(updates, 1);
    EXPECT_EQ(t.platform.m_sleptMs, 10); // one exchange, then the command ended
    EXPECT_TRUE(DocumentHasLevelCrossing(t));
}

// Every level planar random graph comes out without crossings between adjacent levels.
TEST(DrawLevelPlanarGraph, RandomLevelPlanarGraphsComeOutWithoutCrossings) {
    std::mt19937 rng(5);
    int drawn = 0;
    for (int round = 0; round < 300; ++round) {
        TestDoc t;
        if (round % 2) AddRandomLevelGraph(t, rng, 2 + round % 5, 4, 0.45);
        else AddShuffledPlanarGraph(t, rng, 2 + round % 5, 2 + round % 4);
        const bool planar = DocumentIsLevelPlanar(t);
        Draw(t);
        if (!planar) continue;
        ++drawn;
        // Components are drawn over each other from the left; each must be free of crossings.
        t.d().RebuildAllLists();
        const int components = t.d().CountComponents(&t.d().m_allVertices);
        for (int k = 0; k < components; ++k) {
            std::vector<CVertex*> component;
            for (CVertex* v : t.Vertices())
                if (t.d().ComponentOf(v) == k) component.push_back(v);
            EXPECT_FALSE(HasCrossingAmong(component)) << "round " << round;
        }
        EXPECT_TRUE(t.platform.m_messages.empty()) << "round " << round;
    }
    EXPECT_GT(drawn, 180);
}

// A level planar graph on which the exchanges that the vertex-exchange labels call for
// leave two edges crossing (found among random graphs). The command finishes the drawing
// with orders that have no crossing.
TEST(DrawLevelPlanarGraph, ExchangesThatLeaveCrossingsAreFinishedByTheVerdictsOrders) {
    auto build = [](TestDoc& t) {
        // Created track by track from the left, which is the order the test spreads them in.
        const std::vector<std::vector<std::string>> tracks = {
            {"v0", "v4", "v6"}, {"v1", "v3", "v7", "v8", "v9", "v10", "v11"}, {"v2", "v5"}};
        for (std::size_t l = 0; l < tracks.size(); ++l)
            for (std::size_t i = 0; i < tracks[l].size(); ++i) OnTrack(t, int(l) + 1, 60 + 30 * int(i), tracks[l][i]);
        const std::vector<std::pair<int, int>> edges = {{0, 11}, {1, 5}, {1, 2}, {3, 5},  {4, 3},  {4, 7}, {4, 9},
                                                        {6, 8},  {6, 11}, {7, 2}, {8, 2}, {9, 2}, {10, 2}};
        for (const auto& [a, b] : edges)
            t.Edge(t.VertexNamed("v" + std::to_string(a)), t.VertexNamed("v" + std::to_string(b)));
    };
    {
        // The exchanges alone.
        TestDoc t;
        build(t);
        t.view->m_guideMode = CLattixView::kGuideHorizontal;
        t.view->m_lockToTracks = true;
        t.d().RebuildAllLists();
        t.d().CountComponents(&t.d().m_allVertices);
        ASSERT_TRUE(t.d().ExtractComponent(0));
        ComponentExchangeGraph c;
        std::vector<CVertex*> none;
        t.d().BuildVertexExchangeGraph(c, none, false);
        ASSERT_TRUE(DecideLevelPlanarity(c).vegPlanar);
        std::vector<std::int64_t> x(c.graph.VertexCount());
        for (int v = 0; v < c.graph.VertexCount(); ++v) x[v] = c.graph.XOf(v);
        PlanLevelDrawing(c, x);
        EXPECT_TRUE(HasLevelCrossing(c.graph, OrdersByX(c.graph, x)));
    }
    TestDoc t;
    build(t);
    ASSERT_TRUE(DocumentIsLevelPlanar(t));
    Draw(t);
    EXPECT_TRUE(t.platform.m_messages.empty());
    EXPECT_FALSE(DocumentHasLevelCrossing(t));
}

// Reading the pair order off the ranks gives the plan that sorting the pairs gives.
TEST(LevelDrawingPlan, RanksGiveTheSamePlanAsSorting) {
    std::mt19937 rng(11);
    int plans = 0, leftCrossings = 0;
    for (int round = 0; round < 600; ++round) {
        TestDoc t;
        AddShuffledPlanarGraph(t, rng, 2 + round % 5, 2 + round % 6);
        t.view->m_guideMode = CLattixView::kGuideHorizontal;
        t.view->m_lockToTracks = true;
        ASSERT_TRUE(t.d().MakeProper(true));
        t.d().RebuildAllLists();
        t.d().CountComponents(&t.d().m_allVertices);
        ASSERT_TRUE(t.d().ExtractComponent(0));
        ComponentExchangeGraph c;
        std::vector<CVertex*> none;
        t.d().BuildVertexExchangeGraph(c, none, false);
        if (!DecideLevelPlanarity(c).vegPlanar) continue;
        std::vector<std::int64_t> x1(c.graph.VertexCount()), x2;
        for (int v = 0; v < c.graph.VertexCount(); ++v) x1[v] = c.graph.XOf(v);
        x2 = x1;
        ComponentExchangeGraph copy = c;
        const std::vector<LevelSwap> fast = PlanLevelDrawing(c, x1);
        const std::vector<LevelSwap> literal = PlanLevelDrawingLiterally(copy, x2);
        ASSERT_EQ(fast.size(), literal.size()) << "round " << round;
        for (std::size_t i = 0; i < fast.size(); ++i) {
            EXPECT_EQ(fast[i].u, literal[i].u);
            EXPECT_EQ(fast[i].v, literal[i].v);
        }
        EXPECT_EQ(x1, x2);
        plans += !fast.empty();
        leftCrossings += HasLevelCrossing(c.graph, OrdersByX(c.graph, x1));
    }
    EXPECT_GT(plans, 100);
    // How often the exchanges the labels call for leave crossings behind (the command then
    // brings in orders that have none).
    std::printf("plans with exchanges: %d, leaving crossings: %d\n", plans, leftCrossings);
}
