// How much one game frame costs on a busy map, and the parts of it that scale with
// the screen: the game-over tint and the entity pass. Run from the game folder:
//   cd build/game && SDL_VIDEODRIVER=dummy SDL_AUDIODRIVER=dummy ./vandal_bench
#include "app/Loop.h"
#include "app/StartUp.h"
#include "graphics/Graphics.h"
#include "graphics/SpriteStore.h"
#include "player/Player.h"
#include "player/Walker.h"
#include "screens/Menu.h"
#include "sound/Sound.h"
#include "world/Game.h"
#include "world/Level.h"
#include <benchmark/benchmark.h>
#include <cstdlib>

namespace {

void setUpScreenOnce() {
    static bool done = false;
    if (done) return;
    done = true;
    SDL_Init(SDL_INIT_VIDEO);
    screen = SDL_SetVideoMode(320, 240, 16, 0);
    loadGameImages();
    menu.init(screen);
    graphics.init(screen);
    sound.enabled = 0; // measure drawing, not the mixer
}

void enterBusyLevel(unsigned seed) {
    std::srand(seed);
    game.destroyCurrentLevel();
    game.enterLevel(3);
    game.releaseRetiredEntities();
}

void BM_FrameOnLevel3(benchmark::State& state) {
    setUpScreenOnce();
    enterBusyLevel(7);
    for (auto _ : state)
        graphics.frame();
    state.counters["entities"] = static_cast<double>(game.currentLevel->entities.size());
}
BENCHMARK(BM_FrameOnLevel3)->Unit(benchmark::kMicrosecond);

void BM_FrameWithGameOverTint(benchmark::State& state) {
    setUpScreenOnce();
    enterBusyLevel(7);
    walker.setHealth(0);
    for (auto _ : state)
        graphics.frame();
    walker.reset();
}
BENCHMARK(BM_FrameWithGameOverTint)->Unit(benchmark::kMicrosecond);

void BM_RasterCircle(benchmark::State& state) {
    setUpScreenOnce();
    for (auto _ : state)
        graphics.rasterCircle(160, 120, static_cast<int>(state.range(0)));
}
BENCHMARK(BM_RasterCircle)->Arg(25)->Arg(59);

} // namespace

BENCHMARK_MAIN();
