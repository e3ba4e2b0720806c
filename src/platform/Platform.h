#pragma once
#include <SDL/SDL.h>
#include <string>

// What the game asks of the machine it runs on. Each folder beside this header is one
// platform, and a build compiles exactly one of them:
//   desktop/   a window on a Linux desktop: the data folder search, the window's
//              scale and full screen, a game controller played like the handheld;
//   handheld/  the GP2X: its own buttons and screen, the names its memory card can
//              hold, the hand-over to its menu at exit;
//   web/       a browser page: the game's passes run once per display frame, on
//              SDL video, text and sound calls of its own where the browser's
//              SDL would draw or sound other than the desktop's.
// Each also has the program's main(): the desktop and the handheld run the game's own
// loop (app/Loop.h), the page hands the browser one batch of passes per frame.
// gamepad/ is the controller mapping the desktop and the page share.
//
// The game's own folders call these and never ask which platform they are on.
namespace platform {

// Before SDL starts: the media layer's own settings, read from the environment.
void beforeSdlStarts();

// Once SDL runs and before the video mode is set: the display is there, the game's
// files are whole and the window has its size. Ends the program when it cannot go on.
void prepareScreen();

// Turns an event into what the game's input reads: keys, and joystick buttons in the
// handheld's own numbering. Returns false when the platform has dealt with the event
// itself (the desktop's full-screen keys) or it means nothing to the game.
bool translateEvent(SDL_Event& event);

// Where the sound the game names `path` is found on this platform.
std::string soundPath(const char* path);

// The last step of the exit handler, once SDL has shut down: hands the machine back to
// what started the game. Returns when there is nothing to hand it to.
void handOver();

} // namespace platform
