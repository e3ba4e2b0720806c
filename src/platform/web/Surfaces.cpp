// The page's SDL surfaces. Emscripten's SDL keeps each surface as a 32-bit canvas, so
// the 16-bit back buffer, the colour keys and the tint tables the game is written for
// would all turn into something else there. Here surfaces are plain memory in the
// formats SDL 1.2 gives them, and the calls the game makes behave as the desktop's:
// 565 for 16 bits, 4-byte rows, colour keys compared on the stored pixel, colours
// packed by truncating and read back by widening as SDL does, palettes matched to
// the nearest colour. Everything else (events, time, files) stays emscripten's.
#include <SDL/SDL.h>
#include <algorithm>
#include <cstdlib>
#include <cstring>

namespace {

struct WebSurface {
    SDL_Surface surface; // first, so that the game's pointer is this one's
    SDL_PixelFormat format;
    SDL_Palette palette;
    SDL_Color colours[256];
    bool keyed;
    Uint32 key;
};

WebSurface& web(SDL_Surface* surface) { return *reinterpret_cast<WebSurface*>(surface); }

int lowestBit(Uint32 mask) { return mask ? __builtin_ctz(mask) : 0; }
int bitCount(Uint32 mask) { return __builtin_popcount(mask); }

// SDL 1.2's masks for a depth given none: 5-6-5 at 16 bits, 8-8-8 at 24 and 32.
void defaultMasks(int depth, Uint32& r, Uint32& g, Uint32& b) {
    if (depth == 16) {
        r = 0xF800, g = 0x07E0, b = 0x001F;
    } else if (depth > 16) {
        r = 0xFF0000, g = 0x00FF00, b = 0x0000FF;
    }
}

void setMasks(SDL_PixelFormat& f, Uint32 r, Uint32 g, Uint32 b, Uint32 a) {
    f.Rmask = r, f.Gmask = g, f.Bmask = b, f.Amask = a;
    f.Rshift = static_cast<Uint8>(lowestBit(r));
    f.Gshift = static_cast<Uint8>(lowestBit(g));
    f.Bshift = static_cast<Uint8>(lowestBit(b));
    f.Ashift = static_cast<Uint8>(lowestBit(a));
    f.Rloss = static_cast<Uint8>(8 - bitCount(r));
    f.Gloss = static_cast<Uint8>(8 - bitCount(g));
    f.Bloss = static_cast<Uint8>(8 - bitCount(b));
    f.Aloss = static_cast<Uint8>(8 - bitCount(a));
}

void initFormat(WebSurface& s, int depth, Uint32 r, Uint32 g, Uint32 b, Uint32 a) {
    SDL_PixelFormat& f = s.format;
    f.BitsPerPixel = static_cast<Uint8>(depth);
    f.BytesPerPixel = static_cast<Uint8>((depth + 7) / 8);
    if (depth <= 8) {
        s.palette.ncolors = 1 << depth;
        s.palette.colors = s.colours;
        f.palette = &s.palette;
        return;
    }
    if (!r && !g && !b) defaultMasks(depth, r, g, b);
    setMasks(f, r, g, b, a);
}

// Widened as the desktop's SDL reads a channel back: v x 255 / the channel's largest.
Uint8 widen(Uint32 pixel, Uint32 mask, int shift) {
    const Uint32 largest = mask >> shift;
    return static_cast<Uint8>(largest ? ((pixel & mask) >> shift) * 255 / largest : 0);
}

// The first palette entry nearest to the colour, as SDL_MapRGB finds it.
Uint8 nearestEntry(const SDL_Palette& palette, Uint8 r, Uint8 g, Uint8 b) {
    unsigned smallest = ~0u;
    Uint8 nearest = 0;
    for (int i = 0; i < palette.ncolors && smallest != 0; ++i) {
        const SDL_Color& c = palette.colors[i];
        const int dr = c.r - r, dg = c.g - g, db = c.b - b;
        const unsigned distance = static_cast<unsigned>(dr * dr + dg * dg + db * db);
        if (distance < smallest) smallest = distance, nearest = static_cast<Uint8>(i);
    }
    return nearest;
}

Uint8* pixelAt(SDL_Surface* s, int x, int y) {
    return static_cast<Uint8*>(s->pixels) + y * s->pitch + x * s->format->BytesPerPixel;
}

Uint32 readPixel(const Uint8* p, int bytes) {
    switch (bytes) {
    case 1:
        return *p;
    case 2:
        return *reinterpret_cast<const Uint16*>(p);
    case 3:
        return p[0] | p[1] << 8 | p[2] << 16;
    default:
        return *reinterpret_cast<const Uint32*>(p);
    }
}

void writePixel(Uint8* p, int bytes, Uint32 value) {
    switch (bytes) {
    case 1:
        *p = static_cast<Uint8>(value);
        break;
    case 2:
        *reinterpret_cast<Uint16*>(p) = static_cast<Uint16>(value);
        break;
    case 3:
        p[0] = static_cast<Uint8>(value), p[1] = static_cast<Uint8>(value >> 8);
        p[2] = static_cast<Uint8>(value >> 16);
        break;
    default:
        *reinterpret_cast<Uint32*>(p) = value;
    }
}

bool sameFormat(const SDL_PixelFormat* a, const SDL_PixelFormat* b) {
    return a->BitsPerPixel == b->BitsPerPixel && a->Rmask == b->Rmask && a->Gmask == b->Gmask &&
           a->Bmask == b->Bmask && !a->palette && !b->palette;
}

// A source pixel as the target stores it: palettes through their colours, other
// formats through 8-bit red, green and blue.
Uint32 converted(Uint32 pixel, const SDL_PixelFormat* from, const SDL_PixelFormat* to) {
    Uint8 r, g, b;
    SDL_GetRGB(pixel, from, &r, &g, &b);
    return SDL_MapRGB(to, r, g, b);
}

void copyRows(SDL_Surface* src, const SDL_Rect& from, SDL_Surface* dst, const SDL_Rect& to) {
    const size_t rowBytes = static_cast<size_t>(from.w * src->format->BytesPerPixel);
    for (int y = 0; y < from.h; ++y)
        std::memcpy(pixelAt(dst, to.x, to.y + y), pixelAt(src, from.x, from.y + y), rowBytes);
}

// Pixel by pixel: a keyed source skips its key, a different format is converted.
void copyPixels(SDL_Surface* src, const SDL_Rect& from, SDL_Surface* dst, const SDL_Rect& to,
                bool useKey) {
    const WebSurface& s = web(src);
    const int inBytes = src->format->BytesPerPixel, outBytes = dst->format->BytesPerPixel;
    const bool convert = !sameFormat(src->format, dst->format);
    for (int y = 0; y < from.h; ++y) {
        const Uint8* in = pixelAt(src, from.x, from.y + y);
        Uint8* out = pixelAt(dst, to.x, to.y + y);
        for (int x = 0; x < from.w; ++x, in += inBytes, out += outBytes) {
            Uint32 pixel = readPixel(in, inBytes);
            if (useKey && pixel == s.key) continue;
            writePixel(out, outBytes, convert ? converted(pixel, src->format, dst->format) : pixel);
        }
    }
}

void lowerBlit(SDL_Surface* src, const SDL_Rect& from, SDL_Surface* dst, const SDL_Rect& to,
               bool useKey) {
    if (!useKey && sameFormat(src->format, dst->format))
        copyRows(src, from, dst, to);
    else
        copyPixels(src, from, dst, to, useKey);
}

// Cuts the source rectangle to the source and the target's clip rectangle, moving the
// target corner along, as SDL_UpperBlit does. False when nothing is left.
bool clipBlit(SDL_Surface* src, const SDL_Rect* srcrect, SDL_Surface* dst, SDL_Rect& to,
              SDL_Rect& from) {
    from = srcrect ? *srcrect : SDL_Rect{0, 0, src->w, src->h};
    if (srcrect) {
        if (from.x < 0) from.w += from.x, to.x -= from.x, from.x = 0;
        if (from.y < 0) from.h += from.y, to.y -= from.y, from.y = 0;
        from.w = std::min(from.w, src->w - from.x);
        from.h = std::min(from.h, src->h - from.y);
    }
    const SDL_Rect& clip = dst->clip_rect;
    int d = clip.x - to.x;
    if (d > 0) from.w -= d, to.x += d, from.x += d;
    d = to.x + from.w - clip.x - clip.w;
    if (d > 0) from.w -= d;
    d = clip.y - to.y;
    if (d > 0) from.h -= d, to.y += d, from.y += d;
    d = to.y + from.h - clip.y - clip.h;
    if (d > 0) from.h -= d;
    to.w = std::max(from.w, 0);
    to.h = std::max(from.h, 0);
    return from.w > 0 && from.h > 0;
}

} // namespace

