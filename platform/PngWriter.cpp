// platform/PngWriter.cpp
#include "platform/PngWriter.h"

#define STB_IMAGE_WRITE_IMPLEMENTATION
#define STB_IMAGE_WRITE_STATIC
#include <stb/stb_image_write.h>

namespace zumek {

bool WritePng(const std::string& path, int width, int height, int channels, const uint8_t* pixels, bool bottomUp) {
    if (width <= 0 || height <= 0 || (channels != 3 && channels != 4) || !pixels) return false;
    stbi_flip_vertically_on_write(bottomUp ? 1 : 0);
    int ok = stbi_write_png(path.c_str(), width, height, channels, pixels, width * channels);
    stbi_flip_vertically_on_write(0);
    return ok != 0;
}

} // namespace zumek
