#include "world/Level1.h"
#include "app/Assets.h"
#include "entities/Exits.h"
#include "entities/Obstacles.h"
#include "entities/Pickups.h"
#include "graphics/Graphics.h"
#include "graphics/Mission.h"
#include "sound/Sound.h"
#include "world/Game.h"
#include "world/Placement.h"
#include "world/Random.h"
#include <cstring>

cLevel1::cLevel1() {
    width = randRange(800, 1180);
    height = randRange(800, 1180);
    int terrain = randRange(0, 3);
    setTerrainColour(*this, terrain);

    int deadTreeCount = 0;
    int palmTreeCount = 0;
    int flowerCount = 0;
    if (terrain == TerrainGrass) deadTreeCount = randRange(10, 55);
    if (terrain == TerrainDesert) palmTreeCount = randRange(10, 55);
    if (terrain != TerrainBare) flowerCount = randRange(0, 160);
    // At least four ways on, so a first game can never get stuck on this map.
    int portalCount = randRange(4, 14);

    init(width, height, 16);
    game.currentLevel = this;

    clearMissionLines();
    std::strcpy(graphics.missionLines[2], "Drugs may be the road to nowhere,");
    std::strcpy(graphics.missionLines[3], "but at least they're the scenic route.");

    // Everything is built before anything is placed: portals and flowers draw their own
    // looks while they are built, and the map's layout depends on that order.
    deadTrees = makeEntities<DeadTree>(deadTreeCount);
    palmTrees = makeEntities<PalmTree>(palmTreeCount);
    portals = makeEntities<Portal>(portalCount);
    flowers = makeEntities<Flower>(flowerCount);

    placeAll(deadTrees, deadTreeCount, width, height);
    placeAll(palmTrees, palmTreeCount, width, height);
    placeAll(portals, portalCount, width, height);
    placeAll(flowers, flowerCount, width, height);

    sound.play(assets::levelRev);
}
