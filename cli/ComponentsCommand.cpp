#include "CliSession.h"
#include "Commands.h"

int RunComponents(const CliArguments& raw) {
    CliArgs args(raw, {});
    if (!args.Ok() || args.Positional().size() != 1) return UsageError("components", args.Error());
    CliSession session;
    if (!session.Open(args.Positional()[0])) return kExitFailed;
    session.Doc().OnConnectedComponents();
    return kExitOk;
}
