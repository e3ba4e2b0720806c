// A monkey at the controls: thousands of random presses and releases of every key and
// button, with now and then a helping hand that puts an exit, a hut or a refill in the
// car's way, over minutes of game time. After every pass of the main loop the game
// must still be in one piece.
#include "app/Timer.h"
#include "entities/Obstacles.h"
#include "play/Driver.h"
#include "player/Walker.h"
#include "screens/Freerun.h"
#include "screens/Menu.h"
#include "screens/Shop.h"
#include "world/Level1.h"
#include "world/Level2.h"
#include "world/Level3.h"
#include "world/Level4.h"
#include <gtest/gtest.h>
#include <random>
#include <sstream>

namespace {

const SDLKey kKeys[] = {SDLK_UP, SDLK_DOWN, SDLK_LEFT, SDLK_RIGHT, SDLK_SPACE, SDLK_a,
                        SDLK_b,  SDLK_x,    SDLK_q,    SDLK_w,     SDLK_c,     SDLK_z};

cLevel* slotOf(int n) {
    switch (n) {
    case 1:
        return level1Map;
    case 2:
        return level2Map;
    case 3:
        return level3Map;
    case 4:
        return level4Map;
    }
    return nullptr;
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

        // Leaving a hut puts the car 40 pixels below it, which may be outside the box;
        // the next straight moves bring it back. Until then the box is not checked.
        if (shop.isOpen() || wasOpen) outsideAllowed = true;
        wasOpen = shop.isOpen();
        bool inBox = player.x >= 44 && player.x <= 276 && player.y >= 44 && player.y <= 156;
        // Trees nudge the car sideways in every frame they touch it, box or no box.
        if (!inBox && !outsideAllowed && nearTree()) outsideAllowed = true;
        if (inBox) outsideAllowed = false;
        if (!inBox && !outsideAllowed && game.currentLevel)
            broken << "car at " << player.x << "," << player.y << "; ";

        // A level's list never loses an entry; a new level shows as retired arrays.
        cLevel* level = game.currentLevel;
        size_t size = level ? level->entities.size() : 0;
        bool newLevel = !game.retiredEntities.empty() || level != lastLevel;
        if (newLevel) ++switches;
        if (!newLevel && level && size < lastSize)
            broken << "entity list shrank from " << lastSize << " to " << size << "; ";
        lastLevel = level;
        lastSize = size;
        maxEntities = std::max(maxEntities, size);

        // The old maps go with the frame after a switch: at most the levels left in
        // this very pass can still be waiting.
        if (frameRan && game.retiredEntities.size() > 2 * 17)
            broken << game.retiredEntities.size() << " retired arrays after a frame; ";
        if (game.retiredEntities.size() > 6 * 17)
            broken << game.retiredEntities.size() << " retired arrays; ";
        return broken.str();
    }

    int switches = 0;
    size_t maxEntities = 0;

  private:
    static bool nearTree() {
        if (!game.currentLevel) return false;
        for (BaseEntity* e : game.currentLevel->entities)
            if (e && (e->kind == KindDeadTree || e->kind == KindPalmTree) &&
                carTouches(*e, e->reach + 2))
                return true;
        return false;
    }

    bool wasOpen = false;
    bool outsideAllowed = false;
    cLevel* lastLevel = nullptr;
    size_t lastSize = 0;
};

class PlayMonkey : public testing::TestWithParam<unsigned> {
  protected:
    void SetUp() override {
        play::seedGame(GetParam());
        resetGame();
        afroChopTick = 0;
    }
    void TearDown() override {
        freerunCats = freerunMen = freerunPink = freerunDeadCars = freerunShops = 0;
        freerunNosBoosts = freerunChests = freerunTerrain = 0;
        freerunWidth = freerunHeight = 512;
        resetGame();
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
            if (exit) play::placeNearCar(*exit, dx, dy);
            break;
        }
        case 1:
            if (!huts.empty()) play::placeNearCar(*huts[rng() % huts.size()], dx, dy);
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

// The way back into a game through the menu, as a player would press it: pause, then
// either the first entry (which resumes, or starts anew once the game is lost) or the
// freerun page's start line.
void changeScene(play::Driver& driver, std::mt19937& rng) {
    driver.release(SDLK_SPACE);
    if (!menu.isActive()) driver.tap(SDLK_x);
    driver.tap(SDLK_b);
    for (int i = 0; i < 8 && menu.item != 1; ++i)
        driver.tap(menu.item > 1 ? SDLK_UP : SDLK_DOWN);
    if (rng() % 4) {
        driver.tap(SDLK_a);
        return;
    }
    for (int i = 0; i < 4; ++i)
        driver.tap(SDLK_DOWN);
    driver.tap(SDLK_a);
    for (int i = 0; i < 12 && menu.line != 11; ++i)
        driver.tap(SDLK_DOWN);
    driver.tap(SDLK_a);
}

} // namespace

