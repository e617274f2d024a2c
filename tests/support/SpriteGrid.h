// Builds bound sprites for the drawing tests from a grid of cells, and draws
// them again the slow way: pixel by pixel, channel by channel, from the
// layout's widths and shifts, with no masks, tables or packed arithmetic.
#ifndef TESTS_SUPPORT_SPRITE_GRID_H
#define TESTS_SUPPORT_SPRITE_GRID_H

#include <algorithm>
#include <cstdint>
#include <vector>

#include <Vantrel/Canvas.h>
#include <Vantrel/Pixel.h>
#include <Vantrel/RLSprite.h>
#include <Vantrel/RLSpriteDraw.h>
#include <Vantrel/Random.h>
#include <Vantrel/Rect.h>

struct SpriteCell {
    enum Kind : uint8_t { kClear, kRun, kEdge } kind = kClear;
    Pixel16 colour = 0;  // in the active layout
    uint16_t level = 0;
};

// A w x h grid, hot spot (hotX, hotY) in grid coordinates, bounds relative to
// the hot spot grown by pad pixels on every side (the pixels stay inside).
struct SpriteGrid {
    int32_t w = 0, h = 0, hotX = 0, hotY = 0, pad = 0;
    std::vector<SpriteCell> cells;
    std::vector<uint32_t> runWords, edgeWords;
    RLSprite sprite;

    SpriteCell& At(int32_t x, int32_t y) { return cells[static_cast<size_t>(y) * w + x]; }
    const SpriteCell& At(int32_t x, int32_t y) const {
        return cells[static_cast<size_t>(y) * w + x];
    }

    // Lays the grid out as a bound sprite at pitch: runs in scan order, each
    // start as a delta from the previous start, pixels two to a word; then
    // records the pitch and derives the drawing index as BindRLSprite does.
    void Bind(int32_t pitch) { LayOut(pitch); }

    // Lays the grid out unbound, as the encoder makes it and a file holds it:
    // x, y pairs (the pixels stay in the active layout), no pitch, no index.
    void LayOutUnbound() { LayOut(0); }

private:
    // Bound to pitch, or unbound for pitch 0.
    void LayOut(int32_t pitch) {
        auto place = [pitch](int32_t x, int32_t y) {
            return pitch != 0 ? static_cast<uint32_t>(x + y * pitch)
                              : PackXY(static_cast<int16_t>(x), static_cast<int16_t>(y));
        };
        runWords.clear();
        edgeWords.clear();
        int32_t previousX = 0, previousY = 0;
        for (int32_t y = 0; y < h; ++y) {
            for (int32_t x = 0; x < w;) {
                if (At(x, y).kind != SpriteCell::kRun) {
                    ++x;
                    continue;
                }
                int32_t end = x;
                while (end < w && At(end, y).kind == SpriteCell::kRun) ++end;
                runWords.push_back(place(x - previousX, y - previousY));
                runWords.push_back(static_cast<uint32_t>(end - x));
                previousX = x;
                previousY = y;
                for (int32_t i = x; i < end; i += 2) {
                    uint32_t word = At(i, y).colour;
                    if (i + 1 < end) word |= static_cast<uint32_t>(At(i + 1, y).colour) << 16;
                    runWords.push_back(word);
                }
                x = end;
            }
        }
        for (int32_t y = 0; y < h; ++y)
            for (int32_t x = 0; x < w; ++x)
                if (At(x, y).kind == SpriteCell::kEdge) {
                    edgeWords.push_back(place(x, y));
                    edgeWords.push_back(At(x, y).level |
                                        (static_cast<uint32_t>(At(x, y).colour) << 16));
                }
        sprite = RLSprite{};
        sprite.runWordCount = static_cast<int32_t>(runWords.size());
        sprite.edgeWordCount = static_cast<int32_t>(edgeWords.size());
        sprite.runData = runWords.data();
        sprite.edgeData = edgeWords.empty() ? nullptr : edgeWords.data();
        sprite.hotSpot = place(hotX, hotY);
        sprite.bounds = Rect{-hotX - pad, -hotY - pad, w - 1 - hotX + pad, h - 1 - hotY + pad};
        if (pitch == 0) return;
        // As BindRLSprite leaves a sprite: its pitch and drawing index.
        sprite.boundPitch = pitch;
        IndexRLSprite(sprite);
    }
};

