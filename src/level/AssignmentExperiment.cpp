#include "level/AssignmentExperiment.h"

#include <algorithm>
#include <atomic>
#include <chrono>
#include <fstream>
#include <numeric>
#include <set>
#include <sstream>
#include <thread>

#include "graph/DisjointSets.h"
#include "level/LevelPairClasses.h"
#include "level/TreeLevelPlanarity.h"
#include "model/Platform.h"

namespace {

// Assignments are dealt to the threads in chunks of this many, in turn.
constexpr std::int64_t kChunk = 256;

bool IsForest(int n, const std::vector<std::pair<int, int>>& edges) {
    DisjointSets sets(n);
    for (const auto& [a, b] : edges)
        if (!sets.Join(a, b)) return false;
    return true;
}

class Judge {
public:
    explicit Judge(const AssignmentProblem& problem) : m_problem(problem) {
        if (problem.levels == 0 && problem.vertexCount <= TreeLevelPlanarity::kMaxVertices &&
            static_cast<int>(problem.edges.size()) < TreeLevelPlanarity::kMaxVertices && IsForest(problem.vertexCount, problem.edges))
            m_tree.emplace(problem.vertexCount, problem.edges);
    }

    bool IsLevelPlanar(const std::vector<int>& levels) {
        if (m_tree) return m_tree->IsLevelPlanar(levels.data());
        return LevelPlanarByEquations(ProperGraphOfAssignment(m_problem, levels));
    }

private:
    const AssignmentProblem& m_problem;
    std::optional<TreeLevelPlanarity> m_tree;
};

struct Share {
    std::int64_t failing = 0, total = 0, tested = 0;
    std::set<std::vector<int>> failures; // the smallest kListedFailures seen
    bool complete = true;

    void Keep(const std::vector<int>& levels) {
        if (failures.size() == kListedFailures && !(levels < *failures.rbegin())) return;
        failures.insert(levels);
        if (failures.size() > kListedFailures) failures.erase(std::prev(failures.end()));
    }
};

void RunShare(const AssignmentProblem& problem, int share, int shares, const std::atomic<bool>& stop,
              std::atomic<std::int64_t>& done, Share& out) {
    const int n = problem.vertexCount;
    const int top = problem.levels == 0 ? n : problem.levels;
    std::vector<std::vector<int>> lower(n);
    for (const auto& [a, b] : problem.edges) lower[std::max(a, b)].push_back(std::min(a, b));
    Judge judge(problem);
    std::vector<int> levels(n, 0), mirror(n);
    std::vector<char> used(top + 2, 0);
    std::int64_t index = -1, unpublished = 0;
    int v = 0;
    while (v >= 0 && n > 0) {
        if (problem.levels == 0 && levels[v]) used[levels[v]] = 0;
        int x = levels[v] + 1;
        for (; x <= top; ++x) {
            if (problem.levels == 0 ? used[x] != 0
                                 : std::any_of(lower[v].begin(), lower[v].end(), [&](int u) { return levels[u] == x; }))
                continue;
            break;
        }
        if (x > top) {
            levels[v] = 0;
            --v;
            continue;
        }
        levels[v] = x;
        if (problem.levels == 0) used[x] = 1;
        if (v + 1 < n) {
            levels[++v] = 0;
            continue;
        }
        ++index;
        if ((index / kChunk) % shares != share) continue;
        for (int w = 0; w < n; ++w) mirror[w] = top + 1 - levels[w];
        if (mirror < levels) continue; // tested as its mirror
        const bool twin = levels < mirror;
        const std::int64_t weight = twin ? 2 : 1;
        ++out.tested;
        if (!judge.IsLevelPlanar(levels)) {
            out.failing += weight;
            out.Keep(levels);
            if (twin) out.Keep(mirror);
        }
        out.total += weight;
        unpublished += weight;
        if (out.tested % 64 == 0) {
            done += unpublished;
            unpublished = 0;
            if (stop.load(std::memory_order_relaxed)) {
                out.complete = false;
                break;
            }
        }
    }
    done += unpublished;
}

} // namespace

LevelGraph ProperGraphOfAssignment(const AssignmentProblem& problem, const std::vector<int>& levels) {
    LevelGraph g;
    for (int v = 0; v < problem.vertexCount; ++v) g.AddVertex(levels[v] - 1, v);
    for (auto [a, b] : problem.edges) {
        if (levels[a] > levels[b]) std::swap(a, b);
        int below = a;
        // Long edges pass their levels as chains of dummy vertices.
        for (int level = levels[a]; level < levels[b]; ++level) {
            const int above = level + 1 == levels[b] ? b : g.AddVertex(level, g.VertexCount());
            g.AddEdge(below, above);
            below = above;
        }
    }
    g.Finish();
    return g;
}

