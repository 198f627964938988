#include "shell/CommandTable.h"

#include "editor/CommandIds.h"
#include "editor/CommandTable.h"
#include "model/LattixDoc.h"
#include "shell/ChildFrame.h"
#include "shell/ExperimentCommands.h"
#include "shell/LattixApp.h"
#include "shell/MainFrame.h"
#include "shell/views/Navigation.h"

CLattixView* CommandContext::EditorView() const {
    return view && view->IsEditorView() ? static_cast<CLattixView*>(view) : nullptr;
}

namespace {

using namespace cmd;
using K = QKeySequence;

// Short forms for the table below.
CommandEntry Item(const char* menu, const char* text, int id, const char* prompt, CommandHandler handler = {},
                  CommandUpdate update = {}) {
    CommandEntry e;
    e.menu = menu;
    e.text = text;
    e.id = id;
    e.prompt = prompt;
    e.handler = std::move(handler);
    e.update = std::move(update);
    return e;
}
CommandEntry Sep(CommandEntry e) {
    e.separatorBefore = true;
    return e;
}
CommandEntry Keys(CommandEntry e, std::vector<QKeySequence> keys) {
    e.keys = std::move(keys);
    return e;
}
CommandEntry On(Toolbar bar, CommandEntry e, bool gapBefore = false) {
    e.toolbar = bar;
    e.toolbarGapBefore = gapBefore;
    return e;
}
CommandEntry Bar(MenuBarKind kind, CommandEntry e) {
    e.bar = kind;
    return e;
}
CommandEntry Free(CommandEntry e) {
    e.needsDocument = false;
    return e;
}

std::vector<CommandEntry> Build() {
    const char* const F = "&File";
    const char* const E = "&Edit";
    const char* const G = "&Graph";
    const char* const A = "Algorithms";
    const char* const R = "Random Generators";
    const char* const T = "Grid and &Tracks";
    const char* const W = "&Window";
    const char* const V = "&View";
    const char* const H = "&Help";
    std::vector<CommandEntry> t;

    // ------------------------------------------------------------ File
    t.push_back(On(Toolbar::Main, Bar(MenuBarKind::Both, Free(Keys(Item(F, "&New\tCtrl+N", kFileNew,
        "Create a new document\nNew", [](CommandContext& c) { c.app.OnFileNew(); }), {K("Ctrl+N")})))));
    t.push_back(On(Toolbar::Main, Bar(MenuBarKind::Both, Free(Keys(Item(F, "&Open...\tCtrl+O", kFileOpen,
        "Open an existing document\nOpen", [](CommandContext& c) { c.app.OnFileOpen(); }), {K("Ctrl+O")})))));
    t.push_back(Item(F, "&Close", kFileClose, "Close the active document\nClose",
        [](CommandContext& c) { c.app.CloseDocument(c.doc); }));
    t.push_back(On(Toolbar::Main, Keys(Item(F, "&Save\tCtrl+S", kFileSave, "Save the active document\nSave",
        [](CommandContext& c) { c.app.SaveDocument(c.doc, false); }), {K("Ctrl+S")})));
    t.push_back(Item(F, "Save &As...", kFileSaveAs, "Save the active document with a new name\nSave As",
        [](CommandContext& c) { c.app.SaveDocument(c.doc, true); }));
    t.push_back(Sep(Item(F, "&Export As Text File...", kExportText, "Save a text version of the graph")));
    t.push_back(Item(F, "Export &Drawing...", kExportDrawing,
        "Save the drawing as PDF, SVG, PNG, TikZ, Ipe or DOT\nExport Drawing",
        [](CommandContext& c) { c.app.OnExportDrawing(c.doc, c.view); }));
    t.push_back(On(Toolbar::Main, Sep(Keys(Item(F, "&Print...\tCtrl+P", kFilePrint, "Print the active document\nPrint",
        [](CommandContext& c) { c.app.OnFilePrint(c.EditorView()); },
        [](const CommandContext& c) { return CommandState{c.EditorView() != nullptr, {}}; }), {K("Ctrl+P")}))));
    t.push_back(Item(F, "Print Pre&view", kFilePrintPreview, "Display full pages\nPrint Preview",
        [](CommandContext& c) { c.app.OnFilePrintPreview(c.EditorView()); },
        [](const CommandContext& c) { return CommandState{c.EditorView() != nullptr, {}}; }));
    t.push_back(Bar(MenuBarKind::Both, Free(Item(F, "P&rint Setup...", kFilePrintSetup,
        "Change the printer and printing options\nPrint Setup", [](CommandContext& c) { c.app.OnFilePrintSetup(); }))));
    t.push_back(Bar(MenuBarKind::Both, Sep(Free(Item(F, "Recent Files", kRecentFilesSlot, "")))));
    // The recent-files slot ends with a separator of its own.
    t.push_back(Bar(MenuBarKind::WithoutDocument, Item(F, "&Close", kFileClose, "Close the active document\nClose")));
    t.push_back(Keys(Free(Item(F, "&Quit", kAppExit, "Quit the application; prompts to save documents\nExit",
        [](CommandContext& c) { c.frame.close(); })), {K("Ctrl+Q")}));
    t.push_back(Keys(Bar(MenuBarKind::WithoutDocument, Free(Item(F, "E&xit", kAppExit,
        "Quit the application; prompts to save documents\nExit", [](CommandContext& c) { c.frame.close(); }))),
        {K("Ctrl+Q")}));

    // ------------------------------------------------------------ Edit
    t.push_back(Keys(Item(E, "&Undo\tCtrl+Z", kEditUndo, "Undo the last action\nUndo"),
        {K("Ctrl+Z"), K("Alt+Backspace")}));
    t.push_back(Keys(Item(E, "R&edo\tCtrl+Y", kEditRedo, "Redo the previously undone action\nRedo"), {K("Ctrl+Y")}));
    t.push_back(On(Toolbar::Main, Sep(Keys(Item(E, "Cu&t\tCtrl+X", kEditCut,
        "Cut the selection and put it on the Clipboard\nCut"),
        {K("Ctrl+X"), K("Shift+Delete")})), true));
    t.push_back(On(Toolbar::Main, Keys(Item(E, "&Copy\tCtrl+C", kEditCopy,
        "Copy the selection and put it on the Clipboard\nCopy"),
        {K("Ctrl+C"), K("Ctrl+Insert")})));
    t.push_back(On(Toolbar::Main, Keys(Item(E, "&Paste\tCtrl+V", kEditPaste, "Insert Clipboard contents\nPaste"),
        {K("Ctrl+V"), K("Shift+Insert")})));
    t.push_back(Sep(Item(E, "Flip &Horizontally", kFlipHorizontally, "Mirror the selection top to bottom\nFlip Horizontally")));
    t.push_back(Item(E, "Flip &Vertically", kFlipVertically, "Mirror the selection left to right\nFlip Vertically"));
    t.push_back(Item(E, "Rotate Le&ft", kRotateLeft, "Turn the selection a quarter counter-clockwise\nRotate Left"));
    t.push_back(Item(E, "Rotate R&ight", kRotateRight, "Turn the selection a quarter clockwise\nRotate Right"));
    t.push_back(On(Toolbar::Main, Sep(Item(E, "P&ointer", cmd::kToolPointer, "Select pointer tool\nPointer")), true));
    t.push_back(On(Toolbar::Main, Item(E, "Verte&x", cmd::kToolVertex, "Select vertex tool\nVertex")));
    const struct { const char* text; int id; const char* prompt; } tools[] = {
        {"&Blue Edge", kToolBlueEdge, "Draw blue edges\nBlue Edge"},
        {"&Red Edge", kToolRedEdge, "Draw red edges\nRed Edge"},
        {"&Green Edge", kToolGreenEdge, "Draw green edges\nGreen Edge"},
        {"&Yellow Edge", kToolYellowEdge, "Draw yellow edges\nYellow Edge"},
        {"Ora&nge Edge", kToolOrangeEdge, "Draw orange edges\nOrange Edge"},
        {"Cyan E&dge", kToolCyanEdge, "Draw cyan edges\nCyan Edge"},
        {"Purp&le Edge", kToolPurpleEdge, "Draw purple edges\nPurple Edge"},
        {"Bl&ack Edge", kToolBlackEdge, "Draw black edges\nBlack Edge"},
    };
    for (const auto& tool : tools) {
        CommandEntry e = On(Toolbar::Main, Item(E, tool.text, tool.id, tool.prompt));
        e.separatorBefore = tool.id == kToolBlueEdge;
        t.push_back(e);
    }
    {
        CommandEntry color = On(Toolbar::Main, Item(nullptr, "Vertex Color", kVertexColorButton,
            "Choose vertex color\nVertex Color", [](CommandContext& c) { c.frame.ShowVertexColorMenu(); }), true);
        color.toolbarOnly = true;
        t.push_back(color);
    }
    t.push_back(Sep(Item(E, "Sho&w Dashed and Dotted Edges", kShowDashedEdges,
        "Draw each edge colour in its own line style\nDashed Edges")));
    t.push_back(Item(E, "Re&set Label Counter...", kResetLabelCounter,
        "Reset counter for default vertex labels\nReset label counter"));

    // ------------------------------------------------------------ Graph
    t.push_back(Item(G, "D&irected", kDirected, "Show directed edges\nDirected Graph"));
    t.push_back(Item(G, "Show Edge &Weight", kShowWeight, "Show the weights of the edges\nShow Weight"));
    t.push_back(Sep(Item(G, "Show Verte&x Name", kShowName, "Show the names of the vertices\nShow Name")));
    t.push_back(Item(G, "Show Vertex &st -Number", kShowStNumber, "Show the st-numbers of the vertices\nShow st-Number"));
    t.push_back(Item(G, "Show vertex Trac&k Number", kShowTrack, "Show the track numbers of the vertices\nShow Track Number"));
    const struct { const char* text; int id; const char* prompt; } toggles[] = {
        {"Show B&lue Edges", kShowBlue, "Show or hide the blue edges\nToggle Blue Edges"},
        {"Show &Red Edges", kShowRed, "Show or hide the red edges\nToggle Red Edges"},
        {"Show &Green Edges", kShowGreen, "Show or hide the green edges\nToggle Green Edges"},
        {"Show &Yellow Edges", kShowYellow, "Show or hide the yellow edges\nToggle Yellow Edges"},
        {"Show Ora&nge Edges", kShowOrange, "Show or hide the orange edges\nToggle Orange Edges"},
        {"Show &Cyan Edges", kShowCyan, "Show or hide the cyan edges\nToggle Cyan Edges"},
        {"Show Purple E&dges", kShowPurple, "Show or hide the purple edges\nToggle Purple Edges"},
        {"Show Bl&ack Edges", kShowBlack, "Show or hide the black edges\nToggle Black Edges"},
    };
    bool first = true;
    for (const auto& toggle : toggles) {
        CommandEntry e = On(Toolbar::View, Item(G, toggle.text, toggle.id, toggle.prompt));
        e.separatorBefore = first;
        first = false;
        t.push_back(e);
    }
    t.push_back(On(Toolbar::View, Sep(Item(G, "Swa&p Adjacency Lists", kSwapAdjacency,
        "Swap adjacency lists of two vertices\nSwap Adjacency Lists")), true));
    t.push_back(Item(G, "Re&move all Edge Bends", kRemoveAllBends, "Remove every bend of every edge\nRemove Bends"));
    {
        // Zoom steps about the centre of the active view, and fitting the drawing into it.
        const auto needsEditor = [](const CommandContext& c) { return CommandState{c.EditorView() != nullptr, {}}; };
        const struct { const char* text; int id; const char* prompt; std::vector<QKeySequence> keys; } zooms[] = {
            {"Zoom &In\tCtrl+=", kZoomIn, "Show the drawing larger\nZoom In", {K("Ctrl+="), K("Ctrl++")}},
            {"Zoom &Out\tCtrl+-", kZoomOut, "Show the drawing smaller\nZoom Out", {K("Ctrl+-")}},
            {"&Actual Size\tCtrl+0", kZoomActualSize, "Show the drawing at 100%, where it can be edited\nActual Size",
             {K("Ctrl+0")}},
            {"&Fit Drawing", kFitDrawing, "Zoom and scroll so that the whole drawing shows\nFit Drawing", {}},
        };
        for (const auto& z : zooms) {
            const int id = z.id;
            CommandEntry e = Keys(Item(G, z.text, id, z.prompt, [id](CommandContext& c) {
                CLattixView* view = c.EditorView();
                if (!view) return;
                switch (id) {
                case kZoomIn: nav::SetZoom(*c.doc, c.doc->m_zoomIndex + 1, view, std::nullopt); break;
                case kZoomOut: nav::SetZoom(*c.doc, c.doc->m_zoomIndex - 1, view, std::nullopt); break;
                case kZoomActualSize: nav::SetZoom(*c.doc, nav::kZoomIndexOf100, view, std::nullopt); break;
                default: nav::FitDrawing(*c.doc, *view); break;
                }
            }, needsEditor), z.keys);
            e.submenu = "&Zoom";
            e.separatorBefore = id == kZoomIn;
            t.push_back(e);
        }
    }

    // ------------------------------------------------------------ Algorithms
    t.push_back(Item(A, "&Connected Components", kConnectedComponents,
        "Run Connected Components Algorithm\nConnected Components"));
    t.push_back(Item(A, "&Planarity Testing", kPlanarityTesting, "Run planarity testing algorithm\nPlanarity Testing"));
    t.push_back(Item(A, "Find &Kuratowski Subgraph", kFindKuratowskiSubgraph,
        "Highlight a subdivision of K5 or K3,3 in a non-planar graph\nFind Kuratowski Subgraph"));
    t.push_back(Item(A, "Draw Pla&nar Graph", kDrawPlanarGraph,
        "Redraw a planar graph with straight edges and no crossings\nDraw Planar Graph"));
    t.push_back(Sep(Item(A, "Up&ward Mode", kUpwardMode, "Highlight edges that point downwards\nUpward Mode")));
    t.push_back(Item(A, "&SEFE Mode", kSefeMode, "Highlight what breaks a simultaneous embedding\nSEFE Mode"));
    t.push_back(Item(A, "&ULP Recognition Mode", kUlpRecognitionMode,
        "Classify the components as ULP trees while editing\nULP Recognition Mode"));
    t.push_back(Sep(Item(A, "&Draw ULP Trees", kDrawUlpTrees, "Run ULP trees recognition and drawing algorithms")));
    t.push_back(Item(A, "&Level Planarity Testing", kLevelPlanarityTesting,
        "Level Planarity Testing using Vertex-Exchange Graph."));
    t.push_back(Item(A, "D&raw Level Planar Graph", kDrawLevelPlanarGraph,
        "Draw the level graph without crossings\nDraw Level Planar Graph"));
    t.push_back(Item(A, "&Minimize Crossings on Levels", kMinimizeCrossings,
        "Draw the level graph with as few crossings as possible\nMinimize Crossings"));
    t.push_back(Item(A, "Show Level Planarity &Obstruction", kLevelObstruction,
        "Highlight edges that cannot be drawn on their levels without crossings\nLevel Planarity Obstruction"));
    for (auto [id, text] : {std::pair{kExperiment8, "Level Assignments of the &8-Vertex Tree"},
                            std::pair{kExperiment9, "Level Assignments of the &9-Vertex Tree"}}) {
        CommandEntry e = Item(A, text, id, "Test the tree for level planarity under every level assignment\nExperiment");
        e.submenu = "E&xperiments";
        e.separatorBefore = id == kExperiment8;
        t.push_back(e);
    }
    {
        CommandEntry drawing = Item(A, "Level Assignments of the &Drawing...", kLevelAssignmentsOfDrawing,
            "Test the drawn graph for level planarity under every level assignment\nExperiment",
            [](CommandContext& c) { OnLevelAssignmentsOfDrawing(c.app, *c.doc); });
        CommandEntry census = Item(A, "ULP &Census...", kUlpCensus,
            "Test every free tree of chosen sizes under every level assignment\nULP Census",
            [](CommandContext& c) { OnUlpCensus(c.app); });
        for (CommandEntry* e : {&drawing, &census}) {
            e->submenu = "E&xperiments";
            t.push_back(*e);
        }
    }

    // ------------------------------------------------------------ Random Generators
    t.push_back(Item(R, "&Generate Random Labeled Tree...", kRandomLabeledTree,
        "Add a random labeled tree\nRandom Labeled Tree"));
    t.push_back(Sep(Item(R, "Generate Random &Rooted Unlabeled Tree (RANRUT)...", kRandomRootedTree,
        "Add a random rooted unlabeled tree\nRandom Rooted Tree")));
    t.push_back(Sep(Item(R, "Generate Random Free Tree (Rejection Sampling from Labeled Tree)...", kFreeTreeFromLabeled,
        "Add a random free tree\nRandom Free Tree")));
    t.push_back(Item(R, "Generate Random Free Tree (Rejetion Sampling from Rooted Tree)...", kFreeTreeFromRooted,
        "Add a random free tree\nRandom Free Tree"));
    t.push_back(Item(R, "Generate Random Free Tree (Wilf's Algorithm)...", kFreeTreeWilf,
        "Add a random free tree\nRandom Free Tree"));

    // ------------------------------------------------------------ Grid and Tracks
    t.push_back(Item(T, "Grid and Tracks &Preferences...", kGuidesPreferences, "Options for Grid and Tracks\nGrid and Tracks"));
    t.push_back(Item(T, "Renu&mber Vertices from Top to Bottom", kRenumberTopToBottom,
        "Set track numbers according to Y-coordinate of vertices\nSet Track Numbers"));
    t.push_back(Item(T, "&Automatically Update Track Numbers", kAutoTrackNumbers,
        "Keep track numbers in step with the tracks\nAuto Track Numbers"));
    t.push_back(Sep(Item(T, "&Remove all Track Colors", kRemoveAllTrackColors, "Remove the colours of all tracks\nRemove Track Colors")));
    t.push_back(Item(T, "&Color Tracks Randomly...", kColorTracksRandomly, "Give the tracks random colours\nColor Tracks"));
    {
        const struct { const char* tip; int id; bool gap; } guides[] = {
            {"Show the grid\nShow Grid", kShowGrid, true},
            {"Show the tracks\nShow Tracks", kShowTracks, false},
            {"Snap vertices to the guides\nSnap to guides", kSnapToGuides, false},
            {"Lock vertices to their tracks\nLock to tracks", kLockToTracks, false},
        };
        for (const auto& g : guides) {
            CommandEntry e = On(Toolbar::View, Item(nullptr, "", g.id, g.tip), g.gap);
            e.toolbarOnly = true;
            t.push_back(e);
        }
    }

    // ------------------------------------------------------------ Window
    t.push_back(Item(W, "&New Editor Window", kWindowNew, "Open another window for the active document\nNew Window",
        [](CommandContext& c) { c.app.NewFrame(*c.doc, ViewKind::Editor); }));
    t.push_back(Item(W, "New &PQ-Tree Window", kNewPqTreeWindow, "Open a window with PQ-tree reduction\nPQ-tree window",
        [](CommandContext& c) { c.app.NewFrame(*c.doc, ViewKind::PQtree); }));
    t.push_back(Sep(Item(W, "&Cascade", kWindowCascade, "Arrange windows so they overlap\nCascade Windows",
        [](CommandContext& c) { c.frame.Cascade(); })));
    t.push_back(Item(W, "Tile &Horizontally", kWindowTileHorz, "Arrange windows as non-overlapping tiles\nTile Horizontally",
        [](CommandContext& c) { c.frame.Tile(Qt::Vertical); }));
    t.push_back(Item(W, "Tile &Vertically", kWindowTileVert, "Arrange windows as non-overlapping tiles\nTile Vertically",
        [](CommandContext& c) { c.frame.Tile(Qt::Horizontal); }));
    t.push_back(Item(W, "&Arrange Icons", kWindowArrange, "Arrange icons at the bottom of the window\nArrange Icons",
        [](CommandContext& c) { c.frame.ArrangeIcons(); }));
    t.push_back(Item(W, "Sp&lit", kWindowSplit, "Split the active window into panes\nSplit",
        [](CommandContext& c) { c.child->Split(); },
        [](const CommandContext& c) { return CommandState{c.child != nullptr, {}}; }));
    const auto toolbarToggle = [](CommandContext& c) { c.frame.ToggleToolbar(); };
    const auto toolbarShown = [](const CommandContext& c) { return CommandState{true, c.frame.ToolbarShown()}; };
    const auto statusToggle = [](CommandContext& c) { c.frame.ToggleStatusBar(); };
    const auto statusShown = [](const CommandContext& c) { return CommandState{true, c.frame.StatusBarShown()}; };
    t.push_back(Sep(Free(Item(W, "T&oolbar", kViewToolbar, "Show or hide the toolbar\nToggle ToolBar", toolbarToggle,
        toolbarShown))));
    t.push_back(Free(Item(W, "&Status Bar", kViewStatusBar, "Show or hide the status bar\nToggle StatusBar",
        statusToggle, statusShown)));
    t.push_back(Bar(MenuBarKind::WithoutDocument, Free(Item(V, "&Toolbar", kViewToolbar,
        "Show or hide the toolbar\nToggle ToolBar", toolbarToggle, toolbarShown))));
    t.push_back(Bar(MenuBarKind::WithoutDocument, Free(Item(V, "&Status Bar", kViewStatusBar,
        "Show or hide the status bar\nToggle StatusBar", statusToggle, statusShown))));
    t.push_back(Keys(Item(nullptr, "Next Pane", kNextPane, "Switch to the next window pane\nNext Pane",
        [](CommandContext& c) { c.child->ActivateNextPane(false); }), {K("F6")}));
    t.push_back(Keys(Item(nullptr, "Previous Pane", kPrevPane, "Switch back to the previous window pane\nPrevious Pane",
        [](CommandContext& c) { c.child->ActivateNextPane(true); }), {K("Shift+F6")}));

    // ------------------------------------------------------------ Help
    t.push_back(Bar(MenuBarKind::Both, Free(Item(H, "&About Arborix...", kAppAbout,
        "Display program information, version number and copyright\nAbout", [](CommandContext& c) { c.app.OnAppAbout(); }))));
    // Commands of the document and its editor views run through the document's own
    // command table, with its update rules.
    for (CommandEntry& e : t) {
        if (e.id <= 0 || !IsDocumentCommand(e.id)) continue;
        const int id = e.id;
        e.handler = [id](CommandContext& c) { ExecuteCommand(*c.doc, c.EditorView(), id); };
        e.update = [id](const CommandContext& c) {
            if (!c.doc) return CommandState{false, {}};
            const auto status = QueryCommand(*c.doc, c.EditorView(), id);
            CommandState shown{status->enabled, {}};
            if (status->checkable) shown.checked = status->checked;
            return shown;
        };
    }
    return t;
}

} // namespace

const std::vector<CommandEntry>& CommandTable() {
    static const std::vector<CommandEntry> table = Build();
    return table;
}