// A random grid: about 60 % run pixels, some edge records, in the active
// layout (random 565 colours taken into it). With a stretch above 1 the kinds
// come in stretches of 1 to stretch pixels, so runs grow long.
inline SpriteGrid RandomGrid(uint32_t& state, int32_t w, int32_t h, int32_t stretch = 1) {
    auto next = [&state] {
        state = state * 1664525u + 1013904223u;
        return state >> 8;
    };
    SpriteGrid g;
    g.w = w;
    g.h = h;
    g.hotX = static_cast<int32_t>(next() % w);
    g.hotY = static_cast<int32_t>(next() % h);
    g.pad = static_cast<int32_t>(next() % 3);
    g.cells.resize(static_cast<size_t>(w) * h);
    uint32_t roll = 0;
    int32_t left = 0;  // cells still to take the current roll
    for (auto& c : g.cells) {
        if (left == 0) {
            roll = next() % 10;
            left = stretch > 1 ? 1 + static_cast<int32_t>(next() % stretch) : 1;
        }
        --left;
        c.colour = ConvertFrom565(static_cast<Pixel16>(next()));
        if (roll < 6) c.kind = SpriteCell::kRun;
        if (roll == 6) {
            c.kind = SpriteCell::kEdge;
            c.level = static_cast<uint16_t>(1 + next() % 4);
        }
    }
    return g;
}

// The slow drawer. Channels are described by width and shift only.
struct ReferenceDrawer {
    struct Channel {
        int shift, bits;
    };
    Channel channels[3];
    int32_t pitch;  // surface pixels per row
    int32_t height;

    static ReferenceDrawer ForActiveLayout(int32_t pitch, int32_t height) {
        return ReferenceDrawer{{{PixelMode.redShift, PixelMode.redBits},
                                {PixelMode.greenShift, PixelMode.greenBits},
                                {PixelMode.blueShift, PixelMode.blueBits}},
                               pitch,
                               height};
    }

    uint32_t Get(uint32_t p, const Channel& c) const { return (p >> c.shift) % (1u << c.bits); }

    template <class PerChannel>
    uint32_t Map(uint32_t b, PerChannel f) const {
        uint32_t out = 0;
        for (const Channel& c : channels) out += f(Get(b, c), c) << c.shift;
        return out;
    }

    Pixel16 Edge(Pixel16 colour, uint16_t level, Pixel16 b) const {
        const int divisor = level == 1 ? 4 : level == 2 ? 2 : level == 3 ? 4 : 8;
        uint32_t share = Map(b, [&](uint32_t v, const Channel&) {
            return level == 1 ? v - v / 4 : v / static_cast<uint32_t>(divisor);
        });
        return static_cast<Pixel16>(colour + share);
    }
    Pixel16 Translucent(Pixel16 s, Pixel16 b) const {
        return static_cast<Pixel16>(
            Map(b, [&](uint32_t v, const Channel& c) { return v - v / 4 + Get(s, c) / 4; }));
    }
    Pixel16 Additive(Pixel16 s, Pixel16 b) const {
        return static_cast<Pixel16>(Map(b, [&](uint32_t v, const Channel& c) {
            return std::min(v + Get(s, c), (1u << c.bits) - 1);
        }));
    }

    enum Mode { kPlain, kHoles, kTranslucent, kAdditive };

