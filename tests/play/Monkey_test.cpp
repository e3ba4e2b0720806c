// A monkey at the controls: thousands of random presses and releases of every key and
// button, with now and then a helping hand that puts an exit, a hut or a refill in the
// car's way, over minutes of game time. After every pass of the main loop the game
// must still be in one piece.
#include "app/Timer.h"
#include "entities/Obstacles.h"
#include "app/Loop.h"
#include "graphics/Graphics.h"
#include "player/Player.h"
#include "support/TestSupport.h"
#include "world/Game.h"
#include "world/Random.h"
#include "player/Walker.h"
#include "screens/Freerun.h"
#include "screens/Menu.h"
#include "screens/Shop.h"
#include "world/Level1.h"
#include "world/Level2.h"
#include "world/Level3.h"
#include "world/Level4.h"
#include <gtest/gtest.h>
#include <cstring>
#include <functional>
#include <random>
#include <sstream>

namespace {

// Presses go into SDL's event queue and every pass of the real main loop is one
// runPass(); the clock only moves when the monkey waits.
void pushKey(SDLKey sym, bool down, SDLMod mod = KMOD_NONE) {
    SDL_Event event{};
    event.type = down ? SDL_KEYDOWN : SDL_KEYUP;
    event.key.type = event.type;
    event.key.state = down ? SDL_PRESSED : SDL_RELEASED;
    event.key.keysym.sym = sym;
    event.key.keysym.mod = mod;
    SDL_PushEvent(&event);
}

void pushButton(int button, bool down) {
    SDL_Event event{};
    event.type = down ? SDL_JOYBUTTONDOWN : SDL_JOYBUTTONUP;
    event.jbutton.type = event.type;
    event.jbutton.button = static_cast<Uint8>(button);
    event.jbutton.state = down ? SDL_PRESSED : SDL_RELEASED;
    SDL_PushEvent(&event);
}

// Puts an entity `dx`, `dy` screen pixels away from the car.
void placeNearCar(BaseEntity& e, int dx, int dy) {
    e.setPosition(player.x - graphics.cameraX + dx, player.y - graphics.cameraY + dy);
}

const SDLKey kKeys[] = {SDLK_UP, SDLK_DOWN, SDLK_LEFT, SDLK_RIGHT, SDLK_SPACE, SDLK_a,
                        SDLK_b,  SDLK_x,    SDLK_q,    SDLK_w,     SDLK_c,     SDLK_z};

cLevel* slotOf(int n) {
    cLevel* slots[] = {nullptr, level1Map, level2Map, level3Map, level4Map};
    return slots[n];
}

// Everything that must hold whatever the player does.
class Watch {
  public:
    // Checked after every pass; returns the first broken rule, or an empty string.
    std::string check(bool frameRan) {
        std::ostringstream broken;
        if (player.health > 999) broken << "health " << player.health << "; ";
        if (player.fuel > 999) broken << "fuel " << player.fuel << "; ";
        if (carHeading < 1 || carHeading > 8) broken << "heading " << carHeading << "; ";
        if (walkerDirection < 1 || walkerDirection > 4)
            broken << "walking " << walkerDirection << "; ";
        if (walker.health < 0 || walker.health > 100)
            broken << "walker health " << walker.health << "; ";
        if (shop.cursor < 0 || shop.cursor > 8) broken << "shop cursor " << shop.cursor << "; ";
        if (menu.line < 1 || menu.line > 11) broken << "menu line " << menu.line << "; ";
        if (menu.item < 0 || menu.item > 6) broken << "menu item " << menu.item << "; ";

        if (game.levelNumber != 0) {
            if (!game.currentLevel || game.currentLevel != slotOf(game.levelNumber))
                broken << "level " << game.levelNumber << " is not the current one; ";
        }

        // A level's list never loses an entry; a new level shows as retired arrays.
        cLevel* level = game.currentLevel;
        size_t size = level ? level->entities.size() : 0;
        bool newLevel = !game.retiredEntities.empty() || level != lastLevel;
        if (newLevel) ++switches;
        if (!newLevel && level && size < lastSize)
            broken << "entity list shrank from " << lastSize << " to " << size << "; ";
        lastLevel = level;
        lastSize = size;

        // The old maps go with the frame after a switch: at most the levels left in
        // this very pass can still be waiting.
        if (frameRan && game.retiredEntities.size() > 2 * 17)
            broken << game.retiredEntities.size() << " retired arrays after a frame; ";
        if (game.retiredEntities.size() > 6 * 17)
            broken << game.retiredEntities.size() << " retired arrays; ";
        return broken.str();
    }

    int switches = 0;

  private:
    cLevel* lastLevel = nullptr;
    size_t lastSize = 0;
};

// One seed: more seeds only replayed the same paths.
constexpr unsigned kSeed = 11;

class PlayMonkey : public testing::Test {
  protected:
    void SetUp() override {
        // The random pool re-seeds from the clocks: emptied, the game depends only on
        // the seed, the fake clock and the presses.
        std::memset(randomPool, 0, sizeof randomPool);
        poolLastRefresh = poolInterval = 0;
        std::srand(kSeed);
        resetGame();
        afroChopTick = 0;
    }
    // One pass of the real main loop, `ms` milliseconds after the last one; every pass
    // is watched.
    void pass(Uint32 ms = 1) {
        clock.advance(ms);
        Uint32 frameDeadline = frameTimer.deadline;
        runPass(quit);
        if (broken.empty()) broken = watch.check(frameTimer.deadline != frameDeadline);
    }
    void tap(SDLKey sym) {
        pushKey(sym, true);
        pushKey(sym, false);
        pass();
    }

