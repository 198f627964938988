#pragma once
// CLattixDoc: one graph with its selection, its saved settings, its undo history and
// clipboard, and the work lists that the algorithms share between their steps.
//
// Every command that changes the graph ends through CommitEdit: the derived data it needs
// (crossings, classification, mode highlights), the undo checkpoint, the modified flag,
// the repaint. The command handlers live with their subsystems (planarity/, level/,
// trees/, random/, editor/); this header only gathers them on the one document class.

#include <array>
#include <cstdint>
#include <future>
#include <memory>
#include <optional>
#include <span>
#include <string>
#include <vector>

#include "model/AddressIndex.h"
#include "model/Colors.h"
#include "model/EditEnd.h"
#include "model/DocView.h"
#include "model/Element.h"
#include "model/ElementList.h"
#include "model/Platform.h"
#include "model/PQtreePtr.h"
#include "model/Undo.h"

class CPQtree;
struct ContextMenu; // editor/ContextMenu.h
class DrawTarget;
struct AlgorithmWorkspace;
struct PendingCrossings; // trees/Crossings.h
struct IndexedEdges;     // graph/IndexedEdges.h

// Outcome of reading a document file or snapshot.
enum class LoadStatus {
    Ok,
    WrongMagic,     // "Invalid File Type"
    WrongVersion,   // "Incorrect file version."
    FormatError,    // "Unexpected file format."
    ReadError,      // "Failed to open document."
};

// Tool codes of m_tool: 1..8 draw edges of that colour code.
inline constexpr std::uint16_t kToolVertex = 101;
inline constexpr std::uint16_t kToolPointer = 102;

// The settings that survive undo and redo; read before a reload, written back after it.
struct KeptSettings {
    Rgb currentColor;
    std::uint16_t tool, pressTool;
    std::int32_t zoomIndex;
    bool directed;
    std::int32_t labelCounter;
    bool topToBottom, autoTrack;
    std::uint8_t planarResult;
    bool showStNumber, showName, showWeight, showTrackLabels, showTrack;
    std::uint8_t loadClearedByte;
    GuideSettings guides;
};

class CLattixDoc : public CUndo {
public:
    explicit CLattixDoc(IPlatform& platform);
    ~CLattixDoc() override;
    CLattixDoc(const CLattixDoc&) = delete;
    CLattixDoc& operator=(const CLattixDoc&) = delete;

    IPlatform& Platform() const { return *m_platform; }

    // ------------------------------------------------------------ lists
    ElementList m_elements;  // owns every vertex and edge of the graph
    SelectionList m_selection;
    ElementList m_clipboard; // owns the clones last copied
    std::vector<CVertex*> m_allVertices, m_compVertices;
    std::vector<CEdge*> m_allEdges, m_compEdges, m_blockEdges;
    std::vector<PQtreePtr> m_pqTrees;

    // ------------------------------------------------------------ saved settings
    Rgb m_currentColor = ColorIdToRgb(kColorIdBlue);
    std::uint16_t m_tool = kToolVertex;
    std::uint16_t m_pressTool = kToolVertex;
    static constexpr std::array<double, 14> m_zoomTable = {0.1, 0.2, 0.3, 0.4, 0.5, 0.6, 0.7,
                                                           0.8, 0.9, 1.0, 1.25, 1.5, 2.0, 3.0};
    std::int32_t m_zoomIndex = 9;
    bool m_directed = false;
    std::int32_t m_labelCounter = 1;
    bool m_topToBottom = false;
    bool m_autoTrack = false;
    std::uint16_t m_altMode = 0;
    bool m_ulpMode = false;
    bool m_upwardMode = false;
    bool m_sefeMode = false;
    std::uint8_t m_planarResult = 0;
    bool m_showStNumber = false;
    bool m_showName = true;
    bool m_showWeight = false;
    bool m_showTrackLabels = true;
    bool m_showTrack = false;
    // Crossings counted after loads and edits; off, only when CountCrossings is called.
    bool m_autoCrossings = true;
    std::int32_t m_canvasWidth = kCanvasSize;
    std::int32_t m_canvasHeight = kCanvasSize;
    std::int32_t m_randomTreeSize = 10;
    // A byte of the derived-data state that loading clears and undo keeps.
    std::uint8_t m_loadClearedByte = 0;

