#include "level/UlpCensus.h"

#include <algorithm>
#include <atomic>
#include <chrono>
#include <fstream>
#include <mutex>
#include <thread>

#include "model/Platform.h"
#include "trees/FreeTreeEnumeration.h"

namespace {

std::int64_t Factorial(int n) {
    std::int64_t f = 1;
    for (int k = 2; k <= n; ++k) f *= k;
    return f;
}

std::string Join(const std::vector<int>& values, char sep) {
    std::string s;
    for (std::size_t i = 0; i < values.size(); ++i) {
        if (i) s += sep;
        s += std::to_string(values[i]);
    }
    return s;
}

} // namespace

std::int64_t KnownFreeTreeCount(int n) {
    static constexpr std::int64_t kCounts[] = {1, 1, 1, 2, 3, 6, 11, 23, 47, 106, 235, 551};
    return n >= 1 && n <= 12 ? kCounts[n - 1] : 0;
}

std::int64_t CensusAssignmentCount(int from, int to) {
    std::int64_t total = 0;
    for (int n = from; n <= to; ++n) total += KnownFreeTreeCount(n) * Factorial(n);
    return total;
}

CensusResult RunUlpCensus(int from, int to, IProgress* progress, int threads, TreePruning pruning) {
    CensusResult result;
    for (int n = from; n <= to; ++n) {
        FreeTreeEnumeration trees(n);
        std::int64_t count = 0;
        while (trees.Next()) {
            CensusRow row;
            row.levelSequence = trees.LevelSequence();
            row.edges = trees.Edges();
            row.treeClass = ClassifyTree(n, row.edges);
            result.rows.push_back(std::move(row));
            ++count;
        }
        if (count != KnownFreeTreeCount(n)) result.miscounted.push_back(n);
    }

    if (threads <= 0) threads = static_cast<int>(std::max(1u, std::thread::hardware_concurrency()));
    // Each tree's search is split by the levels of its first two vertices, so that the
    // threads share out the largest trees too and no long search is left alone at the end.
    // Trees go largest first: a search is about n! / |Aut| assignments.
    std::vector<TreeAssignmentCount> counters;
    counters.reserve(result.rows.size());
    std::vector<std::size_t> byWork(result.rows.size());
    std::vector<double> work(result.rows.size());
    for (std::size_t i = 0; i < result.rows.size(); ++i) {
        CensusRow& row = result.rows[i];
        const int n = static_cast<int>(row.levelSequence.size());
        counters.emplace_back(n, row.edges, pruning);
        row.automorphisms = counters.back().AutomorphismCount();
        work[i] = static_cast<double>(Factorial(n)) / static_cast<double>(row.automorphisms);
        byWork[i] = i;
    }
    std::stable_sort(byWork.begin(), byWork.end(), [&](std::size_t a, std::size_t b) { return work[a] > work[b]; });
    struct Task {
        std::size_t row;
        std::vector<int> prefix;
    };
    std::vector<Task> tasks;
    std::vector<std::vector<std::size_t>> partTask(result.rows.size());
    for (std::size_t r : byWork) {
        const int n = static_cast<int>(result.rows[r].levelSequence.size());
        for (std::vector<int>& prefix : counters[r].Prefixes(std::min(2, n - 1))) {
            partTask[r].push_back(tasks.size());
            tasks.push_back({r, std::move(prefix)});
        }
    }
    std::vector<TreeAssignmentTally> tallies(tasks.size());
    std::vector<char> started(tasks.size(), 0);
    std::atomic<std::size_t> next{0};
    std::atomic<std::int64_t> done{0};
    std::atomic<bool> stop{false};
    std::atomic<int> running{threads};
    std::vector<std::jthread> workers;
    for (int t = 0; t < threads; ++t)
        workers.emplace_back([&] {
            for (std::size_t k; !stop.load() && (k = next.fetch_add(1)) < tasks.size();) {
                started[k] = 1;
                tallies[k] = counters[tasks[k].row].Search(tasks[k].prefix, stop, done);
            }
            --running;
        });
    while (running.load() > 0) {
        std::this_thread::sleep_for(std::chrono::milliseconds(progress ? 50 : 5));
        if (progress && !progress->Update(done.load())) stop = true;
    }
    workers.clear();
    for (std::size_t r = 0; r < result.rows.size(); ++r) {
        std::vector<TreeAssignmentTally> own;
        for (std::size_t k : partTask[r]) {
            own.push_back(std::move(tallies[k]));
            if (!started[k]) own.back().complete = false;
        }
        result.rows[r].tally = TreeAssignmentCount::MergeInOrder(own);
    }
    for (CensusRow& row : result.rows) {
        const int n = static_cast<int>(row.levelSequence.size());
        // Trees never started after a cancel covered nothing.
        if (!row.tally.complete || row.tally.total != Factorial(n)) {
            row.tally.complete = false;
            result.complete = false;
        }
    }
    return result;
}

std::string CensusEdgeText(const std::vector<std::pair<int, int>>& edges) {
    std::string s;
    for (const auto& [a, b] : edges) {
        if (!s.empty()) s += ' ';
        s += std::to_string(a + 1) + "-" + std::to_string(b + 1);
    }
    return s;
}

std::string CensusRowLine(const CensusRow& row) {
    return "tree: " + std::string(UlpTreeClassName(row.treeClass)) + " " + std::to_string(row.tally.failing) + " " +
           std::to_string(row.tally.total) + " " + CensusEdgeText(row.edges);
}

std::string CensusSummary(const CensusResult& result) {
    int pass = 0, fail = 0;
    bool agrees = true;
    for (const CensusRow& row : result.rows) {
        const bool passes = row.tally.failing == 0;
        passes ? ++pass : ++fail;
        if (passes != (row.treeClass != UlpTreeClass::None)) agrees = false;
    }
    std::string s = result.complete ? "" : "Partial: ";
    s += std::to_string(pass) + " trees are level planar in every level assignment, " + std::to_string(fail) +
         " are not; " + (agrees ? "this is the split of the classification" : "this is not the split of the classification");
    return s;
}

bool WriteCensusCsv(const CensusResult& result, const std::string& path) {
    std::ofstream out(path, std::ios::binary | std::ios::trunc);
    if (!out) return false;
    out << "vertices,level sequence,edges,class,failing,total,first failing,complete\n";
    for (const CensusRow& row : result.rows)
        out << row.levelSequence.size() << ',' << Join(row.levelSequence, ' ') << ',' << CensusEdgeText(row.edges)
            << ',' << UlpTreeClassName(row.treeClass) << ',' << row.tally.failing << ',' << row.tally.total << ','
            << Join(row.tally.firstFailing, ' ') << ',' << (row.tally.complete ? "yes" : "no") << '\n';
    out.flush();
    return static_cast<bool>(out);
}
