#pragma once
// A graph read from a foreign format (DOT, GML) before it becomes part of a document:
// nodes with optional positions, labels and fills, edges between node indices.

#include <cstddef>
#include <cstdint>
#include <optional>
#include <span>
#include <string>
#include <vector>

#include "model/Colors.h"

class CLattixDoc;

struct ImportedNode {
    std::string label; // Latin-1, as vertex names are
    std::optional<double> x, y;
    std::optional<Rgb> fill;
};

struct ImportedEdge {
    std::size_t from = 0, to = 0;
    std::uint16_t colorCode = kEdgeBlue;
    std::optional<std::int32_t> weight;
};

struct ImportedGraph {
    bool directed = false;
    // Positions count upwards (DOT's points): the layout flips them.
    bool yUp = false;
    std::vector<ImportedNode> nodes;
    std::vector<ImportedEdge> edges;
};

// Graphs larger than this are refused before anything is built: a text file of a few
// megabytes could otherwise ask for a document that does not fit in memory.
inline constexpr std::size_t kImportElementLimit = 4'000'000;

// Adds the graph to the document. Positions are moved (and shrunk if need be) onto the
// canvas, keeping their proportions; when any node lacks a position, all nodes go on a
// simple grid instead.
void AddImportedGraph(CLattixDoc& doc, const ImportedGraph& graph);

// The edge colour code whose colour lies nearest to rgb.
std::uint16_t NearestEdgeColor(Rgb rgb);

// A colour as DOT and GML write it: "#RRGGBB" (an alpha byte after it is ignored), or one
// of the common colour names ("red", "darkgreen", ...).
std::optional<Rgb> ParseColorText(const std::string& text);

// Readers of the formats: fill `graph` from the file's bytes; false with `error` set to a
// message for the user when the bytes are not a graph of that format.
bool ReadDot(std::span<const std::uint8_t> bytes, ImportedGraph& graph, std::string& error);
bool ReadGml(std::span<const std::uint8_t> bytes, ImportedGraph& graph, std::string& error);

// Reads a ".dot"/".gv" or ".gml" file into the document (by its extension); false with
// `error` set when it could not, and then the document is unchanged.
bool ImportGraphFile(CLattixDoc& doc, const std::string& path, std::string& error);
// Whether ImportGraphFile reads files with this lower-case extension (".dot").
bool IsImportExtension(const std::string& extension);