std::optional<std::int64_t> AssignmentCountBound(int vertexCount, int levels) {
    std::int64_t count = 1;
    const std::int64_t limit = std::numeric_limits<std::int64_t>::max();
    for (int k = 1; k <= vertexCount; ++k) {
        const std::int64_t factor = levels == 0 ? k : levels;
        if (factor != 0 && count > limit / factor) return std::nullopt;
        count *= factor;
    }
    return count;
}

AssignmentExperimentResult RunAssignmentExperiment(const AssignmentProblem& problem, IProgress* progress,
                                                   int threads) {
    if (threads <= 0) threads = static_cast<int>(std::max(1u, std::thread::hardware_concurrency()));
    std::vector<Share> shares(threads);
    std::atomic<std::int64_t> done{0};
    std::atomic<bool> stop{false};
    std::atomic<int> running{threads};
    {
        std::vector<std::jthread> workers;
        for (int t = 0; t < threads; ++t)
            workers.emplace_back([&, t] {
                RunShare(problem, t, threads, stop, done, shares[t]);
                --running;
            });
        while (running.load() > 0) {
            std::this_thread::sleep_for(std::chrono::milliseconds(progress ? 50 : 2));
            if (progress && !progress->Update(done.load())) stop = true;
        }
    }
    AssignmentExperimentResult result;
    std::set<std::vector<int>> failures;
    for (Share& s : shares) {
        result.failing += s.failing;
        result.total += s.total;
        result.tested += s.tested;
        result.complete = result.complete && s.complete;
        failures.merge(s.failures);
    }
    for (const auto& f : failures) {
        if (result.failures.size() == kListedFailures) break;
        result.failures.push_back(f);
    }
    return result;
}

std::string AssignmentCountLine(const AssignmentExperimentResult& result) {
    return "The graph is non level planar in " + std::to_string(result.failing) + " level assignments out of " +
           std::to_string(result.total);
}

std::string AssignmentText(const std::vector<int>& levels) {
    std::string s;
    for (std::size_t i = 0; i < levels.size(); ++i) {
        if (i) s += ' ';
        s += std::to_string(levels[i]);
    }
    return s;
}

namespace {

std::string CsvField(const std::string& text) {
    if (text.find_first_of(",\"\n\r") == std::string::npos) return text;
    std::string quoted = "\"";
    for (char c : text) {
        if (c == '"') quoted += '"';
        quoted += c;
    }
    return quoted + "\"";
}

} // namespace

bool WriteAssignmentCsv(const AssignmentExperimentResult& result, const std::vector<std::string>& vertexNames,
                        const std::string& path) {
    std::ofstream out(path, std::ios::binary | std::ios::trunc);
    if (!out) return false;
    out << "assignment";
    for (const std::string& name : vertexNames) out << ',' << CsvField(name);
    out << '\n';
    for (std::size_t i = 0; i < result.failures.size(); ++i) {
        out << i + 1;
        for (int level : result.failures[i]) out << ',' << level;
        out << '\n';
    }
    out.flush();
    return static_cast<bool>(out);
}

std::optional<std::vector<std::vector<int>>> ReadAssignmentCsv(const std::string& path, int vertexCount) {
    std::ifstream in(path, std::ios::binary);
    if (!in) return std::nullopt;
    std::string line;
    if (!std::getline(in, line)) return std::nullopt; // the header
    std::vector<std::vector<int>> rows;
    while (std::getline(in, line)) {
        if (!line.empty() && line.back() == '\r') line.pop_back();
        if (line.empty()) continue;
        std::istringstream fields(line);
        std::string field;
        std::vector<int> levels;
        std::getline(fields, field, ','); // the row number
        while (std::getline(fields, field, ',')) {
            if (field.empty() || field.size() > 9 || field.find_first_not_of("0123456789") != std::string::npos)
                return std::nullopt;
            levels.push_back(std::stoi(field));
        }
        if (static_cast<int>(levels.size()) != vertexCount) return std::nullopt;
        rows.push_back(std::move(levels));
        if (rows.size() > kListedFailures) return std::nullopt;
    }
    return rows;
}
