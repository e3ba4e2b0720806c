#include "app/Loop.h"
#include "app/Rest.h"
#include "app/Timer.h"
#include "player/Player.h"
#include "screens/Menu.h"
#include "screens/Shop.h"
#include "support/TestSupport.h"
#include <gtest/gtest.h>

// The rest must end on the tick of the earliest step the next pass would take, and
// never on a later one; the car's timers do not count while the shop holds the car.
TEST(Rest, EndsAtTheEarliestDueStep) {
    struct Case {
        const char* what;
        bool menuShown, shopOpen, nosBurning, nosReady;
        int carRate;
        Uint32 expectedDue, expectedNap;
    };
    // At 10000 ms: frame due at 10016, walker at 10050, the car at 80 per second at
    // 10012 straight and 10018 diagonally.
    const Case cases[] = {
        {"menu: waiting for input", true, false, false, true, 80, 10100, 10},
        {"driving: the car's straight step", false, false, false, true, 80, 10012, 10},
        {"shop open: the frame", false, true, false, true, 80, 10016, 10},
        {"burn ending first", false, true, true, true, 80, 10005, 10},
        {"recharge first", false, true, false, false, 80, 10003, 10},
        {"fast car timers: 1 ms naps", false, false, false, true, 380, 10002, 1},
    };
    for (const Case& c : cases) {
        resetGame();
        FakeClock clock{10000};
        frameTimer.setRate(60);
        walkerTimer.setRate(20);
        rateCarTimers(c.carRate);
        menu.setActive(c.menuShown);
        shop.setOpen(c.shopOpen);
        player.setNosBurning(c.nosBurning);
        player.setNosReady(c.nosReady);
        nosStartTime = 10005 - kNosBurnTime;
        nosCooldownStart = 10003 - kNosRechargeTime;
        EXPECT_EQ(restDeadline(clock.now()), c.expectedDue) << c.what;
        EXPECT_EQ(longestNap(), c.expectedNap) << c.what;
    }
    resetGame();
}
