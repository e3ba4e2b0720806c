#include "platform/desktop/Window.h"
#include "app/Loop.h"
#include "platform/desktop/Sdl2.h"
#include <algorithm>
#include <cstdlib>
#include <string>

namespace {
// An eighth of the screen's height and width is kept for panels and the window frame:
// on 1920x1080 that leaves 945 rows, so 3x (720) rather than a 4x (960) that the top
// and bottom panels would cover.
constexpr int kRoomEighths = 7;

constexpr Uint32 kSdl2FullScreenFlag = 0x1; // set for both of SDL2's kinds of full screen

// Where the window was before full screen, to put it back there.
sdl2::Rect windowed;

sdl2::Rect placeOf(void* window) {
    sdl2::Rect place{};
    sdl2::call<void(void*, int*, int*)>("SDL_GetWindowPosition")(window, &place.x, &place.y);
    sdl2::call<void(void*, int*, int*)>("SDL_GetWindowSize")(window, &place.w, &place.h);
    return place;
}

void moveTo(void* window, const sdl2::Rect& place) {
    sdl2::call<void(void*, int, int)>("SDL_SetWindowPosition")(window, place.x, place.y);
    sdl2::call<void(void*, int, int)>("SDL_SetWindowSize")(window, place.w, place.h);
}

sdl2::Rect screenOf(void* window) {
    sdl2::Rect bounds = placeOf(window);
    int display = sdl2::call<int(void*)>("SDL_GetWindowDisplayIndex")(window);
    sdl2::call<int(int, sdl2::Rect*)>("SDL_GetDisplayBounds")(display, &bounds);
    return bounds;
}

bool isFullScreen(void* window) {
    return sdl2::call<Uint32(void*)>("SDL_GetWindowFlags")(window) & kSdl2FullScreenFlag;
}

void enterFullScreen(void* window) {
    windowed = placeOf(window);
    // Without a window manager nobody grows the window to the screen, yet SDL2 draws as
    // if someone had, and the window would show the picture's top-left corner. Grown
    // first, it already is what SDL2 believes.
    moveTo(window, screenOf(window));
    // 4x on 1080 rows rather than 4.5x: every game pixel the same size, black round them.
    if (void* renderer = sdl2::call<void*(void*)>("SDL_GetRenderer")(window))
        sdl2::call<int(void*, SDL_bool)>("SDL_RenderSetIntegerScale")(renderer, SDL_TRUE);
    SDL_WM_ToggleFullScreen(screen);
}

void leaveFullScreen(void* window) {
    SDL_WM_ToggleFullScreen(screen);
    // A window manager has framed the window again by now; SDL2 learns the frame's size
    // from the events, and places the window by it.
    SDL_PumpEvents();
    // Without one nobody gives the window its size back, and SDL2 would go on drawing
    // for the whole screen.
    moveTo(window, windowed);
}

} // namespace

int fittingWindowScale(int screenWidth, int screenHeight) {
    int across = screenWidth * kRoomEighths / 8 / 320;
    int down = screenHeight * kRoomEighths / 8 / 240;
    return std::max(1, std::min(across, down));
}

void askForSharpPixels() { setenv("SDL12COMPAT_SCALE_METHOD", "nearest", 0); }

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

void toggleFullScreen() {
    void* window = sdl2::window();
    if (!window)
        SDL_WM_ToggleFullScreen(screen);
    else if (isFullScreen(window))
        leaveFullScreen(window);
    else
        enterFullScreen(window);
    // The menu draws only when the player moves in it; until then the resized window
    // would keep the picture it held at its old size.
    SDL_Flip(screen);
}
