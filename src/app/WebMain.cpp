// Browser build only: the browser owns the event loop, so instead of looping, the
// game runs a batch of passes once per display frame. The passes see a game clock
// that steps through every millisecond since the last batch, so each timer fires
// exactly as often as in the desktop's busy loop: the frame's 60 a second, the
// car's 83 to 200 steps, the walker's 20.
#include "app/Assets.h"
#include "app/Clock.h"
#include "app/Loop.h"
#include "player/Player.h"
#include <cstring>
#include <emscripten.h>
#include <string>
#include <unistd.h>

extern "C" {
// web/sdl_overrides.js
void webRegisterFont(const char* path);
int webFontsPending();
}

namespace {

// After a stall (a hidden tab stops the display frames) the game resumes where it
// was instead of replaying the lost seconds; the timers never catch up anyway.
constexpr Uint32 kLongestBatch = 250;

Uint32 gameTicks;
bool started;
bool quitRequested;

Uint32 gameClock() { return gameTicks; }

// The cats name their crush sounds with backslashes, which the asset packager turns
// into folders; a link under the old name finds them again.
void linkBackslashedSounds() {
    for (const char* path : assets::allSounds()) {
        if (!std::strchr(path, '\\') || access(path, F_OK) == 0) continue;
        std::string target = path;
        for (char& c : target)
            if (c == '\\') c = '/';
        symlink(target.c_str(), path);
    }
}

void runBatch() {
    if (!started) {
        if (webFontsPending() > 0) return; // text drawn before would use another font
        gameTicks = SDL_GetTicks();
        startUp();
        started = true;
    }
    Uint32 now = SDL_GetTicks();
    if (now - gameTicks > kLongestBatch) gameTicks = now - kLongestBatch;
    while (gameTicks != now && !quitRequested) {
        ++gameTicks;
        runPass(quitRequested);
    }
    if (quitRequested) {
        emscripten_cancel_main_loop();
        shutDown();
    }
}

} // namespace

// Read by the browser test: the game's own clock, and the car's fuel and position.
extern "C" EMSCRIPTEN_KEEPALIVE Uint32 webGameTicks() { return gameTicks; }
extern "C" EMSCRIPTEN_KEEPALIVE int webCarFuel() { return player.getFuel(); }
extern "C" EMSCRIPTEN_KEEPALIVE int webCarX() { return player.getPosition().x; }
extern "C" EMSCRIPTEN_KEEPALIVE int webCarY() { return player.getPosition().y; }

int main() {
    linkBackslashedSounds();
    for (const char* font : assets::allFonts())
        webRegisterFont(font);
    setTickSource(gameClock);
    emscripten_set_main_loop(runBatch, 0, 1);
}
