#include "pixelart/source.h"

#include <fstream>
#include <iterator>
#include <sstream>
#include <utility>

namespace pixelart {
namespace {

std::vector<std::string> words(const std::string& line) {
    std::istringstream in(line);
    std::vector<std::string> out;
    for (std::string w; in >> w;)
        out.push_back(w);
    return out;
}

bool blank(const std::string& line) { return line.find_first_not_of(" \t\r") == std::string::npos; }

bool skipped(const std::string& line) { return blank(line) || line[0] == '#'; }

std::vector<std::string> linesOf(const std::string& text) {
    std::vector<std::string> lines;
    std::istringstream in(text);
    for (std::string line; std::getline(in, line);) {
        if (!line.empty() && line.back() == '\r') line.pop_back();
        lines.push_back(line);
    }
    return lines;
}

[[noreturn]] void fail(const std::string& where, const std::string& what) {
    throw SourceError(where + ": " + what);
}

std::uint8_t channel(const std::string& word, const std::string& where) {
    std::size_t used = 0;
    int value = -1;
    try {
        value = std::stoi(word, &used);
    } catch (const std::exception&) {}
    if (used != word.size() || value < 0 || value > 255)
        fail(where, "colour channel '" + word + "' is not a number from 0 to 255");
    return static_cast<std::uint8_t>(value);
}

// Adds one "colour KEY R G B [name]" line to the palette.
void addColour(Palette& palette, const std::vector<std::string>& w, const std::string& where) {
    if (w.size() < 5) fail(where, "expected: colour KEY R G B [name]");
    if (w[1].size() != 1) fail(where, "a colour key is one character, not '" + w[1] + "'");
    const char key = w[1][0];
    if (key == kTransparentKey || key == '#')
        fail(where, std::string("'") + key + "' is reserved and cannot be a colour key");
    if (palette.count(key)) fail(where, std::string("colour key '") + key + "' is defined twice");
    const Rgb c{channel(w[2], where), channel(w[3], where), channel(w[4], where)};
    if (c == kTransparent) fail(where, "0 255 0 is the transparent colour; pick another green");
    palette[key] = c;
}

// The rows from `first` to the next blank line; "#" lines among them are comments.
// Returns the index of the line that ends them.
std::size_t readRows(const std::vector<std::string>& lines, std::size_t first,
                     const std::string& origin, const Palette& palette, PictureBlock& block) {
    std::vector<std::pair<std::string, std::size_t>> rows; // with their line numbers
    std::size_t end = first;
    for (; end < lines.size() && !blank(lines[end]); ++end)
        if (lines[end][0] != '#') rows.emplace_back(lines[end], end + 1);
    if (rows.empty()) fail(block.where, "'" + block.name + "' has no rows");
    const std::size_t width = rows[0].first.size();
    block.image = Image(static_cast<int>(width), static_cast<int>(rows.size()));
    for (std::size_t y = 0; y < rows.size(); ++y) {
        const auto& [row, number] = rows[y];
        const std::string where = origin + ":" + std::to_string(number);
        if (row.size() != width)
            fail(where, "row is " + std::to_string(row.size()) + " wide, the first row " +
                            std::to_string(width));
        for (std::size_t x = 0; x < width; ++x) {
            if (row[x] == kTransparentKey) continue;
            auto found = palette.find(row[x]);
            if (found == palette.end())
                fail(where, std::string("no colour for '") + row[x] + "' in column " +
                                std::to_string(x + 1));
            block.image.set(static_cast<int>(x), static_cast<int>(y), found->second);
        }
    }
    return end;
}

} // namespace

Palette parsePalette(const std::string& text, const std::string& origin) {
    Palette palette;
    const std::vector<std::string> lines = linesOf(text);
    for (std::size_t i = 0; i < lines.size(); ++i) {
        if (skipped(lines[i])) continue;
        const std::string where = origin + ":" + std::to_string(i + 1);
        const auto w = words(lines[i]);
        if (w[0] != "colour") fail(where, "a palette holds only colour lines");
        addColour(palette, w, where);
    }
    return palette;
}

std::vector<PictureBlock> parseBlocks(const std::string& text, const std::string& origin,
                                      const std::string& keyword, const Palette& shared) {
    Palette palette = shared;
    std::vector<PictureBlock> blocks;
    const std::vector<std::string> lines = linesOf(text);
    for (std::size_t i = 0; i < lines.size(); ++i) {
        if (skipped(lines[i])) continue;
        const std::string where = origin + ":" + std::to_string(i + 1);
        const auto w = words(lines[i]);
        if (w[0] == "colour") {
            addColour(palette, w, where);
            continue;
        }
        if (w[0] != keyword || w.size() < 2)
            fail(where, "expected 'colour ...' or '" + keyword + " NAME', got '" + lines[i] + "'");
        PictureBlock block{w[1], where, {w.begin() + 2, w.end()}, {}};
        if (block.more.empty()) i = readRows(lines, i + 1, origin, palette, block);
        blocks.push_back(std::move(block));
    }
    return blocks;
}

std::string readText(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    if (!in) throw std::runtime_error("cannot read " + path);
    return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

} // namespace pixelart
