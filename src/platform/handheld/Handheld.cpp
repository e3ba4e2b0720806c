// The GP2X: its joystick already speaks in the game's button numbering, its screen is
// the game's 320x240, and its FAT memory card cannot hold a backslash in a file name.
#include "app/Installation.h"
#include "platform/Platform.h"
#include <unistd.h>

namespace platform {

void beforeSdlStarts() {}

void prepareScreen() { requireInstallation(); }

bool translateEvent(SDL_Event&) { return true; }

// The handheld's menu is not running while a game is: it is started again in its place.
void handOver() {
    if (chdir("/usr/gp2x") != 0) return;
    execl("/usr/gp2x/gp2xmenu", "/usr/gp2x/gp2xmenu", static_cast<char*>(nullptr));
}

} // namespace platform
