// The PQ-tree window's drawing, recorded call by call.

#include <gtest/gtest.h>

#include <algorithm>
#include <map>

#include "editor/RecordingDrawTarget.h"
#include "planarity/PQtree.h"
#include "planarity/ReplayDrawing.h"
#include "support/TestDoc.h"

namespace {

using Op = RecordingDrawTarget::Op;

constexpr Rgb kBlue = MakeRgb(0, 0, 255);
constexpr Rgb kRed = MakeRgb(255, 0, 0);
constexpr Rgb kDarkBlue = MakeRgb(0, 0, 64);
constexpr Rgb kGrey = MakeRgb(220, 220, 220);

std::vector<Op> Texts(const RecordingDrawTarget& target) { return target.OpsOf(Op::Text); }

TEST(ReplayDrawing, BeforeAnyTestOnlyThatNoneHasRun) {
    TestDoc t;
    RecordingDrawTarget target;
    DrawPQtreeReplay(t.d(), target, 10, 20);
    const std::vector<Op> texts = Texts(target);
    ASSERT_EQ(texts.size(), 1u);
    EXPECT_EQ(texts[0].text, "No planarity test has run yet");
    EXPECT_EQ(texts[0].rect, (Rect{40, 30, 240, 80}));
    EXPECT_EQ(target.Ops().size(), 1u);

    // A test that fails still says so: K5 is non-planar.
    BuildGraph(t, {{"A", "B"}, {"A", "C"}, {"A", "D"}, {"A", "E"}, {"B", "C"},
                   {"B", "D"}, {"B", "E"}, {"C", "D"}, {"C", "E"}, {"D", "E"}});
    t.d().OnPlanarityTesting();
    RecordingDrawTarget after;
    DrawPQtreeReplay(t.d(), after, 0, 0);
    EXPECT_EQ(Texts(after).back().text, "The graph is non-planar");
}

TEST(ReplayDrawing, LaysOutTheSnapshotsOfASingleEdge) {
    TestDoc t;
    BuildGraph(t, {{"A", "B"}});
    t.d().OnPlanarityTesting();
    RecordingDrawTarget target;
    DrawPQtreeReplay(t.d(), target, 0, 0);
    std::vector<std::pair<std::string, Rect>> texts;
    for (const Op& op : Texts(target)) texts.push_back({op.text, op.rect});
    // Each tree is a P-node over one leaf (two levels, 150 pixels) until the last, a P-node
    // without children (one level, 100 pixels, no width).
    const std::vector<std::pair<std::string, Rect>> expected = {
        {"Initial PQ-tree for processing of vertex B (1)", {50, 50, 550, 100}},
        {"1", {50, 140, 90, 180}},
        {"PATTERN L1 Detected", {150, 200, 650, 250}},
        {"1", {150, 290, 190, 330}},
        {"Replacement for PATTERN L1", {230, 200, 730, 250}},
        {"1", {230, 290, 270, 330}},
        {"Final PQ-Tree for this biconnected component", {50, 350, 550, 400}},
        {"The graph is planar", {50, 450, 250, 500}},
    };
    EXPECT_EQ(texts, expected);
    // The detected leaf carries the arrow, the replacement is blue and shaded.
    const std::vector<Op> ops = target.Ops();
    const auto detected = std::find_if(ops.begin(), ops.end(), [](const Op& op) { return op.text == "PATTERN L1 Detected"; });
    const auto replaced = std::find_if(ops.begin(), ops.end(), [](const Op& op) { return op.text == "Replacement for PATTERN L1"; });
    const auto count = [&](auto from, auto to, Op::Kind kind) {
        return std::count_if(from, to, [kind](const Op& op) { return op.kind == kind; });
    };
    EXPECT_EQ(count(detected, replaced, Op::Line), 1 + 3); // the line to the leaf, the arrow
    const auto leafText = std::find_if(replaced + 1, ops.end(), [](const Op& op) { return op.kind == Op::Text; });
    EXPECT_EQ(leafText->textColor, kBlue);
    const auto shade = std::find_if(replaced, ops.end(), [](const Op& op) { return op.kind == Op::Ellipse && op.brush == kGrey; });
    ASSERT_NE(shade, ops.end());
    EXPECT_EQ(shade->pen.style, PenStyle::Null);
}

TEST(ReplayDrawing, AnEmptyFinalTreeDrawsNothing) {
    TestDoc t;
    BuildGraph(t, {{"A", "B"}, {"B", "C"}, {"C", "A"}});
    t.d().OnPlanarityTesting();
    RecordingDrawTarget target;
    DrawPQtreeReplay(t.d(), target, 0, 0);
    const std::vector<Op> texts = Texts(target);
    EXPECT_TRUE(std::none_of(texts.begin(), texts.end(), [](const Op& op) { return op.text.starts_with("Final"); }));
    const Op verdict = texts.back();
    EXPECT_EQ(verdict.text, "The graph is planar");
    // The P1 pair was the last row: the verdict follows right below it.
    const auto p1 = std::find_if(texts.begin(), texts.end(),
                                 [](const Op& op) { return op.text == "Replacement for PATTERN P1"; });
    ASSERT_NE(p1, texts.end());
    EXPECT_EQ(verdict.rect.top, p1->rect.top + 150);
}

// A row ends below the taller tree of its pair.
TEST(ReplayDrawing, RowsEndBelowTheTallerTreeOfAPair) {
    TestDoc t;
    CPQtree tree(&t.d(), nullptr);
    auto* q = new CQnode();
    auto* inner = new CPnode();
    inner->AppendChild(new CLeafnode(1));
    inner->AppendChild(new CLeafnode(2));
    q->AppendChild(inner);
    q->AppendChild(new CLeafnode(3));
    q->AppendChild(new CLeafnode(4));
    delete tree.m_root;
    tree.m_root = q;
    tree.RecordSnapshot("tall", 1); // three levels: 200 pixels
    tree.m_root = new CLeafnode(5);
    tree.RecordSnapshot("short", 2); // one level: 100 pixels
    tree.RecordSnapshot("next", 0);
    delete tree.m_root;
    tree.m_root = nullptr;
    delete q;
    RecordingDrawTarget target;
    DrawPQtreeReplay(t.d(), target, 0, 0);
    std::map<std::string, Rect> at;
    for (const Op& op : Texts(target)) at[op.text] = op.rect;
    EXPECT_EQ(at["tall"].left, 50);
    EXPECT_EQ(at["short"].left, 50 + 4 * 40 + 40);
    EXPECT_EQ(at["next"].top, 50 + 200);
}

TEST(ReplayDrawing, QnodeFillShowsWhereTheFullChildrenAre) {
    for (const int label : {3, 4}) {
        CQnode q;
        for (int i = 0; i < 3; ++i) q.AppendChild(new CLeafnode(i));
        q.m_label = label;
        q.ComputeWidth();
        RecordingDrawTarget target;
        q.Draw(target, 0, 0);
        std::vector<Rect> dark, white;
        for (const Op& op : target.OpsOf(Op::Rectangle)) {
            if (op.brush == kDarkBlue) dark.push_back(op.rect);
            if (op.brush == kWhite && op.pen.style == PenStyle::Null) white.push_back(op.rect);
        }
        // The box is (5, 0, 115, 10).
        if (label == 3) {
            EXPECT_EQ(dark, (std::vector<Rect>{{59, 0, 115, 10}}));
            EXPECT_EQ(white, (std::vector<Rect>{{5, 0, 60, 10}}));
        } else {
            EXPECT_EQ(dark, (std::vector<Rect>{{41, 0, 79, 10}}));
            EXPECT_EQ(white, (std::vector<Rect>{{5, 0, 40, 10}, {80, 0, 115, 10}}));
        }
        const Op outline = target.OpsOf(Op::Rectangle).back();
        EXPECT_EQ(outline.rect, (Rect{5, 0, 115, 10}));
        EXPECT_EQ(outline.brush, std::nullopt);
        EXPECT_EQ(outline.pen, Pen::Solid(1, kBlack));
    }
}

TEST(ReplayDrawing, PnodeDrawsItsChildrenGroupedByEdgeClass) {
    CPnode p;
    for (const int kind : {1, 0, 2, 0}) {
        auto* leaf = new CLeafnode(kind);
        leaf->m_kind = kind;
        p.AppendChild(leaf);
    }
    p.m_label = 2;
    p.m_arrow = true;
    p.ComputeWidth();
    RecordingDrawTarget target;
    p.Draw(target, 0, 0);
    const std::vector<Op> lines = target.OpsOf(Op::Line);
    ASSERT_EQ(lines.size(), 4u + 3u);
    // Centre 80; children at 0, 40, 80, 120 in the order class 0, 0, 2, 1.
    const std::vector<std::pair<Point, Pen>> expected = {
        {{20, 56}, Pen::Solid(2, kBlue)},
        {{60, 56}, Pen::Solid(2, kBlue)},
        {{100, 56}, Pen::Solid(1, kBlack)},
        {{140, 56}, Pen::Solid(2, kRed)},
    };
    for (std::size_t i = 0; i < expected.size(); ++i) {
        EXPECT_EQ(lines[i].a, (Point{80, 6}));
        EXPECT_EQ(lines[i].b, expected[i].first);
        EXPECT_EQ(lines[i].pen, expected[i].second);
    }
    std::vector<std::string> order;
    for (const Op& op : target.OpsOf(Op::Text)) order.push_back(op.text);
    EXPECT_EQ(order, (std::vector<std::string>{"0", "0", "2", "1"}));
    // The circle in light blue, the arrow after the children, tip left of the circle.
    const Op circle = target.OpsOf(Op::Ellipse).front();
    EXPECT_EQ(circle.rect, (Rect{74, 0, 87, 13}));
    EXPECT_EQ(circle.brush, MakeRgb(40, 189, 220));
    EXPECT_EQ(lines[4].a, (Point{70, 6}));
    EXPECT_EQ(lines[4].b, (Point{58, 6}));
    EXPECT_EQ(target.Ops().back().kind, Op::Line);
}

} // namespace
