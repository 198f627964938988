#include <gtest/gtest.h>

#include <algorithm>
#include <climits>

#include "model/AlgorithmWorkspace.h"
#include "support/TestDoc.h"
#include "trees/Classification.h"

namespace {

CVertex* OnTrack(TestDoc& t, const std::string& name, std::int32_t track, std::int32_t x = 500, std::int32_t y = 500) {
    CVertex* v = t.Vertex(x, y, name);
    v->m_trackNumber = track;
    return v;
}

Point At(const TestDoc& t, const std::string& name) { return t.VertexNamed(name)->m_center; }

// An editor view that notes how many elements are hidden at each repaint.
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
    t.Edge(a, b);
    t.Edge(b, c);
    t.Edge(c, a);
    CVertex* p = OnTrack(t, "p", 4);
    CVertex* q = OnTrack(t, "q", 2);
    CVertex* r = OnTrack(t, "r", 3);
    t.Edge(p, q);
    t.Edge(q, r);
    CVertex* u = OnTrack(t, "u", 1);
    CVertex* v = OnTrack(t, "v", 5);
    t.Edge(u, v);

    t.d().DrawUlpTrees();

    EXPECT_EQ(a->m_center, (Point{900, 900}));
    EXPECT_EQ(b->m_center, (Point{950, 990}));
    EXPECT_EQ(c->m_center, (Point{870, 980}));
    for (const CElement* e : t.d().m_elements) {
        const bool triangle = e == a || e == b || e == c || (e->IsEdge() && e->AsEdge()->m_v2->m_trackNumber <= 3 &&
                                                              e->AsEdge()->m_v1->m_center.x >= 870);
        if (triangle) {
            EXPECT_EQ(e->m_highlight, kCycleColor);
        }
    }

    // p-q-r: spine q in column 1 of x0 = 30, its leaves p and r (different tracks) in column 2.
    EXPECT_EQ(q->m_center, (Point{60, 60}));
    EXPECT_EQ(p->m_center, (Point{90, 120}));
    EXPECT_EQ(r->m_center, (Point{90, 90}));
    // The second path starts one column after the first tree's right end (90 + 30), one
    // further in: x0 = 150, u at 180 and v three columns on.
    EXPECT_EQ(u->m_center, (Point{180, 30}));
    EXPECT_EQ(v->m_center, (Point{270, 150}));
    EXPECT_EQ(p->m_highlight, kCaterpillarColor);
    EXPECT_TRUE(t.platform.m_messages.empty());
    EXPECT_TRUE(t.d().IsModified());
}

TEST(DrawUlpTrees, CaterpillarOnDistinctTracksRunsItsSpineLeftToRight) {
    TestDoc t;
    CVertex* s1 = OnTrack(t, "s1", 3);
    CVertex* l1 = OnTrack(t, "l1", 5);
    CVertex* l2 = OnTrack(t, "l2", 1);
    CVertex* s2 = OnTrack(t, "s2", 4);
    CVertex* l3 = OnTrack(t, "l3", 6);
    CVertex* l4 = OnTrack(t, "l4", 2);
    CVertex* s3 = OnTrack(t, "s3", 8);
    CVertex* l5 = OnTrack(t, "l5", 7);
    t.Edge(s1, l1);
    t.Edge(s1, l2);
    t.Edge(s1, s2);
    t.Edge(s2, l3);
    t.Edge(s2, l4);
    t.Edge(s2, s3);
    t.Edge(s3, l5);

    t.d().DrawUlpTrees();

    EXPECT_EQ(t.d().m_caterpillarCount, 1);
    EXPECT_LT(s1->m_center.x, s2->m_center.x);
    EXPECT_LT(s2->m_center.x, s3->m_center.x);
    EXPECT_EQ(s1->m_center, (Point{60, 90}));
    EXPECT_EQ(l1->m_center, (Point{90, 150}));
    EXPECT_EQ(l2->m_center, (Point{90, 30}));
    EXPECT_EQ(s2->m_center, (Point{120, 120}));
    EXPECT_EQ(l3->m_center, (Point{150, 180}));
    EXPECT_EQ(l4->m_center, (Point{150, 60}));
    EXPECT_EQ(s3->m_center, (Point{180, 240}));
    EXPECT_EQ(l5->m_center, (Point{210, 210}));
}

