#include "spritegen.h"

#include <functional>
#include <set>
#include <sstream>

namespace spritegen {
namespace {

std::vector<std::string> words(const std::string& line) {
    std::istringstream in(line);
    std::vector<std::string> out;
    for (std::string w; in >> w;)
        out.push_back(w);
    return out;
}

bool blank(const std::string& line) { return line.find_first_not_of(" \t\r") == std::string::npos; }

std::string stripCr(std::string line) {
    if (!line.empty() && line.back() == '\r') line.pop_back();
    return line;
}

[[noreturn]] void fail(const std::string& where, const std::string& what) {
    throw SourceError(where + ": " + what);
}

int channel(const std::string& word, const std::string& where) {
    std::size_t used = 0;
    int value = -1;
    try {
        value = std::stoi(word, &used);
    } catch (const std::exception&) {}
    if (used != word.size() || value < 0 || value > 255)
        fail(where, "colour channel '" + word + "' is not a number from 0 to 255");
    return value;
}

// Adds one "colour KEY R G B [name]" line to the palette.
void addColour(Palette& palette, const std::vector<std::string>& w, const std::string& where) {
    if (w.size() < 5) fail(where, "expected: colour KEY R G B [name]");
    if (w[1].size() != 1) fail(where, "a colour key is one character, not '" + w[1] + "'");
    char key = w[1][0];
    if (key == kTransparentKey || key == '#')
        fail(where, std::string("'") + key + "' is reserved and cannot be a colour key");
    Rgb c{static_cast<std::uint8_t>(channel(w[2], where)),
          static_cast<std::uint8_t>(channel(w[3], where)),
          static_cast<std::uint8_t>(channel(w[4], where))};
    if (c == kTransparent) fail(where, "0 255 0 is the transparent colour; pick another green");
    palette[key] = c;
}

} // namespace

Palette parsePalette(const std::string& text, const std::string& origin) {
    Palette palette;
    std::istringstream in(text);
    int number = 0;
    for (std::string line; std::getline(in, line);) {
        ++number;
        line = stripCr(line);
        if (blank(line) || line[0] == '#') continue;
        std::string where = origin + ":" + std::to_string(number);
        auto w = words(line);
        if (w[0] != "colour") fail(where, "a palette holds only colour lines");
        addColour(palette, w, where);
    }
    return palette;
}

std::vector<SpriteDef> parseSprites(const std::string& text, const std::string& origin,
                                    const Palette& shared) {
    Palette palette = shared;
    std::vector<SpriteDef> defs;
    std::vector<std::string> lines;
    {
        std::istringstream in(text);
        for (std::string line; std::getline(in, line);)
            lines.push_back(stripCr(line));
    }
    for (std::size_t i = 0; i < lines.size(); ++i) {
        const std::string& line = lines[i];
        if (blank(line) || line[0] == '#') continue;
        std::string where = origin + ":" + std::to_string(i + 1);
        auto w = words(line);
        if (w[0] == "colour") {
            addColour(palette, w, where);
            continue;
        }
        if (w[0] != "sprite" || w.size() < 2)
            fail(where, "expected 'colour ...' or 'sprite PATH', got '" + line + "'");
        SpriteDef def;
        def.path = w[1];
        def.where = where;
        if (w.size() > 2) {
            // sprite PATH = OTHER op op...
            if (w[2] != "=" || w.size() < 4) fail(where, "expected: sprite PATH = OTHER [ops]");
            def.from = w[3];
            def.ops.assign(w.begin() + 4, w.end());
            for (const auto& op : def.ops) {
                try {
                    applyOp(Image(1, 1), op);
                } catch (const std::invalid_argument&) {
                    fail(where,
                         "unknown transform '" + op + "' (mirror, flip, rot90, rot180, rot270)");
                }
            }
            defs.push_back(def);
            continue;
        }
        // The grid runs to the next blank line; "#" lines inside it are comments.
        std::vector<std::pair<std::string, std::size_t>> rows;
        std::size_t j = i + 1;
        for (; j < lines.size() && !blank(lines[j]); ++j)
            if (lines[j][0] != '#') rows.emplace_back(lines[j], j + 1);
        i = j;
        if (rows.empty()) fail(where, "sprite '" + def.path + "' has no rows");
        const std::size_t width = rows[0].first.size();
        def.image = Image(static_cast<int>(width), static_cast<int>(rows.size()));
        for (std::size_t y = 0; y < rows.size(); ++y) {
            const auto& [row, rowLine] = rows[y];
            std::string rowWhere = origin + ":" + std::to_string(rowLine);
            if (row.size() != width)
                fail(rowWhere, "row is " + std::to_string(row.size()) + " wide, the first row " +
                                   std::to_string(width));
            for (std::size_t x = 0; x < width; ++x) {
                if (row[x] == kTransparentKey) continue;
                auto found = palette.find(row[x]);
                if (found == palette.end())
                    fail(rowWhere, std::string("no colour for '") + row[x] + "' in column " +
                                       std::to_string(x + 1));
                def.image.set(static_cast<int>(x), static_cast<int>(y), found->second);
            }
        }
        defs.push_back(def);
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
