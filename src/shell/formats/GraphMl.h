#pragma once
// GraphML import and export, in the form that yEd, Gephi and networkx read: plain
// <data> keys for name, x, y, radius, colour, track, bend, edge colour and weight.

#include <cstdint>
#include <span>
#include <string>

class CLattixDoc;

// Writes the document's graph; false on a write error.
bool WriteGraphMl(const CLattixDoc& doc, const std::string& path);

// Adds the graph of a GraphML file to the document. Vertices without coordinates are laid
// out on a simple grid. On failure nothing is added and `error` says why.
bool ReadGraphMl(CLattixDoc& doc, const std::string& path, std::string& error);
// The same, from the bytes of a GraphML document.
bool ReadGraphMlBytes(CLattixDoc& doc, std::span<const std::uint8_t> bytes, std::string& error);