TEST(DrawUlpTrees, SharedTrackLeavesTakeTheExchangeSortsOrder) {
    TestDoc t;
    CVertex* s = OnTrack(t, "s", 2);
    CVertex* c1 = OnTrack(t, "c1", 1);
    CVertex* c2 = OnTrack(t, "c2", 1);
    CVertex* a = OnTrack(t, "a", 3);
    t.Edge(s, c1);
    t.Edge(s, c2);
    t.Edge(s, a);

    t.d().DrawUlpTrees();

    // The exchange sort puts a first and then c2 before c1; the leaves on one track stand
    // in successive columns.
    EXPECT_EQ(s->m_center, (Point{60, 60}));
    EXPECT_EQ(a->m_center, (Point{90, 90}));
    EXPECT_EQ(c2->m_center, (Point{90, 30}));
    EXPECT_EQ(c1->m_center, (Point{120, 30}));
}

TEST(DrawUlpTrees, Radius2StarLegsClimbingGoLeftTheOthersRight) {
    TestDoc t;
    CVertex* c = OnTrack(t, "c", 5);
    CVertex* w1 = OnTrack(t, "w1", 4);
    CVertex* z1 = OnTrack(t, "z1", 7);
    CVertex* w2 = OnTrack(t, "w2", 6);
    CVertex* z2 = OnTrack(t, "z2", 3);
    CVertex* w3 = OnTrack(t, "w3", 8);
    CVertex* z3 = OnTrack(t, "z3", 2);
    CVertex* leaf = OnTrack(t, "leaf", 1);
    for (auto [w, z] : {std::pair{w1, z1}, {w2, z2}, {w3, z3}}) {
        t.Edge(c, w);
        t.Edge(w, z);
    }
    t.Edge(c, leaf);
    t.VertexNamed("c")->m_offset = {7, 7}; // committed before the layout

    t.d().DrawUlpTrees();

    ASSERT_EQ(t.d().m_starCount, 1);
    // k = 7 - 4 + 1 = 4, base 60: the centre in column 4.
    EXPECT_EQ(c->m_center, (Point{180, 150}));
    EXPECT_EQ(c->m_offset, (Point{0, 0}));
    EXPECT_EQ(w1->m_center, (Point{150, 120}));
    EXPECT_EQ(z1->m_center, (Point{60, 210}));
    EXPECT_EQ(w2->m_center, (Point{210, 180}));
    EXPECT_EQ(z2->m_center, (Point{300, 90}));
    EXPECT_EQ(w3->m_center, (Point{210, 240}));
    EXPECT_EQ(z3->m_center, (Point{390, 60}));
    EXPECT_EQ(leaf->m_center, (Point{150, 30}));
}

TEST(DrawUlpTrees, SpiderEdgesSkippingTracksGetGreyBends) {
    TestDoc t;
    CVertex* c = OnTrack(t, "c", 5);
    std::vector<CVertex*> legs;
    // Legs 6-2-8, 7-9 and 3-1-4 (see the spider plan test).
    const std::vector<std::vector<std::int32_t>> tracks{{6, 2, 8}, {7, 9}, {3, 1, 4}};
    for (const auto& leg : tracks) {
        CVertex* prev = c;
        for (std::int32_t tr : leg) {
            CVertex* v = OnTrack(t, "v" + std::to_string(tr), tr);
            t.Edge(prev, v, kEdgeRed);
            prev = v;
        }
    }
    const std::size_t before = t.CountVertices();

    t.d().DrawUlpTrees();

    ASSERT_EQ(t.d().m_spiderCount, 1);
    // x0 = (30 * 9) / 2 = 135; the left side reaches column -3, well right of 0.
    EXPECT_EQ(c->m_center, (Point{135, 150}));
    EXPECT_EQ(At(t, "v9").x, 135 - 3 * 30);
    EXPECT_EQ(At(t, "v4").x, 135 + 5 * 30);
    std::size_t bends = 0;
    for (CVertex* v : t.Vertices()) {
        if (!v->m_isBend) continue;
        ++bends;
        EXPECT_EQ(v->m_color, Rgb(0x808080));
        EXPECT_EQ(v->m_radius, 5);
        EXPECT_EQ(v->m_center.y, v->m_trackNumber * 30);
        EXPECT_EQ(v->m_highlight, kSpiderColor);
    }
    // Tracks skipped: 6-2 three, 2-8 five, 5-7 one, 7-9 one, 5-3 one, 3-1 one, 1-4 two.
    EXPECT_EQ(bends, 3u + 5u + 1u + 1u + 1u + 1u + 2u);
    EXPECT_EQ(t.CountVertices(), before + bends);
    for (CEdge* e : t.Edges()) {
        EXPECT_EQ(e->m_edgeColor, kEdgeRed);
        EXPECT_LE(std::abs(e->m_v1->m_trackNumber - e->m_v2->m_trackNumber), 1);
    }
}

