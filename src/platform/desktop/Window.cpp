#include "platform/desktop/Window.h"
#include "app/Loop.h"
#include <algorithm>
#include <cstdlib>
#include <string>

namespace {
// An eighth of the screen's height and width is kept for panels and the window frame:
// on 1920x1080 that leaves 945 rows, so 3x (720) rather than a 4x (960) that the top
// and bottom panels would cover.
constexpr int kRoomEighths = 7;
} // namespace

int fittingWindowScale(int screenWidth, int screenHeight) {
    int across = screenWidth * kRoomEighths / 8 / 320;
    int down = screenHeight * kRoomEighths / 8 / 240;
    return std::max(1, std::min(across, down));
}

void scaleWindowToScreen() {
    if (std::getenv("SDL12COMPAT_WINDOW_SCALING")) return;
    const SDL_VideoInfo* desktop = SDL_GetVideoInfo();
    if (!desktop) return;
    std::string scale = std::to_string(fittingWindowScale(desktop->current_w, desktop->current_h));
    setenv("SDL12COMPAT_WINDOW_SCALING", scale.c_str(), 1);
}

bool isFullScreenKey(const SDL_keysym& key) {
    return key.sym == SDLK_F11 || (key.sym == SDLK_RETURN && (key.mod & KMOD_ALT));
}

void toggleFullScreen() { SDL_WM_ToggleFullScreen(screen); }
