#include "app/Loop.h"
#include "app/Timer.h"
#include "entities/BaseEntity.h"
#include "graphics/Graphics.h"
#include "player/Player.h"
#include "player/Walker.h"
#include "screens/Menu.h"
#include "screens/Shop.h"
#include "support/TestSupport.h"
#include "world/Game.h"
#include "world/Level.h"
#include "world/Random.h"
#include <gtest/gtest.h>
#include <algorithm>
#include <cstdlib>
#include <functional>
#include <map>
#include <string>
#include <tuple>
#include <vector>
#include "app/Rest.h"

namespace {

// A shop hut without the hut's own behaviour: the loop only needs to find it.
class Hut : public BaseEntity {
  public:
    Hut(int mapX, int mapY) {
        kind = KindShop;
        reach = 20;
        x = mapX;
        y = mapY;
    }
    SDL_Surface* currentSprite() override { return nullptr; }
};

// The game state on a bare 800x800 map: the car at screen (160, 120) stands on map
// point (400, 400).
class MainLoop : public testing::Test {
  protected:
    FakeClock clock{20000};
    cLevel level;
    bool quit = false;

    void SetUp() override { freshGame(); }
    void TearDown() override {
        drainEvents();
        game.currentLevel = nullptr;
        resetGame();
    }

    // The hand-made level is in no level slot: it must not reach destroyCurrentLevel.
    void freshGame() {
        game.currentLevel = nullptr;
        resetGame();
        level.init(800, 800, 16);
        game.currentLevel = &level;
        menu.setActive(false);
        drainEvents();
    }

