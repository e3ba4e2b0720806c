// Whole games played by script through the real main loop: presses go through SDL's
// event queue, time only moves with the fake clock, and what the player would see is
// read back from the back buffer.
#include "app/Assets.h"
#include "entities/Animals.h"
#include "entities/Exits.h"
#include "entities/Obstacles.h"
#include "graphics/Pixels.h"
#include "play/Driver.h"
#include "player/Walker.h"
#include "screens/Freerun.h"
#include "screens/Menu.h"
#include "screens/Shop.h"
#include "world/Level3.h"
#include "world/Level4.h"
#include <gtest/gtest.h>

using play::carOnMap;
using play::firstOfKind;
using play::onScreen;
using play::placeNearCar;

namespace {

constexpr unsigned kSeed = 4242;

// What a level switch through an exit must carry over to the next map.
struct Resources {
    int money, eggs, fuel, health, engineLevel, levelCount, catsKilled, dogsKilled, distance;
};

Resources resources() {
    return {player.money,      player.eggs,        player.fuel,
            player.health,     player.engineLevel, player.levelCount,
            player.catsKilled, player.dogsKilled,  player.distance};
}

// The back buffer after the game-over tint: nothing but near-black and red-orange.
bool showsGameOver() {
    SDL_Surface* b = graphics.backBuffer;
    for (int y = 0; y < 240; ++y)
        for (int x = 0; x < 320; ++x) {
            Rgb c = pixelAt(b, x, y);
            bool dark = c.r <= 50 && c.g <= 50 && c.b <= 50;
            if (!dark && (c.r < 248 || c.b != 0)) return false;
        }
    return true;
}

// The share of a rectangle of the back buffer that shows the bare ground of the level.
double groundShare(int x0, int y0, int w, int h) {
    cLevel* level = game.currentLevel;
    Uint32 ground = SDL_MapRGB(graphics.backBuffer->format, Uint8(level->red), Uint8(level->green),
                               Uint8(level->blue));
    int count = 0;
    for (int y = y0; y < y0 + h; ++y)
        for (int x = x0; x < x0 + w; ++x)
            if (getPixel(graphics.backBuffer, x, y) == ground) ++count;
    return double(count) / (w * h);
}

double groundShare() { return groundShare(0, 0, 320, hudRect.y); }

std::string carState() {
    char text[160];
    std::snprintf(text, sizeof text,
                  "car at %d,%d heading %d, fuel %d, health %d, alive %d, level %d", player.x,
                  player.y, carHeading, player.fuel, player.health, player.alive, game.levelNumber);
    return text;
}

template <class T> T* nearestOfKind(int kind) {
    T* best = nullptr;
    int bestDistance = 0;
    for (BaseEntity* e : game.currentLevel->entities) {
        if (!e || e->kind != kind) continue;
        Point p = onScreen(*e);
        int d = std::abs(p.x - player.x) + std::abs(p.y - player.y);
        if (!best || d < bestDistance) best = static_cast<T*>(e), bestDistance = d;
    }
    return best;
}

class PlayScriptedGame : public testing::Test {
  protected:
    void SetUp() override {
        play::seedGame(kSeed);
        resetGame();
        afroChopTick = 0;
    }
    void TearDown() override {
        freerunShops = freerunTerrain = 0;
        resetGame();
    }

    void startFromMenu() {
        driver.tap(SDLK_DOWN);
        driver.tap(SDLK_a);
    }

    // Goes through an exit of the current level, put just to the right of the car.
    void takeExit(BaseEntity& exit) {
        int before = player.levelCount;
        placeNearCar(exit, 40, 0);
        ASSERT_TRUE(driver.driveUntil(
            exit, [&] { return player.levelCount != before; }, 3000))
            << carState();
    }

    // Takes portals until a level 3 turns up where `wanted` holds.
    void travelUntil(const std::function<bool(cLevel3&)>& wanted) {
        for (int trip = 0; trip < 40; ++trip) {
            if (game.levelNumber == 3 && wanted(*level3Map)) {
                driver.release(SDLK_SPACE);
                return;
            }
            auto* portal = firstOfKind<Portal>(KindPortal);
            ASSERT_NE(portal, nullptr) << "level " << game.levelNumber << " has no portal";
            takeExit(*portal);
        }
        FAIL() << "no such level 3 within 40 portals";
    }

