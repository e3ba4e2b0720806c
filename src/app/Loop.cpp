#include "app/Loop.h"
#include "app/Clock.h"
#include "app/Rest.h"
#include "app/Timer.h"
#include "entities/BaseEntity.h"
#include "graphics/Graphics.h"
#include "platform/Platform.h"
#include "player/Player.h"
#include "player/Walker.h"
#include "screens/Menu.h"
#include "screens/Shop.h"
#include "world/Game.h"
#include "world/Level.h"
#include "world/Random.h"
#include <cstdio>
#include <cstdlib>

SDL_Surface* screen;
SDL_Joystick* joystick;
int carHeading = 1;
int walkerDirection = 1;
Uint8 gasHeld;
Uint32 nosStartTime;
Uint32 nosCooldownStart;
int lastEngineLevel;

namespace {

constexpr int kNosExtraSpeed = 80;
constexpr int kQuitModifiers = 0xC0; // either Ctrl key

enum class Input { None, Up, Down, Left, Right, Gas, Confirm, Back, Pause, Quit, Mission, Stats };

// The two devices differ only in the shop, where the keyboard swallows Left, Right and
// Gas while the joystick lets them through to the car, and in button A, which is both
// Gas and Confirm.
enum class Device { Keyboard, Joystick };

Input keyInput(const SDL_keysym& key) {
    switch (key.sym) {
    case SDLK_UP:
        return Input::Up;
    case SDLK_DOWN:
        return Input::Down;
    case SDLK_LEFT:
        return Input::Left;
    case SDLK_RIGHT:
        return Input::Right;
    case SDLK_SPACE:
        return Input::Gas;
    case SDLK_a:
    case SDLK_RETURN:
        return Input::Confirm;
    case SDLK_b:
        return Input::Back;
    case SDLK_x:
        return Input::Pause;
    case SDLK_ESCAPE: // what desktop players reach for first: back in the menu, pause in play
        return menu.isActive() ? Input::Back : Input::Pause;
    case SDLK_c:
        return (key.mod & kQuitModifiers) ? Input::Quit : Input::None;
    case SDLK_q:
        return Input::Mission;
    case SDLK_w:
        return Input::Stats;
    default:
        return Input::None;
    }
}

Input buttonInput(int button, bool confirmWins) {
    switch (button) {
    case ButtonUp:
        return Input::Up;
    case ButtonDown:
        return Input::Down;
    case ButtonLeft:
        return Input::Left;
    case ButtonRight:
        return Input::Right;
    case ButtonA:
        return confirmWins ? Input::Confirm : Input::Gas;
    case ButtonX:
        return Input::Back;
    case ButtonStart:
        return Input::Pause;
    case ButtonSelect:
        return Input::Quit;
    case ButtonL:
        return Input::Mission;
    case ButtonR:
        return Input::Stats;
    default:
        return Input::None;
    }
}

void menuPress(Input input) {
    switch (input) {
    case Input::Right:
        menu.increase(menu.line);
        break;
    case Input::Left:
        menu.decrease(menu.line);
        break;
    case Input::Back:
        menu.draw();
        menu.page = 0;
        if (menu.item >= 1 && menu.item <= 6) menu.selectItem(menu.item);
        break;
    case Input::Up:
        if (menu.page != 0) {
            if (menu.line > 1) menu.selectLine(menu.line - 1);
        } else if (menu.item > 1) {
            menu.selectItem(menu.item - 1);
        }
        break;
    case Input::Down:
        if (menu.page != 0) {
            if (menu.line < 11) menu.selectLine(menu.line + 1);
        } else if (menu.item < 6) {
            menu.selectItem(menu.item + 1);
        }
        break;
    case Input::Confirm:
        if (menu.page == 6 && menu.line == 11)
            menu.startFreerun();
        else if (menu.item >= 1 && menu.item <= 6)
            menu.activate(menu.item);
        break;
    default:
        break;
    }
}

void pauseToMenu() {
    shop.setOpen(false);
    graphics.showMission = 0;
    graphics.showStats = 0;
    menu.setActive(true);
    menu.draw();
    menu.page = 0;
    menu.selectItem(menu.item);
}

// Puts the car just below the hut it stands at, out of the hut's reach, so the shop
// does not open again at once. If a tree has nudged the car off the hut meanwhile,
// there is no hut to step away from: the shop simply closes.
void leaveShop() {
    BaseEntity* hut = game.currentLevel->findNearbyEntity(KindShop);
    if (hut) player.setPosition(hut->x + graphics.cameraX, hut->y + graphics.cameraY + 40);
    shop.setOpen(false);
}

void requestNos() {
    if (ticksNow() < nosCooldownStart + kNosRechargeTime && player.getNosDelimiters() <= 0) return;
    if (ticksNow() < nosCooldownStart + kNosRechargeTime)
        player.setNosDelimiters(player.getNosDelimiters() - 1);
    if (player.isNosBurning()) return;
    rateCarTimers(player.getSpeed() + kNosExtraSpeed);
    nosStartTime = ticksNow();
    player.setNosBurning(true);
    player.useNukeExhaust();
}

// A straight direction pressed while driving along the other axis makes a diagonal.
void steer(Input input) {
    bool horizontal = carHeading == 3 || carHeading == 4;
    switch (input) {
    case Input::Up:
        carHeading = horizontal ? carHeading + 2 : 1;
        break;
    case Input::Down:
        carHeading = horizontal ? carHeading + 4 : 2;
        break;
    case Input::Left:
        carHeading = carHeading == 1 ? 5 : carHeading == 2 ? 7 : 3;
        break;
    case Input::Right:
        carHeading = carHeading == 1 ? 6 : carHeading == 2 ? 8 : 4;
        break;
    default:
        break;
    }
}

void drivingPress(Input input) {
    switch (input) {
    case Input::Up:
    case Input::Down:
    case Input::Left:
    case Input::Right:
        steer(input);
        break;
    case Input::Mission:
        graphics.showMission ^= 1;
        break;
    case Input::Stats:
        graphics.showStats ^= 1;
        break;
    case Input::Gas:
        gasHeld = 1;
        break;
    case Input::Back:
        requestNos();
        break;
    default:
        break;
    }
}

void walkingPress(Input input) {
    switch (input) {
    case Input::Up:
        walkerDirection = 1;
        break;
    case Input::Down:
        walkerDirection = 2;
        break;
    case Input::Left:
        walkerDirection = 3;
        break;
    case Input::Right:
        walkerDirection = 4;
        break;
    default:
        break;
    }
}

void carPress(Input input) {
    if (player.getFuel() > 0)
        drivingPress(input);
    else
        walkingPress(input);
}

// Returns true when the shop took the press.
bool shopPress(Input input, Device device) {
    switch (input) {
    case Input::Up:
        shop.moveCursor(1);
        return true;
    case Input::Down:
        shop.moveCursor(2);
        return true;
    case Input::Confirm:
        shop.buy();
        return true;
    case Input::Back:
        leaveShop();
        return true;
    case Input::Left:
    case Input::Right:
    case Input::Gas:
        return device == Device::Keyboard;
    default:
        return false;
    }
}

void press(Input input, Device device, int button, bool& quitRequested) {
    if (input == Input::Quit) quitRequested = true;
    if (menu.isActive()) {
        menuPress(input);
    } else if (input == Input::Pause) {
        pauseToMenu();
    } else if (shop.isOpen()) {
        if (!shopPress(input, device)) carPress(input);
        // Button A buys in the shop, and still counts as Gas held for the car.
        if (device == Device::Joystick && button == ButtonA) carPress(Input::Gas);
    } else {
        carPress(input);
    }
}

void release(Input input) {
    if (input == Input::Gas) gasHeld = 0;
}

void runGameSteps() {
    if (frameTimer.check()) graphics.frame();
    if (player.getEngineLevel() != lastEngineLevel) {
        lastEngineLevel = player.getEngineLevel();
        rateCarTimers(player.getBaseSpeed());
    }
    if (!shop.isOpen()) {
        if (carStraightTimer.check() && gasHeld == 1) player.moveStraight(carHeading);
        if (carDiagonalTimer.check() && gasHeld == 1) player.moveDiagonal(carHeading);
    }
    if (walkerTimer.check() && player.getFuel() <= 0) walker.step(walkerDirection);
    if (ticksNow() >= nosStartTime + kNosBurnTime && player.isNosBurning()) {
        rateCarTimers(player.getBaseSpeed());
        player.setSpeed(player.getBaseSpeed());
        player.setNosBurning(false);
        nosCooldownStart = ticksNow();
        player.setNosReady(false);
    }
    if (ticksNow() >= nosCooldownStart + kNosRechargeTime && !player.isNosReady())
        player.setNosReady(true);
}

} // namespace

