#include "editor/CommandTable.h"

#include <functional>
#include <new>
#include <unordered_map>

#include "editor/CommandIds.h"
#include "editor/GuideCommands.h"
#include "level/LevelCrossingCommands.h"
#include "model/LattixDoc.h"

namespace {

using Run = std::function<void(CLattixDoc&, CLattixView*)>;
using Check = std::function<bool(const CLattixDoc&, const CLattixView*)>;
using Enable = std::function<bool(const CLattixDoc&, const CLattixView*)>;

struct Entry {
    Run run;
    Check checked;   // null: never checked
    Enable enabled;  // null: always enabled
    bool needsView = false;
};

using Table = std::unordered_map<int, Entry>;

void AddDocument(Table& t, int id, std::function<void(CLattixDoc&)> run, Check checked = nullptr, Enable enabled = nullptr) {
    t[id] = {[run](CLattixDoc& d, CLattixView*) { run(d); }, std::move(checked), std::move(enabled), false};
}

void AddView(Table& t, int id, std::function<void(CLattixDoc&, CLattixView&)> run,
             std::function<bool(const CLattixView&)> checked = nullptr) {
    Check check;
    if (checked) check = [checked](const CLattixDoc&, const CLattixView* v) { return v && checked(*v); };
    t[id] = {[run](CLattixDoc& d, CLattixView* v) { run(d, *v); }, std::move(check), nullptr, true};
}

Table BuildTable() {
    using namespace cmd;
    Table t;
    AddDocument(t, kEditUndo, [](CLattixDoc& d) { d.OnEditUndo(); }, nullptr,
                [](const CLattixDoc& d, const CLattixView*) { return d.CanUndo(); });
    AddDocument(t, kEditRedo, [](CLattixDoc& d) { d.OnEditRedo(); }, nullptr,
                [](const CLattixDoc& d, const CLattixView*) { return d.CanRedo(); });
    AddDocument(t, kEditCut, [](CLattixDoc& d) { d.OnEditCut(); });
    AddDocument(t, kEditCopy, [](CLattixDoc& d) { d.OnEditCopy(); });
    AddDocument(t, kEditPaste, [](CLattixDoc& d) { d.OnEditPaste(); });
    AddDocument(t, kExportText, [](CLattixDoc& d) { d.OnFileExportText(); });

    // Tools: the check mark sits on the current tool.
    const std::pair<int, std::uint16_t> tools[] = {
        {cmd::kToolPointer, ::kToolPointer}, {cmd::kToolVertex, ::kToolVertex},
        {kToolBlueEdge, kEdgeBlue},     {kToolRedEdge, kEdgeRed},       {kToolGreenEdge, kEdgeGreen},
        {kToolYellowEdge, kEdgeYellow}, {kToolOrangeEdge, kEdgeOrange}, {kToolCyanEdge, kEdgeCyan},
        {kToolPurpleEdge, kEdgePurple}, {kToolBlackEdge, kEdgeBlack}};
    for (const auto& entry : tools) {
        const int id = entry.first;
        const auto code = entry.second;
        AddDocument(t, id, [code](CLattixDoc& d) { d.SetTool(code); },
                        [code](const CLattixDoc& d, const CLattixView*) { return d.m_tool == code; });
    }

    // Display toggles of the document: they only repaint.
    const std::pair<int, bool CLattixDoc::*> flags[] = {{kDirected, &CLattixDoc::m_directed},
                                                         {kShowName, &CLattixDoc::m_showName},
                                                         {kShowStNumber, &CLattixDoc::m_showStNumber},
                                                         {kShowWeight, &CLattixDoc::m_showWeight},
                                                         {kShowTrack, &CLattixDoc::m_showTrack}};
    for (const auto& entry : flags) {
        const int id = entry.first;
        const auto flag = entry.second;
        AddDocument(t, id,
                        [flag](CLattixDoc& d) {
                            d.*flag = !(d.*flag);
                            d.RepaintAllViews();
                        },
                        [flag](const CLattixDoc& d, const CLattixView*) { return d.*flag; });
    }

    // Per-view colour layers and dashed edges.
    const std::pair<int, int> layers[] = {{kShowBlue, kEdgeBlue},     {kShowRed, kEdgeRed},     {kShowGreen, kEdgeGreen},
                                          {kShowYellow, kEdgeYellow}, {kShowOrange, kEdgeOrange}, {kShowCyan, kEdgeCyan},
                                          {kShowPurple, kEdgePurple}, {kShowBlack, kEdgeBlack}};
    for (const auto& entry : layers) {
        const int id = entry.first;
        const auto code = entry.second;
        AddView(t, id,
                    [code](CLattixDoc& d, CLattixView& v) {
                        v.SetColorShown(code, !v.IsColorShown(code));
                        d.RepaintAllViews();
                    },
                    [code](const CLattixView& v) { return v.IsColorShown(code); });
    }
    AddView(t, kShowDashedEdges,
            [](CLattixDoc& d, CLattixView& v) {
                v.m_showDashedEdges = !v.m_showDashedEdges;
                d.RepaintAllViews();
            },
            [](const CLattixView& v) { return v.m_showDashedEdges; });

    // Guides.
    AddView(t, kShowGrid, OnShowGrid, IsGridShown);
    AddView(t, kShowTracks, OnShowTracks, AreTracksShown);
    AddView(t, kSnapToGuides, OnSnapToGuides, IsSnapChecked);
    AddView(t, kLockToTracks, OnLockToTracks, IsLockChecked);
    AddView(t, kGuidesPreferences, OnGuidesPreferences);
    AddView(t, kRemoveTrackColor, OnRemoveTrackColor);
    AddView(t, kRemoveAllTrackColors, OnRemoveAllTrackColors);
    AddView(t, kColorTracksRandomly, OnColorTracksRandomly);
    AddDocument(t, kRenumberTopToBottom, [](CLattixDoc& d) { d.OnRenumberTopToBottom(); },
                [](const CLattixDoc& d, const CLattixView*) { return d.m_topToBottom; });
    AddDocument(t, kAutoTrackNumbers, [](CLattixDoc& d) { d.OnAutoTrackNumbers(); },
                [](const CLattixDoc& d, const CLattixView*) { return d.m_autoTrack; });

    // The colour menu: the check mark sits on the colour of new vertices.
    for (int id = kColorFirst; id <= kColorLast; ++id)
        AddDocument(t, id, [id](CLattixDoc& d) { d.OnColorCommand(id); },
                    [id](const CLattixDoc& d, const CLattixView*) { return d.m_currentColor == ColorIdToRgb(id); });

    // Editing the selection.
    AddDocument(t, kDelete, [](CLattixDoc& d) { d.DeleteSelection(); });
    AddDocument(t, kRename, [](CLattixDoc& d) { d.OnRename(); });
    AddDocument(t, kResize, [](CLattixDoc& d) { d.OnResize(); });
    AddDocument(t, kWeight, [](CLattixDoc& d) { d.OnWeight(); });
    AddDocument(t, kTrackNumber, [](CLattixDoc& d) { d.OnTrackNumber(); });
    AddDocument(t, kRelabel, [](CLattixDoc& d) { d.OnRelabel(); });
    AddDocument(t, kAddBend, [](CLattixDoc& d) { d.OnAddBend(); });
    AddDocument(t, kRemoveBend, [](CLattixDoc& d) { d.OnRemoveBend(); });
    AddDocument(t, kRemoveAllBends, [](CLattixDoc& d) { d.OnRemoveAllBends(); });
    AddDocument(t, kFlipHorizontally, [](CLattixDoc& d) { d.OnFlipHorizontally(); });
    AddDocument(t, kFlipVertically, [](CLattixDoc& d) { d.OnFlipVertically(); });
    AddDocument(t, kRotateRight, [](CLattixDoc& d) { d.OnRotateRight(); });
    AddDocument(t, kRotateLeft, [](CLattixDoc& d) { d.OnRotateLeft(); });
    AddDocument(t, kResetLabelCounter, [](CLattixDoc& d) { d.OnResetLabelCounter(); });
    AddView(t, kSwapAdjacency, [](CLattixDoc& d, CLattixView& v) { d.OnSwapAdjacencyLists(&v); });
    const std::pair<int, std::uint16_t> edgeColours[] = {
        {kEdgeColorBlue, kEdgeBlue},     {kEdgeColorRed, kEdgeRed},       {kEdgeColorGreen, kEdgeGreen},
        {kEdgeColorYellow, kEdgeYellow}, {kEdgeColorOrange, kEdgeOrange}, {kEdgeColorCyan, kEdgeCyan},
        {kEdgeColorPurple, kEdgePurple}, {kEdgeColorBlack, kEdgeBlack}};
    for (const auto& entry : edgeColours) {
        const int id = entry.first;
        const auto code = entry.second;
        AddDocument(t, id, [code](CLattixDoc& d) { d.SetSelectionEdgeColor(code); });
    }

    // Algorithms and modes.
    AddDocument(t, kConnectedComponents, [](CLattixDoc& d) { d.OnConnectedComponents(); });
    AddDocument(t, kUpwardMode, [](CLattixDoc& d) { d.OnUpwardMode(); },
                [](const CLattixDoc& d, const CLattixView*) { return d.m_upwardMode; });
    AddDocument(t, kSefeMode, [](CLattixDoc& d) { d.OnSefeMode(); },
                [](const CLattixDoc& d, const CLattixView*) { return d.m_sefeMode; });
    AddDocument(t, kUlpRecognitionMode, [](CLattixDoc& d) { d.OnUlpRecognitionMode(); },
                [](const CLattixDoc& d, const CLattixView*) { return d.m_ulpMode; });
    AddDocument(t, kPlanarityTesting, [](CLattixDoc& d) { d.OnPlanarityTesting(); });
    AddDocument(t, kFindKuratowskiSubgraph, [](CLattixDoc& d) { d.OnFindKuratowskiSubgraph(); });
    AddDocument(t, kDrawPlanarGraph, [](CLattixDoc& d) { d.OnDrawPlanarGraph(); });
    AddDocument(t, kDrawUlpTrees, [](CLattixDoc& d) { d.OnDrawUlpTrees(); });
    AddDocument(t, kLevelPlanarityTesting, [](CLattixDoc& d) { d.OnLevelPlanarityTesting(); });
    AddDocument(t, kDrawLevelPlanarGraph, [](CLattixDoc& d) { d.OnDrawLevelPlanarGraph(); });
    AddDocument(t, kExperiment8, [](CLattixDoc& d) { d.OnLevelExperiment(8); });
    AddDocument(t, kExperiment9, [](CLattixDoc& d) { d.OnLevelExperiment(9); });
    AddDocument(t, kRandomLabeledTree, [](CLattixDoc& d) { d.OnRandomLabeledTree(); });
    AddDocument(t, kRandomRootedTree, [](CLattixDoc& d) { d.OnRandomRootedTree(); });
    AddDocument(t, kFreeTreeFromLabeled, [](CLattixDoc& d) { d.OnFreeTreeFromLabeled(); });
    AddDocument(t, kFreeTreeFromRooted, [](CLattixDoc& d) { d.OnFreeTreeFromRooted(); });
    AddDocument(t, kFreeTreeWilf, [](CLattixDoc& d) { d.OnFreeTreeWilf(); });
    AddDocument(t, kAltMode0, [](CLattixDoc& d) { d.OnAltMode(0); });
    AddDocument(t, kAltMode1, [](CLattixDoc& d) { d.OnAltMode(1); });
    AddDocument(t, kMinimizeCrossings, [](CLattixDoc& d) { MinimizeCrossingsOnLevels(d); });
    AddDocument(t, kLevelObstruction, [](CLattixDoc& d) { ShowLevelObstruction(d); });
    return t;
}

const Table& Commands() {
    static const Table table = BuildTable();
    return table;
}

} // namespace

bool IsDocumentCommand(int id) { return Commands().count(id) != 0; }

bool ExecuteCommand(CLattixDoc& doc, CLattixView* view, int id) {
    auto it = Commands().find(id);
    if (it == Commands().end() || (it->second.needsView && !view)) return false;
    try {
        it->second.run(doc, view);
    } catch (const std::bad_alloc&) {
        // The command's own memory is free again once it has unwound; what it changed goes
        // back to the last checkpoint, which every finished edit leaves behind.
        doc.RevertToCheckPoint();
        doc.RepaintAllViews();
        doc.Platform().ShowMessage(kOutOfMemoryMessage, MessageIcon::Exclamation);
    }
    return true;
}

std::optional<CommandStatus> QueryCommand(const CLattixDoc& doc, const CLattixView* view, int id) {
    auto it = Commands().find(id);
    if (it == Commands().end()) return std::nullopt;
    const Entry& e = it->second;
    CommandStatus state;
    state.enabled = (!e.needsView || view) && (!e.enabled || e.enabled(doc, view));
    state.checked = e.checked && e.checked(doc, view);
    state.checkable = e.checked != nullptr;
    return state;
}
