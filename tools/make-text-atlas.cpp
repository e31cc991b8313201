// tools/make-text-atlas.cpp
// Renders the 16 x 16 glyph atlas of the on-screen text ("text.png"): byte c in column c % 16,
// row c / 16 (row 0 at the top), each cell CELL x CELL pixels, white glyphs on transparent
// black. Bytes 32-126 and 160-255 are drawn as their Latin-1 characters; the rest stay empty.
// Built and run by tools/make-text-atlas.
#include <cmath>
#include <cstdio>
#include <vector>

#define STB_TRUETYPE_IMPLEMENTATION
#include <stb/stb_truetype.h>
#define STB_IMAGE_WRITE_IMPLEMENTATION
#include <stb/stb_image_write.h>

int main(int argc, char** argv) {
    if (argc != 4) {
        std::fprintf(stderr, "usage: make-text-atlas FONT.ttf CELL OUT.png\n");
        return 2;
    }
    const int cell = std::atoi(argv[2]);
    std::FILE* file = std::fopen(argv[1], "rb");
    if (!file || cell < 8) {
        std::fprintf(stderr, "make-text-atlas: cannot read %s\n", argv[1]);
        return 1;
    }
    std::vector<unsigned char> font;
    for (int c; (c = std::fgetc(file)) != EOF;) font.push_back(static_cast<unsigned char>(c));
    std::fclose(file);
    stbtt_fontinfo info;
    if (!stbtt_InitFont(&info, font.data(), stbtt_GetFontOffsetForIndex(font.data(), 0))) {
        std::fprintf(stderr, "make-text-atlas: %s is not a TrueType font\n", argv[1]);
        return 1;
    }
    // Scale so that ascent to descent fills the cell height less a pixel of air.
    int ascent, descent, lineGap;
    stbtt_GetFontVMetrics(&info, &ascent, &descent, &lineGap);
    const float scale = static_cast<float>(cell - 1) / static_cast<float>(ascent - descent);
    const int baseline = static_cast<int>(std::lround(ascent * scale));

    const int size = 16 * cell;
    std::vector<unsigned char> rgba(static_cast<size_t>(size) * size * 4, 0);
    std::vector<unsigned char> glyph(static_cast<size_t>(cell) * cell);
    for (int code = 0; code < 256; ++code) {
        if (code < 32 || (code > 126 && code < 160)) continue;
        int advance, bearing;
        stbtt_GetCodepointHMetrics(&info, code, &advance, &bearing);
        int x0, y0, x1, y1;
        stbtt_GetCodepointBitmapBox(&info, code, scale, scale, &x0, &y0, &x1, &y1);
        std::fill(glyph.begin(), glyph.end(), 0);
        // Centre the advance width in the cell (the font is monospaced: every glyph lines up).
        const int left = (cell - static_cast<int>(std::lround(advance * scale))) / 2 + x0;
        const int top = baseline + y0;
        int w = x1 - x0, h = y1 - y0;
        std::vector<unsigned char> bitmap(static_cast<size_t>(std::max(w, 1)) * std::max(h, 1), 0);
        if (w > 0 && h > 0) stbtt_MakeCodepointBitmap(&info, bitmap.data(), w, h, w, scale, scale, code);
        const int cx = (code % 16) * cell, cy = (code / 16) * cell;
        for (int y = 0; y < h; ++y) {
            for (int x = 0; x < w; ++x) {
                int px = left + x, py = top + y;
                if (px < 0 || py < 0 || px >= cell || py >= cell) continue;
                unsigned char a = bitmap[static_cast<size_t>(y) * w + x];
                unsigned char* out = &rgba[(static_cast<size_t>(cy + py) * size + cx + px) * 4];
                out[0] = out[1] = out[2] = 255;
                out[3] = a;
            }
        }
    }
    if (!stbi_write_png(argv[3], size, size, 4, rgba.data(), size * 4)) {
        std::fprintf(stderr, "make-text-atlas: cannot write %s\n", argv[3]);
        return 1;
    }
    return 0;
}