    // One start per test, by its line; the monkey's games come after these.
    FakeClock clock{
        play::startOfGame(10, testing::UnitTest::GetInstance()->current_test_info()->line())};
    play::Driver driver{clock};
    SoundLog sounds;
};

} // namespace

TEST_F(PlayScriptedGame, DrivesFromTheMenuThroughAPortalOntoAFreshLevelThree) {
    startFromMenu();
    ASSERT_FALSE(menu.isActive());
    ASSERT_EQ(game.levelNumber, 1);
    EXPECT_EQ(sounds.count(assets::levelRev), 1);

    player.money = 123;
    player.eggs = 4;
    player.health = 77;
    player.catsKilled = 2;
    auto* portal = nearestOfKind<Portal>(KindPortal);
    ASSERT_NE(portal, nullptr);

    // Really drive there: steer and hold the gas until the portal takes the car.
    Resources before{};
    bool gone = driver.driveUntil(
        *portal,
        [&] {
            if (player.levelCount == 0) before = resources();
            return player.levelCount != 0;
        },
        60000);
    ASSERT_TRUE(gone) << "the car never reached the portal";

    EXPECT_EQ(game.levelNumber, 3);
    ASSERT_EQ(game.currentLevel, level3Map);
    EXPECT_EQ(sounds.count("sounds/portal.wav"), 1);
    EXPECT_EQ(player.levelCount, before.levelCount + 1);
    EXPECT_EQ(player.money, before.money);
    EXPECT_EQ(player.eggs, before.eggs);
    EXPECT_EQ(player.health, before.health);
    EXPECT_EQ(player.catsKilled, before.catsKilled);
    // The pass that switched may still have moved the car once, using its last mile.
    EXPECT_TRUE(player.fuel == before.fuel ||
                (player.fuel == before.fuel - 1 && player.distance == 0));
    EXPECT_GT(player.fuel, 0);
    EXPECT_EQ(walker.getHealth(), 100);

    // Back at the centre of a new map (or one step on from there).
    int step = std::abs(player.x - 160) + std::abs(player.y - 120);
    EXPECT_LE(step, 2) << player.x << "," << player.y;
    EXPECT_EQ(graphics.cameraX, 160 - level3Map->mapWidth / 2);
    EXPECT_EQ(graphics.cameraY, 120 - level3Map->mapHeight / 2);
    EXPECT_GE(level3Map->mapWidth, 800);
    EXPECT_LT(level3Map->mapWidth, 2048);
    for (BaseEntity* e : level3Map->entities)
        EXPECT_NE(e, static_cast<BaseEntity*>(portal));

    // The old map goes with the next frame, and the new ground fills the screen.
    EXPECT_FALSE(game.retiredEntities.empty());
    driver.release(SDLK_SPACE);
    driver.run(40);
    EXPECT_TRUE(game.retiredEntities.empty());
    EXPECT_GT(groundShare(), 0.3);
    EXPECT_FALSE(showsGameOver());
}

