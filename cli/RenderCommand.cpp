#include <cstdlib>
#include <iostream>


#include "CliSession.h"
#include "Commands.h"
#include "FontSupport.h"
#include "shell/formats/DrawingExport.h"

int RunRender(const CliArguments& raw) {
    CliArgs args(raw, {"--margin"});
    if (!args.Ok() || args.Positional().size() != 2) return UsageError("render", args.Error());
    const std::string& in = args.Positional()[0];
    const std::string& out = args.Positional()[1];
    const std::string inExt = ExtensionOf(in), outExt = ExtensionOf(out);
    if (inExt != ".lxd" && inExt != ".graphml") return UsageError("render", "input must be .lxd or .graphml");
    if (outExt != ".svg" && outExt != ".png") return UsageError("render", "output must be .svg or .png");
    DrawingExportOptions options;
    options.guides = args.Flag("--guides");
    if (const std::string* margin = args.Option("--margin")) {
        long long value = 0;
        if (!ParseInt(*margin, value) || value < 0 || value > 1000)
            return UsageError("render", "--margin takes a number of pixels from 0 to 1000");
        options.margin = static_cast<std::int32_t>(value);
    }

    FontSupport fonts;

    CliSession session;
    if (!session.Open(in)) return kExitFailed;
    std::string error;
    if (!ExportDrawing(session.Doc(), &session.View(), out, options, error)) {
        std::cout << error << '\n';
        return kExitFailed;
    }
    return kExitOk;
}