    // Draws grid with its hot spot at (x, y) into surface (pixel (0, 0) of
    // pitch x height pixels), only inside clip.
    void Draw(std::vector<Pixel16>& surface, const SpriteGrid& g, int32_t x, int32_t y,
              const Rect& clip, Mode mode) const {
        Draw(surface.data(), g, x, y, clip, mode);
    }
    void Draw(Pixel16* surface, const SpriteGrid& g, int32_t x, int32_t y, const Rect& clip,
              Mode mode) const {
        const int32_t left = x - g.hotX, top = y - g.hotY;
        auto visible = [&](int32_t sx, int32_t sy) {
            return sx >= clip.left && sx <= clip.right && sy >= clip.top && sy <= clip.bottom &&
                   sx >= 0 && sx < pitch && sy >= 0 && sy < height;
        };
        auto pixel = [&](int32_t sx, int32_t sy) -> Pixel16& {
            return surface[static_cast<size_t>(sy) * pitch + sx];
        };
        for (int32_t gy = 0; gy < g.h; ++gy) {
            for (int32_t gx = 0; gx < g.w;) {
                if (g.At(gx, gy).kind != SpriteCell::kRun) {
                    ++gx;
                    continue;
                }
                int32_t end = gx;
                while (end < g.w && g.At(end, gy).kind == SpriteCell::kRun) ++end;
                std::vector<int32_t> span;  // the visible columns of this run
                for (int32_t i = gx; i < end; ++i)
                    if (visible(left + i, top + gy)) span.push_back(i);
                std::vector<int32_t> holes;
                if (mode == kHoles && !span.empty()) {
                    const int32_t m = static_cast<int32_t>(span.size());
                    const int32_t k = std::clamp(m / 4, 1, 16);
                    for (int32_t j = 0; j < k; ++j)
                        holes.push_back(span[RandomBelow(static_cast<uint32_t>(m))]);
                }
                for (int32_t i : span) {
                    if (std::find(holes.begin(), holes.end(), i) != holes.end()) continue;
                    Pixel16& d = pixel(left + i, top + gy);
                    const Pixel16 s = g.At(i, gy).colour;
                    d = mode == kTranslucent ? Translucent(s, d)
                        : mode == kAdditive  ? Additive(s, d)
                                             : s;
                }
                gx = end;
            }
        }
        if (mode == kTranslucent || mode == kAdditive) return;
        for (int32_t gy = 0; gy < g.h; ++gy)
            for (int32_t gx = 0; gx < g.w; ++gx)
                if (g.At(gx, gy).kind == SpriteCell::kEdge && visible(left + gx, top + gy)) {
                    Pixel16& d = pixel(left + gx, top + gy);
                    d = Edge(g.At(gx, gy).colour, g.At(gx, gy).level, d);
                }
    }
};

// The draws the reference stands for: the classic call of each mode, and the
// canvas mode of the same name.
inline Rect* ClassicDraw(Pixel16* surface, int32_t x, int32_t y, const RLSprite* sprite,
                         ReferenceDrawer::Mode mode) {
    if (mode == ReferenceDrawer::kTranslucent || mode == ReferenceDrawer::kAdditive)
        return DrawRLSpriteBlend(surface, x, y, sprite, mode == ReferenceDrawer::kAdditive);
    return DrawRLSprite(surface, x, y, sprite, mode == ReferenceDrawer::kHoles);
}

inline vantrel::DrawMode CanvasMode(ReferenceDrawer::Mode mode) {
    switch (mode) {
        case ReferenceDrawer::kHoles:
            return vantrel::DrawMode::Holes;
        case ReferenceDrawer::kTranslucent:
            return vantrel::DrawMode::Translucent;
        case ReferenceDrawer::kAdditive:
            return vantrel::DrawMode::Additive;
        default:
            return vantrel::DrawMode::Opaque;
    }
}

constexpr ReferenceDrawer::Mode kEveryMode[] = {ReferenceDrawer::kPlain, ReferenceDrawer::kHoles,
                                                ReferenceDrawer::kTranslucent,
                                                ReferenceDrawer::kAdditive};

#endif
