#include <gtest/gtest.h>

#include <algorithm>
#include <numeric>

#include "LevelTestSupport.h"
#include "io/DocumentFormat.h"
#include "level/LevelExperiment.h"
#include "level/LevelPlanarityMethod.h"
#include "level/TreeLevelPlanarity.h"

namespace {

const std::vector<std::pair<int, int>> kTree8 = {{0, 1}, {1, 2}, {2, 3}, {3, 4}, {2, 6}, {6, 5}, {6, 7}};
const std::vector<std::pair<int, int>> kTree9 = {{0, 1}, {1, 2}, {2, 3}, {3, 4}, {2, 5}, {2, 6}, {6, 7}, {7, 8}};

// The proper level graph of a tree with one vertex on each level 1..n.
LevelGraph ProperGraph(const std::vector<std::pair<int, int>>& edges, const std::vector<int>& tracks) {
    LevelGraph g;
    const int n = static_cast<int>(tracks.size());
    std::vector<int> vertexOnLevel(n);
    for (int v = 0; v < n; ++v) vertexOnLevel[tracks[v] - 1] = g.AddVertex(tracks[v] - 1, 0);
    for (const auto& [a, b] : edges) {
        int lo = tracks[a] - 1, hi = tracks[b] - 1;
        if (lo > hi) std::swap(lo, hi);
        int below = vertexOnLevel[lo];
        for (int level = lo + 1; level <= hi; ++level) {
            const int here = level == hi ? vertexOnLevel[hi] : g.AddVertex(level, 1 + static_cast<int>(g.VertexCount()));
            g.AddEdge(below, here);
            below = here;
        }
    }
    g.Finish();
    return g;
}

struct Run {
    std::vector<std::string> messages;
    std::vector<std::vector<std::uint8_t>> history; // the document, then after each undo
    std::uint32_t nextId;
};

Run RunExperiment(int size, ExperimentMode mode, int cancelAtUpdate = 0) {
    TestDoc t;
    g_nextId = 7000000; // both runs hand out the same ids
    int updates = 0;
    if (cancelAtUpdate)
        t.platform.m_progress = [&](std::string_view, std::int64_t, std::int64_t) { return ++updates < cancelAtUpdate; };
    RunLevelExperiment(t.d(), size, mode);
    Run run{t.platform.m_messages, {WriteDocument(t.d())}, g_nextId};
    while (t.d().CanUndo()) {
        t.d().OnEditUndo();
        run.history.push_back(WriteDocument(t.d()));
    }
    return run;
}

void ExpectSameRuns(const Run& fast, const Run& real) {
    EXPECT_EQ(fast.messages, real.messages);
    EXPECT_EQ(fast.nextId, real.nextId);
    ASSERT_EQ(fast.history.size(), real.history.size());
    for (std::size_t i = 0; i < fast.history.size(); ++i) EXPECT_EQ(fast.history[i], real.history[i]) << "undo step " << i;
}

} // namespace

// Following the unreachable passes without the document changes nothing that can be seen:
// the document, every undo step, the ids handed out and the messages are those of running
// every pass.
TEST(LevelExperiment, FollowingPassesWithoutTheDocumentChangesNothingVisible) {
    ExpectSameRuns(RunExperiment(8, ExperimentMode::Fastest), RunExperiment(8, ExperimentMode::EveryPassForReal));
    ExpectSameRuns(RunExperiment(9, ExperimentMode::Fastest, 2), RunExperiment(9, ExperimentMode::EveryPassForReal, 2));
}

TEST(LevelExperiment, TreeOf8EndsAtItsFirstCounterexample) {
    TestDoc t;
    RunLevelExperiment(t.d(), 8, ExperimentMode::Fastest);
    EXPECT_TRUE(t.platform.m_messages.empty());
    // The document shows the counterexample, bends included, and it is not level planar.
    EXPECT_FALSE(DocumentIsLevelPlanar(t));
    std::vector<int> found;
    for (int k = 0; k < 8; ++k) found.push_back(t.Vertices()[k]->m_trackNumber);
    // It is the first assignment, in the order the experiment takes them, that the search
    // over all vertex orders finds not level planar.
    std::vector<int> tracks(8);
    std::iota(tracks.begin(), tracks.end(), 1);
    while (BruteForceLevelOrders(ProperGraph(kTree8, tracks)).has_value()) ASSERT_TRUE(std::next_permutation(tracks.begin(), tracks.end()));
    EXPECT_EQ(found, tracks);
    // Its result is an undo step like any other change.
    const auto now = WriteDocument(t.d());
    t.d().OnEditUndo();
    t.d().OnEditRedo();
    EXPECT_EQ(WriteDocument(t.d()), now);
}

