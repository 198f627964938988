#pragma once
// Runs every arborix-cli command that works on a document file, one after another on the
// same file, through the program's own dispatch, and checks what a script could rely on:
// no usage errors, and every file a command writes reads back. Shared by the replay of
// the damaged-file corpus and by the fuzzer.

#include <cstdint>
#include <deque>
#include <span>
#include <string>
#include <vector>

struct CommandRun {
    std::vector<std::string> args;
    int status = 0;
    std::string output; // stdout and stderr together
};

class CommandSweep {
public:
    // `workDir` must exist; the sweep writes its input and outputs there.
    explicit CommandSweep(std::string workDir) : m_dir(std::move(workDir)) {}

    // Writes `bytes` as the input file: ".graphml" when they start like XML, ".lxd"
    // otherwise; forgets earlier runs and outputs.
    void SetInput(std::span<const std::uint8_t> bytes);
    // Number of elements the input loads to, as arborix-cli loads it; -1 when refused.
    long LoadedElementCount();
    // Runs info, components, planarity, level-planarity, draw-level, minimize-crossings,
    // level-witness, draw-ulp, experiment (small graphs only) and convert to .txt and .graphml on the input (answering
    // questions with OK), then info on every document written.
    void RunCommands();

    const std::deque<CommandRun>& Runs() const { return m_runs; }
    // What went wrong, one line each; empty when every check held.
    const std::vector<std::string>& Problems() const { return m_problems; }

private:
    const CommandRun& Cli(std::vector<std::string> args);
    void ExpectReadable(const CommandRun& writer, const std::string& path);
    void ExpectExperiment(const CommandRun& run, long vertices);
    std::string Path(const std::string& name) const { return m_dir + "/" + name; }

    std::string m_dir;
    std::string m_input;
    std::deque<CommandRun> m_runs; // a deque, so the runs handed out stay where they are
    std::vector<std::string> m_problems;
};
