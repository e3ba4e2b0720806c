#pragma once
#include <SDL/SDL.h>

// The handheld's buttons as they arrive from joystick 0.
enum Button {
    ButtonUp = 0,
    ButtonLeft = 2,
    ButtonDown = 4,
    ButtonRight = 6,
    ButtonStart = 8,
    ButtonSelect = 9,
    ButtonL = 10,
    ButtonR = 11,
    ButtonA = 12,
    ButtonX = 14,
};

extern SDL_Surface* screen;
extern SDL_Joystick* joystick;
extern int carHeading;      // 1..8
extern int walkerDirection; // 1..4
extern Uint8 gasHeld;
extern Uint32 nosStartTime;
extern Uint32 nosCooldownStart;
extern int lastEngineLevel;

constexpr Uint32 kNosBurnTime = 4500;     // ms of extra speed
constexpr Uint32 kNosRechargeTime = 8500; // ms until the next burn is free

// One pass of the loop: the timed game steps, then every pending event.
void runPass(bool& quitRequested);

// Runs passes, resting between them until something is due, until the player quits;
// returns main's status.
int runMainLoop();

// Handles one event in the state the game is in; sets quit when asked to.
void handleEvent(const SDL_Event& event, bool& quit);
