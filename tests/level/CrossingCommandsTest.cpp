#include <gtest/gtest.h>

#include <map>
#include <random>
#include <set>
#include <tuple>

#include "LevelTestSupport.h"
#include "level/CrossingMinimizer.h"
#include "level/LevelCrossingCommands.h"

namespace {

// Vertices (id, centre, track, name) and edges (id, end ids): what the commands may or may
// not change.
using Shape = std::tuple<std::vector<std::tuple<std::uint32_t, std::int32_t, std::int32_t, std::int32_t, std::string>>,
                         std::vector<std::tuple<std::uint32_t, std::uint32_t, std::uint32_t>>>;
Shape ShapeOf(const TestDoc& t) {
    Shape s;
    for (const CVertex* v : t.Vertices())
        std::get<0>(s).push_back({v->m_id, v->m_center.x + v->m_offset.x, v->m_center.y + v->m_offset.y, v->m_trackNumber, v->m_name});
    for (const CEdge* e : t.Edges()) std::get<1>(s).push_back({e->m_id, e->m_v1->m_id, e->m_v2->m_id});
    return s;
}

// A drawing with crossings on tracks 1..levels: random vertices, random edges between
// adjacent tracks and a few that span two or three tracks.
void AddRandomLevelGraph(TestDoc& t, std::mt19937& rng, int levels, int width, double p, int longEdges) {
    std::vector<std::vector<CVertex*>> at(levels);
    for (int l = 0; l < levels; ++l) {
        std::vector<int> xs(width);
        for (int i = 0; i < width; ++i) xs[i] = 60 + 40 * i;
        std::shuffle(xs.begin(), xs.end(), rng);
        for (int i = 0; i < width; ++i) at[l].push_back(OnTrack(t, l + 1, xs[i]));
    }
    std::bernoulli_distribution edge(p);
    for (int l = 0; l + 1 < levels; ++l)
        for (CVertex* a : at[l])
            for (CVertex* b : at[l + 1])
                if (edge(rng)) t.Edge(a, b);
    std::uniform_int_distribution<int> pick(0, width - 1), low(0, levels - 3);
    for (int k = 0; k < longEdges; ++k) {
        const int l = low(rng), span = std::min(levels - 1 - l, 2 + k % 2);
        CVertex* a = at[l][pick(rng)];
        CVertex* b = at[l + span][pick(rng)];
        if (!t.d().FindEdge(a, b)) t.Edge(b, a); // drawn downwards: the command turns it
    }
}

// A level planar graph drawn with its vertices shuffled along their tracks: edges join
// adjacent tracks in an order-keeping way.
void AddShuffledLevelPlanarGraph(TestDoc& t, std::mt19937& rng, int levels, int width) {
    std::vector<std::vector<CVertex*>> at(levels);
    for (int l = 0; l < levels; ++l) {
        std::vector<int> xs(width);
        for (int i = 0; i < width; ++i) xs[i] = 60 + 40 * i;
        std::shuffle(xs.begin(), xs.end(), rng);
        for (int i = 0; i < width; ++i) at[l].push_back(OnTrack(t, l + 1, xs[i]));
    }
    // In the hidden order (creation order) edges never cross: a monotone staircase walk
    // with random steps gives each gap a caterpillar.
    std::bernoulli_distribution stepBelow(0.5);
    for (int l = 0; l + 1 < levels; ++l) {
        int i = 0, j = 0;
        t.Edge(at[l][0], at[l + 1][0]);
        while (i + 1 < width || j + 1 < width) {
            if (j + 1 == width || (i + 1 < width && stepBelow(rng))) ++i;
            else ++j;
            t.Edge(at[l][i], at[l + 1][j]);
        }
    }
}

std::int32_t XOf(const CVertex* v) { return v->m_center.x + v->m_offset.x; }

} // namespace

