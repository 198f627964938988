#include "shell/ExperimentCommands.h"

#include <QApplication>
#include <QTimer>

#include "level/GraphExperimentCommand.h"
#include "model/LattixDoc.h"
#include "shell/LattixApp.h"
#include "shell/dialogs/ExperimentDialogs.h"
#include "shell/dialogs/ExperimentResults.h"

namespace {

QWidget* Parent(QtPlatform& platform) { return platform.m_parent ? platform.m_parent() : QApplication::activeWindow(); }

// As the platform runs its dialogs: a test's driver works it once it is on screen.
bool RunModal(QtPlatform& platform, QDialog& dialog) {
    if (platform.m_dialogDriver) QTimer::singleShot(0, &dialog, [&platform, &dialog] { platform.m_dialogDriver(dialog); });
    return dialog.exec() == QDialog::Accepted;
}

} // namespace

void OnLevelAssignmentsOfDrawing(CLattixApp& app, CLattixDoc& doc) {
    QtPlatform& platform = app.Platform();
    std::optional<GraphExperimentInput> input = PrepareGraphExperiment(doc);
    if (!input) return;
    CLevelAssignmentsDialog dialog(input->problem.vertexCount, Parent(platform));
    if (!RunModal(platform, dialog)) return;
    input->problem.levels = dialog.Levels();
    AssignmentExperimentResult result = RunGraphExperiment(doc, input->problem);
    CAssignmentResultDialog window(std::move(result), input->vertexNames, Parent(platform));
    const std::vector<std::uint32_t> ids = input->vertexIds;
    window.m_apply = [&doc, ids](const std::vector<int>& levels) { ApplyLevelAssignment(doc, ids, levels); };
    RunModal(platform, window);
}

void OnUlpCensus(CLattixApp& app) {
    QtPlatform& platform = app.Platform();
    CCensusDialog dialog(Parent(platform));
    if (!RunModal(platform, dialog)) return;
    CensusResult result;
    {
        auto progress = platform.BeginProgress("Testing the level assignments of every tree",
                                               CensusAssignmentCount(dialog.From(), dialog.To()));
        result = RunUlpCensus(dialog.From(), dialog.To(), progress.get());
    }
    CCensusResultDialog window(std::move(result), Parent(platform));
    window.m_open = [&app](const CensusRow& row) {
        if (CLattixDoc* doc = app.OnFileNew())
            AddTreeOnTracks(*doc, static_cast<int>(row.levelSequence.size()), row.edges, row.tally.firstFailing);
    };
    RunModal(platform, window);
}
