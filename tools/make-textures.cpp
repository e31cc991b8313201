// tools/make-textures.cpp
// Draws the game's textures into resources/textures/: the surface textures (floor, wall tiles,
// door panel, goal glow, brushed metal) and the text labels of the menus and the level names.
// Everything is computed (no randomness beyond a fixed hash), so the same compiler and font give
// the same files. Built and run by tools/make-textures.
//
// Images are written top row first; the engine's model loader flips texture coordinates, so a
// label reads upright on any face mapped like the cube's sides (v = 1 at the top).
#include <algorithm>
#include <cmath>
#include <cstdint>
#include <cstdio>
#include <string>
#include <vector>

#define STB_TRUETYPE_IMPLEMENTATION
#include <stb/stb_truetype.h>
#define STB_IMAGE_WRITE_IMPLEMENTATION
#include <stb/stb_image_write.h>

namespace {

// ---- The labels: file name, text, panel style. Add a line here for a new label. ----
enum class Panel { Cool, Warm };
struct Label {
    const char* file;
    const char* text;
    Panel panel;
};
const Label kLabels[] = {
    {"label_title.png", "TOVALIK", Panel::Cool},
    {"label_play.png", "Play", Panel::Cool},
    {"label_continue.png", "Continue", Panel::Cool},
    {"label_levels.png", "Levels", Panel::Cool},
    {"label_reset.png", "Reset progress", Panel::Cool},
    {"label_quit.png", "Quit", Panel::Cool},
    {"label_back.png", "Back", Panel::Cool},
    {"label_locked.png", "Locked", Panel::Cool},
    {"label_ending.png", "Thank you for playing!", Panel::Cool},
    {"label_complete.png", "Level complete", Panel::Cool},
    {"name_level1.png", "1  First Push", Panel::Warm},
    {"name_level2.png", "2  Bank Shot", Panel::Warm},
    {"name_level3.png", "3  Open Sesame", Panel::Warm},
    {"name_level4.png", "4  Domino Run", Panel::Warm},
    {"name_level5.png", "5  Black Magic", Panel::Warm},
    {"name_level6.png", "6  Ghost Zones", Panel::Warm},
    {"name_level7.png", "7  Laser Gate", Panel::Warm},
    {"name_level8.png", "8  All Together", Panel::Warm},
};
constexpr int kLabelWidth = 512, kLabelHeight = 128;

struct Color {
    float r, g, b;
};
Color operator*(Color c, float k) { return {c.r * k, c.g * k, c.b * k}; }
Color operator+(Color a, Color b) { return {a.r + b.r, a.g + b.g, a.b + b.b}; }
Color Mix(Color a, Color b, float t) { return a * (1.0f - t) + b * t; }

float Clamp01(float x) { return std::min(1.0f, std::max(0.0f, x)); }
float Smooth(float edge0, float edge1, float x) {
    float t = Clamp01((x - edge0) / (edge1 - edge0));
    return t * t * (3.0f - 2.0f * t);
}

/// A fixed hash of integer coordinates to 0..1: the only "randomness".
float Hash(int x, int y, int seed) {
    uint32_t h = static_cast<uint32_t>(x) * 374761393u + static_cast<uint32_t>(y) * 668265263u +
                 static_cast<uint32_t>(seed) * 2246822519u;
    h = (h ^ (h >> 13)) * 1274126177u;
    h ^= h >> 16;
    return static_cast<float>(h & 0xFFFFFF) / static_cast<float>(0xFFFFFF);
}

/// Smooth value noise that repeats every `period` cells, so textures tile without seams.
float TiledNoise(float x, float y, int period, int seed) {
    int x0 = static_cast<int>(std::floor(x)), y0 = static_cast<int>(std::floor(y));
    float fx = x - x0, fy = y - y0;
    auto at = [&](int i, int j) { return Hash(((i % period) + period) % period, ((j % period) + period) % period, seed); };
    float sx = fx * fx * (3 - 2 * fx), sy = fy * fy * (3 - 2 * fy);
    float top = at(x0, y0) + (at(x0 + 1, y0) - at(x0, y0)) * sx;
    float bottom = at(x0, y0 + 1) + (at(x0 + 1, y0 + 1) - at(x0, y0 + 1)) * sx;
    return top + (bottom - top) * sy;
}

struct Image {
    int width, height;
    std::vector<Color> rgb;
    std::vector<float> alpha;
    Image(int w, int h) : width(w), height(h), rgb(static_cast<size_t>(w) * h, Color{0, 0, 0}), alpha(rgb.size(), 1.0f) {}
    Color& At(int x, int y) { return rgb[static_cast<size_t>(y) * width + x]; }