void handleEvent(const SDL_Event& incoming, bool& quitRequested) {
    SDL_Event event = incoming;
    if (!platform::translateEvent(event)) return;
    switch (event.type) {
    case SDL_KEYDOWN:
        press(keyInput(event.key.keysym), Device::Keyboard, -1, quitRequested);
        break;
    case SDL_KEYUP:
        release(keyInput(event.key.keysym));
        break;
    case SDL_JOYBUTTONDOWN: {
        int button = event.jbutton.button;
        bool confirmWins = menu.isActive() || (shop.isOpen() && button == ButtonA);
        press(buttonInput(button, confirmWins), Device::Joystick, button, quitRequested);
        break;
    }
    case SDL_JOYBUTTONUP:
        if (event.jbutton.button == ButtonA) gasHeld = 0;
        break;
    case SDL_QUIT:
        quitRequested = true;
        break;
    default:
        break;
    }
}

void runPass(bool& quitRequested) {
    refreshRandomPool();
    if (!menu.isActive()) runGameSteps();
    SDL_Event event;
    while (SDL_PollEvent(&event))
        handleEvent(event, quitRequested);
}

int runMainLoop() {
    bool quitRequested = false;
    while (!quitRequested) {
        runPass(quitRequested);
        if (!quitRequested) restUntilDue();
    }
    return 0;
}
