#include "player/Player.h"
#include "app/Assets.h"
#include "app/Clock.h"
#include "app/Timer.h"
#include "entities/BaseEntity.h"
#include "graphics/Graphics.h"
#include "graphics/SpriteStore.h"
#include "player/Walker.h"
#include "sound/Sound.h"
#include "world/Game.h"
#include "world/Level.h"
#include "world/Random.h"
#include <algorithm>

namespace {
Uint32 nukeTick;
Uint32 moneyTick;
int moneyBase;
bool countingMoney;
Uint32 fuelTick;
int fuelBase;
bool countingFuel;

constexpr int kMaxHealth = 999;
constexpr int kMaxFuel = 999;
constexpr int kMileUnits = 846;

// The car stays inside x 46..274, y 46..154 of the screen; beyond, the map scrolls.
constexpr int kBoxLeft = 45, kBoxRight = 274, kBoxTop = 45, kBoxBottom = 154;
bool outsideScreenBox(int x, int y) {
    return x <= kBoxLeft || x > kBoxRight || y <= kBoxTop || y > kBoxBottom;
}
} // namespace

void resetCarClocks() {
    nukeTick = moneyTick = fuelTick = 0;
    moneyBase = fuelBase = 0;
    countingMoney = countingFuel = false;
}

cPlayer::cPlayer() { reset(); }

// The heading images get blood painted on them, so the car has copies of its own; the
// burnt-out look is never painted and can be shared.
void cPlayer::loadSprites() {
    for (int heading = 1; heading <= 8; ++heading)
        sprites[heading] = spriteStore.ownCopy(assets::carImages[heading - 1]);
    deadSprite = spriteStore.shared(assets::carImages[8]);
}

void cPlayer::freeSprites() {
    for (SDL_Surface*& sprite : sprites) {
        SDL_FreeSurface(sprite);
        sprite = nullptr;
    }
    deadSprite = nullptr;
}

void cPlayer::reloadSprites() {
    freeSprites();
    loadSprites();
}

void cPlayer::reset() {
    // Until start-up has loaded the pictures there is no blood to wash off.
    if (deadSprite) reloadSprites();
    menKilled = catsKilled = dogsKilled = pinkKilled = 0;
    levelCount = 0;
    nukeRadius = 0;
    x = 160;
    y = 120;
    heading = 1;
    speed = baseSpeed = 80;
    health = 100;
    money = 60;
    fuel = 6;
    distance = 0;
    pendingMoney = 0;
    countingMoney = false;
    // Nothing of the last game's fuel count-up carries over into a new game.
    pendingFuel = 0;
    fuelBase = 0;
    countingFuel = false;
    alive = 1;
    nukeActive = 0;
    engineLevel = 0;
    eggs = 0;
    nukes = 0;
    nosDelimiters = 1;
    rateCarTimers(speed);
}

void cPlayer::respawn() {
    countingMoney = false;
    alive = 1;
    x = 160;
    y = 120;
    pendingMoney = 0;
    heading = 1;
}

SDL_Surface* cPlayer::currentSprite() { return alive ? sprites[heading] : deadSprite; }

// Moving the car and the camera together keeps the car's map position and scrolls
// the view, which holds the car inside the screen box.
bool cPlayer::scrollAtScreenBox() {
    int corrections = 0;
    if (x <= kBoxLeft) {
        x += 2;
        graphics.cameraX += 2;
        ++corrections;
    }
    if (x > kBoxRight) {
        x -= 2;
        graphics.cameraX -= 2;
        ++corrections;
    }
    if (y <= kBoxTop) {
        y += 2;
        graphics.cameraY += 2;
        ++corrections;
    }
    if (y > kBoxBottom) {
        y -= 2;
        graphics.cameraY -= 2;
        ++corrections;
    }
    return corrections > 0;
}

// Each correction puts the car 4 map pixels back inside and shifts the view by 2.
bool cPlayer::correctAtMapEdges() {
    cLevel* level = game.currentLevel;
    int corrections = 0;
    if (x - graphics.cameraX <= 0) {
        x += 2;
        graphics.cameraX -= 2;
        ++corrections;
    }
    if (x - graphics.cameraX >= level->getWidth()) {
        x -= 2;
        graphics.cameraX += 2;
        ++corrections;
    }
    if (y - graphics.cameraY <= 0) {
        y += 2;
        graphics.cameraY -= 2;
        ++corrections;
    }
    if (y - graphics.cameraY >= level->getHeight()) {
        y -= 2;
        graphics.cameraY += 2;
        ++corrections;
    }
    return corrections > 0;
}

