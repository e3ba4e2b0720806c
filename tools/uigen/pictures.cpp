#include "uigen.h"
#include <algorithm>

namespace uigen {

namespace {

// One palette for every interface picture, close to the sprites' colours.
constexpr Rgb kInk{26, 22, 30};
constexpr Rgb kPaperTop{250, 243, 220};
constexpr Rgb kPaperBottom{238, 224, 188};
constexpr Rgb kBorderDark{74, 44, 22};
constexpr Rgb kBorder{140, 92, 46};
constexpr Rgb kGold{238, 188, 42};
constexpr Rgb kGoldLight{255, 230, 130};
constexpr Rgb kBrownText{96, 60, 28};
constexpr Rgb kCream{253, 248, 232};
constexpr Rgb kSlateTop{66, 74, 100};
constexpr Rgb kSlateBottom{36, 40, 56};
constexpr Rgb kYellow{246, 198, 44};
constexpr Rgb kGrassTop{132, 200, 92};
constexpr Rgb kGrassBottom{84, 158, 60};
constexpr Rgb kGrassShadow{52, 104, 40};
constexpr Rgb kAsphalt{92, 92, 100};
// The main list's board stays at or below 50 in every channel, so the highlight,
// which only touches brighter pixels, never spills onto it.
constexpr Rgb kBoard{30, 34, 48};

struct Fonts {
    Font hud;        // the size the game draws HUD numbers in
    Font hudBold;    // key caps and the gauge's lettering
    Font hint;       // control hints
    Font label;      // menu buttons, like the game's own menu text but bold
    Font heading;    // panel titles
    Font title;      // the name of the game
    Font titleSmall; // the name above every menu page
    explicit Fonts(const Kit& kit)
        : hud(kit.smallFontPath, 12), hudBold(kit.smallFontPath, 9, true),
          hint(kit.smallFontPath, 10), label(kit.largeFontPath, 16, true),
          heading(kit.largeFontPath, 16, true), title(kit.largeFontPath, 36, true),
          titleSmall(kit.largeFontPath, 15, true) {}
};

void roundBox(Image& img, int x, int y, int w, int h, int radius, Rgb outline, Rgb fill) {
    fillRoundRect(img, x, y, w, h, radius, outline);
    fillRoundRect(img, x + 1, y + 1, w - 2, h - 2, std::max(radius - 1, 1), fill);
}

// A key the player presses, drawn as a little cap, then what it does. Returns the x
// just after the words.
int keyHint(Image& img, const Fonts& f, int x, int y, const std::string& key,
            const std::string& action, Rgb words) {
    const int capW = f.hudBold.width(key) + 6;
    roundBox(img, x, y, capW, 12, 2, kInk, kCream);
    fillRect(img, x + 2, y + 10, capW - 4, 1, {214, 206, 186});
    f.hudBold.draw(img, x + 3, y, key, kInk);
    return x + capW + 3 + f.hint.draw(img, x + capW + 3, y - 1, action, words);
}

int keyHintWidth(const Fonts& f, const std::string& key, const std::string& action) {
    return f.hudBold.width(key) + 6 + 3 + f.hint.width(action);
}

// Parchment in a wooden frame with gold corners: the panels and the menu pages.
void paperPanel(Image& img, int x, int y, int w, int h, std::uint32_t seed) {
    fillRect(img, x, y, w, h, kBorderDark);
    fillRect(img, x + 1, y + 1, w - 2, h - 2, kBorder);
    grain(img, x + 1, y + 1, w - 2, h - 2, 6, seed);
    frameRect(img, x + 1, y + 1, w - 2, h - 2, shade(kBorder, 30));
    frameRect(img, x + 5, y + 5, w - 10, h - 10, kBorderDark);
    frameRect(img, x + 6, y + 6, w - 12, h - 12, kGold);
    verticalGradient(img, x + 7, y + 7, w - 14, h - 14, kPaperTop, kPaperBottom);
    grain(img, x + 7, y + 7, w - 14, h - 14, 3, seed + 1);
    // Gold studs on the corners of the frame.
    const int cornersX[2] = {x + 3, x + w - 4};
    const int cornersY[2] = {y + 3, y + h - 4};
    for (int cx : cornersX) {
        for (int cy : cornersY) {
            fillRect(img, cx - 2, cy - 1, 5, 3, kBorderDark);
            fillRect(img, cx - 1, cy - 2, 3, 5, kBorderDark);
            fillRect(img, cx - 1, cy, 3, 1, kGold);
            fillRect(img, cx, cy - 1, 1, 3, kGold);
            img.set(cx, cy, kGoldLight);
        }
    }
}

// A title plate sitting on the top edge of a panel.
void titlePlate(Image& img, const Fonts& f, int centreX, int y, const std::string& title) {
    const int w = f.heading.width(title) + 28;
    const int x = centreX - w / 2;
    roundBox(img, x, y, w, 19, 4, kBorderDark, kGold);
    verticalGradient(img, x + 2, y + 2, w - 4, 15, kGoldLight, kGold);
    fillRect(img, x + 2, y + 16, w - 4, 1, shade(kGold, -40));
    // Small diamonds either side of the word.
    for (int side : {x + 6, x + w - 7}) {
        img.set(side, y + 7, kBorderDark);
        fillRect(img, side - 1, y + 8, 3, 1, kBorderDark);
        img.set(side, y + 9, kBorderDark);
    }
    f.heading.drawCentred(img, centreX, y - 1, title, kBorderDark);
}

Image panel(const Fonts& f, const std::string& title, std::uint32_t seed) {
    Image img(288, 176);
    paperPanel(img, 0, 0, img.width, img.height, seed);
    titlePlate(img, f, img.width / 2, 1, title);
    return img;
}

Image shopPanel(const Kit& kit, const Fonts& f) {
    Image img = panel(f, "Shop", 3);
    // A rule above the hint keeps it apart from the last offer.
    const int ruleY = 155;
    for (int x = 40; x < img.width - 40; ++x)
        img.set(x, ruleY, mix(kPaperBottom, kBrownText, x % 4 == 0 ? 80 : 150));
    const int w = keyHintWidth(f, "A", "buy") + 16 + keyHintWidth(f, kit.backKey(), "leave");
    int x = (img.width - w) / 2;
    x = keyHint(img, f, x, 158, "A", "buy", kBrownText) + 16;
    keyHint(img, f, x, 158, kit.backKey(), "leave", kBrownText);
    return img;
}

Image statsPanel(const Fonts& f) {
    Image img = panel(f, "Statistics", 2);
    // The counts start lower than the mission text; a flourish fills the gap.
    const int cx = img.width / 2, y = 38;
    for (int x = cx - 70; x <= cx + 70; ++x) {
        int fade = 255 - std::abs(x - cx) * 255 / 72;
        img.blend(x, y, kBrownText, fade * 3 / 4);
    }
    fillRect(img, cx - 2, y - 2, 5, 5, kBorderDark);
    fillRect(img, cx - 1, y - 1, 3, 3, kGold);
    return img;
}

Image hud(const Kit& kit) {
    Image img(320, 24);
    verticalGradient(img, 0, 0, 320, 24, kSlateTop, kSlateBottom);
    fillRect(img, 0, 0, 320, 1, shade(kSlateTop, 40));
    // Hazard stripes along the bottom edge, left of the gauge.
    fillRect(img, 0, 17, 270, 1, kInk);
    for (int x = 0; x < 270; ++x)
        for (int y = 18; y < 23; ++y)
            img.set(x, y, ((x + y) / 4) % 2 ? kYellow : kInk);
    fillRect(img, 0, 23, 270, 1, kInk);
    // The gauge covers x 277 and on; it gets a plain dark bed.
    fillRect(img, 270, 0, 50, 24, kSlateBottom);
    fillRect(img, 270, 0, 1, 24, shade(kSlateTop, 20));

    // The game prints the numbers with their tops on the HUD's top row; digits fill
    // rows 3 to 11, so the boxes span rows 0 to 14 to frame them evenly.
    struct Slot {
        const char* icon;
        int iconX;
        int boxX, boxW;
    };
    const Slot slots[4] = {
        {"heart", 15, 30, 42}, {"coin", 72, 85, 62}, {"fuel", 149, 163, 40}, {"egg", 205, 218, 46}};
    for (const Slot& s : slots) {
        roundBox(img, s.boxX, 0, s.boxW, 15, 3, kInk, kCream);
        fillRect(img, s.boxX + 2, 13, s.boxW - 4, 1, {226, 218, 196});
        const Image& icon = kit.icon(s.icon);
        stamp(img, icon, s.iconX, 8 - icon.height / 2);
    }
    return img;
}

enum class NosState { Ready, Recharging, Burning };

Image nosGauge(const Kit& kit, const Fonts& f, NosState state) {
    struct Look {
        const char* flame;
        Rgb bedTop, bedBottom, rim, letters, barFill, barEmpty;
        int barPercent;
    };
    const Look looks[3] = {
        {"flame_ready",
         {40, 66, 140},
         {20, 30, 76},
         {120, 178, 226},
         {200, 240, 255},
         {96, 196, 255},
         {20, 30, 60},
         100},
        {"flame_idle",
         {70, 70, 80},
         {40, 40, 48},
         {104, 104, 116},
         {130, 130, 140},
         {150, 150, 160},
         {30, 30, 36},
         35},
        {"flame_burn",
         {150, 46, 24},
         {80, 16, 12},
         {244, 136, 32},
         {255, 226, 96},
         {255, 170, 40},
         {60, 10, 8},
         100},
    };
    const Look& look = looks[static_cast<int>(state)];
    Image img(42, 26, kInk);
    verticalGradient(img, 1, 1, 40, 24, look.bedTop, look.bedBottom);
    frameRect(img, 1, 1, 40, 24, look.rim);
    frameRect(img, 2, 2, 38, 22, shade(look.bedBottom, -10));
    const Image& flame = kit.icon(look.flame);
    stamp(img, flame, 4, 13 - flame.height / 2);
    const int textX = 16;
    f.hudBold.draw(img, textX + 1, 3, "NOS", kInk);
    f.hudBold.draw(img, textX, 2, "NOS", look.letters);
    // The charge bar.
    const int barX = 16, barY = 16, barW = 21, barH = 5;
    frameRect(img, barX - 1, barY - 1, barW + 2, barH + 2, kInk);
    fillRect(img, barX, barY, barW, barH, look.barEmpty);
    const int filled = barW * look.barPercent / 100;
    verticalGradient(img, barX, barY, filled, barH, shade(look.barFill, 50), look.barFill);
    for (int x = barX + 3; x < barX + barW; x += 4)
        fillRect(img, x, barY, 1, barH, mix(kInk, look.barEmpty, 120));
    return img;
}

Image speechBox() {
    Image img(300, 30, kInk);
    roundBox(img, 1, 1, 298, 28, 6, kBorderDark, kGold);
    roundBox(img, 3, 3, 294, 24, 5, kBorderDark, kCream);
    verticalGradient(img, 5, 5, 290, 20, kCream, {240, 234, 214});
    fillRect(img, 8, 4, 284, 1, {255, 255, 250});
    return img;
}

// Grass with a soft grain; every menu picture stands on it.
Image grassField() {
    Image img(320, 240);
    verticalGradient(img, 0, 0, 320, 240, kGrassTop, kGrassBottom);
    grain(img, 0, 0, 320, 240, 7, 11);
    // Tufts, placed by a fixed rule so every build draws them in the same places.
    for (int i = 0; i < 70; ++i) {
        int x = (i * 97 + 13) % 320, y = (i * 61 + 29) % 240;
        img.set(x, y, kGrassShadow);
        img.set(x + 2, y, kGrassShadow);
        img.set(x + 1, y - 1, shade(kGrassShadow, 10));
    }
    return img;
}

// A wobble for skid marks, in whole pixels so it is the same on every machine.
int wobble(int x) {
    static const int wave[16] = {0, 0, 1, 1, 2, 2, 2, 1, 1, 0, 0, -1, -1, -1, -1, 0};
    return wave[(x / 3) % 16];
}

void titleArt(Image& img, const Kit& kit, const Fonts& f) {
    // The name of the game, in two lines.
    for (auto [word, y] : {std::pair<const char*, int>{"Vandal", 6}, {"Demo", 44}}) {
        const int x = 82 - f.title.width(word) / 2;
        f.title.draw(img, x + 3, y + 3, word, kGrassShadow);
        f.title.drawOutlined(img, x, y, word, kYellow, kInk);
    }
    // The road, the car and its skid marks.
    const int roadY = 120, roadH = 50;
    fillRect(img, 0, roadY, 160, roadH, kAsphalt);
    grain(img, 0, roadY, 160, roadH, 5, 21);
    fillRect(img, 0, roadY - 2, 160, 2, kCream);
    fillRect(img, 0, roadY + roadH, 160, 2, kCream);
    fillRect(img, 0, roadY + roadH + 2, 160, 1, kGrassShadow);
    for (int x = 4; x < 160; x += 20)
        fillRect(img, x, roadY + roadH / 2 - 1, 11, 2, kYellow);
    const Image car = pixelart::scaled(kit.icon("car_east"), 2);
    const int carX = 92, carY = roadY + 8;
    for (int x = 0; x < carX + 10; ++x) {
        for (int tyreRow : {carY + 2, carY + car.height - 5}) {
            int y = tyreRow + wobble(x);
            int alpha = std::min(220, x * 3);
            img.blend(x, y, {30, 28, 32}, alpha);
            img.blend(x, y + 1, {30, 28, 32}, alpha);
            img.blend(x, y + 2, {30, 28, 32}, alpha / 2);
        }
    }
    // The car's shadow, then the car at twice its sprite size.
    for (int j = 0; j < car.height; ++j)
        for (int i = 0; i < car.width; ++i)
            if (car.at(i, j) != kTransparent) img.blend(carX + i + 2, carY + j + 3, kInk, 110);
    stamp(img, car, carX, carY);
}

// A cream card on the grass under the road, for the legend of the controls.
void legendCard(Image& img, int x, int y, int w, int h) {
    roundBox(img, x + 2, y + 2, w, h, 5, kGrassShadow, kGrassShadow);
    roundBox(img, x, y, w, h, 5, kInk, kCream);
}

// The handheld's stick and buttons: all the menus need.
void buttonLegend(Image& img, const Kit& kit, const Fonts& f) {
    const int boxX = 6, boxY = 182, boxW = 148, boxH = 50;
    legendCard(img, boxX, boxY, boxW, boxH);
    f.hint.drawCentred(img, boxX + boxW / 2, boxY + 2, "Controls", kBrownText);
    keyHint(img, f, boxX + 8, boxY + 18, "Stick", "move", kInk);
    const int x = keyHint(img, f, boxX + 8, boxY + 34, "A", "choose", kInk);
    keyHint(img, f, x + 12, boxY + 34, kit.backKey(), "back", kInk);
}

// Nothing on a keyboard says which keys the game uses, so its legend names every one:
// driving on the left, the menus and panels on the right.
void keyLegend(Image& img, const Fonts& f) {
    const int boxX = 6, boxY = 176, boxW = 148, boxH = 62;
    legendCard(img, boxX, boxY, boxW, boxH);
    const std::pair<const char*, const char*> driving[4] = {
        {"Arrows", "steer"}, {"Space", "gas"}, {"B", "NOS"}, {"X", "pause"}};
    const std::pair<const char*, const char*> menus[4] = {
        {"A", "choose"}, {"B", "back"}, {"Q", "mission"}, {"W", "stats"}};
    int rightX = 0;
    for (const auto& [key, action] : driving)
        rightX = std::max(rightX, keyHintWidth(f, key, action));
    rightX += boxX + 8 + 10;
    for (int row = 0; row < 4; ++row) {
        const int y = boxY + 4 + 14 * row;
        keyHint(img, f, boxX + 8, y, driving[row].first, driving[row].second, kInk);
        keyHint(img, f, rightX, y, menus[row].first, menus[row].second, kInk);
    }
}

void menuButton(Image& img, const Kit& kit, const Fonts& f, const layout::Rect& r,
                const std::string& label, const char* mark) {
    const int h = 27, y = r.y + (r.h - h) / 2;
    roundBox(img, r.x, y, r.w, h, 4, kInk, kCream);
    // Butter yellow, so the highlight's lower green turns it a clear peach.
    verticalGradient(img, r.x + 2, y + 2, r.w - 4, h - 4, {255, 244, 192}, {248, 216, 124});
    fillRect(img, r.x + 3, y + 1, r.w - 6, 1, {255, 252, 232});
    fillRect(img, r.x + 3, y + h - 2, r.w - 6, 1, {214, 172, 84});
    const Image& icon = kit.icon(mark);
    stamp(img, icon, r.x + 10, y + (h - icon.height) / 2);
    const int textLeft = r.x + 24, textRight = r.x + r.w - 8;
    f.label.drawCentred(img, (textLeft + textRight) / 2, y + 3, label, kInk);
}

Image mainList(const Kit& kit, const Fonts& f, const std::string& firstEntry) {
    Image img = grassField();
    titleArt(img, kit, f);
    if (kit.handheld)
        buttonLegend(img, kit, f);
    else
        keyLegend(img, f);
    // The board the buttons hang on.
    fillRect(img, 161, 5, 154, 232, kGrassShadow);
    fillRect(img, 158, 3, 154, 232, kBorderDark);
    fillRect(img, 159, 4, 152, 230, kBorder);
    fillRect(img, 161, 6, 148, 226, kBoard);
    const struct {
        std::string label;
        const char* mark;
    } entries[6] = {{firstEntry, "mark_play"},   {"Blank Page", "mark_page"},
                    {"Empty Page", "mark_page"}, {"Sound", "mark_sound"},
                    {"Freerun", "mark_flag"},    {"Credits", "mark_star"}};
    for (int i = 0; i < 6; ++i)
        menuButton(img, kit, f, layout::kMenuEntries[i], entries[i].label, entries[i].mark);
    return img;
}

Image menuPage(const Kit& kit, const Fonts& f) {
    Image img = grassField();
    const std::string name = "Vandal Demo";
    f.titleSmall.drawOutlined(img, 18, 1, name, kYellow, kInk);
    stamp(img, kit.icon("car_east"), 18 + f.titleSmall.width(name) + 10, 4);
    // The game's first line sits at y 32; the panel starts a little above it.
    const int x = 16, y = 22, w = 285, h = 207;
    fillRect(img, x + 3, y + 3, w, h, kGrassShadow);
    paperPanel(img, x, y, w, h, 5);
    const int hintW = keyHintWidth(f, kit.backKey(), "back");
    keyHint(img, f, x + w - 12 - hintW, y + h - 22, kit.backKey(), "back", kBrownText);
    return img;
}

} // namespace

const Image& Kit::icon(const std::string& name) const {
    auto found = icons.find(name);
    if (found == icons.end()) throw SourceError("the icons have no '" + name + "'");
    return found->second;
}

std::vector<std::pair<std::string, Image>> makePictures(const Kit& kit) {
    const Fonts f(kit);
    return {
        {"hud", hud(kit)},
        {"noson", nosGauge(kit, f, NosState::Ready)},
        {"nosoff", nosGauge(kit, f, NosState::Recharging)},
        {"nosburn", nosGauge(kit, f, NosState::Burning)},
        {"missionscreen", panel(f, "Mission", 1)},
        {"statscreen", statsPanel(f)},
        {"shopscreen", shopPanel(kit, f)},
        {"speachbox", speechBox()},
        {"menu", mainList(kit, f, "Play")},
        {"menuresume", mainList(kit, f, "Resume")},
        {"menusel", menuPage(kit, f)},
    };
}

} // namespace uigen
