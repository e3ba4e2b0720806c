#pragma once
#include <string>

// A few of the game's sounds were named with backslashes (the cats' three crushes and
// the rev a fresh map starts with), which the memory card's FAT file system refuses.
// On the card each of them lives in the folder "backslashed/", under its own name with
// the backslashes turned into folders: "sounds\rev.wav" is
// "backslashed/sounds/rev.wav". They are kept apart from the sounds of the same name
// written with slashes, which are other sounds ("sounds/gore/crush1.wav" is a man's
// crush, "sounds\gore\crush1.wav" a cat's). Every other path is the card's as it is.
std::string cardName(const char* path);
