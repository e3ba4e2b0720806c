#include "entities/Animals.h"
#include "entities/EntityFixture.h"
#include "entities/Exits.h"
#include "entities/Obstacles.h"
#include "entities/Pedestrians.h"
#include "entities/Pickups.h"
#include <algorithm>
#include <cmath>
#include <functional>
#include "world/Point.h"

// The exact edges where an off-by-one would slip through unnoticed in play.
namespace {

class Boundaries : public EntityTest {
  protected:
    // Whether the car touches the entity when it stands (dx, dy) from the car.
    bool touchedAt(BaseEntity& entity, int dx, int dy) {
        placeFromCar(entity, dx, dy);
        return level.findNearbyEntity(entity.kind) == &entity;
    }

    // Whether the entity reacts to the car `distance` pixels below it: a reaction
    // step stamps its clock.
    template <class T> bool noticesAt(int distance, int T::*reactionTick) {
        T& entity = make<T>();
        placeFromCar(entity, 0, distance);
        entity.update();
        return entity.*reactionTick == static_cast<int>(clock.now());
    }
};

TEST_F(Boundaries, EveryKindIsTouchedAtItsReachAndNotOnePixelFurther) {
    const struct {
        std::function<BaseEntity&()> make;
        int lowest, highest;
    } kinds[] = {
        {[&]() -> BaseEntity& { return make<DeadCar>(); }, 20, 20},
        {[&]() -> BaseEntity& { return make<Chest>(); }, 25, 25},
        {[&]() -> BaseEntity& { return make<PinkMan>(); }, 15, 15},
        {[&]() -> BaseEntity& { return make<BlackMan>(); }, 15, 15},
        {[&]() -> BaseEntity& { return make<Cat>(); }, 15, 15},
        {[&]() -> BaseEntity& { return make<Shop>(); }, 30, 30},
        {[&]() -> BaseEntity& { return make<NosBoost>(); }, 15, 15},
        {[&]() -> BaseEntity& { return make<DeadTree>(); }, 16, 16},
        {[&]() -> BaseEntity& { return make<PalmTree>(); }, 16, 16},
        {[&]() -> BaseEntity& { return make<Possie>(); }, 20, 20},
        {[&]() -> BaseEntity& { return make<Dog>(); }, 15, 15},
        {[&]() -> BaseEntity& { return make<EuroEgg>(); }, 10, 10},
        {[&]() -> BaseEntity& { return make<Afro>(); }, 20, 20},
        {[&]() -> BaseEntity& { return make<Flower>(); }, 8, 8},
        {[&]() -> BaseEntity& { return make<Portal>(); }, 25, 59},
        {[&]() -> BaseEntity& { return make<Soap>(); }, 10, 10},
        {[&]() -> BaseEntity& { return make<Hellrift>(); }, 25, 44},
    };
    for (const auto& k : kinds) {
        BaseEntity& entity = k.make();
        SCOPED_TRACE(entity.kind);
        int r = entity.reach;
        EXPECT_GE(r, k.lowest);
        EXPECT_LE(r, k.highest);
        EXPECT_TRUE(touchedAt(entity, r, 0));
        EXPECT_TRUE(touchedAt(entity, 0, -r));
        // Just short of r + 1 away: the distance truncates to r.
        int aside = static_cast<int>(std::sqrt(2.0 * r));
        EXPECT_TRUE(touchedAt(entity, r, aside));
        EXPECT_FALSE(touchedAt(entity, r + 1, 0));
        EXPECT_FALSE(touchedAt(entity, 0, -(r + 1)));
        placeFromCar(entity, 400, 400); // out of the way of the kinds after it
    }
}

TEST_F(Boundaries, AnimalsAndPedestriansNoticeTheCarAtTheirDistanceExactly) {
    EXPECT_TRUE(noticesAt<PinkMan>(70, &PinkMan::straightTick));
    EXPECT_FALSE(noticesAt<PinkMan>(71, &PinkMan::straightTick));
    EXPECT_TRUE(noticesAt<BlackMan>(40, &BlackMan::straightTick));
    EXPECT_FALSE(noticesAt<BlackMan>(41, &BlackMan::straightTick));
    EXPECT_TRUE(noticesAt<Cat>(65, &Cat::fleeStraightTick));
    EXPECT_FALSE(noticesAt<Cat>(66, &Cat::fleeStraightTick));
    EXPECT_TRUE(noticesAt<Dog>(65, &Dog::fleeStraightTick));
    EXPECT_FALSE(noticesAt<Dog>(66, &Dog::fleeStraightTick));
}

// The car drives freely up to the last pixel of its screen box, x 46..274 and
// y 46..154; one pixel beyond, a move scrolls the map instead.
TEST_F(Boundaries, TheLastPixelInsideTheScreenBoxScrollsNothing) {
    const struct {
        int x, y, dir, xAfter, yAfter, scrollX, scrollY;
    } cases[] = {
        {46, 120, 3, 44, 120, 0, 0},   {45, 120, 3, 47, 120, 2, 0},
        {274, 120, 4, 276, 120, 0, 0}, {275, 120, 4, 273, 120, -2, 0},
        {160, 46, 1, 160, 44, 0, 0},   {160, 45, 1, 160, 47, 0, 2},
        {160, 154, 2, 160, 156, 0, 0}, {160, 155, 2, 160, 153, 0, -2},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(testing::Message() << c.x << "," << c.y << " heading " << c.dir);
        int cameraX = graphics.cameraX, cameraY = graphics.cameraY;
        player.setPosition(c.x, c.y);
        player.moveDiagonal(5);
        EXPECT_EQ(player.x != c.x, c.scrollX == 0 && c.scrollY == 0) << "a diagonal waits";
        player.setPosition(c.x, c.y);
        player.moveStraight(c.dir);
        EXPECT_EQ(c.xAfter, player.x);
        EXPECT_EQ(c.yAfter, player.y);
        EXPECT_EQ(c.scrollX, graphics.cameraX - cameraX);
        EXPECT_EQ(c.scrollY, graphics.cameraY - cameraY);
    }
}

TEST_F(Boundaries, ExitRadiiReachTheirLargestValueAndNeverOneMore) {
    int portalLow = 1000, portalHigh = 0, riftLow = 1000, riftHigh = 0;
    for (unsigned seed = 1; seed <= 5; ++seed) {
        std::srand(seed);
        Portal* portals = level.makeEntities<Portal>(300);
        Hellrift* rifts = level.makeEntities<Hellrift>(300);
        for (int i = 0; i < 300; ++i) {
            portalLow = std::min(portalLow, portals[i].reach);
            portalHigh = std::max(portalHigh, portals[i].reach);
            riftLow = std::min(riftLow, rifts[i].reach);
            riftHigh = std::max(riftHigh, rifts[i].reach);
        }
    }
    EXPECT_EQ(25, portalLow);
    EXPECT_EQ(59, portalHigh);
    EXPECT_EQ(25, riftLow);
    EXPECT_EQ(44, riftHigh);
}

// A colour as the 16-bit back buffer holds it.
Rgb onScreen(Rgb colour) {
    SDL_PixelFormat* format = graphics.backBuffer->format;
    Uint8 r, g, b;
    SDL_GetRGB(SDL_MapRGB(format, colour.r, colour.g, colour.b), format, &r, &g, &b);
    return {r, g, b};
}

// Where a tree and the car overlap, the tree is what shows.
TEST_F(Boundaries, TreesAreDrawnOverTheCar) {
    const std::function<BaseEntity&()> trees[] = {
        [&]() -> BaseEntity& { return make<DeadTree>(); },
        [&]() -> BaseEntity& { return make<PalmTree>(); }};
    for (const auto& makeTree : trees) {
        BaseEntity& tree = makeTree();
        placeFromCar(tree, 0, tree.reach + 1); // overlapping, but not pushing the car
        graphics.frame();
        SDL_Surface* treeImage = tree.currentSprite();
        SDL_Surface* carImage = player.currentSprite();
        Point treeCorner = {tree.x + graphics.cameraX - treeImage->w / 2,
                            tree.y + graphics.cameraY - treeImage->h / 2};
        Point carCorner = {player.x - carImage->w / 2, player.y - carImage->h / 2};
        const Rgb transparent{0, 255, 0};
        int contested = 0;
        for (int y = 0; y < treeImage->h; ++y) {
            for (int x = 0; x < treeImage->w; ++x) {
                int sx = treeCorner.x + x, sy = treeCorner.y + y;
                int cx = sx - carCorner.x, cy = sy - carCorner.y;
                if (cx < 0 || cy < 0 || cx >= carImage->w || cy >= carImage->h) continue;
                Rgb treePixel = pixelAt(treeImage, x, y), carPixel = pixelAt(carImage, cx, cy);
                if (treePixel == transparent || carPixel == transparent) continue;
                if (onScreen(treePixel) == onScreen(carPixel)) continue;
                ++contested;
                EXPECT_TRUE(pixelAt(graphics.backBuffer, sx, sy) == onScreen(treePixel))
                    << sx << "," << sy;
            }
        }
        EXPECT_GT(contested, 0) << "the test needs the two pictures to overlap";
        placeFromCar(tree, 400, 400);
    }
}

// The squared compare must take the same decisions as the truncated square root it
// replaces, on both sides of every radius the game uses.
TEST(Distance, SquaredCompareMatchesTheTruncatedSquareRoot) {
    for (int r : {-1, 0, 1, 8, 10, 15, 16, 20, 25, 30, 59, 65, 70, 120, 300})
        for (int dx = -310; dx <= 310; dx += 1)
            for (int dy : {0, 1, 7, 15, 16, 100, 212, 299, 300, 301}) {
                bool expected =
                    static_cast<int>(std::sqrt(static_cast<double>(dx * dx + dy * dy))) <= r;
                ASSERT_EQ(withinDistance({0, 0}, {dx, dy}, r), expected)
                    << "dx " << dx << " dy " << dy << " r " << r;
            }
}

} // namespace
