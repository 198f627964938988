#include "CommandSweep.h"

#include <algorithm>
#include <cstdio>
#include <filesystem>
#include <iostream>
#include <sstream>

#include "CliSession.h"
#include "Commands.h"
#include "io/FileIO.h"
#include "level/AssignmentExperiment.h"
#include "model/Element.h"

namespace {

// Sends std::cout and std::cerr to a string for as long as it lives.
class CapturedOutput {
public:
    CapturedOutput() : m_out(std::cout.rdbuf(m_text.rdbuf())), m_err(std::cerr.rdbuf(m_text.rdbuf())) {}
    ~CapturedOutput() {
        std::cout.rdbuf(m_out);
        std::cerr.rdbuf(m_err);
    }
    std::string Text() const { return m_text.str(); }

private:
    std::ostringstream m_text;
    std::streambuf* m_out;
    std::streambuf* m_err;
};

// The value of a "name: value" line of info's output, or empty.
std::string InfoLine(const std::string& output, const std::string& name) {
    std::istringstream in(output);
    for (std::string line; std::getline(in, line);)
        if (line.rfind(name + ": ", 0) == 0) return line.substr(name.size() + 2);
    return {};
}

const char* const kOutputs[] = {"level.lxd", "drawn.lxd", "ulp.lxd", "out.txt", "out.graphml", "failing.csv"};

// Graphs up to these sizes get the assignment experiment: it tests every assignment, and
// the sweep runs on every corpus file in the unit tests.
constexpr long kExperimentVertices = 7;      // 5040 assignments, one vertex per level
constexpr long kThreeLevelVertices = 8;      // 6561 on three levels

} // namespace

void CommandSweep::SetInput(std::span<const std::uint8_t> bytes) {
    m_runs.clear();
    m_problems.clear();
    std::error_code ec;
    for (const char* name : kOutputs) std::filesystem::remove(Path(name), ec);
    if (!m_input.empty()) std::filesystem::remove(m_input, ec);
    const bool xml = !bytes.empty() && bytes[0] == '<';
    m_input = Path(xml ? "input.graphml" : "input.lxd");
    if (!WriteFileAtomically(m_input, bytes)) m_problems.push_back("cannot write " + m_input);
}

long CommandSweep::LoadedElementCount() {
    CapturedOutput quiet;
    CliSession session;
    if (!session.Open(m_input)) return -1;
    return long(session.Doc().m_elements.size());
}

const CommandRun& CommandSweep::Cli(std::vector<std::string> args) {
    CommandRun run;
    run.args = std::move(args);
    {
        CapturedOutput captured;
        g_nextId = 0; // where a fresh arborix-cli process starts
        run.status = RunCli(run.args);
        run.output = captured.Text();
    }
    std::string line;
    for (const std::string& a : run.args) line += (line.empty() ? "" : " ") + a;
    // A usage error would mean the sweep itself is wrong; 0 and 1 are the program's answers.
    if (run.status != kExitOk && run.status != kExitFailed)
        m_problems.push_back(line + ": exit status " + std::to_string(run.status) + "\n" + run.output);
    m_runs.push_back(std::move(run));
    return m_runs.back();
}

void CommandSweep::ExpectReadable(const CommandRun& writer, const std::string& path) {
    if (writer.status != kExitOk) return;
    if (!std::filesystem::exists(path)) {
        m_problems.push_back(writer.args[0] + " succeeded without writing " + path);
        return;
    }
    const CommandRun& info = Cli({"info", path});
    if (info.status != kExitOk) m_problems.push_back(writer.args[0] + " wrote a file it cannot read:\n" + info.output);
}

void CommandSweep::ExpectExperiment(const CommandRun& run, long vertices) {
    if (run.status != kExitOk) return;
    // The count line, then one line per listed failing assignment: as many as fail, up to
    // the limit, and the CSV written holds the same ones.
    std::istringstream in(run.output);
    long long failing = -1, total = -1, listed = 0;
    for (std::string line; std::getline(in, line);) {
        const std::string head = "The graph is non level planar in ";
        if (line.rfind(head, 0) == 0) std::sscanf(line.c_str() + head.size(), "%lld level assignments out of %lld", &failing, &total);
        if (line.rfind("fail: ", 0) == 0) ++listed;
    }
    const std::string what = run.args.size() > 3 && run.args[3] == "--levels" ? "experiment on three levels" : "experiment";
    if (failing < 0 && listed == 0) return; // ended with one of the program's messages
    if (failing < 0 || total < failing || listed != std::min<long long>(failing, kListedFailures))
        m_problems.push_back(what + " printed an inconsistent count:\n" + run.output);
    if (std::find(run.args.begin(), run.args.end(), "--csv") == run.args.end()) return;
    const auto rows = ReadAssignmentCsv(Path("failing.csv"), static_cast<int>(vertices));
    if (listed > 0 && (!rows || static_cast<long long>(rows->size()) != listed))
        m_problems.push_back(what + " wrote a CSV that does not read back");
}

void CommandSweep::RunCommands() {
    const CommandRun& info = Cli({"info", m_input});
    const std::string input = m_input;
    const bool loads = info.status == kExitOk;
    Cli({"components", input});
    Cli({"planarity", input, "--yes"});
    ExpectReadable(Cli({"level-planarity", input, "--yes", "-o", Path("level.lxd")}), Path("level.lxd"));
    ExpectReadable(Cli({"draw-level", input, "--yes", "-o", Path("drawn.lxd")}), Path("drawn.lxd"));
    ExpectReadable(Cli({"minimize-crossings", input, "--yes", "-o", Path("minimized.lxd")}), Path("minimized.lxd"));
    ExpectReadable(Cli({"level-witness", input, "--yes", "-o", Path("witness.lxd")}), Path("witness.lxd"));
    // Draw ULP Trees writes only when it drew.
    const CommandRun& ulp = Cli({"draw-ulp", input, "--yes", "-o", Path("ulp.lxd")});
    if (ulp.status == kExitOk) ExpectReadable(ulp, Path("ulp.lxd"));
    if (const std::string count = InfoLine(info.output, "vertices"); loads && !count.empty()) {
        const long n = std::stol(count);
        if (n <= kExperimentVertices) ExpectExperiment(Cli({"experiment", input, "--yes", "--csv", Path("failing.csv")}), n);
        if (n <= kThreeLevelVertices) ExpectExperiment(Cli({"experiment", input, "--yes", "--levels", "3"}), n);
    }
    const CommandRun& text = Cli({"convert", input, Path("out.txt")});
    if (text.status == kExitOk && !std::filesystem::exists(Path("out.txt")))
        m_problems.push_back("convert to .txt succeeded without writing it");

    const CommandRun& graphml = Cli({"convert", input, Path("out.graphml")});
    if (loads && graphml.status != kExitOk) m_problems.push_back("convert to .graphml failed:\n" + graphml.output);
    if (graphml.status != kExitOk || !std::filesystem::exists(Path("out.graphml"))) return;
    // The graph survives the trip through GraphML: same vertices, edges and bends.
    const std::string before = m_runs.front().output;
    const CommandRun& back = Cli({"info", Path("out.graphml")});
    if (back.status != kExitOk) {
        m_problems.push_back("the GraphML written cannot be read:\n" + back.output);
        return;
    }
    for (const char* count : {"vertices", "edges", "bends"}) {
        if (InfoLine(before, count) != InfoLine(back.output, count))
            m_problems.push_back(std::string("GraphML changed the number of ") + count + ": " +
                                 InfoLine(before, count) + " became " + InfoLine(back.output, count));
    }
}