TEST(MinimizeCrossings, LevelPlanarGraphsEndWithoutCrossingsEvenWhereSweepsFail) {
    std::mt19937 rng(23);
    int sweepsLeftCrossings = 0;
    for (int round = 0; round < 30; ++round) {
        TestDoc t;
        AddShuffledLevelPlanarGraph(t, rng, 3 + round % 4, 6 + round % 7);
        const LevelGraph before = DocumentLevelGraph(t);
        CrossingMinimizerOptions heuristicOnly;
        heuristicOnly.exactBudget = 0;
        heuristicOnly.restarts = 0;
        if (MinimizeCrossings(before, before.Levels(), heuristicOnly).crossings > 0) ++sweepsLeftCrossings;

        EXPECT_TRUE(MinimizeCrossingsOnLevels(t.d()));
        EXPECT_FALSE(DocumentHasLevelCrossing(t)) << "round " << round;
        EXPECT_EQ(t.d().TotalCrossings(), 0) << "round " << round;
    }
    // The exact test's orders must be what removed the last crossings somewhere.
    EXPECT_GT(sweepsLeftCrossings, 0);
}

TEST(MinimizeCrossings, KeepsTracksAndEdgesAsChainsAndSpacesTheVertices) {
    std::mt19937 rng(31);
    for (int round = 0; round < 12; ++round) {
        TestDoc t;
        t.platform.m_defaultAnswer = true; // insert the dummy vertices
        AddRandomLevelGraph(t, rng, 4 + round % 3, 5 + round % 6, 0.3, 4);
        std::map<std::uint32_t, std::int32_t> track;
        std::vector<std::tuple<std::uint32_t, std::uint32_t, std::uint16_t>> inputEdges;
        for (CVertex* v : t.Vertices()) {
            track[v->m_id] = v->m_trackNumber;
            v->m_name = "v_" + std::to_string(v->m_id);
        }
        for (const CEdge* e : t.Edges()) inputEdges.push_back({e->m_v1->m_id, e->m_v2->m_id, e->m_edgeColor});
        const Shape before = ShapeOf(t);

        ASSERT_TRUE(MinimizeCrossingsOnLevels(t.d()));
        for (const CVertex* v : t.Vertices())
            if (track.count(v->m_id)) {
                EXPECT_EQ(v->m_trackNumber, track[v->m_id]);
                EXPECT_EQ(v->m_name, "v_" + std::to_string(v->m_id)) << "names are kept whole";
            }

        // Every input edge is a chain from its lower end up through one new bend per track,
        // and there is nothing else.
        std::multiset<std::tuple<std::uint32_t, std::uint32_t, std::uint16_t>> chains, expected;
        for (auto [a, b, colour] : inputEdges) {
            if (track[a] > track[b]) std::swap(a, b);
            expected.insert({a, b, colour});
        }
        for (const CEdge* first : t.Edges()) {
            const CVertex* low = first->m_v1;
            const CVertex* at = first->m_v2;
            if (!track.count(low->m_id)) continue;
            ASSERT_EQ(at->m_trackNumber, low->m_trackNumber + 1);
            while (!track.count(at->m_id)) {
                ASSERT_TRUE(at->m_isBend);
                ASSERT_EQ(at->m_edges.size(), 2u);
                const CEdge* up = at->m_edges[0]->m_v1 == at ? at->m_edges[0] : at->m_edges[1];
                ASSERT_EQ(up->m_v1, at);
                ASSERT_EQ(up->m_v2->m_trackNumber, at->m_trackNumber + 1);
                EXPECT_EQ(up->m_edgeColor, first->m_edgeColor);
                at = up->m_v2;
            }
            chains.insert({low->m_id, at->m_id, first->m_edgeColor});
        }
        EXPECT_EQ(chains, expected) << "round " << round;

        // Vertices of a track keep at least the separation between them.
        std::map<std::int32_t, std::vector<std::int32_t>> xs;
        for (const CVertex* v : t.Vertices()) xs[v->m_trackNumber].push_back(XOf(v));
        for (auto& [level, list] : xs) {
            std::sort(list.begin(), list.end());
            for (std::size_t i = 1; i < list.size(); ++i) EXPECT_GE(list[i] - list[i - 1], t.view->m_xSeparation);
        }

        // One undo step brings the drawing back.
        t.d().OnEditUndo();
        EXPECT_EQ(ShapeOf(t), before) << "round " << round;
    }
}

