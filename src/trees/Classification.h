#pragma once
// The tree classification of one extracted component, and its highlight colours
// (0x00BBGGRR).

#include <vector>

#include "model/Colors.h"

class CVertex;
class CEdge;

inline constexpr Rgb kCaterpillarColor = 0xFF8F8F;
inline constexpr Rgb kRadius2StarColor = 0x48D064;
inline constexpr Rgb kSpiderColor = 0xAB82AB;
inline constexpr Rgb kCycleColor = 0x003D79;
inline constexpr Rgb kWitnessLColor = 0x6698FF;
inline constexpr Rgb kWitnessF1Color = 0xD2A6FF;
inline constexpr Rgb kWitnessF2Color = 0x00E6E6;

// Each test and search works on the vertices and edges of one component, in element order.
// A class test that succeeds colours the component in its class colour; a search that
// succeeds colours what it found, and one that fails colours nothing.

// Whether two non-bend vertices share a track.
bool HasSharedTrack(const std::vector<CVertex*>& vertices);
bool IsCaterpillar(const std::vector<CVertex*>& vertices, const std::vector<CEdge*>& edges);
bool IsRadius2Star(const std::vector<CVertex*>& vertices, const std::vector<CEdge*>& edges);
bool Is3Spider(const std::vector<CVertex*>& vertices, const std::vector<CEdge*>& edges);
// The first cycle a depth-first search from the first vertex meets.
bool HighlightCycle(const std::vector<CVertex*>& vertices);
// The witnesses that a tree lacks a class: L for a tree with shared tracks, F1 and F2
// for one without.
bool WitnessSearchL(const std::vector<CVertex*>& vertices);
bool WitnessSearchF1(const std::vector<CVertex*>& vertices);
bool WitnessSearchF2(const std::vector<CVertex*>& vertices);
