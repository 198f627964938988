#pragma once
// Scratch state of one algorithm command; it lives on the command's stack and dies with it.

#include <cstdint>
#include <string>
#include <vector>

#include "model/BendLimit.h"
#include "model/ChangedElements.h"

class CLattixDoc;
class CVertex;

struct AlgorithmWorkspace {
    explicit AlgorithmWorkspace(CLattixDoc& document, bool animate = false, std::int32_t stepDelay = 0)
        : doc(document), m_animate(animate), m_stepDelay(stepDelay) {}

    CLattixDoc& doc;
    bool m_animate;
    std::int32_t m_stepDelay; // milliseconds, 0..10000
    // Set when the user cancelled long work; the command then stops where it is.
    bool m_cancelled = false;

    // Bends the command may still insert, over all the trees it draws.
    std::int64_t m_bendBudget = kMaxInsertedBends;

    // What changed since the command's last checkpoint taken step by step.
    ChangedElements m_changed;

    // With animation on: repaints every view, then pauses for the step delay.
    void AnimationStep();
};

// A step delay typed in the "Draw" dialog: leading digits count (anything else gives 0),
// clamped to 0..10000 milliseconds.
std::int32_t ParseStepDelay(const std::string& text);
