#pragma once
// Whole-document undo: every checkpoint stores the document as it would be written to
// a file, undo and redo reload a stored state.

#include <cstdint>
#include <deque>
#include <span>
#include <vector>

// One stored document state. Kept as its own type so that the storage can change
// (compression, differences) without touching the undo logic.
class UndoSnapshot {
public:
    UndoSnapshot() = default;
    explicit UndoSnapshot(std::vector<std::uint8_t> bytes);
    std::vector<std::uint8_t> Bytes() const;
    std::size_t StoredSize() const { return m_bytes.size(); }

private:
    std::vector<std::uint8_t> m_bytes;
};

class CUndo {
public:
    virtual ~CUndo() = default;

    // Records the current state; the redo list is emptied.
    void CheckPoint();
    bool CanUndo() const { return m_undoList.size() >= 2; }
    bool CanRedo() const { return !m_redoList.empty(); }
    std::size_t UndoDepth() const { return m_undoList.size(); }
    std::size_t RedoDepth() const { return m_redoList.size(); }
    std::size_t StoredBytes() const;

    std::int32_t m_growSize = 32768;
    std::int32_t m_undoLevels = 500;

protected:
    // Moves the current state to the redo list and reloads the one before; false when
    // there is nothing to undo.
    bool StepBack();
    // Reloads the most recently undone state; false when there is none.
    bool StepForward();
    void ClearHistory();

    // Serialises the whole document; reloads it from a snapshot (after emptying it).
    virtual std::vector<std::uint8_t> StoreState() = 0;
    virtual void LoadState(std::span<const std::uint8_t> bytes) = 0;

private:
    void TrimToLevels();

    std::deque<UndoSnapshot> m_undoList; // most recent first; the head is the current state
    std::deque<UndoSnapshot> m_redoList; // most recently undone first
};
