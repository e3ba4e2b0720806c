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

// Directions 1..8: north, south, west, east, north-west, north-east, south-west,
// south-east. Everything that walks or drives steps one of these ways.
inline bool isStraightDirection(int direction) { return direction >= 1 && direction <= 4; }
inline bool isDiagonalDirection(int direction) { return direction >= 5 && direction <= 8; }

// The one-pixel step of a direction; no step for anything else.
inline Point directionStep(int direction) {
    static const Point steps[9] = {{0, 0},   {0, -1}, {0, 1},  {-1, 0}, {1, 0},
                                   {-1, -1}, {1, -1}, {-1, 1}, {1, 1}};
    if (direction < 1 || direction > 8) return {0, 0};
    return steps[direction];
}