    // Zoom factor of m_zoomIndex (1.0 for an index outside the table).
    double ZoomFactor() const;

    // ------------------------------------------------------------ shared operations
    void AddElement(CElement* element);
    void DeleteElement(CElement* element);
    void AddToSelection(CElement* element);
    void RemoveFromSelection(CElement* element);
    bool IsSelected(const CElement* element) const;
    void ClearSelection();
    CEdge* FindEdge(const CVertex* a, const CVertex* b) const;
    void DeleteContents();

    // ------------------------------------------------------------ views
    void AddView(CDocView* view);
    void RemoveView(CDocView* view);
    const std::vector<CDocView*>& Views() const { return m_views; }
    // The first editor view, or null.
    CLattixView* GetGraphView() const;
    // The active frame's view when it shows this document, else null.
    CDocView* GetActiveView() const;
    // The active view when it is an editor view of this document, else null.
    CLattixView* GetActiveEditorView() const;
    // The guide settings that files and undo carry: those of the first editor view, or,
    // while the document has none, the ones kept for it here.
    GuideSettings SavedGuides() const;
    void ApplySavedGuides(const GuideSettings& guides);

    // ------------------------------------------------------------ document lifecycle
    void OnNewDocument();
    // Opens a file; on failure the message has been shown and false is returned.
    bool OnOpenDocument(const std::string& path);
    // Opens from bytes already in memory (a file read elsewhere).
    bool OpenFromBytes(std::span<const std::uint8_t> bytes);
    bool OnSaveDocument(const std::string& path);
    bool IsModified() const { return m_modified; }
    void SetModifiedFlag(bool modified = true) { m_modified = modified; }
    const std::string& GetPathName() const { return m_pathName; }
    void SetPathName(std::string path) { m_pathName = std::move(path); }

    // ------------------------------------------------------------ undo, clipboard
    void OnEditUndo();
    void OnEditRedo();
    KeptSettings ReadKeptSettings() const;
    void WriteKeptSettings(const KeptSettings& kept);
    void OnEditCopy();
    void OnEditCut();
    void OnEditPaste();

    // The two commands (32964, 32965) that set m_altMode.
    void OnAltMode(std::uint16_t value);

    // ------------------------------------------------------------ text export
    // Asks for a path and writes the text export.
    void OnFileExportText();
    // Writes the text export to path; false (after the message) when it could not.
    bool ExportText(const std::string& path);

    // ============================================================ derived data and modes (trees/)
    std::int32_t m_componentCount = 0;
    std::int32_t m_treeCount = 0;
    std::int32_t m_caterpillarCount = 0;
    std::int32_t m_spiderCount = 0;
    std::int32_t m_starCount = 0;

    // Takes the crossing count of the drawing as it is now. The edges' segments are taken at
    // once; the counting itself waits until a count is read, and is skipped when a later
    // CountCrossings comes first.
    void CountCrossings();
    // What CountCrossings would take after a load, made by the loader from its own records:
    // the snapshot of the segments, which a large drawing starts counting at once, beside
    // the rest of the load; then the vertices and edges in element order.
    void TakeLoadedCrossings(PendingCrossings taken);
    void AdoptLoadedLists(std::vector<CVertex*> vertices, std::vector<CEdge*> edges);
    // The counts of the last CountCrossings: all colours, and per colour in the stored order
    // Blue, Red, Yellow, Black, Purple, Cyan, Orange, Green.
    std::int32_t TotalCrossings() const;
    const std::array<std::int32_t, 8>& CrossingSlots() const;
    // Replaces the counts (per colour code 1..8, index code - 1) as if they had been counted.
    void SetCrossingCounts(const std::array<std::int32_t, 8>& byCode);
    void RecomputeUlpCounts(bool force);
    void ColorUpwardEdges();
    void UpdateSefe();
    // The crossings count of one edge colour code.
    std::int32_t CrossingsOf(int code) const;
    // Runs the recomputations that follow an edit: crossings (when m_autoCrossings is set),
    // classification, upward colouring and SEFE highlighting.
    void RecomputeDerivedData();
    // The classification, upward colouring and SEFE highlighting, without the crossings.
    void RecomputeModeData();
    // The end of an edit: derived data, undo checkpoint, modified flag, repaint.
    void CommitEdit(EditEnd how = {});
    // The recomputations of `what`, in the order RecomputeDerivedData runs them.
    void RecomputeDerived(Derived what);
    // The edge being dragged out with the mouse, if any.
    CEdge* EdgeBeingDrawn() const;

