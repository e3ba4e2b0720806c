// The browser page: its files lie at the root of the page's own file system, packed
// from a build whose start-up check passed, and a pad in the browser's standard layout
// arrives renumbered into the shared controller order (Input.js). The on-screen
// buttons of a touch screen arrive as a second joystick already in the handheld's
// numbering.
#include "app/Loop.h"
#include "platform/Platform.h"
#include "platform/gamepad/Gamepad.h"

namespace platform {

namespace {

constexpr int kTouchButtons = 1; // the joystick the page's touch controls press

bool isButton(const SDL_Event& event) {
    return event.type == SDL_JOYBUTTONDOWN || event.type == SDL_JOYBUTTONUP;
}

bool isKey(const SDL_Event& event) { return event.type == SDL_KEYDOWN || event.type == SDL_KEYUP; }

// A page has nothing to quit to: Ctrl+C and Select, which quit elsewhere, pause to the
// menu as x and Start do (in the menu they do nothing).
void quitMeansPause(SDL_Event& event) {
    if (isKey(event) && event.key.keysym.sym == SDLK_c && (event.key.keysym.mod & KMOD_CTRL)) {
        event.key.keysym.sym = SDLK_x;
        event.key.keysym.mod = KMOD_NONE;
    }
    if (isButton(event) && event.jbutton.button == ButtonSelect) event.jbutton.button = ButtonStart;
}

} // namespace

void beforeSdlStarts() { askForGameControllers(); }

void prepareScreen() {}

bool translateEvent(SDL_Event& event) {
    const bool touched = isButton(event) && event.jbutton.which == kTouchButtons;
    if (padLayout && !touched) event = asHandheldEvent(event);
    if (touched) event.jbutton.which = 0;
    quitMeansPause(event);
    return event.type != SDL_NOEVENT;
}

// A page has nothing to hand over to: the tab stays open.
void handOver() {}

} // namespace platform
