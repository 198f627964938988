#pragma once
// Every command of the menus, toolbars and accelerators, one entry each: where it shows,
// its text, id, keys, status prompt and tooltip, what it does and when it is enabled or
// checked. The main frame builds its menus, toolbars and shortcuts from this table alone.

#include <functional>
#include <optional>
#include <vector>

#include <QKeySequence>

class CLattixApp;
class CMainFrame;
class CLattixDoc;
class CDocView;
class CLattixView;
class CChildFrame;

struct CommandContext {
    CLattixApp& app;
    CMainFrame& frame;
    CLattixDoc* doc = nullptr;       // the active document
    CDocView* view = nullptr;        // the active pane of the active child frame
    CChildFrame* child = nullptr;    // the active child frame
    CLattixView* EditorView() const; // the active view when it is a graph view
};

struct CommandState {
    bool enabled = true;
    std::optional<bool> checked; // set: the entry carries a check mark state
};

using CommandHandler = std::function<void(CommandContext&)>;
using CommandUpdate = std::function<CommandState(const CommandContext&)>;

// Which menu bar an entry belongs to: the one shown while a document is open, the short
// one shown without documents, or both.
enum class MenuBarKind { WithDocument, WithoutDocument, Both };

enum class Toolbar { None, Main, View };

struct CommandEntry {
    const char* menu = nullptr; // top-level menu; null for toolbar-only or key-only commands
    const char* submenu = nullptr; // a submenu of the top-level menu that holds the entry
    const char* text = nullptr; // entry text, "\t" before the accelerator text
    int id = 0;
    std::vector<QKeySequence> keys;
    const char* prompt = "";    // status prompt, "\n", tooltip
    CommandHandler handler;     // null: the command is not available yet and shows disabled
    CommandUpdate update;       // null: enabled whenever there is a handler (and a document, if needed)
    bool needsDocument = true;
    bool separatorBefore = false;
    MenuBarKind bar = MenuBarKind::WithDocument;
    Toolbar toolbar = Toolbar::None;
    bool toolbarOnly = false;      // shown on a toolbar but in no menu
    bool toolbarGapBefore = false;
};

// Commands of the shell's own making (the drawing export).
namespace cmd {
inline constexpr int kExportDrawing = 33280;
// Zoom steps and Fit Drawing.
inline constexpr int kZoomIn = 33220;
inline constexpr int kZoomOut = 33221;
inline constexpr int kZoomActualSize = 33222;
inline constexpr int kFitDrawing = 33223;
// The entries of the open windows at the end of the Window menu.
inline constexpr int kFirstWindowEntry = 65280;
// Where the recent-file entries go in the File menu.
inline constexpr int kRecentFilesSlot = -1;
} // namespace cmd

const std::vector<CommandEntry>& CommandTable();
