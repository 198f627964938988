#pragma once
// The census of unlabeled level planar trees: every free tree of each size, its ULP class,
// and how many of its one-vertex-per-level assignments are not level planar.

#include <cstdint>
#include <string>
#include <utility>
#include <vector>

#include "level/TreeAssignmentCount.h"
#include "level/TreeClassOf.h"

class IProgress;

inline constexpr int kCensusMinVertices = 3;
inline constexpr int kCensusMaxVertices = 12;

// Free trees with n vertices, n = 1..12.
std::int64_t KnownFreeTreeCount(int n);

struct CensusRow {
    std::vector<int> levelSequence;
    std::vector<std::pair<int, int>> edges; // on vertices 0..n-1, parent first
    UlpTreeClass treeClass = UlpTreeClass::None;
    std::int64_t automorphisms = 1;
    TreeAssignmentTally tally;
};

struct CensusResult {
    std::vector<CensusRow> rows;
    bool complete = true;
    // Sizes whose number of trees differs from the known sequence.
    std::vector<int> miscounted;
};

// Assignments of all trees of the sizes from..to, as the progress counts them.
std::int64_t CensusAssignmentCount(int from, int to);

// Runs on `threads` threads (0: every core); progress, when given, is updated from the
// calling thread and may cancel, which keeps the counts so far (the result is partial).
CensusResult RunUlpCensus(int from, int to, IProgress* progress, int threads = 0, TreePruning pruning = {});

// "1-2 2-3 ..." on vertices 1..n.
std::string CensusEdgeText(const std::vector<std::pair<int, int>>& edges);
// "tree: CLASS FAILING TOTAL EDGES".
std::string CensusRowLine(const CensusRow& row);
// How many trees pass every assignment and how many do not, and whether that split is the
// classification's.
std::string CensusSummary(const CensusResult& result);
// One row per tree, with a header; false when the file cannot be written.
bool WriteCensusCsv(const CensusResult& result, const std::string& path);
