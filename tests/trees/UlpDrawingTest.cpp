#include <gtest/gtest.h>

#include <algorithm>
#include <climits>

#include "support/TestDoc.h"
#include "trees/Classification.h"

namespace {

CVertex* OnTrack(TestDoc& t, const std::string& name, std::int32_t track, std::int32_t x = 500, std::int32_t y = 500) {
    CVertex* v = t.Vertex(x, y, name);
    v->m_trackNumber = track;
    return v;
}

CVertex* Spider(TestDoc& t, std::int32_t centre, const std::vector<std::vector<std::int32_t>>& legs) {
    CVertex* c = OnTrack(t, "c", centre);
    for (const auto& leg : legs) {
        CVertex* prev = c;
        for (std::int32_t tr : leg) {
            CVertex* v = OnTrack(t, "v" + std::to_string(tr), tr);
            t.Edge(prev, v, kEdgeRed);
            prev = v;
        }
    }
    return c;
}

Point At(const TestDoc& t, const std::string& name) { return t.VertexNamed(name)->m_center; }

// An editor view that notes the hidden elements at each repaint and every scroll.
class WatchingView : public CLattixView {
public:
    void Repaint() override {
        int hidden = 0;
        for (const CElement* e : GetDocument()->m_elements) hidden += e->m_hidden ? 1 : 0;
        m_hiddenAtRepaint.push_back(hidden);
    }
    void ScrollTo(Point p) override {
        m_scrolls.push_back(p.x);
        CLattixView::ScrollTo(p);
    }
    std::vector<int> m_hiddenAtRepaint;
    std::vector<std::int32_t> m_scrolls;
};

struct WatchedDoc : TestDoc {
    WatchingView watcher;
    WatchedDoc() : TestDoc(false) {
        doc->AddView(&watcher);
        platform.m_activeView = &watcher;
    }
    ~WatchedDoc() { doc.reset(); }
};

} // namespace

TEST(DrawUlpTrees, TwoPathsSideBySideAndTheTriangleLeftInPlace) {
    TestDoc t;
    CVertex* a = OnTrack(t, "a", 1, 900, 900);
    CVertex* b = OnTrack(t, "b", 2, 950, 990);
    CVertex* c = OnTrack(t, "c", 3, 870, 980);
    CEdge* triangle[3] = {t.Edge(a, b), t.Edge(b, c), t.Edge(c, a)};
    CVertex* p = OnTrack(t, "p", 4);
    CVertex* q = OnTrack(t, "q", 2);
    CVertex* r = OnTrack(t, "r", 3);
    t.Edge(p, q);
    t.Edge(q, r);
    CVertex* u = OnTrack(t, "u", 1);
    CVertex* v = OnTrack(t, "v", 5);
    t.Edge(u, v);

    EXPECT_EQ(t.d().DrawUlpTrees(), CLattixDoc::UlpDrawResult::Drawn);

    EXPECT_EQ(c->m_center, (Point{870, 980}));
    for (const CElement* e : std::initializer_list<const CElement*>{a, b, c, triangle[0], triangle[1], triangle[2]})
        EXPECT_EQ(e->m_highlight, kCycleColor);
    // p-q-r from x0 = 30: spine q in column 1, its leaves (nearest track first) in column 2.
    EXPECT_EQ(q->m_center, (Point{60, 60}));
    EXPECT_EQ(r->m_center, (Point{90, 90}));
    EXPECT_EQ(p->m_center, (Point{90, 120}));
    EXPECT_EQ(p->m_highlight, kCaterpillarColor);
    // u-v starts one column after the first tree's right end, one further in (x0 = 150).
    EXPECT_EQ(u->m_center, (Point{180, 30}));
    EXPECT_EQ(v->m_center, (Point{270, 150}));
    EXPECT_TRUE(t.platform.m_messages.empty());
    EXPECT_TRUE(t.d().IsModified());
}

