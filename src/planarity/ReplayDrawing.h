#pragma once
// The PQ-tree replay: every recorded snapshot, top to bottom, then the verdict.
//
// Initial and final trees start at the left margin, each template application is one row
// further right with the detected tree and its replacement side by side. A row ends below
// the taller of the two trees of its pair, so that trees never overlap.

#include <cstdint>

class CLattixDoc;
class DrawTarget;

void DrawPQtreeReplay(const CLattixDoc& doc, DrawTarget& target, std::int32_t scrollX, std::int32_t scrollY);
