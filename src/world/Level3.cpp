#include "world/Level3.h"
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

cLevel3::cLevel3() {
    width = randRange(800, 2048);
    height = randRange(800, 2048);
    int terrain = randRange(0, 3);
    setTerrainColour(*this, terrain);
    drawPopulation(terrain);

    init(width, height, 16);
    game.currentLevel = this;

    clearMissionLines();
    chooseQuote();

    // The list ends up grouped by kind in this order, which is also the order in which
    // the frame moves and draws them.
    deadCars = makeEntities<DeadCar>(deadCarCount);
    chests = makeEntities<Chest>(chestCount);
    pinkMen = makeEntities<PinkMan>(pinkManCount);
    blackMen = makeEntities<BlackMan>(blackManCount);
    cats = makeEntities<Cat>(catCount);
    dogs = makeEntities<Dog>(dogCount);
    shops = makeEntities<Shop>(shopCount);
    nosBoosts = makeEntities<NosBoost>(nosBoostCount);
    deadTrees = makeEntities<DeadTree>(deadTreeCount);
    palmTrees = makeEntities<PalmTree>(palmTreeCount);
    possies = makeEntities<Possie>(possieCount);
    afros = makeEntities<Afro>(afroCount);
    eggs = makeEntities<EuroEgg>(eggCount);
    portals = makeEntities<Portal>(portalCount);
    flowers = makeEntities<Flower>(flowerCount);
    soaps = makeEntities<Soap>(soapCount);
    hellrifts = makeEntities<Hellrift>(hellriftCount);

    placeAll(deadCars, deadCarCount, width, height);
    placeAll(chests, chestCount, width, height);
    placeAll(pinkMen, pinkManCount, width, height);
    placeAll(blackMen, blackManCount, width, height);
    placeAll(cats, catCount, width, height);
    placeAll(dogs, dogCount, width, height);
    placeAll(shops, shopCount, width, height);
    placeAll(nosBoosts, nosBoostCount, width, height);
    placeAll(deadTrees, deadTreeCount, width, height);
    placeAll(palmTrees, palmTreeCount, width, height);
    placeAll(possies, possieCount, width, height);
    placeAll(afros, afroCount, width, height);
    placeAll(eggs, eggCount, width, height);
    placeAll(portals, portalCount, width, height);
    placeAll(flowers, flowerCount, width, height);
    placeAll(soaps, soapCount, width, height);
    placeAll(hellrifts, hellriftCount, width, height);
    // Arriving through a portal already made its sound; the new map stays quiet.
}

void cLevel3::drawPopulation(int terrain) {
    deadCarCount = chestCount = pinkManCount = blackManCount = catCount = dogCount = 0;
    shopCount = nosBoostCount = deadTreeCount = palmTreeCount = possieCount = afroCount = 0;
    eggCount = portalCount = flowerCount = soapCount = hellriftCount = 0;

    // At most 2047 x 2047, well inside an int.
    const int area = width * height;
    deadCarCount = drawAreaCount(area, 170 * 170);
    chestCount = drawAreaCount(area, 140 * 140);
    pinkManCount = drawAreaCount(area, 125 * 125);
    blackManCount = drawAreaCount(area, 125 * 125);
    catCount = drawAreaCount(area, 130 * 130);
    dogCount = drawAreaCount(area, 130 * 130);
    shopCount = drawFixedCount();
    nosBoostCount = drawAreaCount(area, 185 * 185);
    // Plants that do not suit the ground still take their draws, so a map's other
    // populations do not depend on its terrain.
    deadTreeCount = drawAreaCount(area, 180 * 180);
    if (terrain != TerrainGrass) deadTreeCount = 0;
    palmTreeCount = drawAreaCount(area, 180 * 180);
    if (terrain != TerrainDesert) palmTreeCount = 0;
    possieCount = drawAreaCount(area, 185 * 185);
    afroCount = drawAreaCount(area, 185 * 185);
    soapCount = drawAreaCount(area, 185 * 185);
    hellriftCount = drawAreaCount(area, 530 * 530);
    eggCount = 32;
    portalCount = drawAreaCount(area, 430 * 430);
    flowerCount = drawAreaCount(area, 125 * 125);
    if (terrain == TerrainBare) flowerCount = 0;
    // A way out is guaranteed; a way down to level 4 is not.
    if (portalCount == 0) portalCount = 1;
}
