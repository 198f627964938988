#include "CliSession.h"
#include "Commands.h"

// arborix-cli planarity FILE [--yes] [--no-replay]: Algorithms > Planarity Testing.
// --yes answers the question about bends with OK; --no-replay skips the snapshots of the
// PQ-tree window, which a file-to-verdict run never shows.
int RunPlanarity(const CliArguments& raw) {
    CliArgs args(raw, {});
    if (!args.Ok() || args.Positional().size() != 1) return UsageError("planarity", args.Error());
    CliSession session(args.Flag("--yes"));
    if (!session.Open(args.Positional()[0])) return kExitFailed;
    session.Doc().RunPlanarityTesting(!args.Flag("--no-replay"));
    return kExitOk;
}
