// The batch experiments (commands 32982 and 32983): a fixed tree is tested for level
// planarity under every assignment of the levels 1..n to its n vertices.
//
// Every pass changes the document and takes an undo step, yet only the last 500 steps can
// ever be undone to. When the document holds nothing but the tree, the passes are first
// followed without the document (ExperimentSimulation for what they leave behind,
// TreeLevelPlanarity for their verdicts); then the document is set to what it holds
// before the last reachable steps, and those passes run for real. Otherwise every pass
// runs for real.

#include <algorithm>
#include <atomic>
#include <chrono>
#include <future>
#include <memory>
#include <thread>
#include <numeric>
#include <string>

#include "level/ExperimentSimulation.h"
#include "level/LevelExperiment.h"
#include "level/LevelCommandSteps.h"
#include "level/TreeAssignmentCount.h"
#include "level/TreeLevelPlanarity.h"
#include "model/AlgorithmWorkspace.h"
#include "model/LattixDoc.h"

namespace {

constexpr std::int64_t kProgressEvery = 4096;
// Passes that are run for real at the end: their undo steps are the reachable ones.
constexpr std::int64_t kReachablePasses = 500;
// Below this many passes everything is simply run for real.
constexpr std::int64_t kSimulateFrom = 600;

struct ExperimentTree {
    std::vector<std::string> names;
    std::vector<std::pair<int, int>> edges;
};

ExperimentTree TreeOfSize(int n) {
    if (n == 8) // a path a-b-c-d-e with a branch at c to g, and two leaves f and h at g
        return {{"a", "b", "c", "d", "e", "f", "g", "h"}, {{0, 1}, {1, 2}, {2, 3}, {3, 4}, {2, 6}, {6, 5}, {6, 7}}};
    // a spider centred at c with legs b-a, d-e, f and g-h-i
    return {{"a", "b", "c", "d", "e", "f", "g", "h", "i"},
            {{0, 1}, {1, 2}, {2, 3}, {3, 4}, {2, 5}, {2, 6}, {6, 7}, {7, 8}}};
}

// The simulation followed up to the passes that run for real: the tracks of the first of
// them and of the pass before.
struct AdvancedSimulation {
    ExperimentSimulation sim;
    std::vector<int> tracks, before;
};

AdvancedSimulation AdvanceSimulation(const std::vector<ExperimentEdge>& edges, int n, std::uint32_t nextId,
                                     std::int64_t first);

enum class Stop { Completed, Counterexample, Cancelled, Error };

struct Outcome {
    std::int32_t total = 0, failures = 0;
    std::int64_t passes = 0; // the pass the experiment ended in
    Stop stop = Stop::Completed;
};

std::int64_t Factorial(int n) {
    std::int64_t f = 1;
    for (int k = 2; k <= n; ++k) f *= k;
    return f;
}

class LevelExperiment {
public:
    LevelExperiment(CLattixDoc& doc, AlgorithmWorkspace& workspace, int treeSize, ExperimentMode mode)
        : m_doc(doc), m_workspace(workspace), m_tree(TreeOfSize(treeSize)), m_n(treeSize),
          m_stopsAtFailure(treeSize == 8), m_mode(mode) {}

    void Run();

private:
    void BuildTree();
    bool SimulationApplies(bool onlyTheTree) const;
    // One pass: -1 when an error ended it (its message shown), else whether the tree was
    // level planar.
    int RunPass(const int* tracks, bool removeBends);
    void RemoveBendsOfLastPass();
    // Whether the experiment goes on after pass `pass` with this verdict; counts it.
    bool Count(Outcome& outcome, std::int64_t pass, bool planar);
    // Runs the passes from the first; with `progress`, asks it every so often whether to go
    // on, else ends after pass `stopAfter` for `stopReason` (as a simulation found).
    Outcome RunForReal(IProgress* progress, std::int64_t stopAfter, Stop stopReason);
    // The verdicts of all passes, without the document; ends where the experiment ends.
    Outcome Simulate();
    // The same for an experiment that counts to the end: only the number of failures
    // matters, so the passes are counted by orbits on every core (the progress still
    // reports, and a cancel still ends, at the same passes as one pass after the other).
    Outcome SimulateCount();
    // Leaves the document as the passes up to outcome.passes leave it, running for real
    // only the passes whose undo steps can be reached.
    void ReplayLastPasses(const Outcome& outcome, std::future<AdvancedSimulation>* ahead);
    std::vector<ExperimentEdge> DocumentEdges() const;
    void Materialize(const ExperimentSimulation& sim, const int* tracksBefore);

