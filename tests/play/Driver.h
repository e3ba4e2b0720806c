#pragma once
// Plays the game through its real main loop: presses go into SDL's event queue, the
// clock only moves when the script says so, and every pass is one runPass().
#include "app/Loop.h"
#include "app/Timer.h"
#include "entities/BaseEntity.h"
#include "graphics/Graphics.h"
#include "player/Player.h"
#include "screens/Shop.h"
#include "support/TestSupport.h"
#include "world/Game.h"
#include "world/Level.h"
#include "world/Random.h"
#include <SDL/SDL.h>
#include <cstdlib>
#include <cstring>
#include <functional>

namespace play {

// The random pool is global and re-seeds from the clocks; emptying it and seeding rand()
// makes a game depend only on the seed, the fake clock and the script, not on which
// tests ran before.
inline void seedGame(unsigned seed) {
    std::memset(randomPool, 0, sizeof randomPool);
    poolLastRefresh = 0;
    poolInterval = 0;
    std::srand(seed);
}

// The game keeps the times of its last actions (the money and fuel count-in, for one)
// from game to game, as a real clock only ever moves on. Each scripted game therefore
// gets a clock of its own that starts after every game before it in the run has ended,
// and plays the same whether it runs alone or after the others: a game lasts minutes,
// the starts are a thousand seconds apart, ordered by where the games are written.
inline Uint32 startOfGame(Uint32 fileOrder, int index) {
    return 100000000u * fileOrder + 1000000u * Uint32(index);
}

inline void pushKey(SDLKey sym, bool down, SDLMod mod = KMOD_NONE) {
    SDL_Event event;
    std::memset(&event, 0, sizeof event);
    event.type = down ? SDL_KEYDOWN : SDL_KEYUP;
    event.key.type = event.type;
    event.key.state = down ? SDL_PRESSED : SDL_RELEASED;
    event.key.keysym.sym = sym;
    event.key.keysym.mod = mod;
    SDL_PushEvent(&event);
}

inline void pushButton(int button, bool down) {
    SDL_Event event;
    std::memset(&event, 0, sizeof event);
    event.type = down ? SDL_JOYBUTTONDOWN : SDL_JOYBUTTONUP;
    event.jbutton.type = event.type;
    event.jbutton.which = 0;
    event.jbutton.button = static_cast<Uint8>(button);
    event.jbutton.state = down ? SDL_PRESSED : SDL_RELEASED;
    SDL_PushEvent(&event);
}

// Where an entity of the current level is on the screen.
inline Point onScreen(const BaseEntity& e) {
    return {e.x + graphics.cameraX, e.y + graphics.cameraY};
}

// The map point under the car.
inline Point carOnMap() { return {player.x - graphics.cameraX, player.y - graphics.cameraY}; }

// Puts an entity `dx`, `dy` screen pixels away from the car.
inline void placeNearCar(BaseEntity& e, int dx, int dy) {
    Point car = carOnMap();
    e.setPosition(car.x + dx, car.y + dy);
}

template <class T = BaseEntity> T* firstOfKind(int kind) {
    if (!game.currentLevel) return nullptr;
    for (BaseEntity* e : game.currentLevel->entities)
        if (e && e->kind == kind) return static_cast<T*>(e);
    return nullptr;
}

class Driver {
  public:
    explicit Driver(FakeClock& clock) : clock(clock) {}

    // One pass of the loop, `ms` milliseconds after the last one.
    void pass(Uint32 ms = 1) {
        clock.advance(ms);
        Uint32 frameDeadline = frameTimer.deadline;
        runPass(quit);
        if (afterPass) afterPass(frameTimer.deadline != frameDeadline);
    }

    // Runs passes 1 ms apart for `ms` milliseconds of game time.
    void run(Uint32 ms) {
        for (Uint32 i = 0; i < ms; ++i)
            pass();
    }

    // Runs until `done` holds (checked after every pass) or `limit` ms have gone by.
    bool runUntil(const std::function<bool()>& done, Uint32 limit) {
        for (Uint32 i = 0; i < limit; ++i) {
            pass();
            if (done()) return true;
        }
        return false;
    }

    // A key pressed and released, handled within one pass.
    void tap(SDLKey sym, SDLMod mod = KMOD_NONE) {
        pushKey(sym, true, mod);
        pushKey(sym, false, mod);
        pass();
    }
    void hold(SDLKey sym) {
        pushKey(sym, true);
        pass();
    }
    void release(SDLKey sym) {
        pushKey(sym, false);
        pass();
    }
    void tapButton(int button) {
        pushButton(button, true);
        pushButton(button, false);
        pass();
    }

    // Presses arrows until the car heads straight in `heading` (1 up .. 4 right): from
    // a perpendicular heading the first press only makes a diagonal.
    void face(int heading) {
        static const SDLKey keys[5] = {SDLK_UNKNOWN, SDLK_UP, SDLK_DOWN, SDLK_LEFT, SDLK_RIGHT};
        for (int i = 0; i < 3 && carHeading != heading; ++i)
            tap(keys[heading]);
    }

    // Holds the gas and steers with the arrows, one axis at a time, towards `target`
    // until `done` holds (checked after every pass) or `limit` ms have gone by. Trees
    // may push the car aside, so the course is worked out again at every step. The gas
    // stays held; `done` is checked before the target is looked at again, so a target
    // on a level that `done` has just left is not touched.
    bool driveUntil(const BaseEntity& target, const std::function<bool()>& done, Uint32 limit) {
        if (!gasHeld) hold(SDLK_SPACE);
        Uint32 start = clock.now();
        while (clock.now() - start < limit) {
            if (done()) return true;
            Point p = onScreen(target);
            int dx = p.x - player.x;
            int dy = p.y - player.y;
            int want = std::abs(dx) > 1 ? (dx < 0 ? 3 : 4) : (dy < 0 ? 1 : 2);
            face(want);
            if (done()) return true;
            pass();
        }
        return done();
    }

    FakeClock& clock;
    bool quit = false;
    // Called after every pass with whether the pass ran a game frame.
    std::function<void(bool)> afterPass;
};

} // namespace play
