#pragma once
#include <cmath>

struct Point {
    int x;
    int y;
};

// The game's one notion of distance: Euclidean, truncated toward zero.
inline int truncatedDistance(Point a, Point b) {
    int dx = a.x - b.x;
    int dy = a.y - b.y;
    return static_cast<int>(std::sqrt(static_cast<double>(dx * dx + dy * dy)));
}
