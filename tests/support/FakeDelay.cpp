#include "support/TestSupport.h"
#include <algorithm>

// The unit tests link with --wrap=SDL_Delay: a delay the game asks for while a fake
// clock runs passes on that clock at once.
extern "C" void __real_SDL_Delay(Uint32 ms);

extern "C" void __wrap_SDL_Delay(Uint32 ms) {
    FakeClock* clock = FakeClock::running();
    if (!clock) return __real_SDL_Delay(ms);
    clock->longestDelay = std::max(clock->longestDelay, ms);
    clock->advance(ms);
}
