#include "io/DrawingFormat.h"

#include <utility>

#include "io/FileIO.h"

bool DrawingFormatOf(const std::string& path, DrawingFormat& format) {
    const std::string ext = ExtensionOf(path);
    static const std::pair<const char*, DrawingFormat> kExtensions[] = {
        {".svg", DrawingFormat::Svg},  {".png", DrawingFormat::Png}, {".pdf", DrawingFormat::Pdf},
        {".tex", DrawingFormat::Tikz}, {".ipe", DrawingFormat::Ipe}, {".dot", DrawingFormat::Dot}};
    for (const auto& [e, f] : kExtensions)
        if (ext == e) {
            format = f;
            return true;
        }
    return false;
}
