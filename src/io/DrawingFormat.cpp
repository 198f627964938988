#include "io/DrawingFormat.h"

#include <cctype>
#include <utility>

bool DrawingFormatOf(const std::string& path, DrawingFormat& format) {
    const std::size_t slash = path.find_last_of('/');
    const std::size_t dot = path.find_last_of('.');
    if (dot == std::string::npos || (slash != std::string::npos && dot < slash)) return false;
    std::string suffix = path.substr(dot + 1);
    for (char& c : suffix) c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
    static const std::pair<const char*, DrawingFormat> kSuffixes[] = {
        {"svg", DrawingFormat::Svg},  {"png", DrawingFormat::Png}, {"pdf", DrawingFormat::Pdf},
        {"tex", DrawingFormat::Tikz}, {"ipe", DrawingFormat::Ipe}, {"dot", DrawingFormat::Dot}};
    for (const auto& [s, f] : kSuffixes)
        if (suffix == s) {
            format = f;
            return true;
        }
    return false;
}
