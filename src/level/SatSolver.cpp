#include "level/SatSolver.h"

#include <algorithm>

namespace {

// The Luby sequence 1, 1, 2, 1, 1, 2, 4, ... (index from 0).
std::int64_t Luby(std::int64_t i) {
    std::int64_t size = 1, exponent = 0;
    while (size < i + 1) {
        size = 2 * size + 1;
        ++exponent;
    }
    while (size - 1 != i) {
        size = (size - 1) / 2;
        --exponent;
        i %= size;
    }
    return std::int64_t{1} << exponent;
}

} // namespace

int SatSolver::AddVariable(bool phase) {
    const int var = VariableCount();
    m_assign.push_back(kUnset);
    m_phase.push_back(phase ? 1 : 0);
    m_model.push_back(0);
    m_levelOf.push_back(0);
    m_reason.push_back(-1);
    m_activity.push_back(0.0);
    m_seen.push_back(0);
    m_watches.emplace_back();
    m_watches.emplace_back();
    m_heapPos.push_back(-1);
    HeapInsert(var);
    return var;
}

bool SatSolver::AddClause(std::vector<Lit> lits) {
    if (!m_ok) return false;
    Backtrack(0);
    std::sort(lits.begin(), lits.end());
    lits.erase(std::unique(lits.begin(), lits.end()), lits.end());
    std::size_t kept = 0;
    for (std::size_t i = 0; i < lits.size(); ++i) {
        if (i + 1 < lits.size() && lits[i + 1] == Negate(lits[i])) return true; // always true
        const std::int8_t value = LitValue(lits[i]);
        if (value == kTrue) return true;
        if (value == kUnset) lits[kept++] = lits[i];
    }
    lits.resize(kept);
    if (lits.empty()) return m_ok = false;
    if (lits.size() == 1) {
        Enqueue(lits[0], -1);
        if (Propagate() != -1) m_ok = false;
        return m_ok;
    }
    const int index = static_cast<int>(m_clauses.size());
    m_watches[lits[0]].push_back(index);
    m_watches[lits[1]].push_back(index);
    m_clauses.push_back(std::move(lits));
    return true;
}

void SatSolver::Enqueue(Lit l, int reason) {
    const int var = VarOf(l);
    m_assign[var] = (l & 1) ? kFalse : kTrue;
    m_levelOf[var] = Level();
    m_reason[var] = reason;
    m_trail.push_back(l);
}

int SatSolver::Propagate() {
    while (m_head < m_trail.size()) {
        const Lit falseLit = Negate(m_trail[m_head++]);
        std::vector<int>& watching = m_watches[falseLit];
        std::size_t keep = 0;
        for (std::size_t i = 0; i < watching.size(); ++i) {
            const int ci = watching[i];
            std::vector<Lit>& c = m_clauses[ci];
            if (c[0] == falseLit) std::swap(c[0], c[1]);
            if (LitValue(c[0]) == kTrue) {
                watching[keep++] = ci;
                continue;
            }
            bool moved = false;
            for (std::size_t k = 2; k < c.size(); ++k) {
                if (LitValue(c[k]) != kFalse) {
                    std::swap(c[1], c[k]);
                    m_watches[c[1]].push_back(ci);
                    moved = true;
                    break;
                }
            }
            if (moved) continue;
            watching[keep++] = ci;
            if (LitValue(c[0]) == kFalse) {
                for (++i; i < watching.size(); ++i) watching[keep++] = watching[i];
                watching.resize(keep);
                m_head = m_trail.size();
                return ci;
            }
            Enqueue(c[0], ci);
        }
        watching.resize(keep);
    }
    return -1;
}

void SatSolver::Analyze(int conflict, std::vector<Lit>& learnt, int& backLevel) {
    learnt.assign(1, 0);
    int open = 0;
    Lit p = -1;
    std::size_t index = m_trail.size();
    int clause = conflict;
    do {
        const std::vector<Lit>& c = m_clauses[clause];
        // A reason clause holds the literal it implied first.
        for (std::size_t k = (p == -1 ? 0 : 1); k < c.size(); ++k) {
            const int var = VarOf(c[k]);
            if (m_seen[var] || m_levelOf[var] == 0) continue;
            m_seen[var] = 1;
            Bump(var);
            if (m_levelOf[var] >= Level()) ++open;
            else learnt.push_back(c[k]);
        }
        while (!m_seen[VarOf(m_trail[--index])]) {}
        p = m_trail[index];
        clause = m_reason[VarOf(p)];
        m_seen[VarOf(p)] = 0;
        --open;
    } while (open > 0);
    learnt[0] = Negate(p);

    backLevel = 0;
    std::size_t highest = 1;
    for (std::size_t k = 1; k < learnt.size(); ++k) {
        if (m_levelOf[VarOf(learnt[k])] > backLevel) {
            backLevel = m_levelOf[VarOf(learnt[k])];
            highest = k;
        }
    }
    if (learnt.size() > 1) std::swap(learnt[1], learnt[highest]);
    for (Lit l : learnt) m_seen[VarOf(l)] = 0;
}

