#include "entities/BaseEntity.h"
#include "graphics/Graphics.h"
#include "player/Player.h"
#include "world/Game.h"
#include "world/Level.h"
#include "world/Random.h"
#include <cassert>

void BaseEntity::hit(int) {}

BaseEntity::BaseEntity(int entityKind, int touchRadius) : reach(touchRadius), kind(entityKind) {
    registerInCurrentLevel();
}

void BaseEntity::registerInCurrentLevel() {
    // An entity built outside a level would be lost, or worse, land in a dead list.
    assert(game.currentLevel && "entities are built by a level generator");
    game.currentLevel->entities.push_back(this);
}

Point screenPosition(const BaseEntity& entity) {
    return {entity.x + graphics.cameraX, entity.y + graphics.cameraY};
}

bool carTouches(const BaseEntity& entity, int radius) {
    return withinDistance(player.getPosition(), screenPosition(entity), radius);
}

int panickedHeading() {
    int heading = player.getHeading();
    if (randRange(0, 100) <= 30) heading = randRange(1, 8);
    return heading;
}

void stepToward(BaseEntity& entity, int direction) {
    Point offset = directionStep(direction);
    entity.x += offset.x;
    entity.y += offset.y;
}

bool keepInsideMap(BaseEntity& entity) {
    int corrections = 0;
    if (entity.x <= 0) {
        entity.x += 1;
        ++corrections;
    }
    if (entity.x >= game.currentLevel->getWidth()) {
        entity.x -= 1;
        ++corrections;
    }
    if (entity.y <= 0) {
        entity.y += 1;
        ++corrections;
    }
    if (entity.y >= game.currentLevel->getHeight()) {
        entity.y -= 1;
        ++corrections;
    }
    return corrections > 0;
}

int directionImage(int direction) {
    switch (direction) {
    case 1:
        return 0;
    case 2:
        return 1;
    case 3:
    case 5:
    case 7:
        return 2;
    default:
        return 3;
    }
}

bool isDue(Uint32 now, int lastTick, Uint32 period) {
    return now >= static_cast<Uint32>(lastTick) + period;
}

bool isDue(Uint32 now, int lastTick, HalfMsPeriod period) {
    return 2 * Uint64{now} >= 2 * Uint64{static_cast<Uint32>(lastTick)} + period.halves;
}
