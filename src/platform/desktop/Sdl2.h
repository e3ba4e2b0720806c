#pragma once
#include <SDL/SDL.h>

// On the desktop SDL 1.2 is sdl12-compat, which plays its part on top of SDL2 and loads
// that library itself. The few things SDL 1.2 has no words for (the window as it really
// is on the screen, whole-number scaling, controller events) are asked of that SDL2.
// Everything here is null or does nothing when the game runs on another SDL 1.2.
namespace sdl2 {

struct Rect {
    int x, y, w, h;
};

// A function of the SDL2 in this process, by name; null when there is none.
void* function(const char* name);

template <typename Signature> Signature* call(const char* name) {
    return reinterpret_cast<Signature*>(function(name));
}

// The SDL2 window sdl12-compat shows the game's screen in, once the video mode is set.
void* window();

// sdl12-compat opens game controllers without starting SDL2's controller subsystem,
// whose watcher turns a pad's input into controller events: without it the pad's state
// moves but not one press reaches the game. Runs after SDL_Init.
void startControllerEvents();

} // namespace sdl2
