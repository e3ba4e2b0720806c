// Runs one named scenario of the real game headless, on a fake clock, so that
// valgrind can count what it costs. Only the functions named benchMeasured* are meant
// to be counted (callgrind --toggle-collect); everything else is setting up.
// bench/perf.py runs it; by hand, from the game folder:
//   SDL_VIDEODRIVER=dummy SDL_AUDIODRIVER=dummy ./vandal_perf level4 <seed> <frames>
#include "app/Clock.h"
#include "app/Loop.h"
#include "app/StartUp.h"
#include "app/Rest.h"
#include "app/Timer.h"
#include "entities/BaseEntity.h"
#include "player/Player.h"
#include "player/Walker.h"
#include "screens/Freerun.h"
#include "screens/Menu.h"
#include "sound/Sound.h"
#include "world/Game.h"
#include "world/Level.h"
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <ctime>
#include <fstream>
#include <unistd.h>

namespace {

Uint32 fakeNow = 1000;
Uint32 readFakeNow() { return fakeNow; }
time_t readFakeWallClock() { return 1700000000 + fakeNow / 1000; }

int filesOpened = 0;

// The pace run: the real clock, watched at every reading for timers that fired (a
// fired timer moves its deadline), until the run's time is up.
struct PacedTimer {
    const char* name;
    cTimer* timer;
    Uint32 lastDeadline;
    int fires;
};
PacedTimer pacedTimers[] = {{"frame", &frameTimer, 0, 0},
                            {"walker", &walkerTimer, 0, 0},
                            {"car straight", &carStraightTimer, 0, 0},
                            {"car diagonal", &carDiagonalTimer, 0, 0}};
Uint32 paceEnd = 0;
bool quitPushed = false;

Uint32 readPacedTicks() {
    Uint32 now = SDL_GetTicks();
    for (PacedTimer& t : pacedTimers) {
        if (t.timer->deadline != t.lastDeadline) ++t.fires;
        t.lastDeadline = t.timer->deadline;
    }
    if (now >= paceEnd && !quitPushed) {
        SDL_Event quit{};
        quit.type = SDL_QUIT;
        SDL_PushEvent(&quit);
        quitPushed = true;
    }
    return now;
}

} // namespace

// Every file the game opens goes through this call; the link wraps it to count them.
extern "C" SDL_RWops* __real_SDL_RWFromFile(const char* file, const char* mode);
extern "C" SDL_RWops* __wrap_SDL_RWFromFile(const char* file, const char* mode) {
    ++filesOpened;
    return __real_SDL_RWFromFile(file, mode);
}

// One pass of the main loop, one frame's worth of time later.
__attribute__((noinline)) void benchMeasuredPass(bool& quit) {
    fakeNow += 17;
    runPass(quit);
}

__attribute__((noinline)) void benchMeasuredSwitch(int level, unsigned seed) {
    std::srand(seed);
    game.destroyCurrentLevel();
    game.enterLevel(level);
    game.releaseRetiredEntities();
}

