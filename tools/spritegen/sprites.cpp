#include "spritegen.h"

#include <functional>
#include <map>
#include <set>
#include <utility>

namespace spritegen {
namespace {

[[noreturn]] void fail(const std::string& where, const std::string& what) {
    throw SourceError(where + ": " + what);
}

// sprite PATH = OTHER op op...
void readCopy(SpriteDef& def, const std::vector<std::string>& words) {
    if (words[0] != "=" || words.size() < 2) fail(def.where, "expected: sprite PATH = OTHER [ops]");
    def.from = words[1];
    def.ops.assign(words.begin() + 2, words.end());
    for (const auto& op : def.ops) {
        try {
            applyOp(Image(1, 1), op);
        } catch (const std::invalid_argument&) {
            fail(def.where, "unknown transform '" + op + "' (mirror, flip, rot90, rot180, rot270)");
        }
    }
}

} // namespace

std::vector<SpriteDef> parseSprites(const std::string& text, const std::string& origin,
                                    const Palette& shared) {
    std::vector<SpriteDef> defs;
    for (auto& block : pixelart::parseBlocks(text, origin, "sprite", shared)) {
        SpriteDef def{block.name, block.where, std::move(block.image), {}, {}};
        if (!block.more.empty()) readCopy(def, block.more);
        defs.push_back(std::move(def));
    }
    return defs;
}

std::vector<Sprite> resolveSprites(const std::vector<SpriteDef>& defs) {
    std::map<std::string, const SpriteDef*> byPath;
    for (const auto& def : defs) {
        if (!byPath.emplace(def.path, &def).second)
            fail(def.where, "'" + def.path + "' is already defined at " + byPath[def.path]->where);
    }
    std::map<std::string, Image> done;
    std::set<std::string> inProgress;
    std::function<const Image&(const SpriteDef&)> build =
        [&](const SpriteDef& def) -> const Image& {
        if (auto it = done.find(def.path); it != done.end()) return it->second;
        Image image = def.image;
        if (!def.from.empty()) {
            if (!inProgress.insert(def.path).second)
                fail(def.where, "'" + def.path + "' is copied from itself");
            auto source = byPath.find(def.from);
            if (source == byPath.end()) fail(def.where, "no sprite called '" + def.from + "'");
            image = build(*source->second);
            for (const auto& op : def.ops)
                image = applyOp(image, op);
            inProgress.erase(def.path);
        }
        return done.emplace(def.path, image).first->second;
    };
    std::vector<Sprite> sprites;
    for (const auto& def : defs)
        sprites.push_back({def.path, build(def)});
    return sprites;
}

Image mirror(const Image& image) {
    Image out(image.width, image.height);
    for (int y = 0; y < image.height; ++y)
        for (int x = 0; x < image.width; ++x)
            out.set(image.width - 1 - x, y, image.at(x, y));
    return out;
}

Image flip(const Image& image) {
    Image out(image.width, image.height);
    for (int y = 0; y < image.height; ++y)
        for (int x = 0; x < image.width; ++x)
            out.set(x, image.height - 1 - y, image.at(x, y));
    return out;
}

Image rotate90(const Image& image) {
    Image out(image.height, image.width);
    for (int y = 0; y < image.height; ++y)
        for (int x = 0; x < image.width; ++x)
            out.set(image.height - 1 - y, x, image.at(x, y));
    return out;
}

Image applyOp(const Image& image, const std::string& op) {
    if (op == "mirror") return mirror(image);
    if (op == "flip") return flip(image);
    if (op == "rot90") return rotate90(image);
    if (op == "rot180") return rotate90(rotate90(image));
    if (op == "rot270") return rotate90(rotate90(rotate90(image)));
    throw std::invalid_argument(op);
}

} // namespace spritegen
