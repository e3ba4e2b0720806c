#include "entities/Animals.h"
#include "app/Assets.h"
#include "app/Clock.h"
#include "entities/Pickups.h"
#include "graphics/Pixels.h"
#include "player/Player.h"
#include "sound/Sound.h"
#include "world/Game.h"
#include "world/Level.h"
#include "world/Random.h"

namespace {

// A charging dog runs into the car, so it takes the way opposite to the car's.
int opposite(int direction) {
    static const int reversed[9] = {0, 2, 1, 4, 3, 8, 7, 6, 5};
    return reversed[direction];
}

// How an animal paces itself, in ms. The diagonal periods carry a half millisecond
// so that a diagonal walk covers about the same ground as a straight one.
constexpr Uint32 kFramePeriod = 100;
constexpr Uint32 kWanderStraightPeriod = 17;
constexpr HalfMsPeriod kWanderDiagonalPeriod = halfMsPeriod(25.5);
constexpr Uint32 kReactStraightPeriod = 5;
constexpr HalfMsPeriod kReactDiagonalPeriod = halfMsPeriod(7.5);
constexpr int kReactionDistance = 65;

} // namespace

Animal::Animal(int animalKind, bool charging, const char* const (&paths)[10])
    : BaseEntity(animalKind, 15), charges(charging), images(paths) {}

SDL_Surface* Animal::currentSprite() {
    if (alive == 0) return corpse < 2 ? images[4] : images[9];
    return images[frame * 5 + directionImage(direction)];
}

// The dead look is picked at the first death and kept, so a resurrected animal that
// dies again lies the way it did before.
void Animal::chooseCorpse() {
    if (corpse == 0) corpse = randRange(1, 3);
}

void Animal::reactStraight(int h) {
    if (!isStraightDirection(h)) return;
    direction = charges ? opposite(h) : h;
    stepToward(*this, direction);
}

void Animal::reactDiagonal(int h) {
    if (!isDiagonalDirection(h)) return;
    direction = charges ? opposite(h) : h;
    stepToward(*this, direction);
}

void Animal::update() {
    if (alive == 0) return;
    Point onScreen = screenPosition(*this);
    if (keepInsideMap(*this)) return;

    Uint32 now = ticksNow();
    if (isDue(now, frameTick, kFramePeriod)) {
        frame = 1 - frame;
        frameTick = static_cast<int>(now);
    }
    if (isDue(now, wanderStraightTick, kWanderStraightPeriod)) {
        if (isStraightDirection(direction)) stepToward(*this, direction);
        wanderStraightTick = static_cast<int>(now);
    }
    if (isDue(now, wanderDiagonalTick, kWanderDiagonalPeriod)) {
        if (isDiagonalDirection(direction)) stepToward(*this, direction);
        wanderDiagonalTick = static_cast<int>(now);
    }
    if (isDue(now, turnTick, static_cast<Uint32>(turnInterval))) {
        direction = randRange(1, 9);
        turnInterval = randRange(1000, 5000);
        turnTick = static_cast<int>(now);
    }

    if (!withinDistance(player.getPosition(), onScreen, kReactionDistance)) return;
    if (isDue(now, fleeStraightTick, kReactStraightPeriod)) {
        reactStraight(panickedHeading());
        fleeStraightTick = static_cast<int>(now);
    }
    if (isDue(now, fleeDiagonalTick, kReactDiagonalPeriod)) {
        reactDiagonal(panickedHeading());
        fleeDiagonalTick = static_cast<int>(now);
    }
}

Cat::Cat() : Animal(KindCat, false, assets::catImages) {}

void Cat::hit(int) {
    if (alive == 1) {
        player.catsKilled += 1;
        paintBlood(player.sprites);
        sound.play(assets::catCrushes[randRange(1, 4) - 1]);
        // 19 in 1000: eggs are rare enough to be worth hunting cats for.
        if (randRange(0, 1000) > 980) dropEgg();
    }
    alive = 0;
    chooseCorpse();
}

// Only the eggs the level was built with can turn up, the first hidden one first.
void Cat::dropEgg() {
    for (BaseEntity* entity : game.currentLevel->entities) {
        if (!entity || entity->kind != KindEuroEgg) continue;
        auto* egg = static_cast<EuroEgg*>(entity);
        if (egg->isVisible()) continue;
        egg->setPosition(x + 8, y + 8);
        egg->setVisible(true);
        return;
    }
}

Dog::Dog() : Animal(KindDog, true, assets::dogImages) {}

// Only a dog that is run over (how = 1) bites back; the nuke and the shop pass 0.
void Dog::hit(int how) {
    if (alive == 1) {
        player.dogsKilled += 1;
        paintBlood(player.sprites);
        if (how == 1) player.setHealth(player.getHealth() - 15);
        player.addPendingMoney(3);
        sound.play(assets::dogYelps[randRange(1, 5) - 1]);
        sound.play(assets::crushes[randRange(1, 4) - 1]);
    }
    alive = 0;
    chooseCorpse();
}
