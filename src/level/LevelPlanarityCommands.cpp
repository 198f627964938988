// "&Level Planarity Testing" and "D&raw Level Planar Graph".

#include <memory>

#include "level/ComponentExchangeGraph.h"
#include "level/LevelCommandSteps.h"
#include "level/LevelDrawing.h"
#include "model/AlgorithmWorkspace.h"
#include "model/LattixDoc.h"
#include "graph/Components.h"
#include "model/EditEnd.h"

namespace {

// The crossings are counted on the state just stored, as the pane shows them after the test.
constexpr EditEnd kCountedAfterCheckPoint{.derived = Derived::CrossingsAlways, .derivedAfterCheckPoint = true};

} // namespace

bool CLattixDoc::TestLevelPlanarity(AlgorithmWorkspace& workspace, bool draw, bool showProgress) {
    ComponentExchangeGraph c;
    c.verdictOnly = !draw;
    std::vector<CVertex*> everyComponentVertex; // empty: the extracted component
    BuildVertexExchangeGraph(c, everyComponentVertex, false);
    if (!draw) return ComponentIsLevelPlanar(c);
    // The window appears only once a search has to run; most components never need one.
    constexpr std::int64_t kSteps = 1000;
    std::unique_ptr<IProgress> progress;
    auto report = [&](double sorted) {
        if (!progress) progress = Platform().BeginProgress("Testing level planarity", kSteps);
        return progress->Update(static_cast<std::int64_t>(sorted * (kSteps - 1)));
    };
    const ComponentVerdict verdict =
        showProgress ? DecideLevelPlanarity(c, report) : DecideLevelPlanarity(c);
    progress.reset();
    if (verdict.cancelled) {
        workspace.m_cancelled = true;
        return false;
    }
    if (verdict.planar && draw) DrawLevelPlanarComponent(*this, workspace, c, verdict);
    return verdict.planar;
}

void CLattixDoc::OnLevelPlanarityTesting() {
    AlgorithmWorkspace workspace(*this);
    CheckPoint();
    PrepareLevelGuides(*this);
    if (!PrepareLevelGraph(*this)) return;

    const std::int32_t components = CountComponents(&m_allVertices);
    ComponentExtractor extractor(*this, components);
    for (std::int32_t k = 0; k < components; ++k) {
        if (!extractor.Extract(k)) break;
        if (!LevelPairsWithinLimit(*this)) {
            CommitEdit({.derived = Derived::None}); // what the preparation changed stays one undo step
            return;
        }
        if (!TestLevelPlanarity(workspace, false, true)) {
            // The test spread the component along its tracks.
            CommitEdit(kCountedAfterCheckPoint);
            if (!workspace.m_cancelled) Platform().ShowMessage("The graph is not level planar");
            return;
        }
    }
    CommitEdit(kCountedAfterCheckPoint);
    Platform().ShowMessage("The graph is level planar");
}

void CLattixDoc::OnDrawLevelPlanarGraph() {
    const std::optional<DrawDialogValues> values = Platform().RunDrawDialog({false, "0"});
    if (!values) return;
    PrepareLevelGuides(*this);
    AlgorithmWorkspace workspace(*this, values->animate, ParseStepDelay(values->stepDelayText));
    CheckPoint();
    if (!PrepareLevelGraph(*this)) return;

    const std::int32_t components = CountComponents(&m_allVertices);
    ComponentExtractor extractor(*this, components);
    for (std::int32_t k = 0; k < components && !workspace.m_cancelled; ++k) {
        if (!extractor.Extract(k)) break;
        if (!LevelPairsWithinLimit(*this)) break;
        if (!TestLevelPlanarity(workspace, true, true)) {
            if (workspace.m_cancelled) break;
            CommitEdit({.derived = Derived::None});
            Platform().ShowMessage("The graph is not level planar");
        }
    }
    CommitEdit(kCountedAfterCheckPoint);
}
