#pragma once
// Every level assignment of a graph, tested with the exact level planarity test: either
// each of the n! assignments of the levels 1..n with one vertex per level, or each
// assignment of the levels 1..K with no edge inside a level. An assignment and its
// reversal (k to K + 1 - k) have the same answer; only the lexicographically smaller of
// the two is tested.

#include <cstdint>
#include <optional>
#include <string>
#include <utility>
#include <vector>

#include "level/LevelGraph.h"

class IProgress;

// Runs larger than this are refused before they start.
inline constexpr std::int64_t kMaxExperimentAssignments = 100000000;
// Larger graphs are refused: with few levels their assignments are few, yet a level of
// many vertices would make each test quadratic in its width.
inline constexpr int kMaxExperimentVertices = 40;
// Failing assignments kept for the list.
inline constexpr std::size_t kListedFailures = 1000;

struct AssignmentProblem {
    int vertexCount = 0;
    std::vector<std::pair<int, int>> edges;
    int levels = 0; // 0: one vertex per level; else the levels 1..levels
};

struct AssignmentExperimentResult {
    std::int64_t failing = 0, total = 0;
    // The first failing assignments in lexicographic order (levels by vertex), at most
    // kListedFailures of them.
    std::vector<std::vector<int>> failures;
    std::int64_t tested = 0;
    bool complete = true;
};

// The proper level graph of the problem's graph with vertex v on level levels[v] (from 1).
LevelGraph ProperGraphOfAssignment(const AssignmentProblem& problem, const std::vector<int>& levels);

// n! or K^n, or nullopt when it exceeds what a 64-bit count holds.
std::optional<std::int64_t> AssignmentCountBound(int vertexCount, int levels);

// Runs on `threads` threads (0: every core); progress (from the calling thread) may cancel,
// which keeps what was counted so far.
AssignmentExperimentResult RunAssignmentExperiment(const AssignmentProblem& problem, IProgress* progress,
                                                   int threads = 0);

// "The graph is non level planar in N level assignments out of M".
std::string AssignmentCountLine(const AssignmentExperimentResult& result);
// "T1 T2 ... Tn".
std::string AssignmentText(const std::vector<int>& levels);

// The failing assignments, one row each: "assignment,T1,...,Tn" under a header naming the
// vertices. False when the file cannot be written.
bool WriteAssignmentCsv(const AssignmentExperimentResult& result, const std::vector<std::string>& vertexNames,
                        const std::string& path);
// The assignments of such a file; nullopt when it is not one for `vertexCount` vertices.
std::optional<std::vector<std::vector<int>>> ReadAssignmentCsv(const std::string& path, int vertexCount);
