#include "support/TestSupport.h"
#include "app/Clock.h"
#include "app/Loop.h"
#include "app/Timer.h"
#include "entities/Obstacles.h"
#include "graphics/Graphics.h"
#include "graphics/Pixels.h"
#include "player/Player.h"
#include "player/Walker.h"
#include "screens/Menu.h"
#include "screens/Shop.h"
#include "sound/Sound.h"
#include "world/Game.h"
#include <algorithm>
#include <cstdlib>
#include <cstring>

namespace {
FakeClock* runningClock = nullptr;
Uint32 fakeTicks = 0;
Uint32 readFakeTicks() { return fakeTicks; }
time_t readFakeWallClock() { return 1700000000 + fakeTicks / 1000; }
} // namespace

FakeClock::FakeClock(Uint32 start) {
    fakeTicks = start;
    runningClock = this;
    setTickSource(readFakeTicks);
    setWallClockSource(readFakeWallClock);
}

FakeClock::~FakeClock() {
    runningClock = nullptr;
    setTickSource(nullptr);
    setWallClockSource(nullptr);
}

void FakeClock::set(Uint32 now) { fakeTicks = now; }
void FakeClock::advance(Uint32 ms) { fakeTicks += ms; }
Uint32 FakeClock::now() const { return fakeTicks; }
FakeClock* FakeClock::running() { return runningClock; }

namespace {
std::vector<std::string>* soundLog = nullptr;
void notePlayed(const char* path) { soundLog->push_back(path); }
} // namespace

SoundLog::SoundLog() {
    soundLog = &played;
    setPlayObserver(notePlayed);
}
SoundLog::~SoundLog() { setPlayObserver(nullptr); }

int SoundLog::count(const std::string& path) const {
    return static_cast<int>(std::count(played.begin(), played.end(), path));
}

int SoundLog::countPrefix(const std::string& prefix) const {
    return static_cast<int>(std::count_if(played.begin(), played.end(), [&](const std::string& p) {
        return p.compare(0, prefix.size(), prefix) == 0;
    }));
}

void resetGame() {
    game.destroyCurrentLevel();
    game.releaseRetiredEntities();
    game.levelNumber = 0;
    game.currentLevel = nullptr;
    player.reset();
    resetCarClocks();
    afroChopTick = 0;
    barkInterval = barkLast = meowInterval = meowLast = 0;
    player.nosBurning = 0;
    player.nosReady = 0;
    player.pendingFuel = 0;
    walker.reset();
    walker.setPosition(0, 0);
    shop.setOpen(false);
    shop.cursor = 0;
    shop.refresh();
    menu.item = 0;
    menu.line = 1;
    menu.page = 0;
    menu.gameInProgress = 0;
    menu.setActive(true);
    graphics.cameraX = 0;
    graphics.cameraY = 0;
    graphics.showMission = 0;
    graphics.showStats = 0;
    std::memset(graphics.speechText, 0, sizeof graphics.speechText);
    sound.enabled = 1;
    carHeading = 1;
    walkerDirection = 1;
    gasHeld = 0;
    nosStartTime = 0;
    nosCooldownStart = 0;
    lastEngineLevel = 0;
    frameTimer.setRate(60);
    walkerTimer.setRate(walker.getSpeed());
}

void enterLevelWithSeed(int n, unsigned seed) {
    std::srand(seed);
    game.destroyCurrentLevel();
    game.enterLevel(n);
}

Rgb pixelAt(SDL_Surface* surface, int x, int y) {
    Uint8 r, g, b;
    SDL_GetRGB(getPixel(surface, x, y), surface->format, &r, &g, &b);
    return {r, g, b};
}

SDL_Event keyEvent(SDLKey sym, int type, int mod) {
    SDL_Event event{};
    event.type = event.key.type = type;
    event.key.state = type == SDL_KEYDOWN ? SDL_PRESSED : SDL_RELEASED;
    event.key.keysym.sym = sym;
    event.key.keysym.mod = static_cast<SDLMod>(mod);
    return event;
}

SDL_Event buttonEvent(int button, int type) {
    SDL_Event event{};
    event.type = event.jbutton.type = type;
    event.jbutton.state = type == SDL_JOYBUTTONDOWN ? SDL_PRESSED : SDL_RELEASED;
    event.jbutton.button = static_cast<Uint8>(button);
    return event;
}

SDL_Event axisEvent(int axis, int value) {
    SDL_Event event{};
    event.type = event.jaxis.type = SDL_JOYAXISMOTION;
    event.jaxis.axis = static_cast<Uint8>(axis);
    event.jaxis.value = static_cast<Sint16>(value);
    return event;
}