TEST(MinimizeCrossings, CancelLeavesTheDocumentAsItWas) {
    std::mt19937 rng(41);
    TestDoc t;
    t.platform.m_defaultAnswer = true;
    AddRandomLevelGraph(t, rng, 5, 12, 0.3, 6);
    const Shape before = ShapeOf(t);
    t.platform.m_progress = [](std::string_view, std::int64_t, std::int64_t) { return false; };
    EXPECT_FALSE(MinimizeCrossingsOnLevels(t.d()));
    EXPECT_EQ(ShapeOf(t), before);
}

TEST(LevelObstruction, WitnessesAreObstructionsAndMinimal) {
    std::mt19937 rng(47);
    int witnessesSeen = 0;
    for (int round = 0; round < 25; ++round) {
        TestDoc t;
        AddRandomLevelGraph(t, rng, 3 + round % 3, 3 + round % 3, 0.35, 2);
        if (t.Edges().empty()) continue;
        for (CVertex* v : t.Vertices()) v->m_name = "v_" + std::to_string(v->m_id);
        const Shape before = ShapeOf(t);
        const bool planar = DocumentIsLevelPlanarWithLongEdges(t);
        const LevelObstructionReport report = ShowLevelObstruction(t.d());
        ASSERT_TRUE(report.ran);
        EXPECT_EQ(ShapeOf(t), before) << "only highlights may change";
        ASSERT_EQ(report.witnesses.empty(), planar) << "round " << round;
        std::size_t highlighted = 0;
        for (const CEdge* e : t.Edges()) highlighted += e->m_highlight != kNoHighlight;
        if (planar) {
            EXPECT_EQ(t.platform.m_messages.back(), "The graph is level planar");
            continue;
        }
        EXPECT_EQ(t.platform.m_messages.back(), "The highlighted " + std::to_string(highlighted) +
                                                    " edges cannot be drawn on their levels without crossings.");
        for (const auto& ids : report.witnesses) {
            ++witnessesSeen;
            EXPECT_TRUE(std::is_sorted(ids.begin(), ids.end()));
            std::vector<const CEdge*> edges;
            for (const CEdge* e : t.Edges())
                if (std::binary_search(ids.begin(), ids.end(), e->m_id)) edges.push_back(e);
            ASSERT_EQ(edges.size(), ids.size());
            EXPECT_FALSE(BruteForceLevelOrders(LevelGraphOfEdges(edges)).has_value()) << "round " << round;
            for (std::size_t drop = 0; drop < edges.size(); ++drop) {
                std::vector<const CEdge*> fewer = edges;
                fewer.erase(fewer.begin() + drop);
                EXPECT_TRUE(BruteForceLevelOrders(LevelGraphOfEdges(fewer)).has_value())
                    << "round " << round << ": not minimal without edge " << edges[drop]->m_id;
            }
        }
    }
    EXPECT_GT(witnessesSeen, 5);
}

TEST(MinimizeCrossings, ComponentsTooWideSideBySideShareTheTracks) {
    // 300 copies of K2,2, drawn interleaved: side by side they would need 27 000 units.
    TestDoc t;
    std::vector<CVertex*> low, high;
    for (int k = 0; k < 600; ++k) {
        low.push_back(OnTrack(t, 1, 20 + 30 * ((k * 7) % 600)));
        high.push_back(OnTrack(t, 2, 20 + 30 * ((k * 11) % 600)));
    }
    for (int k = 0; k < 300; ++k)
        for (int a : {2 * k, 2 * k + 1})
            for (int b : {2 * k, 2 * k + 1}) t.Edge(low[a], high[b]);
    ASSERT_TRUE(MinimizeCrossingsOnLevels(t.d()));
    EXPECT_EQ(t.d().TotalCrossings(), 300); // one each, none between copies
    for (const auto* track : {&low, &high}) {
        std::vector<std::int32_t> xs;
        for (const CVertex* v : *track) xs.push_back(XOf(v));
        std::sort(xs.begin(), xs.end());
        EXPECT_GE(xs.front(), 0);
        EXPECT_LE(xs.back(), kCanvasSize);
        for (std::size_t i = 1; i < xs.size(); ++i) EXPECT_GE(xs[i] - xs[i - 1], t.view->m_xSeparation);
    }
}
