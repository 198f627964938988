#pragma once
// Whole-document undo: every checkpoint stores the document as it would be written to
// a file, undo and redo reload a stored state.
//
// Only the current state is kept whole. Every other state is kept as its difference to its
// neighbour on the way to the current one (UndoDelta.h): the next newer state in the undo
// list, the next older one in the redo list, the current state for the heads of both. A
// step of undo or redo rebuilds one state from the current one and writes the state it
// leaves as a difference to it, so the neighbours of every stored difference stay as they
// were when it was made.

#include <cstdint>
#include <deque>
#include <span>
#include <vector>

struct StatePatch; // model/UndoDelta.h

class CUndo {
public:
    virtual ~CUndo() = default;

    // Records the current state; the redo list is emptied.
    void CheckPoint();
    // The same for a state the caller has just serialised as StoreState would.
    void CheckPointState(std::vector<std::uint8_t> state);
    // The same for a state that is the last recorded one with the patches applied (sorted,
    // disjoint): it costs the patched bytes, not a serialisation of the whole document.
    void CheckPointPatched(std::span<const StatePatch> patches);
    // The state recorded last (the head of the undo list), and a number that changes with
    // it, so that whoever keeps notes on its layout can tell when they no longer hold.
    std::span<const std::uint8_t> CurrentState() const { return m_current; }
    std::uint64_t StateGeneration() const { return m_generation; }
    // Off where nothing can ever be undone (the command-line program): checkpoints then
    // store nothing, sparing a copy of the whole document per edit.
    void KeepHistory(bool keep) { m_keepHistory = keep; }
    bool KeepsHistory() const { return m_keepHistory; }
    bool CanUndo() const { return UndoDepth() >= 2; }
    // Reloads the state of the last checkpoint, dropping whatever changed since; false when
    // there is none. For commands that cannot finish (memory ran out part way).
    bool RevertToCheckPoint();
    bool CanRedo() const { return !m_redoList.empty(); }
    // Snapshots in the undo list (the current state included) and in the redo list.
    std::size_t UndoDepth() const { return (m_hasCurrent ? 1 : 0) + m_undoList.size(); }
    std::size_t RedoDepth() const { return m_redoList.size(); }
    // Memory the history takes: the current state and the stored differences.
    std::size_t StoredBytes() const;
    // What the snapshots would take stored whole.
    std::size_t SnapshotBytes() const;
    // The stored states, rebuilt, most recent first: the undo list (the current state first)
    // and the redo list.
    std::vector<std::vector<std::uint8_t>> UndoListBytes() const;
    std::vector<std::vector<std::uint8_t>> RedoListBytes() const;

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
    bool m_keepHistory = true;
    struct StoredDelta {
        std::vector<std::uint8_t> delta;
        std::size_t size = 0; // of the state it rebuilds
    };
    // Makes room for one more snapshot in the undo list.
    void TrimToLevels();

    std::vector<std::uint8_t> m_current; // the head of the undo list, whole
    bool m_hasCurrent = false;
    std::uint64_t m_generation = 0;
    std::deque<StoredDelta> m_undoList; // below the head, most recent first
    std::deque<StoredDelta> m_redoList; // most recently undone first
};