TEST(DrawUlpTrees, CaterpillarSpineRunsLeftToRightWithItsLeavesBetween) {
    TestDoc t;
    // Spine s1-s2-s3 on distinct tracks.
    const std::pair<const char*, std::int32_t> vertices[] = {{"s1", 3}, {"l1", 5}, {"l2", 1}, {"s2", 4},
                                                             {"l3", 6}, {"l4", 2}, {"s3", 8}, {"l5", 7}};
    for (auto [name, track] : vertices) OnTrack(t, name, track);
    for (auto [x, y] : {std::pair{"s1", "l1"}, {"s1", "l2"}, {"s1", "s2"}, {"s2", "l3"}, {"s2", "l4"}, {"s2", "s3"},
                        {"s3", "l5"}})
        t.Edge(t.VertexNamed(x), t.VertexNamed(y));
    t.d().DrawUlpTrees();
    const std::pair<const char*, Point> expected[] = {{"s1", {60, 90}},   {"l1", {90, 150}},  {"l2", {90, 30}},
                                                      {"s2", {120, 120}}, {"l3", {150, 180}}, {"l4", {150, 60}},
                                                      {"s3", {180, 240}}, {"l5", {210, 210}}};
    for (auto [name, at] : expected) EXPECT_EQ(At(t, name), at) << name;

    // Shared tracks: the exchange sort leaves a first, then c2 before c1; leaves on one
    // track stand in successive columns.
    TestDoc shared;
    CVertex* s = OnTrack(shared, "s", 2);
    for (auto [name, track] : {std::pair{"c1", 1}, {"c2", 1}, {"a", 3}}) shared.Edge(s, OnTrack(shared, name, track));
    shared.d().DrawUlpTrees();
    EXPECT_EQ(At(shared, "s"), (Point{60, 60}));
    EXPECT_EQ(At(shared, "a"), (Point{90, 90}));
    EXPECT_EQ(At(shared, "c2"), (Point{90, 30}));
    EXPECT_EQ(At(shared, "c1"), (Point{120, 30}));
}

TEST(DrawUlpTrees, Radius2StarLegsClimbingGoLeftTheOthersRight) {
    TestDoc t;
    CVertex* c = OnTrack(t, "c", 5);
    for (auto [w, z] : {std::pair{4, 7}, {6, 3}, {8, 2}}) {
        CVertex* middle = OnTrack(t, "w" + std::to_string(w), w);
        t.Edge(c, middle);
        t.Edge(middle, OnTrack(t, "z" + std::to_string(z), z));
    }
    t.Edge(c, OnTrack(t, "leaf", 1));
    c->m_offset = {7, 7}; // committed before the layout
    t.d().DrawUlpTrees();
    ASSERT_EQ(t.d().m_starCount, 1);
    // k = 7 - 4 + 1 = 4 and base 60 put the centre in column 4.
    const std::pair<const char*, Point> expected[] = {{"c", {180, 150}},  {"w4", {150, 120}}, {"z7", {60, 210}},
                                                      {"w6", {210, 180}}, {"z3", {300, 90}},  {"w8", {210, 240}},
                                                      {"z2", {390, 60}},  {"leaf", {150, 30}}};
    for (auto [name, at] : expected) EXPECT_EQ(At(t, name), at) << name;
    EXPECT_EQ(c->m_offset, (Point{0, 0}));
}

TEST(DrawUlpTrees, SpiderEdgesSkippingTracksGetGreyBends) {
    TestDoc t;
    CVertex* c = Spider(t, 5, {{6, 2, 8}, {7, 9}, {3, 1, 4}});
    t.d().DrawUlpTrees();
    ASSERT_EQ(t.d().m_spiderCount, 1);
    // x0 = (30 * 9) / 2; the left side reaches column -3, the right side column 5.
    EXPECT_EQ(c->m_center, (Point{135, 150}));
    EXPECT_EQ(At(t, "v9").x, 45);
    EXPECT_EQ(At(t, "v4").x, 285);
    std::size_t bends = 0;
    for (CVertex* v : t.Vertices()) {
        if (!v->m_isBend) continue;
        ++bends;
        EXPECT_EQ(v->m_color, Rgb(0x808080));
        EXPECT_EQ(v->m_radius, 5);
        EXPECT_EQ(v->m_center.y, v->m_trackNumber * 30);
        EXPECT_EQ(v->m_highlight, kSpiderColor);
    }
    // Tracks skipped: 6-2 three, 2-8 five, 5-7, 7-9, 5-3 and 3-1 one each, 1-4 two.
    EXPECT_EQ(bends, 14u);
    for (CEdge* e : t.Edges()) {
        EXPECT_EQ(e->m_edgeColor, kEdgeRed);
        EXPECT_EQ(std::abs(e->m_v1->m_trackNumber - e->m_v2->m_trackNumber), 1);
    }
}

