#pragma once
#include <vector>

// Every file the game loads, named once. The code loads through these names and the
// asset check walks the same lists, so a path cannot drift between the two.
namespace assets {

// Car images by heading 1..8 (index 0..7), then the burnt-out car (index 8).
inline constexpr const char* carImages[9] = {
    "sprites/yellowcar/n.bmp",  "sprites/yellowcar/s.bmp",  "sprites/yellowcar/w.bmp",
    "sprites/yellowcar/e.bmp",  "sprites/yellowcar/nw.bmp", "sprites/yellowcar/ne.bmp",
    "sprites/yellowcar/sw.bmp", "sprites/yellowcar/se.bmp", "sprites/yellowcar/dead.bmp"};

// n, s, w, e, dead: the walker and the BlackMan share this set.
inline constexpr const char* manImages[5] = {"sprites/man/n.bmp", "sprites/man/s.bmp",
                                             "sprites/man/w.bmp", "sprites/man/e.bmp",
                                             "sprites/man/dead.bmp"};
inline constexpr const char* pinkManImages[5] = {"sprites/pinkman/n.bmp", "sprites/pinkman/s.bmp",
                                                 "sprites/pinkman/w.bmp", "sprites/pinkman/e.bmp",
                                                 "sprites/pinkman/dead.bmp"};

// Loading order of the animals: n1 s1 w1 e1 d1 n2 s2 w2 e2 d2.
inline constexpr const char* catImages[10] = {
    "sprites/cat/n1.bmp", "sprites/cat/s1.bmp", "sprites/cat/w1.bmp", "sprites/cat/e1.bmp",
    "sprites/cat/d1.bmp", "sprites/cat/n2.bmp", "sprites/cat/s2.bmp", "sprites/cat/w2.bmp",
    "sprites/cat/e2.bmp", "sprites/cat/d2.bmp"};
inline constexpr const char* dogImages[10] = {
    "sprites/dog/n1.bmp", "sprites/dog/s1.bmp", "sprites/dog/w1.bmp", "sprites/dog/e1.bmp",
    "sprites/dog/d1.bmp", "sprites/dog/n2.bmp", "sprites/dog/s2.bmp", "sprites/dog/w2.bmp",
    "sprites/dog/e2.bmp", "sprites/dog/d2.bmp"};

inline constexpr const char* chestImages[2] = {"sprites/entities/chest1.bmp",
                                               "sprites/entities/chest1a.bmp"};
inline constexpr const char* nosBoostImages[2] = {"sprites/entities/nosboost.bmp",
                                                  "sprites/entities/nosboostd.bmp"};
// waiting, outcome 1 (health given), outcome 2 (health taken)
inline constexpr const char* possieImages[3] = {"sprites/entities/possie1a.bmp",
                                                "sprites/entities/possie1.bmp",
                                                "sprites/entities/possie1b.bmp"};
inline constexpr const char* eggImage = "sprites/entities/euroegg.bmp";
inline constexpr const char* soapImages[2] = {"sprites/entities/soap1.bmp",
                                              "sprites/entities/soap2.bmp"};
inline constexpr const char* flowerImages[8] = {
    "sprites/flowers/flower1.bmp", "sprites/flowers/flower2.bmp", "sprites/flowers/flower3.bmp",
    "sprites/flowers/flower4.bmp", "sprites/flowers/flower5.bmp", "sprites/flowers/flower6.bmp",
    "sprites/flowers/flower7.bmp", "sprites/flowers/flower8.bmp"};
inline constexpr const char* witheredFlowerImages[4] = {
    "sprites/deadflowers/df1.bmp", "sprites/deadflowers/df2.bmp", "sprites/deadflowers/df3.bmp",
    "sprites/deadflowers/df4.bmp"};
// intact, then the three crushed looks
inline constexpr const char* deadCarImages[4] = {
    "sprites/deadcars/1.bmp", "sprites/deadcars/1a.bmp", "sprites/deadcars/1b.bmp",
    "sprites/deadcars/1c.bmp"};
inline constexpr const char* deadTreeImage = "sprites/obsticles/dead-tree.bmp";
inline constexpr const char* palmTreeImage = "sprites/obsticles/palm-tree.bmp";
inline constexpr const char* hutImage = "sprites/entities/hut.bmp";
// idle, chop frame 1, chop frame 2
inline constexpr const char* afroImages[3] = {
    "sprites/entities/afro.bmp", "sprites/entities/afro1.bmp", "sprites/entities/afro2.bmp"};

inline constexpr const char* fireImage = "sprites/particles/fire.bmp";
inline constexpr const char* hudImage = "sprites/hud.bmp";
inline constexpr const char* nosOnImage = "sprites/noson.bmp";
inline constexpr const char* nosOffImage = "sprites/nosoff.bmp";
inline constexpr const char* nosBurnImage = "sprites/nosburn.bmp";
inline constexpr const char* missionImage = "sprites/missionscreen.bmp";
inline constexpr const char* statsImage = "sprites/statscreen.bmp";
inline constexpr const char* speechBoxImage = "sprites/speachbox.bmp";
inline constexpr const char* shopScreenImage = "sprites/shopscreen.bmp";
inline constexpr const char* menuImage = "sprites/menu.bmp";
inline constexpr const char* menuPageImage = "sprites/menusel.bmp";
inline constexpr const char* menuResumeImage = "sprites/menuresume.bmp";

inline constexpr const char* smallFont = "sserife.fon";
inline constexpr const char* largeFont = "goudos.ttf";

inline constexpr const char* meows[4] = {"sounds/m1.wav", "sounds/m2.wav", "sounds/m3.wav",
                                         "sounds/m4.wav"};
inline constexpr const char* barks[4] = {"sounds/b1.wav", "sounds/b2.wav", "sounds/b3.wav",
                                         "sounds/b4.wav"};
inline constexpr const char* heartbeat = "sounds/heartbeat.wav";
inline constexpr const char* lowFuel = "sounds/lowgass.wav";
inline constexpr const char* coins[2] = {"sounds/coin2.wav", "sounds/coindrop.wav"};
inline constexpr const char* explosion = "sounds/explosion.wav";
inline constexpr const char* grunts[5] = {"sounds/grunts/grunt1.wav", "sounds/grunts/grunt2.wav",
                                          "sounds/grunts/grunt3.wav", "sounds/grunts/grunt4.wav",
                                          "sounds/grunts/grunt5.wav"};
inline constexpr const char* crushes[3] = {"sounds/gore/crush1.wav", "sounds/gore/crush2.wav",
                                           "sounds/gore/crush3.wav"};
// The cats have always named their crushes with backslashes; on Linux these are
// files whose names contain the backslashes, installed beside the others.
inline constexpr const char* catCrushes[3] = {
    "sounds\\gore\\crush1.wav", "sounds\\gore\\crush2.wav", "sounds\\gore\\crush3.wav"};
inline constexpr const char* dogYelps[4] = {"sounds/gore/dogyell1.wav", "sounds/gore/dogyell2.wav",
                                            "sounds/gore/dogyell3.wav", "sounds/gore/dogyell4.wav"};
inline constexpr const char* wreckCrush = "sounds/crush.wav";
inline constexpr const char* possieCheers[3] = {"sounds/grunts/org1.wav", "sounds/grunts/org2.wav",
                                                "sounds/grunts/org3.wav"};
inline constexpr const char* possieGroans[3] = {
    "sounds/grunts/morg1.wav", "sounds/grunts/morg2.wav", "sounds/grunts/morg3.wav"};
inline constexpr const char* nosRev = "sounds/revp.wav";
inline constexpr const char* eggPickup = "sounds/euroegg.wav";
inline constexpr const char* children[3] = {"sounds/children1.wav", "sounds/children2.wav",
                                            "sounds/children3.wav"};
inline constexpr const char* afroVoices[4] = {
    "sounds/blacktalk/line1.wav", "sounds/blacktalk/line2.wav", "sounds/blacktalk/line3.wav",
    "sounds/blacktalk/line4.wav"};
inline constexpr const char* chop = "sounds/chop.wav";
inline constexpr const char* enterShop = "sounds/shop/entershop.wav";
inline constexpr const char* portal = "sounds/portal.wav";
inline constexpr const char* hellrift = "sounds/hellrift.wav";
inline constexpr const char* levelRev = "sounds\\rev.wav";
inline constexpr const char* shopRefuse = "sounds/shop/moremoney.wav";
inline constexpr const char* shopBuy = "sounds/shop/buyitem.wav";

// The complete lists, in no particular order, for the asset check.
std::vector<const char*> allImages();
std::vector<const char*> allSounds();
std::vector<const char*> allFonts();

} // namespace assets
