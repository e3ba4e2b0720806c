#include "platform/desktop/Sdl2.h"
#include <dlfcn.h>

namespace sdl2 {

void* function(const char* name) {
    // Already loaded by sdl12-compat: asking for it again never loads a second copy.
    static void* library = dlopen("libSDL2-2.0.so.0", RTLD_NOW | RTLD_NOLOAD);
    return library ? dlsym(library, name) : nullptr;
}

void* window() {
    auto* compatWindow =
        reinterpret_cast<void* (*)()>(dlsym(RTLD_DEFAULT, "SDL12COMPAT_GetWindow"));
    return compatWindow ? compatWindow() : nullptr;
}

void startControllerEvents() {
    constexpr Uint32 kGameControllers = 0x2000; // SDL2's SDL_INIT_GAMECONTROLLER
    if (auto* start = call<int(Uint32)>("SDL_InitSubSystem")) start(kGameControllers);
}

} // namespace sdl2
