#include "CliSession.h"
#include "Commands.h"

// Draw ULP Trees with Animate off; without --yes the question about removing bends is
// answered with Cancel, which leaves the document as it was and writes nothing.
int RunDrawUlp(const CliArguments& raw) {
    CliArgs args(raw, {"-o"});
    const std::string* out = args.Option("-o");
    if (!args.Ok() || args.Positional().size() != 1 || !out) return UsageError("draw-ulp", args.Error());
    CliSession session(args.Flag("--yes"));
    if (!session.Open(args.Positional()[0])) return kExitFailed;
    if (session.Doc().DrawUlpTrees() != CLattixDoc::UlpDrawResult::Drawn) return kExitFailed;
    return session.SaveAs(*out) ? kExitOk : kExitFailed;
}
