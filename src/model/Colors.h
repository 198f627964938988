#pragma once
// Colour tables shared by the model, the editor and the renderer.
// Colours are 32-bit values laid out 0x00BBGGRR.

#include <cstdint>
#include <string_view>

using Rgb = std::uint32_t;

constexpr Rgb MakeRgb(std::uint8_t r, std::uint8_t g, std::uint8_t b) {
    return Rgb(r) | (Rgb(g) << 8) | (Rgb(b) << 16);
}
constexpr std::uint8_t RedOf(Rgb c) { return std::uint8_t(c & 0xFF); }
constexpr std::uint8_t GreenOf(Rgb c) { return std::uint8_t((c >> 8) & 0xFF); }
constexpr std::uint8_t BlueOf(Rgb c) { return std::uint8_t((c >> 16) & 0xFF); }

inline constexpr Rgb kNoHighlight = 0x00FFFFFF;
inline constexpr Rgb kWhite = 0x00FFFFFF;
inline constexpr Rgb kBlack = 0x00000000;

// Edge colour codes 1..8.
enum EdgeColorCode : std::uint16_t {
    kEdgeBlue = 1,
    kEdgeRed = 2,
    kEdgeGreen = 3,
    kEdgeYellow = 4,
    kEdgeOrange = 5,
    kEdgeCyan = 6,
    kEdgePurple = 7,
    kEdgeBlack = 8,
};

// Named colour ids of the colour menus, 101..115.
inline constexpr int kFirstColorId = 101;
inline constexpr int kLastColorId = 115;
inline constexpr int kColorIdBlue = 101;

bool IsEdgeColorCode(int code);
// Drawing colour of an edge colour code; grey for anything outside 1..8.
Rgb ColorOfEdgeCode(int code);
// RGB value of a named colour id; black for any id outside 101..115.
Rgb ColorIdToRgb(int id);
// Name of a colour id ("Blue", ..., "Light Purple"), empty outside 101..115.
std::string_view ColorIdName(int id);
// The edge colour code whose drawing colour is rgb, or 0 when there is none.
int EdgeCodeOfRgb(Rgb rgb);
// Name of an edge colour code ("Blue" .. "Black"), empty outside 1..8.
std::string_view EdgeCodeName(int code);