    CLattixDoc& m_doc;
    AlgorithmWorkspace& m_workspace;
    ExperimentTree m_tree;
    int m_n;
    bool m_stopsAtFailure; // 32982 ends at the first assignment that is not level planar
    ExperimentMode m_mode;
    std::vector<CVertex*> m_vertices;
    std::unique_ptr<IProgress> m_progress;
};

void LevelExperiment::BuildTree() {
    for (const std::string& name : m_tree.names) {
        auto* v = new CVertex(0, 0, ColorIdToRgb(kColorIdBlue));
        v->m_name = name;
        m_vertices.push_back(v);
    }
    for (CVertex* v : m_vertices) m_doc.AddElement(v);
    for (const auto& [a, b] : m_tree.edges) m_doc.AddElement(new CEdge(m_vertices[a], m_vertices[b], kEdgeBlack));
}

// The simulation assumes what every pass does to positions: the view locks each vertex to
// its track and the spread keeps every vertex on the canvas, no SEFE highlighting makes
// scratch copies (which take ids), and the document holds nothing but the tree.
bool LevelExperiment::SimulationApplies(bool onlyTheTree) const {
    const CLattixView* view = m_doc.GetActiveEditorView();
    if (m_mode != ExperimentMode::Fastest || !onlyTheTree || m_doc.m_sefeMode || !view) return false;
    const std::int64_t sx = view->m_xSeparation, sy = view->m_ySeparation;
    return view->m_lockToTracks && view->HasHorizontalGuides() && sy >= 10 && m_n * sy < kCanvasSize && sx >= 10 &&
           (m_n + 1) * sx + 10 <= kCanvasSize;
}

void LevelExperiment::RemoveBendsOfLastPass() {
    // RemoveAllBends, except that the repaint is left to the experiment, which repaints
    // with its progress rather than hundreds of thousands of times.
    std::vector<CVertex*> bends;
    for (CElement* e : m_doc.m_elements)
        if (CVertex* v = e->AsVertex(); v && v->m_isBend) bends.push_back(v);
    for (CVertex* b : bends) m_doc.RemoveBend(b);
    m_doc.CommitEdit({.derived = Derived::Sefe, .derivedAfterCheckPoint = true, .repaint = false});
}

int LevelExperiment::RunPass(const int* tracks, bool removeBends) {
    if (removeBends) RemoveBendsOfLastPass();
    for (int k = 0; k < m_n; ++k) m_vertices[k]->m_trackNumber = tracks[k];
    if (!m_doc.MakeProper(true)) {
        m_doc.Platform().ShowMessage("Error: Trying to make a graph proper.");
        return -1;
    }
    m_doc.RebuildAllLists();
    for (CVertex* v : m_doc.m_allVertices) m_doc.SetComponentOf(v, 0);
    if (!m_doc.IsSimple()) {
        m_doc.Platform().ShowMessage("Error: The graph is not simple.");
        return -1;
    }
    if (!m_doc.ExtractComponent(0)) {
        m_doc.Platform().ShowMessage("Error: The graph is not connected.");
        return -1;
    }
    return m_doc.TestLevelPlanarity(m_workspace, false) ? 1 : 0;
}

bool LevelExperiment::Count(Outcome& outcome, std::int64_t pass, bool planar) {
    outcome.passes = pass;
    if (m_stopsAtFailure) {
        if (!planar) {
            outcome.stop = Stop::Counterexample;
            return false;
        }
        ++outcome.total;
    } else {
        if (!planar) ++outcome.failures;
        ++outcome.total;
    }
    return true;
}

Outcome LevelExperiment::RunForReal(IProgress* progress, std::int64_t stopAfter, Stop stopReason) {
    Outcome outcome;
    std::vector<int> tracks(m_n);
    std::iota(tracks.begin(), tracks.end(), 1);
    for (std::int64_t pass = 1;; ++pass) {
        const int verdict = RunPass(tracks.data(), true);
        if (verdict < 0) {
            outcome.passes = pass;
            outcome.stop = Stop::Error;
            break;
        }
        if (!Count(outcome, pass, verdict == 1)) break;
        if (pass == stopAfter) {
            outcome.stop = stopReason;
            break;
        }
        if (progress && pass % kProgressEvery == 0) {
            m_doc.RepaintAllViews();
            if (!progress->Update(pass)) {
                outcome.stop = Stop::Cancelled;
                break;
            }
        }
        if (!std::next_permutation(tracks.begin(), tracks.end())) break;
    }
    return outcome;
}

Outcome LevelExperiment::SimulateCount() {
    const std::int64_t all = Factorial(m_n);
    const TreeAssignmentCount counter(m_n, m_tree.edges);
    const int threads = static_cast<int>(std::max(1u, std::thread::hardware_concurrency()));
    // The search split by the levels of its first two vertices, shared out as the threads
    // come free.
    const std::vector<std::vector<int>> prefixes = counter.Prefixes(2);
    std::vector<TreeAssignmentTally> tallies(prefixes.size());
    std::atomic<std::size_t> next{0};
    std::atomic<bool> stop{false};
    std::atomic<std::int64_t> done{0};
    std::atomic<int> running{threads};
    Outcome outcome;
    {
        std::vector<std::jthread> workers;
        for (int t = 0; t < threads; ++t)
            workers.emplace_back([&] {
                for (std::size_t k; !stop.load() && (k = next.fetch_add(1)) < prefixes.size();)
                    tallies[k] = counter.Search(prefixes[k], stop, done);
                --running;
            });
        for (std::int64_t pass = kProgressEvery; m_progress && pass <= all; pass += kProgressEvery) {
            while (running.load() > 0 && done.load() < pass) std::this_thread::sleep_for(std::chrono::milliseconds(1));
            if (!m_progress->Update(pass)) {
                stop = true;
                outcome.passes = pass;
                outcome.stop = Stop::Cancelled;
                return outcome;
            }
        }
    }
    const TreeAssignmentTally tally = TreeAssignmentCount::MergeInOrder(tallies);
    outcome.total = static_cast<std::int32_t>(all);
    outcome.failures = static_cast<std::int32_t>(tally.failing);
    outcome.passes = all;
    return outcome;
}

Outcome LevelExperiment::Simulate() {
    if (!m_stopsAtFailure) return SimulateCount();
    Outcome outcome;
    TreeLevelPlanarity judge(m_n, m_tree.edges);
    // Turning the levels upside down keeps a drawing level planar and maps the assignment
    // of rank r (in the order the experiment takes them) to the one of rank N - 1 - r.
    const std::int64_t all = Factorial(m_n);
    std::vector<std::uint8_t> firstHalf(static_cast<std::size_t>(all / 2 + 1), 0);
    std::vector<int> tracks(m_n);
    std::iota(tracks.begin(), tracks.end(), 1);
    for (std::int64_t pass = 1;; ++pass) {
        const std::int64_t rank = pass - 1, mirror = all - 1 - rank;
        bool planar;
        if (rank <= mirror) {
            planar = judge.IsLevelPlanar(tracks.data());
            firstHalf[static_cast<std::size_t>(rank)] = planar;
        } else {
            planar = firstHalf[static_cast<std::size_t>(mirror)] != 0;
        }
        if (!Count(outcome, pass, planar)) break;
        if (m_progress && pass % kProgressEvery == 0 && !m_progress->Update(pass)) {
            outcome.stop = Stop::Cancelled;
            break;
        }
        if (!std::next_permutation(tracks.begin(), tracks.end())) break;
    }
    return outcome;
}

void LevelExperiment::Materialize(const ExperimentSimulation& sim, const int* tracksBefore) {
    std::vector<CEdge*> old;
    for (CElement* e : m_doc.m_elements)
        if (CEdge* edge = e->AsEdge()) old.push_back(edge);
    for (CEdge* e : old) m_doc.DeleteElement(e);

    std::vector<CEdge*> byTreeEdge(m_tree.edges.size(), nullptr);
    for (const int e : sim.Order()) {
        const ExperimentEdge& edge = sim.Edge(e);
        auto* made = new CEdge(m_vertices[edge.v1], m_vertices[edge.v2], kEdgeBlack);
        made->m_id = edge.id;
        m_doc.AddElement(made);
        byTreeEdge[e] = made;
    }
    g_nextId = sim.NextId();
    // The positions only matter through the tracks of the pass before: every vertex stands
    // on its track of that pass (the spread of the next pass moves them all anyway).
    const CLattixView* view = m_doc.GetActiveEditorView();
    for (int v = 0; v < m_n; ++v) {
        CVertex* vertex = m_vertices[v];
        vertex->m_edges.clear();
        for (const int e : sim.Adjacency(v)) vertex->m_edges.push_back(byTreeEdge[e]);
        vertex->m_trackNumber = tracksBefore[v];
        vertex->ResetOffset();
        vertex->PlaceAt(2 * view->m_xSeparation, tracksBefore[v] * view->m_ySeparation, nullptr);
    }
}

std::vector<ExperimentEdge> LevelExperiment::DocumentEdges() const {
    std::vector<ExperimentEdge> edges;
    for (CElement* e : m_doc.m_elements) {
        const CEdge* edge = e->AsEdge();
        if (!edge) continue;
        auto indexOf = [&](const CVertex* v) {
            return static_cast<int>(std::find(m_vertices.begin(), m_vertices.end(), v) - m_vertices.begin());
        };
        edges.push_back({indexOf(edge->m_v1), indexOf(edge->m_v2), edge->m_id});
    }
    return edges;
}

AdvancedSimulation AdvanceSimulation(const std::vector<ExperimentEdge>& edges, int n, std::uint32_t nextId,
                                     std::int64_t first) {
    AdvancedSimulation a{ExperimentSimulation(n, edges, nextId), std::vector<int>(n), std::vector<int>(n)};
    std::iota(a.tracks.begin(), a.tracks.end(), 1);
    for (std::int64_t pass = 1; pass < first; ++pass) {
        a.sim.Advance(a.tracks.data());
        a.before = a.tracks;
        std::next_permutation(a.tracks.begin(), a.tracks.end());
    }
    return a;
}

void LevelExperiment::ReplayLastPasses(const Outcome& outcome, std::future<AdvancedSimulation>* ahead) {
    const std::int64_t last = outcome.passes;
    const std::int64_t first = last - kReachablePasses;
    if (last < kSimulateFrom) {
        RunForReal(nullptr, last, outcome.stop);
        return;
    }
    const std::vector<ExperimentEdge> edges = DocumentEdges();
    AdvancedSimulation a = ahead ? ahead->get() : AdvanceSimulation(edges, m_n, g_nextId, first);
    if (a.sim.NextId() < g_nextId + edges.size()) { // cannot happen with bends in so many passes
        RunForReal(nullptr, last, outcome.stop);
        return;
    }
    // The document is brought to what it holds after the bends of pass `first` were
    // removed; that pass runs on for real, and the passes with reachable undo steps follow.
    Materialize(a.sim, a.before.data());
    RunPass(a.tracks.data(), false);
    for (std::int64_t pass = first + 1; pass <= last; ++pass) {
        std::next_permutation(a.tracks.begin(), a.tracks.end());
        RunPass(a.tracks.data(), true);
    }
}

void LevelExperiment::Run() {
    const bool onlyTheTree = m_doc.m_elements.empty();
    BuildTree();
    m_progress = m_doc.Platform().BeginProgress("Testing level assignments", Factorial(m_n));
    Outcome outcome;
    if (SimulationApplies(onlyTheTree)) {
        // An experiment that counts to the end ends at its last pass: what the passes before
        // the reachable ones leave behind is followed meanwhile on a thread of its own.
        std::future<AdvancedSimulation> ahead;
        const std::int64_t all = Factorial(m_n);
        if (!m_stopsAtFailure && all >= kSimulateFrom)
            ahead = std::async(std::launch::async, AdvanceSimulation, DocumentEdges(), m_n, g_nextId,
                               all - kReachablePasses);
        outcome = Simulate();
        ReplayLastPasses(outcome, ahead.valid() && outcome.passes == all ? &ahead : nullptr);
    } else {
        outcome = RunForReal(m_progress.get(), -1, Stop::Completed);
    }
    m_progress.reset();

    if (outcome.stop == Stop::Completed)
        m_doc.Platform().ShowMessage("The tree is non level planar in " + std::to_string(outcome.failures) +
                                     " level assignments out of " + std::to_string(outcome.total));
    // Also after an early end: whatever the last pass left is the command's result and
    // goes into the undo list like any other change.
    m_doc.CommitEdit({.derived = Derived::CrossingsAlways, .derivedAfterCheckPoint = true});
}

} // namespace

void RunLevelExperiment(CLattixDoc& doc, int treeSize, ExperimentMode mode) {
    if (treeSize != 8 && treeSize != 9) return;
    AlgorithmWorkspace workspace(doc);
    PrepareLevelGuides(doc);
    if (doc.IsModified()) {
        if (!doc.Platform().AskOkCancel("The operation will erase the current document")) return;
        doc.DeleteContents();
    }
    LevelExperiment(doc, workspace, treeSize, mode).Run();
}

void CLattixDoc::OnLevelExperiment(int treeSize) { RunLevelExperiment(*this, treeSize, ExperimentMode::Fastest); }
