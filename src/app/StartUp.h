#pragma once

// Start-up: SDL, the platform's checks, the screen, joystick 0, the caption, the
// menu, the timers and the renderer. Exits with status 1 when SDL or a display cannot
// be had, 2 when the video mode cannot, and 3 when the game's files are broken.
void startUp();

// Once the screen exists: the car's, the walker's, the menu's and the shop's pictures
// in the screen's format, and the tints' tables, so that no frame stalls on them.
void loadGameImages();

// The exit handler: shuts SDL down, then hands the machine over as the platform does.
void shutDown();