TEST_F(PlayScriptedGame, BuysInAFreerunShopAndStepsOutBelowTheHut) {
    // Menu: entry 5, line 5 (Shops) up to 1, line 10 to water (no trees to push the
    // car about), then line 11 starts the freerun map.
    for (int i = 0; i < 5; ++i)
        driver.tap(SDLK_DOWN);
    driver.tap(SDLK_a);
    ASSERT_EQ(menu.page, 6);
    for (int i = 0; i < 4; ++i)
        driver.tap(SDLK_DOWN);
    driver.tap(SDLK_RIGHT);
    EXPECT_EQ(freerunShops, 1);
    for (int i = 0; i < 5; ++i)
        driver.tap(SDLK_DOWN);
    driver.tap(SDLK_RIGHT);
    driver.tap(SDLK_RIGHT);
    EXPECT_EQ(freerunTerrain, TerrainWater);
    driver.tap(SDLK_DOWN);
    driver.tap(SDLK_a);
    ASSERT_FALSE(menu.isActive());
    ASSERT_EQ(game.levelNumber, 2);

    auto* hut = firstOfKind<Shop>(KindShop);
    ASSERT_NE(hut, nullptr);
    placeNearCar(*hut, 0, -70);
    ASSERT_TRUE(driver.driveUntil(
        *hut, [] { return shop.isOpen(); }, 3000));
    EXPECT_EQ(sounds.count("sounds/shop/entershop.wav"), 1);

    // Let go of the gas; Space pressed in the shop does not drive the car on.
    driver.release(SDLK_SPACE);
    driver.hold(SDLK_SPACE);
    EXPECT_EQ(gasHeld, 0);
    Point car = player.getPosition();
    driver.run(300);
    EXPECT_EQ(player.x, car.x);
    EXPECT_EQ(player.y, car.y);
    EXPECT_LT(groundShare(missionRect.x, missionRect.y, missionRect.w, missionRect.h), 0.05);

    // Nothing to kill in this map: the kitten offer is refused and costs nothing.
    ASSERT_EQ(shop.cursor, 0);
    driver.tap(SDLK_a);
    EXPECT_EQ(sounds.count("sounds/shop/moremoney.wav"), 1);
    EXPECT_EQ(player.money, 60);

    // A mile of fuel for 45.
    driver.tap(SDLK_DOWN);
    driver.tap(SDLK_DOWN);
    driver.tap(SDLK_a);
    EXPECT_EQ(player.money, 15);
    EXPECT_EQ(sounds.count("sounds/shop/buyitem.wav"), 1);
    driver.run(100);
    EXPECT_EQ(player.fuel, 7);

    // Leave: 40 pixels below the hut, and the hut lets the car go.
    driver.tap(SDLK_b);
    EXPECT_FALSE(shop.isOpen());
    Point h = onScreen(*hut);
    EXPECT_EQ(player.x, h.x);
    EXPECT_EQ(player.y, h.y + 40);
    driver.run(300);
    EXPECT_FALSE(shop.isOpen());
    EXPECT_EQ(sounds.count("sounds/shop/entershop.wav"), 1);
    EXPECT_GT(groundShare(missionRect.x, missionRect.y, missionRect.w, missionRect.h), 0.3);
}

TEST_F(PlayScriptedGame, RunsOutOfFuelWalksAHundredStepsAndTheNextPlayIsANewGame) {
    startFromMenu();
    // One more step empties the tank, before the car can reach anything on the map.
    player.fuel = 1;
    player.distance = 845;
    driver.hold(SDLK_SPACE);
    ASSERT_TRUE(driver.runUntil([] { return player.fuel <= 0; }, 2000));
    EXPECT_EQ(sounds.count("sounds/heartbeat.wav"), 1);
    Point out = player.getPosition();
    EXPECT_EQ(walker.x, out.x);
    EXPECT_EQ(walker.y, out.y);

    // On foot the arrows walk; the car stays where it ran dry.
    driver.tap(SDLK_LEFT);
    EXPECT_EQ(walkerDirection, 3);
    ASSERT_TRUE(driver.runUntil([] { return walker.getHealth() == 0; }, 10000));
    EXPECT_EQ((out.x - walker.x) + (out.y - walker.y), 100);
    EXPECT_LT(walker.x, out.x);
    driver.run(2000);
    EXPECT_EQ((out.x - walker.x) + (out.y - walker.y), 100);
    EXPECT_EQ(player.x, out.x);
    EXPECT_EQ(player.y, out.y);
    EXPECT_TRUE(showsGameOver());
    // A portal under the starting point may have carried the car among pedestrians,
    // whose deaths grunt too; the driver's own death grunt comes once on top.
    EXPECT_EQ(sounds.countPrefix("sounds/grunts/grunt") - player.menKilled - player.pinkKilled, 1);

    // The game is over: the menu's first entry no longer resumes it.
    driver.tap(SDLK_x);
    ASSERT_TRUE(menu.isActive());
    EXPECT_EQ(menu.gameInProgress, 0);
    driver.tap(SDLK_a);
    ASSERT_FALSE(menu.isActive());
    EXPECT_EQ(game.levelNumber, 1);
    EXPECT_EQ(sounds.count(assets::levelRev), 2);
    EXPECT_EQ(player.fuel, 6);
    EXPECT_EQ(player.health, 100);
    EXPECT_EQ(player.money, 60);
    EXPECT_EQ(player.levelCount, 0);
    EXPECT_EQ(walker.getHealth(), 100);
    EXPECT_EQ(player.x, 160);
    EXPECT_EQ(player.y, 120);
    driver.run(40);
    EXPECT_FALSE(showsGameOver());
    EXPECT_GT(groundShare(), 0.3);
}