    // Mode commands (32966, 32990, 32995).
    void OnUlpRecognitionMode();
    void OnUpwardMode();
    void OnSefeMode();

    // The extracted component (m_compVertices, m_compEdges) that the classification
    // (trees/Classification.h) looks at.
    bool IsSimple() const;
    bool ExtractComponent(std::int32_t k);

    // ============================================================ components (planarity/)
    // Labels every vertex reachable from `list` (m_allVertices when null) with its
    // component index and returns the number of components.
    std::int32_t CountComponents(const std::vector<CVertex*>* list = nullptr);
    // The same for m_allVertices given their edges' ends by position (`indexed`, as
    // IndexEdges made them). When the edge list is the whole adjacency the labels come from
    // one pass over the ends, and `labels` receives them by position (it stays empty when
    // the adjacency had to be walked); `vertexTouch` as for AdjacencyMatchesEdges.
    std::int32_t LabelComponents(const IndexedEdges& indexed, std::vector<std::int32_t>* labels = nullptr,
                                 std::vector<std::uint8_t>* vertexTouch = nullptr);
    // The component index CountComponents gave v; -1 for a vertex it did not reach.
    std::int32_t ComponentOf(const CVertex* v) const { return m_componentOf.Get(v); }
    // Puts v in component k for the next ExtractComponent, as if a count had found it there.
    void SetComponentOf(const CVertex* v, std::int32_t k) { m_componentOf.Set(v, k); }
    void OnConnectedComponents();
    // Rebuilds m_allVertices and m_allEdges from m_elements in element order.
    void RebuildAllLists();
    // The same for a command on a large graph: the lists kept for the crossing count move
    // into m_allVertices and m_allEdges instead of being copied, and the next count remakes
    // them, so that two copies do not stand beside the command's own arrays.
    void MoveAllLists();

    // ============================================================ planarity (planarity/)
    // "&Planarity Testing": splits the graph into components and biconnected blocks,
    // st-numbers each block and reduces its PQ-tree vertex by vertex; shows the verdict,
    // keeps it in m_planarResult and appends every reduction step to m_pqTrees.
    void OnPlanarityTesting();
    // The same; with recordSnapshots false, m_pqTrees is left as it is.
    void RunPlanarityTesting(bool recordSnapshots);
    // How the verdict is reached: PQ-trees with every step recorded, PQ-trees alone, or the
    // left-right test, which leaves the st-numbers and scratch fields as they were.
    enum class PlanarityMethod { Recorded, PqTree, LeftRight };
    void RunPlanarityTesting(PlanarityMethod method);

    // "Find Kuratowski Subgraph" and "Draw Planar Graph": the evidence for either answer.
    enum class EvidenceResult { Planar, NonPlanar, Refused, Cancelled, Failed };
    void OnFindKuratowskiSubgraph();
    // Highlights a subdivision of K5 or K3,3 when there is one; its edges' ids go to
    // edgeIds and its kind to k5.
    EvidenceResult FindKuratowskiSubgraph(std::vector<std::uint32_t>* edgeIds = nullptr, bool* k5 = nullptr);
    void OnDrawPlanarGraph();
    // Redraws a planar graph with straight edges and no crossings; Planar when it did.
    EvidenceResult DrawPlanarGraph();

