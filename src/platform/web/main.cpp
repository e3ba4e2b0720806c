// The page's main: the browser owns the event loop, so instead of looping, the
// game runs a batch of passes once per display frame. The passes see a game clock
// that steps through every millisecond since the last batch, so each timer fires
// exactly as often as in the desktop's busy loop: the frame's 60 a second, the
// car's 83 to 200 steps, the walker's 20. The batch ends by putting the last frame
// shown on the canvas.
#include "app/Clock.h"
#include "app/Loop.h"
#include "app/StartUp.h"
#include "platform/web/Screen.h"
#include "entities/BaseEntity.h"
#include "graphics/Graphics.h"
#include "player/Player.h"
#include "screens/Shop.h"
#include "world/Game.h"
#include "world/Level.h"
#include <emscripten.h>

namespace {

// After a stall (a hidden tab stops the display frames) the game resumes where it
// was instead of replaying the lost seconds; the timers never catch up anyway.
constexpr Uint32 kLongestBatch = 250;
// A batch that takes longer than a display frame leaves the rest for the next one.
constexpr Uint32 kBatchBudget = 20;
// Inside a pass the game clock stands still, as the desktop's passes take next to no
// time. Only a pass that waits on the clock itself (random seeding gives up after
// 100 ms) sees it move, once it has run longer than any frame does.
constexpr Uint32 kStillPass = 50;

Uint32 gameTicks; // the game clock of the current pass
Uint32 passStart; // the real clock when it began
bool started;

Uint32 gameClock() {
    Uint32 elapsed = SDL_GetTicks() - passStart;
    return elapsed < kStillPass ? gameTicks : gameTicks + elapsed;
}

// A page has nothing to quit to (the platform turns quitting into a pause), so a
// request to quit from SDL itself, the page being closed, is let go.
void runPasses() {
    Uint32 now = SDL_GetTicks();
    if (static_cast<Sint32>(now - gameTicks) > static_cast<Sint32>(kLongestBatch))
        gameTicks = now - kLongestBatch;
    while (static_cast<Sint32>(now - gameTicks) > 0 && SDL_GetTicks() - now < kBatchBudget) {
        ++gameTicks;
        passStart = SDL_GetTicks();
        bool quitRequested = false;
        runPass(quitRequested);
    }
}

void runBatch() {
    const double began = emscripten_get_now();
    if (!started) {
        startUp();
        gameTicks = SDL_GetTicks();
        started = true;
    }
    // Browsers show a gamepad only after its first button press, long after start-up.
    if (!joystick && SDL_NumJoysticks() > 0) joystick = SDL_JoystickOpen(0);
    runPasses();
    showFlippedFrame();
    EM_ASM({ Module['batchTimes'] && Module['batchTimes'].push($0); },
           emscripten_get_now() - began);
}

} // namespace

// For the browser test and its measurements: the game's own clock, the car's fuel
// and position, the camera, and a way straight into a level, as a portal or a
// hellrift leads.
extern "C" EMSCRIPTEN_KEEPALIVE Uint32 webGameTicks() { return gameTicks; }
extern "C" EMSCRIPTEN_KEEPALIVE int webCarFuel() { return player.getFuel(); }
extern "C" EMSCRIPTEN_KEEPALIVE int webCarX() { return player.getPosition().x; }
extern "C" EMSCRIPTEN_KEEPALIVE int webCarY() { return player.getPosition().y; }
extern "C" EMSCRIPTEN_KEEPALIVE int webCameraX() { return graphics.cameraX; }
extern "C" EMSCRIPTEN_KEEPALIVE int webCameraY() { return graphics.cameraY; }

extern "C" EMSCRIPTEN_KEEPALIVE void webEnterLevel(int level) {
    game.destroyCurrentLevel();
    game.enterLevel(level);
}

// The way into a shop for the touch test: the level's first hut moved under the car.
// False on a level without huts.
extern "C" EMSCRIPTEN_KEEPALIVE int webBringShop() {
    for (BaseEntity* entity : game.currentLevel->entities) {
        if (!entity || entity->kind != KindShop) continue;
        entity->setPosition(player.x - graphics.cameraX, player.y - graphics.cameraY);
        return 1;
    }
    return 0;
}

extern "C" EMSCRIPTEN_KEEPALIVE int webShopOpen() { return shop.isOpen() ? 1 : 0; }

int main() {
    setTickSource(gameClock);
    emscripten_set_main_loop(runBatch, 0, 1);
}
