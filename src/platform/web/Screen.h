#pragma once

// Puts the frame last handed to SDL_Flip on the page's canvas, if one came since the
// last time: the page calls this once per display frame, so however many frames the
// game shows in between, the browser gets one picture to draw.
void showFlippedFrame();
