#pragma once

// How many of a kind the area-based maps (levels 3 and 4) get.

// A kind is present on 50 of 101 maps; a present kind gets 1 up to (area / divisor) - 1
// entities, fewer than one per divisor-sized block. Draws the test, then the count.
int drawAreaCount(int area, int divisor);
// The same presence test with a count of 1 up to 9 that does not depend on the map.
int drawFixedCount();