namespace {

// Builds a spider with centre track `centre` and legs of the given tracks.
CVertex* Spider(TestDoc& t, const std::string& prefix, std::int32_t centre,
                const std::vector<std::vector<std::int32_t>>& tracks) {
    CVertex* c = OnTrack(t, prefix + "c", centre);
    for (const auto& leg : tracks) {
        CVertex* prev = c;
        for (std::int32_t tr : leg) {
            CVertex* v = OnTrack(t, prefix + std::to_string(tr), tr);
            t.Edge(prev, v);
            prev = v;
        }
    }
    return c;
}

std::int32_t LeftmostOfComponent(TestDoc& t, std::int32_t component) {
    std::int32_t leftmost = INT32_MAX;
    for (CVertex* v : t.Vertices())
        if (v->m_component == component) leftmost = std::min(leftmost, v->m_center.x);
    return leftmost;
}

} // namespace

TEST(DrawUlpTrees, SpiderNeverReachesBackIntoThePreviousTree) {
    {
        // Alone: half its width of room (8 vertices, x0 = 120) would put its fourth left
        // column on x = 0; it moves one column right of that.
        TestDoc t;
        CVertex* c = Spider(t, "s", 1, {{4, 6}, {8, 7, 2}, {3, 5}});
        t.d().DrawUlpTrees();
        ASSERT_EQ(t.d().m_spiderCount, 1);
        EXPECT_EQ(c->m_center.x, 150);
        EXPECT_EQ(LeftmostOfComponent(t, c->m_component), 30);
    }
    {
        // After a path ending at x = 150: the spider's six left columns from x0 = 180 + 150
        // would come back to 150.
        TestDoc t;
        CVertex* p = OnTrack(t, "p", 1);
        CVertex* q = OnTrack(t, "q", 2);
        t.Edge(p, q);
        CVertex* c = Spider(t, "s", 8, {{4, 1}, {9, 3, 5, 10}, {2, 7, 6}});
        t.d().DrawUlpTrees();
        ASSERT_EQ(t.d().m_spiderCount, 1);
        EXPECT_EQ(q->m_center.x, 150);
        EXPECT_EQ(c->m_center.x, 360);
        EXPECT_EQ(LeftmostOfComponent(t, c->m_component), 180);
    }
    {
        // Where half the width is enough, the spider stays where it was put.
        TestDoc t;
        CVertex* c = Spider(t, "s", 5, {{6, 2, 8}, {7, 9}, {3, 1, 4}});
        t.d().DrawUlpTrees();
        EXPECT_EQ(c->m_center.x, 135);
    }
}

TEST(DrawUlpTrees, AnimationRevealsOnePlacementPerStepDelay) {
    WatchedDoc t;
    CVertex* a = OnTrack(t, "a", 1);
    CVertex* b = OnTrack(t, "b", 3);
    CVertex* c = OnTrack(t, "c", 2);
    t.Edge(a, b);
    t.Edge(b, c);
    t.platform.m_drawAnswers.push_back(DrawDialogValues{true, "500"});

    t.d().DrawUlpTrees();

    EXPECT_EQ(t.platform.m_sleptMs, 3 * 500);
    // Three placements, each repainted: the spine vertex b alone, then its leaves c and a
    // (c is the nearer track), each with its edge; the closing repaint shows everything.
    ASSERT_GE(t.watcher.m_hiddenAtRepaint.size(), 4u);
    const std::vector<int> steps(t.watcher.m_hiddenAtRepaint.end() - 4, t.watcher.m_hiddenAtRepaint.end());
    EXPECT_EQ(steps, (std::vector<int>{4, 2, 0, 0}));

    WatchedDoc slow;
    CVertex* u = OnTrack(slow, "u", 1);
    CVertex* v = OnTrack(slow, "v", 2);
    slow.Edge(u, v);
    slow.platform.m_drawAnswers.push_back(DrawDialogValues{true, "20000"});
    slow.d().DrawUlpTrees();
    EXPECT_EQ(slow.platform.m_sleptMs, 2 * 10000);

    WatchedDoc still;
    CVertex* x = OnTrack(still, "x", 1);
    CVertex* y = OnTrack(still, "y", 2);
    still.Edge(x, y);
    still.d().DrawUlpTrees(); // Animate off (the dialog's default)
    EXPECT_EQ(still.platform.m_sleptMs, 0);
}

