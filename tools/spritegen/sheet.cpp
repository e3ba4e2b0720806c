#include "spritegen.h"

#include <algorithm>

namespace spritegen {
namespace {

// A 3x5 font, enough for sprite paths.
const char* glyph(char c) {
    static const std::map<char, const char*> font = {{'a', ".#.#.#####.##.#"},
                                                     {'b', "##.#.###.#.###."},
                                                     {'c', ".###..#..#...##"},
                                                     {'d', "##.#.##.##.###."},
                                                     {'e', "####..##.#..###"},
                                                     {'f', "####..##.#..#.."},
                                                     {'g', ".###..#.##.#.##"},
                                                     {'h', "#..#..###"
                                                           "#.##.#"},
                                                     {'i', "###.#..#..#.###"},
                                                     {'j', "..#..#..##.#.#."},
                                                     {'k', "#.##.###.#.##.#"},
                                                     {'l', "#..#..#..#..###"},
                                                     {'m', "#.########.##.#"},
                                                     {'n', "##.#.##.##.##.#"},
                                                     {'o', ".#.#.##.##.#.#."},
                                                     {'p', "##.#.###.#..#.."},
                                                     {'q', ".#.#.##.##.#.##"},
                                                     {'r', "##.#.###.#.##.#"},
                                                     {'s', ".###...#...###."},
                                                     {'t', "###.#..#..#..#."},
                                                     {'u', "#.##.##.##.####"},
                                                     {'v', "#.##.##.##.#.#."},
                                                     {'w', "#.##.########.#"},
                                                     {'x', "#.##.#.#.#.##.#"},
                                                     {'y', "#.##.#.#..#..#."},
                                                     {'z', "###..#.#.#..###"},
                                                     {'0', "####.##.##.####"},
                                                     {'1', ".#.##..#..#.###"},
                                                     {'2', "##...#.#.#..###"},
                                                     {'3', "##...#.#...###."},
                                                     {'4', "#.##.####..#..#"},
                                                     {'5', "####..##...###."},
                                                     {'6', ".###..##.#.#.#."},
                                                     {'7', "###..#.#..#..#."},
                                                     {'8', ".#.#.#.#.#.#.#."},
                                                     {'9', ".#.#.#.##..###."},
                                                     {'/', "..#..#.#..#.#.."},
                                                     {'-', "......###......"},
                                                     {'.', "............#.."},
                                                     {'_', "............###"},
                                                     {' ', "..............."}};
    auto it = font.find(static_cast<char>(std::tolower(static_cast<unsigned char>(c))));
    return it == font.end() ? "###.#.#.#.#.###" : it->second;
}

constexpr int kTextScale = 2;
constexpr int kCharAdvance = 4 * kTextScale;
constexpr int kLineHeight = 6 * kTextScale;
constexpr int kGap = 10;
constexpr int kSheetWidth = 1280;
constexpr Rgb kSheetBg{36, 40, 48};
constexpr Rgb kCellBg{128, 128, 128};
constexpr Rgb kText{236, 236, 236};

int textWidth(const std::string& s) { return static_cast<int>(s.size()) * kCharAdvance; }

void drawText(Image& sheet, int left, int top, const std::string& s) {
    for (std::size_t i = 0; i < s.size(); ++i) {
        const char* g = glyph(s[i]);
        for (int gy = 0; gy < 5; ++gy)
            for (int gx = 0; gx < 3; ++gx) {
                if (g[gy * 3 + gx] != '#') continue;
                for (int sy = 0; sy < kTextScale; ++sy)
                    for (int sx = 0; sx < kTextScale; ++sx) {
                        sheet.set(left + static_cast<int>(i) * kCharAdvance + gx * kTextScale + sx,
                                  top + gy * kTextScale + sy, kText);
                    }
            }
    }
}

// Transparent pixels show as the grey cell, so each sprite's box and silhouette are visible.
void drawImage(Image& sheet, int left, int top, const Image& image, int scale) {
    Image cell(image.width * scale, image.height * scale, kCellBg);
    pixelart::stamp(cell, pixelart::scaled(image, scale), 0, 0);
    pixelart::stamp(sheet, cell, left, top);
}

struct Cell {
    std::string label;
    const Image* image;
    int scale;
    bool newRow; // first of its folder
};

std::string folderOf(const std::string& path) {
    auto slash = path.rfind('/');
    return slash == std::string::npos ? "" : path.substr(0, slash);
}

} // namespace

Image makeContactSheet(const std::vector<Sprite>& sprites,
                       const std::vector<std::pair<std::string, Image>>& interfaces, int scale) {
    std::vector<Cell> cells;
    std::string folder = "\n";
    for (const auto& s : sprites) {
        cells.push_back({s.path, &s.image, scale, folderOf(s.path) != folder});
        folder = folderOf(s.path);
    }
    for (std::size_t i = 0; i < interfaces.size(); ++i)
        cells.push_back({interfaces[i].first, &interfaces[i].second, 1, i == 0});

    // Each scaled sprite has its 1x self beside it, to judge it at the size players see.
    auto cellSize = [](const Cell& c) {
        int w = c.image->width * c.scale + (c.scale > 1 ? c.image->width + 4 : 0);
        return std::make_pair(std::max(textWidth(c.label), w),
                              kLineHeight + c.image->height * c.scale);
    };
    // Lay out twice: once to measure, once to draw.
    auto layout = [&](Image* sheet) {
        int x = kGap, y = kGap, rowHeight = 0;
        for (const auto& c : cells) {
            auto [w, h] = cellSize(c);
            if (x > kGap && (c.newRow || x + w > kSheetWidth)) {
                x = kGap;
                y += rowHeight + kGap;
                rowHeight = 0;
            }
            if (sheet) {
                drawText(*sheet, x, y, c.label);
                drawImage(*sheet, x, y + kLineHeight, *c.image, c.scale);
                if (c.scale > 1)
                    drawImage(*sheet, x + c.image->width * c.scale + 4, y + kLineHeight, *c.image,
                              1);
            }
            x += w + kGap;
            rowHeight = std::max(rowHeight, h);
        }
        return y + rowHeight + kGap;
    };
    int width = kSheetWidth;
    for (const auto& c : cells)
        width = std::max(width, cellSize(c).first + 2 * kGap);
    Image sheet(width, layout(nullptr), kSheetBg);
    layout(&sheet);
    return sheet;
}

} // namespace spritegen
