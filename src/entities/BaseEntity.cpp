#include "entities/BaseEntity.h"
#include "graphics/Graphics.h"
#include "player/Player.h"
#include "world/Game.h"
#include "world/Level.h"
#include <cassert>

void BaseEntity::hit(int) {}

void BaseEntity::registerInCurrentLevel() {
    // An entity built outside a level would be lost, or worse, land in a dead list.
    assert(game.currentLevel && "entities are built by a level generator");
    game.currentLevel->entities.push_back(this);
}

Point screenPosition(const BaseEntity& entity) {
    return {entity.x + graphics.cameraX, entity.y + graphics.cameraY};
}

bool carTouches(const BaseEntity& entity, int radius) {
    return truncatedDistance(player.getPosition(), screenPosition(entity)) <= radius;
}
