// The command table of arborix-cli and its dispatch, apart from main() so that tests and
// the fuzzer run exactly what the program runs.

#include <cstring>
#include <iostream>
#include <new>

#include "CliSession.h"
#include "Commands.h"
#include "editor/CommandTable.h"

namespace {

const CliCommand kCommands[] = {
    {"info", "info FILE", RunInfo},
    {"convert", "convert IN OUT   (in: .lxd, .graphml, .dot, .gv, .gml; out: .lxd, .txt, .graphml)", RunConvert},
    {"components", "components FILE", RunComponents},
    {"render", "render IN OUT   (.svg, .png, .pdf, .tex, .ipe, .dot) [--guides] [--margin PIXELS] [--selection] [--scale S]", RunRender},
    {"random", "random labeled|rooted|free-labeled|free-rooted|wilf -n N [--seed S] [--max-attempts K] [-o OUT]", RunRandom},
    {"draw-ulp", "draw-ulp FILE -o OUT.lxd [--yes]   (Draw ULP Trees; --yes: remove bends)", RunDrawUlp},
    {"planarity", "planarity FILE [--yes] [--no-replay] [--replay OUT.svg]", RunPlanarity},
    {"level-planarity", "level-planarity FILE [-o OUT.lxd] [--yes]", RunLevelPlanarity},
    {"draw-level", "draw-level FILE -o OUT.lxd [--yes] [--animate-delay MS]", RunDrawLevel},
    {"experiment", "experiment 8|9 [-o OUT.lxd] | experiment FILE [--levels K] [--csv OUT]", RunExperiment},
    {"census", "census N [--csv OUT]   (N from 3 to 12)", RunCensus},
    {"kuratowski", "kuratowski FILE [-o OUT.lxd] [--yes]", RunKuratowski},
    {"draw-planar", "draw-planar FILE -o OUT.lxd [--yes]", RunDrawPlanar},
    {"minimize-crossings", "minimize-crossings FILE -o OUT.lxd [--yes] [--seed S]", RunMinimizeCrossings},
    {"level-witness", "level-witness FILE [-o OUT.lxd] [--yes]", RunLevelWitness},
};

void PrintUsage(std::ostream& out) {
    out << "usage: arborix-cli COMMAND [ARGS]\n\ncommands:\n";
    for (const CliCommand& c : kCommands) out << "  " << c.usage << '\n';
}

} // namespace

int UsageError(const char* command, const std::string& why) {
    for (const CliCommand& c : kCommands) {
        if (std::strcmp(c.name, command) == 0) {
            if (!why.empty()) std::cerr << "arborix-cli " << command << ": " << why << '\n';
            std::cerr << "usage: arborix-cli " << c.usage << '\n';
        }
    }
    return kExitUsage;
}

int RunCli(const CliArguments& args) {
    if (args.empty() || args[0] == "--help" || args[0] == "-h") {
        PrintUsage(args.empty() ? std::cerr : std::cout);
        return args.empty() ? kExitUsage : kExitOk;
    }
    const CliArguments rest(args.begin() + 1, args.end());
    for (const CliCommand& c : kCommands) {
        if (args[0] != c.name) continue;
        try {
            return c.run(rest);
        } catch (const std::bad_alloc&) {
            // Nothing is written: the output is saved only by a command that finished.
            std::cout << kOutOfMemoryMessage << '\n';
            return kExitFailed;
        }
    }
    std::cerr << "arborix-cli: unknown command '" << args[0] << "'\n";
    PrintUsage(std::cerr);
    return kExitUsage;
}
