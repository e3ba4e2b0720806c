#include "platform/gamepad/Gamepad.h"
#include "app/Loop.h"
#include <cstdlib>
#include <cstring>

bool padLayout;

namespace {

// Half-way out: a resting stick that drifts a little does not steer.
constexpr int kStickDeadZone = 16384;

// The direction each stick axis points to now, so that holding it presses once.
int stickHeld[2] = {-1, -1};

SDL_Event nothing() {
    SDL_Event event;
    std::memset(&event, 0, sizeof event);
    event.type = SDL_NOEVENT;
    return event;
}

SDL_Event directionPress(Uint8 which, int button) {
    SDL_Event event = nothing();
    if (button < 0) return event;
    event.type = SDL_JOYBUTTONDOWN;
    event.jbutton.which = which;
    event.jbutton.button = static_cast<Uint8>(button);
    event.jbutton.state = SDL_PRESSED;
    return event;
}

} // namespace

int handheldButtonForPad(int padButton) {
    switch (padButton) {
    case PadUp:
        return ButtonUp;
    case PadDown:
        return ButtonDown;
    case PadLeft:
        return ButtonLeft;
    case PadRight:
        return ButtonRight;
    case PadSouth:
        return ButtonA;
    case PadEast:
        return ButtonX;
    case PadStart:
        return ButtonStart;
    case PadBack:
        return ButtonSelect;
    case PadLeftShoulder:
        return ButtonL;
    case PadRightShoulder:
        return ButtonR;
    default:
        return -1;
    }
}

int handheldButtonForStick(int axis, int value) {
    if (axis != PadLeftX && axis != PadLeftY) return -1;
    if (value < -kStickDeadZone) return axis == PadLeftX ? ButtonLeft : ButtonUp;
    if (value > kStickDeadZone) return axis == PadLeftX ? ButtonRight : ButtonDown;
    return -1;
}

int handheldButtonForHat(int hat) {
    switch (hat) {
    case SDL_HAT_UP:
        return ButtonUp;
    case SDL_HAT_DOWN:
        return ButtonDown;
    case SDL_HAT_LEFT:
        return ButtonLeft;
    case SDL_HAT_RIGHT:
        return ButtonRight;
    default:
        return -1;
    }
}

void askForGameControllers() {
    setenv("SDL12COMPAT_USE_GAME_CONTROLLERS", "1", 0);
    padLayout = std::atoi(std::getenv("SDL12COMPAT_USE_GAME_CONTROLLERS")) != 0;
}

SDL_Event asHandheldEvent(const SDL_Event& padEvent) {
    SDL_Event event = padEvent;
    switch (padEvent.type) {
    case SDL_JOYBUTTONDOWN:
    case SDL_JOYBUTTONUP: {
        int button = handheldButtonForPad(padEvent.jbutton.button);
        if (button < 0) return nothing();
        event.jbutton.button = static_cast<Uint8>(button);
        return event;
    }
    case SDL_JOYAXISMOTION: {
        int axis = padEvent.jaxis.axis;
        int button = handheldButtonForStick(axis, padEvent.jaxis.value);
        if (axis > PadLeftY || button == stickHeld[axis]) return nothing();
        stickHeld[axis] = button;
        return directionPress(padEvent.jaxis.which, button);
    }
    case SDL_JOYHATMOTION:
        return directionPress(padEvent.jhat.which, handheldButtonForHat(padEvent.jhat.value));
    default:
        return event;
    }
}