    // ============================================================ level planarity (level/)
    // Brings the graph into proper form: every edge runs from the lower to the higher track
    // between adjacent tracks, long edges being split by bend vertices on the tracks between
    // (after asking, unless quiet); drag offsets are committed on the way. False, with the
    // message shown, when an edge joins two vertices of one track, when the edges span more
    // tracks than kMaxDummyVertices dummy vertices can fill, or when the user declined.
    bool MakeProper(bool quiet);
    // Dummy vertices MakeProper would insert; counting stops once past kMaxDummyVertices.
    std::int64_t DummyVerticesNeeded() const;
    // Sorts the vertices of the list (m_compVertices when it is empty) by track, spreads them
    // along their tracks unless keepLayout, sorts them by x, rebuilds the list in that order
    // and builds the vertex-exchange graph of their pairs.
    void BuildVertexExchangeGraph(struct ComponentExchangeGraph& result, std::vector<CVertex*>& vertexList,
                                  bool keepLayout);
    // Tests the extracted component for level planarity and, with draw, rearranges it
    // within its levels. A verdict is only given with orders that prove it or after an
    // exact check.
    // `showProgress`: an exact search that has to run shows a progress window with Cancel
    // (a cancel sets workspace.m_cancelled).
    bool TestLevelPlanarity(AlgorithmWorkspace& workspace, bool draw, bool showProgress = false);
    void OnLevelPlanarityTesting(); // 32968
    void OnDrawLevelPlanarGraph();  // 32972
    // The batch experiments over all level assignments of a fixed tree of 8 (command 32982)
    // or 9 (command 32983) vertices.
    void OnLevelExperiment(int treeSize);

    // ============================================================ ULP tree drawing (trees/)
    // "&Draw ULP Trees" (32930): every caterpillar, radius-2 star and 3-spider is redrawn as a
    // level planar drawing of its own track assignment, the trees side by side.
    void OnDrawUlpTrees();
    enum class UlpDrawResult { Drawn, Cancelled, NotSimple, NotUndirected };
    // The command itself, telling how it ended (the command-line program needs to know).
    UlpDrawResult DrawUlpTrees();

    // ============================================================ random trees (random/)
    // The "Random Generators" commands (32976, 32991, 32992, 32993, 32994): each asks for
    // a size and adds one random tree to the drawing.
    void OnRandomLabeledTree();
    void OnRandomRootedTree();
    void OnFreeTreeFromLabeled();
    void OnFreeTreeFromRooted();
    void OnFreeTreeWilf();

    // ============================================================ bends (editor/)
    // Joins the two edges through bend b into one edge per lane and deletes b; a vertex
    // that is not a bend with exactly two neighbours is left alone.
    void RemoveBend(CVertex* b);
    // Removes every bend, then checkpoint, modified flag, SEFE update and repaint.
    void RemoveAllBends();
    bool HasBends() const;

    // ============================================================ rendering (editor/)
    // Draws the document onto a target for one view: mode 0 the graph (only for an editor
    // view; guides when drawGuides), mode 2 the PQ-tree replay.
    void DrawGraph(DrawTarget& target, std::int32_t scrollX, std::int32_t scrollY, int mode, CDocView* view,
                   bool drawGuides);
    // Redraws every editor and PQ-tree view of this document.
    void RepaintAllViews();

    // ============================================================ mouse and keys (editor/)
    // Points are document coordinates: the view has already taken off its scroll
    // position and divided by the zoom factor.
    static constexpr unsigned kFlagShift = 4;
    static constexpr unsigned kFlagCtrl = 8;
    static constexpr int kKeyShift = 16;
    static constexpr int kKeyCtrl = 17;
    static constexpr int kKeyDelete = 46;
    void OnLButtonDown(CDocView* view, unsigned flags, Point point);
    void OnMouseMove(CDocView* view, unsigned flags, Point point);
    void OnLButtonUp(CDocView* view, unsigned flags, Point point);
    void OnKeyDown(CDocView* view, int key);
    void OnKeyUp(CDocView* view, int key);
    // Selects what was hit and describes the menu to show; the shell shows it, calls
    // OnContextMenuClosed, then runs the chosen command (if any).
    ContextMenu OnRButtonDown(CDocView* view, unsigned flags, Point point);
    void OnContextMenuClosed(const ContextMenu& menu);

