#pragma once
#include <SDL/SDL.h>

// A desktop game controller played like the handheld. sdl12-compat hands game
// controllers to the game as joysticks whose buttons and axes are numbered the way
// SDL numbers a standard pad; other front ends (a browser's standard gamepad) name
// their buttons in their own order and map them onto these.
enum PadButton {
    PadSouth = 0,
    PadEast = 1,
    PadWest = 2,
    PadNorth = 3,
    PadBack = 4,
    PadGuide = 5,
    PadStart = 6,
    PadLeftStick = 7,
    PadRightStick = 8,
    PadLeftShoulder = 9,
    PadRightShoulder = 10,
    PadUp = 11,
    PadDown = 12,
    PadLeft = 13,
    PadRight = 14,
};

enum PadAxis { PadLeftX = 0, PadLeftY = 1 };

// The handheld button (see Button in app/Loop.h) that a pad button stands for, or -1
// when it has none.
int handheldButtonForPad(int padButton);

// The handheld direction button the left stick points to at `value` on `axis`, or -1
// when it is near the centre or the axis is not the left stick's.
int handheldButtonForStick(int axis, int value);

// The handheld direction button a hat pointing straight that way stands for, or -1
// when it is centred or on a diagonal (whose buttons do nothing on the handheld either).
int handheldButtonForHat(int hat);

// True while joystick events arrive in the pad's numbering: set at start-up once
// sdl12-compat has been asked for game controllers.
extern bool padLayout;

// Asks sdl12-compat for game controllers unless the player chose otherwise, and notes
// whether the pad numbering is in force. Runs before SDL_Init.
void askForGameControllers();

// The event as the handheld's joystick would have sent it: pad buttons renumbered, a
// stick pushed past its dead zone or a hat turned into a direction press; events with
// no handheld meaning come back as SDL_NOEVENT. Hats need no pad numbering: they mean
// the same on any joystick.
SDL_Event asHandheldEvent(const SDL_Event& padEvent);
