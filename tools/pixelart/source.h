#pragma once
// Pictures drawn as text: colour lines give one-character keys their colours, and
// blocks of rows of keys are the pictures.
//   colour KEY R G B [name]   a colour, for the rest of the file
//   KEYWORD NAME              followed by rows of keys down to a blank line; '.' is
//                             always see-through and "#" lines are comments
//   KEYWORD NAME WORDS...     a block without rows, for the tool to read the words
#include "pixelart/image.h"

#include <map>
#include <stdexcept>
#include <string>
#include <vector>

namespace pixelart {

// Every mistake in a source names the file and line, so an artist can fix it directly.
struct SourceError : std::runtime_error {
    using std::runtime_error::runtime_error;
};

// The one key that always means "no pixel here".
inline constexpr char kTransparentKey = '.';

using Palette = std::map<char, Rgb>;

// A file of colour lines, blank lines and "#" comments.
Palette parsePalette(const std::string& text, const std::string& origin);

struct PictureBlock {
    std::string name;
    std::string where;             // "file:line" of the header, for messages
    std::vector<std::string> more; // the header's words after the name
    Image image;                   // the rows, when there are no more words
};

// The blocks whose headers start with `keyword`. The text's own colour lines add to
// `shared` for this text only.
std::vector<PictureBlock> parseBlocks(const std::string& text, const std::string& origin,
                                      const std::string& keyword, const Palette& shared);

// A whole file as it is; throws std::runtime_error when it cannot be read.
std::string readText(const std::string& path);

} // namespace pixelart
