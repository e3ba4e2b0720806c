#include "world/Random.h"
#include "support/TestSupport.h"
#include <gtest/gtest.h>
#include <algorithm>
#include <cstdlib>
#include <cstring>
#include <vector>

TEST(RandRange, LowerBoundInclusiveUpperExclusiveAndMapPointsSixtyInside) {
    std::srand(11);
    const struct { int lo, hi; } ranges[] = {{0, 3}, {10, 55}, {1, 2}, {-5, 5}};
    for (const auto& r : ranges) {
        int lowest = r.hi, highest = r.lo - 1;
        for (int i = 0; i < 5000; ++i) {
            int v = randRange(r.lo, r.hi);
            lowest = std::min(lowest, v);
            highest = std::max(highest, v);
        }
        EXPECT_EQ(r.lo, lowest) << r.lo << ".." << r.hi;
        EXPECT_EQ(r.hi - 1, highest) << r.lo << ".." << r.hi;
    }

    // A random map point keeps sixty pixels inside the map.
    int minX = 1000, maxX = 0, minY = 1000, maxY = 0;
    const MapPoints points(320, 240);
    for (int i = 0; i < 20000; ++i) {
        Point p = points.draw();
        minX = std::min(minX, p.x);
        maxX = std::max(maxX, p.x);
        minY = std::min(minY, p.y);
        maxY = std::max(maxY, p.y);
    }
    EXPECT_EQ(60, minX);
    EXPECT_EQ(259, maxX);
    EXPECT_EQ(60, minY);
    EXPECT_EQ(179, maxY);
}

// Constant bounds let the compiler take the remainder by a multiply or a mask; what is
// drawn must still be what a division by the span gives.
template <int Lo, int Hi> void expectDivisionRemainders() {
    std::srand(Hi);
    std::vector<int> drawn(3000);
    for (int& value : drawn)
        value = randRange(Lo, Hi);
    std::srand(Hi);
    volatile int span = Hi - Lo;
    for (int value : drawn)
        ASSERT_EQ(Lo + std::rand() % span, value) << Lo << ".." << Hi;
}

TEST(RandRange, ConstantBoundsDrawWhatADivisionGives) {
    expectDivisionRemainders<0, 255>();
    expectDivisionRemainders<76, 256>();
    expectDivisionRemainders<1, 6>();
    expectDivisionRemainders<1000, 5500>();
    expectDivisionRemainders<25, 60>();
    expectDivisionRemainders<-5, 5>();
}

// Map sizes are known only at run time; their spans take a multiply by a reciprocal,
// which must give the division's remainder for every value rand() can draw.
TEST(RandomSpan, RemaindersAreTheDivisionsForAnySpan) {
    std::vector<int> spans;
    for (int span = 1; span <= 4100; ++span)
        spans.push_back(span);
    for (int bit = 12; bit < 31; ++bit)
        spans.insert(spans.end(), {(1 << bit) - 1, 1 << bit, (1 << bit) + 1, 3 << (bit - 1)});
    spans.push_back(RAND_MAX);
    std::srand(9);
    for (int span : spans) {
        const RandomSpan drawing(-60, span - 60);
        const int top = RAND_MAX / span * span;
        for (int n :
             {0, span - 1, span, top - 1, top, RAND_MAX - 1, RAND_MAX, std::rand(), std::rand()})
            ASSERT_EQ(n % span - 60, drawing.at(n)) << n << " % " << span;
    }
}

class RandomPool : public testing::Test {
  protected:
    FakeClock clock{50000};

    void SetUp() override { clearPool(); }
    void TearDown() override { clearPool(); }

    static void clearPool() {
        std::memset(randomPool, 0, sizeof randomPool);
        poolLastRefresh = 0;
        poolInterval = 0;
    }

    static int filledSlots() {
        return static_cast<int>(
            std::count_if(std::begin(randomPool), std::end(randomPool), [](int v) { return v; }));
    }
};

TEST_F(RandomPool, WaitsOneIntervalBetweenRefreshes) {
    std::srand(2);
    refreshRandomPool();
    ASSERT_GE(poolInterval, 100u);
    ASSERT_LT(poolInterval, 500u);
    EXPECT_EQ(clock.now(), poolLastRefresh);

    std::srand(42);
    int expected[3] = {std::rand(), std::rand(), std::rand()};
    std::srand(42);
    clock.advance(poolInterval - 1);
    refreshRandomPool();
    EXPECT_EQ(1, filledSlots());
    // The early call drew nothing: the sequence goes on where it was.
    for (int value : expected)
        EXPECT_EQ(value, std::rand());

    clock.advance(1);
    refreshRandomPool();
    EXPECT_EQ(2, filledSlots());
    EXPECT_EQ(clock.now(), poolLastRefresh);
}
