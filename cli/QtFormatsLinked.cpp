// Every format: arborix-cli-qt, the in-process tests and the fuzzer.

#include <cstdlib>
#include <memory>

#include <QGuiApplication>

#include "QtFormats.h"
#include "shell/formats/DrawingExport.h"
#include "shell/formats/GraphMl.h"

namespace {

// Text in pictures needs Qt's GUI application; without a display the offscreen platform
// serves.
std::unique_ptr<QGuiApplication> StartGuiApplication() {
    static int argc = 1;
    static char name[] = "arborix-cli";
    static char* argv[] = {name, nullptr};
    if (std::getenv("DISPLAY") == nullptr && std::getenv("WAYLAND_DISPLAY") == nullptr &&
        std::getenv("QT_QPA_PLATFORM") == nullptr)
        setenv("QT_QPA_PLATFORM", "offscreen", 0);
    return std::make_unique<QGuiApplication>(argc, argv);
}

bool ExportDrawingWithFonts(CLattixDoc& doc, CDocView* view, const std::string& path,
                            const DrawingExportOptions& options, std::string& error) {
    const auto app = StartGuiApplication();
    return ExportDrawing(doc, view, path, options, error);
}

bool ExportReplaySvgWithFonts(CLattixDoc& doc, const std::string& path, std::string& error) {
    const auto app = StartGuiApplication();
    return ExportReplaySvg(doc, path, error);
}

constexpr QtFormatEntries kEntries{ReadGraphMl, WriteGraphMl, ExportDrawingWithFonts, ExportReplaySvgWithFonts};

} // namespace

const QtFormatEntries* QtFormats() { return &kEntries; }
