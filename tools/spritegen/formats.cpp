#include "spritegen.h"

#include <algorithm>

namespace spritegen {
namespace {

void put16(std::vector<std::uint8_t>& out, std::uint32_t v) {
    out.push_back(v & 0xff);
    out.push_back((v >> 8) & 0xff);
}
void put32(std::vector<std::uint8_t>& out, std::uint32_t v) {
    put16(out, v & 0xffff);
    put16(out, v >> 16);
}
void put32be(std::vector<std::uint8_t>& out, std::uint32_t v) {
    for (int shift = 24; shift >= 0; shift -= 8)
        out.push_back((v >> shift) & 0xff);
}

std::uint32_t get16(const std::vector<std::uint8_t>& in, std::size_t at) {
    if (at + 2 > in.size()) throw std::runtime_error("BMP is cut short");
    return in[at] | (in[at + 1] << 8);
}
std::uint32_t get32(const std::vector<std::uint8_t>& in, std::size_t at) {
    return get16(in, at) | (get16(in, at + 2) << 16);
}

void chunk(std::vector<std::uint8_t>& out, const char* type,
           const std::vector<std::uint8_t>& data) {
    put32be(out, static_cast<std::uint32_t>(data.size()));
    std::size_t start = out.size();
    out.insert(out.end(), type, type + 4);
    out.insert(out.end(), data.begin(), data.end());
    put32be(out, crc32(out.data() + start, out.size() - start));
}

} // namespace

std::vector<std::uint8_t> encodeBmp(const Image& image) {
    const std::uint32_t rowBytes = (image.width * 3 + 3) & ~3u;
    const std::uint32_t dataBytes = rowBytes * image.height;
    std::vector<std::uint8_t> out;
    out.reserve(54 + dataBytes);
    out.push_back('B');
    out.push_back('M');
    put32(out, 54 + dataBytes);
    put32(out, 0);
    put32(out, 54);
    put32(out, 40); // BITMAPINFOHEADER
    put32(out, image.width);
    put32(out, image.height); // positive: bottom row first
    put16(out, 1);
    put16(out, 24);
    put32(out, 0); // BI_RGB
    put32(out, dataBytes);
    put32(out, 2835); // 72 dpi, for tools that care
    put32(out, 2835);
    put32(out, 0);
    put32(out, 0);
    for (int y = image.height - 1; y >= 0; --y) {
        for (int x = 0; x < image.width; ++x) {
            Rgb c = image.at(x, y);
            out.push_back(c.b);
            out.push_back(c.g);
            out.push_back(c.r);
        }
        for (std::uint32_t pad = image.width * 3; pad < rowBytes; ++pad)
            out.push_back(0);
    }
    return out;
}

Image decodeBmp(const std::vector<std::uint8_t>& in) {
    if (in.size() < 54 || in[0] != 'B' || in[1] != 'M') throw std::runtime_error("not a BMP");
    const std::uint32_t offset = get32(in, 10);
    const std::uint32_t header = get32(in, 14);
    const int width = static_cast<int>(get32(in, 18));
    const int rawHeight = static_cast<int>(get32(in, 22));
    const int bits = static_cast<int>(get16(in, 28));
    const std::uint32_t compression = get32(in, 30);
    if (width <= 0 || rawHeight == 0 || width > 8192 || rawHeight > 8192 || rawHeight < -8192)
        throw std::runtime_error("BMP has an unreasonable size");
    // 32-bit files may say BI_BITFIELDS; the game's writers use the usual BGRA order.
    if (compression != 0 && !(bits == 32 && compression == 3))
        throw std::runtime_error("compressed BMPs are not read");
    if (bits != 8 && bits != 24 && bits != 32)
        throw std::runtime_error("BMP depth " + std::to_string(bits) + " is not read");
    const bool bottomUp = rawHeight > 0;
    const int height = bottomUp ? rawHeight : -rawHeight;
    std::vector<Rgb> colours;
    if (bits == 8) {
        std::uint32_t count = get32(in, 46);
        if (count == 0) count = 256;
        for (std::uint32_t i = 0; i < count; ++i) {
            std::size_t at = 14 + header + 4 * i;
            if (at + 3 > in.size()) throw std::runtime_error("BMP palette is cut short");
            colours.push_back({in[at + 2], in[at + 1], in[at]});
        }
    }
    const std::size_t rowBytes = (static_cast<std::size_t>(width) * bits / 8 + 3) & ~std::size_t(3);
    if (offset + rowBytes * height > in.size()) throw std::runtime_error("BMP is cut short");
    Image image(width, height);
    for (int row = 0; row < height; ++row) {
        const std::uint8_t* p = in.data() + offset + rowBytes * row;
        int y = bottomUp ? height - 1 - row : row;
        for (int x = 0; x < width; ++x) {
            if (bits == 8) {
                if (p[x] >= colours.size()) throw std::runtime_error("BMP index out of palette");
                image.set(x, y, colours[p[x]]);
            } else {
                const std::uint8_t* q = p + x * (bits / 8);
                image.set(x, y, {q[2], q[1], q[0]});
            }
        }
    }
    return image;
}

std::uint32_t crc32(const std::uint8_t* data, std::size_t size) {
    std::uint32_t crc = 0xffffffffu;
    for (std::size_t i = 0; i < size; ++i) {
        crc ^= data[i];
        for (int k = 0; k < 8; ++k)
            crc = (crc >> 1) ^ (0xedb88320u & (0u - (crc & 1u)));
    }
    return crc ^ 0xffffffffu;
}

// A PNG whose pixel data is stored in uncompressed deflate blocks: larger than it could
// be, but the contact sheet and the icons are small build products and need no zlib.
std::vector<std::uint8_t> encodePng(const Image& image, bool keyedAlpha) {
    const int channels = keyedAlpha ? 4 : 3;
    std::vector<std::uint8_t> raw;
    raw.reserve((image.width * channels + 1) * image.height);
    for (int y = 0; y < image.height; ++y) {
        raw.push_back(0); // no filter
        for (int x = 0; x < image.width; ++x) {
            Rgb c = image.at(x, y);
            if (!keyedAlpha)
                raw.insert(raw.end(), {c.r, c.g, c.b});
            else if (c == kTransparent)
                raw.insert(raw.end(), {0, 0, 0, 0});
            else
                raw.insert(raw.end(), {c.r, c.g, c.b, 255});
        }
    }
    std::vector<std::uint8_t> z{0x78, 0x01};
    std::uint32_t a = 1, b = 0;
    for (std::uint8_t v : raw) {
        a = (a + v) % 65521;
        b = (b + a) % 65521;
    }
    std::size_t at = 0;
    do {
        std::size_t n = std::min<std::size_t>(65535, raw.size() - at);
        z.push_back(at + n == raw.size() ? 1 : 0);
        put16(z, static_cast<std::uint32_t>(n));
        put16(z, static_cast<std::uint32_t>(~n & 0xffff));
        z.insert(z.end(), raw.begin() + at, raw.begin() + at + n);
        at += n;
    } while (at < raw.size());
    put32be(z, (b << 16) | a);

    std::vector<std::uint8_t> out{0x89, 'P', 'N', 'G', '\r', '\n', 0x1a, '\n'};
    std::vector<std::uint8_t> ihdr;
    put32be(ihdr, image.width);
    put32be(ihdr, image.height);
    const std::uint8_t colourType = keyedAlpha ? 6 : 2; // 8-bit RGBA or RGB
    ihdr.insert(ihdr.end(), {8, colourType, 0, 0, 0});
    chunk(out, "IHDR", ihdr);
    chunk(out, "IDAT", z);
    chunk(out, "IEND", {});
    return out;
}

} // namespace spritegen
