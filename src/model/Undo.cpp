#include "model/Undo.h"

#include <algorithm>
#include <stdexcept>

#include "model/UndoDelta.h"

std::size_t CUndo::StoredBytes() const {
    std::size_t total = m_current.capacity();
    for (const auto& s : m_undoList) total += s.delta.capacity() + sizeof(StoredDelta);
    for (const auto& s : m_redoList) total += s.delta.capacity() + sizeof(StoredDelta);
    return total;
}

std::size_t CUndo::SnapshotBytes() const {
    std::size_t total = m_hasCurrent ? m_current.size() : 0;
    for (const auto& s : m_undoList) total += s.size;
    for (const auto& s : m_redoList) total += s.size;
    return total;
}

std::vector<std::vector<std::uint8_t>> CUndo::UndoListBytes() const {
    std::vector<std::vector<std::uint8_t>> out;
    if (!m_hasCurrent) return out;
    out.push_back(m_current);
    for (const auto& s : m_undoList) out.push_back(DecodeDelta(out.back(), s.delta));
    return out;
}

std::vector<std::vector<std::uint8_t>> CUndo::RedoListBytes() const {
    std::vector<std::vector<std::uint8_t>> out;
    for (const auto& s : m_redoList) {
        std::vector<std::uint8_t> state = DecodeDelta(out.empty() ? m_current : out.back(), s.delta);
        out.push_back(std::move(state));
    }
    return out;
}

void CUndo::TrimToLevels() {
    // Trimming happens before the insertion, so at most m_undoLevels steps can be undone.
    if (UndoDepth() <= static_cast<std::size_t>(std::max(m_undoLevels, 0))) return;
    // The oldest state is the only one that no other difference is made against.
    if (!m_undoList.empty()) m_undoList.pop_back();
    else m_hasCurrent = false;
}

void CUndo::CheckPoint() {
    if (!m_keepHistory) return;
    CheckPointState(StoreState());
}

void CUndo::CheckPointState(std::vector<std::uint8_t> state) {
    if (!m_keepHistory) return;
    ++m_generation;
    TrimToLevels();
    if (m_hasCurrent) {
        StoredDelta previous{EncodeDelta(state, m_current), m_current.size()};
        m_undoList.push_front(std::move(previous));
    }
    m_current = std::move(state);
    m_hasCurrent = true;
    m_redoList.clear();
}

void CUndo::CheckPointPatched(std::span<const StatePatch> patches) {
    if (!m_keepHistory) return;
    if (!m_hasCurrent) throw std::logic_error("no state to patch");
    ++m_generation;
    // The state left is written against the patched one before either changes.
    StoredDelta previous{EncodeUnpatch(m_current, patches), m_current.size()};
    ApplyPatches(m_current, patches);
    TrimToLevels();
    if (m_hasCurrent) m_undoList.push_front(std::move(previous));
    m_hasCurrent = true;
    m_redoList.clear();
}

bool CUndo::RevertToCheckPoint() {
    if (!m_hasCurrent) return false;
    ++m_generation; // the elements are rebuilt
    LoadState(m_current);
    return true;
}

bool CUndo::StepBack() {
    if (UndoDepth() <= 1) return false;
    ++m_generation;
    std::vector<std::uint8_t> before = DecodeDelta(m_current, m_undoList.front().delta);
    m_undoList.pop_front();
    // The state left becomes the redo head, written against the state that is current next;
    // the old redo head was written against it and stays valid.
    StoredDelta left{EncodeDelta(before, m_current), m_current.size()};
    m_redoList.push_front(std::move(left));
    m_current = std::move(before);
    LoadState(m_current);
    return true;
}

bool CUndo::StepForward() {
    if (m_redoList.empty()) return false;
    ++m_generation;
    std::vector<std::uint8_t> after = DecodeDelta(m_current, m_redoList.front().delta);
    m_redoList.pop_front();
    TrimToLevels();
    if (m_hasCurrent) {
        StoredDelta left{EncodeDelta(after, m_current), m_current.size()};
        m_undoList.push_front(std::move(left));
    }
    m_current = std::move(after);
    m_hasCurrent = true;
    LoadState(m_current);
    return true;
}

void CUndo::ClearHistory() {
    ++m_generation;
    m_current.clear();
    m_current.shrink_to_fit();
    m_hasCurrent = false;
    m_undoList.clear();
    m_redoList.clear();
}
