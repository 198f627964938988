#pragma once
// The plain-text export: vertex positions around the drawing's centre, then the edges.

#include <string>

class CLattixDoc;

// The text of the export; vertices are numbered 0, 1, ... in element order.
std::string BuildTextExport(const CLattixDoc& doc);
// Names every vertex by its export number, as the export command does once it has written.
void ApplyExportNames(CLattixDoc& doc);
