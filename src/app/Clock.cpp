#include "app/Clock.h"

namespace {
TickSource tickSource = nullptr;
WallClockSource wallClockSource = nullptr;
} // namespace

Uint32 ticksNow() { return tickSource ? tickSource() : SDL_GetTicks(); }

time_t wallClockNow() { return wallClockSource ? wallClockSource() : time(nullptr); }

void setTickSource(TickSource source) { tickSource = source; }

void setWallClockSource(WallClockSource source) { wallClockSource = source; }