    // ============================================================ editing commands (editor/)
    void DeleteSelection();
    void OnRename();
    void OnResize();
    void OnWeight();
    void OnTrackNumber();
    void OnRelabel();
    void SetSelectionEdgeColor(std::uint16_t code);
    void OnAddBend();
    void OnRemoveBend();
    void OnRemoveAllBends();
    void OnFlipHorizontally();
    void OnFlipVertically();
    void OnRotateRight();
    void OnRotateLeft();
    void OnSwapAdjacencyLists(CLattixView* view);
    void OnResetLabelCounter();

    // Tools (1..8 edge tools, 101 vertex, 102 pointer) and the colour commands 101..115.
    void SetTool(std::uint16_t code);
    void OnColorCommand(int id);
    // "Renu&mber Vertices from Top to Bottom" and "&Automatically Update Track Numbers".
    void OnRenumberTopToBottom();
    void OnAutoTrackNumbers();
    void RenumberTopToBottom();
    // Picks the track near height y (right click on empty canvas); -1 when none.
    void PickTrack(std::int32_t y, CDocView* view);
    // Adds the elements inside a rubber band to the selection, vertices top to bottom.
    void SelectInRectangle(const Rect& band, const CLattixView& view, bool shift);

    // ============================================================ editor interaction state (editor/)
    std::int32_t m_selectedTrack = -1;
    bool m_colorForSelection = false;
    Point m_pressPoint;
    Point m_lastPoint;
    CVertex* m_grabbed = nullptr;
    bool m_dragging = false;
    bool m_banding = false;
    Rect m_bandRect;
    CVertex* m_edgeStart = nullptr;
    CVertex* m_edgeEnd = nullptr;
    CElement* m_creating = nullptr;
    std::uint16_t m_cursorCode = 123;

private:
    std::vector<std::uint8_t> StoreState() override;
    void LoadState(std::span<const std::uint8_t> bytes) override;
    bool FinishOpen(LoadStatus status);

    IPlatform* m_platform;
    std::vector<CDocView*> m_views;
    GuideSettings m_detachedGuides; // guide settings while no editor view exists
    bool m_detachedGuidesSet = false; // set by a load without a view or by closing the last one
    // Remakes m_cachedVertices and m_cachedEdges when the element list changed.
    void RefreshCachedLists();
    // The vertices and edges in element order, kept while the element list is unchanged.
    std::vector<CVertex*> m_cachedVertices;
    std::vector<CEdge*> m_cachedEdges;
    std::uint64_t m_allListsVersion = ~0ull;
    const ElementList* m_allListsOwner = nullptr;
    ListValueMap<CVertex> m_componentOf; // the labels of the last CountComponents
    bool m_modified = false;
    std::string m_pathName;
    // Counts the crossings taken by CountCrossings, if not done yet.
    void SettleCrossings() const;
    mutable std::array<std::int32_t, 8> m_crossings{}; // in the stored order of CrossingSlots
    mutable std::int32_t m_totalCrossings = 0;
    // The segments of the last CountCrossings (trees/Crossings.h), and whether m_crossings
    // holds their count yet.
    mutable std::shared_ptr<const PendingCrossings> m_pendingCrossings;
    mutable bool m_crossingsSettled = false;
    // The count of m_pendingCrossings under way on a thread of its own, when one was started.
    // It reads only the snapshot, which it shares; a new snapshot waits for it to end.
    mutable std::future<std::array<std::int32_t, 8>> m_countUnderWay;
    void ReplaceSnapshot(PendingCrossings taken);
    void StartCountUnderWay();
    void DropCountUnderWay() const;
};