    // The car's count-ups keep their last step times from earlier tests; a clock
    // far beyond theirs keeps the run the same whatever ran before.
    FakeClock clock{2011000000u};
    bool quit = false;
    Watch watch;
    std::string broken;

    void TearDown() override {
        freerunCats = freerunMen = freerunPink = freerunDeadCars = freerunShops = 0;
        freerunNosBoosts = freerunChests = freerunTerrain = 0;
        freerunWidth = freerunHeight = 512;
        resetGame();
    }

    // The way back into a game through the menu, as a player would press it: pause, then
    // either the first entry (which resumes, or starts anew once the game is lost) or the
    // freerun page's start line.
    void changeScene(std::mt19937& rng) {
        pushKey(SDLK_SPACE, false);
        pass();
        if (!menu.isActive()) tap(SDLK_x);
        tap(SDLK_b);
        for (int i = 0; i < 8 && menu.item != 1; ++i)
            tap(menu.item > 1 ? SDLK_UP : SDLK_DOWN);
        if (rng() % 4) {
            tap(SDLK_a);
            return;
        }
        for (int i = 0; i < 4; ++i)
            tap(SDLK_DOWN);
        tap(SDLK_a);
        for (int i = 0; i < 12 && menu.line != 11; ++i)
            tap(SDLK_DOWN);
        tap(SDLK_a);
    }

    // A helping hand, now and then, so that the monkey sees shops and level switches
    // and does not spend every minute walking.
    void help(std::mt19937& rng) {
        if (menu.isActive() || !game.currentLevel) return;
        std::vector<BaseEntity*> exits, huts;
        for (BaseEntity* e : game.currentLevel->entities) {
            if (!e) continue;
            if (e->kind == KindPortal || e->kind == KindHellrift) exits.push_back(e);
            if (e->kind == KindShop) huts.push_back(e);
        }
        // Close enough to touch at once, whether the car is moving or not.
        int dx = int(rng() % 41) - 20, dy = int(rng() % 41) - 20;
        switch (rng() % 5) {
        case 0: {
            // Hellrifts are rare; given the choice, take one every other time.
            BaseEntity* exit = exits.empty() ? nullptr : exits[rng() % exits.size()];
            for (BaseEntity* e : exits)
                if (e->kind == KindHellrift && rng() % 2) exit = e;
            if (exit) placeNearCar(*exit, dx, dy);
            break;
        }
        case 1:
            if (!huts.empty()) placeNearCar(*huts[rng() % huts.size()], dx, dy);
            break;
        case 2:
            // A few miles, now and then on top of a nearly full tank.
            if (rng() % 4 == 0 && player.fuel > 0) player.fuel = std::max(player.fuel, 990);
            player.addPendingFuel(int(rng() % 40));
            break;
        case 3:
            player.addPendingMoney(int(rng() % 5000));
            player.setEggs(player.getEggs() + int(rng() % 5));
            player.setHealth(player.getHealth() + int(rng() % 1200) - 100);
            break;
        case 4:
            // The last mile is nearly gone: soon the driver walks.
            if (player.fuel > 0 && player.pendingFuel == 0) {
                player.fuel = 1;
                player.distance = 840;
            }
            break;
        }
    }
};

} // namespace

TEST_F(PlayMonkey, KeepsTheGameWholeThroughThousandsOfRandomPresses) {
    std::mt19937 rng(kSeed);

    // A crowded freerun page: hundreds of everything on a big map.
    freerunCats = 200;
    freerunMen = 100;
    freerunPink = 100;
    freerunDeadCars = 100;
    freerunShops = 100;
    freerunNosBoosts = 100;
    freerunChests = 100;
    freerunWidth = 512 + 24 * 80;
    freerunHeight = 512 + 24 * 60;
    freerunTerrain = 3; // no ground of its own

    // A joystick press reaches the menu like a key does.
    pushButton(ButtonDown, true);
    pushButton(ButtonDown, false);
    pass();
    ASSERT_EQ(menu.item, 1);

    int menuEvents = 0;
    for (int event = 0; event < 1500; ++event) {
        unsigned pick = rng() % 100;
        // A monkey lost in the menu for long is led back into a game.
        menuEvents = menu.isActive() ? menuEvents + 1 : 0;
        if (event % 250 == 249 || menuEvents > 15) {
            changeScene(rng);
            menuEvents = 0;
        } else if (pick < 4) {
            help(rng);
        } else if (pick < 60) {
            SDLKey key = kKeys[rng() % (sizeof kKeys / sizeof kKeys[0])];
            bool down = rng() % 5 < 3;
            SDLMod mod = (key == SDLK_c && rng() % 2) ? KMOD_LCTRL : KMOD_NONE;
            pushKey(key, down, mod);
        } else {
            pushButton(int(rng() % 19), rng() % 5 < 3);
        }

        Uint32 wait = 1 + rng() % 80;
        for (Uint32 t = 0; t < wait && broken.empty(); t += 2)
            pass(1 + rng() % 2);
        ASSERT_EQ(broken, "") << "event " << event << ", level " << game.levelNumber << ", t "
                              << clock.now();
        quit = false; // Ctrl+C and Select end the real loop; the monkey plays on
    }

    // However many maps came and went, one frame later only the current one is left.
    if (game.currentLevel) {
        menu.setActive(false);
        for (int i = 0; i < 40; ++i)
            pass();
        EXPECT_TRUE(game.retiredEntities.empty());
    }
    EXPECT_GT(watch.switches, 2);
}