extern "C" {

SDL_Surface* SDL_CreateRGBSurface(Uint32 flags, int width, int height, int depth, Uint32 Rmask,
                                  Uint32 Gmask, Uint32 Bmask, Uint32 Amask) {
    if (width < 0 || height < 0 || depth < 1 || depth > 32) return nullptr;
    WebSurface* s = static_cast<WebSurface*>(std::calloc(1, sizeof(WebSurface)));
    if (!s) return nullptr;
    initFormat(*s, depth, Rmask, Gmask, Bmask, Amask);
    SDL_Surface& surface = s->surface;
    surface.flags = flags & ~SDL_SRCCOLORKEY;
    surface.format = &s->format;
    surface.w = width;
    surface.h = height;
    surface.pitch = (width * s->format.BytesPerPixel + 3) & ~3;
    surface.clip_rect = {0, 0, width, height};
    surface.refcount = 1;
    surface.pixels = std::calloc(static_cast<size_t>(surface.pitch * height) + 1, 1);
    if (!surface.pixels) {
        std::free(s);
        return nullptr;
    }
    return &surface;
}

void SDL_FreeSurface(SDL_Surface* surface) {
    if (!surface || --surface->refcount > 0) return;
    std::free(surface->pixels);
    std::free(&web(surface));
}

// The memory is the surface's own and always there.
int SDL_LockSurface(SDL_Surface*) { return 0; }
void SDL_UnlockSurface(SDL_Surface*) {}

Uint32 SDL_MapRGB(const SDL_PixelFormat* f, Uint8 r, Uint8 g, Uint8 b) {
    if (f->palette) return nearestEntry(*f->palette, r, g, b);
    return static_cast<Uint32>((r >> f->Rloss) << f->Rshift | (g >> f->Gloss) << f->Gshift |
                               (b >> f->Bloss) << f->Bshift) |
           f->Amask;
}

void SDL_GetRGB(Uint32 pixel, const SDL_PixelFormat* f, Uint8* r, Uint8* g, Uint8* b) {
    if (f->palette) {
        const SDL_Color& c = f->palette->colors[pixel % static_cast<Uint32>(f->palette->ncolors)];
        *r = c.r, *g = c.g, *b = c.b;
        return;
    }
    *r = widen(pixel, f->Rmask, f->Rshift);
    *g = widen(pixel, f->Gmask, f->Gshift);
    *b = widen(pixel, f->Bmask, f->Bshift);
}

int SDL_SetColorKey(SDL_Surface* surface, int flag, Uint32 key) {
    if (!surface) return -1;
    WebSurface& s = web(surface);
    s.keyed = (flag & SDL_SRCCOLORKEY) != 0;
    s.key = key;
    surface->flags = s.keyed ? surface->flags | SDL_SRCCOLORKEY : surface->flags & ~SDL_SRCCOLORKEY;
    return 0;
}

int SDL_FillRect(SDL_Surface* dst, const SDL_Rect* rect, Uint32 color) {
    const SDL_Rect& clip = dst->clip_rect;
    SDL_Rect area = rect ? *rect : clip;
    const int left = std::max(area.x, clip.x), top = std::max(area.y, clip.y);
    const int right = std::min(area.x + area.w, clip.x + clip.w);
    const int bottom = std::min(area.y + area.h, clip.y + clip.h);
    const int bytes = dst->format->BytesPerPixel;
    for (int y = top; y < bottom; ++y) {
        if (bytes == 2 && right > left) { // every frame starts with one of these
            Uint16* row = reinterpret_cast<Uint16*>(pixelAt(dst, left, y));
            std::fill(row, row + (right - left), static_cast<Uint16>(color));
            continue;
        }
        for (int x = left; x < right; ++x)
            writePixel(pixelAt(dst, x, y), bytes, color);
    }
    return 0;
}

int SDL_UpperBlit(SDL_Surface* src, const SDL_Rect* srcrect, SDL_Surface* dst, SDL_Rect* dstrect) {
    if (!src || !dst) return -1;
    SDL_Rect whole{0, 0, dst->w, dst->h};
    SDL_Rect& to = dstrect ? *dstrect : whole;
    SDL_Rect from;
    if (clipBlit(src, srcrect, dst, to, from)) lowerBlit(src, from, dst, to, web(src).keyed);
    return 0;
}

// The copy keeps every pixel, the key's included, and the key itself.
SDL_Surface* SDL_ConvertSurface(SDL_Surface* src, SDL_PixelFormat* f, Uint32 flags) {
    SDL_Surface* copy = SDL_CreateRGBSurface(flags, src->w, src->h, f->BitsPerPixel, f->Rmask,
                                             f->Gmask, f->Bmask, f->Amask);
    if (!copy) return nullptr;
    if (f->palette)
        std::copy(f->palette->colors, f->palette->colors + f->palette->ncolors, web(copy).colours);
    SDL_Rect all{0, 0, src->w, src->h};
    lowerBlit(src, all, copy, all, false);
    if (web(src).keyed)
        SDL_SetColorKey(copy, SDL_SRCCOLORKEY, converted(web(src).key, src->format, copy->format));
    return copy;
}

SDL_Surface* SDL_DisplayFormat(SDL_Surface* surface) {
    SDL_Surface* screen = SDL_GetVideoSurface();
    return screen && surface ? SDL_ConvertSurface(surface, screen->format, 0) : nullptr;
}

} // extern "C"
