// The desktop: a window scaled to the screen, full screen on F11 or Alt+Enter, and a
// game controller played like the handheld. The game's files are found by main.
#include "app/Installation.h"
#include "app/StartUpFailure.h"
#include "platform/Platform.h"
#include "platform/desktop/Window.h"
#include "platform/gamepad/Gamepad.h"

namespace platform {

void beforeSdlStarts() { askForGameControllers(); }

void prepareScreen() {
    requireDisplay();
    scaleWindowToScreen();
    requireInstallation();
}

bool translateEvent(SDL_Event& event) {
    if (event.type == SDL_KEYDOWN && isFullScreenKey(event.key.keysym)) {
        toggleFullScreen();
        return false;
    }
    if (padLayout) event = asHandheldEvent(event);
    return event.type != SDL_NOEVENT;
}

// The desktop's player started the game from a shell or a menu, which is still there.
void handOver() {}

} // namespace platform
