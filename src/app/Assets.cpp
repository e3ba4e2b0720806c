#include "app/Assets.h"
#include <iterator>

namespace assets {

namespace {
template <class Array> void append(std::vector<const char*>& out, const Array& paths) {
    out.insert(out.end(), std::begin(paths), std::end(paths));
}
} // namespace

std::vector<const char*> allImages() {
    std::vector<const char*> out;
    append(out, carImages);
    append(out, manImages);
    append(out, pinkManImages);
    append(out, catImages);
    append(out, dogImages);
    append(out, chestImages);
    append(out, nosBoostImages);
    append(out, possieImages);
    append(out, soapImages);
    append(out, flowerImages);
    append(out, witheredFlowerImages);
    append(out, deadCarImages);
    append(out, afroImages);
    out.insert(out.end(),
               {eggImage, deadTreeImage, palmTreeImage, hutImage, fireImage, hudImage, nosOnImage,
                nosOffImage, nosBurnImage, missionImage, statsImage, speechBoxImage,
                shopScreenImage, menuImage, menuPageImage, menuResumeImage});
    return out;
}

std::vector<const char*> allSounds() {
    std::vector<const char*> out;
    append(out, meows);
    append(out, barks);
    append(out, coins);
    append(out, grunts);
    append(out, crushes);
    append(out, catCrushes);
    append(out, dogYelps);
    append(out, possieCheers);
    append(out, possieGroans);
    append(out, children);
    append(out, afroVoices);
    out.insert(out.end(), {heartbeat, lowFuel, explosion, wreckCrush, nosRev, eggPickup, chop,
                           enterShop, portal, hellrift, levelRev, shopRefuse, shopBuy});
    return out;
}

std::vector<const char*> allFonts() { return {smallFont, largeFont}; }

} // namespace assets
