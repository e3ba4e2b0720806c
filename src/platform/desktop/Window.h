#pragma once
#include <SDL/SDL.h>

// The desktop window: the game always draws 320x240, and sdl12-compat scales that up
// to a window of a whole multiple of it, and in full screen to the largest whole
// multiple that fits, centred on black.

// The largest whole scale at which the window fits a screen of this size with room
// left for the desktop's panels and the window's frame; at least 1.
int fittingWindowScale(int screenWidth, int screenHeight);

// Asks sdl12-compat to scale by repeating pixels, not by smoothing them, which blurs
// pixel art; a method the player chose in SDL12COMPAT_SCALE_METHOD stands. Runs before
// SDL_Init.
void askForSharpPixels();

// Unless the player chose a scale in SDL12COMPAT_WINDOW_SCALING, asks for the fitting
// one. Runs after SDL_Init (the screen size is known) and before the video mode is set.
void scaleWindowToScreen();

// F11 and Alt+Enter, the keys desktop games use to switch full screen on and off.
bool isFullScreenKey(const SDL_keysym& key);

// Switches the window between full screen and windowed, with or without a window
// manager to help; the screen surface stays, and the window comes back where it was.
void toggleFullScreen();