    static void drainEvents() {
        SDL_Event event;
        while (SDL_PollEvent(&event)) {}
    }
    void key(SDLKey sym, Uint8 type = SDL_KEYDOWN, int mod = KMOD_NONE) {
        handleEvent(keyEvent(sym, type, mod), quit);
    }
    void button(int b, Uint8 type = SDL_JOYBUTTONDOWN) { handleEvent(buttonEvent(b, type), quit); }
    void passAfter(Uint32 ms) {
        clock.advance(ms);
        runPass(quit);
    }
};

// A burn is free once the last one has recharged, and costs a delimiter charge inside
// the recharge; a press during the burn takes its charge but changes nothing else.
TEST_F(MainLoop, NosBurnsForFourAndAHalfSecondsAndRechargesInEightAndAHalf) {
    player.addNukes(1);
    key(SDLK_b);
    EXPECT_TRUE(player.isNosBurning());
    EXPECT_EQ(1, player.getNosDelimiters());
    EXPECT_EQ(1000 / (80 + 80), carStraightTimer.period) << "the burn adds 80 to the speed";
    EXPECT_TRUE(player.isNukeActive()); // the exhaust lights the nuke ring
    passAfter(4499);
    EXPECT_TRUE(player.isNosBurning());
    passAfter(1);
    EXPECT_FALSE(player.isNosBurning());
    EXPECT_EQ(clock.now(), nosCooldownStart);

    button(ButtonX);
    EXPECT_TRUE(player.isNosBurning());
    EXPECT_EQ(0, player.getNosDelimiters());
    player.setNosDelimiters(1);
    Uint32 burnStart = nosStartTime;
    passAfter(100);
    key(SDLK_b);
    EXPECT_EQ(0, player.getNosDelimiters());
    EXPECT_EQ(burnStart, nosStartTime);

    player.setNosBurning(false);
    key(SDLK_b);
    EXPECT_FALSE(player.isNosBurning()) << "no charge left inside the recharge";
    nosCooldownStart = clock.now();
    passAfter(8499);
    EXPECT_FALSE(player.isNosReady());
    passAfter(1);
    EXPECT_TRUE(player.isNosReady());
}

TEST_F(MainLoop, ReleasingGasStopsTheCarInEveryState) {
    const std::function<void()> states[] = {
        [] { menu.setActive(true); }, [] { shop.setOpen(true); }, [] {}, // driving
        [] { player.fuel = 0; },                                         // walking
    };
    for (size_t i = 0; i < std::size(states); ++i) {
        freshGame();
        states[i]();
        gasHeld = 1;
        key(SDLK_a, SDL_KEYUP);
        key(SDLK_UP, SDL_KEYUP);
        EXPECT_EQ(1, gasHeld) << "state " << i << ": only Gas releases matter";
        key(SDLK_SPACE, SDL_KEYUP);
        EXPECT_EQ(0, gasHeld) << "state " << i;
        gasHeld = 1;
        button(ButtonA, SDL_JOYBUTTONUP);
        EXPECT_EQ(0, gasHeld) << "state " << i;
    }
}

TEST_F(MainLoop, StraightPressesAcrossTheHeadingMakeDiagonals) {
    key(SDLK_LEFT);
    EXPECT_EQ(5, carHeading);
    key(SDLK_UP);
    EXPECT_EQ(1, carHeading);

    const struct {
        int from, button, to;
    } turns[] = {{3, ButtonUp, 5},   {4, ButtonUp, 6},    {3, ButtonDown, 7},  {4, ButtonDown, 8},
                 {2, ButtonLeft, 7}, {2, ButtonRight, 8}, {1, ButtonRight, 6}, {6, ButtonLeft, 3},
                 {8, ButtonUp, 1},   {1, ButtonDown, 2},  {7, ButtonRight, 4}};
    for (const auto& t : turns) {
        carHeading = t.from;
        button(t.button);
        EXPECT_EQ(t.to, carHeading) << "from " << t.from << " button " << t.button;
    }
    key(SDLK_RIGHT, SDL_KEYUP);
    EXPECT_EQ(4, carHeading) << "releasing a direction keeps the heading";
}

TEST_F(MainLoop, FirstGasDrivesTheCarUpUnlessTheShopIsOpen) {
    key(SDLK_SPACE);
    EXPECT_EQ(1, gasHeld);
    passAfter(12); // one straight step, no diagonal one yet
    EXPECT_EQ(160, player.x);
    EXPECT_EQ(118, player.y);
    EXPECT_EQ(1, player.getHeading());

    shop.setOpen(true); // the shop holds the car still
    gasHeld = 1;
    passAfter(100);
    EXPECT_EQ(118, player.y);
}

TEST_F(MainLoop, WalkerTakesTheDirectionsWhenTheFuelIsGone) {
    player.fuel = 0;
    walker.setPosition(100, 100);
    key(SDLK_LEFT);
    key(SDLK_SPACE);
    EXPECT_EQ(3, walkerDirection);
    EXPECT_EQ(1, carHeading);
    EXPECT_EQ(0, gasHeld);
    passAfter(50);
    EXPECT_EQ(99, walker.x);
    passAfter(50);
    EXPECT_EQ(98, walker.x);
}

// The player's guide: L1 takes the car from 80 to 100, each later level adds 10 up to
// 140 at L5, and L6 adds no speed. A rate of r a second steps every 1000 / r whole
// milliseconds (timer_test), and a diagonal goes at trunc(r / 1.5).
TEST_F(MainLoop, EveryEngineLevelDrivesAtTheGuidesSpeed) {
    const int guide[] = {80, 100, 110, 120, 130, 140, 140};
    for (int level = 0; level <= 6; ++level) {
        SCOPED_TRACE("engine L" + std::to_string(level));
        if (level > 0) { // bought the way a player buys it
            shop.setOpen(true);
            shop.cursor = 6;
            player.setMoney(100000);
            player.setEggs(100);
            key(SDLK_a);
            shop.setOpen(false);
            ASSERT_EQ(level, player.getEngineLevel());
        }
        player.fuel = 900;
        gasHeld = 1;
        for (int heading : {1, 6}) {
            carHeading = heading;
            std::vector<Uint32> steps;
            for (int ms = 0; ms < 1000; ++ms) {
                passAfter(1);
                int moved = heading == 1 ? 120 - player.y : player.x - 160;
                if (moved) steps.push_back(clock.now());
                EXPECT_LE(moved, 2);
                player.setPosition(160, 120);
            }
            const int rate = heading == 1 ? guide[level] : guide[level] * 2 / 3;
            ASSERT_GT(steps.size(), 50u);
            for (size_t i = 1; i < steps.size(); ++i)
                ASSERT_EQ(steps[i] - steps[i - 1], Uint32(1000 / rate))
                    << "heading " << heading << ": " << steps.size() << " steps a second";
        }
    }
}

TEST_F(MainLoop, PauseFromTheShopShowsTheMenu) {
    shop.setOpen(true);
    graphics.showMission = 1;
    graphics.showStats = 1;
    menu.page = 4;
    key(SDLK_x);
    EXPECT_FALSE(shop.isOpen());
    EXPECT_EQ(0, graphics.showMission);
    EXPECT_EQ(0, graphics.showStats);
    EXPECT_TRUE(menu.isActive());
    EXPECT_EQ(0, menu.page);
}

TEST_F(MainLoop, QuitEndsTheLoopAfterTheQueueIsDrained) {
    menu.setActive(true);
    gasHeld = 1;
    SDL_Event ctrlC = keyEvent(SDLK_c, SDL_KEYDOWN, KMOD_RCTRL);
    SDL_Event gasUp = keyEvent(SDLK_SPACE, SDL_KEYUP);
    ASSERT_EQ(0, SDL_PushEvent(&ctrlC));
    ASSERT_EQ(0, SDL_PushEvent(&gasUp));
    runPass(quit);
    EXPECT_TRUE(quit);
    EXPECT_EQ(0, gasHeld);

    quit = false;
    key(SDLK_c);
    EXPECT_FALSE(quit) << "c without Ctrl";
    menu.setActive(false);
    button(ButtonSelect);
    EXPECT_TRUE(quit);
}

TEST_F(MainLoop, ButtonAIsGasConfirmOrBuyByState) {
    button(ButtonA);
    EXPECT_EQ(1, gasHeld);

    gasHeld = 0;
    shop.setOpen(true);
    SoundLog log;
    button(ButtonA);
    EXPECT_EQ(1, log.countPrefix("sounds/shop/"));

    shop.setOpen(false);
    menu.setActive(true);
    menu.item = 4; // the sound page
    button(ButtonA);
    EXPECT_EQ(4, menu.page);
}

TEST_F(MainLoop, LeavingTheShopStepsBelowTheHut) {
    Hut hut(404, 402);
    level.entities.push_back(&hut);
    shop.setOpen(true);
    key(SDLK_b);
    EXPECT_FALSE(shop.isOpen());
    EXPECT_EQ(164, player.x); // the hut's screen position ...
    EXPECT_EQ(162, player.y); // ... 40 pixels lower
    EXPECT_EQ(1, player.getNosDelimiters()) << "leaving is not a NOS request";

    // Far from the hut by now: the button only closes the shop.
    shop.setOpen(true);
    button(ButtonX);
    EXPECT_FALSE(shop.isOpen());
    EXPECT_EQ(162, player.y);
}

// The loop as runMainLoop runs it, on the fake clock: a pass, then the loop's own rest,
// whose delays move the clock. A busy loop, a pass every millisecond, is the record:
// resting spares the core, and must not move a single step, frame or re-seeding of the
// random pool by a tick, nor nap so long that a key waits more than 10 ms.
TEST(Rest, EveryTimedStepComesOnTheTickABusyLoopTakesIt) {
    struct Scene {
        const char* what;
        std::function<void()> set;
        Uint32 longestNap;
    };
    const Scene scenes[] = {
        {"driving up", [] { carHeading = 1; }, 10},
        {"driving up-right", [] { carHeading = 6; }, 10},
        {"NOS with boosts: 3 ms steps", [] { rateCarTimers(300); }, 1},
        {"walking", [] { player.fuel = 0; }, 10},
        {"in the shop as the burn ends",
         [] {
             shop.setOpen(true);
             player.setNosBurning(true);
             nosStartTime = 30013 - kNosBurnTime;
         },
         10},
        {"in the shop as NOS recharges",
         [] {
             shop.setOpen(true);
             player.setNosReady(false);
             nosCooldownStart = 30037 - kNosRechargeTime;
         },
         10},
        {"in the menu", [] { menu.setActive(true); }, 10},
    };
    // Each step as (tick, what): s straight, d diagonal, w walker, f frame, e burn over,
    // r recharged, p pool re-seeded; and rand() after the last.
    auto play = [](const Scene& scene, bool rested, Uint32& longestDelay) {
        cLevel level;
        game.currentLevel = nullptr;
        resetGame();
        std::fill(std::begin(randomPool), std::end(randomPool), 0);
        poolLastRefresh = poolInterval = 0;
        std::srand(5);
        FakeClock clock{30000};
        frameTimer.setRate(60);
        walkerTimer.setRate(walker.getSpeed());
        rateCarTimers(80);
        level.init(800, 800, 16);
        game.currentLevel = &level;
        menu.setActive(false);
        player.fuel = 900;
        gasHeld = 1;
        walkerDirection = 4;
        scene.set();
        std::vector<std::pair<Uint32, char>> seen;
        bool quit = false;
        while (clock.now() <= 31000) {
            const Uint32 frameDue = frameTimer.deadline, pool = poolLastRefresh;
            const bool burning = player.isNosBurning(), ready = player.isNosReady();
            runPass(quit);
            const Uint32 now = clock.now();
            for (int i = 0; i < (player.x - 160) / 2; ++i)
                seen.emplace_back(now, 'd');
            for (int i = 0; i < (120 - player.y - (player.x - 160)) / 2; ++i)
                seen.emplace_back(now, 's');
            if (walker.x != 0) seen.emplace_back(now, 'w');
            if (frameTimer.deadline != frameDue) seen.emplace_back(now, 'f');
            if (burning && !player.isNosBurning()) seen.emplace_back(now, 'e');
            if (!ready && player.isNosReady()) seen.emplace_back(now, 'r');
            if (poolLastRefresh != pool) seen.emplace_back(now, 'p');
            player.setPosition(160, 120);
            walker.setPosition(0, 0);
            walker.setHealth(100);
            if (rested)
                restUntilDue();
            else
                clock.advance(1);
            if (clock.now() == now) {
                ADD_FAILURE() << "the rest ended on the tick it began";
                clock.advance(1);
            }
        }
        seen.emplace_back(std::rand(), 'x');
        longestDelay = clock.longestDelay;
        game.currentLevel = nullptr;
        resetGame();
        return seen;
    };
    auto perSecond = [](const std::vector<std::pair<Uint32, char>>& seen) {
        std::map<char, int> count;
        for (const auto& step : seen)
            ++count[step.second];
        return count;
    };
    for (const Scene& scene : scenes) {
        SCOPED_TRACE(scene.what);
        Uint32 busyNap = 0, restedNap = 0;
        const auto busy = play(scene, false, busyNap);
        const auto rested = play(scene, true, restedNap);
        EXPECT_EQ(rested, busy);
        EXPECT_EQ(perSecond(rested), perSecond(busy)) << "steps per second";
        EXPECT_EQ(restedNap, scene.longestNap);
    }
    // What the record holds: the walker's 20 steps a second, about 60 frames, and the
    // NOS changes on their ticks.
    Uint32 nap;
    EXPECT_EQ(perSecond(play(scenes[3], true, nap))['w'], 20);
    EXPECT_EQ(perSecond(play(scenes[0], true, nap))['f'], 62);
    for (auto [scene, tick, what] : {std::tuple{4, 30013u, 'e'}, {5, 30037u, 'r'}}) {
        const auto seen = play(scenes[scene], true, nap);
        EXPECT_NE(std::find(seen.begin(), seen.end(), std::pair{tick, what}), seen.end());
    }
}

} // namespace
