#include "platform/gamepad/Gamepad.h"
#include "app/Loop.h"
#include "platform/Platform.h"
#include "platform/desktop/Window.h"
#include "player/Player.h"
#include "screens/Menu.h"
#include "support/TestSupport.h"
#include "world/Game.h"
#include "world/Level.h"
#include <gtest/gtest.h>

namespace {

// The desktop's controls go through the real event queue, as a player's would.
class Desktop : public testing::Test {
  protected:
    FakeClock clock{20000};
    cLevel level;
    bool quit = false;

    void SetUp() override {
        resetGame();
        padLayout = true;
        pass();
    }
    void TearDown() override {
        stick(PadLeftX, 0);
        stick(PadLeftY, 0);
        pass();
        padLayout = false;
        game.currentLevel = nullptr;
        resetGame();
    }
    void drive() {
        level.init(800, 800, 16);
        game.currentLevel = &level;
        menu.setActive(false);
    }
    void pass() { runPass(quit); }

    static void push(SDL_Event event) { ASSERT_EQ(0, SDL_PushEvent(&event)); }
    static void pad(int button, Uint8 type = SDL_JOYBUTTONDOWN) { push(buttonEvent(button, type)); }
    static void stick(int axis, int value) { push(axisEvent(axis, value)); }
    static void key(SDLKey sym, int mod = KMOD_NONE) { push(keyEvent(sym, SDL_KEYDOWN, mod)); }
};

// The virtual pad (Pad_test.cpp) plays every control; this is what a stick does between.
TEST_F(Desktop, AStickHeldPressesOnceAndADriftingOneNotAtAll) {
    stick(PadLeftY, 30000);
    stick(PadLeftY, 32000); // still held: no second step
    stick(PadLeftY, 2000);  // back inside the dead zone
    stick(PadLeftX, 12000); // drifting
    pad(PadNorth);          // no handheld meaning
    pass();
    EXPECT_EQ(1, menu.item);
    stick(PadLeftY, 30000);
    pass();
    EXPECT_EQ(2, menu.item);
}

// A hat means the same on any joystick, in the pad's numbering or the handheld's own:
// its four ways press the handheld's directions, its diagonals and centre nothing. A
// stick steers from just past half-way out, and only the left one.
TEST_F(Desktop, HatsAndTheStickPressTheHandheldsDirections) {
    const std::pair<Uint8, int> hats[] = {
        {SDL_HAT_UP, ButtonUp},       {SDL_HAT_DOWN, ButtonDown}, {SDL_HAT_LEFT, ButtonLeft},
        {SDL_HAT_RIGHT, ButtonRight}, {SDL_HAT_CENTERED, -1},     {SDL_HAT_RIGHTDOWN, -1},
        {SDL_HAT_LEFTUP, -1},         {SDL_HAT_RIGHTUP, -1},      {SDL_HAT_LEFTDOWN, -1}};
    for (bool layout : {true, false}) {
        padLayout = layout;
        for (auto [value, button] : hats) {
            SDL_Event event{};
            event.type = event.jhat.type = SDL_JOYHATMOTION;
            event.jhat.value = value;
            const bool arrives = platform::translateEvent(event);
            EXPECT_EQ(arrives && event.type == SDL_JOYBUTTONDOWN ? event.jbutton.button : -1,
                      button)
                << "hat " << int(value) << ", pad numbering " << layout;
        }
    }
    const struct {
        int axis, value, button;
    } sticks[] = {{PadLeftX, 16384, -1},
                  {PadLeftX, 16385, ButtonRight},
                  {PadLeftX, -16385, ButtonLeft},
                  {PadLeftY, -16384, -1},
                  {PadLeftY, -16385, ButtonUp},
                  {PadLeftY, 16385, ButtonDown},
                  {2, 32000, -1},
                  {3, -32000, -1}};
    for (const auto& s : sticks)
        EXPECT_EQ(handheldButtonForStick(s.axis, s.value), s.button) << s.axis << " at " << s.value;
}

TEST_F(Desktop, EnterChoosesEscapeGoesBackOrPausesAndAltEnterOnlySwitchesFullScreen) {
    menu.item = 4; // the sound page
    key(SDLK_RETURN, KMOD_LALT);
    key(SDLK_F11);
    pass();
    EXPECT_EQ(0, menu.page);
    key(SDLK_RETURN);
    pass();
    EXPECT_EQ(4, menu.page);
    key(SDLK_ESCAPE);
    pass();
    EXPECT_EQ(0, menu.page);
    EXPECT_TRUE(menu.isActive());

    drive();
    key(SDLK_ESCAPE);
    pass();
    EXPECT_TRUE(menu.isActive());
    EXPECT_FALSE(quit);
}

TEST(WindowScale, LargestWholeScaleThatLeavesRoomForPanels) {
    struct Case {
        int width, height, scale;
    } cases[] = {{1920, 1080, 3}, {1280, 720, 2},  {1366, 768, 2},
                 {640, 480, 1},   {3840, 2160, 7}, {0, 0, 1}};
    for (const Case& c : cases)
        EXPECT_EQ(c.scale, fittingWindowScale(c.width, c.height)) << c.width << "x" << c.height;
}

} // namespace
