#pragma once
// Command ids of the menus, toolbars, context menus and accelerators. The same ids name
// the status-bar prompts and tooltips, so they are shared by the core and the shell.

namespace cmd {

// Colour menu: ids 101..115 are the named colours (Blue .. Light Purple).
inline constexpr int kColorFirst = 101;
inline constexpr int kColorLast = 115;
inline constexpr int kZoomCombo = 124;
inline constexpr int kVertexColorButton = 125;

// File
inline constexpr int kFileNew = 57600;
inline constexpr int kFileOpen = 57601;
inline constexpr int kFileClose = 57602;
inline constexpr int kFileSave = 57603;
inline constexpr int kFileSaveAs = 57604;
inline constexpr int kFilePrintSetup = 57606;
inline constexpr int kFilePrint = 57607;
inline constexpr int kFilePrintPreview = 57609;
inline constexpr int kFileMruFirst = 57616;
inline constexpr int kAppExit = 57665;
inline constexpr int kExportText = 32860;

// Edit
inline constexpr int kEditCopy = 57634;
inline constexpr int kEditCut = 57635;
inline constexpr int kEditPaste = 57637;
inline constexpr int kEditUndo = 57643;
inline constexpr int kEditRedo = 57644;

// Window and view
inline constexpr int kWindowNew = 57648;
inline constexpr int kWindowArrange = 57649;
inline constexpr int kWindowCascade = 57650;
inline constexpr int kWindowTileHorz = 57651;
inline constexpr int kWindowTileVert = 57652;
inline constexpr int kWindowSplit = 57653;
inline constexpr int kViewToolbar = 59392;
inline constexpr int kViewStatusBar = 59393;
inline constexpr int kNextPane = 57680;
inline constexpr int kPrevPane = 57681;
inline constexpr int kAppAbout = 57664;
inline constexpr int kNewPqTreeWindow = 32928;

// Tools
inline constexpr int kToolPointer = 32776;
inline constexpr int kToolVertex = 32777;
inline constexpr int kToolBlueEdge = 32778;
inline constexpr int kToolRedEdge = 32866;
inline constexpr int kToolGreenEdge = 32948;
inline constexpr int kToolYellowEdge = 32867;
inline constexpr int kToolOrangeEdge = 32901;
inline constexpr int kToolCyanEdge = 32890;
inline constexpr int kToolPurpleEdge = 32889;
inline constexpr int kToolBlackEdge = 32888;

// Display toggles
inline constexpr int kDirected = 32781;
inline constexpr int kShowName = 32785;
inline constexpr int kShowStNumber = 32786;
inline constexpr int kShowWeight = 32791;
inline constexpr int kShowTrack = 32856;
inline constexpr int kShowBlue = 32869;
inline constexpr int kShowRed = 32871;
inline constexpr int kShowGreen = 32949;
inline constexpr int kShowYellow = 32870;
inline constexpr int kShowOrange = 32903;
inline constexpr int kShowCyan = 32896;
inline constexpr int kShowPurple = 32895;
inline constexpr int kShowBlack = 32894;
inline constexpr int kShowDashedEdges = 32989;

// Guides and tracks
inline constexpr int kGuidesPreferences = 32779;
inline constexpr int kResetLabelCounter = 32780;
inline constexpr int kRenumberTopToBottom = 32917;
inline constexpr int kShowGrid = 32934;
inline constexpr int kShowTracks = 32935;
inline constexpr int kSnapToGuides = 32936;
inline constexpr int kLockToTracks = 32938;
inline constexpr int kRemoveTrackColor = 32959;
inline constexpr int kRemoveAllTrackColors = 32960;
inline constexpr int kColorTracksRandomly = 32961;
inline constexpr int kAutoTrackNumbers = 32978;

// Element editing
inline constexpr int kWeight = 32838;
inline constexpr int kRename = 32840;
inline constexpr int kResize = 32841;
inline constexpr int kDelete = 32842;
inline constexpr int kTrackNumber = 32855;
inline constexpr int kFlipHorizontally = 32874;
inline constexpr int kFlipVertically = 32875;
inline constexpr int kRotateRight = 32876;
inline constexpr int kRotateLeft = 32877;
inline constexpr int kAddBend = 32884;
inline constexpr int kSwapAdjacency = 32931;
inline constexpr int kRemoveAllBends = 32945;
inline constexpr int kRelabel = 32980;
inline constexpr int kRemoveBend = 32988;
// Edge Color submenu entries
inline constexpr int kEdgeColorBlue = 32879;
inline constexpr int kEdgeColorRed = 32882;
inline constexpr int kEdgeColorGreen = 32950;
inline constexpr int kEdgeColorYellow = 32880;
inline constexpr int kEdgeColorOrange = 32915;
inline constexpr int kEdgeColorCyan = 32914;
inline constexpr int kEdgeColorPurple = 32913;
inline constexpr int kEdgeColorBlack = 32912;

// Algorithms
inline constexpr int kConnectedComponents = 32920;
inline constexpr int kDrawUlpTrees = 32930;
inline constexpr int kPlanarityTesting = 32933;
inline constexpr int kAltMode0 = 32964;
inline constexpr int kAltMode1 = 32965;
inline constexpr int kUlpRecognitionMode = 32966;
inline constexpr int kLevelPlanarityTesting = 32968;
inline constexpr int kDrawLevelPlanarGraph = 32972;
inline constexpr int kExperiment8 = 32982;
inline constexpr int kExperiment9 = 32983;
inline constexpr int kLevelAssignmentsOfDrawing = 33260;
inline constexpr int kUlpCensus = 33261;
inline constexpr int kUpwardMode = 32990;
inline constexpr int kSefeMode = 32995;
// Planarity evidence
inline constexpr int kFindKuratowskiSubgraph = 33240;
inline constexpr int kDrawPlanarGraph = 33241;
inline constexpr int kMinimizeCrossings = 33200;
inline constexpr int kLevelObstruction = 33201;

// Random generators
inline constexpr int kRandomLabeledTree = 32976;
inline constexpr int kRandomRootedTree = 32991;
inline constexpr int kFreeTreeFromLabeled = 32992;
inline constexpr int kFreeTreeFromRooted = 32993;
inline constexpr int kFreeTreeWilf = 32994;

} // namespace cmd
