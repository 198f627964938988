#pragma once
// GraphML and the pictures (SVG, PNG, PDF, TikZ, Ipe, DOT) are written through Qt's
// libraries, which take longer to load than most commands take to run and hold about
// ten megabytes. So there are two programs: arborix-cli has no Qt and hands a command
// that needs these formats over to arborix-cli-qt, which has them (see main.cpp). The
// commands reach the formats only through this table.

#include <string>

#include "Commands.h"

class CLattixDoc;
class CDocView;
struct DrawingExportOptions;

struct QtFormatEntries {
    bool (*readGraphMl)(CLattixDoc& doc, const std::string& path, std::string& error);
    bool (*writeGraphMl)(const CLattixDoc& doc, const std::string& path);
    // Both draw text, so each keeps a GUI application (offscreen without a display) alive
    // while it draws.
    bool (*exportDrawing)(CLattixDoc& doc, CDocView* view, const std::string& path,
                          const DrawingExportOptions& options, std::string& error);
    bool (*exportReplaySvg)(CLattixDoc& doc, const std::string& path, std::string& error);
};

// The formats of this program, or nullptr in arborix-cli.
const QtFormatEntries* QtFormats();

// What a command says when it reaches a format this program lacks.
inline constexpr const char* kNoQtFormats = "GraphML and pictures need arborix-cli-qt.";

// True when the command these arguments name would read or write GraphML or a picture:
// render, planarity --replay, and any file argument ending in .graphml.
bool NeedsQtFormats(const CliArguments& args);

// Runs arborix-cli-qt from arborix-cli's folder with `argv` in place of this process;
// returns only when it could not, with the exit status of a failed command.
int HandOverToQtProgram(char** argv);
