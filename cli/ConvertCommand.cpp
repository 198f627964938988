#include "CliSession.h"
#include "Commands.h"

int RunConvert(const CliArguments& raw) {
    CliArgs args(raw, {});
    if (!args.Ok() || args.Positional().size() != 2) return UsageError("convert", args.Error());
    const std::string& in = args.Positional()[0];
    const std::string& out = args.Positional()[1];
    const std::string inExt = ExtensionOf(in), outExt = ExtensionOf(out);
    if (inExt != ".lxd" && inExt != ".graphml") return UsageError("convert", "input must be .lxd or .graphml");
    if (outExt != ".lxd" && outExt != ".txt" && outExt != ".graphml")
        return UsageError("convert", "output must be .lxd, .txt or .graphml");
    CliSession session;
    if (!session.Open(in)) return kExitFailed;
    return session.SaveAs(out) ? kExitOk : kExitFailed;
}
