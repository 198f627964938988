// arborix-cli: runs Arborix's algorithms on files without a window. Its output is the
// program's own message text, one message per line, so scripts can check it.

#include <cstring>
#include <iostream>

#include "CliSession.h"
#include "Commands.h"

namespace {

const CliCommand kCommands[] = {
    {"info", "info FILE", RunInfo},
    {"convert", "convert IN OUT   (.lxd, .txt, .graphml)", RunConvert},
    {"components", "components FILE", RunComponents},
    {"render", "render IN OUT   (.svg, .png) [--guides] [--margin PIXELS]", RunRender},
    {"random", "random labeled|rooted|free-labeled|free-rooted|wilf -n N [--seed S] [--max-attempts K] [-o OUT]", RunRandom},
    {"draw-ulp", "draw-ulp FILE -o OUT.lxd [--yes]   (Draw ULP Trees; --yes: remove bends)", RunDrawUlp},
    {"planarity", "planarity FILE [--yes] [--no-replay] [--replay OUT.svg]", RunPlanarity},
    {"level-planarity", "level-planarity FILE [-o OUT.lxd] [--yes]", RunLevelPlanarity},
    {"draw-level", "draw-level FILE -o OUT.lxd [--yes] [--animate-delay MS]", RunDrawLevel},
    {"experiment", "experiment 8|9 [-o OUT.lxd]", RunExperiment},
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

int main(int argc, char** argv) {
    if (argc < 2 || std::strcmp(argv[1], "--help") == 0 || std::strcmp(argv[1], "-h") == 0) {
        PrintUsage(argc < 2 ? std::cerr : std::cout);
        return argc < 2 ? kExitUsage : kExitOk;
    }
    const CliArguments args(argv + 2, argv + argc);
    for (const CliCommand& c : kCommands)
        if (std::strcmp(c.name, argv[1]) == 0) return c.run(args);
    std::cerr << "arborix-cli: unknown command '" << argv[1] << "'\n";
    PrintUsage(std::cerr);
    return kExitUsage;
}
