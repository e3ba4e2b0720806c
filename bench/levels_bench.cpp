#include "graphics/Graphics.h"
#include "screens/Freerun.h"
#include "world/Game.h"
#include "world/Level1.h"
#include "world/Level2.h"
#include "world/Level3.h"
#include "world/Level4.h"
#include <benchmark/benchmark.h>
#include <cstdio>
#include <cstdlib>
#include <unistd.h>

// Map generation as the game does it on a level switch: every entity built (loading its
// own pictures), registered and placed. Run from the game folder with the dummy SDL
// drivers, like the tests.

namespace {

double residentMegabytes() {
    long pages = 0, resident = 0;
    FILE* statm = std::fopen("/proc/self/statm", "r");
    if (!statm) return 0;
    if (std::fscanf(statm, "%ld %ld", &pages, &resident) != 2) resident = 0;
    std::fclose(statm);
    return resident * double(sysconf(_SC_PAGESIZE)) / (1024.0 * 1024.0);
}

// Builds one map per iteration from a fresh seed and frees it before the next, reporting
// the entities built and the process's resident memory while the largest map stood.
template <class Level> void generate(benchmark::State& state) {
    unsigned seed = 1;
    size_t entities = 0;
    double peakMegabytes = 0;
    const double before = residentMegabytes();
    for (auto _ : state) {
        std::srand(seed++);
        Level* level = new Level();
        entities += level->entities.size();
        peakMegabytes = std::max(peakMegabytes, residentMegabytes());
        benchmark::DoNotOptimize(level->entities.data());
        state.PauseTiming();
        delete level;
        game.currentLevel = nullptr;
        state.ResumeTiming();
    }
    state.counters["entities"] =
        benchmark::Counter(double(entities), benchmark::Counter::kAvgIterations);
    state.counters["rss_MB"] = peakMegabytes;
    state.counters["growth_MB"] = peakMegabytes - before;
}

void BM_Level1(benchmark::State& state) { generate<cLevel1>(state); }
void BM_Level3(benchmark::State& state) { generate<cLevel3>(state); }
void BM_Level4(benchmark::State& state) { generate<cLevel4>(state); }

// A freerun map with the page's start values.
void BM_FreerunStart(benchmark::State& state) {
    freerunCats = freerunMen = freerunPink = freerunDeadCars = 0;
    freerunShops = freerunNosBoosts = freerunChests = 0;
    freerunWidth = freerunHeight = 512;
    freerunTerrain = 0;
    generate<cLevel2>(state);
}

// Cats and a square grass map of the given side, as far as the page lets a player go.
void BM_FreerunCats(benchmark::State& state) {
    freerunCats = static_cast<int>(state.range(0));
    freerunWidth = freerunHeight = static_cast<int>(state.range(1));
    freerunTerrain = 0;
    generate<cLevel2>(state);
    freerunCats = 0;
    freerunWidth = freerunHeight = 512;
}

} // namespace

BENCHMARK(BM_Level1)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_Level3)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_Level4)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_FreerunStart)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_FreerunCats)
    ->Args({1000, 4000})
    ->Args({10000, 20000})
    ->Unit(benchmark::kMillisecond)
    ->Iterations(3);
