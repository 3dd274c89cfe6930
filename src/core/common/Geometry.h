#pragma once
// The plain geometry of the window layouts: a point, a rectangle and the system's
// multiply-divide, kept free of the window system so that layouts can be checked alone.

namespace korva {

struct Point {
    int x, y;
    bool operator==(const Point&) const = default;
};

struct Rect {
    int left, top, width, height;
    bool operator==(const Rect&) const = default;
};

// Win32 MulDiv: a * b / c rounded to the nearest integer (halves away from zero); -1 when c
// is 0 or the result does not fit an int.
int MulDiv(int a, int b, int c);

}  // namespace korva
