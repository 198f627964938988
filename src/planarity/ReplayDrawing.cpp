#include "planarity/ReplayDrawing.h"

#include "editor/DrawTarget.h"
#include "model/LattixDoc.h"

void DrawPQtreeReplay(const CLattixDoc& doc, DrawTarget& target, std::int32_t scrollX, std::int32_t scrollY) {
    const std::int32_t x0 = 50 - scrollX;
    const std::int32_t y = 50 - scrollY;
    // Snapshots are drawn by the planarity module once it records them.
    target.SetTextColor(kBlack);
    target.Text(doc.m_planarResult == 1 ? "The graph is planar" : "The graph is non-planar", {x0, y, x0 + 200, y + 50},
                TextAlign::LeftTop);
}
