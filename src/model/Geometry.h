#pragma once
// Integer geometry of the canvas: points and rectangles in document units.

#include <algorithm>
#include <cstdint>

struct Point {
    std::int32_t x = 0;
    std::int32_t y = 0;

    friend bool operator==(const Point&, const Point&) = default;
    Point operator+(Point o) const { return {x + o.x, y + o.y}; }
    Point operator-(Point o) const { return {x - o.x, y - o.y}; }
};

struct Rect {
    std::int32_t left = 0;
    std::int32_t top = 0;
    std::int32_t right = 0;
    std::int32_t bottom = 0;

    friend bool operator==(const Rect&, const Rect&) = default;

    std::int32_t Width() const { return right - left; }
    std::int32_t Height() const { return bottom - top; }
    // Each coordinate is the integer half of the sum of the two sides.
    Point Center() const { return {(left + right) / 2, (top + bottom) / 2}; }

    Rect Offset(Point d) const { return {left + d.x, top + d.y, right + d.x, bottom + d.y}; }
    Rect Inflated(std::int32_t l, std::int32_t t, std::int32_t r, std::int32_t b) const {
        return {left - l, top - t, right + r, bottom + b};
    }
    Rect Normalized() const {
        return {std::min(left, right), std::min(top, bottom), std::max(left, right), std::max(top, bottom)};
    }
    static Rect Spanning(Point a, Point b) { return Rect{a.x, a.y, b.x, b.y}.Normalized(); }

    // Left and top borders belong to the rectangle, right and bottom ones do not.
    bool Contains(Point p) const { return p.x >= left && p.x < right && p.y >= top && p.y < bottom; }
};

// The canvas every document draws on, in document units.
inline constexpr std::int32_t kCanvasSize = 20000;
