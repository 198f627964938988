#pragma once
// GraphML and the pictures (SVG, PNG, PDF, TikZ, Ipe, DOT) are read and written through
// Qt's libraries, which take longer to load than most commands take to run: Qt Core
// about 3 ms, with the GUI and SVG libraries about 8 ms and ten megabytes. So there are
// three programs, built from one main():
//   arborix-cli          no Qt: every command on .lxd, .txt, .dot, .gv and .gml files;
//   arborix-cli-graphml  Qt Core: GraphML as well;
//   arborix-cli-qt       Qt's GUI and SVG libraries: pictures as well.
// arborix-cli hands a command over to the one beside it that has what it needs (see
// main.cpp). The commands reach the formats only through this table.

#include <string>

#include "Commands.h"

class CLattixDoc;
class CDocView;
struct DrawingExportOptions;

struct QtFormatEntries {
    bool (*readGraphMl)(CLattixDoc& doc, const std::string& path, std::string& error);
    bool (*writeGraphMl)(const CLattixDoc& doc, const std::string& path);
    // Null in a program without pictures. Both draw text, so each keeps a GUI application
    // (offscreen without a display) alive while it draws.
    bool (*exportDrawing)(CLattixDoc& doc, CDocView* view, const std::string& path,
                          const DrawingExportOptions& options, std::string& error);
    bool (*exportReplaySvg)(CLattixDoc& doc, const std::string& path, std::string& error);
};

// The formats of this program, or nullptr in arborix-cli.
const QtFormatEntries* QtFormats();
bool HasGraphMl();
bool HasPictures();

// What a command says when it reaches a format this program lacks.
inline constexpr const char* kNoGraphMl = "GraphML needs arborix-cli-graphml.";
inline constexpr const char* kNoPictures = "Pictures need arborix-cli-qt.";

enum class FormatsNeeded { None, GraphMl, Pictures };
// What the command these arguments name would read or write: pictures for render and
// planarity --replay, GraphML for any file argument ending in .graphml.
FormatsNeeded FormatsNeededBy(const CliArguments& args);

// Runs `program` from this program's folder with `argv` in place of this process;
// returns only when it could not, with the exit status of a failed command.
int HandOver(char** argv, const char* program, const char* lacking);
