#include "world/Level4.h"
#include "entities/Animals.h"
#include "entities/Exits.h"
#include "entities/Obstacles.h"
#include "entities/Pedestrians.h"
#include "entities/Pickups.h"
#include "graphics/Mission.h"
#include "world/Game.h"
#include "world/Placement.h"
#include "world/Population.h"
#include "world/Random.h"

// Level 3's population rule on a smaller map with much smaller divisors: up to one
// pedestrian or animal of each kind per 45 x 45 block makes it the most crowded level.
cLevel4::cLevel4() {
    width = randRange(320, 1024);
    height = randRange(240, 1024);
    int terrain = randRange(0, 3);
    setHellTerrainColour(*this, terrain);
    drawPopulation(terrain);

    init(width, height, 16);
    game.currentLevel = this;

    clearMissionLines();
    chooseQuote();

    pinkMen = makeEntities<PinkMan>(pinkManCount);
    blackMen = makeEntities<BlackMan>(blackManCount);
    cats = makeEntities<Cat>(catCount);
    dogs = makeEntities<Dog>(dogCount);
    deadTrees = makeEntities<DeadTree>(deadTreeCount);
    palmTrees = makeEntities<PalmTree>(palmTreeCount);
    eggs = makeEntities<EuroEgg>(eggCount);
    portals = makeEntities<Portal>(portalCount);
    flowers = makeEntities<Flower>(flowerCount);

    placeAll(pinkMen, pinkManCount, width, height);
    placeAll(blackMen, blackManCount, width, height);
    placeAll(cats, catCount, width, height);
    placeAll(dogs, dogCount, width, height);
    placeAll(deadTrees, deadTreeCount, width, height);
    placeAll(palmTrees, palmTreeCount, width, height);
    placeAll(eggs, eggCount, width, height);
    placeAll(portals, portalCount, width, height);
    placeAll(flowers, flowerCount, width, height);
    // The hellrift played its own sound on the way in.
}

void cLevel4::drawPopulation(int terrain) {
    pinkManCount = blackManCount = catCount = dogCount = 0;
    deadTreeCount = palmTreeCount = eggCount = portalCount = flowerCount = 0;

    // At most 1023 x 1023, well inside an int.
    const int area = width * height;
    pinkManCount = drawAreaCount(area, 45 * 45);
    blackManCount = drawAreaCount(area, 45 * 45);
    catCount = drawAreaCount(area, 45 * 45);
    dogCount = drawAreaCount(area, 45 * 45);
    deadTreeCount = drawAreaCount(area, 110 * 110);
    if (terrain != TerrainGrass) deadTreeCount = 0;
    palmTreeCount = drawAreaCount(area, 110 * 110);
    if (terrain != TerrainDesert) palmTreeCount = 0;
    eggCount = 32;
    portalCount = drawFixedCount();
    // Nothing grows on the red ground.
    flowerCount = drawAreaCount(area, 110 * 110);
    if (terrain == TerrainBare) flowerCount = 0;
    // The only way back to level 3.
    if (portalCount == 0) portalCount = 1;
}
