// The desktop: a window scaled to the screen, full screen on F11 or Alt+Enter, and a
// game controller played like the handheld. The game's files are found by main.
#include "app/Installation.h"
#include "app/StartUpFailure.h"
#include "platform/Platform.h"
#include "platform/desktop/Sdl2.h"
#include "platform/desktop/Window.h"
#include "platform/gamepad/Gamepad.h"
#include <dlfcn.h>
#include <fstream>
#include <iterator>
#include <string>

namespace {

bool machineHasSoundCard() {
    std::ifstream cards("/proc/asound/cards");
    const std::string list{std::istreambuf_iterator<char>(cards), {}};
    return !list.empty() && list.find("no soundcards") == std::string::npos;
}

void sayNothing(const char*, int, const char*, int, const char*, ...) {}

// With no sound card, SDL2 falls back on ALSA last, and ALSA fills the terminal with
// a dozen lines on why it cannot open one before the game goes on silent. The player
// learns nothing from them. SDL2 loads the same library later, and finds it hushed.
// This runs before any object of the game is built: the sound player opens the
// device in its constructor.
__attribute__((constructor(101))) void hushAlsaWithoutSoundCard() {
    if (machineHasSoundCard()) return;
    void* alsa = dlopen("libasound.so.2", RTLD_NOW);
    using Handler = void (*)(const char*, int, const char*, int, const char*, ...);
    if (auto* setHandler =
            alsa ? reinterpret_cast<int (*)(Handler)>(dlsym(alsa, "snd_lib_error_set_handler"))
                 : nullptr)
        setHandler(sayNothing);
}

} // namespace

namespace platform {

void beforeSdlStarts() {
    askForGameControllers();
    askForSharpPixels();
}

void prepareScreen() {
    requireDisplay();
    if (padLayout) sdl2::startControllerEvents();
    scaleWindowToScreen();
    requireInstallation();
}

bool translateEvent(SDL_Event& event) {
    if (event.type == SDL_KEYDOWN && isFullScreenKey(event.key.keysym)) {
        toggleFullScreen();
        return false;
    }
    if (padLayout || event.type == SDL_JOYHATMOTION) event = asHandheldEvent(event);
    return event.type != SDL_NOEVENT;
}

// The desktop's player started the game from a shell or a menu, which is still there.
void handOver() {}

} // namespace platform
