// Derived data that follows every edit: crossings per colour, the classification in
// ULP Recognition Mode and the highlights of Upward and SEFE Mode.

#include "model/LattixDoc.h"

std::int32_t CLattixDoc::CrossingsOf(int code) const {
    const int slot = CLattixView::ShowColorSlot(code);
    return slot >= 0 ? CrossingSlots()[slot] : 0;
}

void CLattixDoc::RecomputeDerivedData() {
    if (m_autoCrossings) CountCrossings();
    RecomputeModeData();
}

void CLattixDoc::RecomputeModeData() {
    RecomputeUlpCounts(false);
    ColorUpwardEdges();
    UpdateSefe();
}
