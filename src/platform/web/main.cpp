// The page's main: the browser owns the event loop, so instead of looping, the
// game runs a batch of passes once per display frame. The passes see a game clock
// that steps through every millisecond since the last batch, so each timer fires
// exactly as often as in the desktop's busy loop: the frame's 60 a second, the
// car's 83 to 200 steps, the walker's 20.
#include "app/Assets.h"
#include "app/Clock.h"
#include "app/Loop.h"
#include "app/StartUp.h"
#include "player/Player.h"
#include "world/Game.h"
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
// A batch that takes longer than a display frame leaves the rest for the next one.
constexpr Uint32 kBatchBudget = 20;
// Inside a pass the game clock stands still, as the desktop's passes take next to no
// time; the browser's slower drawing would otherwise make every timer checked after
// a frame late. Only a pass that waits on the clock itself (random seeding gives up
// after 100 ms) sees it move, once it has run longer than any frame does.
constexpr Uint32 kStillPass = 50;

Uint32 gameTicks; // the game clock of the current pass
Uint32 passStart; // the real clock when it began
bool started;
bool quitRequested;

Uint32 gameClock() {
    Uint32 elapsed = SDL_GetTicks() - passStart;
    return elapsed < kStillPass ? gameTicks : gameTicks + elapsed;
}

// A few sounds are named with backslashes (the cats' crushes, the level's rev); the
// asset packager turns those into folders, and a link under the old name finds them.
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
        startUp();
        gameTicks = SDL_GetTicks();
        started = true;
    }
    // Browsers show a gamepad only after its first button press, long after start-up.
    if (!joystick && SDL_NumJoysticks() > 0) joystick = SDL_JoystickOpen(0);
    Uint32 now = SDL_GetTicks();
    if (static_cast<Sint32>(now - gameTicks) > static_cast<Sint32>(kLongestBatch))
        gameTicks = now - kLongestBatch;
    while (static_cast<Sint32>(now - gameTicks) > 0 && !quitRequested &&
           SDL_GetTicks() - now < kBatchBudget) {
        ++gameTicks;
        passStart = SDL_GetTicks();
        runPass(quitRequested);
    }
    if (quitRequested) {
        emscripten_cancel_main_loop();
        shutDown();
    }
}

} // namespace

// For the browser test and its measurements: the game's own clock, the car's fuel
// and position, and a way straight into a level, as a portal or a hellrift leads.
extern "C" EMSCRIPTEN_KEEPALIVE Uint32 webGameTicks() { return gameTicks; }
extern "C" EMSCRIPTEN_KEEPALIVE int webCarFuel() { return player.getFuel(); }
extern "C" EMSCRIPTEN_KEEPALIVE int webCarX() { return player.getPosition().x; }
extern "C" EMSCRIPTEN_KEEPALIVE int webCarY() { return player.getPosition().y; }

extern "C" EMSCRIPTEN_KEEPALIVE void webEnterLevel(int level) {
    game.destroyCurrentLevel();
    game.enterLevel(level);
}

int main() {
    linkBackslashedSounds();
    for (const char* font : assets::allFonts())
        webRegisterFont(font);
    setTickSource(gameClock);
    emscripten_set_main_loop(runBatch, 0, 1);
}
