#include "entities/Pedestrians.h"
#include "app/Assets.h"
#include "app/Clock.h"
#include "graphics/Graphics.h"
#include "graphics/Pixels.h"
#include "player/Player.h"
#include "sound/Sound.h"
#include "world/Random.h"

namespace {

// A pink man keeps his distance; a man in the street only notices the car late but
// is off like a shot.
const PedestrianTraits pinkManTraits{KindPinkMan, 70, 65, halfMsPeriod(97.5), &cPlayer::pinkKilled};
const PedestrianTraits manTraits{KindBlackMan, 40, 10, halfMsPeriod(15.0), &cPlayer::menKilled};

} // namespace

Pedestrian::Pedestrian(const PedestrianTraits& kindTraits, const char* const (&paths)[5])
    : BaseEntity(kindTraits.kind, 15), traits(kindTraits), images(paths) {}

PinkMan::PinkMan() : Pedestrian(pinkManTraits, assets::pinkManImages) {}

BlackMan::BlackMan() : Pedestrian(manTraits, assets::manImages) {}

void Pedestrian::hit(int) {
    if (alive == 1) {
        player.*traits.killCounter += 1;
        paintBlood(player.sprites);
        sound.play(assets::grunts[randRange(1, 6) - 1]);
        sound.play(assets::crushes[randRange(1, 4) - 1]);
    }
    alive = 0;
}

SDL_Surface* Pedestrian::currentSprite() {
    if (alive == 0) return images[4];
    return images[directionImage(direction)];
}

void Pedestrian::update() {
    if (alive == 0) return;
    Point onScreen = screenPosition(*this);
    if (keepInsideMap(*this)) return;
    if (!withinDistance(player.getPosition(), onScreen, traits.reactionDistance)) return;

    Uint32 now = ticksNow();
    if (isDue(now, straightTick, traits.straightPeriod)) {
        int h = panickedHeading();
        if (isStraightDirection(h)) step(h);
        straightTick = static_cast<int>(now);
    }
    if (isDue(now, diagonalTick, traits.diagonalPeriod)) {
        int h = panickedHeading();
        if (isDiagonalDirection(h)) step(h);
        diagonalTick = static_cast<int>(now);
    }
}

void Pedestrian::step(int h) {
    stepToward(*this, h);
    direction = h;
}
