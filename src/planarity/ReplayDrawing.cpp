#include "planarity/ReplayDrawing.h"

#include <algorithm>

#include "model/DrawTarget.h"
#include "model/LattixDoc.h"
#include "planarity/PQtree.h"

void DrawPQtreeReplay(const CLattixDoc& doc, DrawTarget& target, std::int32_t scrollX, std::int32_t scrollY) {
    target.SetFont(Font{"Arial", static_cast<std::int32_t>(doc.ZoomFactor() * 12), true});
    const std::int32_t x0 = 50 - scrollX;
    const std::int32_t indent = 150 - scrollX;
    std::int32_t y = 50 - scrollY;
    std::int32_t x = x0;
    std::int32_t pairHeight = 0; // height of the detected tree of the current row
    for (const PQtreePtr& snapshot : doc.m_pqTrees) {
        if (snapshot->m_stepKind == 0) x = x0;
        const Rect r = snapshot->Draw(target, x, y);
        switch (snapshot->m_stepKind) {
        case 0:
            y += r.Height();
            x = indent;
            break;
        case 1:
            pairHeight = r.Height();
            x += r.Width() + 40;
            break;
        default:
            y += std::max(pairHeight, r.Height());
            pairHeight = 0;
            x = indent;
            break;
        }
    }
    target.SetTextColor(kBlack);
    // Every test that finds a graph non-planar records the reduction that failed, so a
    // non-planar flag without any step means that no test has run on this document.
    const char* verdict = doc.m_planarResult == 1 ? "The graph is planar"
                          : doc.m_pqTrees.empty() ? "No planarity test has run yet"
                                                  : "The graph is non-planar";
    target.Text(verdict, {x0, y, x0 + 200, y + 50}, TextAlign::LeftTop);
}