TEST_F(PlayScriptedGame, AnAfroChopsALowCarToPieces) {
    startFromMenu();
    // A dog on the way would bite first and spoil the count of chops.
    travelUntil([](cLevel3& level) { return level.afroCount > 0 && level.dogCount == 0; });
    auto* afro = firstOfKind<Afro>(KindAfro);
    ASSERT_NE(afro, nullptr);

    player.health = 7;
    // Men run over on the way grunt too; the driver's own death grunt comes on top.
    auto grunts = [&] {
        return sounds.countPrefix("sounds/grunts/grunt") - player.menKilled - player.pinkKilled;
    };
    placeNearCar(*afro, 0, -60);
    ASSERT_TRUE(driver.driveUntil(
        *afro, [&] { return afro->frame != 0; }, 3000));
    driver.release(SDLK_SPACE);
    ASSERT_TRUE(driver.runUntil([] { return !player.alive; }, 3000)) << "health " << player.health;

    EXPECT_EQ(sounds.count("sounds/explosion.wav"), 1);
    EXPECT_EQ(sounds.count("sounds/chop.wav"), 3);
    EXPECT_EQ(player.health, -2);
    EXPECT_EQ(player.fuel, 0);
    EXPECT_EQ(walker.getHealth(), 0);
    driver.run(40);
    EXPECT_TRUE(showsGameOver());
    EXPECT_EQ(grunts(), 1);

    // Nothing moves any more, whatever is pressed; the Afro may go on chopping at
    // the wreck, but the dead stay dead.
    Point car = player.getPosition();
    driver.hold(SDLK_SPACE);
    driver.tap(SDLK_RIGHT);
    driver.run(1000);
    EXPECT_EQ(player.x, car.x);
    EXPECT_EQ(player.y, car.y);
    EXPECT_FALSE(player.alive);
    EXPECT_EQ(player.fuel, 0);
    EXPECT_EQ(walker.getHealth(), 0);
    EXPECT_TRUE(showsGameOver());
}

TEST_F(PlayScriptedGame, AHellriftOnLevelThreeLeadsToLevelFour) {
    startFromMenu();
    travelUntil([](cLevel3& level) { return level.hellriftCount > 0; });
    int portals = sounds.count("sounds/portal.wav");
    auto* rift = firstOfKind<Hellrift>(KindHellrift);
    ASSERT_NE(rift, nullptr);

    player.money = 500;
    player.eggs = 3;
    Resources before{};
    int trips = player.levelCount;
    placeNearCar(*rift, 40, 0);
    ASSERT_TRUE(driver.driveUntil(
        *rift,
        [&] {
            if (player.levelCount == trips) before = resources();
            return player.levelCount != trips;
        },
        3000))
        << carState();

    EXPECT_EQ(game.levelNumber, 4);
    ASSERT_EQ(game.currentLevel, level4Map);
    EXPECT_EQ(sounds.count("sounds/hellrift.wav"), 1);
    EXPECT_EQ(sounds.count("sounds/portal.wav"), portals);
    EXPECT_EQ(player.levelCount, before.levelCount + 1);
    EXPECT_EQ(player.money, before.money);
    EXPECT_EQ(player.eggs, before.eggs);
    EXPECT_EQ(player.health, before.health);
    EXPECT_TRUE(player.fuel == before.fuel ||
                (player.fuel == before.fuel - 1 && player.distance == 0));
    EXPECT_LE(std::abs(player.x - 160) + std::abs(player.y - 120), 2);
    EXPECT_EQ(firstOfKind<Hellrift>(KindHellrift), nullptr);

    driver.release(SDLK_SPACE);
    driver.run(40);
    EXPECT_TRUE(game.retiredEntities.empty());
    EXPECT_GT(groundShare(), 0.2);

    // Level 4's own portals lead back to a level 3.
    auto* portal = firstOfKind<Portal>(KindPortal);
    ASSERT_NE(portal, nullptr);
    takeExit(*portal);
    EXPECT_EQ(game.levelNumber, 3);
    // A portal of the new level 3 may lie under the starting point and count at once.
    EXPECT_GE(player.levelCount, before.levelCount + 2);
}
