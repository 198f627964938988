#include "editor/ElementDrawing.h"

#include "model/Colors.h"

PenStyle DashStyleOf(int code) {
    switch (code) {
    case kEdgeRed:
    case kEdgeCyan: return PenStyle::Dash;
    case kEdgeGreen:
    case kEdgePurple: return PenStyle::DashDot;
    case kEdgeYellow:
    case kEdgeBlack: return PenStyle::DashDotDot;
    default: return PenStyle::Solid; // Blue, Orange, and anything that is no edge colour
    }
}

PenStyle TrackDashStyleOf(int colorId) { return DashStyleOf(EdgeCodeOfRgb(ColorIdToRgb(colorId))); }