TEST(DrawUlpTrees, ViewFollowsTheTreesToTheRight) {
    for (bool animate : {false, true}) {
        WatchedDoc t;
        t.watcher.m_clientWidth = 100;
        for (int i = 0; i < 3; ++i) {
            CVertex* a = OnTrack(t, "a" + std::to_string(i), 1);
            CVertex* b = OnTrack(t, "b" + std::to_string(i), 2);
            t.Edge(a, b);
        }
        t.platform.m_drawAnswers.push_back(DrawDialogValues{animate, "0"});
        t.d().DrawUlpTrees();
        // Trees start at x0 = 30, 210 and 390; the second lies beyond 0 + 100 - 30, the
        // third beyond 210 + 100 - 30.
        EXPECT_EQ(t.watcher.m_scroll.x, 390) << animate;
        if (animate)
            EXPECT_EQ(t.watcher.m_scrolls, (std::vector<std::int32_t>{30, 60, 90, 120, 150, 180, 210, 240, 270, 300,
                                                                      330, 360, 390}));
        else
            EXPECT_EQ(t.watcher.m_scrolls, (std::vector<std::int32_t>{210, 390}));
    }
}

TEST(DrawUlpTrees, CancelChangesNothing) {
    TestDoc t;
    CVertex* a = OnTrack(t, "a", 1, 400, 410);
    CVertex* bend = t.Vertex(550, 560);
    bend->m_isBend = true;
    CVertex* b = OnTrack(t, "b", 2, 700, 720);
    t.Edge(a, bend);
    t.Edge(bend, b);
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

    // OK removes the bend, then the path is drawn.
    t.platform.m_answers.push_back(true);
    EXPECT_EQ(t.d().DrawUlpTrees(), CLattixDoc::UlpDrawResult::Drawn);
    EXPECT_FALSE(t.d().HasBends());
    EXPECT_EQ(a->m_center, (Point{60, 30}));
    EXPECT_EQ(b->m_center, (Point{150, 60}));
}

TEST(DrawUlpTrees, RefusesGraphsThatAreNotSimpleOrUndirected) {
    TestDoc t;
    CVertex* a = OnTrack(t, "a", 1, 400, 410);
    CVertex* b = OnTrack(t, "b", 2, 700, 720);
    t.Edge(a, b);
    t.Edge(b, a);
    EXPECT_EQ(t.d().DrawUlpTrees(), CLattixDoc::UlpDrawResult::NotSimple);
    EXPECT_EQ(t.platform.m_messages.back(), "The graph is not simple.");
    EXPECT_EQ(a->m_center, (Point{400, 410}));

    TestDoc d;
    CVertex* u = OnTrack(d, "u", 1, 400, 410);
    d.Edge(u, OnTrack(d, "v", 2));
    d.d().m_directed = true;
    EXPECT_EQ(d.d().DrawUlpTrees(), CLattixDoc::UlpDrawResult::NotUndirected);
    EXPECT_EQ(d.platform.m_messages.back(), "The graph is not undirected.");
    EXPECT_EQ(u->m_center, (Point{400, 410}));
}

TEST(DrawUlpTrees, OneUndoStepRestoresTheDrawing) {
    TestDoc t;
    CVertex* a = OnTrack(t, "a", 1, 400, 410);
    t.Edge(a, OnTrack(t, "b", 2, 700, 720));
    t.d().CheckPoint();
    t.d().DrawUlpTrees();
    EXPECT_EQ(At(t, "a"), (Point{60, 30}));
    t.d().OnEditUndo();
    EXPECT_EQ(At(t, "a"), (Point{400, 410}));
}

TEST(DrawUlpTrees, LayoutsNeedAnEditorView) {
    TestDoc t(false);
    CVertex* a = OnTrack(t, "a", 1, 400, 410);
    t.Edge(a, OnTrack(t, "b", 2, 700, 720));
    t.d().DrawUlpTrees();
    EXPECT_EQ(a->m_center, (Point{400, 410}));
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
    std::size_t bends = 0;
    for (CElement* e : t.d().m_elements)
        if (e->IsVertex() && e->AsVertex()->m_isBend) ++bends;
    EXPECT_EQ(bends, std::size_t(length));
}
