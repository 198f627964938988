#pragma once
// The elements a command changed since its last checkpoint, and where their records lie in
// that checkpoint's state, so that the next checkpoint can write those records alone
// (io/ChangedCheckPoint.h). A command that moves a few vertices per undo step keeps one in
// its workspace.

#include <cstddef>
#include <cstdint>
#include <unordered_map>
#include <vector>

#include "model/Element.h"

struct ChangedElements {
    // `e` may have changed since the last checkpoint.
    void Note(const CElement* e) { m_noted.push_back(e); }
    // A vertex moved: its record changed, and those of its edges, whose ends follow it.
    void NoteMoved(const CVertex* v) {
        m_noted.push_back(v);
        for (const CEdge* e : v->m_edges) m_noted.push_back(e);
    }

    std::vector<const CElement*> m_noted;

    // The layout of the state of undo generation m_generation, written while the element
    // list had version m_elementsVersion: record r of m_elements[r] spans
    // [m_starts[r], m_ends[r]), and the settings follow from m_settingsStart.
    std::vector<const CElement*> m_elements;
    std::unordered_map<const CElement*, std::uint32_t> m_recordOf;
    std::vector<std::size_t> m_starts, m_ends;
    std::size_t m_settingsStart = 0;
    std::uint64_t m_generation = ~std::uint64_t(0); // none yet
    std::uint64_t m_elementsVersion = 0;
};
