#include "EntityFixture.h"
#include "app/Assets.h"
#include "entities/Animals.h"
#include "entities/Pickups.h"
#include <cstdlib>

namespace {

using AnimalTest = EntityTest;

TEST_F(AnimalTest, ACatRunsAheadOfTheCarAndADogRunsAtIt) {
    std::srand(5);
    player.heading = 1; // north
    Cat& cat = make<Cat>();
    Dog& dog = make<Dog>();
    int catNorth = 0, dogNorth = 0;
    for (int ms = 0; ms < 600; ++ms, clock.advance(1)) {
        placeFromCar(cat, 0, -30);
        placeFromCar(dog, 0, -30);
        int catY = cat.y, dogY = dog.y;
        cat.update();
        dog.update();
        catNorth += catY - cat.y;
        dogNorth += dogY - dog.y;
    }
    EXPECT_GT(catNorth, 40);
    EXPECT_LT(dogNorth, -40);
}

TEST_F(AnimalTest, AKillCountsOnceAndAgainAfterAResurrection) {
    Cat& cat = make<Cat>();
    touchFor(cat, 10);
    EXPECT_EQ(1, player.catsKilled);
    EXPECT_EQ(1, sounds.countPrefix("sounds\\gore\\crush"));
    EXPECT_FALSE(cat.isAlive());
    int corpse = cat.corpse;
    EXPECT_TRUE(corpse == 1 || corpse == 2);

    cat.setAlive(1);
    touchFor(cat, 10);
    EXPECT_EQ(2, player.catsKilled);
    EXPECT_EQ(corpse, cat.corpse) << "a cat lies the same way every time it dies";
    EXPECT_EQ(0, player.dogsKilled);

    placeFromCar(cat, 20, 0);
    Point body = cat.getPosition();
    clock.advance(10000);
    cat.update();
    EXPECT_EQ(body.x, cat.x) << "the dead do not wander";
    EXPECT_EQ(body.y, cat.y);
}

TEST_F(AnimalTest, ADogRunOverBitesTheCarButOneKilledFromAfarDoesNot) {
    Dog& runOver = make<Dog>();
    Dog& nuked = make<Dog>();
    player.setHealth(50);
    touchFor(runOver, 5);
    EXPECT_EQ(35, player.getHealth());
    nuked.hit(0);
    EXPECT_EQ(35, player.getHealth());
    EXPECT_EQ(2, player.dogsKilled);
    EXPECT_EQ(6, player.getPendingMoney());
    EXPECT_EQ(2, sounds.countPrefix("sounds/gore/dogyell"));
    EXPECT_EQ(2, sounds.countPrefix("sounds/gore/crush"));

    // At fifteen health the bite blows the car up, and the dog still pays.
    Dog& dog = make<Dog>();
    player.setHealth(15);
    dog.hit(1);
    EXPECT_FALSE(player.alive);
    EXPECT_EQ(1, sounds.count(assets::explosion));
    EXPECT_EQ(9, player.getPendingMoney());
}

TEST_F(AnimalTest, AboutOneKillInFiftyDropsAHiddenEggAndNoneIsMadeWhenAllAreShown) {
    std::srand(4);
    Cat& cat = make<Cat>();
    EuroEgg* eggs = level.makeEntities<EuroEgg>(2);
    eggs[0].setVisible(true);
    eggs[0].setPosition(10, 10);
    cat.setPosition(300, 400);
    for (int i = 0; i < 2000 && !eggs[1].isVisible(); ++i) {
        cat.setAlive(1);
        cat.hit(1);
    }
    ASSERT_TRUE(eggs[1].isVisible());
    EXPECT_EQ(10, eggs[0].x) << "a shown egg stays where it is";
    EXPECT_EQ(308, eggs[1].x);

    size_t entities = level.entities.size();
    eggs[1].setPosition(20, 20);
    for (int i = 0; i < 1000; ++i) {
        cat.setAlive(1);
        cat.hit(1);
    }
    EXPECT_EQ(entities, level.entities.size());
    EXPECT_EQ(10, eggs[0].x);
    EXPECT_EQ(20, eggs[1].x);

    // About 19 kills in 1000 drop an egg.
    EuroEgg* hidden = level.makeEntities<EuroEgg>(100);
    for (int i = 0; i < 2000; ++i) {
        cat.setAlive(1);
        cat.hit(1);
    }
    int dropped = 0;
    for (int i = 0; i < 100; ++i)
        dropped += hidden[i].isVisible() ? 1 : 0;
    EXPECT_GT(dropped, 20);
    EXPECT_LT(dropped, 60);
}

// 25.5 and 7.5 ms in whole-millisecond ticks: due after 26 and 8 ms, never 25 or 7.
TEST_F(AnimalTest, StepsComeExactlyWhenTheirPeriodsHavePassed) {
    Dog& dog = make<Dog>();
    auto held = [&] {
        placeFromCar(dog, 20, 20);
        dog.update();
    };
    expectSteadyGaps(gapsBetweenTicks(clock, dog.frameTick, 3000, held), 100);
    expectSteadyGaps(gapsBetweenTicks(clock, dog.wanderStraightTick, 3000, held), 17);
    expectSteadyGaps(gapsBetweenTicks(clock, dog.wanderDiagonalTick, 3000, held), 26);
    expectSteadyGaps(gapsBetweenTicks(clock, dog.fleeStraightTick, 3000, held), 5);
    expectSteadyGaps(gapsBetweenTicks(clock, dog.fleeDiagonalTick, 3000, held), 8);
}

} // namespace