    bool Write(const std::string& path) const {
        std::vector<unsigned char> bytes(rgb.size() * 4);
        for (size_t i = 0; i < rgb.size(); ++i) {
            bytes[i * 4 + 0] = static_cast<unsigned char>(std::lround(Clamp01(rgb[i].r) * 255.0f));
            bytes[i * 4 + 1] = static_cast<unsigned char>(std::lround(Clamp01(rgb[i].g) * 255.0f));
            bytes[i * 4 + 2] = static_cast<unsigned char>(std::lround(Clamp01(rgb[i].b) * 255.0f));
            bytes[i * 4 + 3] = static_cast<unsigned char>(std::lround(Clamp01(alpha[i]) * 255.0f));
        }
        return stbi_write_png(path.c_str(), width, height, 4, bytes.data(), width * 4) != 0;
    }
};

/// Distance to the border of a rounded rectangle (negative inside); pixel centres are at +0.5.
float RoundedBoxDistance(float px, float py, float x0, float y0, float x1, float y1, float radius) {
    float cx = (x0 + x1) / 2, cy = (y0 + y1) / 2;
    float hx = (x1 - x0) / 2 - radius, hy = (y1 - y0) / 2 - radius;
    float dx = std::fabs(px - cx) - hx, dy = std::fabs(py - cy) - hy;
    float ox = std::max(dx, 0.0f), oy = std::max(dy, 0.0f);
    return std::sqrt(ox * ox + oy * oy) + std::min(std::max(dx, dy), 0.0f) - radius;
}

// ---- Surface textures ----

/// 2 x 2 squares, light grey and white, with thin darker grout along every square's edge.
Image FloorChecker() {
    const int size = 256, half = size / 2;
    Image image(size, size);
    for (int y = 0; y < size; ++y) {
        for (int x = 0; x < size; ++x) {
            bool light = ((x / half) + (y / half)) % 2 == 0;
            Color base = light ? Color{0.93f, 0.93f, 0.94f} : Color{0.66f, 0.67f, 0.70f};
            float grain = TiledNoise(x / 8.0f, y / 8.0f, size / 8, 1) - 0.5f;
            Color c = base * (1.0f + 0.04f * grain);
            // Grout: two pixels wide at each seam (one on each side of the texture's edges).
            int gx = std::min(x % half, half - 1 - x % half), gy = std::min(y % half, half - 1 - y % half);
            int g = std::min(gx, gy);
            if (g == 0) c = Color{0.45f, 0.46f, 0.50f};
            else if (g == 1) c = Mix(c, Color{0.45f, 0.46f, 0.50f}, 0.35f);
            image.At(x, y) = c;
        }
    }
    return image;
}

/// 4 x 4 pale tiles with a cool tint, grout lines and a faint bevel on each tile.
Image WallTiles() {
    const int size = 256, tile = 64;
    Image image(size, size);
    const Color grout{0.44f, 0.50f, 0.58f};
    for (int y = 0; y < size; ++y) {
        for (int x = 0; x < size; ++x) {
            int tx = x / tile, ty = y / tile, lx = x % tile, ly = y % tile;
            float shade = 0.97f + 0.05f * Hash(tx, ty, 2);
            Color c = Color{0.74f, 0.82f, 0.93f} * shade;
            c = c * (1.0f + 0.03f * (TiledNoise(x / 4.0f, y / 4.0f, size / 4, 3) - 0.5f));
            int edge = std::min(std::min(lx, tile - 1 - lx), std::min(ly, tile - 1 - ly));
            if (edge < 2) {
                c = grout;
            } else if (edge < 5) {
                // Light from the top left: brighter top and left rims, darker bottom and right.
                bool lit = (lx < 5 && lx <= ly) || (ly < 5 && ly < lx && ly <= tile - 1 - lx);
                c = c * (lit ? 1.06f : 0.9f);
            }
            image.At(x, y) = c;
        }
    }
    return image;
}

/// Red-orange door leaf: a dark frame at the border, a raised panel in the upper part (where the
/// door model's panel is) and a yellow-black hazard stripe across the lower part.
Image DoorPanel() {
    const int size = 256;
    Image image(size, size);
    const Color frame{0.13f, 0.11f, 0.11f}, leaf{0.88f, 0.34f, 0.12f}, panel{0.95f, 0.42f, 0.16f};
    const Color yellow{0.98f, 0.80f, 0.10f}, black{0.08f, 0.08f, 0.08f};
    // The door model's panel foot: x -0.36..0.36, y -0.12..0.42 -> columns and rows.
    const float px0 = 0.14f * size, px1 = 0.86f * size, py0 = (0.5f - 0.42f) * size, py1 = (0.5f + 0.12f) * size;
    for (int y = 0; y < size; ++y) {
        for (int x = 0; x < size; ++x) {
            float fx = x + 0.5f, fy = y + 0.5f;
            Color c = leaf * (1.0f + 0.05f * (TiledNoise(fx / 16.0f, fy / 3.0f, 16, 4) - 0.5f));
            // The panel: a dark outline, then a lighter face.
            float d = RoundedBoxDistance(fx, fy, px0, py0, px1, py1, 6.0f);
            if (d < 0) c = Mix(c, frame, 1.0f - Smooth(0.0f, 1.5f, -d));
            if (d < -3) c = panel * (1.0f + 0.04f * (TiledNoise(fx / 16.0f, fy / 3.0f, 16, 5) - 0.5f));
            // Hazard stripe: rows 190..230, diagonal bands 20 pixels wide.
            if (fy > 190 && fy < 230 && fx > 22 && fx < size - 22) {
                bool band = static_cast<int>(std::floor((fx + fy) / 20.0f)) % 2 == 0;
                c = band ? yellow : black;
                if (fy < 193 || fy > 227 || fx < 25 || fx > size - 25) c = black;
            }
            // The frame: 16 pixels at the border, a lighter inner rim.
            int edge = std::min(std::min(x, size - 1 - x), std::min(y, size - 1 - y));
            if (edge < 16) c = frame;
            else if (edge < 18) c = Mix(frame, leaf, 0.4f);
            image.At(x, y) = c;
        }
    }
    return image;
}

/// A bright green ring on dark: radius 0.4 of the image (0.8 of its half width), where the goal
/// ring model (mapped from above) has its crest, with a soft halo inside and out.
Image GoalGlow() {
    const int size = 256;
    Image image(size, size);
    for (int y = 0; y < size; ++y) {
        for (int x = 0; x < size; ++x) {
            float dx = (x + 0.5f) / (size / 2.0f) - 1.0f, dy = (y + 0.5f) / (size / 2.0f) - 1.0f;
            float r = std::sqrt(dx * dx + dy * dy);
            float core = std::exp(-std::pow((r - 0.8f) / 0.1f, 2.0f));
            float halo = std::exp(-std::pow((r - 0.8f) / 0.35f, 2.0f));
            float centre = 0.25f * std::exp(-std::pow(r / 0.35f, 2.0f));
            Color c = Color{0.02f, 0.07f, 0.04f} + Color{0.15f, 0.85f, 0.30f} * (0.45f * halo + centre) +
                      Color{0.35f, 1.0f, 0.45f} * core + Color{0.6f, 0.4f, 0.6f} * std::pow(core, 6.0f);
            image.At(x, y) = c;
        }
    }
    return image;
}

/// Brushed light metal: fine streaks along x, every row its own shade; tiles both ways.
Image Metal() {
    const int size = 128;
    Image image(size, size);
    for (int y = 0; y < size; ++y) {
        float row = Hash(0, y, 6) - 0.5f;
        for (int x = 0; x < size; ++x) {
            float streak = TiledNoise(x / 32.0f, static_cast<float>(y), 4, 7) - 0.5f;
            float broad = TiledNoise(x / 64.0f, y / 16.0f, 2, 8) - 0.5f;
            float v = 0.74f + 0.07f * row + 0.05f * streak + 0.04f * broad;
            image.At(x, y) = Color{v, v * 1.01f, v * 1.04f};
        }
    }
    return image;
}

// ---- Labels ----

struct Font {
    std::vector<unsigned char> data;
    stbtt_fontinfo info{};
    bool Load(const char* path) {
        std::FILE* file = std::fopen(path, "rb");
        if (!file) return false;
        for (int c; (c = std::fgetc(file)) != EOF;) data.push_back(static_cast<unsigned char>(c));
        std::fclose(file);
        return stbtt_InitFont(&info, data.data(), stbtt_GetFontOffsetForIndex(data.data(), 0)) != 0;
    }
    /// The pen advance of `text` at `scale`, kerning included.
    float Width(const std::string& text, float scale) const {
        float width = 0;
        for (size_t i = 0; i < text.size(); ++i) {
            int advance, bearing;
            stbtt_GetCodepointHMetrics(&info, static_cast<unsigned char>(text[i]), &advance, &bearing);
            width += advance * scale;
            if (i + 1 < text.size())
                width += stbtt_GetCodepointKernAdvance(&info, static_cast<unsigned char>(text[i]),
                                                       static_cast<unsigned char>(text[i + 1])) * scale;
        }
        return width;
    }
};

/// Coverage (0..1) of `text` drawn at `scale` with its pen starting at (x, baseline).
std::vector<float> TextCoverage(const Font& font, const std::string& text, float scale, float x, float baseline,
                                int width, int height) {
    std::vector<float> coverage(static_cast<size_t>(width) * height, 0.0f);
    float pen = x;
    for (size_t i = 0; i < text.size(); ++i) {
        int code = static_cast<unsigned char>(text[i]);
        float shiftX = pen - std::floor(pen);
        int x0, y0, x1, y1;
        stbtt_GetCodepointBitmapBoxSubpixel(&font.info, code, scale, scale, shiftX, 0, &x0, &y0, &x1, &y1);
        int w = x1 - x0, h = y1 - y0;
        if (w > 0 && h > 0) {
            std::vector<unsigned char> glyph(static_cast<size_t>(w) * h);
            stbtt_MakeCodepointBitmapSubpixel(&font.info, glyph.data(), w, h, w, scale, scale, shiftX, 0, code);
            int left = static_cast<int>(std::floor(pen)) + x0, top = static_cast<int>(std::lround(baseline)) + y0;
            for (int gy = 0; gy < h; ++gy) {
                for (int gx = 0; gx < w; ++gx) {
                    int px = left + gx, py = top + gy;
                    if (px < 0 || py < 0 || px >= width || py >= height) continue;
                    float& c = coverage[static_cast<size_t>(py) * width + px];
                    c = std::min(1.0f, c + glyph[static_cast<size_t>(gy) * w + gx] / 255.0f);
                }
            }
        }
        int advance, bearing;
        stbtt_GetCodepointHMetrics(&font.info, code, &advance, &bearing);
        pen += advance * scale;
        if (i + 1 < text.size())
            pen += stbtt_GetCodepointKernAdvance(&font.info, code, static_cast<unsigned char>(text[i + 1])) * scale;
    }
    return coverage;
}

/// White bold text centred on a rounded panel with a thin light border; outside the panel the
/// image is transparent dark.
Image LabelImage(const Font& font, const Label& label) {
    const int w = kLabelWidth, h = kLabelHeight;
    Image image(w, h);
    const bool warm = label.panel == Panel::Warm;
    const Color top = warm ? Color{0.52f, 0.27f, 0.12f} : Color{0.22f, 0.27f, 0.35f};
    const Color bottom = warm ? Color{0.36f, 0.17f, 0.08f} : Color{0.13f, 0.16f, 0.22f};
    const Color border = warm ? Color{1.0f, 0.85f, 0.62f} : Color{0.78f, 0.84f, 0.92f};
    const Color outside = bottom * 0.5f;
    const float inset = 2.0f, radius = 26.0f, line = 3.0f;

    // Text size: the largest that keeps the text within the panel's padding and at most 56
    // pixels of cap height.
    const std::string text = label.text;
    int capX0, capY0, capX1, capY1;
    stbtt_GetCodepointBox(&font.info, 'H', &capX0, &capY0, &capX1, &capY1);
    const float maxWidth = w - 2 * 34.0f;
    float scale = 64.0f / static_cast<float>(capY1);
    scale = std::min(scale, scale * maxWidth / font.Width(text, scale));
    const float capHeight = capY1 * scale;
    const float baseline = h / 2.0f + capHeight / 2.0f;
    const float penX = (w - font.Width(text, scale)) / 2.0f;
    std::vector<float> glyphs = TextCoverage(font, text, scale, penX, baseline, w, h);
    std::vector<float> shadow = TextCoverage(font, text, scale, penX + 3.0f, baseline + 3.0f, w, h);

    for (int y = 0; y < h; ++y) {
        for (int x = 0; x < w; ++x) {
            float fx = x + 0.5f, fy = y + 0.5f;
            float d = RoundedBoxDistance(fx, fy, inset, inset, w - inset, h - inset, radius);
            Color c = Mix(top, bottom, fy / h);
            // The border: `line` pixels just inside the panel's edge.
            float onBorder = Smooth(-line - 1.0f, -line, d) * (1.0f - Smooth(-0.5f, 0.5f, d));
            c = Mix(c, border, onBorder);
            float inside = 1.0f - Smooth(-0.5f, 0.5f, d);
            size_t i = static_cast<size_t>(y) * w + x;
            c = Mix(c, Color{0.02f, 0.02f, 0.04f}, 0.55f * shadow[i] * inside);
            c = Mix(c, Color{1.0f, 1.0f, 1.0f}, glyphs[i] * inside);
            image.At(x, y) = Mix(outside, c, inside);
            image.alpha[i] = inside;
        }
    }
    return image;
}

} // namespace

int main(int argc, char** argv) {
    if (argc != 3) {
        std::fprintf(stderr, "usage: make-textures FONT.ttf OUTPUT_DIR\n");
        return 2;
    }
    Font font;
    if (!font.Load(argv[1])) {
        std::fprintf(stderr, "make-textures: cannot read the TrueType font %s\n", argv[1]);
        return 1;
    }
    const std::string out = std::string(argv[2]) + "/";
    struct Surface {
        const char* file;
        Image (*make)();
    };
    const Surface surfaces[] = {{"floor_checker.png", FloorChecker}, {"wall_tiles.png", WallTiles},
                                {"door_panel.png", DoorPanel},       {"goal_glow.png", GoalGlow},
                                {"metal.png", Metal}};
    bool ok = true;
    for (const Surface& s : surfaces) {
        if (!s.make().Write(out + s.file)) {
            std::fprintf(stderr, "make-textures: cannot write %s%s\n", out.c_str(), s.file);
            ok = false;
        }
    }
    for (const Label& label : kLabels) {
        if (!LabelImage(font, label).Write(out + label.file)) {
            std::fprintf(stderr, "make-textures: cannot write %s%s\n", out.c_str(), label.file);
            ok = false;
        }
    }
    return ok ? 0 : 1;
}