TEST(DrawUlpTrees, SpiderNeverReachesBackIntoTheTreeBeforeIt) {
    auto leftmost = [](TestDoc& t) {
        std::int32_t x = INT32_MAX;
        for (CVertex* v : t.Vertices())
            if (v->m_name != "p" && v->m_name != "q") x = std::min(x, v->m_center.x);
        return x;
    };
    // Alone: half its width of room (x0 = 120) would put its fourth left column on x = 0.
    TestDoc alone;
    CVertex* c = Spider(alone, 1, {{4, 6}, {8, 7, 2}, {3, 5}});
    alone.d().DrawUlpTrees();
    EXPECT_EQ(c->m_center.x, 150);
    EXPECT_EQ(leftmost(alone), 30);
    // After a path ending at x = 150, six left columns from x0 = 330 would come back to 150.
    TestDoc after;
    after.Edge(OnTrack(after, "p", 1), OnTrack(after, "q", 2));
    c = Spider(after, 8, {{4, 1}, {9, 3, 5, 10}, {2, 7, 6}});
    after.d().DrawUlpTrees();
    ASSERT_EQ(after.d().m_spiderCount, 1);
    EXPECT_EQ(c->m_center.x, 360);
    EXPECT_EQ(leftmost(after), 180);
}

TEST(DrawUlpTrees, AnimationRevealsOnePlacementPerStepDelay) {
    WatchedDoc t;
    CVertex* b = OnTrack(t, "b", 3);
    t.Edge(OnTrack(t, "a", 1), b);
    t.Edge(b, OnTrack(t, "c", 2));
    t.platform.m_drawAnswers.push_back(DrawDialogValues{true, "500"});
    t.d().DrawUlpTrees();
    EXPECT_EQ(t.platform.m_sleptMs, 3 * 500);
    // The spine vertex b alone, then its leaves c and a each with its edge, then the
    // closing repaint.
    const std::vector<int>& seen = t.watcher.m_hiddenAtRepaint;
    ASSERT_GE(seen.size(), 4u);
    EXPECT_EQ(std::vector<int>(seen.end() - 4, seen.end()), (std::vector<int>{4, 2, 0, 0}));

    WatchedDoc still; // Animate off, as the dialog opens
    still.Edge(OnTrack(still, "x", 1), OnTrack(still, "y", 2));
    still.d().DrawUlpTrees();
    EXPECT_EQ(still.platform.m_sleptMs, 0);
}

TEST(DrawUlpTrees, ViewFollowsTheTreesToTheRight) {
    for (bool animate : {false, true}) {
        WatchedDoc t;
        t.watcher.m_clientWidth = 100;
        for (int i = 0; i < 3; ++i) t.Edge(OnTrack(t, "a" + std::to_string(i), 1), OnTrack(t, "b" + std::to_string(i), 2));
        t.platform.m_drawAnswers.push_back(DrawDialogValues{animate, "0"});
        t.d().DrawUlpTrees();
        // Trees start at 30, 210 and 390; the second lies beyond 0 + 100 - 30, the third
        // beyond 210 + 100 - 30.
        std::vector<std::int32_t> expected{210, 390};
        if (animate) expected = {30, 60, 90, 120, 150, 180, 210, 240, 270, 300, 330, 360, 390};
        EXPECT_EQ(t.watcher.m_scrolls, expected) << animate;
    }
}

TEST(DrawUlpTrees, CancelAndRefusalsChangeNothing) {
    TestDoc t;
    CVertex* a = OnTrack(t, "a", 1, 400, 410);
    CVertex* bend = t.Vertex(550, 560);
    bend->m_isBend = true;
    t.Edge(a, bend);
    t.Edge(bend, OnTrack(t, "b", 2, 700, 720));
    t.d().SetModifiedFlag(false);
    const std::size_t depth = t.d().UndoDepth();

    t.platform.m_drawAnswers.push_back(std::nullopt);
    EXPECT_EQ(t.d().DrawUlpTrees(), CLattixDoc::UlpDrawResult::Cancelled);
    EXPECT_TRUE(t.platform.m_questions.empty());
    t.platform.m_answers.push_back(false);
    EXPECT_EQ(t.d().DrawUlpTrees(), CLattixDoc::UlpDrawResult::Cancelled);
    EXPECT_EQ(t.platform.m_questions, (std::vector<std::string>{"The operation will remove bends"}));
    EXPECT_EQ(a->m_center, (Point{400, 410}));
    EXPECT_EQ(t.CountVertices(), 3u);
    EXPECT_FALSE(t.d().IsModified());
    EXPECT_EQ(t.d().UndoDepth(), depth);

    t.platform.m_answers.push_back(true);
    EXPECT_EQ(t.d().DrawUlpTrees(), CLattixDoc::UlpDrawResult::Drawn);
    EXPECT_FALSE(t.d().HasBends());
    EXPECT_EQ(At(t, "a"), (Point{60, 30}));
    t.d().OnEditUndo(); // one step takes the drawing back
    EXPECT_EQ(At(t, "a"), (Point{400, 410}));

    t.Edge(t.VertexNamed("b"), t.VertexNamed("a"));
    EXPECT_EQ(t.d().DrawUlpTrees(), CLattixDoc::UlpDrawResult::NotSimple);
    EXPECT_EQ(t.platform.m_messages.back(), "The graph is not simple.");
    TestDoc directed;
    directed.Edge(OnTrack(directed, "u", 1, 400, 410), OnTrack(directed, "v", 2));
    directed.d().m_directed = true;
    EXPECT_EQ(directed.d().DrawUlpTrees(), CLattixDoc::UlpDrawResult::NotUndirected);
    EXPECT_EQ(directed.platform.m_messages.back(), "The graph is not undirected.");
    EXPECT_EQ(At(directed, "u"), (Point{400, 410}));
}