void SatSolver::Backtrack(int level) {
    if (Level() <= level) return;
    for (std::size_t i = m_trail.size(); i-- > static_cast<std::size_t>(m_trailLimits[level]);) {
        const int var = VarOf(m_trail[i]);
        m_phase[var] = m_assign[var];
        m_assign[var] = kUnset;
        m_reason[var] = -1;
        HeapInsert(var);
    }
    m_trail.resize(m_trailLimits[level]);
    m_trailLimits.resize(level);
    m_head = m_trail.size();
}

void SatSolver::Bump(int var) {
    if ((m_activity[var] += m_increment) > 1e100) {
        for (double& a : m_activity) a *= 1e-100;
        m_increment *= 1e-100;
    }
    if (m_heapPos[var] >= 0) HeapUp(m_heapPos[var]);
}

int SatSolver::PickBranchVariable() {
    while (!m_heap.empty()) {
        const int var = HeapPop();
        if (m_assign[var] == kUnset) return var;
    }
    return -1;
}

bool SatSolver::Solve() {
    m_interrupted = false;
    if (!m_ok) return false;
    Backtrack(0);
    if (Propagate() != -1) return m_ok = false;
    std::vector<Lit> learnt;
    std::int64_t restarts = 0, conflictsLeft = 64 * Luby(0);
    for (;;) {
        const int conflict = Propagate();
        if (conflict != -1) {
            if (Level() == 0) return m_ok = false;
            int backLevel = 0;
            Analyze(conflict, learnt, backLevel);
            Backtrack(backLevel);
            if (learnt.size() == 1) {
                Enqueue(learnt[0], -1);
            } else {
                const int index = static_cast<int>(m_clauses.size());
                m_watches[learnt[0]].push_back(index);
                m_watches[learnt[1]].push_back(index);
                m_clauses.push_back(learnt);
                Enqueue(learnt[0], index);
            }
            m_increment /= 0.95;
            if (--conflictsLeft <= 0) {
                Backtrack(0);
                conflictsLeft = 64 * Luby(++restarts);
                if (m_keepGoing && !m_keepGoing()) {
                    m_interrupted = true;
                    return false;
                }
            }
            continue;
        }
        const int var = PickBranchVariable();
        if (var < 0) {
            for (int v = 0; v < VariableCount(); ++v) m_model[v] = m_assign[v];
            return true;
        }
        m_trailLimits.push_back(static_cast<int>(m_trail.size()));
        Enqueue(m_phase[var] ? Positive(var) : Negative(var), -1);
    }
}

// ---------------------------------------------------------------- decision heap

void SatSolver::HeapInsert(int var) {
    if (m_heapPos[var] >= 0) return;
    m_heapPos[var] = static_cast<int>(m_heap.size());
    m_heap.push_back(var);
    HeapUp(m_heapPos[var]);
}

int SatSolver::HeapPop() {
    const int top = m_heap.front();
    m_heapPos[top] = -1;
    const int last = m_heap.back();
    m_heap.pop_back();
    if (!m_heap.empty()) {
        m_heap[0] = last;
        m_heapPos[last] = 0;
        HeapDown(0);
    }
    return top;
}

void SatSolver::HeapUp(int pos) {
    const int var = m_heap[pos];
    while (pos > 0) {
        const int parent = (pos - 1) / 2;
        if (!HeapLess(var, m_heap[parent])) break;
        m_heap[pos] = m_heap[parent];
        m_heapPos[m_heap[pos]] = pos;
        pos = parent;
    }
    m_heap[pos] = var;
    m_heapPos[var] = pos;
}

void SatSolver::HeapDown(int pos) {
    const int var = m_heap[pos];
    const int size = static_cast<int>(m_heap.size());
    for (;;) {
        int child = 2 * pos + 1;
        if (child >= size) break;
        if (child + 1 < size && HeapLess(m_heap[child + 1], m_heap[child])) ++child;
        if (!HeapLess(m_heap[child], var)) break;
        m_heap[pos] = m_heap[child];
        m_heapPos[m_heap[pos]] = pos;
        pos = child;
    }
    m_heap[pos] = var;
    m_heapPos[var] = pos;
}
