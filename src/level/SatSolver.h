#pragma once
// A small CDCL satisfiability solver: two watched literals, first-UIP clause learning,
// activity-ordered decisions with saved phases, Luby restarts. Clauses may be added
// between solves; the exact level planarity method adds transitivity constraints that way,
// only as they turn out to be needed.

#include <cstdint>
#include <functional>
#include <vector>

class SatSolver {
public:
    using Lit = int; // 2 * variable, +1 when negated
    static Lit Positive(int var) { return 2 * var; }
    static Lit Negative(int var) { return 2 * var + 1; }
    static Lit Negate(Lit l) { return l ^ 1; }
    static int VarOf(Lit l) { return l >> 1; }

    // A new variable; `phase` is the value tried first.
    int AddVariable(bool phase = false);
    int VariableCount() const { return static_cast<int>(m_assign.size()); }
    // The value tried first for var.
    void SetPhase(int var, bool value) { m_phase[var] = value ? 1 : 0; }
    // False once the clauses are known to be unsatisfiable.
    bool AddClause(std::vector<Lit> lits);
    // True when satisfiable; the model is then read with ValueOf. False also when
    // `keepGoing` (asked at every restart) said no; Interrupted() then tells.
    bool Solve();
    void SetKeepGoing(std::function<bool()> keepGoing) { m_keepGoing = std::move(keepGoing); }
    bool Interrupted() const { return m_interrupted; }
    bool ValueOf(int var) const { return m_model[var] != 0; }

private:
    static constexpr std::int8_t kFalse = 0, kTrue = 1, kUnset = -1;
    std::int8_t LitValue(Lit l) const {
        const std::int8_t a = m_assign[VarOf(l)];
        return a == kUnset ? kUnset : static_cast<std::int8_t>(a ^ (l & 1));
    }
    int Level() const { return static_cast<int>(m_trailLimits.size()); }
    void Enqueue(Lit l, int reason);
    int Propagate(); // the conflicting clause, or -1
    void Analyze(int conflict, std::vector<Lit>& learnt, int& backLevel);
    void Backtrack(int level);
    void Bump(int var);
    int PickBranchVariable();
    void HeapInsert(int var);
    int HeapPop();
    void HeapUp(int pos);
    void HeapDown(int pos);
    bool HeapLess(int a, int b) const { return m_activity[a] > m_activity[b]; }

    bool m_ok = true;
    bool m_interrupted = false;
    std::function<bool()> m_keepGoing;
    std::vector<std::vector<Lit>> m_clauses;
    std::vector<std::vector<int>> m_watches; // per literal: clauses watching it
    std::vector<std::int8_t> m_assign, m_phase, m_model;
    std::vector<int> m_levelOf, m_reason;
    std::vector<Lit> m_trail;
    std::vector<int> m_trailLimits;
    std::size_t m_head = 0;
    std::vector<double> m_activity;
    double m_increment = 1.0;
    std::vector<int> m_heap, m_heapPos; // m_heapPos -1: not in the heap
    std::vector<std::uint8_t> m_seen;
};
