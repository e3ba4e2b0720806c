#pragma once

// The credits page, line by line, each at x = 26 with its top at y. The interface
// picture tool draws the same lines in its preview of the page.
struct CreditLine {
    int y;
    const char* text;
};

inline constexpr CreditLine creditLines[] = {
    {32, "Vandal Demo Credits"},
    {57, "Coding:"},
    {72, "The Vandal Demo team"},
    {92, "Developers:"},
    {106, "Built on SDL, SDL_mixer and SDL_ttf"},
    {126, "Art:"},
    {138, "Pictures and sounds: the team"},
    {153, "Fonts: Linux Libertine and DejaVu"},
    {192, "Made with free software"},
};
