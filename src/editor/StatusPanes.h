#pragma once
// Texts of the two status-bar panes.

#include <string>

class CLattixDoc;

// "0 Crossings", "1 Crossing (Blue)", "3 Crossings (2 Red,1 Green)".
std::string CrossingsPaneText(const CLattixDoc& doc);
// "2 Connected Components, 2 Trees, 2 ULP Trees (1 Caterpillar, 1 3-Spider)"; empty for
// an empty graph.
std::string ComponentsPaneText(const CLattixDoc& doc);
