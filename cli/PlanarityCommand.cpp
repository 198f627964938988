#include <iostream>

#include "CliSession.h"
#include "Commands.h"
#include "QtFormats.h"

// arborix-cli planarity FILE [--yes] [--no-replay] [--replay OUT.svg]: Algorithms >
// Planarity Testing. --yes answers the question about bends with OK; --no-replay skips the
// snapshots of the PQ-tree window and decides with the left-right test; --replay writes
// that window's drawing.
int RunPlanarity(const CliArguments& raw) {
    CliArgs args(raw, {"--replay"});
    if (!args.Ok() || args.Positional().size() != 1) return UsageError("planarity", args.Error());
    const std::string* replay = args.Option("--replay");
    if (replay && args.Flag("--no-replay")) return UsageError("planarity", "--replay needs the snapshots");
    CliSession session(args.Flag("--yes"));
    if (!session.Open(args.Positional()[0])) return kExitFailed;
    session.Doc().RunPlanarityTesting(args.Flag("--no-replay") ? CLattixDoc::PlanarityMethod::LeftRight
                                                               : CLattixDoc::PlanarityMethod::Recorded);
    if (replay) {
        std::string error = kNoPictures;
        if (!HasPictures() || !QtFormats()->exportReplaySvg(session.Doc(), *replay, error)) {
            std::cout << error << '\n';
            return kExitFailed;
        }
    }
    return kExitOk;
}
