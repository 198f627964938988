// The level planarity commands on files: Level Planarity Testing, Draw Level Planar Graph
// and the batch experiments.

#include "CliSession.h"
#include "Commands.h"

namespace {

bool SaveIfAsked(CliSession& session, const CliArgs& args) {
    const std::string* out = args.Option("-o");
    return !out || session.SaveAs(*out);
}

} // namespace

int RunLevelPlanarity(const CliArguments& raw) {
    CliArgs args(raw, {"-o"});
    if (!args.Ok() || args.Positional().size() != 1) return UsageError("level-planarity", args.Error());
    CliSession session(args.Flag("--yes"));
    if (!session.Open(args.Positional()[0])) return kExitFailed;
    session.Doc().OnLevelPlanarityTesting();
    return SaveIfAsked(session, args) ? kExitOk : kExitFailed;
}

int RunDrawLevel(const CliArguments& raw) {
    CliArgs args(raw, {"-o", "--animate-delay"});
    if (!args.Ok() || args.Positional().size() != 1 || !args.Option("-o"))
        return UsageError("draw-level", args.Ok() ? "an output file (-o) is needed" : args.Error());
    CliSession session(args.Flag("--yes"));
    if (!session.Open(args.Positional()[0])) return kExitFailed;
    // The "Draw" dialog: animated exactly when a step delay is given.
    DrawDialogValues values;
    if (const std::string* delay = args.Option("--animate-delay")) {
        values.animate = true;
        values.stepDelayText = *delay;
    }
    session.Platform().m_drawAnswers.push_back(values);
    session.Doc().OnDrawLevelPlanarGraph();
    return SaveIfAsked(session, args) ? kExitOk : kExitFailed;
}

int RunExperiment(const CliArguments& raw) {
    // A first argument that is not a number names a document to experiment on; numbers
    // other than the two built-in trees stay usage errors.
    long long number = 0;
    if (!raw.empty() && raw[0].rfind('-', 0) != 0 && !ParseInt(raw[0], number)) return RunGraphExperiment(raw);
    CliArgs args(raw, {"-o"});
    const auto& positional = args.Positional();
    if (!args.Ok() || positional.size() != 1 || (positional[0] != "8" && positional[0] != "9"))
        return UsageError("experiment", args.Error());
    CliSession session(args.Flag("--yes"));
    session.Doc().OnLevelExperiment(positional[0] == "8" ? 8 : 9);
    return SaveIfAsked(session, args) ? kExitOk : kExitFailed;
}
