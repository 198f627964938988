#pragma once
// Zooming and scrolling the way other editors do it: zoom steps through the document's
// table about a fixed point, fitting the drawing into the window, and the plain wheel's
// step. Every editor view of the document moves with the zoom: the one the user works
// in keeps the point under the cursor, the others keep their centres.

#include <cstdint>
#include <optional>

#include <QPoint>

#include "model/Geometry.h"

class CLattixDoc;
class CLattixView;

namespace nav {

inline constexpr int kZoomIndexOf100 = 9;
inline constexpr int kZoomSteps = 14;
// Pixels the plain wheel scrolls per notch: about three lines of text.
inline constexpr int kWheelStepPixels = 48;

//! Sets the zoom index of `doc` (clamped to the table). `anchor` is a client point of
//! `focus` that stays over the same document point; without one, the focus view keeps its
//! centre like every other view. Marks the document modified when the zoom changed, as
//! the zoom box does, and repaints.
void SetZoom(CLattixDoc& doc, int index, CLattixView* focus, std::optional<QPoint> anchor);

//! The scroll position, in pixels, that keeps the document point `docPoint` at the client
//! point `client` at zoom `zoom`, held inside the scrolling extent.
Point ScrollKeeping(double docX, double docY, QPoint client, double zoom, std::int32_t clientWidth,
                    std::int32_t clientHeight);

//! The box of everything drawn, in document units; nullopt for an empty drawing.
std::optional<Rect> DrawingBounds(const CLattixDoc& doc);

//! The largest zoom index at which `bounds` fits into a client area of the given size
//! (with a small margin); the smallest entry when nothing fits.
int FittingZoomIndex(const Rect& bounds, std::int32_t clientWidth, std::int32_t clientHeight);

//! Fit Drawing: the fitting zoom, then the drawing centred in `view`. False for an empty
//! drawing (nothing changes).
bool FitDrawing(CLattixDoc& doc, CLattixView& view);

} // namespace nav
