#pragma once

struct Point {
    int x;
    int y;
};

// The game's one notion of distance is Euclidean, truncated toward zero. "At most r
// apart" is then exactly dx² + dy² < (r + 1)², which needs no square root: the
// handheld has no floating-point unit, and this test runs for every entity in every
// frame.
inline bool withinDistance(Point a, Point b, int r) {
    if (r < 0) return false;
    long long dx = a.x - b.x;
    long long dy = a.y - b.y;
    long long limit = r + 1LL;
    return dx * dx + dy * dy < limit * limit;
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
