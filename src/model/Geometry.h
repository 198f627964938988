#pragma once
// Integer geometry of the canvas: points and rectangles in document units.

#include <algorithm>
#include <climits>
#include <cstdint>

// Sums of coordinates saturate instead of overflowing: a damaged file may hold any value.
inline std::int32_t SaturatedAdd(std::int64_t a, std::int64_t b) {
    return std::int32_t(std::clamp<std::int64_t>(a + b, INT32_MIN, INT32_MAX));
}

struct Point {
    std::int32_t x = 0;
    std::int32_t y = 0;

    friend bool operator==(const Point&, const Point&) = default;
    Point operator+(Point o) const { return {SaturatedAdd(x, o.x), SaturatedAdd(y, o.y)}; }
    Point operator-(Point o) const { return {SaturatedAdd(x, -std::int64_t(o.x)), SaturatedAdd(y, -std::int64_t(o.y))}; }
};

struct Rect {
    std::int32_t left = 0;
    std::int32_t top = 0;
    std::int32_t right = 0;
    std::int32_t bottom = 0;

    friend bool operator==(const Rect&, const Rect&) = default;

    // Computed wide and saturated, so that coordinates from a damaged file stay defined.
    std::int32_t Width() const { return Saturate(std::int64_t(right) - left); }
    std::int32_t Height() const { return Saturate(std::int64_t(bottom) - top); }
    // Each coordinate is the integer half of the sum of the two sides.
    Point Center() const {
        return {std::int32_t((std::int64_t(left) + right) / 2), std::int32_t((std::int64_t(top) + bottom) / 2)};
    }
    static std::int32_t Saturate(std::int64_t v) {
        return std::int32_t(std::clamp<std::int64_t>(v, INT32_MIN, INT32_MAX));
    }

    Rect Offset(Point d) const {
        return {SaturatedAdd(left, d.x), SaturatedAdd(top, d.y), SaturatedAdd(right, d.x), SaturatedAdd(bottom, d.y)};
    }
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
// Coordinates far beyond the canvas only come from damaged files or runaway arithmetic;
// they are held within this range, where sums of a few coordinates cannot overflow.
inline constexpr std::int32_t kCoordinateLimit = 1 << 24;
