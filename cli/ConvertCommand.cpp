#include "CliSession.h"
#include "Commands.h"
#include "io/ImportedGraph.h"

int RunConvert(const CliArguments& raw) {
    CliArgs args(raw, {});
    if (!args.Ok() || args.Positional().size() != 2) return UsageError("convert", args.Error());
    const std::string& in = args.Positional()[0];
    const std::string& out = args.Positional()[1];
    const std::string inExt = ExtensionOf(in), outExt = ExtensionOf(out);
    if (inExt != ".lxd" && inExt != ".graphml" && !IsImportExtension(inExt))
        return UsageError("convert", "input must be .lxd, .graphml, .dot, .gv or .gml");
    if (outExt != ".lxd" && outExt != ".txt" && outExt != ".graphml")
        return UsageError("convert", "output must be .lxd, .txt or .graphml");
    CliSession session;
    if (!session.Open(in)) return kExitFailed;
    return session.SaveAs(out) ? kExitOk : kExitFailed;
}