TEST_P(PlayMonkey, KeepsTheGameWholeThroughThousandsOfRandomPresses) {
    const unsigned seed = GetParam();
    std::mt19937 rng(seed);

    // A crowded freerun page: hundreds of everything on a big map, a terrain that
    // changes from seed to seed (3 has no ground of its own).
    freerunCats = 100 + int(seed % 2) * 100;
    freerunMen = 100;
    freerunPink = 100;
    freerunDeadCars = 100;
    freerunShops = 100;
    freerunNosBoosts = 100;
    freerunChests = 100;
    freerunWidth = 512 + 24 * 80;
    freerunHeight = 512 + 24 * 60;
    freerunTerrain = int(seed % 4);

    const Uint32 start = play::startOfGame(20, int(seed));
    FakeClock clock(start);
    play::Driver driver(clock);
    Watch watch;

    // A joystick press reaches the menu like a key does.
    driver.tapButton(ButtonDown);
    ASSERT_EQ(menu.item, 1);

    // Every pass is watched, the menu walks of changeScene included.
    std::string broken;
    driver.afterPass = [&](bool frameRan) {
        if (broken.empty()) broken = watch.check(frameRan);
    };

    const int kEvents = 1500;
    int levelsSeen[5] = {};
    int menuEvents = 0, inMenu = 0, inShop = 0, onFoot = 0;
    for (int event = 0; event < kEvents; ++event) {
        unsigned pick = rng() % 100;
        // A monkey lost in the menu for long is led back into a game.
        menuEvents = menu.isActive() ? menuEvents + 1 : 0;
        if (event % 250 == 249 || menuEvents > 15) {
            changeScene(driver, rng);
            menuEvents = 0;
        } else if (pick < 4) {
            help(rng);
        } else if (pick < 60) {
            SDLKey key = kKeys[rng() % (sizeof kKeys / sizeof kKeys[0])];
            bool down = rng() % 5 < 3;
            SDLMod mod = (key == SDLK_c && rng() % 2) ? KMOD_LCTRL : KMOD_NONE;
            play::pushKey(key, down, mod);
        } else {
            play::pushButton(int(rng() % 19), rng() % 5 < 3);
        }

        Uint32 wait = 1 + rng() % 80;
        for (Uint32 t = 0; t < wait && broken.empty(); t += 2)
            driver.pass(1 + rng() % 2);
        ASSERT_EQ(broken, "") << "seed " << seed << ", event " << event << ", level "
                              << game.levelNumber << ", t " << clock.now();
        driver.quit = false; // Ctrl+C and Select end the real loop; the monkey plays on
        levelsSeen[game.levelNumber] += 1;
        inMenu += menu.isActive();
        inShop += shop.isOpen();
        onFoot += game.currentLevel && player.fuel <= 0;
    }

    // However many maps came and went, one frame later only the current one is left.
    if (game.currentLevel) {
        menu.setActive(false);
        driver.run(40);
        EXPECT_TRUE(game.retiredEntities.empty());
    }
    RecordProperty("levelSwitches", watch.switches);
    std::printf("seed %u: %d level switches, levels seen 1:%d 2:%d 3:%d 4:%d, most entities %zu, "
                "%u s of game time; events in the menu %d, in a shop %d, on foot %d\n",
                seed, watch.switches, levelsSeen[1], levelsSeen[2], levelsSeen[3], levelsSeen[4],
                watch.maxEntities, (clock.now() - start) / 1000, inMenu, inShop, onFoot);
    EXPECT_GT(watch.switches, 2);
}

INSTANTIATE_TEST_SUITE_P(Play, PlayMonkey, testing::Values(11u, 23u, 37u));
