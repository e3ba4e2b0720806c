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
    EXPECT_EQ(6, carStraightTimer.period); // 80 + 80 = 160 per second
    EXPECT_EQ(9, carDiagonalTimer.period); // 106 per second
    EXPECT_TRUE(player.isNukeActive());    // the exhaust lights the nuke ring
    passAfter(4499);
    EXPECT_TRUE(player.isNosBurning());
    passAfter(1);
    EXPECT_FALSE(player.isNosBurning());
    EXPECT_EQ(12, carStraightTimer.period);
    EXPECT_EQ(18, carDiagonalTimer.period);
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

TEST_F(MainLoop, EngineUpgradeRepacesTheCarAtTheNextPass) {
    player.setEngineLevel(5);
    menu.setActive(true);
    runPass(quit);
    EXPECT_EQ(12, carStraightTimer.period) << "no game steps while the menu is shown";
    menu.setActive(false);
    runPass(quit);
    EXPECT_EQ(5, lastEngineLevel);
    EXPECT_EQ(7, carStraightTimer.period);  // 140 per second
    EXPECT_EQ(10, carDiagonalTimer.period); // 93 per second
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

// The rest must end on the tick of the earliest step the next pass would take, and
// never on a later one; the car's timers do not count while the shop holds the car.
TEST(Rest, EndsAtTheEarliestDueStep) {
    struct Case {
        const char* what;
        bool menuShown, shopOpen, nosBurning, nosReady;
        int carRate;
        Uint32 expectedDue, expectedNap;
    };
    // At 10000 ms: frame due at 10016, walker at 10050, the car at 80 per second at
    // 10012 straight and 10018 diagonally.
    const Case cases[] = {
        {"menu: waiting for input", true, false, false, true, 80, 10100, 10},
        {"driving: the car's straight step", false, false, false, true, 80, 10012, 10},
        {"shop open: the frame", false, true, false, true, 80, 10016, 10},
        {"burn ending first", false, true, true, true, 80, 10005, 10},
        {"recharge first", false, true, false, false, 80, 10003, 10},
        {"fast car timers: 1 ms naps", false, false, false, true, 380, 10002, 1},
    };
    for (const Case& c : cases) {
        resetGame();
        FakeClock clock{10000};
        frameTimer.setRate(60);
        walkerTimer.setRate(20);
        rateCarTimers(c.carRate);
        menu.setActive(c.menuShown);
        shop.setOpen(c.shopOpen);
        player.setNosBurning(c.nosBurning);
        player.setNosReady(c.nosReady);
        nosStartTime = 10005 - kNosBurnTime;
        nosCooldownStart = 10003 - kNosRechargeTime;
        poolLastRefresh = 10000;
        poolInterval = 400;
        EXPECT_EQ(restDeadline(clock.now()), c.expectedDue) << c.what;
        EXPECT_EQ(longestNap(), c.expectedNap) << c.what;
        // The random pool's refresh, when it comes first, ends the rest in any state.
        poolInterval = 1;
        EXPECT_EQ(restDeadline(clock.now()), 10001u) << c.what;
    }
    resetGame();
}

// The pool re-seeds from the clock, so a refresh on any other tick than the busy
// loop's would change every number drawn after it.
TEST(Rest, DrawsTheNumbersABusyLoopDraws) {
    auto play = [](bool resting) {
        resetGame();
        std::fill(std::begin(randomPool), std::end(randomPool), 0);
        poolLastRefresh = poolInterval = 0;
        FakeClock clock{10000};
        enterLevelWithSeed(1, 5);
        menu.setActive(false);
        frameTimer.setRate(60);
        walkerTimer.setRate(20);
        rateCarTimers(80);
        bool quit = false;
        while (clock.now() < 12000) {
            runPass(quit);
            Uint32 due = restDeadline(clock.now());
            clock.advance(resting && due > clock.now() ? due - clock.now() : 1);
        }
        std::vector<int> drawn(std::begin(randomPool), std::end(randomPool));
        drawn.push_back(static_cast<int>(poolLastRefresh));
        drawn.push_back(std::rand());
        return drawn;
    };
    std::vector<int> busy = play(false);
    EXPECT_EQ(busy, play(true));
    resetGame();
}

} // namespace
