#include "world/Population.h"
#include "world/Random.h"
#include <algorithm>

namespace {
bool kindPresent() { return randRange(0, 101) > 50; }
} // namespace

int drawAreaCount(int area, int divisor) {
    if (!kindPresent()) return 0;
    // Every map the game makes holds at least two blocks of the largest divisor, so the
    // floor never changes a real map; it keeps a hand-sized tiny map from a zero range.
    return randRange(1, std::max(2, area / divisor));
}

int drawFixedCount() {
    if (!kindPresent()) return 0;
    return randRange(1, 10);
}
