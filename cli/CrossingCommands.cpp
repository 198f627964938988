// Crossing minimisation on levels and the level planarity obstruction on files.

#include <iostream>

#include "CliSession.h"
#include "Commands.h"
#include "level/LevelCrossingCommands.h"
#include "editor/StatusPanes.h"

int RunMinimizeCrossings(const CliArguments& raw) {
    CliArgs args(raw, {"-o", "--seed"});
    if (!args.Ok() || args.Positional().size() != 1 || !args.Option("-o"))
        return UsageError("minimize-crossings", args.Ok() ? "an output file (-o) is needed" : args.Error());
    long long seed = 0;
    if (const std::string* text = args.Option("--seed"); text && (!ParseInt(*text, seed) || seed < 0))
        return UsageError("minimize-crossings", "--seed takes a whole number, 0 or more");
    CliSession session(args.Flag("--yes"));
    if (!session.Open(args.Positional()[0])) return kExitFailed;
    MinimizeCrossingsOnLevels(session.Doc(), static_cast<std::uint64_t>(seed));
    session.Doc().CountCrossings();
    std::cout << "crossings: " << CrossingsPaneText(session.Doc()) << '\n';
    return session.SaveAs(*args.Option("-o")) ? kExitOk : kExitFailed;
}

int RunLevelWitness(const CliArguments& raw) {
    CliArgs args(raw, {"-o"});
    if (!args.Ok() || args.Positional().size() != 1) return UsageError("level-witness", args.Error());
    CliSession session(args.Flag("--yes"));
    if (!session.Open(args.Positional()[0])) return kExitFailed;
    const LevelObstructionReport report = ShowLevelObstruction(session.Doc());
    for (const auto& ids : report.witnesses) {
        std::cout << "witness:";
        for (std::uint32_t id : ids) std::cout << ' ' << id;
        std::cout << '\n';
    }
    const std::string* out = args.Option("-o");
    return !out || session.SaveAs(*out) ? kExitOk : kExitFailed;
}
