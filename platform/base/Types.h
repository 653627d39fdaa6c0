#pragma once

#include <algorithm>
#include <cstdint>
#include <string>

// Byte strings in the platform's multi-byte code page, which here is UTF-8.
using AnsiString = std::string;

struct TPoint {
    int X = 0;
    int Y = 0;
    bool operator==(const TPoint&) const = default;
};

// Half-open: a rectangle covers Left <= x < Right and Top <= y < Bottom.
struct TRect {
    int Left = 0;
    int Top = 0;
    int Right = 0;
    int Bottom = 0;

    int Width() const { return Right - Left; }
    int Height() const { return Bottom - Top; }
    bool operator==(const TRect&) const = default;
};

inline TPoint Point(int x, int y) {
    return {x, y};
}
inline TRect Rect(int left, int top, int right, int bottom) {
    return {left, top, right, bottom};
}
inline TRect Bounds(int left, int top, int width, int height) {
    return {left, top, left + width, top + height};
}

inline void OffsetRect(TRect& r, int dx, int dy) {
    r.Left += dx;
    r.Right += dx;
    r.Top += dy;
    r.Bottom += dy;
}
inline bool IsRectEmpty(const TRect& r) {
    return r.Right <= r.Left || r.Bottom <= r.Top;
}
inline bool PtInRect(const TRect& r, TPoint p) {
    return p.X >= r.Left && p.X < r.Right && p.Y >= r.Top && p.Y < r.Bottom;
}
// The overlap of two rectangles; an empty rectangle (all zero) when they do not meet.
inline TRect IntersectRect(const TRect& a, const TRect& b) {
    TRect r{std::max(a.Left, b.Left), std::max(a.Top, b.Top), std::min(a.Right, b.Right),
            std::min(a.Bottom, b.Bottom)};
    return IsRectEmpty(r) ? TRect{} : r;
}
// The smallest rectangle holding both; an empty one does not count.
inline TRect UnionRect(const TRect& a, const TRect& b) {
    if (IsRectEmpty(a))
        return b;
    if (IsRectEmpty(b))
        return a;
    return {std::min(a.Left, b.Left), std::min(a.Top, b.Top), std::max(a.Right, b.Right),
            std::max(a.Bottom, b.Bottom)};
}