namespace {

void enterLevel(int level, unsigned seed) {
    std::srand(seed);
    game.destroyCurrentLevel();
    game.enterLevel(level);
    game.releaseRetiredEntities();
    menu.setActive(false);
}

int entitiesNearCar() {
    int near = 0;
    for (BaseEntity* entity : game.currentLevel->entities) {
        Point p = screenPosition(*entity);
        int dx = p.x - player.x;
        int dy = p.y - player.y;
        if (dx * dx + dy * dy <= 300 * 300) ++near;
    }
    return near;
}

// The level-4 maps with the most entities in all and within 300 pixels of the car.
void findLevel4Seeds(unsigned seeds) {
    unsigned largest = 0, busiest = 0;
    size_t largestCount = 0;
    int busiestCount = 0;
    for (unsigned seed = 1; seed <= seeds; ++seed) {
        enterLevel(4, seed);
        if (game.currentLevel->entities.size() > largestCount) {
            largestCount = game.currentLevel->entities.size();
            largest = seed;
        }
        if (entitiesNearCar() > busiestCount) {
            busiestCount = entitiesNearCar();
            busiest = seed;
        }
    }
    std::printf("largest %u %zu\nbusiest %u %d\n", largest, largestCount, busiest, busiestCount);
}

void setFreerun(int kinds, int count, int size) {
    freerunCats = freerunMen = freerunPink = freerunDeadCars = count;
    freerunNosBoosts = freerunChests = count;
    freerunShops = kinds >= 7 ? count : 0;
    freerunWidth = freerunHeight = size;
}

// The camera is put so that the level's first exit shows above the car, out of reach.
void showFirstExit() {
    for (BaseEntity* entity : game.currentLevel->entities) {
        if (entity->kind != KindPortal && entity->kind != KindHellrift) continue;
        graphics.cameraX = 160 - entity->x;
        graphics.cameraY = 60 - entity->y;
        return;
    }
}

void runFrames(int frames) {
    bool quit = false;
    for (int i = 0; i < frames; ++i)
        benchMeasuredPass(quit);
}

void pressKeys(int presses) {
    bool quit = false;
    for (int i = 0; i < presses; ++i) {
        SDL_Event event{};
        event.type = SDL_KEYDOWN;
        event.key.keysym.sym = i % 2 ? SDLK_UP : SDLK_DOWN;
        SDL_PushEvent(&event);
        benchMeasuredPass(quit);
    }
}

// Steps per second of the loop's timers over `seconds` of real time on level 1, the
// car standing (its timers tick all the same), at the car's `rate` per second. The
// busy form is the loop as it was: passes back to back.
void pace(int seconds, int rate, bool busy) {
    enterLevel(1, 1);
    rateCarTimers(rate);
    setTickSource(readPacedTicks);
    for (PacedTimer& t : pacedTimers)
        t.lastDeadline = t.timer->deadline;
    Uint32 start = SDL_GetTicks();
    paceEnd = start + static_cast<Uint32>(seconds) * 1000;
    if (busy) {
        bool quit = false;
        while (!quit)
            runPass(quit);
    } else {
        runMainLoop();
    }
    double elapsed = (SDL_GetTicks() - start) / 1000.0;
    for (const PacedTimer& t : pacedTimers)
        std::printf("pace %s %.1f\n", t.name, t.fires / elapsed);
}

// The same count on the fake clock, so the machine's load cannot blur it: the busy
// loop passes once every millisecond, the resting one jumps straight to the tick its
// rest would end on.
void simulatedPace(int seconds, int rate, bool busy) {
    enterLevel(1, 1);
    rateCarTimers(rate);
    for (PacedTimer& t : pacedTimers)
        t.lastDeadline = t.timer->deadline;
    Uint32 end = fakeNow + static_cast<Uint32>(seconds) * 1000;
    bool quit = false;
    while (fakeNow < end) {
        runPass(quit);
        for (PacedTimer& t : pacedTimers) {
            if (t.timer->deadline != t.lastDeadline) ++t.fires;
            t.lastDeadline = t.timer->deadline;
        }
        Uint32 due = restDeadline(fakeNow);
        fakeNow = busy || due <= fakeNow ? fakeNow + 1 : due;
    }
    for (const PacedTimer& t : pacedTimers)
        std::printf("pace %s %.1f\n", t.name, t.fires / static_cast<double>(seconds));
}

void drive() {
    carHeading = 1;
    gasHeld = 1;
}

// Under qemu, the addresses in its trace are named from this copy of the process's map
// (bench/perf.py --armel asks for it).
void saveMemoryMap() {
    const char* path = std::getenv("VANDAL_PERF_MAPS");
    if (!path) return;
    std::ifstream map("/proc/self/maps");
    std::ofstream(path) << map.rdbuf();
}

int usage() {
    std::fprintf(stderr,
                 "usage: vandal_perf find <seeds> | menu <presses> | level1 <seed> "
                 "<frames> | level4 <seed> <frames> | nuke <seed> <frames> | tint <seed> "
                 "<frames> | freerun "
                 "<kinds> <count> <size> <frames> | switch <seed> <times> | pace "
                 "<seconds> <car rate> busy|rest | simpace <seconds> <car rate> busy|rest\n");
    return 2;
}

int intArg(char** argv, int i) { return std::atoi(argv[i]); }

} // namespace

int main(int argc, char** argv) {
    if (argc < 3) return usage();
    const char* scenario = argv[1];
    setTickSource(readFakeNow);
    setWallClockSource(readFakeWallClock);
    startUp();
    sound.enabled = 0; // the mixer's work is not the frame's
    if (!std::strcmp(scenario, "find")) {
        findLevel4Seeds(static_cast<unsigned>(intArg(argv, 2)));
    } else if (!std::strcmp(scenario, "menu")) {
        pressKeys(intArg(argv, 2));
    } else if (!std::strcmp(scenario, "level1") && argc == 4) {
        enterLevel(1, static_cast<unsigned>(intArg(argv, 2)));
        showFirstExit();
        runFrames(intArg(argv, 3));
    } else if (!std::strcmp(scenario, "level4") && argc == 4) {
        enterLevel(4, static_cast<unsigned>(intArg(argv, 2)));
        drive();
        runFrames(intArg(argv, 3));
    } else if (!std::strcmp(scenario, "nuke") && argc == 4) {
        enterLevel(4, static_cast<unsigned>(intArg(argv, 2)));
        drive();
        player.addNukes(1);
        player.useNukeExhaust();
        runFrames(intArg(argv, 3));
    } else if (!std::strcmp(scenario, "tint") && argc == 4) {
        enterLevel(4, static_cast<unsigned>(intArg(argv, 2)));
        walker.setHealth(0);
        runFrames(intArg(argv, 3));
    } else if (!std::strcmp(scenario, "freerun") && argc == 6) {
        setFreerun(intArg(argv, 2), intArg(argv, 3), intArg(argv, 4));
        enterLevel(2, 1);
        drive();
        runFrames(intArg(argv, 5));
    } else if (!std::strcmp(scenario, "switch") && argc == 4) {
        unsigned seed = static_cast<unsigned>(intArg(argv, 2));
        enterLevel(4, seed);
        for (int i = 0; i < intArg(argv, 3); ++i) {
            filesOpened = 0;
            benchMeasuredSwitch(4, seed);
        }
        std::printf("files-opened %d\n", filesOpened);
    } else if (!std::strcmp(scenario, "simpace") && argc == 5) {
        simulatedPace(intArg(argv, 2), intArg(argv, 3), !std::strcmp(argv[4], "busy"));
    } else if (!std::strcmp(scenario, "pace") && argc == 5) {
        pace(intArg(argv, 2), intArg(argv, 3), !std::strcmp(argv[4], "busy"));
    } else {
        return usage();
    }
    saveMemoryMap();
    std::fflush(stdout);
    _exit(0); // skip the exit handler: no launcher to hand over to from a benchmark
}
