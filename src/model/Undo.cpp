#include "model/Undo.h"

UndoSnapshot::UndoSnapshot(std::vector<std::uint8_t> bytes) : m_bytes(std::move(bytes)) {
    m_bytes.shrink_to_fit();
}

std::vector<std::uint8_t> UndoSnapshot::Bytes() const { return m_bytes; }

std::size_t CUndo::StoredBytes() const {
    std::size_t total = 0;
    for (const auto& s : m_undoList) total += s.StoredSize();
    for (const auto& s : m_redoList) total += s.StoredSize();
    return total;
}

void CUndo::TrimToLevels() {
    // Trimming happens before the insertion, so at most m_undoLevels steps can be undone.
    if (m_undoList.size() > static_cast<std::size_t>(m_undoLevels)) m_undoList.pop_back();
}

void CUndo::CheckPoint() {
    UndoSnapshot snapshot(StoreState());
    TrimToLevels();
    m_undoList.push_front(std::move(snapshot));
    m_redoList.clear();
}

bool CUndo::StepBack() {
    if (m_undoList.size() <= 1) return false;
    m_redoList.push_front(std::move(m_undoList.front()));
    m_undoList.pop_front();
    LoadState(m_undoList.front().Bytes());
    return true;
}

bool CUndo::StepForward() {
    if (m_redoList.empty()) return false;
    UndoSnapshot snapshot = std::move(m_redoList.front());
    m_redoList.pop_front();
    TrimToLevels();
    m_undoList.push_front(std::move(snapshot));
    LoadState(m_undoList.front().Bytes());
    return true;
}

void CUndo::ClearHistory() {
    m_undoList.clear();
    m_redoList.clear();
}
