#pragma once
// "Level Assignments of the Drawing...": the document side of the experiment over every
// level assignment of the drawn graph. The dialog and the result window belong to the
// caller; these are the steps between them and the document.

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "level/AssignmentExperiment.h"

class CLattixDoc;

struct GraphExperimentInput {
    AssignmentProblem problem;         // levels still to be chosen
    std::vector<std::uint32_t> vertexIds;  // element order
    std::vector<std::string> vertexNames;
};

// The bends question (bends are removed on OK), then the simple and undirected checks;
// nullopt, with any message shown, when the command stops.
std::optional<GraphExperimentInput> PrepareGraphExperiment(CLattixDoc& doc);

// The run with the document's progress window.
AssignmentExperimentResult RunGraphExperiment(CLattixDoc& doc, const AssignmentProblem& problem);

// Puts an assignment on the drawing: each vertex goes to its track, one undo step. False,
// with the message shown, when the vertices are no longer there or a track lies off the
// canvas.
bool ApplyLevelAssignment(CLattixDoc& doc, const std::vector<std::uint32_t>& vertexIds, const std::vector<int>& levels);

// Adds a tree on vertices 0..n-1 to the document, vertex v named v + 1 on track
// levels[v] (on track v + 1 when levels is empty), as one undo step.
void AddTreeOnTracks(CLattixDoc& doc, int n, const std::vector<std::pair<int, int>>& edges, std::vector<int> levels);
