#include "world/Level.h"
#include "entities/BaseEntity.h"
#include "graphics/Graphics.h"

void cLevel::init(int width, int height, int extra) {
    mapWidth = width;
    mapHeight = height;
    graphics.cameraX = 160 - width / 2;
    graphics.cameraY = 120 - height / 2;
    entities.reserve(static_cast<size_t>(extra) + 128);
}

BaseEntity* cLevel::findNearbyEntity(int kind) {
    for (BaseEntity* entity : entities) {
        if (!entity) continue;
        if (kind != KindAny && entity->kind != kind) continue;
        if (carTouches(*entity, entity->reach)) return entity;
    }
    return nullptr;
}

void setGroundColour(cLevel& level, int red, int green, int blue) {
    level.red = red;
    level.green = green;
    level.blue = blue;
}

void setTerrainColour(cLevel& level, int terrain) {
    switch (terrain) {
    case TerrainGrass:
        setGroundColour(level, 0, 210, 0);
        break;
    case TerrainDesert:
        setGroundColour(level, 218, 200, 156);
        break;
    case TerrainBare: // water
        setGroundColour(level, 179, 220, 253);
        break;
    }
}

void setHellTerrainColour(cLevel& level, int terrain) {
    if (terrain == TerrainBare) // red ground
        setGroundColour(level, 255, 111, 111);
    else
        setTerrainColour(level, terrain);
}
