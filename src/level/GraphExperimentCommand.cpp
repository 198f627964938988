#include "level/GraphExperimentCommand.h"

#include <unordered_map>

#include "level/LevelCommandSteps.h"
#include "model/LattixDoc.h"

std::optional<GraphExperimentInput> PrepareGraphExperiment(CLattixDoc& doc) {
    if (doc.HasBends()) {
        if (!doc.Platform().AskOkCancel("The operation will remove bends")) return std::nullopt;
        doc.RemoveAllBends();
    }
    doc.RebuildAllLists();
    if (!doc.IsSimple()) {
        doc.Platform().ShowMessage("The graph is not simple.");
        return std::nullopt;
    }
    if (doc.m_directed) {
        doc.Platform().ShowMessage("The graph is not undirected.");
        return std::nullopt;
    }
    if (doc.m_allVertices.empty()) {
        doc.Platform().ShowMessage("The graph is empty.");
        return std::nullopt;
    }
    if (doc.m_allVertices.size() > kMaxExperimentVertices) {
        doc.Platform().ShowMessage("The experiment takes graphs of up to " + std::to_string(kMaxExperimentVertices) +
                                   " vertices.");
        return std::nullopt;
    }
    GraphExperimentInput input;
    std::unordered_map<const CVertex*, int> index;
    for (CVertex* v : doc.m_allVertices) {
        index.emplace(v, static_cast<int>(input.vertexIds.size()));
        input.vertexIds.push_back(v->m_id);
        input.vertexNames.push_back(v->m_name);
    }
    input.problem.vertexCount = static_cast<int>(input.vertexIds.size());
    for (const CEdge* e : doc.m_allEdges) {
        const auto a = index.find(e->m_v1), b = index.find(e->m_v2);
        if (a != index.end() && b != index.end()) input.problem.edges.emplace_back(a->second, b->second);
    }
    return input;
}

AssignmentExperimentResult RunGraphExperiment(CLattixDoc& doc, const AssignmentProblem& problem) {
    const std::int64_t bound = AssignmentCountBound(problem.vertexCount, problem.levels).value_or(0);
    auto progress = doc.Platform().BeginProgress("Testing level assignments", bound);
    return RunAssignmentExperiment(problem, progress.get());
}

bool ApplyLevelAssignment(CLattixDoc& doc, const std::vector<std::uint32_t>& vertexIds, const std::vector<int>& levels) {
    std::unordered_map<std::uint32_t, CVertex*> byId;
    for (CElement* e : doc.m_elements)
        if (CVertex* v = e->AsVertex()) byId.emplace(v->m_id, v);
    std::vector<CVertex*> vertices;
    for (std::uint32_t id : vertexIds) {
        const auto it = byId.find(id);
        if (it == byId.end()) {
            doc.Platform().ShowMessage("The drawing no longer has the vertices of this experiment.");
            return false;
        }
        vertices.push_back(it->second);
    }
    if (vertices.size() != levels.size()) {
        doc.Platform().ShowMessage("The drawing no longer has the vertices of this experiment.");
        return false;
    }
    PrepareLevelGuides(doc);
    const CLattixView* view = doc.GetActiveEditorView();
    const std::int64_t separation = view ? view->m_ySeparation : 30;
    for (int level : levels)
        if (level < 1 || level * separation >= kCanvasSize) {
            doc.Platform().ShowMessage("The tracks of this assignment do not fit on the canvas.");
            return false;
        }
    for (std::size_t i = 0; i < vertices.size(); ++i) {
        CVertex* v = vertices[i];
        v->m_trackNumber = levels[i];
        const std::int32_t x = v->m_center.x + v->m_offset.x;
        v->ResetOffset();
        v->PlaceAt(x, static_cast<std::int32_t>(levels[i] * separation), doc.GetActiveView());
    }
    doc.CommitEdit();
    return true;
}

void AddTreeOnTracks(CLattixDoc& doc, int n, const std::vector<std::pair<int, int>>& edges, std::vector<int> levels) {
    if (levels.empty())
        for (int v = 0; v < n; ++v) levels.push_back(v + 1);
    std::vector<CVertex*> vertices;
    std::vector<std::uint32_t> ids;
    for (int v = 0; v < n; ++v) {
        // Side by side, so that the edges between the tracks can be told apart.
        auto* vertex = new CVertex(60 + 60 * v, 30, ColorIdToRgb(kColorIdBlue));
        vertex->m_name = std::to_string(v + 1);
        doc.AddElement(vertex);
        vertices.push_back(vertex);
        ids.push_back(vertex->m_id);
    }
    for (const auto& [a, b] : edges) doc.AddElement(new CEdge(vertices[a], vertices[b], kEdgeBlack));
    ApplyLevelAssignment(doc, ids, levels);
}