TEST(DrawUlpTrees, SpiderWithLegsOfAHundredThousandVertices) {
    TestDoc t;
    const std::int32_t length = 100000;
    CVertex* c = OnTrack(t, "c", length + 1);
    // One leg climbs, one falls, one starts beyond the first (its first edge takes bends).
    const std::int32_t starts[3] = {length + 2, length, 2 * length + 2};
    const std::int32_t steps[3] = {1, -1, 1};
    std::vector<CVertex*> ends;
    for (int leg = 0; leg < 3; ++leg) {
        CVertex* prev = c;
        for (std::int32_t i = 0; i < length; ++i) {
            auto* v = new CVertex(100, 100, 0);
            v->m_trackNumber = starts[leg] + steps[leg] * i;
            t.d().AddElement(v);
            t.d().AddElement(new CEdge(prev, v, kEdgeBlue));
            prev = v;
        }
        ends.push_back(prev);
    }
    ASSERT_EQ(t.d().DrawUlpTrees(), CLattixDoc::UlpDrawResult::Drawn);
    EXPECT_EQ(t.d().m_spiderCount, 1);
    for (CVertex* end : ends) EXPECT_EQ(end->m_center.y, end->m_trackNumber * 30);
    EXPECT_EQ(t.CountVertices(), std::size_t(4 * length + 1));
}

TEST(DrawUlpTrees, SpiderNeedingTooManyBendsIsLeftWhereItIs) {
    // A leg edge from the bottom of the track range to its top would need billions of
    // bends; that spider stays as it was, and the caterpillar after it is still drawn.
    TestDoc t;
    Spider(t, 0, {{1, 2, INT32_MAX}, {-1, -2}, {3, 4}});
    t.Edge(OnTrack(t, "p", 1), OnTrack(t, "q", 2));
    const std::size_t elements = t.d().m_elements.size();
    EXPECT_EQ(t.d().DrawUlpTrees(), CLattixDoc::UlpDrawResult::Drawn);
    EXPECT_EQ(t.d().m_spiderCount, 1);
    EXPECT_EQ(t.d().m_elements.size(), elements);
    EXPECT_EQ(At(t, "c"), (Point{500, 500}));
    EXPECT_EQ(At(t, "p").y, 30);
    EXPECT_EQ(At(t, "q").y, 60);
}

TEST(DrawUlpTrees, TheCrossingsPaneCountsTheNewDrawing) {
    TestDoc t;
    // Two single-edge trees drawn as an X: one crossing before, none once drawn side by side.
    t.Edge(OnTrack(t, "a", 1, 100, 100), OnTrack(t, "b", 2, 300, 300));
    t.Edge(OnTrack(t, "c", 1, 300, 100), OnTrack(t, "d", 2, 100, 300));
    t.d().CountCrossings();
    ASSERT_EQ(t.d().TotalCrossings(), 1);

    ASSERT_EQ(t.d().DrawUlpTrees(), CLattixDoc::UlpDrawResult::Drawn);
    const auto shown = t.d().CrossingSlots();
    EXPECT_EQ(t.d().TotalCrossings(), 0);
    t.d().CountCrossings();
    EXPECT_EQ(t.d().CrossingSlots(), shown);
}