void cPlayer::moveStraight(int dir) {
    if (fuel <= 0) return;
    if (scrollAtScreenBox()) return;
    if (correctAtMapEdges()) return;
    heading = dir;
    if (!isStraightDirection(dir)) return;
    Point offset = directionStep(dir);
    x += 2 * offset.x;
    y += 2 * offset.y;
    distance += 2;
}

void cPlayer::moveDiagonal(int dir) {
    if (fuel <= 0) return;
    if (outsideScreenBox(x, y)) return;
    cLevel* level = game.currentLevel;
    int mapX = x - graphics.cameraX;
    int mapY = y - graphics.cameraY;
    if (mapX <= 0 || mapX >= level->getWidth() || mapY <= 0 || mapY >= level->getHeight()) return;
    heading = dir;
    if (isDiagonalDirection(dir)) {
        Point offset = directionStep(dir);
        x += 2 * offset.x;
        y += 2 * offset.y;
        distance += 1;
    }
    useFuel();
}

// Fuel is only ever used here: the loop calls the diagonal move for every heading.
void cPlayer::useFuel() {
    if (distance <= kMileUnits - 1) return;
    distance = 0;
    fuel -= 1;
    if (fuel == 3) sound.play(assets::lowFuel);
    if (fuel <= 0) {
        walker.setPosition(x, y);
        sound.play(assets::heartbeat);
    }
}

void cPlayer::update() {
    stepNukeRing();
    countInMoney();
    countInFuel();
}

void cPlayer::stepNukeRing() {
    Uint32 now = ticksNow();
    if (!nukeActive || now < nukeTick + 100) return;
    for (BaseEntity* entity : game.currentLevel->entities) {
        if (!entity || !carTouches(*entity, nukeRadius)) continue;
        switch (entity->kind) {
        case KindCat:
        case KindDog:
        case KindBlackMan:
        case KindPinkMan:
            entity->hit(0);
            break;
        }
    }
    if (nukeRadius > 109) {
        nukeRadius = 0;
        nukeActive = 0;
    }
    nukeRadius += 10;
    nukeTick = now;
}

void cPlayer::countInMoney() {
    Uint32 now = ticksNow();
    if (now < moneyTick + 32) return;
    if (pendingMoney != 0) {
        if (!countingMoney) {
            moneyBase = money;
            countingMoney = true;
        }
        sound.play(assets::coins[randRange(1, 3) - 1]);
        money += 32;
        if (money >= moneyBase + pendingMoney) {
            money = moneyBase + pendingMoney;
            pendingMoney = 0;
            countingMoney = false;
        }
    }
    moneyTick = now;
}

void cPlayer::countInFuel() {
    Uint32 now = ticksNow();
    if (now < fuelTick + 40) return;
    if (pendingFuel != 0) {
        if (!countingFuel) {
            fuelBase = fuel;
            countingFuel = true;
        }
        fuel = std::min(fuel + 1, kMaxFuel);
        // At the cap the sum can never be reached: the count-up ends there instead of
        // topping the tank up for ever.
        if (fuel >= fuelBase + pendingFuel || fuel == kMaxFuel) {
            pendingFuel = 0;
            countingFuel = false;
        }
    }
    fuelTick = now;
}

void cPlayer::setHealth(int h) {
    if (h >= 1) {
        health = std::min(h, kMaxHealth);
        return;
    }
    sound.play(assets::explosion);
    walker.setHealth(0);
    health = h;
    alive = 0;
    fuel = 0;
}

void cPlayer::nudge() {
    switch (heading) {
    case 1:
        x -= 1;
        break;
    case 2:
        x += 1;
        break;
    case 3:
    case 4:
        y += 1;
        break;
    }
}

void cPlayer::setEngineLevel(int level) {
    static const int speeds[] = {90, 100, 110, 120, 130, 140};
    engineLevel = level;
    if (level >= 0 && level <= 5) baseSpeed = speeds[level];
}

void cPlayer::useNukeExhaust() {
    if (nukes < 1) return;
    nukeTick = 0;
    nukeActive = 1;
    nukes -= 1;
}

// A pick-up boost rates the diagonal timer from the speed and the straight one 1.5
// times faster: the reverse of the usual pairing, which is why it is done by hand.
void cPlayer::nosBoost() {
    if (speed >= 300) return;
    carDiagonalTimer.setRate(speed + 1);
    carStraightTimer.setRate((speed + 1) * 3 / 2); // trunc(x * 1.5) in whole numbers
    speed += 40;
}
