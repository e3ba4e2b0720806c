#include "screens/Freerun.h"

int freerunCats = 0;
int freerunMen = 0;
int freerunPink = 0;
int freerunDeadCars = 0;
int freerunShops = 0;
int freerunNosBoosts = 0;
int freerunChests = 0;
int freerunWidth = 512;
int freerunHeight = 512;
int freerunTerrain = 0;

// The page opens with its first line highlighted; index 0 is never drawn.
Uint8 lineHighlight[12] = {0, 1, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0};
