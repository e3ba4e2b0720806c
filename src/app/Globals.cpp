// The long-lived objects of the game, defined in one place because their
// construction order matters: the audio device must be open before anything could
// play, and C++ only orders static construction within a single file.
#include "graphics/Graphics.h"
#include "player/Player.h"
#include "player/Walker.h"
#include "screens/Menu.h"
#include "screens/Shop.h"
#include "sound/Sound.h"
#include "world/Game.h"

cGraphics graphics;
cGame game;
cShop shop;
cMenu menu;
cSound sound;
cWalker walker;
cPlayer player;
