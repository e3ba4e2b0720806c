#pragma once
#include "world/Point.h"

// The nuke's fire ring: sixty flames, 6 degrees apart, the first one east of the centre.
constexpr int kFireRingFlames = 60;

// Where flame number `flame` (0..59) burns on a ring of `radius` around `centre`.
// Whole-number maths only, drawn in every frame of a nuke on a handheld without a
// floating-point unit; rounded as the game always has: half a pixel added, then cut
// toward zero.
Point fireRingFlame(Point centre, int radius, int flame);
