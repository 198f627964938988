#pragma once
// Highlight colours of the tree classification (0x00BBGGRR).

#include "model/Colors.h"

inline constexpr Rgb kCaterpillarColor = 0xFF8F8F;
inline constexpr Rgb kRadius2StarColor = 0x48D064;
inline constexpr Rgb kSpiderColor = 0xAB82AB;
inline constexpr Rgb kCycleColor = 0x003D79;
inline constexpr Rgb kWitnessLColor = 0x6698FF;
inline constexpr Rgb kWitnessF1Color = 0xD2A6FF;
inline constexpr Rgb kWitnessF2Color = 0x00E6E6;
