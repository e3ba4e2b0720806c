// The browser page: its files lie at the root of the page's own file system, packed
// from a build whose start-up check passed, and a pad in the browser's standard layout
// arrives renumbered into the shared controller order (web/sdl_overrides.js).
#include "platform/Platform.h"
#include "platform/gamepad/Gamepad.h"

namespace platform {

void beforeSdlStarts() { askForGameControllers(); }

void prepareScreen() {}

bool translateEvent(SDL_Event& event) {
    if (padLayout) event = asHandheldEvent(event);
    return event.type != SDL_NOEVENT;
}

// A page has nothing to hand over to: the tab stays open.
void handOver() {}

} // namespace platform
