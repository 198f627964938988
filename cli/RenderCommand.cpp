#include <cstdlib>
#include <iostream>

#include "CliSession.h"
#include "Commands.h"
#include "QtFormats.h"
#include "io/DrawingFormat.h"
#include "io/ImportedGraph.h"

int RunRender(const CliArguments& raw) {
    CliArgs args(raw, {"--margin", "--scale"});
    if (!args.Ok() || args.Positional().size() != 2) return UsageError("render", args.Error());
    const std::string& in = args.Positional()[0];
    const std::string& out = args.Positional()[1];
    const std::string inExt = ExtensionOf(in);
    if (inExt != ".lxd" && inExt != ".graphml" && !IsImportExtension(inExt))
        return UsageError("render", "input must be .lxd, .graphml, .dot, .gv or .gml");
    DrawingFormat format;
    if (!DrawingFormatOf(out, format)) return UsageError("render", "output must be .svg, .png, .pdf, .tex, .ipe or .dot");
    DrawingExportOptions options;
    options.guides = args.Flag("--guides");
    options.selectionOnly = args.Flag("--selection");
    if (const std::string* margin = args.Option("--margin")) {
        long long value = 0;
        if (!ParseInt(*margin, value) || value < 0 || value > 1000)
            return UsageError("render", "--margin takes a number of pixels from 0 to 1000");
        options.margin = static_cast<std::int32_t>(value);
    }
    if (const std::string* scale = args.Option("--scale")) {
        char* end = nullptr;
        const double value = std::strtod(scale->c_str(), &end);
        if (scale->empty() || *end != '\0' || !(value > 0 && value <= 16))
            return UsageError("render", "--scale takes a number above 0 and up to 16");
        if (format != DrawingFormat::Png) return UsageError("render", "--scale applies to .png only");
        options.scale = value;
    }

    if (!HasPictures()) {
        std::cout << kNoPictures << '\n';
        return kExitFailed;
    }
    CliSession session;
    if (!session.Open(in)) return kExitFailed;
    std::string error;
    if (!QtFormats()->exportDrawing(session.Doc(), &session.View(), out, options, error)) {
        std::cout << error << '\n';
        return kExitFailed;
    }
    return kExitOk;
}
