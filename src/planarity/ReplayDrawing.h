#pragma once
// The PQ-tree replay: every recorded snapshot, top to bottom, then the verdict.

#include <cstdint>

class CLattixDoc;
class DrawTarget;

void DrawPQtreeReplay(const CLattixDoc& doc, DrawTarget& target, std::int32_t scrollX, std::int32_t scrollY);
