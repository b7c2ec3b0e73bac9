#pragma once

namespace corvane {

/// A point in screen coordinates (points, bottom-left origin).
struct Point {
    double x{};
    double y{};

    bool operator==(const Point&) const = default;
};

/// A rectangle in screen coordinates (points, bottom-left origin, so `maxY` is the top edge).
struct Rect {
    double x{};
    double y{};
    double width{};
    double height{};

    double minX() const { return x; }
    double maxX() const { return x + width; }
    double midX() const { return x + width / 2; }
    double minY() const { return y; }
    double maxY() const { return y + height; }

    /// The rectangle grown by `d` points on every side (shrunk when `d` is negative).
    Rect outset(double d) const { return {x - d, y - d, width + 2 * d, height + 2 * d}; }
    /// True when `p` lies inside or on the edge.
    bool contains(Point p) const { return p.x >= minX() && p.x <= maxX() && p.y >= minY() && p.y <= maxY(); }
    /// True when `p` lies inside, on the left or bottom edge, but not on the right or top edge, so
    /// rectangles that touch share no point.
    bool containsHalfOpen(Point p) const { return p.x >= minX() && p.x < maxX() && p.y >= minY() && p.y < maxY(); }

    bool operator==(const Rect&) const = default;
};

} // namespace corvane
