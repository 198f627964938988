#include "model/AlgorithmWorkspace.h"

#include <algorithm>

#include "model/LattixDoc.h"
#include "model/PlainInteger.h"

void AlgorithmWorkspace::AnimationStep() {
    if (!m_animate) return;
    doc.RepaintAllViews();
    doc.Platform().Sleep(m_stepDelay);
}

std::int32_t ParseStepDelay(const std::string& text) { return std::clamp(PlainInteger(text), 0, 10000); }
