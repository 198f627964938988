#include "model/Colors.h"

#include <array>

namespace {

struct NamedColor {
    std::string_view name;
    Rgb rgb;
};

constexpr std::array<NamedColor, 15> kNamedColors = {{
    {"Blue", MakeRgb(32, 32, 255)},
    {"Red", MakeRgb(216, 16, 16)},
    {"Green", MakeRgb(0, 160, 0)},
    {"Yellow", MakeRgb(248, 248, 0)},
    {"Orange", MakeRgb(255, 128, 0)},
    {"Cyan", MakeRgb(0, 255, 255)},
    {"Purple", MakeRgb(128, 24, 128)},
    {"Black", MakeRgb(0, 0, 0)},
    {"Light Blue", MakeRgb(143, 143, 255)},
    {"Light Red", MakeRgb(216, 114, 114)},
    {"Light Green", MakeRgb(200, 255, 200)},
    {"Light Yellow", MakeRgb(255, 255, 189)},
    {"Light Orange", MakeRgb(255, 192, 128)},
    {"Light Cyan", MakeRgb(191, 255, 255)},
    {"Light Purple", MakeRgb(171, 130, 171)},
}};

} // namespace

bool IsEdgeColorCode(int code) { return code >= 1 && code <= 8; }

Rgb ColorOfEdgeCode(int code) {
    // The eight edge colours are the first eight named colours.
    return IsEdgeColorCode(code) ? kNamedColors[code - 1].rgb : MakeRgb(128, 128, 128);
}

Rgb ColorIdToRgb(int id) {
    if (id < kFirstColorId || id > kLastColorId) return kBlack;
    return kNamedColors[id - kFirstColorId].rgb;
}

std::string_view ColorIdName(int id) {
    if (id < kFirstColorId || id > kLastColorId) return {};
    return kNamedColors[id - kFirstColorId].name;
}

int EdgeCodeOfRgb(Rgb rgb) {
    for (int code = 1; code <= 8; ++code)
        if (kNamedColors[code - 1].rgb == rgb) return code;
    return 0;
}

std::string_view EdgeCodeName(int code) {
    return IsEdgeColorCode(code) ? kNamedColors[code - 1].name : std::string_view{};
}