TEST(LevelExperiment, TreeVerdictsAgreeWithTheSearchOverOrders) {
    // Every assignment of the 8-vertex tree, and a spread of those of the 9-vertex tree.
    int wrongAsWritten = 0, notPlanar = 0;
    for (const auto* edges : {&kTree8, &kTree9}) {
        const int n = static_cast<int>(edges->size()) + 1;
        TreeLevelPlanarity judge(n, *edges);
        std::vector<int> tracks(n);
        std::iota(tracks.begin(), tracks.end(), 1);
        for (long rank = 0;; ++rank) {
            if (n == 8 || rank % 97 == 0) {
                const LevelGraph g = ProperGraph(*edges, tracks);
                const bool truth = BruteForceLevelOrders(g).has_value();
                ASSERT_EQ(judge.IsLevelPlanar(tracks.data()), truth) << n << " rank " << rank;
                wrongAsWritten += VertexExchangeMethod(true).Test(g).planar != truth;
                notPlanar += !truth;
            }
            if (!std::next_permutation(tracks.begin(), tracks.end())) break;
        }
    }
    EXPECT_GT(notPlanar, 0);
    std::printf("vertex-exchange test wrong on %d experiment assignments checked\n", wrongAsWritten);
}

TEST(LevelExperiment, SummaryOfTheTreeOf9) {
    TestDoc t;
    std::int64_t total = 0;
    t.platform.m_progress = [&](std::string_view, std::int64_t, std::int64_t all) {
        total = all;
        return true;
    };
    RunLevelExperiment(t.d(), 9, ExperimentMode::Fastest);
    EXPECT_EQ(total, 362880);
    // The failures are counted by the tree judge, checked against the search above.
    TreeLevelPlanarity judge(9, kTree9);
    std::vector<int> tracks(9);
    std::iota(tracks.begin(), tracks.end(), 1);
    int failures = 0;
    do failures += !judge.IsLevelPlanar(tracks.data());
    while (std::next_permutation(tracks.begin(), tracks.end()));
    EXPECT_EQ(t.platform.m_messages, std::vector<std::string>{"The tree is non level planar in " + std::to_string(failures) +
                                                              " level assignments out of 362880"});
    // The last assignment stays, with its bends.
    const std::vector<CVertex*> vertices = t.Vertices();
    EXPECT_EQ(vertices.size() - 9, static_cast<std::size_t>(std::count_if(vertices.begin(), vertices.end(),
                                                                           [](CVertex* v) { return v->m_isBend; })));
    for (int k = 0; k < 9; ++k) EXPECT_EQ(vertices[k]->m_trackNumber, 9 - k);
}

TEST(LevelExperiment, EraseQuestionAndDocumentsThatAreNotEmpty) {
    {
        TestDoc t;
        OnTrack(t, 1, 100); // unsaved change
        // The guides are set before the question; with them set already the file shows
        // whether anything else changed.
        t.view->m_guideMode = CLattixView::kGuideHorizontal;
        t.view->m_lockToTracks = true;
        const auto before = WriteDocument(t.d());
        RunLevelExperiment(t.d(), 9, ExperimentMode::Fastest);
        EXPECT_EQ(t.platform.m_questions, std::vector<std::string>{"The operation will erase the current document"});
        EXPECT_EQ(WriteDocument(t.d()), before);
    }
    {
        // An unchanged document is not cleared: its graph takes part in every pass.
        TestDoc t;
        t.Edge(OnTrack(t, 3, 100), OnTrack(t, 3, 200));
        t.d().SetModifiedFlag(false);
        RunLevelExperiment(t.d(), 8, ExperimentMode::Fastest);
        EXPECT_TRUE(t.platform.m_questions.empty());
        EXPECT_EQ(t.platform.m_messages, (std::vector<std::string>{"There are edges between vertices on the same level.",
                                                                   "Error: Trying to make a graph proper."}));
        EXPECT_EQ(t.Vertices().size(), 10u);
    }
}

TEST(LevelExperiment, CancelEndsWithoutSummary) {
    TestDoc t;
    t.platform.m_progress = [](std::string_view, std::int64_t done, std::int64_t) { return done < 8192; };
    RunLevelExperiment(t.d(), 9, ExperimentMode::Fastest);
    EXPECT_TRUE(t.platform.m_messages.empty());
    // The last finished pass is the 8192nd assignment.
    std::vector<int> tracks(9);
    std::iota(tracks.begin(), tracks.end(), 1);
    for (int pass = 1; pass < 8192; ++pass) std::next_permutation(tracks.begin(), tracks.end());
    for (int k = 0; k < 9; ++k) EXPECT_EQ(t.Vertices()[k]->m_trackNumber, tracks[k]);
}
