#pragma once
// The commands of arborix-cli. Each takes the arguments after its name and returns the
// exit status.

#include <string>
#include <vector>

using CliArguments = std::vector<std::string>;

struct CliCommand {
    const char* name;
    const char* usage;
    int (*run)(const CliArguments& args);
};

int RunInfo(const CliArguments& args);
int RunConvert(const CliArguments& args);
int RunComponents(const CliArguments& args);
int RunRender(const CliArguments& args);
int RunRandom(const CliArguments& args);
int RunDrawUlp(const CliArguments& args);
int RunPlanarity(const CliArguments& args);
int RunLevelPlanarity(const CliArguments& args);
int RunDrawLevel(const CliArguments& args);
int RunExperiment(const CliArguments& args);
int RunCensus(const CliArguments& args);
// experiment FILE: every level assignment of the document's graph.
int RunGraphExperiment(const CliArguments& args);
int RunKuratowski(const CliArguments& args);
int RunDrawPlanar(const CliArguments& args);
int RunMinimizeCrossings(const CliArguments& args);
int RunLevelWitness(const CliArguments& args);

// Runs the command named by args[0] with the rest of args, as `arborix-cli ARGS...` does;
// returns the exit status.
int RunCli(const CliArguments& args);

// Prints the usage line of a command to stderr and returns the usage exit status.
int UsageError(const char* command, const std::string& why = {});
